// A macro's steps as an ordered list of rows, each with the text shown, the step type,
// the key (virtual key, button bit or delay) and the delay after it; converts to and
// from the stored steps.
#pragma once
#include <vector>
#include "pages/MacroStepRows.h"
#include "store/KeyboardDataStore.h"
#include "store/StoreRecords.h"

class MacroStepList : public MacroStepRows {
public:
  struct Row {
    CString text;
    int type = 0;
    int key = 0;
    int time = 0;
  };

  MacroStepList() = default;
  // The rows of stored steps, in their order.
  explicit MacroStepList(const KeyboardDataStore::RecordList<MacroStepRecord>& steps);
  ~MacroStepList() override;

  int EventCount() const override;
  bool UpdateDelayTime(int ms) override;
  int AddRow(const CString& text, int type, int key, int time) override;

  const std::vector<Row>& Rows() const { return m_rows; }
  int Count() const { return int(m_rows.size()); }
  void Clear() { m_rows.clear(); }
  // The steps to store for `macroId`: one per row, record_index = position.
  std::vector<MacroStepRecord> ToSteps(int macroId) const;

private:
  std::vector<Row> m_rows;
};
