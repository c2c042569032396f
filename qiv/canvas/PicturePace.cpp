#include "canvas/PicturePace.h"

#include <algorithm>

bool PicturePace::Ask(double now, bool windowHasPaint) {
  CriticalSectionLock lock(m_lock);
  if (m_painting) return false;
  // Asked and not painted yet: wait while the window still has a paint to do.
  if (m_asked && windowHasPaint) return false;
  if (m_painted && now - m_end < std::max(kMinIdleMs, m_took)) return false;
  m_asked = true;
  return true;
}

void PicturePace::PaintStarted(double start) {
  CriticalSectionLock lock(m_lock);
  m_painting = true;
  m_start = start;
}

void PicturePace::PaintEnded(double end) {
  CriticalSectionLock lock(m_lock);
  if (!m_painting) return;
  m_painting = false;
  m_asked = false;
  m_painted = true;
  m_end = end;
  m_took = std::max(0.0, end - m_start);
}
