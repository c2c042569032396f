#include "support/XmlElementIndex.h"
#include <algorithm>
#include <climits>

void XmlElementIndex::Reset(int capacity) {
  m_pages.clear();
  m_capacity = 0;
  Grow(std::max(capacity, 1));
}

bool XmlElementIndex::Ensure(int pos) {
  if (pos < 0) return false;
  if (pos < m_capacity) return true;
  long long wanted = std::max<long long>(pos + 1LL, m_capacity + m_capacity / 2LL);
  if (wanted > INT_MAX) wanted = INT_MAX;
  if (pos >= wanted) return false;
  Grow(static_cast<int>(wanted));
  return true;
}

void XmlElementIndex::Grow(int capacity) {
  if (capacity <= m_capacity) return;
  // The first page grows in place (copied) until it is full; later pages are whole.
  if (m_capacity < kPageSize) {
    int first = std::min(capacity, kPageSize);
    auto page = std::make_unique<XmlElement[]>(first);
    if (!m_pages.empty()) std::copy(m_pages[0].get(), m_pages[0].get() + m_capacity, page.get());
    if (m_pages.empty())
      m_pages.push_back(std::move(page));
    else
      m_pages[0] = std::move(page);
    m_capacity = first;
  }
  while (m_capacity < capacity && m_capacity <= INT_MAX - kPageSize) {
    m_pages.push_back(std::make_unique<XmlElement[]>(kPageSize));
    m_capacity += kPageSize;
  }
}
