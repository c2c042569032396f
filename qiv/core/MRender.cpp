#include "core/MRender.h"
#include <shellapi.h>
#include <algorithm>
#include <cmath>
#include <vector>

namespace {
using AlphaBlendFn = BOOL(WINAPI*)(HDC, int, int, int, int, HDC, int, int, int, int, BLENDFUNCTION);
using GradientFillFn = BOOL(WINAPI*)(HDC, PTRIVERTEX, ULONG, PVOID, ULONG, ULONG);

// The two msimg32 entry points, looked up once in the already loaded module.
struct BlendApi {
  AlphaBlendFn alphaBlend = nullptr;
  GradientFillFn gradientFill = nullptr;
  BlendApi() {
    if (HMODULE module = ::GetModuleHandleW(L"msimg32.dll")) {
      alphaBlend = reinterpret_cast<AlphaBlendFn>(reinterpret_cast<void*>(::GetProcAddress(module, "AlphaBlend")));
      gradientFill =
          reinterpret_cast<GradientFillFn>(reinterpret_cast<void*>(::GetProcAddress(module, "GradientFill")));
    }
  }
};

const BlendApi& Api() {
  static const BlendApi api;
  return api;
}

BOOL Blend(HDC dst, int x, int y, int w, int h, HDC src, int sx, int sy, int sw, int sh, BLENDFUNCTION bf) {
  if (Api().alphaBlend) return Api().alphaBlend(dst, x, y, w, h, src, sx, sy, sw, sh, bf);
  return MRender::SoftwareAlphaBlend(dst, x, y, w, h, src, sx, sy, sw, sh, bf);
}

BLENDFUNCTION ConstantAlpha(int alpha) {
  return BLENDFUNCTION{AC_SRC_OVER, 0, static_cast<BYTE>(std::clamp(alpha, 0, 255)), 0};
}

void AddRoundPath(Gdiplus::GraphicsPath& path, float x, float y, float w, float h, float rx, float ry) {
  path.AddLine(x + rx, y, x + w - rx, y);
  path.AddArc(x + w - 2 * rx, y, 2 * rx, 2 * ry, 270.0f, 90.0f);
  path.AddLine(x + w, y + ry, x + w, y + h - ry);
  path.AddArc(x + w - 2 * rx, y + h - 2 * ry, 2 * rx, 2 * ry, 0.0f, 90.0f);
  path.AddLine(x + w - rx, y + h, x + rx, y + h);
  path.AddArc(x, y + h - 2 * ry, 2 * rx, 2 * ry, 90.0f, 90.0f);
  path.AddLine(x, y + h - ry, x, y + ry);
  path.AddArc(x, y, 2 * rx, 2 * ry, 180.0f, 90.0f);
  path.CloseFigure();
}

// Measured height rule: truncated + `fractionAdd` when fractional, else + 1.
int HeightOf(float value, int fractionAdd) {
  float whole = std::trunc(value);
  return whole != value ? static_cast<int>(whole) + fractionAdd : static_cast<int>(value) + 1;
}

struct PathBounds {
  float width, height, fontHeight;
};

PathBounds MeasurePath(const Gdiplus::Font& font, const Gdiplus::StringFormat& format, const CString& text,
                       const Gdiplus::RectF* layout) {
  Gdiplus::FontFamily family;
  font.GetFamily(&family);
  const INT style = font.GetStyle();
  Gdiplus::GraphicsPath path;
  if (layout)
    path.AddString(text.GetString(), text.GetLength(), &family, style, font.GetSize(), *layout, &format);
  else
    path.AddString(text.GetString(), text.GetLength(), &family, style, font.GetSize(), Gdiplus::PointF(0, 0), &format);
  Gdiplus::RectF bounds;
  path.GetBounds(&bounds);
  float em = family.GetEmHeight(style);
  float fontHeight = em > 0 ? font.GetSize() * family.GetLineSpacing(style) / em : font.GetSize();
  return {bounds.Width, bounds.Height, fontHeight};
}
// A single-frame bitmap is copied into a plain 32-bit bitmap in memory: the file (or
// resource stream) is released at once and the copy draws sub-rectangles exactly.
// Animations keep their decoder for their frames.
Gdiplus::Image* InMemory(Gdiplus::Image* image) {
  if (!image || image->GetType() != Gdiplus::ImageTypeBitmap) return image;
  GUID dimension = Gdiplus::FrameDimensionTime;
  if (image->GetFrameDimensionsCount() > 0) image->GetFrameDimensionsList(&dimension, 1);
  if (image->GetFrameCount(&dimension) > 1) return image;
  auto* bitmap = static_cast<Gdiplus::Bitmap*>(image);
  Gdiplus::Bitmap* copy = bitmap->Clone(0, 0, static_cast<INT>(image->GetWidth()), static_cast<INT>(image->GetHeight()),
                                        PixelFormat32bppARGB);
  if (!copy || copy->GetLastStatus() != Gdiplus::Ok) {
    delete copy;
    return image;
  }
  delete image;
  return copy;
}
}  // namespace

