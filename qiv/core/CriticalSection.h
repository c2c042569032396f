// A re-entrant lock over a Win32 critical section and its scoped guard. Controls and the
// paint manager guard their lists with these; the owner thread may take one again.
#pragma once
#include <windows.h>

class CriticalSection {
public:
  CriticalSection() { ::InitializeCriticalSection(&cs_); }
  ~CriticalSection() { ::DeleteCriticalSection(&cs_); }
  CriticalSection(const CriticalSection&) = delete;
  CriticalSection& operator=(const CriticalSection&) = delete;
  void Lock() { ::EnterCriticalSection(&cs_); }
  void Unlock() { ::LeaveCriticalSection(&cs_); }
  bool TryLock() { return ::TryEnterCriticalSection(&cs_) != FALSE; }

private:
  CRITICAL_SECTION cs_;
};

class CriticalSectionLock {
public:
  explicit CriticalSectionLock(CriticalSection& cs) : cs_(cs) { cs_.Lock(); }
  ~CriticalSectionLock() { cs_.Unlock(); }
  CriticalSectionLock(const CriticalSectionLock&) = delete;
  CriticalSectionLock& operator=(const CriticalSectionLock&) = delete;

private:
  CriticalSection& cs_;
};
