// What the paint engine keeps between renders (the window's fonts, its render canvas, the
// memo of text and pictures it has drawn, the back buffer) must never show an old look:
// a control changed after it was drawn renders exactly as a control made with the new
// look, the memo's drawing gives the pixels GDI+ gives, and nothing kept outlives the
// window's data or its images.
#include <gtest/gtest.h>
#include <functional>
#include <memory>
#include <vector>
#include "QivTestSupport.h"
#include "SkinFiles.h"
#include "WindowTestSupport.h"
#include "controls/CColorButton.h"
#include "controls/MButton.h"
#include "controls/MEdit.h"
#include "controls/MLevelCtrl.h"
#include "controls/MText.h"
#include "core/MRender.h"
#include "core/MWindow.h"
#include "core/PaintManager.h"
#include "core/PictureMemo.h"
#include "core/RenderCanvas.h"

using namespace qivtest;

namespace {
constexpr int kW = 320, kH = 120;
const wchar_t* const kRoboto = L"Z:\\usr\\share\\fonts\\truetype\\roboto\\unhinted\\RobotoTTF\\Roboto-Medium.ttf";
const wchar_t* const kRobotoBold = L"Z:\\usr\\share\\fonts\\truetype\\roboto\\unhinted\\RobotoTTF\\Roboto-Bold.ttf";

// The library's own test window: its paint manager gets every message and repaint request.
using Host = qivtest::PaintHostWindow;

// A window with the test fonts, a back colour and one push button.
struct ButtonWindow {
  Host host;
  MButton* button = nullptr;
  explicit ButtonWindow(bool fonts = true) {
    Manager::SetInstance(::GetModuleHandleW(nullptr));
    host.Create(nullptr, L"cache", WS_POPUP, 0, CRect(0, 0, kW, kH));
    host.pm.SetBackColor(RGB(20, 30, 40), RGB(20, 30, 40));
    if (fonts) host.pm.AddTempFont(L"Roboto-Medium", kRoboto);
    button = new MButton(&host, 10, CRect(20, 20, 180, 70), L"Apply", 1, 1);
    button->SetManager(&host.pm);
    host.pm.GetControls()->push_back(button);
    button->SetImage(L"cache_a.png", 4);
    button->SetFont(L"Roboto-Medium", 16, Gdiplus::FontStyleRegular);
    button->SetTextColor(Gdiplus::Color(0xFFFFFFFF));
  }
  ~ButtonWindow() { host.DestroyWindow(); }

  // The whole window composed into an in-process 32-bit DIB, as 0x00RRGGBB top-down.
  std::vector<uint32_t> Render() {
    HDC screen = ::GetDC(nullptr);
    HDC dc = ::CreateCompatibleDC(screen);
    BYTE* bits = nullptr;
    HBITMAP dib = MRender::CreateARGB32Bitmap(screen, kW, kH, &bits);
    ::ReleaseDC(nullptr, screen);
    HGDIOBJ old = ::SelectObject(dc, dib);
    host.pm.Compose(dc, bits, CSize(kW, kH), CRect(0, 0, kW, kH));
    ::GdiFlush();
    std::vector<uint32_t> pixels(static_cast<size_t>(kW) * kH);
    for (int y = 0; y < kH; ++y)
      for (int x = 0; x < kW; ++x) {
        const BYTE* p = bits + (static_cast<size_t>(kH - 1 - y) * kW + x) * 4;
        pixels[static_cast<size_t>(y) * kW + x] = (uint32_t(p[2]) << 16) | (uint32_t(p[1]) << 8) | p[0];
      }
    ::SelectObject(dc, old);
    ::DeleteObject(dib);
    ::DeleteDC(dc);
    return pixels;
  }
};

// Index of the first differing pixel, or -1.
long FirstDifference(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b) {
  for (size_t i = 0; i < a.size() && i < b.size(); ++i)
    if (a[i] != b[i]) return static_cast<long>(i);
  return a.size() == b.size() ? -1 : static_cast<long>(std::min(a.size(), b.size()));
}

void WriteSkins(SkinFolder& skins) {
  const uint32_t fills[4] = {0xFF3A4E60, 0xFF4977E5, 0xFF2B3A48, 0xFF606060};
  skins.Write(L"cache_a.png", 96, 24, [&](unsigned x, unsigned y) {
    const unsigned fx = x % 24;
    return (fx < 4 || fx >= 20 || y < 4 || y >= 20) ? 0xC0202020u : fills[x / 24];
  });
  skins.Write(L"cache_b.png", 96, 24, [&](unsigned x, unsigned y) {
    return (x % 24 < 6 || y < 6) ? 0xFFE0E0E0u : 0x80FF8000u;
  });
}
}  // namespace

