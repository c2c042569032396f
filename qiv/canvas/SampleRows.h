// The pixels a hidden rendering of the canvas has to produce: the points where the keys
// take their colours, grouped into rows of one y. A drawing whose box holds none of
// them cannot change a key's colour. No window code.
#pragma once
#include <windows.h>
#include <vector>
#include "qiv_export.h"

class QIV_API SampleRows {
public:
  struct Row {
    int y = 0;
    std::vector<int> xs;  // ascending, each once
    bool operator==(const Row&) const = default;
  };

  SampleRows() = default;
  explicit SampleRows(const std::vector<POINT>& points);

  const std::vector<Row>& Rows() const { return m_rows; }
  bool Empty() const { return m_rows.empty(); }

  // Whether a point lies in the box (edges included).
  bool Reaches(float left, float top, float right, float bottom) const;
  // Calls visit(row index) for every row with a point in the box, top row first.
  template <class Visit>
  void ForEachRowIn(float left, float top, float right, float bottom, Visit&& visit) const {
    for (size_t i = FirstRowAtOrBelow(top); i < m_rows.size() && float(m_rows[i].y) <= bottom; ++i)
      if (RowHasPointIn(m_rows[i], left, right)) visit(i);
  }
  // Whether the row holds a point with left <= x <= right.
  static bool RowHasPointIn(const Row& row, float left, float right);
  // The index of the row at y, or -1.
  int RowAt(int y) const;

  bool operator==(const SampleRows&) const = default;

private:
  size_t FirstRowAtOrBelow(float top) const;

  std::vector<Row> m_rows;  // ascending y
};
