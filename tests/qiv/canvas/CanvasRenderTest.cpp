// The canvas rendered for real (GDI+ into a DIB): every music layer type on silent and
// loud input, key sampling of wide and narrow keys, mouse editing of layers, the colour
// map, and the capture effects on injected pictures.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "CanvasTestSupport.h"
#include "core/MRender.h"
#include "qiv/core/QivTestSupport.h"
#include "support/TempFolder.h"

using canvastest::FakeSources;
using canvastest::TestCanvas;

namespace {
const CRect kLayer(200, 130, 400, 270);

bool IsBlack(DWORD p) { return (p & 0x00FFFFFF) == 0; }

DWORD At(const std::vector<DWORD>& px, int x, int y) { return px[size_t(y) * 600 + size_t(x)]; }

int LitInside(const std::vector<DWORD>& px, CRect r) {
  int lit = 0;
  for (int y = r.top; y < r.bottom; y += 2)
    for (int x = r.left; x < r.right; x += 2) lit += !IsBlack(At(px, x, y));
  return lit;
}

void Silence(ZephraEffect& c) {
  c.SetExternalAudioData(0, 0, 0, 0, 0);
  c.SetFFTSpectrum(nullptr, nullptr);
  const float zeros[64] = {};
  c.SetFFTSpectrum(zeros, zeros);
}

void Loud(ZephraEffect& c) {
  c.SetExternalAudioData(1, 1, 1, 100, 150);
  float s[64];
  std::fill(std::begin(s), std::end(s), 0.5f);
  c.SetFFTSpectrum(s, s);
}
}  // namespace

TEST(CanvasRender, EveryLayerPaintsInsideItsRectangleAndNotFarOutside) {
  // Types that still draw at silence: horizontal bars (grey segments), the radial
  // pulse's circle and the three scenes.
  const std::set<int> drawsInSilence = {LAYER_RADIAL_PULSE, LAYER_HORIZONTAL_BARS, LAYER_AFTERNOON_SUN,
                                        LAYER_THREE_BODY, LAYER_GRAVITY_FIELD};
  const CPoint corners[] = {{2, 2}, {597, 2}, {2, 397}, {597, 397}};
  const CRect inner(kLayer.left + 6, kLayer.top + 6, kLayer.right - 6, kLayer.bottom - 6);
  for (int type = 1; type <= 20; ++type) {
    FakeSources sources;
    TestCanvas canvas;
    canvas.SetEffectSources(sources.Make());
    canvas.SetZephraMode(ZEPHRA_MUSIC);
    ASSERT_EQ(canvas.AddLightLayer(type, kLayer), 0);
    canvas.DeleteLightLayer(999);  // no selection: no frame or handles

    Silence(canvas);
    std::vector<DWORD> px = canvas.Render();
    for (CPoint p : corners) EXPECT_TRUE(IsBlack(At(px, p.x, p.y))) << "type " << type << " silent";
    if (drawsInSilence.count(type)) EXPECT_GT(LitInside(px, inner), 0) << "type " << type << " silent";
    else EXPECT_EQ(LitInside(px, inner), 0) << "type " << type << " draws in silence";

    Loud(canvas);
    sources.tick += 40;
    px = canvas.Render();
    for (CPoint p : corners) EXPECT_TRUE(IsBlack(At(px, p.x, p.y))) << "type " << type << " loud";
    EXPECT_GT(LitInside(px, inner), 0) << "type " << type << " loud";
  }
}

TEST(CanvasRender, UnknownLayerTypesStayListedAndDrawNothing) {
  TestCanvas canvas;
  canvas.SetZephraMode(ZEPHRA_MUSIC);
  Loud(canvas);
  canvas.AddLightLayer(21, kLayer);
  canvas.DeleteLightLayer(999);
  EXPECT_EQ(LitInside(canvas.Render(), CRect(0, 0, 600, 400)), 0);
  EXPECT_EQ(canvas.GetLightLayers().size(), 1u);
}

