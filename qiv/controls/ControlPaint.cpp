#include "controls/ControlPaint.h"
#include <algorithm>
#include "core/MRender.h"
#include "core/Manager.h"
#include "core/PaintManager.h"

namespace ControlPaint {

FontRef MakeFont(MControlFont& control, int pixelSize, Gdiplus::FontStyle style) {
  // The window's kept font: making a font from its family costs far more.
  if (PaintManager* manager = control.GetManager())
    if (const Gdiplus::Font* kept = manager->GetFont(control.GetTextFont(), pixelSize, style)) return FontRef(kept);
  Gdiplus::FontFamily* family = control.GetFontFamily(control.GetTextFont());
  const Gdiplus::FontFamily* use = family;
  if (!use || !use->IsAvailable()) use = Gdiplus::FontFamily::GenericSansSerif();
  return FontRef(
      std::make_unique<Gdiplus::Font>(use, static_cast<Gdiplus::REAL>(pixelSize), style, Gdiplus::UnitPixel));
}

void DrawTitle(Gdiplus::Graphics& g, const CString& text, const Gdiplus::Font& font, const Gdiplus::RectF& layout,
               Gdiplus::Color colour, Gdiplus::StringAlignment horizontal, Gdiplus::StringAlignment vertical) {
  if (text.IsEmpty()) return;
  Gdiplus::StringFormat format(kTitleFlags);
  format.SetAlignment(horizontal);
  format.SetLineAlignment(vertical);
  Gdiplus::SolidBrush brush(colour);
  MRender::DrawString(g, text.GetString(), text.GetLength(), font, layout, format, brush);
}

void Fill(Gdiplus::Graphics& g, Gdiplus::Color colour, int x, int y, int w, int h) {
  MRender::FillRectangle(g, colour, x, y, w, h);
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
