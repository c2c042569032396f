#include "canvas/SampleRows.h"

#include <algorithm>

SampleRows::SampleRows(const std::vector<POINT>& points) {
  std::vector<POINT> sorted = points;
  std::sort(sorted.begin(), sorted.end(),
            [](const POINT& a, const POINT& b) { return a.y != b.y ? a.y < b.y : a.x < b.x; });
  for (const POINT& p : sorted) {
    if (m_rows.empty() || m_rows.back().y != p.y) m_rows.push_back(Row{int(p.y), {}});
    std::vector<int>& xs = m_rows.back().xs;
    if (xs.empty() || xs.back() != p.x) xs.push_back(int(p.x));
  }
}

size_t SampleRows::FirstRowAtOrBelow(float top) const {
  const auto first = std::partition_point(m_rows.begin(), m_rows.end(),
                                          [top](const Row& row) { return float(row.y) < top; });
  return size_t(first - m_rows.begin());
}

bool SampleRows::RowHasPointIn(const Row& row, float left, float right) {
  const auto first = std::partition_point(row.xs.begin(), row.xs.end(), [left](int x) { return float(x) < left; });
  return first != row.xs.end() && float(*first) <= right;
}

bool SampleRows::Reaches(float left, float top, float right, float bottom) const {
  bool found = false;
  for (size_t i = FirstRowAtOrBelow(top); i < m_rows.size() && float(m_rows[i].y) <= bottom && !found; ++i)
    found = RowHasPointIn(m_rows[i], left, right);
  return found;
}

int SampleRows::RowAt(int y) const {
  const auto row = std::partition_point(m_rows.begin(), m_rows.end(), [y](const Row& r) { return r.y < y; });
  return row != m_rows.end() && row->y == y ? int(row - m_rows.begin()) : -1;
}