Gdiplus::Image* MRender::LoadImageFromFile(CString path) {
  if (path.IsEmpty()) return nullptr;
  auto* image = new Gdiplus::Image(path.GetString());
  if (image && image->GetLastStatus() != Gdiplus::Ok) {
    delete image;
    image = nullptr;
  }
  return InMemory(image);
}

Gdiplus::Image* MRender::LoadImageFromFileEx(CString path, int width, int height) {
  Gdiplus::Image* image = LoadImageFromFile(path);
  if (!image) return nullptr;
  if (width == 0 && height == 0) {
    width = static_cast<int>(image->GetWidth());
    height = static_cast<int>(image->GetHeight());
  }
  Gdiplus::Image* copy = image->GetThumbnailImage(width, height, nullptr, nullptr);
  delete image;
  if (copy && copy->GetLastStatus() != Gdiplus::Ok) {
    delete copy;
    copy = nullptr;
  }
  return copy;
}

Gdiplus::Image* MRender::LoadImageFromIDResource(unsigned id, CString type, HINSTANCE module) {
  HRSRC found = ::FindResourceW(module, MAKEINTRESOURCEW(id), type.GetString());
  if (!found) return nullptr;
  DWORD size = ::SizeofResource(module, found);
  HGLOBAL loaded = ::LoadResource(module, found);
  const void* data = loaded ? ::LockResource(loaded) : nullptr;
  if (!data || !size) return nullptr;
  HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, size);
  if (!block) return nullptr;
  if (void* dst = ::GlobalLock(block)) {
    memcpy(dst, data, size);
    ::GlobalUnlock(block);
  }
  // The stream frees the block when its last reference (the image's) goes.
  IStream* stream = nullptr;
  if (FAILED(::CreateStreamOnHGlobal(block, TRUE, &stream))) {
    ::GlobalFree(block);
    return nullptr;
  }
  auto* image = new Gdiplus::Image(stream);
  stream->Release();
  if (image && image->GetLastStatus() != Gdiplus::Ok) {
    delete image;
    image = nullptr;
  }
  return InMemory(image);
}

HICON MRender::LoadIconFromFile(CString path) {
  wchar_t buffer[MAX_PATH] = {};
  lstrcpynW(buffer, path, MAX_PATH);
  WORD index = 0;
  return ::ExtractAssociatedIconW(::GetModuleHandleW(nullptr), buffer, &index);
}

void MRender::DrawImageFrame(Gdiplus::Graphics& g, Gdiplus::Image* image, const CRect& dst, int srcX, int srcY,
                             int srcWidth, int srcHeight, int corner) {
  DrawImageFrameMID(g, image, dst, srcX, srcY, srcWidth, srcHeight, corner, corner, corner, corner);
}

HDC MRender::CreateCompatibleDC(HDC hdc) { return ::CreateCompatibleDC(hdc); }
HBITMAP MRender::CreateCompatibleBitmap(HDC hdc, int width, int height) {
  return ::CreateCompatibleBitmap(hdc, width, height);
}

