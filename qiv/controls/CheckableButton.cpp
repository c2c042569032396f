#include "controls/CheckableButton.h"
#include "core/PaintManager.h"

CheckableButton::CheckableButton(MObject* parent, unsigned id, CRect rect, const wchar_t* title, int visible,
                                 int enabled, int frames)
    : MControlFont(parent, id, rect, title, visible, enabled, 1) {
  m_bTabStop = 1;
  m_imageCount = frames;
}

CheckableButton::~CheckableButton() = default;

int CheckableButton::Look(int phase) const { return m_checked ? phase + 4 : phase; }

int CheckableButton::ChangeState(int state) {
  if (state == m_state) return 0;
  m_state = state;
  UpdateControl(0, 0);
  return 1;
}

void CheckableButton::SetControlEnabled(int enabled) {
  if ((enabled != 0) == (m_bEnabled != 0)) return;
  m_bEnabled = enabled;
  ChangeState(Look(enabled ? 0 : 3));
}

int CheckableButton::OnControlMouseMove(unsigned, CPoint point) {
  if (!m_bEnabled || m_pressing) return 0;
  return ChangeState(Look(m_rcControl.PtInRect(point) ? 1 : 0));
}

int CheckableButton::OnControlLButtonDown(unsigned, CPoint point) {
  if (!m_bEnabled || !m_rcControl.PtInRect(point)) return 0;
  m_pressing = 1;
  return ChangeState(Look(2));
}

int CheckableButton::OnControlLButtonUp(unsigned, CPoint point) {
  const int pressing = m_pressing;
  m_pressing = 0;
  if (!m_bEnabled) return 0;
  if (!m_rcControl.PtInRect(point)) return ChangeState(Look(0));
  if (pressing) {
    OnClickRelease();
    SendMessageW(NOTIFY_CLICK, 0, 0);
  }
  return ChangeState(Look(1));
}

int CheckableButton::SetControlFocus(int focus) {
  MControlFont::SetControlFocus(focus);
  if (!m_bVisible || !m_bEnabled) return 0;
  m_focus = focus;
  UpdateControl(1, 0);
  return 1;
}

int CheckableButton::OnControlKeyDown(unsigned key, unsigned repeat, unsigned modifiers) {
  const bool space = m_focus && key == VK_SPACE && modifiers == 0;
  if (!space && !MControlFont::OnControlKeyDown(key, repeat, modifiers)) return 0;
  OnSpace();
  SendMessageW(NOTIFY_CHECK, 0, m_checked);
  return 1;
}

int CheckableButton::SetImage(const wchar_t* file, int count) {
  if (!m_pManager || count < 1) return 0;
  ImgResInfo* info = m_pManager->AddImgResInfo(file, count);
  if (!info) return 0;
  m_imageCount = count;
  m_pImage = info->image;
  m_frameWidth = info->frameWidth;
  m_frameHeight = info->height;
  return 1;
}

int CheckableButton::SetImage(unsigned resId, CString type, int count) {
  if (!m_pManager || count < 1) return 0;
  ImgResInfo* info = m_pManager->AddImgResInfo(resId, type, count, 1);
  if (!info) return 0;
  m_imageCount = count;
  m_pImage = info->image;
  m_frameWidth = info->frameWidth;
  m_frameHeight = info->height;
  return 1;
}
