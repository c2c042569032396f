#include "widgets/LCDPalette3.h"
#include <algorithm>
#include <cmath>
#include <cstring>
#include "core/PaintManager.h"
#include "widgets/HslColor.h"

using namespace pickerhsl;

namespace {
constexpr int kFieldWidth = 400;
constexpr int kFieldHeight = 360;
constexpr int kRampWidth = 200;
constexpr int kShownWidth = 160;
}  // namespace

LCDPalette3::LCDPalette3(MObject* parent, unsigned id, CRect rect, int visible)
    : MControlFont(parent, id, rect, L"", visible, 1, 1) {}

LCDPalette3::~LCDPalette3() {
  if (m_fieldDC && m_fieldPrevious) ::SelectObject(m_fieldDC, m_fieldPrevious);
  if (m_field) ::DeleteObject(m_field);
  if (m_fieldDC) ::DeleteDC(m_fieldDC);
}

const wchar_t* LCDPalette3::GetClassNameW() const { return L"LCDPalette3"; }

void LCDPalette3::InitControl(PaintManager* manager) {
  MControlFont::InitControl(manager);
  if (m_field || !manager) return;
  HDC reference = manager->GetPaintDC();
  HDC screen = reference ? nullptr : ::GetDC(nullptr);
  if (!reference) reference = screen;
  BITMAPINFO bmi = {};
  bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
  bmi.bmiHeader.biWidth = kFieldWidth;
  bmi.bmiHeader.biHeight = -kFieldHeight;  // top-down: row 0 first
  bmi.bmiHeader.biPlanes = 1;
  bmi.bmiHeader.biBitCount = 32;
  bmi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  m_fieldDC = ::CreateCompatibleDC(reference);
  m_field = m_fieldDC ? ::CreateDIBSection(reference, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0) : nullptr;
  if (m_field) m_fieldPrevious = ::SelectObject(m_fieldDC, m_field);
  if (screen) ::ReleaseDC(nullptr, screen);
  if (!m_field) return;
  m_fieldBits = static_cast<BYTE*>(bits);
  m_fieldStride = kFieldWidth * 4;
  std::memset(m_fieldBits, 0, static_cast<size_t>(m_fieldStride) * kFieldHeight);
  UpdateBarData();  // a colour set before now takes effect here
}

void LCDPalette3::UpdateBarData() {
  m_barHeight = m_rcControl.Height();
  if (!m_fieldBits) return;
  // Every row of the ramp is the same: compute one, copy it down.
  for (int a = 0; a < kRampWidth; ++a) {
    const COLORREF c = NonBlack(HslToRgb(m_hue / 360.0f, m_saturation / 200.0f, (200 - a) / 200.0f));
    BYTE* p = m_fieldBits + a * 4;
    p[0] = GetBValue(c);
    p[1] = GetGValue(c);
    p[2] = GetRValue(c);
    p[3] = 0;
  }
  for (int row = 1; row < kFieldHeight; ++row)
    std::memcpy(m_fieldBits + static_cast<size_t>(row) * m_fieldStride, m_fieldBits, kRampWidth * 4);
  ::GdiFlush();
}

COLORREF LCDPalette3::GetFieldPixel(int column, int row) const {
  if (!m_fieldBits || column < 0 || column >= kFieldWidth || row < 0 || row >= kFieldHeight) return 0;
  const BYTE* p = m_fieldBits + static_cast<size_t>(row) * m_fieldStride + column * 4;
  return RGB(p[2], p[1], p[0]);
}

void LCDPalette3::SetSelectColor(unsigned long colour) {
  m_selectColor = colour;
  const HslValue hsl = RgbToHsl(colour & 0xFFFFFF);
  m_hue = static_cast<int>(std::lround(hsl.h * 360));
  m_saturation = static_cast<int>(std::lround(hsl.s * 200));
  m_lightness = static_cast<int>(std::lround(hsl.l * 200));
  m_cursor = CPoint(0, 0);
  UpdateBarData();
  UpdateControl(1, 0);
}

void LCDPalette3::SetPalletHeight(int height) {
  m_palletHeight = height;
  UpdateControl(1, 0);
}

void LCDPalette3::DrawControl(HDC& hdc, CRect) {
  const int w = m_rcControl.Width(), h = m_rcControl.Height();
  if (w <= 0 || h <= 0) return;
  if (!m_bUpdate || !m_hMemDC) {
    UpdateMemDC(hdc, w, h);
    ::BitBlt(m_hMemDC, 0, 0, w, h, hdc, m_rcControl.left, m_rcControl.top, SRCCOPY);
    if (m_field) {
      const int previous = ::SetStretchBltMode(m_hMemDC, HALFTONE);
      ::SetBrushOrgEx(m_hMemDC, 0, 0, nullptr);
      ::StretchBlt(m_hMemDC, 0, 0, w, h, m_fieldDC, 0, 0, kShownWidth, kFieldHeight, SRCCOPY);
      ::SetStretchBltMode(m_hMemDC, previous);
    }
    if (m_pImage && m_frameWidth > 0) {
      Gdiplus::Graphics g(m_hMemDC);
      g.DrawImage(m_pImage, m_cursor.x - 4, m_cursor.y - 4, m_frameWidth, m_frameHeight);
    }
  }
  ::BitBlt(hdc, m_rcControl.left, m_rcControl.top, w, h, m_hMemDC, 0, 0, SRCCOPY);
}

long LCDPalette3::OnMessage(unsigned, unsigned, unsigned, long) { return 0; }

void LCDPalette3::SetControlRect(CRect rect) {
  m_rcControl = rect;
  UpdateBarData();
  m_cursor = CPoint(0, 0);
  UpdateControl(1, 0);
}

void LCDPalette3::SetControlEnabled(int enabled) {
  if (enabled == m_bEnabled) return;
  m_bEnabled = enabled;
  UpdateControl(1, 0);
}

int LCDPalette3::OnControlMouseMove(unsigned flags, CPoint point) {
  if (!m_bEnabled) return 0;
  if ((flags & MK_LBUTTON) && m_rcControl.PtInRect(point)) {
    m_cursor = CPoint(point.x - m_rcControl.left, point.y - m_rcControl.top);
    SendMessageW(NOTIFY_COLOR_CHANGED, 0, 0);
    UpdateControl(1, 0);
  }
  return 1;
}

int LCDPalette3::OnControlLButtonDown(unsigned, CPoint) { return m_bEnabled; }

int LCDPalette3::OnControlLButtonUp(unsigned, CPoint point) {
  if (!m_bEnabled) return 0;
  if (!m_rcControl.PtInRect(point)) return 1;
  m_cursor = CPoint(point.x - m_rcControl.left, point.y - m_rcControl.top);
  if (m_hMemDC) {
    // The colour as last drawn, cursor picture included.
    const COLORREF picked = ::GetPixel(m_hMemDC, m_cursor.x, m_cursor.y);
    if (picked != CLR_INVALID) m_selectColor = NonBlack(picked);
  }
  SendMessageW(NOTIFY_CLICK, 0, 0);
  UpdateControl(1, 0);
  return 1;
}

int LCDPalette3::OnControlScroll(int, unsigned, CPoint) { return 1; }