HBITMAP MRender::CreateARGB32Bitmap(HDC hdc, int width, int height, BYTE** bits) {
  BITMAPINFO bmi = {};
  bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bmi.bmiHeader.biWidth = width;
  bmi.bmiHeader.biHeight = height;
  bmi.bmiHeader.biPlanes = 1;
  bmi.bmiHeader.biBitCount = 32;
  bmi.bmiHeader.biCompression = BI_RGB;
  void* pixels = nullptr;
  HBITMAP bitmap = ::CreateDIBSection(hdc, &bmi, DIB_RGB_COLORS, &pixels, nullptr, 0);
  if (bits) *bits = static_cast<BYTE*>(pixels);
  return bitmap;
}

void MRender::BitBlt(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY) {
  ::BitBlt(dst, x, y, width, height, src, srcX, srcY, SRCCOPY);
}

void MRender::BitBlt(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY, DWORD rop) {
  ::BitBlt(dst, x, y, width, height, src, srcX, srcY, rop);
}

int MRender::SaveBitmapToFile(HBITMAP bitmap, CString path) {
  BITMAP bm = {};
  if (!bitmap || !::GetObjectW(bitmap, sizeof(bm), &bm)) return 0;
  // Always 24 bits per pixel: no colour table to write, whatever the display depth.
  BITMAPINFOHEADER info = {};
  info.biSize = sizeof(info);
  info.biWidth = bm.bmWidth;
  info.biHeight = bm.bmHeight;
  info.biPlanes = 1;
  info.biBitCount = 24;
  info.biCompression = BI_RGB;
  const DWORD imageSize = static_cast<DWORD>(bm.bmHeight) * ((24 * bm.bmWidth + 31) / 32) * 4;
  std::vector<BYTE> rows(imageSize);
  HDC screen = ::GetDC(nullptr);
  BITMAPINFO query = {};
  query.bmiHeader = info;
  ::GetDIBits(screen, bitmap, 0, bm.bmHeight, rows.data(), &query, DIB_RGB_COLORS);
  ::ReleaseDC(nullptr, screen);
  HANDLE file = ::CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 0;
  BITMAPFILEHEADER header = {};
  header.bfType = 0x4D42;
  header.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
  header.bfSize = header.bfOffBits + imageSize;
  DWORD written = 0;
  BOOL ok = ::WriteFile(file, &header, sizeof(header), &written, nullptr) &&
            ::WriteFile(file, &info, sizeof(info), &written, nullptr) &&
            ::WriteFile(file, rows.data(), imageSize, &written, nullptr);
  ::CloseHandle(file);
  if (!ok) ::DeleteFileW(path);
  return ok ? 1 : 0;
}

void MRender::FillSolidRect(HDC& hdc, const RECT* rect, COLORREF color) {
  ::SetBkColor(hdc, color);
  ::ExtTextOutW(hdc, 0, 0, ETO_OPAQUE, rect, nullptr, 0, nullptr);
}

void MRender::FillSolidRect(HDC& hdc, int x, int y, int width, int height, COLORREF color) {
  RECT r = {x, y, x + width, y + height};
  FillSolidRect(hdc, &r, color);
}

void MRender::DrawColor(HDC hdc, const RECT& rect, DWORD argb) {
  if (argb < 0x01000000) return;
  Gdiplus::Graphics g(hdc);
  Gdiplus::SolidBrush brush{Gdiplus::Color(argb)};
  g.FillRectangle(&brush, INT(rect.left), INT(rect.top), INT(rect.right - rect.left), INT(rect.bottom - rect.top));
}

