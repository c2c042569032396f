// When a canvas that a timer steps faster than its window can paint may ask for its next
// picture. A repaint request only invalidates the window; if every step asked, a picture
// that takes longer to paint than a timer period would leave the window a paint to do at
// every turn of its message loop, and the loop would never wait for input (under Wine it
// then reads the display's mouse and key events only once in a few hundred messages).
// So a step asks only when the last picture asked for has been painted (or the window no
// longer has anything to paint: the request went elsewhere) and the window has since had
// at least as long for everything else as that picture took to paint, and never less
// than kMinIdleMs.
//
// Times are milliseconds of any steady clock. Thread-safe: steps and paints run on
// different threads.
#pragma once
#include "core/CriticalSection.h"
#include "qiv_export.h"

class QIV_API PicturePace {
public:
  static constexpr double kMinIdleMs = 5.0;

  PicturePace() = default;
  PicturePace(const PicturePace&) = delete;
  PicturePace& operator=(const PicturePace&) = delete;

  // A step wants a new picture at `now`; `windowHasPaint`: the window's update region is
  // not empty. True when the step should ask now (the request is then counted as asked).
  bool Ask(double now, bool windowHasPaint);
  // The window paints a new picture of the canvas, from `start` to `end`.
  void PaintStarted(double start);
  void PaintEnded(double end);

private:
  CriticalSection m_lock;
  bool m_asked = false;
  bool m_painting = false;
  bool m_painted = false;  // a picture has been painted at all
  double m_start = 0;
  double m_end = 0;
  double m_took = 0;
};
