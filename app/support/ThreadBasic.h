// Base of a periodic worker: WorkStep runs on a thread of its own about every 16 ms
// (the step's own duration counts towards the period) until the running flag is cleared.
#pragma once
#include <windows.h>
#include <atomic>
#include <cstdint>
#include <functional>

class CThreadBasic {
public:
  CThreadBasic();
  // Waits for a thread that is still in its last step before the handles go.
  ~CThreadBasic();
  CThreadBasic(const CThreadBasic&) = delete;
  CThreadBasic& operator=(const CThreadBasic&) = delete;

  // False when the worker is already running (or an earlier thread has not yet ended).
  bool Start();
  // The owner's stop: clear the running flag, wait up to `waitMs` for the stop event.
  // True when the thread has ended. After a timed-out wait the event and thread handles
  // stay open (the thread still signals the event when it leaves its step); they are
  // closed by a later Stop, Start or the destructor once the thread is really gone.
  bool Stop(DWORD waitMs = 1000);
  bool IsRunning() const { return m_running.load() != 0; }

  static DWORD WINAPI ThreadProc(LPVOID self);

  // The wall clock in milliseconds the period is measured with; tests may replace it.
  std::function<int64_t()> m_clock;

protected:
  virtual void WorkStep() = 0;

  HANDLE m_hStopEvent = nullptr;
  std::atomic<int> m_running{0};
  int m_mode = 0;
  int m_period = 1;
  DWORD m_startTick = 0;

private:
  // Closes the handles of a thread that has ended; false while it still runs.
  bool ReapThread(DWORD waitMs);
  HANDLE m_hThread = nullptr;
};
