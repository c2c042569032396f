// The macro page in the real window on the simulated keyboard: the macro list, the steps,
// recording from keys and clicks made with SendInput, and the keyboard's macro memory and
// key tables after the worker has run.
#include "KeyPagesWindow.h"
#include "InputWindow.h"
#include "controls/GroupButton.h"
#include "controls/MEdit.h"
#include "controls/MPicture.h"
#include "device/MacroImage.h"
#include "widgets/CRecordList.h"
#include "widgets/MacroList.h"

using namespace keypages;

namespace {

constexpr int kKeyA = 4, kKeyB = 5;

class MacroPage : public KeyPagesWindow {
protected:
  void SetUp() override {
    KeyPagesWindow::SetUp();
    if (HasFatalFailure()) return;
    ShowPage(5);
  }
  MacroList* Macros() { return dynamic_cast<MacroList*>(dlg->Control(209)); }
  CRecordList* Steps() { return dynamic_cast<CRecordList*>(dlg->Control(220)); }
  int MacroId(int row) { return int(Macros()->GetItemData(row)); }
  void SelectMacro(int row) {
    Macros()->SetCurSel(row);
    EXPECT_EQ(dlg->OnMessage(209, 2, 0, 0), 1);
  }
  // Two stored steps (press and release of `key`) for the macro.
  void GiveSteps(int macroId, int key) {
    std::vector<MacroStepRecord> steps(2);
    for (int i = 0; i < 2; ++i) {
      steps[i].macro_id = macroId;
      steps[i].record_index = i;
      steps[i].type = 2 + i;
      steps[i].value = key;
      steps[i].delay_time = 10 + i;
      steps[i].desc = L"step";
    }
    ASSERT_EQ(store.ReplaceMacroSteps(macroId, steps), 2);
  }
  void AssignMacro(int key, int macroId) {
    KeyMacroRecord row;
    row.profile = dlg->m_profileId;
    row.key_code = key;
    row.macro_type = 3;
    row.macro_value = macroId;
    row.macro_desc = L"macro";
    ASSERT_TRUE(store.AssignKeyMacro(row));
  }
  // The memory image the keyboard should hold for the stored macros.
  std::vector<uint8_t> ExpectedMemory() {
    KeyboardDataStore::RecordList<MacroRecord> macros;
    store.GetMacros(macros);
    std::vector<MacroSteps> all;
    for (auto& macro : macros) {
      KeyboardDataStore::RecordList<MacroStepRecord> list;
      store.GetMacroSteps(macro->macro_id, list);
      MacroSteps one;
      for (auto& step : list) one.push_back(*step);
      all.push_back(std::move(one));
    }
    return BuildMacroImage(all, dlg->m_deviceInfo.macroMemorySize).bytes;
  }
  std::vector<uint8_t> Memory(size_t size) {
    std::vector<uint8_t> memory = Table("k102", sim::Table::MacroMemory);
    memory.resize(std::min(memory.size(), size));
    return memory;
  }
  // Writes the current store to the keyboard as a profile change does.
  void WriteAll() {
    dlg->m_selectedKey = -2;
    dlg->AddTask(kTaskMacros);
    dlg->AddTask(kTaskKeyMap);
    Settle();
  }
};

TEST_F(MacroPage, FirstStartMakesTenMacrosAndSelectsTheFirst) {
  ASSERT_EQ(Macros()->GetItemCount(), 10);
  EXPECT_EQ(Macros()->GetItemText(0), CString(L"M1"));
  EXPECT_EQ(Macros()->GetItemText(9), CString(L"M10"));
  EXPECT_EQ(Macros()->GetCurSel(), 0);
}

// The panels' picture (img_area.png, as the program ships it) is drawn as a nine-grid with
// the corner each page gives it: a picture no larger than two corners has no edges or
// middle to stretch, and the panels showed only their four corners, as squares. Checked
// for the macro page's panels and the key page's.
TEST_F(MacroPage, PanelPicturesAreLargerThanTwoOfTheirCorners) {
  Gdiplus::Image picture((SourceDataFolder() + L"skins\\theme1\\img_area.png").c_str());
  ASSERT_EQ(picture.GetLastStatus(), Gdiplus::Ok);
  for (int id : {203, 206, 212, 215, 224, 225, 82}) {
    SCOPED_TRACE(id);
    auto* panel = dynamic_cast<MPicture*>(dlg->Control(id));
    ASSERT_NE(panel, nullptr);
    ASSERT_EQ(panel->GetShowMode(), SHOWMODE_NINEGRID);
    const int corner = panel->GetModeParam();
    EXPECT_GT(int(picture.GetWidth()), 2 * corner);
    EXPECT_GT(int(picture.GetHeight()), 2 * corner);
  }
}

TEST_F(MacroPage, NewRenameAndDeleteAMacroUsedByKeys) {
  // M1, M2, M3 have steps; key A plays M3 (third in the keyboard's memory), key B plays M1.
  for (int row = 0; row < 3; ++row) GiveSteps(MacroId(row), 'A' + row);
  const int m1 = MacroId(0), m2 = MacroId(1), m3 = MacroId(2);
  AssignMacro(kKeyA, m3);
  AssignMacro(kKeyB, m1);
  WriteAll();
  ASSERT_EQ(KeyAction(0, kKeyA), (std::vector<uint8_t>{0x60, 0x02, 0x00}));

  // Deleting M2, which no key plays, moves M3 up: key A must play position 1 now.
  SelectMacro(1);
  ClickControl(211);
  Settle();
  MacroRecord gone;
  EXPECT_FALSE(store.GetMacro(m2, gone));
  EXPECT_EQ(Macros()->GetItemCount(), 9);
  EXPECT_EQ(Macros()->GetCurSel(), 0) << "the macro before the deleted one";
  EXPECT_EQ(KeyAction(0, kKeyA), (std::vector<uint8_t>{0x60, 0x01, 0x00}));
  const std::vector<uint8_t> expected = ExpectedMemory();
  EXPECT_EQ(Memory(expected.size()), expected);

  // Deleting M1, which key B plays: B gets its default, A plays position 0.
  SelectMacro(0);
  ClickControl(211);
  Settle();
  EXPECT_EQ(Row(0, kKeyB).macro_type, 2);
  EXPECT_EQ(KeyAction(0, kKeyB), DefaultAction(0, kKeyB));
  EXPECT_EQ(KeyAction(0, kKeyA), (std::vector<uint8_t>{0x60, 0x00, 0x00}));
  EXPECT_EQ(Macros()->GetCurSel(), -1) << "the first macro was deleted";
  EXPECT_EQ(Steps()->GetItemCount(), 0);

  // New: a fresh name, selected, stored.
  ClickControl(210);
  const int row = Macros()->GetCurSel();
  ASSERT_GE(row, 0);
  MacroRecord added;
  ASSERT_TRUE(store.GetMacro(MacroId(row), added));
  EXPECT_EQ(added.name, Macros()->GetItemText(row));
  EXPECT_EQ(added.delay_type, 1);

  // Rename in place: the edited text is stored as typed; an emptied name comes back.
  Macros()->ModifyItemString(row, L"Boss key");
  EXPECT_EQ(dlg->OnMessage(209, 29, 0, 0), 1);
  ASSERT_TRUE(store.GetMacro(MacroId(row), added));
  EXPECT_EQ(added.name, CString(L"Boss key"));
  Macros()->ModifyItemString(row, L"");
  dlg->OnMessage(209, 29, 0, 0);
  EXPECT_EQ(Macros()->GetItemText(row), CString(L"Boss key"));
  ASSERT_TRUE(store.GetMacro(MacroId(row), added));
  EXPECT_EQ(added.name, CString(L"Boss key"));
}

// Deleting the last step leaves an empty list; the keyboard must not go on playing the old
// steps.
TEST_F(MacroPage, DeletingEveryStepEmptiesTheMacroOnTheKeyboard) {
  GiveSteps(MacroId(0), 'Q');
  WriteAll();
  ASSERT_EQ(Memory(ExpectedMemory().size()), ExpectedMemory());
  SelectMacro(0);
  ASSERT_EQ(Steps()->GetItemCount(), 2);
  for (int i = 0; i < 2; ++i) {
    Steps()->SetCurSel(0);
    ClickControl(222);
  }
  Settle();
  EXPECT_EQ(store.GetMacroStepCount(MacroId(0)), 0);
  const std::vector<uint8_t> expected = ExpectedMemory();
  EXPECT_EQ(Memory(expected.size()), expected);
}

TEST_F(MacroPage, ClearingAllStepsGivesItsKeysTheirDefaults) {
  GiveSteps(MacroId(0), 'Q');
  AssignMacro(kKeyA, MacroId(0));
  WriteAll();
  SelectMacro(0);
  ClickControl(223);
  Settle();
  EXPECT_EQ(Steps()->GetItemCount(), 0);
  EXPECT_EQ(store.GetMacroStepCount(MacroId(0)), 0);
  EXPECT_EQ(KeyAction(0, kKeyA), DefaultAction(0, kKeyA));
  const std::vector<uint8_t> expected = ExpectedMemory();
  EXPECT_EQ(Memory(expected.size()), expected);
}

TEST_F(MacroPage, StepsMoveUpAndDownAndAreSaved) {
  SelectMacro(0);
  Steps()->AddString(L"\u2193  A", 2, 'A', 10);
  Steps()->AddString(L"\u2191  A", 3, 'A', 20);
  Steps()->AddString(L"50 ms", 1, 50, 30);
  // A click on a row opens the step editor with its up and down buttons.
  Steps()->SetCurSel(2);
  EXPECT_EQ(dlg->OnMessage(220, 2, 0, 0), 1);
  ASSERT_EQ(dlg->IsControlVisible(239), 1);
  EXPECT_EQ(dlg->OnMessage(239, 2, 0, 0), 1);  // up
  KeyboardDataStore::RecordList<MacroStepRecord> stored;
  store.GetMacroSteps(MacroId(0), stored);
  ASSERT_EQ(stored.size(), 3u);
  EXPECT_EQ(stored[1]->type, 1);
  EXPECT_EQ(Steps()->GetCurSel(), 1);
  Steps()->SetCurSel(2);
  EXPECT_EQ(dlg->OnMessage(240, 2, 0, 0), 1);  // the last one down: nothing moves, still saved
  EXPECT_EQ(Steps()->GetCurSel(), 2);
  EXPECT_EQ(store.GetMacroStepCount(MacroId(0)), 3);
}

TEST_F(MacroPage, FixedDelayIsHeldToItsRange) {
  SelectMacro(0);
  ClickControl(230);
  auto* fixed = dynamic_cast<MEdit*>(dlg->Control(232));
  ASSERT_EQ(fixed->IsEnabled(), 1);
  for (auto [typed, held] : {std::pair{L"0", 1}, std::pair{L"-5", 1}, std::pair{L"", 1}, std::pair{L"250", 250},
                             std::pair{L"20000", 10000}}) {
    fixed->SetTitle(typed);
    dlg->OnMessage(232, 29, 0, 0);
    MacroRecord macro;
    ASSERT_TRUE(store.GetMacro(MacroId(0), macro));
    EXPECT_EQ(macro.delay_type, 2);
    EXPECT_EQ(macro.delay_time, held) << std::wstring(typed);
  }
}

// ---- recording ----

struct RecordCase {
  int radio;           // 228 no delay, 229 measured, 230 fixed
  const wchar_t* fixed;
  std::vector<int> delays;  // of the four steps
};

class Recording : public MacroPage, public ::testing::WithParamInterface<RecordCase> {};

TEST_P(Recording, KeysAndClicksBecomeStepsAndReachTheMacroMemory) {
  const RecordCase& c = GetParam();
  DWORD now = 1000;
  dlg->m_recordClock = [&] { return now; };
  SelectMacro(1);
  ClickControl(c.radio);
  if (c.fixed) {
    dynamic_cast<MEdit*>(dlg->Control(232))->SetTitle(c.fixed);
    dlg->OnMessage(232, 29, 0, 0);
  }
  ClickControl(226);
  ASSERT_EQ(dlg->m_recording, 1);
  EXPECT_EQ(dlg->Control(68)->IsEnabled(), 0) << "the tabs wait for the recording";

  SetForegroundWindow(dlg->GetSafeHwnd());
  pagestest::SendKey('K', false);
  ASSERT_TRUE(PumpUntil([&] { return Steps()->GetItemCount() == 1; }, 3000));
  now += 250;
  pagestest::SendKey('K', false);  // auto-repeat: not a step
  pagestest::SendKey('K', true);
  ASSERT_TRUE(PumpUntil([&] { return Steps()->GetItemCount() == 2; }, 3000));
  now += 40000;  // a long pause: measured delays stop at 31 s
  // A click on the page's title (not the record button) is recorded.
  POINT at = dlg->Control(205)->GetRect().CenterPoint();
  ClientToScreen(dlg->GetSafeHwnd(), &at);
  pagestest::MoveCursor(at);
  pagestest::SendMouse(MOUSEEVENTF_LEFTDOWN);
  now += 100;
  pagestest::SendMouse(MOUSEEVENTF_LEFTUP);
  ASSERT_TRUE(PumpUntil([&] { return Steps()->GetItemCount() == 4; }, 3000));

  // The click on the record button stops the recording and is not a step.
  POINT stop = dlg->Control(226)->GetRect().CenterPoint();
  ClientToScreen(dlg->GetSafeHwnd(), &stop);
  pagestest::MoveCursor(stop);
  pagestest::SendMouse(MOUSEEVENTF_LEFTDOWN);
  pagestest::SendMouse(MOUSEEVENTF_LEFTUP);
  ASSERT_TRUE(PumpUntil([&] { return dlg->m_recording == 0; }, 3000));
  EXPECT_EQ(Steps()->GetItemCount(), 4);
  EXPECT_EQ(dlg->Control(68)->IsEnabled(), 1);

  KeyboardDataStore::RecordList<MacroStepRecord> stored;
  store.GetMacroSteps(MacroId(1), stored);
  ASSERT_EQ(stored.size(), 4u);
  const int types[4] = {2, 3, 4, 5};
  const int keys[4] = {'K', 'K', 1, 1};
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(stored[i]->type, types[i]) << i;
    EXPECT_EQ(stored[i]->value, keys[i]) << i;
    EXPECT_EQ(stored[i]->delay_time, c.delays[i]) << i;
  }
  EXPECT_EQ(stored[0]->desc, CString(L"\u2193  K"));
  EXPECT_EQ(stored[3]->desc, CString(L"\u2191  MouseL"));
  Settle();
  const std::vector<uint8_t> expected = ExpectedMemory();
  EXPECT_EQ(Memory(expected.size()), expected) << "byte for byte";
}

