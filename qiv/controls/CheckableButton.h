// The state rules shared by the buttons that carry a checked flag (check boxes, radio,
// layer and selection buttons): hover, press and release looks by checked state, a click
// on release after a press inside and Space on the focused button. Each class draws
// its strip of looks, one slice per state index.
#pragma once
#include "core/MControlFont.h"

class QIV_API CheckableButton : public MControlFont {
public:
  CheckableButton(MObject* parent, unsigned id, CRect rect, const wchar_t* title, int visible, int enabled,
                  int frames);
  ~CheckableButton() override;

  int SetControlFocus(int focus) override;
  void SetControlEnabled(int enabled) override;
  int OnControlMouseMove(unsigned flags, CPoint point) override;
  int OnControlLButtonDown(unsigned flags, CPoint point) override;
  int OnControlLButtonUp(unsigned flags, CPoint point) override;
  int OnControlKeyDown(unsigned key, unsigned repeat, unsigned modifiers) override;
  // The skin strip from the window's image cache, without a repaint request.
  int SetImage(const wchar_t* file, int count) override;
  int SetImage(unsigned resId, CString type, int count) override;

  int GetCheck() const { return m_checked; }
  int GetState() const { return m_state; }
  int HasFocusFlag() const { return m_focus; }

protected:
  // The look of a phase (0 normal, 1 hover, 2 pressed, 3 disabled) for the checked flag.
  virtual int Look(int phase) const;
  // A click (release inside after a press inside) before code 2 is sent.
  virtual void OnClickRelease() = 0;
  // Space on the focused button before code 7 is sent.
  virtual void OnSpace() = 0;
  // Sets the state; a change repaints (redraw 0) and answers 1.
  int ChangeState(int state);

  int m_state = 0;
  int m_checked = 0;
  int m_pressing = 0;
  int m_focus = 0;
};

// The check boxes' SetCheck: while enabled, the flag and the normal look; no notification.
inline int CheckBoxSetCheck(int& checked, int& state, int enabled, int value, int checkedLook, MControl& self) {
  if (!enabled) return checked;
  const bool changed = value != checked;
  checked = value;
  state = value ? checkedLook : 0;
  if (changed) self.UpdateControl(0, 0);
  return checked;
}