TEST(CanvasRender, KeysSampleTheirPixelAndOffCanvasKeysAreBlack) {
  TempFolder folder;
  const std::wstring picture = folder.File(L"halves.bmp");
  {
    HDC dc = ::CreateCompatibleDC(nullptr);
    BYTE* bits = nullptr;
    HBITMAP bitmap = MRender::CreateARGB32Bitmap(dc, 200, 100, &bits);
    auto* words = reinterpret_cast<DWORD*>(bits);
    for (int y = 0; y < 100; ++y)
      for (int x = 0; x < 200; ++x) words[y * 200 + x] = x < 100 ? 0xFFFF0000 : 0xFF0000FF;
    ASSERT_EQ(MRender::SaveBitmapToFile(bitmap, picture.c_str()), 1);
    ::DeleteObject(bitmap);
    ::DeleteDC(dc);
  }
  TestCanvas canvas;
  canvas.SetZephraMode(ZEPHRA_GIF);
  canvas.SetGIFImage(picture.c_str());  // at (10, 10), natural size; key offset (20, 25)
  canvas.AddKeyItem(L"Q", 20, CRect(0, 0, 40, 30), 0, 0);          // samples (40, 35): red
  canvas.AddKeyItem(L"", 21, CRect(150, 20, 158, 28), 1, 0);       // narrow, (173, 48): blue
  canvas.AddKeyItem(L"X", 22, CRect(2000, 0, 2040, 30), 2, 0);     // dragged off the canvas
  canvas.AddKeyItem(L"", 255, CRect(0, 40, 40, 70), 3, 0);         // not drawn on screen
  canvas.Render();
  auto keys = canvas.GetKeyItems();
  EXPECT_EQ(keys[0]->color, RGB(255, 0, 0));
  EXPECT_EQ(keys[1]->color, RGB(0, 0, 255));
  EXPECT_EQ(keys[2]->color, 0u) << "a sample outside the rendering is black, not white";
  EXPECT_EQ(keys[3]->color, 0u);
  canvas.DrawHideControl();
  EXPECT_EQ(keys[3]->color, RGB(255, 0, 0)) << "the hidden rendering colours keys of code 255";
}

TEST(CanvasLayers, AddingDeletingAndTheSelection) {
  TestCanvas canvas;
  EXPECT_EQ(canvas.AddLightLayer(LAYER_BREATHING, kLayer), 0);
  EXPECT_EQ(canvas.AddLightLayer(LAYER_FLAME_GRADIENT, kLayer), 1);
  EXPECT_EQ(canvas.AddLightLayer(LAYER_BREATHING, CRect()), -1);
  EXPECT_EQ(canvas.GetSelectedLayer(), 1) << "a refused layer leaves the selection";
  EXPECT_EQ(canvas.GetLightLayers().size(), 2u);
  canvas.DeleteLightLayer(LAYER_TIDAL_RESONANCE);
  EXPECT_EQ(canvas.GetSelectedLayer(), -1);
  canvas.DeleteLightLayer(LAYER_BREATHING);
  ASSERT_EQ(canvas.GetLightLayers().size(), 1u);
  EXPECT_EQ(canvas.GetLightLayers()[0].type, LAYER_FLAME_GRADIENT);
}

