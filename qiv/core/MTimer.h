// Periodic multimedia timers. Callbacks run on the system's multimedia-timer thread; the
// record list is locked, and an object waits for callbacks in flight before it goes.
#pragma once
#include <windows.h>
#include <atomic>
#include <vector>
#include "core/CString.h"
#include "core/CriticalSection.h"
#include "qiv_export.h"

struct MTimerRecord {
  unsigned id = 0;
  CString name;
  int appFlag = 0;
};

class QIV_API MTimer {
public:
  MTimer();
  virtual ~MTimer();
  MTimer(const MTimer&) = delete;
  MTimer& operator=(const MTimer&) = delete;

  virtual void OnMTimer(unsigned id, CString name);
  virtual void OnMTimer(unsigned id) = 0;

  // Starts a periodic timer; answers its id (0 when the system refused it).
  unsigned SetTimer(unsigned period, CString name, int flag);
  // Kills the first timer with that id or name; answers the number of timers left.
  int KillTimer(unsigned id);
  int KillTimer(CString name);
  void KillTimer();
  int GetTimerIsRun(unsigned id);
  int GetTimerIsRun(CString name);
  CString GetTimerName(unsigned id);
  int IsAppTimer(unsigned id);
  // Blocks until no callback of this object is running (bounded by `timeoutMs`).
  void WaitForCallbacks(DWORD timeoutMs = 2000);

  static MTimer* GetMTimer(unsigned id);
  static void CALLBACK TimerCallProc(UINT id, UINT message, DWORD_PTR user, DWORD_PTR, DWORD_PTR);

  static UINT m_uAccuracy;
  static int m_bIsTmierOK;

private:
  bool HasRecord(unsigned id);

  std::vector<MTimerRecord> m_records;
  CriticalSection m_recordsLock;
  std::atomic<int> m_inFlight{0};
};
