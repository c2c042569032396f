// The key assignment page in the real window on the simulated keyboard with the knob:
// clicks on the on-screen keyboard, the category tabs, the function list, the layer tabs
// and the page's buttons; the profile database's rows and the keyboard's key tables after
// the worker has run.
#include "KeyPagesWindow.h"
#include <imm.h>
#include <algorithm>
#include <atomic>
#include <deque>
#include <thread>
#include "controls/GroupButton.h"
#include "controls/MComboBox.h"
#include "controls/MEdit.h"
#include "controls/TabCtrlEx.h"
#include "InputWindow.h"
#include "pages/KnobChoice.h"
#include "pages/KnobConfigDlg.h"
#include "widgets/CKeyTestCtrl.h"
#include "widgets/KeyFuncValue.h"
#include "widgets/KeyLayerCtrl.h"

using namespace keypages;

namespace {

constexpr int kKeyA = 4, kKeyB = 5, kKeyD = 7;

class KeyPage : public KeyPagesWindow {
protected:
  void SetUp() override {
    KeyPagesWindow::SetUp();
    if (HasFatalFailure()) return;
    ShowPage(4);
  }
  TabCtrlEx* Tabs() { return dynamic_cast<TabCtrlEx*>(dlg->Control(88)); }
  KeyFuncValue* List() { return dynamic_cast<KeyFuncValue*>(dlg->Control(89)); }
  void ClickLayer(int layer) {
    auto* layers = dynamic_cast<KeyLayerCtrl*>(dlg->Control(56));
    ClickIn(56, layers->GetTabRect(layer));
    ASSERT_EQ(dlg->m_fnLayer, layer);
  }
  void ClickCategory(int category) {
    for (int i = 0; i < Tabs()->GetItemCount(); ++i)
      if (Tabs()->GetItemData(i) == category) ClickIn(88, Tabs()->GetItemRect(i));
    ASSERT_EQ(dlg->m_keyFuncCategory, category);
  }
  // Clicks the list's item with this value once the list has drawn it.
  void ClickFunction(int value) {
    int index = -1;
    for (int i = 0; i < List()->GetItemCount(); ++i)
      if (List()->GetItemData(i) == value) index = i;
    ASSERT_GE(index, 0) << value;
    ASSERT_TRUE(PumpUntil([&] { return !List()->GetItemRect(index).IsRectEmpty(); }, 3000)) << value;
    ClickIn(89, List()->GetItemRect(index));
    ASSERT_EQ(List()->GetCurData(), value);
  }
  void AssignFromList(int layer, int key, int category, int value) {
    ClickLayer(layer);
    ClickKey(key);
    ClickCategory(category);
    ClickFunction(value);
  }
  CString KeyLabel(int key) { return Key(key)->name; }
};

TEST_F(KeyPage, ClickedFunctionsReachEachLayersKeyTable) {
  struct Case {
    int layer, category, value;
    std::vector<uint8_t> action;
  } cases[] = {
      {0, 2, 7, {0x10, 0x00, 0x07}},      // keyboard key D
      {1, 6, 113, {0x30, 0x94, 0x01}},    // media: my computer
      {2, 12, 5, {0x50, 0x05, 0x00}},     // device function 5
      {3, 5, 92, {0x40, 0x00, 0x02}},     // right mouse button
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.layer);
    AssignFromList(c.layer, kKeyA, c.category, c.value);
    Settle();
    const KeyMacroRecord row = Row(c.layer, kKeyA);
    EXPECT_EQ(row.macro_type, c.category);
    EXPECT_EQ(row.macro_value, c.value);
    EXPECT_EQ(row.macro_value2, 0);
    EXPECT_FALSE(row.macro_desc.IsEmpty());
    EXPECT_EQ(KeyLabel(kKeyA), row.macro_desc) << "the on-screen key shows its function";
    EXPECT_EQ(KeyAction(c.layer, kKeyA), c.action);
  }
  // Each layer kept its own function.
  for (const Case& c : cases) EXPECT_EQ(KeyAction(c.layer, kKeyA), c.action) << c.layer;
}

TEST_F(KeyPage, LayerChangeShowsTheLayersLabelsEvenWhileTheWorkerIsBusy) {
  KeyMacroRecord row;
  row.profile = dlg->m_profileId;
  row.fn_layer = 1;
  row.key_code = kKeyB;
  row.macro_type = 2;
  row.macro_value = 7;
  row.macro_desc = L"D";
  ASSERT_TRUE(store.AssignKeyMacro(row));
  row.fn_layer = 0;
  row.macro_value = 5;
  row.macro_desc = L"B";
  ASSERT_TRUE(store.AssignKeyMacro(row));
  dlg->m_suspended = 1;  // the worker takes nothing: the queue stays busy
  dlg->AddTask(kTaskReadColourSet);
  ClickLayer(1);
  EXPECT_EQ(KeyLabel(kKeyB), CString(L"D"));
  ClickLayer(0);
  EXPECT_EQ(KeyLabel(kKeyB), CString(L"B"));
  dlg->m_taskQueue.Clear();
  dlg->m_suspended = 0;
}