TEST(CanvasLayers, HandlesResizeWithinLimitsAndTheWheelScales) {
  qivtest::RecordingParent owner;
  TestCanvas canvas(CRect(0, 0, 600, 400), &owner);
  canvas.SetZephraMode(ZEPHRA_MUSIC);
  canvas.AddLightLayer(LAYER_LED_SPECTRUM_BARS, CRect(100, 100, 300, 250));
  struct Drag {
    CPoint from, to;
    CRect want;
  } drags[] = {
      {{300, 175}, {340, 175}, CRect(100, 100, 340, 250)},  // right edge
      {{340, 175}, {130, 175}, CRect(100, 100, 340, 250)},  // too narrow: refused
      {{100, 100}, {80, 90}, CRect(80, 90, 340, 250)},      // top-left corner
      {{200, 250}, {200, 130}, CRect(80, 90, 340, 250)},    // bottom edge to 40 high: refused
      {{200, 180}, {210, 190}, CRect(90, 100, 350, 260)},   // inside: moves
  };
  for (const Drag& d : drags) {
    canvas.OnControlMouseMove(0, d.from);
    canvas.OnControlLButtonDown(MK_LBUTTON, d.from);
    canvas.OnControlMouseMove(MK_LBUTTON, d.to);
    canvas.OnControlLButtonUp(0, d.to);
    EXPECT_EQ(canvas.GetLightLayers()[0].rect, d.want) << d.from.x << "," << d.from.y;
  }
  ASSERT_FALSE(owner.notices.empty());
  EXPECT_EQ(owner.notices.back().code, 2u);

  for (int i = 0; i < 40; ++i) canvas.OnControlScroll(120, 0, CPoint(200, 180));
  EXPECT_FLOAT_EQ(canvas.GetLightLayers()[0].scale, 5.0f);
  for (int i = 0; i < 60; ++i) canvas.OnControlScroll(-120, 1, CPoint(200, 180));
  EXPECT_NEAR(canvas.GetLightLayers()[0].scale, 0.1f, 1e-5);

  canvas.OnControlRButtonUp(0, CPoint(10, 10));
  EXPECT_EQ(owner.notices.back().code, 5u);
  EXPECT_EQ(owner.notices.back().wParam, unsigned(-1));
}

TEST(CanvasLayers, ALeftDragOnEmptyCanvasMovesTheKeysPastTwoPixels) {
  TestCanvas canvas;
  canvas.SetZephraMode(ZEPHRA_MUSIC);
  const CPoint start = canvas.GetKeyOffset();
  canvas.OnControlLButtonDown(MK_LBUTTON, CPoint(500, 350));
  canvas.OnControlMouseMove(MK_LBUTTON, CPoint(502, 351));
  EXPECT_EQ(canvas.GetKeyOffset(), start);
  canvas.OnControlMouseMove(MK_LBUTTON, CPoint(505, 352));
  EXPECT_EQ(canvas.GetKeyOffset(), CPoint(start.x + 5, start.y + 2));
}

TEST(CanvasColourMap, CellsOutsideTheMapAreIgnoredAndModeOneColoursTheFirstKey) {
  TestCanvas canvas;
  canvas.AddKeyItem(L"A", 4, CRect(0, 0, 20, 20), 1, 0);
  canvas.AddKeyItem(L"B", 5, CRect(30, 0, 50, 20), 1, 0);
  canvas.SetColorMap(1, 0, 0x111111);
  EXPECT_EQ(canvas.GetKeyItems()[0]->color, 0u) << "outside mode 1 only the map changes";
  canvas.SetZephraMode(ZEPHRA_COLOR_MAP);
  canvas.SetColorMap(1, 0, 0x222222);
  EXPECT_EQ(canvas.GetKeyItems()[0]->color, 0x222222u);
  EXPECT_EQ(canvas.GetKeyItems()[1]->color, 0u);

  canvas.SetColorMap(0, 8, 0x333333);  // row 8 would alias cell (1, 0)
  canvas.SetColorMap(32, 0, 0x333333);
  canvas.SetColorMap(-1, 0, 0x333333);
  EXPECT_EQ(canvas.GetColorMap(1, 0), 0x222222u);
  EXPECT_EQ(canvas.GetKeyItems()[0]->color, 0x222222u);

  BYTE map[256] = {};
  canvas.SetKeyMap(map, 12, 40);
  EXPECT_EQ(canvas.GetMapRows(), 8);
  EXPECT_EQ(canvas.GetMapColumns(), 32);
}

