// MRender routines that draw onto a render canvas without GDI+ where they can: a fill is
// written into the pixels; text, unsmoothed outlines and skin pictures are drawn once by
// GDI+ into a picture of their own, kept in the window's memo, and laid down from it from
// then on. What depends on the pixels under it beyond a mask (ClearType and GDI text,
// smoothed outlines) is drawn on the canvas once per background, and the region's result
// laid down again over the same pixels.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <cwchar>
#include "core/MRender.h"
#include "core/PaintManager.h"
#include "core/PictureMemo.h"
#include "core/RenderCanvas.h"

namespace {
using PixelBlend::Coverage;

// The pixels of a GDI+ ARGB bitmap, rows top-down.
std::vector<uint32_t> ReadPixels(Gdiplus::Bitmap& bitmap, int w, int h) {
  std::vector<uint32_t> pixels(static_cast<size_t>(w) * h);
  Gdiplus::BitmapData data = {};
  data.Width = static_cast<UINT>(w);
  data.Height = static_cast<UINT>(h);
  data.Stride = w * 4;
  data.PixelFormat = PixelFormat32bppARGB;
  data.Scan0 = pixels.data();
  Gdiplus::Rect all(0, 0, w, h);
  if (bitmap.LockBits(&all, Gdiplus::ImageLockModeRead | Gdiplus::ImageLockModeUserInputBuf, PixelFormat32bppARGB,
                      &data) == Gdiplus::Ok)
    bitmap.UnlockBits(&data);
  return pixels;
}

// A transparent w x h picture drawn by `draw` with the sampling settings of `like`.
template <class Draw>
MemoPicture DrawPicture(Gdiplus::Graphics& like, int w, int h, Draw draw) {
  MemoPicture picture;
  Gdiplus::Bitmap bitmap(w, h, PixelFormat32bppARGB);
  if (bitmap.GetLastStatus() != Gdiplus::Ok) return picture;
  {
    Gdiplus::Graphics g(&bitmap);
    g.SetInterpolationMode(like.GetInterpolationMode());
    g.SetPixelOffsetMode(like.GetPixelOffsetMode());
    g.SetSmoothingMode(like.GetSmoothingMode());
    g.SetTextRenderingHint(like.GetTextRenderingHint());
    g.SetTextContrast(like.GetTextContrast());
    g.SetCompositingQuality(like.GetCompositingQuality());
    draw(g);
  }
  picture.width = w;
  picture.height = h;
  picture.argb = ReadPixels(bitmap, w, h);
  return picture;
}

void AppendSampling(std::wstring& key, Gdiplus::Graphics& g) {
  PictureMemo::Append(key, g.GetInterpolationMode());
  PictureMemo::Append(key, g.GetPixelOffsetMode());
  PictureMemo::Append(key, g.GetCompositingQuality());
}

// A canvas whose memo may hold pictures of `image`.
RenderCanvas* MemoCanvas(Gdiplus::Graphics& g, Gdiplus::Image* image) {
  RenderCanvas* canvas = RenderCanvas::PlainOf(g);
  if (!canvas || !canvas->Memo() || !canvas->Manager()->IsCachedImage(image)) return nullptr;
  return canvas;
}

// Lays down the memo picture of `key`, drawing it first when absent. False when nothing
// could be drawn the memo way (the caller then draws with GDI+).
template <class Draw>
bool LayPicture(RenderCanvas& canvas, Gdiplus::Graphics& g, const std::wstring& key, const CRect& dst, Draw draw) {
  PictureMemo& memo = *canvas.Memo();
  const MemoPicture* picture = memo.FindPicture(key);
  if (!picture) {
    MemoPicture drawn = DrawPicture(g, dst.Width(), dst.Height(), draw);
    if (drawn.argb.empty()) return false;
    picture = memo.KeepPicture(key, std::move(drawn));
  }
  PixelBlend::BlendPicture(canvas.Surface(), dst.left, dst.top, picture->argb.data(), picture->width,
                           picture->height, canvas.Area());
  return true;
}

// Everything of the graphics' state that decides how it rasterises and blends.
void AppendState(std::wstring& key, Gdiplus::Graphics& g) {
  AppendSampling(key, g);
  PictureMemo::Append(key, g.GetSmoothingMode());
  PictureMemo::Append(key, g.GetTextRenderingHint());
  PictureMemo::Append(key, g.GetTextContrast());
}

// A float's exact bits: overlay keys must tell apart every position GDI+ tells apart.
void AppendExact(std::wstring& key, float value) {
  uint32_t bits = 0;
  static_assert(sizeof(bits) == sizeof(value));
  std::memcpy(&bits, &value, sizeof(bits));
  PictureMemo::Append(key, static_cast<long long>(bits));
}

// The region's pixels, rows top-down, alpha byte included.
std::vector<uint32_t> ReadRegion(const PixelBlend::Surface& s, const CRect& r) {
  std::vector<uint32_t> pixels(static_cast<size_t>(r.Width()) * r.Height());
  for (int y = r.top; y < r.bottom; ++y)
    std::memcpy(&pixels[static_cast<size_t>(y - r.top) * r.Width()],
                s.bits + static_cast<ptrdiff_t>(y) * s.stride + static_cast<ptrdiff_t>(r.left) * 4,
                static_cast<size_t>(r.Width()) * 4);
  return pixels;
}

long long HashPixels(const std::vector<uint32_t>& pixels) {
  uint64_t h = 1469598103934665603ull;  // FNV-1a over whole pixels
  for (uint32_t p : pixels) h = (h ^ p) * 1099511628211ull;
  return static_cast<long long>(h);
}

// Draws `draw` (GDI+ on the canvas graphics, touching nothing outside `region`) the memo
// way: `key` describes the drawing relative to the region's top-left corner; the region's
// pixels before complete it. Over pixels met before, the kept result is copied in.
template <class Draw>
void DrawOverlay(RenderCanvas& canvas, Gdiplus::Graphics& g, std::wstring key, CRect region, Draw draw) {
  const PixelBlend::Surface s = canvas.Surface();
  region.IntersectRect(region, CRect(0, 0, s.width, s.height));
  if (region.IsRectEmpty()) {
    draw();
    return;
  }
  std::vector<uint32_t> before = ReadRegion(s, region);
  PictureMemo::Append(key, region.Width());
  PictureMemo::Append(key, region.Height());
  PictureMemo::Append(key, HashPixels(before));
  PictureMemo& memo = *canvas.Memo();
  const MemoOverlay* kept = memo.FindOverlay(key);
  if (kept && kept->width == region.Width() && kept->height == region.Height() && kept->before == before) {
    for (int y = region.top; y < region.bottom; ++y)
      std::memcpy(s.bits + static_cast<ptrdiff_t>(y) * s.stride + static_cast<ptrdiff_t>(region.left) * 4,
                  &kept->after[static_cast<size_t>(y - region.top) * region.Width()],
                  static_cast<size_t>(region.Width()) * 4);
    return;
  }
  draw();
  g.Flush(Gdiplus::FlushIntentionSync);
  MemoOverlay overlay;
  overlay.width = region.Width();
  overlay.height = region.Height();
  overlay.before = std::move(before);
  overlay.after = ReadRegion(s, region);
  memo.KeepOverlay(key, std::move(overlay));
}

void NineGrid(Gdiplus::Graphics& g, Gdiplus::Image* image, const CRect& dst, int sx, int sy, int sw, int sh, int l,
              int t, int r, int b) {
  const int L = dst.left, T = dst.top, R = dst.right, B = dst.bottom;
  auto piece = [&](int x, int y, int w, int h, int px, int py, int pw, int ph) {
    if (w <= 0 || h <= 0 || pw <= 0 || ph <= 0) return;
    g.DrawImage(image, Gdiplus::Rect(x, y, w, h), px, py, pw, ph, Gdiplus::UnitPixel);
  };
  piece(L, T, l, t, sx, sy, l, t);
  piece(L, T + t, l, B - T - t - b, sx, sy + t, l, sh - t - b);
  piece(L, B - b, l, b, sx, sy + sh - b, l, b);
  piece(L + l, T, R - L - l - r, t, sx + l, sy, sw - l - r, t);
  piece(R - r, T, r, t, sx + sw - r, sy, r, t);
  piece(R - r, T + t, r, B - T - t - b, sx + sw - r, sy + t, r, sh - t - b);
  piece(R - r, B - b, r, b, sx + sw - r, sy + sh - b, r, b);
  piece(L + l, B - b, R - L - l - r, b, sx + l, sy + sh - b, sw - l - r, b);
  piece(L + l, T + t, R - L - l - r, B - T - t - b, sx + l, sy + t, sw - l - r, sh - t - b);
}

// Everything of a string format that moves or clips text; false for formats the memo
// does not take (no clipping to the layout, tab stops).
bool AppendFormat(std::wstring& key, const Gdiplus::StringFormat& format) {
  const INT flags = format.GetFormatFlags();
  if (flags & Gdiplus::StringFormatFlagsNoClip) return false;
  if (format.GetTabStopCount() > 0) return false;
  PictureMemo::Append(key, flags);
  PictureMemo::Append(key, format.GetAlignment());
  PictureMemo::Append(key, format.GetLineAlignment());
  PictureMemo::Append(key, format.GetTrimming());
  PictureMemo::Append(key, format.GetHotkeyPrefix());
  PictureMemo::Append(key, format.GetMeasurableCharacterRangeCount());
  return true;
}

bool AppendFont(std::wstring& key, Gdiplus::Graphics& g, const Gdiplus::Font& font) {
  // The face as GDI will be asked for it (its family name), with size, weight and style,
  // read from the font itself: asking it for its family makes and deletes one per key.
  LOGFONTW logFont = {};
  if (font.GetLogFontW(&g, &logFont) != Gdiplus::Ok) return false;
  PictureMemo::Append(key, font.GetStyle());
  PictureMemo::Append(key, font.GetUnit());
  PictureMemo::Append(key, std::llround(font.GetSize() * 64.0));
  PictureMemo::Append(key, logFont.lfFaceName, static_cast<int>(std::wcslen(logFont.lfFaceName)));
  PictureMemo::Append(key, logFont.lfHeight);
  PictureMemo::Append(key, logFont.lfWeight);
  PictureMemo::Append(key, logFont.lfItalic | (logFont.lfUnderline << 1) | (logFont.lfStrikeOut << 2));
  return true;
}

// Text in the memo way: the coverage of the string in its layout, positioned on whole
// pixels with the layout's fraction kept inside the mask.
bool FitsMask(Gdiplus::Graphics& g) {
  // One coverage level per pixel holds grey anti-aliasing only: ClearType (and the system
  // default, which may be ClearType) weighs each colour channel apart.
  const Gdiplus::TextRenderingHint hint = g.GetTextRenderingHint();
  return hint != Gdiplus::TextRenderingHintClearTypeGridFit && hint != Gdiplus::TextRenderingHintSystemDefault;
}

bool DrawMemoString(RenderCanvas& canvas, Gdiplus::Graphics& g, const wchar_t* text, int length,
                    const Gdiplus::Font& font, const Gdiplus::RectF& layout, const Gdiplus::StringFormat& format,
                    Gdiplus::Color color) {
  const float left = std::floor(layout.X), top = std::floor(layout.Y);
  const float fx = layout.X - left, fy = layout.Y - top;
  std::wstring key(1, L'T');
  if (!AppendFont(key, g, font) || !AppendFormat(key, format)) return false;
  PictureMemo::Append(key, g.GetTextRenderingHint());
  PictureMemo::Append(key, g.GetTextContrast());
  for (float v : {fx, fy, layout.Width, layout.Height}) PictureMemo::Append(key, std::llround(v * 64.0));
  PictureMemo::Append(key, text, length);

  PictureMemo& memo = *canvas.Memo();
  const Coverage* mask = memo.FindText(key);
  if (!mask) {
    const int w = static_cast<int>(std::ceil(fx + layout.Width)), h = static_cast<int>(std::ceil(fy + layout.Height));
    MemoPicture drawn = DrawPicture(g, w, h, [&](Gdiplus::Graphics& pg) {
      Gdiplus::SolidBrush black(Gdiplus::Color(255, 0, 0, 0));
      pg.DrawString(text, length, &font, Gdiplus::RectF(fx, fy, layout.Width, layout.Height), &format, &black);
    });
    if (drawn.argb.empty()) return false;
    mask = memo.KeepText(key, PixelBlend::CoverageFromAlpha(drawn.argb.data(), drawn.width, drawn.height));
  }
  PixelBlend::BlendCoverage(canvas.Surface(), static_cast<int>(left), static_cast<int>(top), *mask,
                            color.GetValue(), canvas.Area());
  return true;
}

// Text the mask way cannot hold, from the canvas's pixels before and after. GDI+ clips
// the text to its layout; the region keeps a pixel more on each side.
bool DrawOverlayString(RenderCanvas& canvas, Gdiplus::Graphics& g, const wchar_t* text, int length,
                       const Gdiplus::Font& font, const Gdiplus::RectF& layout, const Gdiplus::StringFormat& format,
                       const Gdiplus::Brush& brush, Gdiplus::Color color) {
  const CRect region(static_cast<int>(std::floor(layout.X)) - 1, static_cast<int>(std::floor(layout.Y)) - 1,
                     static_cast<int>(std::ceil(layout.X + layout.Width)) + 1,
                     static_cast<int>(std::ceil(layout.Y + layout.Height)) + 1);
  std::wstring key(1, L'C');
  if (!AppendFont(key, g, font) || !AppendFormat(key, format)) return false;
  AppendState(key, g);
  PictureMemo::Append(key, static_cast<long long>(color.GetValue()));
  for (float v : {layout.X - static_cast<float>(region.left), layout.Y - static_cast<float>(region.top),
                  layout.Width, layout.Height})
    AppendExact(key, v);
  PictureMemo::Append(key, text, length);
  DrawOverlay(canvas, g, std::move(key), region, [&] { g.DrawString(text, length, &font, layout, &format, &brush); });
  return true;
}
}  // namespace

