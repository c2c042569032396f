#include "widgets/DibCanvas.h"
#include <cstring>

HBITMAP CreateTopDownDib(HDC dc, int w, int h, BYTE** bits) {
  if (bits) *bits = nullptr;
  if (w <= 0 || h <= 0) return nullptr;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = w;
  info.bmiHeader.biHeight = -h;  // rows from the top
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* pixels = nullptr;
  HBITMAP bitmap = ::CreateDIBSection(dc, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
  if (!bitmap) return nullptr;
  if (bits) *bits = static_cast<BYTE*>(pixels);
  return bitmap;
}

DibCanvas::DibCanvas(HDC reference, int w, int h) : m_width(w), m_height(h) {
  m_dc = ::CreateCompatibleDC(reference);
  if (!m_dc) return;
  m_bitmap = CreateTopDownDib(m_dc, w, h, &m_bits);
  if (!m_bitmap) return;
  m_old = ::SelectObject(m_dc, m_bitmap);
  std::memset(m_bits, 0, static_cast<size_t>(w) * h * 4);
}

DibCanvas::~DibCanvas() {
  if (m_dc && m_old) ::SelectObject(m_dc, m_old);
  if (m_bitmap) ::DeleteObject(m_bitmap);
  if (m_dc) ::DeleteDC(m_dc);
}

std::vector<uint8_t> DibCanvas::ToOpaqueRgba() const {
  std::vector<uint8_t> rgba;
  if (!m_bits) return rgba;
  ::GdiFlush();
  const size_t count = static_cast<size_t>(m_width) * m_height;
  rgba.resize(count * 4);
  const BYTE* src = m_bits;
  uint8_t* dst = rgba.data();
  for (size_t i = 0; i < count; ++i, src += 4, dst += 4) {
    dst[0] = src[2];
    dst[1] = src[1];
    dst[2] = src[0];
    dst[3] = 255;
  }
  return rgba;
}