TEST(CanvasCapture, ScreenStepsAreThrottledAndFillTheGrid) {
  FakeSources sources;
  EffectSources s = sources.Make();
  s.grabScreen = [&](const RECT&, int w, int h, std::vector<DWORD>& px) {
    ++sources.grabs;
    px.assign(size_t(w * h), 0xFF000000);
    for (int y = 0; y < h; ++y)
      for (int x = w / 2; x < w; ++x) px[size_t(y * w + x)] = 0xFF00C800;  // right half green
    return true;
  };
  TestCanvas canvas;
  canvas.SetEffectSources(s);
  canvas.AddKeyItem(L"L", 4, CRect(0, 0, 20, 20), 0, 3);
  canvas.AddKeyItem(L"R", 5, CRect(30, 0, 50, 20), 18, 3);
  canvas.SetZephraMode(ZEPHRA_SCREEN);
  canvas.OnControlTimer();
  EXPECT_EQ(sources.grabs, 1);
  auto keys = canvas.GetKeyItems();
  EXPECT_EQ(keys[0]->color, 0u);
  EXPECT_GT(GetGValue(keys[1]->color), 200) << "green, adjusted and boosted";
  sources.tick += 20;  // closer than the 40 ms interval
  canvas.OnControlTimer();
  EXPECT_EQ(sources.grabs, 1);

  ScreenCaptureConfig config = canvas.GetScreenConfig();
  config.effectType = SCREEN_EFFECT_AVERAGE;
  canvas.SetScreenConfig(config);
  sources.tick += 50;
  canvas.OnControlTimer();
  EXPECT_EQ(sources.grabs, 2);
  EXPECT_EQ(keys[0]->color, keys[1]->color) << "one averaged colour for every cell";
  EXPECT_NE(keys[0]->color, 0u);
}

TEST(CanvasCapture, CaptureRectanglesFallBackToThePrimaryScreen) {
  const CRect primary(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
  ScreenCaptureConfig config;
  config.monitorIndex = 7;
  EXPECT_EQ(ZephraEffect::ResolveCaptureRect(config), primary);
  config.captureType = CAPTURE_RECT;
  config.captureRect = CRect(100, 100, 50, 200);
  EXPECT_EQ(ZephraEffect::ResolveCaptureRect(config), primary);
  config.captureRect = CRect(10, 20, 110, 220);
  EXPECT_EQ(ZephraEffect::ResolveCaptureRect(config), CRect(10, 20, 110, 220));
  config.captureType = 9;
  EXPECT_TRUE(ZephraEffect::ResolveCaptureRect(config).IsRectEmpty());
}

TEST(CanvasCapture, WindowStepWithoutAWindowLeavesTheKeys) {
  FakeSources sources;
  EffectSources s = sources.Make();
  s.grabWindow = [&](HWND, int w, int h, std::vector<DWORD>& px) {
    ++sources.grabs;
    px.assign(size_t(w * h), 0xFFFF0000);
    return true;
  };
  TestCanvas canvas;
  canvas.SetEffectSources(s);
  canvas.AddKeyItem(L"A", 4, CRect(0, 0, 20, 20), 2, 2);
  canvas.GetKeyItems()[0]->color = 0x123456;
  canvas.SetZephraMode(ZEPHRA_WINDOW);
  canvas.OnControlTimer();
  EXPECT_EQ(sources.grabs, 0);
  EXPECT_EQ(canvas.GetKeyItems()[0]->color, 0x123456u);
  HWND window = ::GetDesktopWindow();
  canvas.SetCaptureWindow(window);
  canvas.OnControlTimer();
  EXPECT_EQ(sources.grabs, 1);
  EXPECT_EQ(canvas.GetKeyItems()[0]->color, RGB(255, 0, 0)) << "window colours are not adjusted";
}

namespace {
// Eleven rows of nine wide keys and a strip of six dots over the 600 x 400 canvas.
void LoadKeys(ZephraEffect& c) {
  for (int row = 0; row < 11; ++row)
    for (int column = 0; column < 9; ++column)
      c.AddKeyItem(L"", DWORD(4 + row * 9 + column),
                   CRect(column * 60 + 5, row * 30 + 3, column * 60 + 50, row * 30 + 28), column, row);
  for (int i = 0; i < 6; ++i) c.AddKeyItem(L"", DWORD(300 + i), CRect(i * 90 + 40, 345, i * 90 + 46, 351), i, 7);
}

std::vector<COLORREF> KeyColours(ZephraEffect& c) {
  std::vector<COLORREF> colours;
  for (KEYITEM_INFO* key : c.GetKeyItems()) colours.push_back(key->color);
  return colours;
}

// A picture file of w x h pixels: `left` in the left half, `right` in the right half (0xAARRGGBB).
std::wstring Picture(TempFolder& folder, const wchar_t* name, int w, int h, DWORD left, DWORD right) {
  const std::wstring path = folder.File(name);
  HDC dc = ::CreateCompatibleDC(nullptr);
  BYTE* bits = nullptr;
  HBITMAP bitmap = MRender::CreateARGB32Bitmap(dc, w, h, &bits);
  auto* words = reinterpret_cast<DWORD*>(bits);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) words[y * w + x] = x < w / 2 ? left : right;
  MRender::SaveBitmapToFile(bitmap, path.c_str());
  ::DeleteObject(bitmap);
  ::DeleteDC(dc);
  return path;
}
}  // namespace