TEST_F(KeyPage, RestoreOneKeyAndTheWholeLayer) {
  AssignFromList(0, kKeyA, 2, kKeyD);
  AssignFromList(0, kKeyB, 2, kKeyD);
  Settle();
  ASSERT_EQ(KeyAction(0, kKeyB), (std::vector<uint8_t>{0x10, 0x00, 0x07}));

  ClickControl(60);  // restore the selected key (B)
  Settle();
  EXPECT_EQ(KeyAction(0, kKeyB), DefaultAction(0, kKeyB));
  EXPECT_EQ(Row(0, kKeyB).macro_value, kKeyB);
  EXPECT_EQ(KeyAction(0, kKeyA), (std::vector<uint8_t>{0x10, 0x00, 0x07})) << "other keys keep theirs";

  boxAnswer = 2;  // cancelled: nothing changes
  ClickControl(61);
  Settle();
  EXPECT_EQ(KeyAction(0, kKeyA), (std::vector<uint8_t>{0x10, 0x00, 0x07}));
  ASSERT_EQ(boxes.size(), 1u);

  boxAnswer = 1;
  ClickControl(61);
  Settle();
  const std::vector<uint8_t> map = Table("k102", sim::Table::KeyMap, 0);
  ASSERT_EQ(map.size(), 384u);
  EXPECT_TRUE(std::equal(map.begin(), map.end(), dlg->m_defaultKeyActions[0])) << "the layer is the default one";
  EXPECT_EQ(Row(0, kKeyA).macro_value, kKeyA);
  EXPECT_EQ(KeyLabel(kKeyA), Row(0, kKeyA).macro_desc);
}

TEST_F(KeyPage, ModifierCombinationWithACapturedKey) {
  ClickKey(kKeyB);
  ClickCategory(13);
  EXPECT_EQ(List()->IsVisible(), 0);
  EXPECT_EQ(dlg->Control(116)->IsVisible(), 1);
  ClickControl(107);  // LCtrl
  ClickControl(108);  // LShift
  // The capture edit takes the next key from the keyboard hook.
  ClickControl(115);
  ASSERT_EQ(dlg->m_hookConsumer, 2);
  pagestest::SendKey('A', false);
  pagestest::SendKey('A', true);
  ASSERT_TRUE(PumpUntil([&] { return dlg->m_captureKeyCode == 'A'; }, 3000));
  ClickControl(116);
  Settle();
  const KeyMacroRecord row = Row(0, kKeyB);
  EXPECT_EQ(row.macro_type, 2);
  EXPECT_EQ(row.macro_value, 4);
  EXPECT_EQ(row.macro_value2, 0x03);
  EXPECT_EQ(row.macro_desc, CString(L"LCtrl+ LShift + A"));
  EXPECT_EQ(KeyAction(0, kKeyB), (std::vector<uint8_t>{0x10, 0x03, 0x04}));

  // Without a key selected nothing is stored.
  dlg->m_selectedKey = -1;
  EXPECT_EQ(dlg->OnMessage(116, 2, 0, 0), 0);
  EXPECT_EQ(boxes.size(), 1u);
}

