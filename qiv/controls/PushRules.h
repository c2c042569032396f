// The push-button rules that the buttons outside MButton repeat: a state index 0 normal,
// 1 hover, 2 pressed, 3 disabled, shown by a repaint request that keeps the strip.
#pragma once
#include "core/MControl.h"

namespace PushRules {

// Sets the state; a change asks for a repaint with redraw 0 and answers 1.
inline int Change(MControl& control, int& state, int next) {
  if (next == state) return 0;
  state = next;
  control.UpdateControl(0, 0);
  return 1;
}

// Hover inside, normal outside; unchanged while pressed or disabled.
inline int Move(MControl& control, int& state, CPoint point) {
  if (!control.IsEnabled() || state == 2) return 0;
  return Change(control, state, control.GetRect().PtInRect(point) ? 1 : 0);
}

// A press inside: state 2 and code 1 to the parent.
inline int Press(MControl& control, int& state, CPoint point) {
  if (!control.IsEnabled() || !control.GetRect().PtInRect(point)) return 0;
  const int previous = state;
  state = 2;
  control.SendMessageW(NOTIFY_LBUTTONDOWN, 0, 0);
  if (previous == state) return 0;
  control.UpdateControl(0, 0);
  return 1;
}

// The release: hover inside, normal outside; a release inside after a press is a click,
// sent before (clickFirst) or after the repaint request.
inline int Release(MControl& control, int& state, CPoint point, bool clickFirst) {
  if (!control.IsEnabled()) return 0;
  const bool inside = control.GetRect().PtInRect(point);
  const bool click = inside && state == 2;
  const int next = inside ? 1 : 0;
  if (next == state) return 0;
  state = next;
  if (click && clickFirst) control.SendMessageW(NOTIFY_CLICK, 0, 0);
  control.UpdateControl(0, 0);
  if (click && !clickFirst) control.SendMessageW(NOTIFY_CLICK, 0, 0);
  return 1;
}

// Enabling shows the normal look, disabling the disabled one.
inline void Enable(MControl& control, int& state, int& enabledFlag, int enabled) {
  if ((enabled != 0) == (enabledFlag != 0)) return;
  enabledFlag = enabled;
  Change(control, state, enabled ? 0 : 3);
}

}  // namespace PushRules