TEST(CanvasHidden, EveryLayerGivesTheKeysTheColoursOfTheShownPicture) {
  for (int type = 1; type <= 20; ++type) {
    FakeSources shownSources, hiddenSources;
    TestCanvas shown, hidden;
    shown.SetEffectSources(shownSources.Make());
    hidden.SetEffectSources(hiddenSources.Make());
    for (TestCanvas* c : {&shown, &hidden}) {
      c->SetZephraMode(ZEPHRA_MUSIC);
      LoadKeys(*c);
      c->AddLightLayer(type, CRect(40, 30, 560, 370));
      c->DeleteLightLayer(999);  // no frame: the shown picture draws it over the keys
      Loud(*c);
    }
    shown.Render();
    hidden.DrawHideControl();
    const std::vector<COLORREF> want = KeyColours(shown), got = KeyColours(hidden);
    EXPECT_EQ(got, want) << "type " << type;
    EXPECT_GT(std::count_if(want.begin(), want.end(), [](COLORREF c) { return c != 0; }), 0) << "type " << type;
  }
}

TEST(CanvasHidden, TheSelectedLayersFrameLiesUnderTheKeysOnlyWhenHidden) {
  TestCanvas canvas;
  canvas.SetZephraMode(ZEPHRA_MUSIC);
  canvas.AddLightLayer(LAYER_LINEAR_WAVE, CRect(100, 100, 300, 250));  // selected; silent: draws nothing
  Silence(canvas);
  canvas.AddKeyItem(L"", 4, CRect(60, 65, 100, 95), 0, 0);     // reads (100, 100): the top-left handle
  canvas.AddKeyItem(L"", 5, CRect(200, 200, 240, 230), 1, 0);  // reads (240, 235): inside the layer
  canvas.Render();
  auto keys = canvas.GetKeyItems();
  EXPECT_EQ(keys[0]->color, 0u) << "shown, the frame is drawn over the keys";
  canvas.DrawHideControl();
  EXPECT_EQ(keys[0]->color, RGB(255, 255, 255)) << "hidden, the handle is drawn before the keys";
  EXPECT_EQ(keys[1]->color, 0u);
}

