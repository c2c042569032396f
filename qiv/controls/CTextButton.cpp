#include "controls/CTextButton.h"
#include "controls/ControlPaint.h"
#include "controls/PushRules.h"

using namespace ControlPaint;

CTextButton::CTextButton(MObject* parent, unsigned id, CRect rect, const wchar_t* title, int visible, int enabled)
    : MControlFont(parent, id, rect, title, visible, enabled, 1) {}

CTextButton::~CTextButton() = default;

const wchar_t* CTextButton::GetClassNameW() const { return L"CTextButton"; }

void CTextButton::SetTextButtonColor(Gdiplus::Color normal, Gdiplus::Color hover, Gdiplus::Color pressed,
                                     Gdiplus::Color disabled) {
  SetTextColor(normal);
  m_hoverColor = hover;
  m_pressedColor = pressed;
  m_disabledColor = disabled;
  UpdateControl(1, 0);
}

void CTextButton::SetControlEnabled(int enabled) { PushRules::Enable(*this, m_state, m_bEnabled, enabled); }
int CTextButton::OnControlMouseMove(unsigned, CPoint point) { return PushRules::Move(*this, m_state, point); }
int CTextButton::OnControlLButtonDown(unsigned, CPoint point) { return PushRules::Press(*this, m_state, point); }
int CTextButton::OnControlLButtonUp(unsigned, CPoint point) {
  return PushRules::Release(*this, m_state, point, true);
}

void CTextButton::DrawControl(HDC& hdc, CRect) {
  PaintSlices(*this, hdc, 4, m_state, [&](Gdiplus::Graphics& g, int w, int h) {
    if (m_title.IsEmpty()) return;
    auto font = MakeFont(*this);
    g.SetTextRenderingHint(Gdiplus::TextRenderingHintClearTypeGridFit);
    const Gdiplus::Color colours[4] = {m_textColor, m_hoverColor, m_pressedColor, m_disabledColor};
    for (int i = 0; i < 4; ++i) {
      const float d = i == 2 ? 1.0f : 0.0f;
      DrawTitle(g, m_title, *font, Gdiplus::RectF(static_cast<float>(i * w), d, static_cast<float>(w),
                                                  static_cast<float>(h)),
                colours[i]);
    }
  });
}
