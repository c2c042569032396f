#include "pages/LedStampClock.h"

namespace {
constexpr uint64_t kTicksPerMs = 10000;  // FILETIME counts 100 ns

SYSTEMTIME LocalNow() {
  SYSTEMTIME now;
  ::GetLocalTime(&now);
  return now;
}
}  // namespace

LedStampClock::LedStampClock(Clock clock) : m_clock(clock ? std::move(clock) : Clock(LocalNow)) {}

CString LedStampClock::Format(const SYSTEMTIME& t) {
  CString stamp;
  stamp.Format(L"%04d%02d%02d%02d%02d%02d%03d", t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond,
               t.wMilliseconds);
  return stamp;
}

CString LedStampClock::Next() {
  SYSTEMTIME now = m_clock();
  FILETIME file;
  if (!::SystemTimeToFileTime(&now, &file)) {
    // A time the system cannot place still has to name something after the last name.
    ::GetSystemTime(&now);
    ::SystemTimeToFileTime(&now, &file);
  }
  uint64_t ms = ((uint64_t(file.dwHighDateTime) << 32) | file.dwLowDateTime) / kTicksPerMs;
  if (ms <= m_lastMs) ms = m_lastMs + 1;
  m_lastMs = ms;
  const uint64_t ticks = ms * kTicksPerMs;
  file.dwLowDateTime = DWORD(ticks & 0xFFFFFFFFu);
  file.dwHighDateTime = DWORD(ticks >> 32);
  ::FileTimeToSystemTime(&file, &now);
  return Format(now);
}
