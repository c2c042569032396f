// Small drawing helpers of the lists, tabs, value controls, texts and the rich edit: the
// control's GDI+ font, the string formats they use and the copy of the window content
// under a control into its bitmap.
#pragma once
#include <windows.h>
#include <gdiplus.h>
#include <memory>
#include "core/MControlFont.h"

namespace qiv_paint {

// GDI+ font of the control's face (the window's private font or an installed one) at the
// given pixel size (the control's own when `size` is 0) and the control's style. A face
// that cannot be had falls back to the generic sans-serif one, so text is always drawn.
inline std::unique_ptr<Gdiplus::Font> ControlFont(MControlFont& control, int size = 0, int style = -1) {
  Gdiplus::FontFamily* family = control.GetFontFamily(control.GetTextFont());
  const Gdiplus::REAL px = static_cast<Gdiplus::REAL>(size > 0 ? size : control.GetFontWidth());
  const INT s = style < 0 ? static_cast<INT>(control.GetFontStyle()) : style;
  if (family && family->GetLastStatus() == Gdiplus::Ok && family->IsAvailable()) {
    auto font = std::make_unique<Gdiplus::Font>(family, px, s, Gdiplus::UnitPixel);
    if (font->GetLastStatus() == Gdiplus::Ok) return font;
  }
  return std::make_unique<Gdiplus::Font>(Gdiplus::FontFamily::GenericSansSerif(), px, s, Gdiplus::UnitPixel);
}

// No wrapping, trailing spaces measured (flags 0x1800), with the two alignments.
inline void SetFormat(Gdiplus::StringFormat& format, Gdiplus::StringAlignment horizontal,
                      Gdiplus::StringAlignment vertical, INT flags = 0x1800) {
  format.SetAlignment(horizontal);
  format.SetLineAlignment(vertical);
  format.SetFormatFlags(flags);
}

inline Gdiplus::RectF RectF(int x, int y, int w, int h) {
  return Gdiplus::RectF(static_cast<Gdiplus::REAL>(x), static_cast<Gdiplus::REAL>(y), static_cast<Gdiplus::REAL>(w),
                        static_cast<Gdiplus::REAL>(h));
}

// Copies w x h pixels of `from` at (fromX, fromY) into `to` at (x, y), opaquely.
inline void Copy(HDC to, int x, int y, int w, int h, HDC from, int fromX, int fromY) {
  if (w > 0 && h > 0) ::BitBlt(to, x, y, w, h, from, fromX, fromY, SRCCOPY);
}

inline void FillWhite(HDC dc, int w, int h) {
  RECT all = {0, 0, w, h};
  ::FillRect(dc, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
}

// Draws `text` into `layout`; empty texts are skipped.
inline void Text(Gdiplus::Graphics& g, const CString& text, const Gdiplus::Font& font, const Gdiplus::RectF& layout,
                 const Gdiplus::StringFormat& format, Gdiplus::Color color) {
  if (text.IsEmpty()) return;
  Gdiplus::SolidBrush brush(color);
  g.DrawString(text.GetString(), text.GetLength(), &font, layout, &format, &brush);
}

}  // namespace qiv_paint