// Each change is made once after the button was drawn (its look and the window's kept
// fonts and memo are warm), and once before a fresh button in a fresh window is drawn at
// all: both windows must come out identical, and different from the look before.
TEST(PaintCache, AChangedControlRendersAsOneMadeWithTheNewLook) {
  SkinFolder skins;
  WriteSkins(skins);
  struct Case {
    const char* what;
    std::function<void(ButtonWindow&)> change;
  };
  const Case cases[] = {
      {"title", [](ButtonWindow& w) { w.button->SetTitle(L"Cancel"); }},
      {"text colour", [](ButtonWindow& w) { w.button->SetTextColor(Gdiplus::Color(0x90FFE000)); }},
      {"font size", [](ButtonWindow& w) { w.button->SetFont(L"Roboto-Medium", 21, Gdiplus::FontStyleRegular); }},
      {"font style", [](ButtonWindow& w) { w.button->SetFont(L"Roboto-Medium", 16, Gdiplus::FontStyleBold); }},
      {"font face", [](ButtonWindow& w) {
         w.host.pm.AddTempFont(L"Roboto-Bold", kRobotoBold);
         w.button->SetFont(L"Roboto-Bold", 16, Gdiplus::FontStyleRegular);
       }},
      {"face registered after first use", [](ButtonWindow& w) {
         // Drawn first in the fallback face; the registered face must take over.
         w.host.pm.AddTempFont(L"Roboto-Medium", kRobotoBold);
       }},
      {"size", [](ButtonWindow& w) { w.button->SetControlRect(CRect(20, 20, 240, 90)); }},
      {"skin", [](ButtonWindow& w) { w.button->SetImage(L"cache_b.png", 4); }},
      {"state", [](ButtonWindow& w) { w.button->SetEnabled(0); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const bool lateFace = std::string(c.what) == "face registered after first use";
    ButtonWindow changed(!lateFace);
    const std::vector<uint32_t> before = changed.Render();
    c.change(changed);
    changed.host.pm.RefreshControls();
    const std::vector<uint32_t> after = changed.Render();

    ButtonWindow fresh(!lateFace);
    c.change(fresh);
    const std::vector<uint32_t> expected = fresh.Render();

    EXPECT_NE(-1, FirstDifference(before, expected)) << "the change shows";
    const long at = FirstDifference(after, expected);
    EXPECT_EQ(-1, at) << "first difference at (" << at % kW << ", " << at / kW << ")";
  }
}

// The same for controls whose drawing the memo keeps as masks or as the pixels before
// and after it (swatch outlines, ClearType level text, the GDI text of edit fields) and
// for labels: each change after a first
// render gives what a control made with the new look gives.
TEST(PaintCache, OutlinesClearTypeTextAndLabelsRenderTheirNewLook) {
  SkinFolder skins;
  WriteSkins(skins);
  using Make = std::function<MControlFont*(Host&)>;
  auto add = [](Host& host, MControlFont* c) {
    c->SetManager(&host.pm);
    host.pm.GetControls()->push_back(c);
    c->SetFont(L"Roboto-Medium", 15, Gdiplus::FontStyleRegular);
    c->SetTextColor(Gdiplus::Color(0xFFFFFFFF));
    return c;
  };
  const Make swatch = [&](Host& h) {
    auto* c = new CColorButton(&h, 40, CRect(30, 20, 110, 60), 1, 1);
    c->SetColor(RGB(200, 40, 90));
    return add(h, c);
  };
  const Make level = [&](Host& h) {
    auto* c = new MLevelCtrl(&h, 41, CRect(20, 20, 200, 70), 1, 1);
    c->SetRangeValue(0, 7);
    c->SetLevelValue(3);
    return add(h, c);
  };
  const Make label = [&](Host& h) {
    auto* c = new MText(&h, 42, CRect(10, 30, 300, 80), L"Lighting", 1);
    return add(h, c);
  };
  const Make edit = [&](Host& h) {
    auto* c = new MEdit(&h, 43, CRect(20, 30, 220, 66), L"Name", 1, 1);
    add(h, c)->SetImage(L"cache_a.png", 4);
    c->SetControlTitle(L"Profile 1");
    return c;
  };
  struct Case {
    const char* what;
    Make make;
    std::function<void(MControlFont*)> change;
  };
  const Case cases[] = {
      {"swatch colour", swatch, [](MControlFont* c) { static_cast<CColorButton*>(c)->SetColor(RGB(20, 220, 90)); }},
      {"swatch checked", swatch, [](MControlFont* c) { static_cast<CColorButton*>(c)->SetControlCheck(1); }},
      {"swatch size", swatch, [](MControlFont* c) { c->SetControlRect(CRect(30, 20, 140, 90)); }},
      {"level value", level, [](MControlFont* c) { static_cast<MLevelCtrl*>(c)->SetLevelValue(6); }},
      {"level text colour", level, [](MControlFont* c) { c->SetTextColor(Gdiplus::Color(0xFFFFE000)); }},
      {"level font", level, [](MControlFont* c) { c->SetFont(L"Roboto-Medium", 19, Gdiplus::FontStyleBold); }},
      {"label title", label, [](MControlFont* c) { c->SetTitle(L"Macros"); }},
      {"label colour", label, [](MControlFont* c) { c->SetTextColor(Gdiplus::Color(0xFF40A0FF)); }},
      {"label font", label, [](MControlFont* c) { c->SetFont(L"Roboto-Medium", 22, Gdiplus::FontStyleBold); }},
      {"edit text", edit, [](MControlFont* c) { c->SetControlTitle(L"Profile 22"); }},
      {"edit skin", edit, [](MControlFont* c) { c->SetImage(L"cache_b.png", 4); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ButtonWindow changed;
    changed.button->SetVisible(0);
    MControlFont* control = c.make(changed.host);
    const std::vector<uint32_t> before = changed.Render();
    changed.Render();  // a second render of the old look, from the memo
    c.change(control);
    changed.host.pm.RefreshControls();
    const std::vector<uint32_t> after = changed.Render();

    ButtonWindow fresh;
    fresh.button->SetVisible(0);
    c.change(c.make(fresh.host));
    const std::vector<uint32_t> expected = fresh.Render();

    EXPECT_NE(-1, FirstDifference(before, expected)) << "the change shows";
    const long at = FirstDifference(after, expected);
    EXPECT_EQ(-1, at) << "first difference at (" << at % kW << ", " << at / kW << ")";
  }
}

// The memo way of drawing on a render canvas (fills written into the pixels, text and
// pictures laid down from what was drawn once) against the same calls made with GDI+
// on a bitmap of the same pixels: equal, on the first drawing and from the memo.
TEST(PaintCache, CanvasDrawingGivesThePixelsOfGdiplus) {
  SkinFolder skins;
  skins.Write(L"cache_ramp.png", 40, 20, [](unsigned x, unsigned y) {
    return ((x * 6 + y * 3) << 24) | (x * 5 << 16) | (0x40 << 8) | (255 - y * 10);
  });
  ButtonWindow window;
  PaintManager& pm = window.host.pm;
  ImgResInfo* ramp = pm.AddImgResInfo(L"cache_ramp.png", 1);
  ASSERT_NE(nullptr, ramp);
  const Gdiplus::Font* font = pm.GetFont(L"Roboto-Medium", 15, Gdiplus::FontStyleRegular);
  const Gdiplus::Font* bold = pm.GetFont(L"Roboto-Medium", 19, Gdiplus::FontStyleBold);
  ASSERT_TRUE(font && bold);

  Gdiplus::StringFormat centred;
  centred.SetAlignment(Gdiplus::StringAlignmentCenter);
  centred.SetLineAlignment(Gdiplus::StringAlignmentCenter);
  Gdiplus::StringFormat plain;

  using Draw = std::function<void(Gdiplus::Graphics&, bool viaEngine)>;
  auto text = [](const wchar_t* s, const Gdiplus::Font* f, Gdiplus::RectF layout, const Gdiplus::StringFormat* format,
                 Gdiplus::Color colour, Gdiplus::TextRenderingHint hint) -> Draw {
    return [=](Gdiplus::Graphics& g, bool viaEngine) {
      g.SetTextRenderingHint(hint);
      Gdiplus::SolidBrush brush(colour);
      if (viaEngine) MRender::DrawString(g, s, -1, *f, layout, *format, brush);
      else g.DrawString(s, -1, f, layout, format, &brush);
    };
  };
  auto outline = [](Gdiplus::Color colour, float width, int x, int y, int w, int h,
                    Gdiplus::SmoothingMode smoothing) -> Draw {
    return [=](Gdiplus::Graphics& g, bool viaEngine) {
      g.SetSmoothingMode(smoothing);
      if (viaEngine) return MRender::DrawRectangle(g, colour, width, x, y, w, h);
      Gdiplus::Pen pen(colour, width);
      g.DrawRectangle(&pen, x, y, w, h);
    };
  };
  auto fill = [](Gdiplus::Color colour, int x, int y, int w, int h) -> Draw {
    return [=](Gdiplus::Graphics& g, bool viaEngine) {
      if (viaEngine) return MRender::FillRectangle(g, colour, x, y, w, h);
      g.SetSmoothingMode(Gdiplus::SmoothingModeNone);
      Gdiplus::SolidBrush brush(colour);
      g.FillRectangle(&brush, x, y, w, h);
    };
  };
  Gdiplus::Image* image = ramp->image;
  auto picture = [image](CRect dst, int corner) -> Draw {
    return [=](Gdiplus::Graphics& g, bool viaEngine) {
      if (corner > 0) {
        if (viaEngine) return MRender::DrawImageFrame(g, image, dst, 0, 0, 40, 20, corner);
        // The nine pieces drawn one by one, as a GDI+ user would.
        const int l = corner, L = dst.left, T = dst.top, R = dst.right, B = dst.bottom;
        auto piece = [&](int x, int y, int w, int h, int px, int py, int pw, int ph) {
          g.DrawImage(image, Gdiplus::Rect(x, y, w, h), px, py, pw, ph, Gdiplus::UnitPixel);
        };
        piece(L, T, l, l, 0, 0, l, l);
        piece(L, T + l, l, B - T - 2 * l, 0, l, l, 20 - 2 * l);
        piece(L, B - l, l, l, 0, 20 - l, l, l);
        piece(L + l, T, R - L - 2 * l, l, l, 0, 40 - 2 * l, l);
        piece(R - l, T, l, l, 40 - l, 0, l, l);
        piece(R - l, T + l, l, B - T - 2 * l, 40 - l, l, l, 20 - 2 * l);
        piece(R - l, B - l, l, l, 40 - l, 20 - l, l, l);
        piece(L + l, B - l, R - L - 2 * l, l, l, 20 - l, 40 - 2 * l, l);
        piece(L + l, T + l, R - L - 2 * l, B - T - 2 * l, l, l, 40 - 2 * l, 20 - 2 * l);
        return;
      }
      if (viaEngine) return MRender::DrawImage(g, image, dst, 0, 0, 40, 20);
      g.DrawImage(image, Gdiplus::Rect(dst.left, dst.top, dst.Width(), dst.Height()), 0, 0, 40, 20,
                  Gdiplus::UnitPixel);
    };
  };
  const Gdiplus::TextRenderingHint aaFit = Gdiplus::TextRenderingHintAntiAliasGridFit;
  struct Case {
    const char* what;
    Draw draw;
  };
  const Case cases[] = {
      {"opaque fill", fill(Gdiplus::Color(0xFF10A040), 5, 7, 60, 30)},
      {"translucent fill", fill(Gdiplus::Color(0x80FF2010), 5, 7, 60, 30)},
      {"faint fill past the edge", fill(Gdiplus::Color(0x03FFFFFF), -10, 50, 400, 100)},
      {"centred text", text(L"Apply", font, Gdiplus::RectF(10, 10, 120, 40), &centred, 0xFFFFFFFF, aaFit)},
      {"translucent text", text(L"Profile 1", font, Gdiplus::RectF(10, 10, 120, 40), &centred, 0x99FF4060, aaFit)},
      {"text at a fraction", text(L"Mac", bold, Gdiplus::RectF(12.5f, 8.25f, 90, 30), &plain, 0xFF000000, aaFit)},
      {"plain anti-aliased text",
       text(L"Wg", bold, Gdiplus::RectF(0, 0, 60, 40), &plain, 0xFF20E0E0, Gdiplus::TextRenderingHintAntiAlias)},
      {"text clipped by its layout", text(L"A long title", font, Gdiplus::RectF(-5, 70, 50, 12), &plain, 0xFFFFFFFF, aaFit)},
      {"ClearType text", text(L"Apply", font, Gdiplus::RectF(10, 10, 120, 40), &centred, 0xFFFFFFFF,
                              Gdiplus::TextRenderingHintClearTypeGridFit)},
      {"ClearType text clipped by the canvas",
       text(L"Profile 1", bold, Gdiplus::RectF(-7.5f, 100, 90, 30), &plain, 0xFFFFE000,
            Gdiplus::TextRenderingHintClearTypeGridFit)},
      {"outline", outline(Gdiplus::Color(0xFFF5F5F5), 2.0f, 11, 9, 60, 30, Gdiplus::SmoothingModeNone)},
      {"smoothed translucent outline",
       outline(Gdiplus::Color(0x80808080), 3.0f, 40, 20, 70, 50, Gdiplus::SmoothingModeHighQuality)},
      {"outline past the edge",
       outline(Gdiplus::Color(0xFF2040FF), 2.0f, -3, 100, 400, 40, Gdiplus::SmoothingModeNone)},
      {"picture as it is", picture(CRect(3, 4, 43, 24), 0)},
      {"stretched picture", picture(CRect(50, 10, 200, 90), 0)},
      {"nine-grid picture", picture(CRect(20, 30, 180, 100), 6)},
  };

  HDC screen = ::GetDC(nullptr);
  // The backgrounds the cases draw on: varied, so that blending shows; the second one
  // differs from the first, so that what was kept over the first must not be reused.
  auto background = [](int round, int x, int y) {
    const int shift = round < 2 ? 0 : 7;
    return static_cast<uint32_t>(((x + shift) * 3) << 16 | (y * 2) << 8 | ((x + y + shift) & 0xFF));
  };
  std::vector<uint32_t> reference(static_cast<size_t>(kW) * kH);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    for (int round = 0; round < 3; ++round) {  // drawn first, from the memo, over other pixels
      for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x) reference[static_cast<size_t>(y) * kW + x] = background(round, x, y);
      {
        Gdiplus::Bitmap bitmap(kW, kH, kW * 4, PixelFormat32bppRGB, reinterpret_cast<BYTE*>(reference.data()));
        Gdiplus::Graphics g(&bitmap);
        c.draw(g, false);
      }
      RenderCanvas canvas(&pm, screen, kW, kH);
      ASSERT_TRUE(canvas.Ok());
      const PixelBlend::Surface s = canvas.Surface();
      for (int y = 0; y < kH; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(s.bits + static_cast<ptrdiff_t>(y) * s.stride);
        for (int x = 0; x < kW; ++x) row[x] = background(round, x, y);
      }
      c.draw(canvas.Graphics(), true);
      ::GdiFlush();
      int differ = 0, firstX = -1, firstY = -1;
      uint32_t got = 0, want = 0;
      for (int y = 0; y < kH; ++y) {
        auto* row = reinterpret_cast<const uint32_t*>(s.bits + static_cast<ptrdiff_t>(y) * s.stride);
        for (int x = 0; x < kW; ++x)
          if ((row[x] & 0xFFFFFF) != (reference[static_cast<size_t>(y) * kW + x] & 0xFFFFFF) && differ++ == 0) {
            firstX = x;
            firstY = y;
            got = row[x] & 0xFFFFFF;
            want = reference[static_cast<size_t>(y) * kW + x] & 0xFFFFFF;
          }
      }
      EXPECT_EQ(0, differ) << "round " << round << ", first at (" << firstX << ", " << firstY << "): " << std::hex << got
                          << " where GDI+ gives " << want;
    }
  }
  ::ReleaseDC(nullptr, screen);
}

// The kept drawing state goes with what it was made from: the memo with the window's
// images (a picture reloaded under the same name may get the same address), and the
// back buffer, the canvas, the memo and the fonts with the window's data.
TEST(PaintCache, NothingKeptOutlivesTheImagesOrTheWindowData) {
  SkinFolder skins;
  WriteSkins(skins);
  ButtonWindow window;
  ::ShowWindow(window.host.GetSafeHwnd(), SW_SHOWNOACTIVATE);
  ::UpdateWindow(window.host.GetSafeHwnd());
  PaintManager& pm = window.host.pm;
  EXPECT_NE(nullptr, pm.GetBackBuffer().Dc()) << "the paint keeps its back buffer";
  EXPECT_EQ(kW, pm.GetBackBuffer().Width());

  // The same skin name with another picture, after the image cache was emptied.
  const std::vector<uint32_t> first = window.Render();
  pm.ClearImgResInfo();
  EXPECT_EQ(0u, pm.GetPictureMemo().Count());
  skins.Write(L"cache_a.png", 96, 24, [](unsigned, unsigned) { return 0xFF00FF00u; });
  window.button->SetImage(L"cache_a.png", 4);
  pm.RefreshControls();
  const std::vector<uint32_t> reloaded = window.Render();
  EXPECT_EQ(0x00FF00u, reloaded[static_cast<size_t>(25) * kW + 25]) << "the new picture shows";
  EXPECT_NE(first[static_cast<size_t>(25) * kW + 25], reloaded[static_cast<size_t>(25) * kW + 25]);

  // A face registered after text was drawn in the fallback for its name: the kept font
  // of that name is made again from the registered face.
  auto familyOf = [](const Gdiplus::Font* font) {
    Gdiplus::FontFamily family;
    wchar_t name[LF_FACESIZE] = {};
    if (font && font->GetFamily(&family) == Gdiplus::Ok) family.GetFamilyName(name);
    return std::wstring(name);
  };
  const std::wstring fallback = familyOf(pm.GetFont(L"Late Face", 16, Gdiplus::FontStyleRegular));
  ASSERT_NE(nullptr, pm.AddTempFont(L"Late Face", kRobotoBold));
  wchar_t registered[LF_FACESIZE] = {};
  pm.FindTempFont(L"Late Face")->GetFamilyName(registered);
  EXPECT_NE(std::wstring(registered), fallback);
  EXPECT_EQ(std::wstring(registered), familyOf(pm.GetFont(L"Late Face", 16, Gdiplus::FontStyleRegular)));

  pm.DestroyData();
  EXPECT_EQ(nullptr, pm.GetBackBuffer().Dc());
  EXPECT_EQ(0u, pm.GetPictureMemo().Count());
}

// Controls draw with the window's kept fonts many times over. Wine's GDI+ gives a copied
// font no hold on its family: when controls drew with copies, a private face's family
// was freed after a few renders while the kept fonts still used it (their family name
// then read back empty, and the heap broke a few windows later).
TEST(PaintCache, KeptFontsKeepTheirFaceAcrossRenders) {
  SkinFolder skins;
  WriteSkins(skins);
  ButtonWindow window;
  auto* level = new MLevelCtrl(&window.host, 30, CRect(190, 20, 300, 70), 1, 1);
  level->SetManager(&window.host.pm);
  window.host.pm.GetControls()->push_back(level);
  level->SetFont(L"Roboto-Medium", 16, Gdiplus::FontStyleRegular);
  wchar_t registered[LF_FACESIZE] = {};
  window.host.pm.FindTempFont(L"Roboto-Medium")->GetFamilyName(registered);
  const std::vector<uint32_t> first = window.Render();
  for (int i = 0; i < 8; ++i) {
    window.host.pm.RefreshControls();
    window.Render();
    // Reuse freed memory, as the program's other work would.
    std::vector<std::unique_ptr<char[]>> churn;
    for (int k = 0; k < 64; ++k) churn.emplace_back(new char[256]());
  }
  const Gdiplus::Font* kept = window.host.pm.GetFont(L"Roboto-Medium", 16, Gdiplus::FontStyleRegular);
  ASSERT_NE(nullptr, kept);
  Gdiplus::FontFamily family;
  wchar_t name[LF_FACESIZE] = {};
  ASSERT_EQ(Gdiplus::Ok, kept->GetFamily(&family));
  family.GetFamilyName(name);
  EXPECT_EQ(std::wstring(registered), std::wstring(name));
  window.host.pm.RefreshControls();
  EXPECT_EQ(-1, FirstDifference(first, window.Render())) << "the title still draws in its face";
}

// Windows made and closed one after another, each drawing many titled buttons several
// times, as page switches do: after the first drawing the titles and skins come from the
// memo, and every render of every window equals the first window's. (The same sequence
// at 300 controls a window, in bench_qiv_controls, crashed in Wine's GDI+ on the second
// window while the memo asked fonts for their family.)
TEST(PaintCache, WindowsOneAfterAnotherRedrawFromTheMemo) {
  SkinFolder skins;
  WriteSkins(skins);
  const wchar_t* const titles[] = {L"Apply", L"Cancel", L"Profile 1", L"Lighting", L"Mac"};
  std::vector<uint32_t> reference;
  for (int round = 0; round < 4; ++round) {
    SCOPED_TRACE(round);
    ButtonWindow window;
    window.button->SetVisible(0);  // the grid covers the whole window
    for (int i = 0; i < 24; ++i) {
      const int x = (i % 6) * 52, y = (i / 6) * 28 + 4;
      auto* b = new MButton(&window.host, 20 + i, CRect(x + 2, y, x + 50, y + 26), titles[i % 5], 1, 1);
      b->SetManager(&window.host.pm);
      window.host.pm.GetControls()->push_back(b);
      b->SetImage(i % 2 ? L"cache_a.png" : L"cache_b.png", 4);
      b->SetFont(L"Roboto-Medium", 11 + i % 3, i % 4 ? Gdiplus::FontStyleRegular : Gdiplus::FontStyleBold);
      b->SetTextColor(Gdiplus::Color(0xFFFFFFFF));
    }
    window.Render();
    const unsigned long hitsBefore = window.host.pm.GetPictureMemo().Hits();
    for (int n = 0; n < 3; ++n) {
      window.host.pm.RefreshControls();
      const std::vector<uint32_t> again = window.Render();
      if (reference.empty()) reference = again;
      const long at = FirstDifference(again, reference);
      EXPECT_EQ(-1, at) << "render " << n << " differs at (" << at % kW << ", " << at / kW << "): " << std::hex
                        << (at < 0 ? 0 : again[at]) << " where the first had " << (at < 0 ? 0 : reference[at]);
    }
    EXPECT_GT(window.host.pm.GetPictureMemo().Hits(), hitsBefore) << "the renders after the first use the memo";
  }
}