void MRender::DrawImageFrameMID(Gdiplus::Graphics& g, Gdiplus::Image* image, const CRect& dst, int sx, int sy,
                                int sw, int sh, int l, int t, int r, int b) {
  if (!image) return;
  // Overlapping pieces blend onto each other; only a grid whose pieces meet edge to edge
  // gives the same pixels drawn apart.
  const bool apart = dst.Width() >= l + r && dst.Height() >= t + b && dst.Width() > 0 && dst.Height() > 0;
  if (RenderCanvas* canvas = apart ? MemoCanvas(g, image) : nullptr) {
    std::wstring key(1, L'F');
    PictureMemo::Append(key, static_cast<long long>(reinterpret_cast<UINT_PTR>(image)));
    for (int v : {sx, sy, sw, sh, l, t, r, b, dst.Width(), dst.Height()}) PictureMemo::Append(key, v);
    AppendSampling(key, g);
    const CRect at(0, 0, dst.Width(), dst.Height());
    if (LayPicture(*canvas, g, key, dst, [&](Gdiplus::Graphics& pg) { NineGrid(pg, image, at, sx, sy, sw, sh, l, t, r, b); }))
      return;
  }
  NineGrid(g, image, dst, sx, sy, sw, sh, l, t, r, b);
}

void MRender::DrawImage(Gdiplus::Graphics& g, Gdiplus::Image* image, const CRect& dst, int sx, int sy, int sw,
                        int sh) {
  if (!image || dst.Width() <= 0 || dst.Height() <= 0 || sw <= 0 || sh <= 0) return;
  // A stretched picture's edges are partly covered: laid down from a picture of its own
  // they would be rounded twice and differ by a step from what GDI+ draws.
  const bool unscaled = dst.Width() == sw && dst.Height() == sh;
  if (RenderCanvas* canvas = unscaled ? MemoCanvas(g, image) : nullptr) {
    std::wstring key(1, L'I');
    PictureMemo::Append(key, static_cast<long long>(reinterpret_cast<UINT_PTR>(image)));
    for (int v : {sx, sy, sw, sh, dst.Width(), dst.Height()}) PictureMemo::Append(key, v);
    AppendSampling(key, g);
    if (LayPicture(*canvas, g, key, dst, [&](Gdiplus::Graphics& pg) {
          pg.DrawImage(image, Gdiplus::Rect(0, 0, dst.Width(), dst.Height()), sx, sy, sw, sh, Gdiplus::UnitPixel);
        }))
      return;
  }
  g.DrawImage(image, Gdiplus::Rect(dst.left, dst.top, dst.Width(), dst.Height()), sx, sy, sw, sh, Gdiplus::UnitPixel);
}

