#include "controls/CHelpButton.h"
#include "controls/ControlPaint.h"
#include "core/PaintManager.h"

using namespace ControlPaint;

CHelpButton::CHelpButton(MObject* parent, unsigned id, CRect rect, const wchar_t* title, int visible, int enabled)
    : MControlFont(parent, id, rect, title, visible, enabled, 1) {
  m_imageCount = 1;
}

CHelpButton::~CHelpButton() = default;

const wchar_t* CHelpButton::GetClassNameW() const { return L"CHelpButton"; }

// The balloon is keyed by the control id, so leaving hides it only while this button
// still holds it.
int CHelpButton::OnControlMouseMove(unsigned, CPoint point) {
  if (!m_bEnabled || m_title.IsEmpty() || !m_pManager) return 0;
  const int key = static_cast<int>(m_uID);
  if (!m_rcControl.PtInRect(point)) {
    m_pManager->ShowAirBladder(SW_HIDE, key);
    return 0;
  }
  POINT anchor = {m_mode == AIRBLADDER_MODE_LEFT ? m_rcControl.left - 2 : m_rcControl.left + 20, m_rcControl.top};
  anchor = ClientToScreen(*this, anchor);
  m_pManager->SetAirBladderMsg(m_title, anchor, AIRBLADDER_TYPE_HOVER, m_mode);
  m_pManager->ShowAirBladder(SW_SHOW, key);
  return 1;
}

void CHelpButton::DrawControl(HDC& hdc, CRect) {
  PaintSlices(*this, hdc, 1, 0, [&](Gdiplus::Graphics& g, int w, int h) {
    if (m_pImage)
      g.DrawImage(m_pImage, Gdiplus::Rect(0, 0, w, h), 0, 0, static_cast<INT>(m_pImage->GetWidth()),
                  static_cast<INT>(m_pImage->GetHeight()), Gdiplus::UnitPixel);
  });
}
