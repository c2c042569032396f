// Names for new LED animations and frame files: the local time as 17 digits, year to
// milliseconds ("yyyyMMddHHmmssfff"). Every name one clock gives is later than the one
// before it, so names taken in a quick loop differ even when the system clock moves in
// coarse steps (or stands still, or goes back).
#pragma once
#include <windows.h>
#include <cstdint>
#include <functional>
#include "core/CString.h"

class LedStampClock {
public:
  using Clock = std::function<SYSTEMTIME()>;

  // `clock` is the local time unless a test gives its own.
  explicit LedStampClock(Clock clock = nullptr);

  CString Next();
  static CString Format(const SYSTEMTIME& time);

private:
  Clock m_clock;
  uint64_t m_lastMs = 0;  // the last stamp given, in ms since 1601
};