INSTANTIATE_TEST_SUITE_P(DelayModes, Recording,
                         ::testing::Values(RecordCase{228, nullptr, {10, 10, 10, 10}},
                                           RecordCase{229, nullptr, {250, 31000, 100, 10}},
                                           RecordCase{230, L"500", {500, 500, 500, 10}}));

TEST_F(MacroPage, RecordingStopsWhenTheMemoryBudgetIsReached) {
  // Room for three steps in all; M1 already keeps one of them.
  dlg->m_deviceInfo.macroMemorySize = 40 + 4 * 3;
  std::vector<MacroStepRecord> one(1);
  one[0].macro_id = MacroId(0);
  one[0].type = 1;
  one[0].value = 5;
  one[0].desc = L"5 ms";
  ASSERT_EQ(store.ReplaceMacroSteps(MacroId(0), one), 1);
  SelectMacro(1);
  ClickControl(228);
  ClickControl(226);
  ASSERT_EQ(dlg->m_recording, 1);
  EXPECT_EQ(dlg->m_stepBudget, 2);
  SetForegroundWindow(dlg->GetSafeHwnd());
  pagestest::SendKey('Z', false);
  pagestest::SendKey('Z', true);
  ASSERT_TRUE(PumpUntil([&] { return dlg->m_recording == 0; }, 3000)) << "stopped by itself";
  pagestest::SendKey('Y', false);
  pagestest::SendKey('Y', true);
  Pump(100);
  EXPECT_EQ(store.GetMacroStepCount(MacroId(1)), 2);

  // With the memory full, the record button only says so.
  ClickControl(226);
  EXPECT_EQ(dlg->m_recording, 0);
  EXPECT_EQ(boxes.size(), 1u);
  dlg->m_taskQueue.Clear();
}

}  // namespace
