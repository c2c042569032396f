// Where the canvas samples the visualiser's 256 x 64 frame: one frame row for each row of
// the keyboard layout and one frame column for each of its columns. The canvas's colour
// map has 8 rows and 32 columns; a layout with more is sampled only that far.
#pragma once

class VisualizerGeometry {
public:
  static constexpr int kMaxRows = 8;
  static constexpr int kMaxColumns = 32;

  // Row r samples frame row 2 + r x q + q / 2 with q = 62 / rows; column c samples frame
  // column c x (255 / columns); for 6 x 19: rows 7, 17 ... 57 and columns 0, 13 ... 234.
  // A layout without rows or columns samples nothing (the previous geometry stays, as
  // does a layout loaded later until the next call).
  void Init(int layoutRows, int layoutColumns);

  // The sampled rows and columns (0 until a layout is given).
  int Rows() const { return m_rows; }
  int Columns() const { return m_columns; }
  int SampleRow(int row) const { return m_sampleRows[row]; }
  int SampleColumn(int column) const { return m_sampleColumns[column]; }

private:
  int m_rows = 0;
  int m_columns = 0;
  int m_sampleRows[kMaxRows] = {};
  int m_sampleColumns[kMaxColumns] = {};
};
