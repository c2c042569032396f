#include "controls/UpgradeButton.h"
#include "controls/ControlPaint.h"
#include "controls/PushRules.h"
#include "core/MRender.h"

using namespace ControlPaint;

UpgradeButton::UpgradeButton(MObject* parent, unsigned id, CRect rect, const wchar_t* title, int visible,
                             int enabled)
    : MControlFont(parent, id, rect, title, visible, enabled, 1) {
  m_hAlign = 1;
}

UpgradeButton::~UpgradeButton() = default;

const wchar_t* UpgradeButton::GetClassNameW() const { return L"UpgradeButton"; }

void UpgradeButton::SetUpgradeStatus(int status) {
  if (status == m_upgradeStatus) return;
  m_upgradeStatus = status;
  UpdateControl(1, 0);
}

void UpgradeButton::SetControlEnabled(int enabled) { PushRules::Enable(*this, m_state, m_bEnabled, enabled); }
int UpgradeButton::OnControlMouseMove(unsigned, CPoint point) { return PushRules::Move(*this, m_state, point); }
int UpgradeButton::OnControlLButtonDown(unsigned, CPoint point) { return PushRules::Press(*this, m_state, point); }
int UpgradeButton::OnControlLButtonUp(unsigned, CPoint point) {
  return PushRules::Release(*this, m_state, point, false);
}
int UpgradeButton::OnControlKeyDown(unsigned key, unsigned repeat, unsigned modifiers) {
  return MControlFont::OnControlKeyDown(key, repeat, modifiers);
}

void UpgradeButton::DrawControl(HDC& hdc, CRect) {
  PaintSlices(*this, hdc, 4, m_state, [&](Gdiplus::Graphics& g, int w, int h) {
    const bool exact = m_frameWidth == w && m_frameHeight == h;
    for (int i = 0; i < 4; ++i) {
      if (!m_pImage) break;
      if (exact)
        g.DrawImage(m_pImage, Gdiplus::Rect(i * w, 0, w, h), i * m_frameWidth, 0, w, h, Gdiplus::UnitPixel);
      else
        MRender::DrawImageFrame(g, m_pImage, CRect(i * w, 0, i * w + w, h), i * m_frameWidth, 0, m_frameWidth,
                                m_frameHeight, m_frameSize);
    }
    g.SetTextRenderingHint(m_textRenderingHint);
    if (!m_title.IsEmpty()) {
      auto font = MakeFont(*this);
      for (int i = 0; i < 4; ++i) {
        const float d = i == 2 ? 1.0f : 0.0f;
        DrawTitle(g, m_title, *font,
                  Gdiplus::RectF(static_cast<float>(i * w) + d, d, static_cast<float>(w), static_cast<float>(h)),
                  i == 3 ? Gdiplus::Color(0xFF808080) : m_textColor);
      }
    }
    if (m_upgradeStatus == 0) return;
    g.SetSmoothingMode(Gdiplus::SmoothingModeHighQuality);
    Gdiplus::SolidBrush red(Gdiplus::Color(0xFFFF0000));
    auto badgeFont = MakeFont(*this, 8, m_fontStyle);
    for (int i = 0; i < 4; ++i) {
      g.FillEllipse(&red, i * w + w - 16, 0, 16, 16);
      DrawTitle(g, L"1", *badgeFont, Gdiplus::RectF(static_cast<float>(i * w + w - 15), 1.0f, 16.0f, 16.0f),
                m_textColor);
    }
  });
}
