// The owner interface: every window object and control that can own controls or
// receive their notifications and repaint requests.
#pragma once
#include <windows.h>
#include "core/Geometry.h"
#include "qiv_export.h"

class MControl;

// The second value of a control's notification (OnBaseMessage).
enum enumNotifyCode {
  NOTIFY_LBUTTONDOWN = 1,
  NOTIFY_CLICK = 2,
  NOTIFY_DBLCLK = 3,
  NOTIFY_RBUTTONUP = 5,
  NOTIFY_CHECK = 7,
  NOTIFY_POSITION = 8,
  NOTIFY_ITEM_BUTTON = 9,
  NOTIFY_HOVER_ITEM = 11,
  NOTIFY_DROPDOWN_CLOSED = 22,
  NOTIFY_MARK_CANCELLED = 24,
  NOTIFY_TEXT_CHANGED = 26,
  NOTIFY_COLOR_CHANGED = 27,
  NOTIFY_VALUE_CHANGED = 28,
  NOTIFY_EDIT_END = 29,
  NOTIFY_EDIT_BEGIN = 30,
  NOTIFY_EDIT_ICON = 31,
  NOTIFY_IMAGE_SAVED = 32,
};

// A position relative to a span: kind 0 offset, 1 offset from the centre, 2 percentage.
struct ZK_POSITION_ITEM {
  int kind = 0;
  int fromEnd = 0;
  float value = 0.0f;
};

class QIV_API MObject {
public:
  virtual ~MObject();
  // 1 when `name` equals GetClassNameW() exactly (case-sensitive).
  virtual int IsClass(const wchar_t* name) const;
  virtual const wchar_t* GetClassNameW() const;
  virtual const wchar_t* GetObjectClass() const;
  virtual const wchar_t* BaseObjectClassName() const;
  // Notification entry of an owner.
  virtual long OnBaseMessage(unsigned id, unsigned code, unsigned wParam, long lParam);
  // Repaint-request entry of an owner.
  virtual long OnControlUpdate(CRect rect, int redraw, MControl* control);
};
