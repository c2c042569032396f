#include "device/TaskQueue.h"

void TaskQueue::Push(int code) {
  std::lock_guard<std::mutex> guard(m_lock);
  m_codes.push_back(code);
}

bool TaskQueue::PushIfEmpty(int code) {
  std::lock_guard<std::mutex> guard(m_lock);
  if (!m_codes.empty()) return false;
  m_codes.push_back(code);
  return true;
}

bool TaskQueue::Take(int& code) {
  std::lock_guard<std::mutex> guard(m_lock);
  if (m_codes.empty()) return false;
  code = m_codes.front();
  m_codes.pop_front();
  m_inHand = true;
  return true;
}

void TaskQueue::Finished() {
  std::lock_guard<std::mutex> guard(m_lock);
  m_inHand = false;
}

bool TaskQueue::IsIdle() const {
  std::lock_guard<std::mutex> guard(m_lock);
  return m_codes.empty() && !m_inHand;
}

void TaskQueue::Clear() {
  std::lock_guard<std::mutex> guard(m_lock);
  m_codes.clear();
}

std::deque<int> TaskQueue::TakeAll() {
  std::lock_guard<std::mutex> guard(m_lock);
  std::deque<int> codes;
  codes.swap(m_codes);
  return codes;
}

bool TaskQueue::IsEmpty() const {
  std::lock_guard<std::mutex> guard(m_lock);
  return m_codes.empty();
}

size_t TaskQueue::Size() const {
  std::lock_guard<std::mutex> guard(m_lock);
  return m_codes.size();
}