TEST(CanvasHidden, AKeyDrawnOverALaterKeysPointColoursIt) {
  TestCanvas canvas;
  canvas.SetZephraMode(ZEPHRA_MUSIC);
  Silence(canvas);
  canvas.AddKeyItem(L"", 4, CRect(0, 0, 60, 40), 0, 0);    // a translucent white box
  canvas.AddKeyItem(L"", 5, CRect(30, 20, 36, 26), 1, 0);  // a dot inside it
  canvas.AddKeyItem(L"", 6, CRect(200, 0, 260, 40), 2, 0);
  canvas.DrawHideControl();
  auto keys = canvas.GetKeyItems();
  EXPECT_EQ(keys[0]->color, 0u);
  const COLORREF dot = keys[1]->color;
  EXPECT_NEAR(GetRValue(dot), 100, 1) << "the box's 0x64 white over black";
  EXPECT_EQ(GetGValue(dot), GetRValue(dot));
  EXPECT_EQ(GetBValue(dot), GetRValue(dot));
  EXPECT_EQ(keys[2]->color, 0u);
  canvas.Render();
  EXPECT_EQ(keys[1]->color, dot) << "as the shown picture samples it";
}

TEST(CanvasHidden, TheKeysFollowReloadsResizesMovesAndNewPictures) {
  TempFolder folder;
  const std::wstring halves = Picture(folder, L"halves.bmp", 200, 100, 0xFFFF0000, 0xFF0000FF);
  const std::wstring greenYellow = Picture(folder, L"board.bmp", 100, 100, 0xFF00FF00, 0xFFFFFF00);
  const std::wstring white = Picture(folder, L"white.bmp", 20, 20, 0xFFFFFFFF, 0xFFFFFFFF);
  const std::wstring magenta = Picture(folder, L"magenta.bmp", 300, 100, 0xFFFF00FF, 0xFFFF00FF);
  TestCanvas canvas(CRect(0, 0, 600, 400));
  canvas.SetZephraMode(ZEPHRA_GIF);
  canvas.SetGIFImage(halves.c_str());  // at (10, 10), natural size: red x 10-109, blue 110-209
  canvas.SetKeyboardPicture(MRender::LoadImageFromFile(greenYellow.c_str()));
  auto place = [&](CRect rect) {  // the key offset is (20, 25): the key reads (left + 40, top + 35)
    canvas.ClearItem();
    canvas.AddKeyItem(L"", 4, rect, 0, 0);
    canvas.DrawHideControl();
    return canvas.GetKeyItems()[0]->color;
  };
  auto colour = [&] {
    canvas.DrawHideControl();
    return canvas.GetKeyItems()[0]->color;
  };
  EXPECT_EQ(place(CRect(0, 0, 40, 30)), RGB(255, 0, 0));
  EXPECT_EQ(place(CRect(100, 0, 140, 30)), RGB(0, 0, 255)) << "a reloaded layout";
  EXPECT_EQ(place(CRect(380, 0, 420, 30)), RGB(255, 255, 0)) << "the keyboard picture's right half";
  canvas.SetControlRect(CRect(0, 0, 1000, 400));
  EXPECT_EQ(colour(), RGB(0, 255, 0)) << "a wider canvas stretches the keyboard picture";
  canvas.SetControlRect(CRect(0, 0, 400, 400));
  EXPECT_EQ(colour(), 0u) << "a narrower canvas leaves the key off it";
  canvas.SetControlRect(CRect(0, 0, 600, 400));
  canvas.SetKeyboardPicture(MRender::LoadImageFromFile(white.c_str()));
  EXPECT_EQ(colour(), RGB(255, 255, 255)) << "a new keyboard picture";
  EXPECT_EQ(place(CRect(0, 0, 40, 30)), RGB(255, 0, 0));
  canvas.SetGIFImage(magenta.c_str());
  EXPECT_EQ(colour(), RGB(255, 0, 255)) << "a new GIF";
  canvas.SetWidthAndHeight(400, 300);
  canvas.SetControlRect(CRect(0, 0, 1000, 400));  // the keys move right by 280 and up by 5
  EXPECT_EQ(colour(), RGB(255, 255, 255)) << "moved keys read their new place";
}
