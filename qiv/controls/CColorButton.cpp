#include "controls/CColorButton.h"
#include "controls/ButtonGroup.h"
#include "controls/ControlPaint.h"
#include "controls/PushRules.h"
#include "core/MRender.h"

using namespace ControlPaint;

CColorButton::CColorButton(MObject* parent, unsigned id, CRect rect, int visible, int enabled)
    : MControlFont(parent, id, rect, L"", visible, enabled, 1) {}

CColorButton::~CColorButton() = default;

const wchar_t* CColorButton::GetClassNameW() const { return L"ColorButton"; }

void CColorButton::SetColor(unsigned long color) {
  if (color == m_color) return;
  m_color = static_cast<COLORREF>(color);
  UpdateControl(1, 0);
}

int CColorButton::SetCheck(int check) {
  if (!m_bEnabled) return m_checked;
  const bool changed = check != m_checked;
  m_checked = check;
  m_state = check ? 2 : 0;
  if (changed) {
    ResetGroupCheck();
    UpdateControl(0, 0);
  }
  return m_checked;
}

void CColorButton::SetControlCheck(int check) {
  m_checked = check;
  m_state = check ? 2 : 0;
  UpdateControl(0, 0);
}

void CColorButton::UncheckByGroup() {
  m_checked = 0;
  m_state = 0;
  UpdateControl(0, 0);
}

int CColorButton::ResetGroupCheck() {
  return ButtonGroup::Reset(*this, true, [](CColorButton& other) { other.UncheckByGroup(); });
}

void CColorButton::SetControlEnabled(int enabled) { PushRules::Enable(*this, m_state, m_bEnabled, enabled); }

// The hover look waits for the swatch's next repaint: a move asks for none.
int CColorButton::OnControlMouseMove(unsigned, CPoint point) {
  if (!m_bEnabled || m_state == 2) return 0;
  const bool inside = m_rcControl.PtInRect(point);
  MoveCursor(inside, m_state == 1);
  const int next = inside ? 1 : 0;
  if (next == m_state) return 0;
  m_state = next;
  return 1;
}

int CColorButton::OnControlLButtonDown(unsigned, CPoint point) {
  if (!m_bEnabled || !m_rcControl.PtInRect(point)) return 0;
  SetHandCursor(true);
  const int previous = m_state;
  m_state = 2;
  m_checked = 1;
  ResetGroupCheck();
  SendMessageW(NOTIFY_LBUTTONDOWN, 0, 0);
  if (previous == m_state) return 0;
  UpdateControl(0, 0);
  return 1;
}

int CColorButton::OnControlLButtonUp(unsigned, CPoint point) {
  return PushRules::Release(*this, m_state, point, false);
}

int CColorButton::OnControlKeyDown(unsigned key, unsigned repeat, unsigned modifiers) {
  return MControlFont::OnControlKeyDown(key, repeat, modifiers);
}

void CColorButton::DrawControl(HDC& hdc, CRect) {
  PaintSlices(*this, hdc, 4, m_checked ? 2 : m_state, [&](Gdiplus::Graphics& g, int w, int h) {
    const Gdiplus::Color swatch = FromColorRef(m_color);
    for (int i = 0; i < 4; ++i) {
      const int x = i * w;
      if (m_visibleBorder) {
        Fill(g, swatch, x + 3, 3, w - 6, h - 6);
        continue;
      }
      if (m_pImage)
        g.DrawImage(m_pImage, Gdiplus::Rect(x, 0, w, h), 0, 0, static_cast<INT>(m_pImage->GetWidth()),
                    static_cast<INT>(m_pImage->GetHeight()), Gdiplus::UnitPixel);
      else
        Fill(g, swatch, x + 2, 2, w - 4, h - 4);
      if (i == 0) continue;
      MRender::DrawRectangle(g, Gdiplus::Color(i == 3 ? 0xFF808080 : 0xFFF5F5F5), 2.0f, x + 1, 1, w - 2, h - 2);
    }
  });
}
