#include "controls/CTimerButton.h"
#include <cstdio>
#include "controls/ControlPaint.h"
#include "controls/PushRules.h"
#include "core/MRender.h"

using namespace ControlPaint;

namespace {
constexpr DWORD kCountdownMs = 10000;
constexpr DWORD kRepaintMs = 800;
}  // namespace

CTimerButton::CTimerButton(MObject* parent, unsigned id, CRect rect, const wchar_t* title, int visible, int enabled)
    : MControlFont(parent, id, rect, title, visible, enabled, 1) {
  m_bRunTimer = 1;
  m_hAlign = 1;
}

CTimerButton::~CTimerButton() = default;

const wchar_t* CTimerButton::GetClassNameW() const { return L"CTimerButton"; }

int CTimerButton::SetRun(int run) {
  if (!m_bEnabled) return m_bRun;
  m_bRun = run;
  m_lastRepaintTick = 0;
  m_startTick = m_clock();
  UpdateControl(1, 0);
  return run;
}

void CTimerButton::SetControlEnabled(int enabled) { PushRules::Enable(*this, m_state, m_bEnabled, enabled); }
int CTimerButton::OnControlMouseMove(unsigned, CPoint point) { return PushRules::Move(*this, m_state, point); }
int CTimerButton::OnControlLButtonDown(unsigned, CPoint point) { return PushRules::Press(*this, m_state, point); }

// A click stops the countdown.
int CTimerButton::OnControlLButtonUp(unsigned, CPoint point) {
  if (!m_bEnabled) return 0;
  const bool click = m_rcControl.PtInRect(point) && m_state == 2;
  const int changed = PushRules::Release(*this, m_state, point, false);
  if (click) m_bRun = 0;
  return changed;
}

int CTimerButton::OnControlKeyDown(unsigned key, unsigned repeat, unsigned modifiers) {
  return MControlFont::OnControlKeyDown(key, repeat, modifiers);
}

int CTimerButton::OnControlTimer() {
  if (!m_bRun || !m_bVisible) return 0;
  const DWORD now = m_clock();
  if (now - m_lastRepaintTick <= kRepaintMs) return 1;
  UpdateControl(1, 0);
  m_lastRepaintTick = now;
  if (now - m_startTick > kCountdownMs) {
    SendMessageW(NOTIFY_CLICK, 0, 0);
    m_bRun = 0;
  }
  return 1;
}

int CTimerButton::SetControlFocus(int focus) {
  if (!m_bEnabled) return 0;
  if ((focus != 0) == (m_bFocused != 0)) return 1;
  m_bFocused = focus;
  UpdateControl(1, 0);
  return 1;
}

CString CTimerButton::GetShownTitle() const {
  if (!m_bRun) return m_title;
  const int left = 10 - static_cast<int>((m_clock() - m_startTick) / 1000);
  wchar_t count[24];
  std::swprintf(count, 24, L"(%ds)", left);
  return m_title + count;
}

void CTimerButton::DrawControl(HDC& hdc, CRect) {
  PaintSlices(*this, hdc, 4, m_state, [&](Gdiplus::Graphics& g, int w, int h) {
    for (int i = 0; i < 4; ++i) {
      MRender::DrawImageFrame(g, m_pImage, CRect(i * w, 0, i * w + w, h), i * m_frameWidth, 0, m_frameWidth,
                              m_frameHeight, m_frameSize);
      if (!m_bFocused) continue;
      Gdiplus::Pen dotted(Gdiplus::Color(0xFE4CFF29), 1.0f);
      dotted.SetDashStyle(Gdiplus::DashStyleDot);
      g.DrawRectangle(&dotted, i * w + 6, 2, w - 12, h - 4);
    }
    if (m_title.IsEmpty()) return;
    const CString text = GetShownTitle();
    auto font = MakeFont(*this);
    g.SetTextRenderingHint(m_textRenderingHint);
    for (int i = 0; i < 4; ++i) {
      const float d = i == 2 ? 1.0f : 0.0f;
      DrawTitle(g, text, *font,
                Gdiplus::RectF(static_cast<float>(i * w) + d, d, static_cast<float>(w), static_cast<float>(h)),
                i == 3 ? Gdiplus::Color(0xFF808080) : m_textColor);
    }
  });
}
