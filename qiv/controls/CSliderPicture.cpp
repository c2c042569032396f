#include "controls/CSliderPicture.h"
#include <algorithm>
#include "controls/ControlPaint.h"
#include "core/MRender.h"
#include "core/Manager.h"

using namespace ControlPaint;

namespace {
constexpr COLORREF kUnrevealed = 0xF2F2F2;

void FillRect(HDC dc, int x, int y, int w, int h) {
  if (w <= 0 || h <= 0) return;
  RECT r = {x, y, x + w, y + h};
  ::SetBkColor(dc, kUnrevealed);
  ::ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
}
}  // namespace

CSliderPicture::CSliderPicture(MObject* parent, unsigned id, CRect rect, int visible, int enabled)
    : MControlFont(parent, id, rect, L"", visible, enabled, 1) {
  m_imageCount = 1;
  m_layout.param = 4;
  m_bRunTimer = 1;
}

CSliderPicture::~CSliderPicture() { m_pImage = nullptr; }

const wchar_t* CSliderPicture::GetClassNameW() const { return L"CSliderPicture"; }

void CSliderPicture::InitControl(PaintManager*) {}

int CSliderPicture::TakeImage(Gdiplus::Image* image, int count) {
  m_owned.reset(image);
  m_pImage = image;
  if (!image) return 0;
  m_frameWidth = static_cast<int>(image->GetWidth()) / count;
  m_frameHeight = static_cast<int>(image->GetHeight());
  m_imageCount = count;
  return 1;
}

int CSliderPicture::SetImage(const wchar_t* file, int count) {
  if (!file || count < 1) return 0;
  return TakeImage(MRender::LoadImageFromFile(GetSkinsFolder() + file), count);
}

int CSliderPicture::SetImage(unsigned resId, CString type, int count) {
  if (count < 1) return 0;
  return TakeImage(MRender::LoadImageFromIDResource(resId, type, Manager::GetInstance()), count);
}

int CSliderPicture::SetShowMode(enumShowMode mode, int param) {
  if (!m_layout.SetMode(mode, param)) return 0;
  UpdateControl(1, 0);
  return 1;
}

int CSliderPicture::SetShowModeMID(int left, int top, int right, int bottom) {
  m_layout.SetNineGridBorders(left, top, right, bottom);
  UpdateControl(1, 0);
  return 1;
}

int CSliderPicture::SetRun(int run, SLIDER_MODE mode) {
  if (!m_bEnabled) return m_bRun;
  const int was = m_bRun;
  m_bRun = run;
  m_sliderMode = mode;
  switch (mode) {
    case SLIDER_TOP_TO_BOTTOM:
      m_position = m_rcControl.top;
      m_endPosition = m_rcControl.bottom;
      break;
    case SLIDER_LEFT_TO_RIGHT:
      m_position = 0;
      m_endPosition = m_rcControl.Width();
      break;
    case SLIDER_RIGHT_TO_LEFT:
      m_position = m_rcControl.right;
      m_endPosition = m_rcControl.left;
      break;
  }
  if (m_bVisible && (was != 0) != (run != 0)) UpdateControl(1, 0);
  return m_bRun;
}

int CSliderPicture::OnControlTimer() {
  if (!m_bRun || !m_bVisible) return 0;
  if (++m_tick < m_ticksPerStep) return 1;
  m_tick = 0;
  switch (m_sliderMode) {
    case SLIDER_TOP_TO_BOTTOM:
      m_position += m_rcControl.Height() / 100;
      if (m_position >= m_endPosition) m_bRun = 0;
      break;
    case SLIDER_LEFT_TO_RIGHT:
      m_position += m_rcControl.Width() / 100;
      if (m_position >= m_endPosition) m_bRun = 0;
      break;
    case SLIDER_RIGHT_TO_LEFT:
      m_position -= m_rcControl.Width() / 100;
      if (m_position <= m_endPosition) m_bRun = 0;
      break;
  }
  InvalidateRect(nullptr, 0);
  return 1;
}

void CSliderPicture::DrawControl(HDC& hdc, CRect) {
  if (!m_bRun && m_bVisible) {
    SetControlVisible(0);
    if (m_pParent) m_pParent->OnControlUpdate(m_rcControl, 1, this);
    return;
  }
  const CRect r = m_rcControl;
  const int w = r.Width(), h = r.Height();
  if (w <= 0 || h <= 0) return;
  if (!m_bUpdate || !GetMemDC()) {
    m_layout.hAlign = m_hAlign;
    m_layout.vAlign = m_vAlign;
    RenderSlices(*this, hdc, 1, [&](Gdiplus::Graphics& g, int, int) {
      DrawPicture(g, m_pImage, m_frameWidth, m_frameHeight, 0, w, h, m_layout);
    });
  }
  HDC mem = GetMemDC();
  if (!mem) return;
  switch (m_sliderMode) {
    case SLIDER_TOP_TO_BOTTOM: {
      const int shown = std::clamp(m_position - static_cast<int>(r.top), 0, h);
      ::BitBlt(hdc, r.left, r.top, w, shown, mem, 0, h - shown, SRCCOPY);
      FillRect(hdc, r.left, r.top + shown, w, h - shown);
      break;
    }
    case SLIDER_LEFT_TO_RIGHT: {
      const int shown = std::clamp(m_position, 0, w);
      ::BitBlt(hdc, r.left, r.top, shown, h, mem, w - shown, 0, SRCCOPY);
      FillRect(hdc, r.left + shown, r.top, w - shown, h);
      break;
    }
    case SLIDER_RIGHT_TO_LEFT: {
      const int hidden = std::clamp(m_position - static_cast<int>(r.left), 0, w);
      ::BitBlt(hdc, r.left + hidden, r.top, w - hidden, h, mem, 0, 0, SRCCOPY);
      FillRect(hdc, r.left, r.top, hidden, h);
      break;
    }
  }
}
