#include "controls/MPalette.h"
#include <algorithm>
#include <cstdint>
#include "controls/ColorModel.h"
#include "controls/DrawHelpers.h"
#include "core/MRender.h"
#include "core/Manager.h"
#include "core/PaintManager.h"

using namespace ColorModel;

using namespace qiv_paint;

namespace {
constexpr int kImageWidth = 400, kImageHeight = 360;
constexpr int kFieldColumns = 360, kRows = 200, kBarColumn = 370;
}  // namespace

MPalette::MPalette(MObject* parent, unsigned id, CRect rect, int visible)
    : MControlFont(parent, id, rect, L"", visible, 1, 1) {
  m_selected = HslToRgb(180 / 360.0f, 200 / 200.0f, 120 / 200.0f);
  SetRects();
}

MPalette::~MPalette() {
  if (m_paletteDC && m_oldBitmap) ::SelectObject(m_paletteDC, m_oldBitmap);
  if (m_paletteBitmap) ::DeleteObject(m_paletteBitmap);
  if (m_paletteDC) ::DeleteDC(m_paletteDC);
}

const wchar_t* MPalette::GetClassNameW() const { return L"MPalette"; }

void MPalette::Repaint() {
  if (m_bVisible && m_pParent) m_pParent->OnControlUpdate(m_rcControl, 1, this);
}

void MPalette::SetRects() {
  const CRect& r = m_rcControl;
  m_rcField = CRect(r.left, r.top, r.right - m_barWidth - 22, r.top + m_paletteHeight);
  m_rcBar = CRect(r.right - m_barWidth - 16, r.top, r.right, r.top + m_paletteHeight);
}

void MPalette::PlaceMarker() {
  m_marker.x = m_rcField.left + (m_rcField.Width() * m_hue / 360);
  m_marker.y = (m_lightness - 20) * m_paletteHeight / 180 + m_rcField.top;
}

unsigned long MPalette::GetSelectColor() const {
  return HslToRgb(static_cast<float>(m_hue) / 360.0f, static_cast<float>(m_saturation) / 200.0f,
                  static_cast<float>(m_lightness) / 200.0f);
}

void MPalette::SetSelectColor(unsigned long colour) {
  m_selected = colour;
  const HslColor hsl = RgbToHsl(static_cast<COLORREF>(colour));
  m_hue = static_cast<int>(hsl.hue * 360.0f);
  m_saturation = static_cast<int>(hsl.saturation * 200.0f);
  m_lightness = static_cast<int>(hsl.lightness * 200.0f);
  m_marker.x = m_rcField.left + m_rcField.Width() * m_hue / 360;
  m_marker.y = std::max<int>(m_rcField.top, m_rcField.top + (m_lightness - 20) * m_paletteHeight / 180);
  UpdateBarData();
  Repaint();
}

int MPalette::SetThumbImage(const wchar_t* file) {
  std::unique_ptr<Gdiplus::Image> thumb(MRender::LoadImageFromFile(GetSkinsFolder() + file));
  if (thumb) {
    m_thumb = std::move(thumb);
    m_thumbWidth = static_cast<int>(m_thumb->GetWidth()) / 4;
    m_thumbHeight = static_cast<int>(m_thumb->GetHeight());
  }
  return 0;
}

void MPalette::SetPalletHeight(int height) {
  m_paletteHeight = height;
  Repaint();
}

// ---- images ----

void MPalette::InitControl(PaintManager* manager) {
  if (m_paletteDC || !manager) return;
  HDC reference = manager->GetPaintDC();
  HDC screen = reference ? nullptr : ::GetDC(nullptr);
  m_paletteDC = ::CreateCompatibleDC(reference ? reference : screen);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = kImageWidth;
  info.bmiHeader.biHeight = -kImageHeight;  // top-down: row 0 first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  m_paletteBitmap = ::CreateDIBSection(m_paletteDC, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (screen) ::ReleaseDC(nullptr, screen);
  if (!m_paletteBitmap) return;
  m_bits = static_cast<BYTE*>(bits);
  m_oldBitmap = ::SelectObject(m_paletteDC, m_paletteBitmap);
  UpdatePaletteData();
  UpdateBarData();
  PlaceMarker();
}

void MPalette::PutPixel(int column, int row, COLORREF colour) {
  if (!m_bits) return;
  BYTE* p = m_bits + (static_cast<size_t>(row) * kImageWidth + column) * 4;
  // Black is written as red 1: the stretch below keeps 0 for "nothing drawn".
  if (colour == 0) colour = RGB(1, 0, 0);
  p[0] = GetBValue(colour);
  p[1] = GetGValue(colour);
  p[2] = GetRValue(colour);
  p[3] = 0;
}

COLORREF MPalette::GetImagePixel(int column, int row) const {
  if (!m_bits || column < 0 || column >= kImageWidth || row < 0 || row >= kImageHeight) return 0;
  const BYTE* p = m_bits + (static_cast<size_t>(row) * kImageWidth + column) * 4;
  return RGB(p[2], p[1], p[0]);
}

void MPalette::UpdatePaletteData() {
  if (!m_bits) return;
  for (int i = 0; i < kRows; ++i)
    for (int j = 0; j < kFieldColumns; ++j)
      PutPixel(j, i, HslToRgb(static_cast<float>(j) / 360.0f, 1.0f, static_cast<float>(i) / 200.0f));
  ::GdiFlush();
}

void MPalette::UpdateBarData() {
  if (!m_bits) return;
  const float hue = static_cast<float>(m_hue) / 360.0f, light = static_cast<float>(m_lightness) / 200.0f;
  for (int j = 0; j < kRows; ++j) {
    const COLORREF c = HslToRgb(hue, static_cast<float>(j) / 200.0f, light);
    for (int i = 0; i < m_barWidth && kBarColumn + i < kImageWidth; ++i) PutPixel(kBarColumn + i, j, c);
  }
  ::GdiFlush();
}

