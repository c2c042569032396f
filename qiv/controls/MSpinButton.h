// The spin box: a number field with an up and a down image button (ids 30 and 31). The
// number is typed with the digit keys or stepped with the arrow keys, the keypad plus and
// minus and the buttons, and wraps at the ends of its range; each change reaches the
// owner as code 28.
#pragma once
#include "core/MPanel.h"

class QIV_API MSpinButton : public MPanel {
public:
  enum : unsigned { kUpId = 30, kDownId = 31 };

  MSpinButton(MObject* parent, unsigned id, CRect rect, int visible, int enabled);
  ~MSpinButton() override;
  const wchar_t* GetClassNameW() const override;

  void InitControl(PaintManager* manager) override;
  void DrawControl(HDC& hdc, CRect paint) override;
  int SetControlFocus(int focus) override;
  long OnMessage(unsigned id, unsigned code, unsigned wParam, long lParam) override;
  void SetControlRect(CRect rect) override;
  void SetControlEnabled(int enabled) override;
  int OnControlMouseMove(unsigned flags, CPoint point) override;
  int OnControlLButtonDown(unsigned flags, CPoint point) override;
  int OnControlLButtonUp(unsigned flags, CPoint point) override;
  int OnControlKeyDown(unsigned key, unsigned repeat, unsigned modifiers) override;

  void SetCurValue(int value);
  int GetCurValue() const { return m_value; }
  void SetRange(int minimum, int maximum);
  int GetMinValue() const { return m_min; }
  int GetMaxValue() const { return m_max; }
  void SetLimitLength(int length) { m_limit = length; }
  int GetState() const { return m_state; }

  // A value above the maximum becomes the minimum, one below the minimum the maximum.
  static int Wrap(int value, int minimum, int maximum);
  // The value after typing `digit`: the digit appended, or the digit alone when that
  // would be longer than `limit` characters; then wrapped.
  static int TypeDigit(int value, int digit, int limit, int minimum, int maximum);
  // The value after Backspace: below 10 gives 0, else the last digit is dropped.
  static int Backspace(int value);

  // The fields the colour picker writes directly.
  int m_value = 0;
  int m_min = 1;
  int m_max = 100;

private:
  void Step(int delta);
  void Apply(int value, bool notify);
  void Repaint(int redraw);
  void PlaceButtons();

  int m_state = 0;
  int m_limit = 3;
  MControlFont* m_up = nullptr;    // children of the panel
  MControlFont* m_down = nullptr;
};
