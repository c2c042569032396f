#include "pages/VisualizerGeometry.h"
#include <algorithm>
#include <iterator>

void VisualizerGeometry::Init(int layoutRows, int layoutColumns) {
  if (layoutRows < 1 || layoutColumns < 1) return;
  std::fill(std::begin(m_sampleRows), std::end(m_sampleRows), 0);
  std::fill(std::begin(m_sampleColumns), std::end(m_sampleColumns), 0);
  // The spacing follows the whole layout; only the rows and columns the map holds are kept.
  m_rows = std::min(layoutRows, kMaxRows);
  m_columns = std::min(layoutColumns, kMaxColumns);
  const int q = 62 / layoutRows;
  for (int r = 0; r < m_rows; ++r) m_sampleRows[r] = 2 + r * q + q / 2;  // trunc(2 + r q + q / 2)
  const int step = 255 / layoutColumns;
  for (int c = 0; c < m_columns; ++c) m_sampleColumns[c] = c * step;
}
