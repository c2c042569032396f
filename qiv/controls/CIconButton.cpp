#include "controls/CIconButton.h"
#include "controls/ButtonGroup.h"
#include "controls/CKeyboardTips.h"
#include "controls/ControlPaint.h"
#include "core/MRender.h"
#include "core/PaintManager.h"

using namespace ControlPaint;

CIconButton::CIconButton(MObject* parent, unsigned id, CRect rect, const wchar_t* title, int visible, int enabled)
    : MControlFont(parent, id, rect, title, visible, enabled, 1) {
  m_hAlign = 1;
}

// The tip window goes first; deleting its object then finds no window left.
CIconButton::~CIconButton() {
  if (m_tips) m_tips->DestroyWindow();
}

const wchar_t* CIconButton::GetClassNameW() const { return L"IconButton"; }

int CIconButton::SetIconImage(const wchar_t* file, int frames) {
  m_icon = LoadSkinStrip(file, frames, m_iconFrameWidth, m_iconFrameHeight);
  if (!m_icon) return 0;
  m_iconFrameCount = frames;
  return 1;
}

int CIconButton::SetCheck(int check) {
  m_checked = check;
  m_state = 0;
  m_selected = 0;
  UpdateControl(1, 0);
  return 1;
}

int CIconButton::SetDownState(int) {
  m_state = 0;
  m_selected = 0;
  UpdateControl(1, 0);
  return 1;
}

void CIconButton::SetControlCheck(int selected) {
  m_selected = selected;
  m_state = selected ? 2 : 0;
  UpdateControl(0, 0);
}

void CIconButton::UnselectByGroup() {
  m_selected = 0;
  m_state = 0;
  UpdateControl(0, 0);
}

int CIconButton::ResetGroupCheck() {
  return ButtonGroup::Reset(*this, true, [](CIconButton& other) { other.UnselectByGroup(); });
}

void CIconButton::SetTips(CString title, CString text1, CString text2) {
  m_tipTitle = title;
  m_tipText1 = text1;
  m_tipText2 = text2;
}

void CIconButton::SetTips(bool) {
  if (!m_showTips || m_tips) return;
  m_tips = std::make_unique<CKeyboardTips>();
  HWND host = m_pManager ? m_pManager->GetPaintWnd() : nullptr;
  m_tips->Create(host, L"KeyboardTip Window", 0x96020080, 0, CRect(), nullptr);
  m_tips->LoadBKImage(L"img_tip_bk.png");
}

int CIconButton::ChangeState(int state) {
  if (state == m_state) return 0;
  m_state = state;
  UpdateControl(0, 0);
  return 1;
}

void CIconButton::SetControlEnabled(int enabled) {
  if ((enabled != 0) == (m_bEnabled != 0)) return;
  m_bEnabled = enabled;
  ChangeState(enabled ? 0 : 3);
}

int CIconButton::OnControlMouseMove(unsigned, CPoint point) {
  if (!m_bEnabled) return 0;
  const bool inside = m_rcControl.PtInRect(point);
  MoveCursor(inside, m_state == 1 || m_state == 2);
  const int previous = m_state;
  m_state = inside ? 1 : 0;
  SetTips(inside);
  if (previous == m_state) return 0;
  UpdateControl(0, 0);
  return 1;
}

int CIconButton::OnControlLButtonDown(unsigned, CPoint point) {
  if (!m_bEnabled || !m_rcControl.PtInRect(point)) return 0;
  m_pressing = 1;
  const int previous = m_state;
  m_state = 2;
  m_selected = 1;
  SendMessageW(NOTIFY_LBUTTONDOWN, 0, 0);
  if (previous == m_state) return 0;
  UpdateControl(0, 0);
  return 1;
}

// Every release inside selects, pressed before or not.
int CIconButton::OnControlLButtonUp(unsigned, CPoint point) {
  m_pressing = 0;
  if (!m_bEnabled) return 0;
  const int previous = m_state;
  if (m_rcControl.PtInRect(point)) {
    m_selected = 1;
    ResetGroupCheck();
    SendMessageW(NOTIFY_CLICK, 0, 0);
    m_state = 2;
  } else {
    m_state = 0;
  }
  if (previous == m_state) return 0;
  UpdateControl(0, 0);
  return 1;
}

int CIconButton::OnControlKeyDown(unsigned key, unsigned repeat, unsigned modifiers) {
  return MControlFont::OnControlKeyDown(key, repeat, modifiers);
}

void CIconButton::DrawControl(HDC& hdc, CRect) {
  PaintSlices(*this, hdc, 4, ShownSlice(), [&](Gdiplus::Graphics& g, int w, int h) {
    for (int i = 0; i < 4; ++i) {
      MRender::DrawImageFrame(g, m_pImage, CRect(i * w, 0, i * w + w, h), i * m_frameWidth, 0, m_frameWidth,
                              m_frameHeight, 20);
      if (m_icon)
        g.DrawImage(m_icon.get(),
                    Gdiplus::Rect(i * w + 10, (h - m_iconFrameHeight) / 2, m_iconFrameWidth, m_iconFrameHeight), 0, 0,
                    m_iconFrameWidth, m_iconFrameHeight, Gdiplus::UnitPixel);
    }
    if (m_title.IsEmpty()) return;
    auto font = MakeFont(*this);
    g.SetTextRenderingHint(m_textRenderingHint);
    for (int i = 0; i < 4; ++i) {
      if (m_textRect.IsRectEmpty()) {
        DrawTitle(g, m_title, *font,
                  Gdiplus::RectF(static_cast<float>(i * w), 0.0f, static_cast<float>(w), static_cast<float>(h)),
                  m_textColor);
        continue;
      }
      const int d = i == 2 ? 1 : 0;
      DrawTitle(g, m_title, *font,
                Gdiplus::RectF(static_cast<float>(i * w + m_textRect.left + d), static_cast<float>(m_textRect.top + d),
                               static_cast<float>(m_textRect.Width()), static_cast<float>(m_textRect.Height())),
                i == 1 ? m_textColor : Gdiplus::Color(0xFEC8C8C8));
    }
  });
}