void MRender::DrawGradient(HDC hdc, const RECT& rect, DWORD first, DWORD second, bool vertical, int steps) {
  const int alpha = static_cast<int>(((first >> 24) & 0xFF) + ((second >> 24) & 0xFF)) / 2;
  if (alpha == 0) return;
  const int w = rect.right - rect.left, h = rect.bottom - rect.top;
  HDC target = hdc;
  HDC memory = nullptr;
  HBITMAP bitmap = nullptr;
  HGDIOBJ previous = nullptr;
  CRect area(rect);
  if (alpha < 255) {
    memory = ::CreateCompatibleDC(hdc);
    bitmap = ::CreateCompatibleBitmap(hdc, std::max(w, 1), std::max(h, 1));
    if (!memory || !bitmap) {
      if (bitmap) ::DeleteObject(bitmap);
      if (memory) ::DeleteDC(memory);
      return;
    }
    previous = ::SelectObject(memory, bitmap);
    target = memory;
    area = CRect(0, 0, w, h);
  }
  auto channel = [](DWORD c, int shift) { return static_cast<int>((c >> shift) & 0xFF); };
  if (Api().gradientFill) {
    TRIVERTEX v[2] = {};
    v[0].x = area.left;
    v[0].y = area.top;
    v[0].Red = static_cast<COLOR16>(channel(first, 16) << 8);
    v[0].Green = static_cast<COLOR16>(channel(first, 8) << 8);
    v[0].Blue = static_cast<COLOR16>(channel(first, 0) << 8);
    v[0].Alpha = 0xFF00;
    v[1].x = area.right;
    v[1].y = area.bottom;
    v[1].Red = static_cast<COLOR16>(channel(second, 16) << 8);
    v[1].Green = static_cast<COLOR16>(channel(second, 8) << 8);
    v[1].Blue = static_cast<COLOR16>(channel(second, 0) << 8);
    v[1].Alpha = 0xFF00;
    GRADIENT_RECT gr = {0, 1};
    Api().gradientFill(target, v, 2, &gr, 1, vertical ? GRADIENT_FILL_RECT_V : GRADIENT_FILL_RECT_H);
  } else {
    int shift = steps < 4 ? 1 : steps < 8 ? 2 : steps < 16 ? 3 : steps < 32 ? 4 : steps < 64 ? 5 : 6;
    int n = 1 << shift;
    const int extent = vertical ? area.Height() : area.Width();
    for (int i = 0; i < n; ++i) {
      auto mix = [&](int s) { return (channel(second, s) * (n - i) + channel(first, s) * i) >> shift; };
      int from = (vertical ? area.bottom : area.right) - ((extent * (i + 1)) >> shift);
      int to = (vertical ? area.bottom : area.right) - ((extent * i) >> shift);
      if (to <= from) continue;
      RECT band = vertical ? RECT{area.left, from, area.right, to} : RECT{from, area.top, to, area.bottom};
      HBRUSH brush = ::CreateSolidBrush(RGB(mix(16), mix(8), mix(0)));
      ::FillRect(target, &band, brush);
      ::DeleteObject(brush);
    }
  }
  if (memory) {
    BLENDFUNCTION bf = {AC_SRC_OVER, 0, static_cast<BYTE>(alpha), AC_SRC_ALPHA};
    Blend(hdc, rect.left, rect.top, w, h, memory, 0, 0, w, h, bf);
    ::SelectObject(memory, previous);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
  }
}

void MRender::DrawRectangle(HDC&, const CRect&, int, int, int) {}

void MRender::CheckAlphaColor(DWORD& color) {
  if ((color & 0x00FFFFFF) == 0) color += 1;
}

