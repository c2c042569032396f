// The knob actions waiting to be written to the keyboard. Every choice is kept by value
// with its layer, so two quick choices both arrive even when the worker runs once, and a
// later layer change cannot redirect an earlier choice. The user-interface thread adds,
// the worker takes.
#pragma once
#include <mutex>
#include <vector>
#include "pages/KnobChoice.h"

struct KnobWrite {
  int layer = 0;
  KeyMacroRecord record;  // key_code holds the knob action's key index
};

class KnobWriteQueue {
public:
  // Keeps the changed action of `choice`; true when nothing was waiting, that is when
  // the caller has to queue the worker's knob task.
  bool Add(const KnobChoice& choice);
  // Everything waiting, oldest first; the queue is empty afterwards.
  std::vector<KnobWrite> TakeAll();
  bool IsEmpty() const;

private:
  mutable std::mutex m_lock;
  std::vector<KnobWrite> m_pending;
};
