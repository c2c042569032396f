#include "pages/MacroRecorder.h"
#include <algorithm>

MacroRecorder::MacroRecorder(Clock clock) : m_clock(std::move(clock)) {}

int MacroRecorder::TotalSteps(int memorySize) { return (memorySize - 40) / 4; }

int MacroRecorder::StepBudget(int memorySize, int storedSteps) { return TotalSteps(memorySize) - storedSteps; }

void MacroRecorder::Start(int delayMode, int fixedDelay, int budget) {
  m_mode = delayMode;
  m_fixedDelay = delayMode == kFixedDelay ? fixedDelay : 0;
  m_budget = budget;
  m_haveLastEvent = false;
  m_lastEventTime = 0;
  m_recording = true;
}

int MacroRecorder::DelayBeforeEvent() {
  if (m_mode != kMeasuredDelay) return m_fixedDelay;
  const DWORD now = m_clock();
  // Unsigned difference: a tick count that wrapped around still gives the gap.
  const DWORD gap = now - m_lastEventTime;
  const int delay = m_haveLastEvent ? int(std::min<DWORD>(gap, kMaxMeasuredDelay)) : 0;
  m_haveLastEvent = true;
  m_lastEventTime = now;
  return delay;
}

int MacroRecorder::StepType(const InputEvent& event) {
  if (event.kind == kInputMouse) {
    switch (event.up) {
      case 0: return kStepMouseDown;
      case 1: return kStepMouseUp;
      case 3: return kStepMouseOther6;
      case 4: return kStepMouseOther7;
      default: return 0;
    }
  }
  if (event.kind == kInputKeyboard) return event.up ? kStepKeyUp : kStepKeyDown;
  return 0;
}

CString MacroRecorder::StepText(int type, const CString& name) {
  CString text;
  if (type == kStepKeyDown || type == kStepMouseDown) text.Format(L"\u2193  %s", name.GetString());
  else if (type == kStepMouseOther6 || type == kStepMouseOther7) text = name;
  else text.Format(L"\u2191  %s", name.GetString());
  return text;
}

MacroRecorder::Outcome MacroRecorder::Append(const InputEvent& event, MacroStepRows& rows, bool onRecordButton) {
  if (!m_recording || event.kind == kInputNone) return Outcome::Ignored;
  const int type = StepType(event);
  if (type == 0) return Outcome::Ignored;  // not an event a macro can replay
  const int delay = DelayBeforeEvent();
  if (event.kind == kInputMouse && onRecordButton) return Outcome::Ignored;
  if (delay != 0) rows.UpdateDelayTime(delay);
  if (m_mode != kNoDelay && delay != 0 && rows.EventCount() >= 1 && rows.EventCount() >= m_budget)
    return Outcome::Full;
  rows.AddRow(StepText(type, event.name), type, event.code, kNewStepDelay);
  return rows.EventCount() >= m_budget ? Outcome::AppendedFull : Outcome::Appended;
}
