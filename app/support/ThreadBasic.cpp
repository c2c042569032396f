#include "support/ThreadBasic.h"

namespace {
int64_t WallClockMs() {
  FILETIME ft;
  GetSystemTimeAsFileTime(&ft);
  ULARGE_INTEGER t;
  t.LowPart = ft.dwLowDateTime;
  t.HighPart = ft.dwHighDateTime;
  return static_cast<int64_t>(t.QuadPart / 10000);
}
}  // namespace

CThreadBasic::CThreadBasic() : m_clock(WallClockMs) {}

CThreadBasic::~CThreadBasic() {
  m_running = 0;
  ReapThread(INFINITE);
}

bool CThreadBasic::Start() {
  if (m_running) return false;
  if (!ReapThread(0)) return false;  // the last thread is still finishing its step
  m_period = 16;
  m_mode = 1;
  m_startTick = GetTickCount();
  m_hStopEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  m_running = 1;
  m_hThread = CreateThread(nullptr, 0, ThreadProc, this, 0, nullptr);
  return true;
}

bool CThreadBasic::Stop(DWORD waitMs) {
  m_running = 0;
  if (!m_hStopEvent) return ReapThread(0);
  // Once the event is signalled the thread only has to return.
  bool signalled = WaitForSingleObject(m_hStopEvent, waitMs) == WAIT_OBJECT_0;
  return ReapThread(signalled ? INFINITE : 0);
}

bool CThreadBasic::ReapThread(DWORD waitMs) {
  if (m_hThread) {
    if (WaitForSingleObject(m_hThread, waitMs) != WAIT_OBJECT_0) return false;
    CloseHandle(m_hThread);
    m_hThread = nullptr;
  }
  if (m_hStopEvent) {
    CloseHandle(m_hStopEvent);
    m_hStopEvent = nullptr;
  }
  return true;
}

DWORD WINAPI CThreadBasic::ThreadProc(LPVOID param) {
  auto* self = static_cast<CThreadBasic*>(param);
  while (self->m_running) {
    int64_t t0 = self->m_clock();
    self->WorkStep();
    int64_t elapsed = self->m_clock() - t0;
    if (elapsed >= 0 && elapsed < self->m_period) Sleep(static_cast<DWORD>(self->m_period - elapsed));
  }
  SetEvent(self->m_hStopEvent);
  return self->m_startTick;
}
