#include "controls/MButton.h"
#include "controls/ControlPaint.h"
#include "core/MRender.h"

using namespace ControlPaint;

MButton::MButton(MObject* parent, unsigned id, CRect rect, const wchar_t* title, int visible, int enabled)
    : MControlFont(parent, id, rect, title, visible, enabled, 1) {
  m_hAlign = 1;
}

MButton::~MButton() = default;

const wchar_t* MButton::GetClassNameW() const { return L"MButton"; }

int MButton::ChangeState(int state) {
  if (state == m_state) return 0;
  m_state = state;
  UpdateControl(0, 0);
  return 1;
}

void MButton::SetControlEnabled(int enabled) {
  if ((enabled != 0) == (m_bEnabled != 0)) return;
  m_bEnabled = enabled;
  ChangeState(enabled ? 0 : 3);
}

int MButton::OnControlMouseMove(unsigned, CPoint point) {
  if (!m_bEnabled || m_state == 2) return 0;
  const bool inside = m_rcControl.PtInRect(point);
  MoveCursor(inside, m_state == 1);
  return ChangeState(inside ? 1 : 0);
}

int MButton::OnControlLButtonDown(unsigned, CPoint point) {
  if (!m_bEnabled || !m_rcControl.PtInRect(point)) return 0;
  SetHandCursor(true);
  const int previous = m_state;
  m_state = 2;
  SendMessageW(NOTIFY_LBUTTONDOWN, 0, 0);
  if (previous == m_state) return 0;
  UpdateControl(0, 0);
  return 1;
}

int MButton::OnControlLButtonUp(unsigned, CPoint point) {
  if (!m_bEnabled) return 0;
  const bool inside = m_rcControl.PtInRect(point);
  const bool click = inside && m_state == 2;
  if (!ChangeState(inside ? 1 : 0)) return 0;
  if (click) SendMessageW(NOTIFY_CLICK, 0, 0);
  return 1;
}

int MButton::OnControlKeyDown(unsigned key, unsigned repeat, unsigned modifiers) {
  return MControlFont::OnControlKeyDown(key, repeat, modifiers);
}

int MButton::SetIconImage(const wchar_t* file, int frames) {
  m_icon = LoadSkinStrip(file, frames, m_iconFrameWidth, m_iconFrameHeight);
  if (!m_icon) return 0;
  m_iconFrameCount = frames;
  return 1;
}

void MButton::DrawSliceTitle(Gdiplus::Graphics& g, const Gdiplus::Font& font, int slice, int w, int h,
                             Gdiplus::Color colour, bool useTextRect) {
  const int d = slice == 2 ? 1 : 0;
  Gdiplus::RectF layout(static_cast<float>(slice * w + d), static_cast<float>(d), static_cast<float>(w),
                        static_cast<float>(h));
  if (useTextRect && !m_textRect.IsRectEmpty())
    layout = Gdiplus::RectF(static_cast<float>(slice * w + m_textRect.left + d), static_cast<float>(m_textRect.top + d),
                            static_cast<float>(m_textRect.Width()), static_cast<float>(m_textRect.Height()));
  DrawTitle(g, m_title, font, layout, colour);
}

void MButton::DrawControl(HDC& hdc, CRect) {
  PaintSlices(*this, hdc, 4, m_state, [&](Gdiplus::Graphics& g, int w, int h) {
    for (int i = 0; i < 4; ++i)
      MRender::DrawImageFrame(g, m_pImage, CRect(i * w, 0, i * w + w, h), i * m_frameWidth, 0, m_frameWidth,
                              m_frameHeight, m_frameSize);
    if (m_title.IsEmpty()) return;
    auto font = MakeFont(*this);
    g.SetTextRenderingHint(m_textRenderingHint);
    g.SetSmoothingMode(m_smoothingMode);
    for (int i = 0; i < 4; ++i)
      DrawSliceTitle(g, *font, i, w, h, i == 3 ? Gdiplus::Color(0xFF808080) : m_textColor, true);
  });
}
