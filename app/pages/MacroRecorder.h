// Recording a macro: every key and mouse-button event the hooks report becomes a step
// row appended to the macro's list, and the time until the next event becomes that
// row's delay (measured, fixed, or none, by the delay mode). Recording stops when the
// keyboard's macro memory would be full; the page that owns the recorder removes the
// hooks and saves the rows then.
#pragma once
#include <windows.h>
#include <functional>
#include "pages/InputEvent.h"
#include "pages/MacroStepRows.h"

class MacroRecorder {
public:
  using Clock = std::function<DWORD()>;  // milliseconds, as GetTickCount

  enum DelayMode { kNoDelay = 0, kMeasuredDelay = 1, kFixedDelay = 2 };

  enum class Outcome {
    Ignored,       // nothing changed (not recording, an auto-repeat, the stop click)
    Appended,      // one row more
    AppendedFull,  // one row more, and the budget is reached: stop now
    Full,          // the budget was reached before this event; it is not added: stop now
  };

  static constexpr int kNewStepDelay = 10;        // a new row's delay until the next event
  static constexpr int kMaxMeasuredDelay = 31000;

  explicit MacroRecorder(Clock clock = ::GetTickCount);

  // The steps the keyboard's macro memory holds (4 bytes each after a 40-byte header);
  // negative for a keyboard that reports no memory.
  static int TotalSteps(int memorySize);
  // The events a recording may add with `storedSteps` stored steps of all macros; 0 or
  // less means the memory is full.
  static int StepBudget(int memorySize, int storedSteps);

  void Start(int delayMode, int fixedDelay, int budget);
  void Stop() { m_recording = false; }
  bool IsRecording() const { return m_recording; }
  int Budget() const { return m_budget; }
  int Mode() const { return m_mode; }

  // Appends one event to `rows`. `onRecordButton`: the cursor is over the record button,
  // so a mouse event is the click that ends the recording and is not a step.
  Outcome Append(const InputEvent& event, MacroStepRows& rows, bool onRecordButton = false);

  // The step type of an event (0 when it is none) and the text of its row.
  static int StepType(const InputEvent& event);
  static CString StepText(int type, const CString& name);

private:
  // The delay this event gives the row before it.
  int DelayBeforeEvent();

  Clock m_clock;
  bool m_recording = false;
  int m_mode = kNoDelay;
  int m_fixedDelay = 0;
  int m_budget = 0;
  bool m_haveLastEvent = false;
  DWORD m_lastEventTime = 0;
};
