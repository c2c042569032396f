#include "pages/MacroStepList.h"


MacroStepList::MacroStepList(const KeyboardDataStore::RecordList<MacroStepRecord>& steps) {
  for (const auto& s : steps) m_rows.push_back(Row{s->desc, s->type, s->value, s->delay_time});
}

MacroStepList::~MacroStepList() = default;

int MacroStepList::EventCount() const {
  int count = 0;
  for (const Row& r : m_rows) count += r.type != kStepDelay;
  return count;
}

bool MacroStepList::UpdateDelayTime(int ms) {
  if (m_rows.empty()) return false;
  m_rows.back().time = ms;
  return true;
}

int MacroStepList::AddRow(const CString& text, int type, int key, int time) {
  m_rows.push_back(Row{text, type, key, time});
  return int(m_rows.size()) - 1;
}

std::vector<MacroStepRecord> MacroStepList::ToSteps(int macroId) const {
  std::vector<MacroStepRecord> steps;
  steps.reserve(m_rows.size());
  for (size_t i = 0; i < m_rows.size(); ++i) {
    MacroStepRecord s;
    s.macro_id = macroId;
    s.record_index = int(i);
    s.desc = m_rows[i].text;
    s.type = m_rows[i].type;
    s.value = m_rows[i].key;
    s.delay_time = m_rows[i].time;
    steps.push_back(s);
  }
  return steps;
}
