#include "controls/MButton3.h"
#include "controls/ControlPaint.h"
#include "core/MRender.h"

using namespace ControlPaint;

MButton3::MButton3(MObject* parent, unsigned id, CRect rect, const wchar_t* title, int visible, int enabled)
    : MButton(parent, id, rect, title, visible, enabled) {}

MButton3::~MButton3() = default;

const wchar_t* MButton3::GetClassNameW() const { return L"MButton3"; }

int MButton3::SetCheck(int check) {
  if (m_bEnabled && check != m_checked) {
    m_checked = check;
    UpdateControl(0, 0);
  }
  return m_checked;
}

// Every release inside toggles, pressed before or not; the new look shows at the next
// repaint (a release on a hovered button does not change the state).
int MButton3::OnControlLButtonUp(unsigned, CPoint point) {
  if (!m_bEnabled) return 0;
  const bool inside = m_rcControl.PtInRect(point);
  if (inside) {
    m_checked = m_checked ? 0 : 1;
    SendMessageW(NOTIFY_CLICK, 0, 0);
  }
  return ChangeState(inside ? 1 : 0);
}

void MButton3::DrawControl(HDC& hdc, CRect) {
  PaintSlices(*this, hdc, 4, m_checked ? 2 : m_state, [&](Gdiplus::Graphics& g, int w, int h) {
    for (int i = 0; i < 4; ++i)
      MRender::DrawImageFrame(g, m_pImage, CRect(i * w, 0, i * w + w, h), i * m_frameWidth, 0, m_frameWidth,
                              m_frameHeight, m_frameSize);
    if (m_title.IsEmpty()) return;
    auto font = MakeFont(*this);
    g.SetTextRenderingHint(m_textRenderingHint);
    for (int i = 0; i < 4; ++i)
      DrawSliceTitle(g, *font, i, w, h, Gdiplus::Color(i == 2 ? 0xFFFFFFFF : 0xFF333333), false);
  });
}