TEST_F(KeyPage, MacroKeyWithEachPlayMode) {
  const int empty = store.AddMacro(L"empty");
  const int played = store.AddMacro(L"played");
  MacroStepRecord down;
  down.macro_id = played;
  down.type = 2;
  down.value = 'A';
  down.delay_time = 10;
  down.desc = L"A";
  MacroStepRecord up = down;
  up.type = 3;
  up.record_index = 1;
  ASSERT_EQ(store.AddMacroSteps({down, up}), 2);
  KeyboardDataStore::RecordList<MacroRecord> macros;
  store.GetMacros(macros);
  uint8_t position = 0;
  for (size_t i = 0; i < macros.size(); ++i)
    if (macros[i]->macro_id == played) position = uint8_t(i);

  ClickKey(kKeyD);
  ClickCategory(3);
  ClickFunction(empty);  // refused: the macro has no steps
  EXPECT_EQ(boxes.size(), 1u);
  KeyMacroRecord before;
  store.GetKeyMacro(dlg->m_profileId, 0, kKeyD, before);
  EXPECT_NE(before.macro_type, 3) << "the key keeps its function";

  ClickFunction(played);
  Settle();
  EXPECT_EQ(Row(0, kKeyD).macro_type, 3);
  EXPECT_EQ(Row(0, kKeyD).macro_value, played);
  EXPECT_EQ(KeyAction(0, kKeyD), (std::vector<uint8_t>{0x60, position, 0x00}));

  // Modes 1-3 by the radios (94 has no place on the page: its click is sent).
  for (int mode = 1; mode <= 3; ++mode) {
    SCOPED_TRACE(mode);
    dynamic_cast<CRadioButton*>(dlg->Control(91 + mode))->SetCheck(1);
    EXPECT_EQ(dlg->OnMessage(unsigned(91 + mode), 2, 0, 0), 1);
    Settle();
    EXPECT_EQ(Row(0, kKeyD).macro_value2, mode);
    EXPECT_EQ(KeyAction(0, kKeyD), (std::vector<uint8_t>{0x60, position, uint8_t(mode)}));
    EXPECT_EQ(dlg->Control(95)->IsEnabled(), 0);
  }
  // Mode 0 with a count typed into the edit; a count past 255 is held there.
  ClickControl(91);
  for (auto [typed, count] : {std::pair{L"3", 3}, std::pair{L"300", 255}}) {
    dynamic_cast<MEdit*>(dlg->Control(95))->SetTitle(typed);
    EXPECT_EQ(dlg->OnMessage(95, 29, 0, 0), 1);
    Settle();
    EXPECT_EQ(KeyAction(0, kKeyD), (std::vector<uint8_t>{0x61, position, uint8_t(count)}));
    MacroRecord macro;
    ASSERT_TRUE(store.GetMacro(played, macro));
    EXPECT_EQ(macro.play_type, 0);
    EXPECT_EQ(macro.play_times, count);
  }
}

// ---- the knob ----

class KnobDialog : public KeyPage {
protected:
  // A knob dialog of the current layer, shown without its modal loop.
  std::unique_ptr<KnobConfigDlg> Open() {
    auto dialog = std::make_unique<KnobConfigDlg>();
    dialog->m_ownerWindow = dlg->GetSafeHwnd();
    dialog->SetKnobActions(dlg->m_knobActions, dlg->m_fnLayer);
    EXPECT_TRUE(dialog->Create(dlg->GetSafeHwnd(), L"KnobConfigDlg", 0x96020000, 0, CRect(0, 0, 500, 380)));
    return dialog;
  }
  void Choose(KnobConfigDlg& dialog, int action, int entry) {
    const int combos[3] = {39, 35, 41};
    dialog.Combo(action)->SetCurSel(entry);
    EXPECT_EQ(dialog.OnMessage(UINT(combos[action]), 2, 0, 0), 1);
  }
  std::vector<uint8_t> KnobAction(int layer, int action) {
    const int index = dlg->m_knobActions[action][0].key_code;
    const std::vector<uint8_t> map = Table("k102", sim::Table::KeyMap, layer);
    return std::vector<uint8_t>(map.begin() + index * 3, map.begin() + index * 3 + 3);
  }
};

TEST_F(KnobDialog, EachActionOnEachLayerReachesTheKeyboard) {
  ASSERT_TRUE(dlg->m_knobKeysKnown);
  // Catalogue entries: the first media key, the device function 1, the keyboard key A.
  const struct {
    int entry;
    std::vector<uint8_t> action;
  } entries[3] = {{0, {0x30, 0x94, 0x01}}, {18, {0x50, 0x01, 0x00}}, {89, {0x10, 0x00, 0x04}}};
  for (int layer = 0; layer < 4; ++layer) {
    ClickLayer(layer);
    auto dialog = Open();
    for (int action = 0; action < 3; ++action) Choose(*dialog, action, entries[(action + layer) % 3].entry);
    dialog->DestroyWindow();
    Settle();
    for (int action = 0; action < 3; ++action)
      EXPECT_EQ(KnobAction(layer, action), entries[(action + layer) % 3].action) << layer << " " << action;
  }
}

// Two choices made while the worker is busy both arrive, each with the records it was
// made with, although the dialog is gone before the window handles either.
TEST_F(KnobDialog, QuickChoicesAllArriveAfterTheDialogIsGone) {
  dlg->m_suspended = 1;
  dlg->AddTask(kTaskReadColourSet);
  {
    auto dialog = Open();
    Choose(*dialog, 0, 89 + 3);  // D
    Choose(*dialog, 1, 89 + 4);  // E
    dialog->DestroyWindow();
  }
  Pump(100);  // the window handles both messages now
  dlg->m_taskQueue.Clear();
  dlg->m_suspended = 0;
  dlg->AddTask(kTaskKnobKey);  // the queue was emptied with task 8 in it
  Settle();
  EXPECT_EQ(KnobAction(0, 0), (std::vector<uint8_t>{0x10, 0x00, 0x07}));
  EXPECT_EQ(KnobAction(0, 1), (std::vector<uint8_t>{0x10, 0x00, 0x08}));
}