int MRender::SoftwareAlphaBlend(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY,
                                int srcWidth, int srcHeight, BLENDFUNCTION blend) {
  if (width <= 0 || height <= 0) return 1;
  HDC srcDC = ::CreateCompatibleDC(dst), dstDC = ::CreateCompatibleDC(dst);
  BYTE *srcBits = nullptr, *dstBits = nullptr;
  HBITMAP srcBmp = CreateARGB32Bitmap(dst, width, height, &srcBits);
  HBITMAP dstBmp = CreateARGB32Bitmap(dst, width, height, &dstBits);
  int result = 0;
  if (srcDC && dstDC && srcBmp && dstBmp) {
    HGDIOBJ oldSrc = ::SelectObject(srcDC, srcBmp), oldDst = ::SelectObject(dstDC, dstBmp);
    ::StretchBlt(srcDC, 0, 0, width, height, src, srcX, srcY, srcWidth, srcHeight, SRCCOPY);
    ::BitBlt(dstDC, 0, 0, width, height, dst, x, y, SRCCOPY);
    ::GdiFlush();
    for (int i = 0; i < width * height; ++i) {
      BYTE* s = srcBits + i * 4;
      BYTE* d = dstBits + i * 4;
      double f = s[3] * blend.SourceConstantAlpha / 255.0 / 255.0;
      for (int c = 0; c < 3; ++c) d[c] = static_cast<BYTE>(d[c] * (1.0 - f) + s[c] * f);
      d[3] = 0;
    }
    ::BitBlt(dst, x, y, width, height, dstDC, 0, 0, SRCCOPY);
    ::SelectObject(srcDC, oldSrc);
    ::SelectObject(dstDC, oldDst);
    result = 1;
  }
  if (srcBmp) ::DeleteObject(srcBmp);
  if (dstBmp) ::DeleteObject(dstBmp);
  if (srcDC) ::DeleteDC(srcDC);
  if (dstDC) ::DeleteDC(dstDC);
  return result;
}

namespace {
// One fade: `count` lines (rows or columns) blended with a linearly moving constant alpha.
int Transition(HDC dst, HDC src, const CRect& d, const CRect& s, int startPercent, int endPercent, bool rows) {
  const int count = rows ? d.Height() : d.Width();
  if (count <= 0) return 255;
  const int a0 = 255 * (100 - startPercent) / 100, a1 = 255 * (100 - endPercent) / 100;
  int alpha = 255;
  const int srcCount = rows ? s.Height() : s.Width();
  for (int i = 0; i < count; ++i) {
    alpha = a0 + (a1 - a0) * i / count;
    int si = i * srcCount / count;
    if (rows)
      Blend(dst, d.left, d.top + i, d.Width(), 1, src, s.left, s.top + si, s.Width(), 1, ConstantAlpha(alpha));
    else
      Blend(dst, d.left + i, d.top, 1, d.Height(), src, s.left + si, s.top, 1, s.Height(), ConstantAlpha(alpha));
  }
  return alpha;
}
}  // namespace

int MRender::DrawVerticalTransition(HDC& dst, HDC& src, const CRect& dstRect, const CRect& srcRect, int startPercent,
                                    int endPercent) {
  return Transition(dst, src, dstRect, srcRect, startPercent, endPercent, true);
}

int MRender::DrawHorizontalTransition(HDC& dst, HDC& src, const CRect& dstRect, const CRect& srcRect,
                                      int startPercent, int endPercent) {
  return Transition(dst, src, dstRect, srcRect, startPercent, endPercent, false);
}

void MRender::DrawRightBottomTransition(HDC& dst, HDC& src, CRect rect, int size, COLORREF) {
  if (size <= 0) return;
  const int left = rect.Width() - size, top = rect.Height() - size;
  for (int j = 0; j < size; ++j) {
    for (int i = 0; i < size; ++i) {
      double distance = std::min(static_cast<double>(size), std::sqrt(static_cast<double>(i * i + j * j)));
      int alpha = 255 - static_cast<int>(255.0 * distance / size);
      Blend(dst, left + i, top + j, 1, 1, src, left + i, top + j, 1, 1, ConstantAlpha(alpha));
    }
  }
}

Gdiplus::Size MRender::GetTextBounds(const Gdiplus::Font& font, const Gdiplus::StringFormat& format,
                                     const CString& text) {
  PathBounds b = MeasurePath(font, format, text, nullptr);
  return Gdiplus::Size(static_cast<int>(std::ceil(b.width)), HeightOf(b.fontHeight, 4));
}

