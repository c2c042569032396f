// Static drawing routines shared by every window and control: image loading, nine-grid
// drawing, 32-bit DIB sections, fades, text measuring and placement, GDI text, colour
// fills, a two-colour gradient with translucency, rounded rectangles and .bmp saving.
#pragma once
#include <windows.h>
#include <gdiplus.h>
#include "core/CString.h"
#include "core/Geometry.h"
#include "qiv_export.h"

class QIV_API MRender {
public:
  static Gdiplus::Image* LoadImageFromFile(CString path);
  static Gdiplus::Image* LoadImageFromFileEx(CString path, int width, int height);
  // The image keeps the resource bytes alive; they are freed with the image.
  static Gdiplus::Image* LoadImageFromIDResource(unsigned id, CString type, HINSTANCE module);
  static HICON LoadIconFromFile(CString path);
  static void DrawImageFrame(Gdiplus::Graphics& g, Gdiplus::Image* image, const CRect& dst, int srcX, int srcY,
                             int srcWidth, int srcHeight, int corner);
  static void DrawImageFrameMID(Gdiplus::Graphics& g, Gdiplus::Image* image, const CRect& dst, int srcX, int srcY,
                                int srcWidth, int srcHeight, int left, int top, int right, int bottom);

  // The same drawing as Graphics::DrawImage of the source part into `dst` (pixel units).
  static void DrawImage(Gdiplus::Graphics& g, Gdiplus::Image* image, const CRect& dst, int srcX, int srcY,
                        int srcWidth, int srcHeight);
  // The same drawing as Graphics::DrawString.
  static void DrawString(Gdiplus::Graphics& g, const wchar_t* text, int length, const Gdiplus::Font& font,
                         const Gdiplus::RectF& layout, const Gdiplus::StringFormat& format, const Gdiplus::Brush& brush);
  // A solid fill of (x, y, width, height) without smoothing.
  static void FillRectangle(Gdiplus::Graphics& g, Gdiplus::Color color, int x, int y, int width, int height);
  // The same drawing as Graphics::DrawRectangle with a solid pen of `color` and `penWidth`.
  static void DrawRectangle(Gdiplus::Graphics& g, Gdiplus::Color color, float penWidth, int x, int y, int width,
                            int height);
  // The four above, DrawImageFrame and DrawImageFrameMID give the pixels GDI+ gives. On
  // the graphics of a render canvas (RenderCanvas) they draw straight into its pixels:
  // fills always, and text, outlines and pictures of the window's cached images from the
  // window's memo once they were drawn there (PictureMemo).

  static HDC CreateCompatibleDC(HDC hdc);
  static HBITMAP CreateCompatibleBitmap(HDC hdc, int width, int height);
  // A bottom-up 32-bit DIB section; its pixels are returned through `bits`.
  static HBITMAP CreateARGB32Bitmap(HDC hdc, int width, int height, BYTE** bits);
  static void BitBlt(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY);
  static void BitBlt(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY, DWORD rop);
  // Writes a 24-bit .bmp file; 1 when the file was written.
  static int SaveBitmapToFile(HBITMAP bitmap, CString path);
  static void FillSolidRect(HDC& hdc, const RECT* rect, COLORREF color);
  static void FillSolidRect(HDC& hdc, int x, int y, int width, int height, COLORREF color);
  static void DrawColor(HDC hdc, const RECT& rect, DWORD argb);
  static void DrawGradient(HDC hdc, const RECT& rect, DWORD first, DWORD second, bool vertical, int steps);
  static void DrawRectangle(HDC& hdc, const CRect& rect, int, int, int);
  static void CheckAlphaColor(DWORD& color);
  // The software replacement of AlphaBlend (same arguments); 1 when it drew.
  static int SoftwareAlphaBlend(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY,
                                int srcWidth, int srcHeight, BLENDFUNCTION blend);

  static int DrawVerticalTransition(HDC& dst, HDC& src, const CRect& dstRect, const CRect& srcRect, int startPercent,
                                    int endPercent);
  static int DrawHorizontalTransition(HDC& dst, HDC& src, const CRect& dstRect, const CRect& srcRect,
                                      int startPercent, int endPercent);
  static void DrawRightBottomTransition(HDC& dst, HDC& src, CRect rect, int size, COLORREF color);

  static Gdiplus::Size GetTextBounds(const Gdiplus::Font& font, const Gdiplus::StringFormat& format,
                                     const CString& text);
  static Gdiplus::Size GetTextBounds(const Gdiplus::Font& font, const Gdiplus::StringFormat& format,
                                     int layoutWidth, const CString& text);
  static Gdiplus::Size GetTextBounds(const Gdiplus::Font& font, const CString& text);
  static CPoint GetOriginPoint(int width, int height, int contentWidth, int contentHeight, unsigned hAlign,
                               unsigned vAlign);
  static CPoint GetOriginPoint(CRect rect, int contentWidth, int contentHeight, unsigned hAlign, unsigned vAlign);
  // GDI text; on the DC of a render canvas kept in the window's memo like ClearType text.
  static void DrawTextW(HDC hdc, CRect& rect, const wchar_t* text, COLORREF color, HFONT font, unsigned format);

  static void DrawRoundRectange(Gdiplus::Graphics& g, float x, float y, float width, float height, float divisor,
                                Gdiplus::Color pen, float penWidth, bool fill, Gdiplus::Color fillColor);
  static void DrawRoundRectange(Gdiplus::Graphics& g, float x, float y, float width, float height, float radius,
                                Gdiplus::Color pen, float penWidth, Gdiplus::Color fillColor);
  static void DrawRoundRectange(Gdiplus::Graphics& g, float x, float y, float width, float height, float radius,
                                Gdiplus::Color fillColor);
  // DrawTextW's memo way on a render canvas; false when it does not apply there.
  static bool DrawMemoTextW(HDC hdc, const CRect& rect, const wchar_t* text, COLORREF color, HFONT font,
                            unsigned format);
  // The corner radii of the divisor overload (exposed for its callers' layout).
  static void RoundRadii(float width, float height, float divisor, float& rx, float& ry);
};
