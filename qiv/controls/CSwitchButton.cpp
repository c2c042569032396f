#include "controls/CSwitchButton.h"
#include "controls/ControlPaint.h"
#include "controls/PushRules.h"

using namespace ControlPaint;

CSwitchButton::CSwitchButton(MObject* parent, unsigned id, CRect rect, int visible, int enabled)
    : MControlFont(parent, id, rect, L"", visible, enabled, 1) {
  m_bTabStop = 1;
}

CSwitchButton::~CSwitchButton() = default;

const wchar_t* CSwitchButton::GetClassNameW() const { return L"CSwitchButton"; }

int CSwitchButton::SetImage(const wchar_t* onFile, const wchar_t* offFile, int frames) {
  if (frames < 1) return 0;
  m_onImage = LoadSkinStrip(onFile, frames, m_onFrameWidth, m_onFrameHeight);
  m_offImage = LoadSkinStrip(offFile, frames, m_offFrameWidth, m_offFrameHeight);
  m_imageCount = frames;
  return m_onImage && m_offImage ? 1 : 0;
}

int CSwitchButton::SetCheck(int on) {
  const bool changed = on != m_on;
  m_on = on;
  m_state = 0;
  if (changed && m_bVisible) UpdateControl(1, 0);
  return on;
}

void CSwitchButton::SetControlEnabled(int enabled) { PushRules::Enable(*this, m_state, m_bEnabled, enabled); }

int CSwitchButton::OnControlMouseMove(unsigned, CPoint point) {
  if (!m_bEnabled || m_pressing) return 0;
  return PushRules::Change(*this, m_state, m_rcControl.PtInRect(point) ? 1 : 0);
}

// The switch has no pressed look: a press shows the hover frame.
int CSwitchButton::OnControlLButtonDown(unsigned, CPoint point) {
  if (!m_bEnabled || !m_rcControl.PtInRect(point)) return 0;
  m_pressing = 1;
  if (m_state == 1) return 0;
  m_state = 1;
  UpdateControl(1, 0);
  return 1;
}

int CSwitchButton::OnControlLButtonUp(unsigned, CPoint point) {
  const int pressing = m_pressing;
  m_pressing = 0;
  if (!m_bEnabled) return 0;
  const int previousState = m_state, previousOn = m_on;
  if (!m_rcControl.PtInRect(point)) {
    m_state = 0;
  } else if (pressing) {
    m_on = m_on ? 0 : 1;
    SendMessageW(NOTIFY_CLICK, 0, m_on);
  }
  if (m_on != previousOn) {
    UpdateControl(1, 0);
    return 1;
  }
  if (m_state != previousState) {
    UpdateControl(0, 0);
    return 1;
  }
  return 0;
}

int CSwitchButton::OnControlKeyDown(unsigned, unsigned, unsigned) { return 0; }

void CSwitchButton::DrawControl(HDC& hdc, CRect) {
  PaintSlices(*this, hdc, 4, m_state, [&](Gdiplus::Graphics& g, int w, int h) {
    Gdiplus::Image* strip = m_on ? m_onImage.get() : m_offImage.get();
    const int fw = m_on ? m_onFrameWidth : m_offFrameWidth, fh = m_on ? m_onFrameHeight : m_offFrameHeight;
    if (!strip) return;
    for (int i = 0; i < 4; ++i)
      g.DrawImage(strip, Gdiplus::Rect(i * w, (h - fh) / 2, fw, fh), i * fw, 0, fw, fh, Gdiplus::UnitPixel);
  });
}