Gdiplus::Size MRender::GetTextBounds(const Gdiplus::Font& font, const Gdiplus::StringFormat& format, int layoutWidth,
                                     const CString& text) {
  Gdiplus::RectF layout(0, 0, static_cast<Gdiplus::REAL>(layoutWidth), 0);
  PathBounds b = MeasurePath(font, format, text, &layout);
  const int t = HeightOf(b.fontHeight, 2), u = HeightOf(b.height, 2);
  return Gdiplus::Size(static_cast<int>(std::ceil(b.width)), u > t ? u + 5 : t + 1);
}

Gdiplus::Size MRender::GetTextBounds(const Gdiplus::Font& font, const CString& text) {
  Gdiplus::StringFormat format;
  format.SetAlignment(Gdiplus::StringAlignmentNear);
  format.SetFormatFlags(Gdiplus::StringFormatFlagsNoWrap | Gdiplus::StringFormatFlagsMeasureTrailingSpaces);
  return GetTextBounds(font, format, text);
}

CPoint MRender::GetOriginPoint(int width, int height, int contentWidth, int contentHeight, unsigned hAlign,
                               unsigned vAlign) {
  int x = hAlign == 1 ? (width - contentWidth) / 2 : hAlign == 2 ? width - contentWidth : 0;
  int y = vAlign == 4 ? (height - contentHeight) / 2 : vAlign == 8 ? height - contentHeight : 0;
  return CPoint(x, y);
}

CPoint MRender::GetOriginPoint(CRect rect, int contentWidth, int contentHeight, unsigned hAlign, unsigned vAlign) {
  CPoint p = GetOriginPoint(rect.Width(), rect.Height(), contentWidth, contentHeight, hAlign, vAlign);
  return CPoint(rect.left + p.x, rect.top + p.y + 2);
}

void MRender::DrawTextW(HDC hdc, CRect& rect, const wchar_t* text, COLORREF color, HFONT font, unsigned format) {
  if (!text) return;
  if (DrawMemoTextW(hdc, rect, text, color, font, format)) return;
  ::SetBkMode(hdc, TRANSPARENT);
  COLORREF oldColor = ::SetTextColor(hdc, color);
  HGDIOBJ oldFont = ::SelectObject(hdc, font);
  ::DrawTextW(hdc, text, -1, &rect, format);
  ::SetTextColor(hdc, oldColor);
  ::SelectObject(hdc, oldFont);
}

void MRender::RoundRadii(float width, float height, float divisor, float& rx, float& ry) {
  rx = width / divisor / 2;
  ry = height / divisor / 2;
  if (std::fabs(rx - ry) > 10) rx = ry = std::min(rx, ry);
}

void MRender::DrawRoundRectange(Gdiplus::Graphics& g, float x, float y, float width, float height, float divisor,
                                Gdiplus::Color pen, float penWidth, bool fill, Gdiplus::Color fillColor) {
  float rx, ry;
  RoundRadii(width, height, divisor, rx, ry);
  Gdiplus::GraphicsPath path;
  AddRoundPath(path, x, y, width, height, rx, ry);
  if (fill) {
    Gdiplus::SolidBrush brush(fillColor);
    g.FillPath(&brush, &path);
  }
  Gdiplus::Pen outline(pen, penWidth);
  g.DrawPath(&outline, &path);
}

void MRender::DrawRoundRectange(Gdiplus::Graphics& g, float x, float y, float width, float height, float radius,
                                Gdiplus::Color pen, float penWidth, Gdiplus::Color fillColor) {
  Gdiplus::GraphicsPath path;
  AddRoundPath(path, x, y, width, height, radius, radius);
  Gdiplus::SolidBrush brush(fillColor);
  g.FillPath(&brush, &path);
  Gdiplus::Pen outline(pen, penWidth);
  g.DrawPath(&outline, &path);
}

void MRender::DrawRoundRectange(Gdiplus::Graphics& g, float x, float y, float width, float height, float radius,
                                Gdiplus::Color fillColor) {
  Gdiplus::GraphicsPath path;
  AddRoundPath(path, x, y, width, height, radius, radius);
  Gdiplus::SolidBrush brush(fillColor);
  g.FillPath(&brush, &path);
}
