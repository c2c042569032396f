// Drawing and state helpers shared by the drawn controls: the cached strip of looks
// (every look rendered side by side over a copy of the window pixels, one look shown),
// colour conversions, the control's GDI+ font and centred titles.
#pragma once
#include <windows.h>
#include <gdiplus.h>
#include <memory>
#include "core/MControlFont.h"
#include "core/RenderCanvas.h"

namespace ControlPaint {

// String format flags of every title: no wrapping, trailing spaces measured.
constexpr int kTitleFlags = Gdiplus::StringFormatFlagsNoWrap | Gdiplus::StringFormatFlagsMeasureTrailingSpaces;

// COLORREF (0x00BBGGRR) as an opaque GDI+ colour.
inline Gdiplus::Color FromColorRef(COLORREF c) {
  return Gdiplus::Color(0xFF, GetRValue(c), GetGValue(c), GetBValue(c));
}
// GDI+ colour as COLORREF, alpha dropped.
inline COLORREF ToColorRef(Gdiplus::Color c) { return RGB(c.GetR(), c.GetG(), c.GetB()); }

// A font to draw with: the window's kept one (not copied: Wine's GDI+ gives a copied
// font no hold on its family, and deleting copies freed a private family that the kept
// fonts still drew with), or one of its own where the window keeps none.
class FontRef {
public:
  explicit FontRef(const Gdiplus::Font* kept) : font_(kept) {}
  explicit FontRef(std::unique_ptr<Gdiplus::Font> own) : font_(own.get()), own_(std::move(own)) {}
  const Gdiplus::Font& operator*() const { return *font_; }
  const Gdiplus::Font* get() const { return font_; }

private:
  const Gdiplus::Font* font_;
  std::unique_ptr<Gdiplus::Font> own_;
};

// The control's font (face, pixel size, style); the sans-serif family when the face is unknown.
FontRef MakeFont(MControlFont& control, int pixelSize, Gdiplus::FontStyle style);
inline FontRef MakeFont(MControlFont& control) {
  return MakeFont(control, control.GetFontWidth(), control.GetFontStyle());
}

// Draws `text` in `colour` inside `layout` with the title flags and the given alignments.
void DrawTitle(Gdiplus::Graphics& g, const CString& text, const Gdiplus::Font& font, const Gdiplus::RectF& layout,
               Gdiplus::Color colour, Gdiplus::StringAlignment horizontal = Gdiplus::StringAlignmentCenter,
               Gdiplus::StringAlignment vertical = Gdiplus::StringAlignmentCenter);

// Solid fill of (x, y, w, h) without smoothing.
void Fill(Gdiplus::Graphics& g, Gdiplus::Color colour, int x, int y, int w, int h);

// The window's scratch picture for one render (RenderCanvas: kept, lent under a lock).
class CanvasLease {
public:
  CanvasLease(MControl& control, HDC like, int width, int height)
      : canvas_(control.GetManager(), like, width, height) {}
  bool Ok() const { return canvas_.Ok(); }
  HDC Dc() const { return canvas_.Dc(); }
  Gdiplus::Graphics& Graphics() const { return canvas_.Graphics(); }

private:
  RenderCanvas canvas_;
};

// Renders the control's memory picture again as a strip of `looks` slices, each the
// control's size: every slice first receives the window pixels under the control, then
// `render(graphics, width, height)` draws all slices. False when there is nothing to draw.
template <class Render>
bool RenderSlices(MControl& control, HDC& hdc, int looks, Render render) {
  const CRect r = control.GetRect();
  const int w = r.Width(), h = r.Height();
  if (w <= 0 || h <= 0) return false;
  control.UpdateMemDC(hdc, looks * w, h);
  HDC mem = control.GetMemDC();
  if (!mem) return false;
  CanvasLease canvas(control, hdc, looks * w, h);
  HDC target = canvas.Ok() ? canvas.Dc() : mem;
  for (int i = 0; i < looks; ++i) ::BitBlt(target, i * w, 0, w, h, hdc, r.left, r.top, SRCCOPY);
  if (canvas.Ok()) {
    render(canvas.Graphics(), w, h);
    ::BitBlt(mem, 0, 0, looks * w, h, canvas.Dc(), 0, 0, SRCCOPY);
  } else {
    Gdiplus::Graphics g(mem);
    render(g, w, h);
  }
  return true;
}

// Copies slice `shown` of the control's memory picture to the window at the control's place.
void ShowSlice(MControl& control, HDC& hdc, int shown);

// The cached strip of looks: rendered again when stale (RenderSlices), then slice `shown`
// goes to the window.
template <class Render>
void PaintSlices(MControl& control, HDC& hdc, int looks, int shown, Render render) {
  if (!control.GetUpdate() || !control.GetMemDC()) {
    if (!RenderSlices(control, hdc, looks, render)) return;
  }
  ShowSlice(control, hdc, shown < 0 || shown >= looks ? 0 : shown);
}

// IDC_HAND or IDC_ARROW as the current cursor.
void SetHandCursor(bool hand);
// The cursor of a move: the hand while the pointer is over the control, the arrow once
// when it leaves. The window routes every move to every control, so a control the
// pointer is not over must leave the cursor to the one it is over.
inline void MoveCursor(bool inside, bool wasInside) {
  if (inside) SetHandCursor(true);
  else if (wasInside) SetHandCursor(false);
}

// Loads a skin picture (skins folder + file) and its frame size; refuses a count below 1
// (the frame width is a division by it). Returns the image or null.
std::unique_ptr<Gdiplus::Image> LoadSkinStrip(const wchar_t* file, int frames, int& frameWidth, int& frameHeight);

// A point in the window's client coordinates converted to the screen.
POINT ClientToScreen(MControl& control, POINT client);

}  // namespace ControlPaint
