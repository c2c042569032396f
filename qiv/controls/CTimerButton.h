// A push button that, once started, shows its title with a ten-second countdown and
// reports a click by itself when the time is over.
#pragma once
#include "core/MControlFont.h"

class QIV_API CTimerButton : public MControlFont {
public:
  using Clock = DWORD(WINAPI*)();

  CTimerButton(MObject* parent, unsigned id, CRect rect, const wchar_t* title, int visible, int enabled);
  ~CTimerButton() override;
  const wchar_t* GetClassNameW() const override;

  void DrawControl(HDC& hdc, CRect paint) override;
  int SetControlFocus(int focus) override;
  void SetControlEnabled(int enabled) override;
  int OnControlTimer() override;
  int OnControlMouseMove(unsigned flags, CPoint point) override;
  int OnControlLButtonDown(unsigned flags, CPoint point) override;
  int OnControlLButtonUp(unsigned flags, CPoint point) override;
  int OnControlKeyDown(unsigned key, unsigned repeat, unsigned modifiers) override;

  // Starts (1) or stops (0) the countdown; a disabled button keeps its running flag.
  int SetRun(int run);
  int IsRunning() const { return m_bRun; }
  void SetFrameSize(int size) { m_frameSize = size; }
  int GetState() const { return m_state; }
  // The millisecond clock of the countdown (GetTickCount unless replaced).
  void SetClock(Clock clock) { m_clock = clock ? clock : ::GetTickCount; }
  // The title as the strip shows it now: "title(Ns)" while counting down.
  CString GetShownTitle() const;

private:
  int m_state = 0;
  int m_frameSize = 4;
  DWORD m_startTick = 0;
  DWORD m_lastRepaintTick = 0;
  Clock m_clock = ::GetTickCount;
};
