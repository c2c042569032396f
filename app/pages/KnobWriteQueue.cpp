#include "pages/KnobWriteQueue.h"

bool KnobWriteQueue::Add(const KnobChoice& choice) {
  if (choice.action < 0 || choice.action >= KnobChoice::kActions) return false;
  std::lock_guard<std::mutex> guard(m_lock);
  const bool wasEmpty = m_pending.empty();
  m_pending.push_back(KnobWrite{choice.layer, choice.actions[choice.action]});
  return wasEmpty;
}

std::vector<KnobWrite> KnobWriteQueue::TakeAll() {
  std::lock_guard<std::mutex> guard(m_lock);
  std::vector<KnobWrite> taken;
  taken.swap(m_pending);
  return taken;
}

bool KnobWriteQueue::IsEmpty() const {
  std::lock_guard<std::mutex> guard(m_lock);
  return m_pending.empty();
}
