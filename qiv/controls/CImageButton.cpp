#include "controls/CImageButton.h"
#include "controls/ControlPaint.h"
#include "core/MRender.h"
#include "core/Manager.h"
#include "core/PaintManager.h"

using namespace ControlPaint;

CImageButton::CImageButton(MObject* parent, unsigned id, CRect rect, const wchar_t* title, int visible, int enabled)
    : MButton(parent, id, rect, title, visible, enabled) {}

CImageButton::~CImageButton() = default;

const wchar_t* CImageButton::GetClassNameW() const { return L"CImageButton"; }

int CImageButton::OnControlMouseMove(unsigned flags, CPoint point) {
  const int changed = MButton::OnControlMouseMove(flags, point);
  if (changed) SetAirBladderInfo();
  return changed;
}

void CImageButton::SetAirBladderInfo() {
  if (m_balloonMode == 0 || m_title.IsEmpty() || !m_pManager) return;
  if (m_state != 1) {
    if (MAirBladder* balloon = m_pManager->GetAirBladder()) balloon->ShowWindow(SW_HIDE);
    return;
  }
  POINT anchor;
  anchor.y = m_rcControl.top + m_rcControl.Height() / 2;
  anchor.x = m_balloonMode == AIRBLADDER_MODE_RIGHT ? m_rcControl.right
             : m_balloonMode == AIRBLADDER_MODE_LEFT ? m_rcControl.left
                                                     : 0;
  anchor = ClientToScreen(*this, anchor);
  m_pManager->SetAirBladderMsg(m_title, anchor, AIRBLADDER_TYPE_HOVER, m_balloonMode);
  if (MAirBladder* balloon = m_pManager->GetAirBladder()) balloon->ShowWindow(SW_SHOW);
}

void CImageButton::DrawControl(HDC& hdc, CRect) {
  PaintSlices(*this, hdc, 4, m_state, [&](Gdiplus::Graphics& g, int w, int h) {
    if (!m_pImage) return;
    if (m_imageCount == 1) {
      for (int i = 0; i < 4; ++i) {
        if (i == 1 || i == 2)
          MRender::DrawRoundRectange(g, static_cast<float>(i * w + 3), 3.0f, static_cast<float>(w - 6),
                                     static_cast<float>(h - 6), 6.0f, Manager::GetDownColor(), 1.0f,
                                     Manager::GetNormalColor());
        g.DrawImage(m_pImage, Gdiplus::Rect(i * w + (w - m_frameWidth) / 2, (h - m_frameHeight) / 2, m_frameWidth,
                                            m_frameHeight),
                    0, 0, m_frameWidth, m_frameHeight, Gdiplus::UnitPixel);
      }
      return;
    }
    for (int i = 0; i < 4; ++i)
      g.DrawImage(m_pImage, Gdiplus::Rect(i * w, 0, m_frameWidth, m_frameHeight), i * m_frameWidth, 0, m_frameWidth,
                  m_frameHeight, Gdiplus::UnitPixel);
  });
}
