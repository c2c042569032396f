#include "controls/ControlPaint.h"
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

DibCanvas::DibCanvas(HDC like, int width, int height) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down: the first row first, as GDI+ expects
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  dib_ = ::CreateDIBSection(like, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!dib_ || !bits) return;
  dc_ = ::CreateCompatibleDC(like);
  if (!dc_) return;
  old_ = ::SelectObject(dc_, dib_);
  auto bitmap = std::make_unique<Gdiplus::Bitmap>(width, height, width * 4, PixelFormat32bppRGB,
                                                  static_cast<BYTE*>(bits));
  if (bitmap->GetLastStatus() == Gdiplus::Ok) bitmap_ = std::move(bitmap);
}

DibCanvas::~DibCanvas() {
  bitmap_.reset();
  if (dc_ && old_) ::SelectObject(dc_, old_);
  if (dc_) ::DeleteDC(dc_);
  if (dib_) ::DeleteObject(dib_);
}

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
