// A stand-in for the lighting canvas in the frame step tests: it keeps every colour-map
// write and hands out strip and ring colours the test chose.
#pragma once
#include <windows.h>
#include <map>
#include <utility>
#include <vector>
#include "pages/CanvasFrameTarget.h"

namespace lightingtest {

class RecordingCanvas : public CanvasFrameTarget {
public:
  struct Write {
    int column, row;
    COLORREF colour;
  };
  void SetColorMap(int column, int row, COLORREF colour) override {
    writes.push_back({column, row, colour});
    map[{column, row}] = colour;
  }
  void GetMatrixLightsColors(COLORREF* out, int rows, int columns, bool rainbow, COLORREF colour) override {
    ringCalls.push_back({rows, columns});
    for (auto& [cell, c] : rings)
      if (cell.first < rows && cell.second < columns) out[cell.first * columns + cell.second] = c;
  }
  void GetSideLightsColors(COLORREF* out, int count, bool rainbow, COLORREF colour) override {
    sideCounts.push_back(count);
    for (int k = 0; k < count && k < int(side.size()); ++k) out[k] = side[size_t(k)];
  }
  void GetTopLightsColors(COLORREF* out, int count, bool rainbow, COLORREF colour) override {
    topCounts.push_back(count);
    for (int k = 0; k < count && k < int(top.size()); ++k) out[k] = top[size_t(k)];
  }
  COLORREF At(int column, int row) const {
    auto found = map.find({column, row});
    return found == map.end() ? 0xDEADBEEF : found->second;
  }

  std::vector<Write> writes;
  std::map<std::pair<int, int>, COLORREF> map;  // (column, row) -> last colour
  std::map<std::pair<int, int>, COLORREF> rings;  // (row, column) -> ring colour handed out
  std::vector<COLORREF> side, top;
  std::vector<std::pair<int, int>> ringCalls;
  std::vector<int> sideCounts, topCounts;
};

}  // namespace lightingtest