TEST_F(KnobDialog, ChoiceWhileTasksWaitIsStillQueued) {
  dlg->m_suspended = 1;
  dlg->AddTask(kTaskReadColourSet);
  auto dialog = Open();
  Choose(*dialog, 2, 89 + 5);  // F
  dialog->DestroyWindow();
  Pump(100);
  std::deque<int> queued = dlg->m_taskQueue.TakeAll();
  EXPECT_NE(std::find(queued.begin(), queued.end(), int(kTaskKnobKey)), queued.end());
  dlg->m_suspended = 0;
  dlg->AddTask(kTaskKnobKey);
  Settle();
  EXPECT_EQ(KnobAction(0, 2), (std::vector<uint8_t>{0x10, 0x00, 0x09}));
}

TEST_F(KnobDialog, TheKnobKeyOpensTheDialogOnTheLayersActions) {
  ClickLayer(2);
  // The dialog runs modally inside the click: a helper thread closes it once shown.
  std::atomic<HWND> shown{nullptr};
  std::thread closer([&] {
    for (int i = 0; i < 500 && !shown; ++i) {
      HWND box = FindWindowW(nullptr, L"KnobConfigDlg");
      if (box && IsWindowVisible(box)) {
        shown = box;
        Sleep(100);
        // Its close button (42) at the bottom right of the 500 x 380 dialog.
        const LPARAM at = MAKELPARAM(500 - 110, 380 - 35);
        PostMessageW(box, WM_MOUSEMOVE, 0, at);
        PostMessageW(box, WM_LBUTTONDOWN, MK_LBUTTON, at);
        PostMessageW(box, WM_LBUTTONUP, 0, at);
      }
      Sleep(20);
    }
  });
  ClickKey(255);
  closer.join();
  EXPECT_NE(shown.load(), nullptr);
  EXPECT_EQ(dlg->IsControlVisible(65), 0) << "the overlay goes with the dialog";
}

// ---- key test and key capture ----

TEST_F(KeyPage, TypedKeysAppearInTheKeyTestAndFade) {
  auto* tester = dynamic_cast<CKeyTestCtrl*>(dlg->Control(57));
  SetForegroundWindow(dlg->GetSafeHwnd());
  pagestest::SendKey('D', false);
  pagestest::SendKey('D', false);  // auto-repeat: still one entry
  ASSERT_TRUE(PumpUntil([&] { return tester->GetEntries().size() == 1; }, 3000));
  Pump(100);
  std::vector<KEYTEST_INFO> entries = tester->GetEntries();
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].name, CString(L"D"));
  EXPECT_EQ(entries[0].countdown, 255) << "held";
  pagestest::SendKey('D', true);
  ASSERT_TRUE(PumpUntil([&] { return tester->GetEntries().size() == 1 && tester->GetEntries()[0].countdown < 255; }, 3000))
      << "released: the entry fades";
}

TEST_F(KeyPage, KeyCaptureSwallowsKeysWithoutTheInputMethodAndPausesTheKeyTest) {
  auto* tester = dynamic_cast<CKeyTestCtrl*>(dlg->Control(57));
  auto* edit = dynamic_cast<MEdit*>(dlg->Control(115));
  ClickKey(kKeyA);
  ClickCategory(13);
  ClickControl(115);
  ASSERT_EQ(dlg->m_hookConsumer, 2);
  HWND native = edit->GetEditHwnd();
  ASSERT_NE(native, nullptr);
  HIMC context = ImmGetContext(native);
  if (context) {
    EXPECT_FALSE(ImmGetOpenStatus(context)) << "no composition while capturing";
    ImmReleaseContext(native, context);
  }
  pagestest::SendKey(VK_F5, false);
  pagestest::SendKey(VK_F5, true);
  ASSERT_TRUE(PumpUntil([&] { return dlg->m_captureKeyCode == VK_F5; }, 3000));
  Pump(100);
  EXPECT_EQ(edit->GetTitleEx(), CString(L"F5"));
  EXPECT_TRUE(tester->GetEntries().empty()) << "the key test pauses while capturing";

  SendMessageW(native, WM_KILLFOCUS, 0, 0);
  edit->GetTitle();  // editing ends
  Pump(50);
  EXPECT_EQ(dlg->m_hookConsumer, 0);
  EXPECT_EQ(edit->GetTitleEx(), CString(L"F5")) << "the captured name stays";
  EXPECT_EQ(dlg->m_captureKeyCode, VK_F5);
  pagestest::SendKey('E', false);
  pagestest::SendKey('E', true);
  EXPECT_TRUE(PumpUntil([&] { return !tester->GetEntries().empty(); }, 3000)) << "the key test resumes";
}

}  // namespace
