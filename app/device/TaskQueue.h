// The worker's task codes, first in first out. The user-interface thread and the worker
// both append; the worker takes; either thread may empty it. One lock guards every
// operation, so "append only when empty" is decided and done under it.
#pragma once
#include <deque>
#include <mutex>

class TaskQueue {
public:
  void Push(int code);
  // Appends only when the queue is empty; answers whether it appended.
  bool PushIfEmpty(int code);
  // Takes the first code; false when the queue is empty. A code taken is in hand until
  // Finished() is called.
  bool Take(int& code);
  void Finished();
  // Nothing queued and nothing in hand: the empty queue alone does not tell whether the
  // last task taken is still running.
  bool IsIdle() const;
  void Clear();
  // Empties the queue and answers what it held, first to last.
  std::deque<int> TakeAll();
  bool IsEmpty() const;
  size_t Size() const;

private:
  mutable std::mutex m_lock;
  std::deque<int> m_codes;
  bool m_inHand = false;
};
