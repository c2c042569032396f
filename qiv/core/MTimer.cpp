#include "core/MTimer.h"
#include <algorithm>
#include <mmsystem.h>

UINT MTimer::m_uAccuracy = 1;
int MTimer::m_bIsTmierOK = 0;

namespace {
// The process-wide registry of live timer objects. Its lock is held only to look an
// object up and mark a callback in flight, never while a callback runs.
struct Registry {
  CriticalSection lock;
  std::vector<MTimer*> timers;
};

Registry& TheRegistry() {
  static Registry registry;
  return registry;
}
}  // namespace

MTimer::MTimer() {
  Registry& r = TheRegistry();
  CriticalSectionLock lock(r.lock);
  r.timers.push_back(this);
}

MTimer::~MTimer() {
  KillTimer();
  if (m_bIsTmierOK) ::timeEndPeriod(m_uAccuracy);
  {
    Registry& r = TheRegistry();
    CriticalSectionLock lock(r.lock);
    auto it = std::find(r.timers.begin(), r.timers.end(), this);
    if (it != r.timers.end()) r.timers.erase(it);
  }
  WaitForCallbacks();
}

void MTimer::OnMTimer(unsigned, CString) {}

unsigned MTimer::SetTimer(unsigned period, CString name, int flag) {
  if (!m_bIsTmierOK) {
    TIMECAPS caps = {};
    if (::timeGetDevCaps(&caps, sizeof(caps)) == TIMERR_NOERROR) {
      m_uAccuracy = std::min(std::max<UINT>(caps.wPeriodMin, 1), caps.wPeriodMax);
      ::timeBeginPeriod(m_uAccuracy);
      m_bIsTmierOK = 1;
    }
  }
  // The record goes in first so that the first callback already finds its id.
  CriticalSectionLock lock(m_recordsLock);
  unsigned id = ::timeSetEvent(period, m_uAccuracy, TimerCallProc, reinterpret_cast<DWORD_PTR>(this),
                               TIME_PERIODIC | TIME_CALLBACK_FUNCTION);
  m_records.push_back({id, name, flag});
  return id;
}

int MTimer::KillTimer(unsigned id) {
  CriticalSectionLock lock(m_recordsLock);
  auto it = std::find_if(m_records.begin(), m_records.end(), [&](const MTimerRecord& r) { return r.id == id; });
  if (it != m_records.end()) {
    if (it->id) ::timeKillEvent(it->id);
    m_records.erase(it);
  }
  return static_cast<int>(m_records.size());
}

int MTimer::KillTimer(CString name) {
  CriticalSectionLock lock(m_recordsLock);
  auto it = std::find_if(m_records.begin(), m_records.end(), [&](const MTimerRecord& r) { return r.name == name; });
  if (it != m_records.end()) {
    if (it->id) ::timeKillEvent(it->id);
    m_records.erase(it);
  }
  return static_cast<int>(m_records.size());
}

void MTimer::KillTimer() {
  CriticalSectionLock lock(m_recordsLock);
  for (const MTimerRecord& r : m_records)
    if (r.id) ::timeKillEvent(r.id);
  m_records.clear();
}

bool MTimer::HasRecord(unsigned id) {
  CriticalSectionLock lock(m_recordsLock);
  return std::any_of(m_records.begin(), m_records.end(), [&](const MTimerRecord& r) { return r.id == id; });
}

int MTimer::GetTimerIsRun(unsigned id) { return HasRecord(id) ? 1 : 0; }

int MTimer::GetTimerIsRun(CString name) {
  CriticalSectionLock lock(m_recordsLock);
  return std::any_of(m_records.begin(), m_records.end(), [&](const MTimerRecord& r) { return r.name == name; }) ? 1 : 0;
}

CString MTimer::GetTimerName(unsigned id) {
  CriticalSectionLock lock(m_recordsLock);
  for (const MTimerRecord& r : m_records)
    if (r.id == id) return r.name;
  return CString();
}

int MTimer::IsAppTimer(unsigned id) {
  CriticalSectionLock lock(m_recordsLock);
  for (const MTimerRecord& r : m_records)
    if (r.id == id) return r.appFlag;
  return 0;
}

void MTimer::WaitForCallbacks(DWORD timeoutMs) {
  const DWORD start = ::GetTickCount();
  while (m_inFlight.load() > 0 && ::GetTickCount() - start < timeoutMs) ::Sleep(1);
}

MTimer* MTimer::GetMTimer(unsigned id) {
  Registry& r = TheRegistry();
  CriticalSectionLock lock(r.lock);
  for (MTimer* timer : r.timers)
    if (timer->HasRecord(id)) return timer;
  return nullptr;
}

void CALLBACK MTimer::TimerCallProc(UINT id, UINT, DWORD_PTR user, DWORD_PTR, DWORD_PTR) {
  auto* self = reinterpret_cast<MTimer*>(user);
  if (!self) return;
  {
    // Only a live object whose timer still exists is called.
    Registry& r = TheRegistry();
    CriticalSectionLock lock(r.lock);
    if (std::find(r.timers.begin(), r.timers.end(), self) == r.timers.end() || !self->HasRecord(id)) return;
    ++self->m_inFlight;
  }
  self->OnMTimer(id);
  if (self->IsAppTimer(id)) self->OnMTimer(id, self->GetTimerName(id));
  --self->m_inFlight;
}