void MRender::DrawString(Gdiplus::Graphics& g, const wchar_t* text, int length, const Gdiplus::Font& font,
                         const Gdiplus::RectF& layout, const Gdiplus::StringFormat& format,
                         const Gdiplus::Brush& brush) {
  if (!text) return;
  if (length < 0) length = static_cast<int>(std::wcslen(text));
  if (length == 0) return;
  RenderCanvas* canvas = brush.GetType() == Gdiplus::BrushTypeSolidColor ? RenderCanvas::PlainOf(g) : nullptr;
  // GDI+ places and clips text left of or above the canvas its own way (past its layout).
  const bool sized = layout.Width > 0 && layout.Height > 0 && layout.Width <= 4096 && layout.Height <= 4096 &&
                     layout.X >= 0 && layout.Y >= 0;
  if (canvas && canvas->Memo() && sized) {
    Gdiplus::Color color;
    static_cast<const Gdiplus::SolidBrush&>(brush).GetColor(&color);
    if (FitsMask(g) ? DrawMemoString(*canvas, g, text, length, font, layout, format, color)
                            : DrawOverlayString(*canvas, g, text, length, font, layout, format, brush, color))
      return;
  }
  g.DrawString(text, length, &font, layout, &format, &brush);
}

void MRender::DrawRectangle(Gdiplus::Graphics& g, Gdiplus::Color color, float penWidth, int x, int y, int width,
                            int height) {
  Gdiplus::Pen pen(color, penWidth);
  RenderCanvas* canvas = RenderCanvas::PlainOf(g);
  if (!canvas || !canvas->Memo() || !(penWidth > 0) || penWidth > 64 || width < 0 || height < 0 ||
      width > 4096 || height > 4096) {
    g.DrawRectangle(&pen, x, y, width, height);
    return;
  }
  // The pen reaches half its width past the outline, a pixel more with smoothing.
  const int reach = static_cast<int>(std::ceil(penWidth / 2)) + 2;
  const CRect region(x - reach, y - reach, x + width + reach + 1, y + height + reach + 1);
  const Gdiplus::SmoothingMode smoothing = g.GetSmoothingMode();
  if (smoothing == Gdiplus::SmoothingModeDefault || smoothing == Gdiplus::SmoothingModeHighSpeed ||
      smoothing == Gdiplus::SmoothingModeNone) {
    // Unsmoothed, a pixel is covered or not: the outline's mask, whatever the colour.
    std::wstring key(1, L'O');
    AppendSampling(key, g);
    PictureMemo::Append(key, smoothing);
    AppendExact(key, penWidth);
    for (long v : {static_cast<long>(width), static_cast<long>(height), static_cast<long>(reach)})
      PictureMemo::Append(key, v);
    PictureMemo& memo = *canvas->Memo();
    const Coverage* mask = memo.FindText(key);
    if (!mask) {
      MemoPicture drawn = DrawPicture(g, region.Width(), region.Height(), [&](Gdiplus::Graphics& pg) {
        Gdiplus::Pen black(Gdiplus::Color(255, 0, 0, 0), penWidth);
        pg.DrawRectangle(&black, reach, reach, width, height);
      });
      if (!drawn.argb.empty())
        mask = memo.KeepText(key, PixelBlend::CoverageFromAlpha(drawn.argb.data(), drawn.width, drawn.height));
    }
    if (mask) {
      PixelBlend::BlendCoverage(canvas->Surface(), region.left, region.top, *mask, color.GetValue(), canvas->Area());
      return;
    }
  }
  std::wstring key(1, L'R');
  AppendState(key, g);
  PictureMemo::Append(key, static_cast<long long>(color.GetValue()));
  AppendExact(key, penWidth);
  for (long v : {x - region.left, y - region.top, static_cast<long>(width), static_cast<long>(height)})
    PictureMemo::Append(key, v);
  DrawOverlay(*canvas, g, std::move(key), region, [&] { g.DrawRectangle(&pen, x, y, width, height); });
}

