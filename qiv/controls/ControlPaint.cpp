#include "controls/ControlPaint.h"
#include <algorithm>
#include "core/MRender.h"
#include "core/Manager.h"
#include "core/PaintManager.h"

namespace ControlPaint {

std::unique_ptr<Gdiplus::Font> MakeFont(MControlFont& control, int pixelSize, Gdiplus::FontStyle style) {
  Gdiplus::FontFamily* family = control.GetFontFamily(control.GetTextFont());
  const Gdiplus::FontFamily* use = family;
  if (!use || !use->IsAvailable()) use = Gdiplus::FontFamily::GenericSansSerif();
  return std::make_unique<Gdiplus::Font>(use, static_cast<Gdiplus::REAL>(pixelSize), style, Gdiplus::UnitPixel);
}

void DrawTitle(Gdiplus::Graphics& g, const CString& text, const Gdiplus::Font& font, const Gdiplus::RectF& layout,
               Gdiplus::Color colour, Gdiplus::StringAlignment horizontal, Gdiplus::StringAlignment vertical) {
  if (text.IsEmpty()) return;
  Gdiplus::StringFormat format(kTitleFlags);
  format.SetAlignment(horizontal);
  format.SetLineAlignment(vertical);
  Gdiplus::SolidBrush brush(colour);
  g.DrawString(text.GetString(), text.GetLength(), &font, layout, &format, &brush);
}

void Fill(Gdiplus::Graphics& g, Gdiplus::Color colour, int x, int y, int w, int h) {
  if (w <= 0 || h <= 0) return;
  const Gdiplus::SmoothingMode saved = g.GetSmoothingMode();
  g.SetSmoothingMode(Gdiplus::SmoothingModeNone);
  Gdiplus::SolidBrush brush(colour);
  g.FillRectangle(&brush, x, y, w, h);
  g.SetSmoothingMode(saved);
}

namespace {
struct ScratchDib {
  HDC dc = nullptr;
  HBITMAP dib = nullptr;
  HGDIOBJ old = nullptr;
  BYTE* bits = nullptr;
  int width = 0;
  int height = 0;

  ~ScratchDib() { Release(); }
  void Release() {
    if (dc && old) ::SelectObject(dc, old);
    if (dc) ::DeleteDC(dc);
    if (dib) ::DeleteObject(dib);
    dc = nullptr;
    dib = nullptr;
    old = nullptr;
    bits = nullptr;
    width = height = 0;
  }
  bool Fit(HDC like, int w, int h) {
    if (dc && bits && w <= width && h <= height) return true;
    const int nw = std::max(w, width), nh = std::max(h, height);
    Release();
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = nw;
    info.bmiHeader.biHeight = -nh;  // top-down: the first row first, as GDI+ expects
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* pixels = nullptr;
    dib = ::CreateDIBSection(like, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
    dc = dib ? ::CreateCompatibleDC(like) : nullptr;
    if (!dib || !pixels || !dc) {
      Release();
      return false;
    }
    old = ::SelectObject(dc, dib);
    bits = static_cast<BYTE*>(pixels);
    width = nw;
    height = nh;
    return true;
  }
};

std::mutex g_scratchLock;
ScratchDib g_scratch;
}  // namespace

CanvasLease::CanvasLease(HDC like, int width, int height) {
  g_scratchLock.lock();
  if (!g_scratch.Fit(like, width, height)) return;
  // A view of the top-left width x height of the scratch picture.
  auto bitmap =
      std::make_unique<Gdiplus::Bitmap>(width, height, g_scratch.width * 4, PixelFormat32bppRGB, g_scratch.bits);
  if (bitmap->GetLastStatus() == Gdiplus::Ok) bitmap_ = std::move(bitmap);
}

CanvasLease::~CanvasLease() {
  bitmap_.reset();
  g_scratchLock.unlock();
}

HDC CanvasLease::Dc() const { return g_scratch.dc; }

void ShowSlice(MControl& control, HDC& hdc, int shown) {
  const CRect r = control.GetRect();
  if (HDC mem = control.GetMemDC()) ::BitBlt(hdc, r.left, r.top, r.Width(), r.Height(), mem, shown * r.Width(), 0, SRCCOPY);
}

void SetHandCursor(bool hand) { ::SetCursor(::LoadCursorW(nullptr, hand ? IDC_HAND : IDC_ARROW)); }

std::unique_ptr<Gdiplus::Image> LoadSkinStrip(const wchar_t* file, int frames, int& frameWidth, int& frameHeight) {
  if (!file || frames < 1) return nullptr;
  std::unique_ptr<Gdiplus::Image> image(MRender::LoadImageFromFile(GetSkinsFolder() + file));
  if (!image) return nullptr;
  frameWidth = static_cast<int>(image->GetWidth()) / frames;
  frameHeight = static_cast<int>(image->GetHeight());
  return image;
}

POINT ClientToScreen(MControl& control, POINT client) {
  PaintManager* manager = control.GetManager();
  HWND window = manager ? manager->GetPaintWnd() : nullptr;
  if (window && ::IsWindow(window)) ::ClientToScreen(window, &client);
  return client;
}

}  // namespace ControlPaint
