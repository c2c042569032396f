// Drawing and state helpers shared by the drawn controls: the cached strip of looks
// (every look rendered side by side over a copy of the window pixels, one look shown),
// colour conversions, the control's GDI+ font and centred titles.
#pragma once
#include <windows.h>
#include <gdiplus.h>
#include <memory>
#include "core/MControlFont.h"

namespace ControlPaint {

// String format flags of every title: no wrapping, trailing spaces measured.
constexpr int kTitleFlags = Gdiplus::StringFormatFlagsNoWrap | Gdiplus::StringFormatFlagsMeasureTrailingSpaces;

// COLORREF (0x00BBGGRR) as an opaque GDI+ colour.
inline Gdiplus::Color FromColorRef(COLORREF c) {
  return Gdiplus::Color(0xFF, GetRValue(c), GetGValue(c), GetBValue(c));
}
// GDI+ colour as COLORREF, alpha dropped.
inline COLORREF ToColorRef(Gdiplus::Color c) { return RGB(c.GetR(), c.GetG(), c.GetB()); }

// The control's font (face, pixel size, style); the sans-serif family when the face is unknown.
std::unique_ptr<Gdiplus::Font> MakeFont(MControlFont& control, int pixelSize, Gdiplus::FontStyle style);
inline std::unique_ptr<Gdiplus::Font> MakeFont(MControlFont& control) {
  return MakeFont(control, control.GetFontWidth(), control.GetFontStyle());
}

// Draws `text` in `colour` inside `layout` with the title flags and the given alignments.
void DrawTitle(Gdiplus::Graphics& g, const CString& text, const Gdiplus::Font& font, const Gdiplus::RectF& layout,
               Gdiplus::Color colour, Gdiplus::StringAlignment horizontal = Gdiplus::StringAlignmentCenter,
               Gdiplus::StringAlignment vertical = Gdiplus::StringAlignmentCenter);

// Solid fill of (x, y, w, h) without smoothing.
void Fill(Gdiplus::Graphics& g, Gdiplus::Color colour, int x, int y, int w, int h);

// The control's strip of `looks` slices (each the control's size): when the cached picture
// is stale it is rebuilt (every slice first receives the window pixels under the control,
// then `render(graphics, width, height)` draws all slices); then slice `shown` is copied to
// the window at the control's place.
template <class Render>
void PaintSlices(MControl& control, HDC& hdc, int looks, int shown, Render render) {
  const CRect r = control.GetRect();
  const int w = r.Width(), h = r.Height();
  if (w <= 0 || h <= 0) return;
  if (!control.GetUpdate() || !control.GetMemDC()) {
    control.UpdateMemDC(hdc, looks * w, h);
    HDC mem = control.GetMemDC();
    if (!mem) return;
    for (int i = 0; i < looks; ++i) ::BitBlt(mem, i * w, 0, w, h, hdc, r.left, r.top, SRCCOPY);
    Gdiplus::Graphics g(mem);
    render(g, w, h);
  }
  if (shown < 0 || shown >= looks) shown = 0;
  ::BitBlt(hdc, r.left, r.top, w, h, control.GetMemDC(), shown * w, 0, SRCCOPY);
}

// IDC_HAND or IDC_ARROW as the current cursor.
void SetHandCursor(bool hand);

// Loads a skin picture (skins folder + file) and its frame size; refuses a count below 1
// (the frame width is a division by it). Returns the image or null.
std::unique_ptr<Gdiplus::Image> LoadSkinStrip(const wchar_t* file, int frames, int& frameWidth, int& frameHeight);

// A point in the window's client coordinates converted to the screen.
POINT ClientToScreen(MControl& control, POINT client);

}  // namespace ControlPaint