void MPalette::SetControlRect(CRect rect) {
  m_rcControl = rect;
  SetRects();
  UpdatePaletteData();
  UpdateBarData();
  PlaceMarker();
  Repaint();
}

void MPalette::SetControlEnabled(int enabled) {
  m_bEnabled = enabled;
  Repaint();
}

long MPalette::OnMessage(unsigned, unsigned, unsigned, long) { return 0; }
int MPalette::OnControlScroll(int, unsigned, CPoint) { return 1; }

void MPalette::DrawControl(HDC& hdc, CRect) {
  const int w = m_rcControl.Width(), h = m_rcControl.Height();
  if (w <= 0 || h <= 0) return;
  if (!m_bUpdate || !m_hMemDC) {
    UpdateMemDC(hdc, w, h);
    Copy(m_hMemDC, 0, 0, w, h, hdc, m_rcControl.left, m_rcControl.top);
    if (m_paletteDC) {
      ::SetStretchBltMode(m_hMemDC, HALFTONE);
      ::StretchBlt(m_hMemDC, 0, 0, m_rcField.Width(), m_paletteHeight, m_paletteDC, 0, 20, kFieldColumns, kRows - 20,
                   SRCCOPY);
      ::StretchBlt(m_hMemDC, m_rcBar.left - m_rcControl.left, 0, m_barWidth, m_paletteHeight, m_paletteDC, kBarColumn,
                   0, m_barWidth, kRows, SRCCOPY);
    }
    Gdiplus::Graphics g(m_hMemDC);
    g.SetSmoothingMode(Gdiplus::SmoothingModeHighQuality);
    const float mx = static_cast<float>(m_marker.x - m_rcControl.left - 4);
    const float my = static_cast<float>(m_marker.y - m_rcControl.top - 4);
    Gdiplus::Pen white(Gdiplus::Color(0xFEFFFFFF), 1.0f), grey(Gdiplus::Color(0xFE808080), 1.0f);
    g.DrawEllipse(&white, mx, my, 8.0f, 8.0f);
    g.DrawEllipse(&grey, mx + 1, my + 1, 8.0f, 8.0f);
    if (!m_bEnabled) {
      Gdiplus::SolidBrush veil(Gdiplus::Color(0x0A808080));
      g.FillRectangle(&veil, 0, 0, w, h);
    }
  }
  Copy(hdc, m_rcControl.left, m_rcControl.top, w, h, m_hMemDC, 0, 0);
  if (m_thumb) {
    const int x = m_rcBar.left + m_barWidth;
    const int y = m_rcControl.top + m_paletteHeight * m_saturation / 200 - m_thumbHeight / 2;
    m_rcThumb = CRect(x, y, x + m_thumbWidth, y + m_thumbHeight);
    Gdiplus::Graphics g(hdc);
    g.DrawImage(m_thumb.get(), Gdiplus::Rect(x, y, m_thumbWidth, m_thumbHeight), 0, 0, m_thumbWidth, m_thumbHeight,
                Gdiplus::UnitPixel);
  }
}

// ---- mouse ----

void MPalette::PickInField(CPoint point, CRect limit) {
  // A field or palette without extent has nothing to pick (no division by zero).
  if (m_rcField.Width() <= 0 || m_paletteHeight <= 0) return;
  const int hue = static_cast<int>((point.x - m_rcField.left) * 360 / m_rcField.Width());
  m_hue = hue < 1 ? 0 : std::min(hue, 360);
  m_lightness = std::clamp<int>((point.y - m_rcField.top) * 180 / m_paletteHeight + 20, 20, 200);
  m_marker.x = std::clamp<int>(point.x, limit.left, std::max<int>(limit.left, limit.right));
  m_marker.y = std::clamp<int>(point.y, limit.top, std::max<int>(limit.top, limit.bottom));
  UpdateBarData();
}

void MPalette::PickInBar(CPoint point) {
  if (m_paletteHeight <= 0) return;
  const int saturation = (point.y - m_rcBar.top) * 200 / m_paletteHeight;
  m_saturation = saturation < 1 ? 0 : saturation > 199 ? 200 : saturation;
}

int MPalette::OnControlLButtonDown(unsigned, CPoint point) {
  if (!m_bEnabled) return 0;
  m_bDragBar = m_bDragField = 0;
  if (!m_rcControl.PtInRect(point)) return 1;
  if (m_rcField.PtInRect(point)) {
    PickInField(point, m_rcField);
    m_bDragField = 1;
  } else if (m_rcBar.PtInRect(point)) {
    PickInBar(point);
    Repaint();
    m_bDragBar = 1;
  }
  const unsigned long colour = GetSelectColor();
  if (colour != m_selected) {
    m_selected = colour;
    SendMessageW(NOTIFY_COLOR_CHANGED, colour, 0);
  }
  Repaint();
  return 1;
}

int MPalette::OnControlMouseMove(unsigned flags, CPoint point) {
  if (!m_bEnabled) return 0;
  if (m_bDragField && (flags & MK_LBUTTON)) {
    if (!m_rcField.PtInRect(point)) return 1;
    PickInField(point, m_rcControl);
    Repaint();
  } else if (m_bDragBar) {
    PickInBar(point);
    SendMessageW(NOTIFY_COLOR_CHANGED, 0, 0);
    Repaint();
  }
  return 1;
}

int MPalette::OnControlLButtonUp(unsigned, CPoint) {
  if (!m_bEnabled) return 0;
  m_bDragBar = m_bDragField = 0;
  Repaint();
  return 1;
}