void MRender::FillRectangle(Gdiplus::Graphics& g, Gdiplus::Color color, int x, int y, int width, int height) {
  if (width <= 0 || height <= 0) return;
  if (RenderCanvas* canvas = RenderCanvas::PlainOf(g)) {
    PixelBlend::Fill(canvas->Surface(), CRect(x, y, x + width, y + height), color.GetValue(), canvas->Area());
    return;
  }
  const Gdiplus::SmoothingMode saved = g.GetSmoothingMode();
  g.SetSmoothingMode(Gdiplus::SmoothingModeNone);
  Gdiplus::SolidBrush brush(color);
  g.FillRectangle(&brush, x, y, width, height);
  g.SetSmoothingMode(saved);
}

bool MRender::DrawMemoTextW(HDC hdc, const CRect& rect, const wchar_t* text, COLORREF color, HFONT font,
                            unsigned format) {
  // Clipped to its rectangle, drawing (not measuring) and leaving the text as it is.
  if (format & (DT_NOCLIP | DT_CALCRECT | DT_MODIFYSTRING | DT_TABSTOP | DT_EXPANDTABS)) return false;
  if (rect.IsRectEmpty() || rect.Width() > 4096 || rect.Height() > 4096) return false;
  RenderCanvas* canvas = RenderCanvas::PlainOf(hdc);
  LOGFONTW logFont = {};
  if (!canvas || !canvas->Memo() || !font || ::GetObjectW(font, sizeof(logFont), &logFont) != sizeof(logFont))
    return false;
  const CRect region(rect.left - 1, rect.top - 1, rect.right + 1, rect.bottom + 1);
  std::wstring key(1, L'G');
  for (long v : {logFont.lfHeight, logFont.lfWidth, logFont.lfEscapement, logFont.lfOrientation, logFont.lfWeight})
    PictureMemo::Append(key, v);
  for (BYTE v : {logFont.lfItalic, logFont.lfUnderline, logFont.lfStrikeOut, logFont.lfCharSet,
                 logFont.lfOutPrecision, logFont.lfClipPrecision, logFont.lfQuality, logFont.lfPitchAndFamily})
    PictureMemo::Append(key, v);
  PictureMemo::Append(key, logFont.lfFaceName, static_cast<int>(std::wcslen(logFont.lfFaceName)));
  PictureMemo::Append(key, static_cast<long long>(color));
  PictureMemo::Append(key, static_cast<long long>(format));
  PictureMemo::Append(key, rect.Width());
  PictureMemo::Append(key, rect.Height());
  PictureMemo::Append(key, text, static_cast<int>(std::wcslen(text)));
  ::GdiFlush();  // the canvas's pixels as GDI left them
  DrawOverlay(*canvas, canvas->Graphics(), std::move(key), region, [&] {
    ::SetBkMode(hdc, TRANSPARENT);
    const COLORREF oldColor = ::SetTextColor(hdc, color);
    const HGDIOBJ oldFont = ::SelectObject(hdc, font);
    CRect r = rect;
    ::DrawTextW(hdc, text, -1, &r, format);
    ::SetTextColor(hdc, oldColor);
    ::SelectObject(hdc, oldFont);
    ::GdiFlush();
  });
  return true;
}
