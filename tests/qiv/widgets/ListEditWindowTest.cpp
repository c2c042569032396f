// The macro list's in-place rename and the record list's time edit through the real edit
// window: typing, closing by a press elsewhere, and rows deleted while an edit is open.
#include <gtest/gtest.h>
#include <algorithm>
#include "WidgetWindow.h"
#include "controls/CEditWindow.h"
#include "widgets/CRecordList.h"
#include "widgets/MacroList.h"

using namespace qivtest;
using namespace widgettest;

namespace {

class ListEditWindow : public ::testing::Test {
protected:
  void SetUp() override {
    Manager::SetInstance(::GetModuleHandleW(nullptr));
    ASSERT_NE(nullptr, host.Create(nullptr, L"lists", WS_POPUP, 0, CRect(0, 0, 800, 400)));
    ::ShowWindow(host.GetSafeHwnd(), SW_SHOWNOACTIVATE);
    macros = host.Make<MacroList>(L"MacroList", 209, CRect(0, 0, 200, 300));
    ASSERT_NE(nullptr, macros);
    macros->EnableShowEdit(1);
    steps = new CRecordList(&host, 220, CRect(250, 0, 650, 300), 1);
    steps->SetManager(&host.pm);
    host.pm.GetControls()->push_back(steps);
    steps->SetControlRect(CRect(250, 0, 650, 300));
    elsewhere = new ProbeControl(&host, 5, CRect(700, 0, 800, 100));
    elsewhere->SetManager(&host.pm);
    host.pm.GetControls()->push_back(elsewhere);
  }
  void TearDown() override { host.DestroyWindow(); }

  LRESULT Send(UINT msg, WPARAM w, CPoint p) {
    return ::SendMessageW(host.GetSafeHwnd(), msg, w, MAKELPARAM(p.x, p.y));
  }
  void Paint() { Render(host.pm, 800, 400); }
  void Press(CPoint p) {
    Send(WM_MOUSEMOVE, 0, p);
    Send(WM_LBUTTONDOWN, MK_LBUTTON, p);
    Send(WM_LBUTTONUP, 0, p);
  }
  void DoubleClick(CPoint p) {
    Press(p);
    Send(WM_LBUTTONDBLCLK, MK_LBUTTON, p);
    Send(WM_LBUTTONUP, 0, p);
  }
  // Typing into the open edit, a character at a time, as the keyboard would.
  void Type(CEditWindow* edit, const wchar_t* text) {
    ASSERT_NE(nullptr, edit);
    for (const wchar_t* c = text; *c; ++c) ::SendMessageW(edit->GetSafeHwnd(), WM_CHAR, *c, 1);
  }
  // A press on another control takes the focus from the list: the edit closes.
  void PressElsewhere() { Press(CPoint(750, 50)); }
  int Count(unsigned id, unsigned code) {
    const auto codes = host.Codes(id);
    return static_cast<int>(std::count(codes.begin(), codes.end(), code));
  }
  std::vector<CString> MacroTexts() {
    std::vector<CString> out;
    for (int i = 0; i < macros->GetItemCount(); ++i) out.push_back(macros->GetItemText(i));
    return out;
  }
  static CPoint MacroRow(int i) { return CPoint(60, 40 * i + 20); }
  static CPoint StepRow(int i) { return CPoint(300, 36 * i + 18); }

  HostWindow host;
  MacroList* macros = nullptr;
  CRecordList* steps = nullptr;
  ProbeControl* elsewhere = nullptr;
};

}  // namespace

TEST_F(ListEditWindow, RenameThroughTheEditAndCloseByAPressElsewhere) {
  for (const wchar_t* t : {L"a", L"b", L"c"}) macros->AddString(t, -1);
  Paint();
  DoubleClick(MacroRow(1));
  ASSERT_EQ(macros->GetEditItem(), 1);
  CEditWindow* edit = macros->GetEditWindow();
  ASSERT_NE(nullptr, edit);
  EXPECT_TRUE(edit->IsWindowVisible());
  CString shown;
  edit->GetWindowTextW(shown);
  EXPECT_EQ(shown, L"b");
  EXPECT_EQ(edit->GetTextLimit(), 30);
  EXPECT_EQ(Count(209, 26), 0) << "showing the row's own text is no change";

  Type(edit, L"Z");
  EXPECT_EQ(Count(209, 26), 1) << "each change is reported";
  PressElsewhere();
  EXPECT_EQ(macros->GetEditItem(), -1);
  EXPECT_FALSE(edit->IsWindowVisible());
  EXPECT_EQ(MacroTexts(), (std::vector<CString>{L"a", L"bZ", L"c"}));
  ASSERT_EQ(Count(209, 29), 1);
  const auto it = std::find_if(host.notices.begin(), host.notices.end(), [](const Notice& n) { return n.code == 29; });
  EXPECT_EQ(it->lParam, 1) << "the edited row";

  DoubleClick(MacroRow(0));
  EXPECT_EQ(macros->GetEditWindow(), edit) << "the window is kept between openings";
  PressElsewhere();
  EXPECT_EQ(Count(209, 29), 1) << "closed unchanged: nothing sent";
}

// A row deleted while its edit was open used to leave the edited row behind: the later
// close renamed another macro or wrote past the list.
TEST_F(ListEditWindow, RowsDeletedWhileTheEditIsOpen) {
  for (const wchar_t* t : {L"a", L"b", L"c"}) macros->AddString(t, -1);
  Paint();
  DoubleClick(MacroRow(2));
  Type(macros->GetEditWindow(), L"Q");
  ASSERT_EQ(macros->DeleteItem(2), 1);
  EXPECT_EQ(macros->GetEditItem(), -1) << "the edited row went: so did its edit";
  EXPECT_FALSE(macros->GetEditWindow()->IsWindowVisible());
  PressElsewhere();
  EXPECT_EQ(Count(209, 29), 0);
  EXPECT_EQ(MacroTexts(), (std::vector<CString>{L"a", L"b"}));

  Paint();
  DoubleClick(MacroRow(1));
  ASSERT_EQ(macros->GetEditItem(), 1);
  Type(macros->GetEditWindow(), L"Y");
  CString typed;
  macros->GetEditWindow()->GetWindowTextW(typed);
  EXPECT_EQ(typed, L"bY");
  ASSERT_EQ(macros->DeleteItem(0), 1);
  EXPECT_EQ(Count(209, 29), 1) << "another row's deletion first keeps what was typed";
  EXPECT_EQ(MacroTexts(), (std::vector<CString>{L"bY"}));
  PressElsewhere();
  EXPECT_EQ(Count(209, 29), 1);

  Paint();
  DoubleClick(MacroRow(0));
  Type(macros->GetEditWindow(), L"X");
  macros->DeleteAllItems();
  PressElsewhere();
  EXPECT_EQ(Count(209, 29), 1);
  EXPECT_EQ(macros->GetItemCount(), 0);
}

TEST_F(ListEditWindow, TimeEditHoldsTheDelayTo10Through65535) {
  for (int i = 0; i < 3; ++i) steps->AddString(L"A", 2, 4, 300);
  Paint();
  const struct {
    const wchar_t* typed;
    int stored;
    bool reported;
  } cases[] = {{L"5", 10, true}, {L"70000", 65535, true}, {L"abc", 10, true}, {L"300", 300, true},
               {L"0300", 300, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    const int before = Count(220, 29);
    DoubleClick(StepRow(1));
    ASSERT_EQ(steps->GetEditItem(), 1);
    EXPECT_EQ(Count(220, 30), static_cast<int>(&c - cases) + 1) << "the edit reports that it opened";
    CString current;
    current.Format(L"%d", steps->GetRecrodTimeStamp(1));
    EXPECT_EQ(steps->GetEditText(), current);
    ::SendMessageW(steps->GetEditWindow()->GetSafeHwnd(), EM_SETSEL, 0, -1);
    Type(steps->GetEditWindow(), c.typed);
    PressElsewhere();
    EXPECT_EQ(steps->GetRecrodTimeStamp(1), c.stored);
    EXPECT_EQ(Count(220, 29), before + (c.reported ? 1 : 0));
    EXPECT_EQ(steps->GetEditText(), L"") << "closed";
  }
}

TEST_F(ListEditWindow, StepsDeletedWhileTheTimeEditIsOpen) {
  for (int i = 0; i < 3; ++i) steps->AddString(L"A", 2, 4, 100 + i);
  Paint();
  DoubleClick(StepRow(2));
  ::SendMessageW(steps->GetEditWindow()->GetSafeHwnd(), EM_SETSEL, 0, -1);
  Type(steps->GetEditWindow(), L"999");
  steps->DeleteTimeStamp(102);
  EXPECT_EQ(steps->GetEditItem(), -1);
  PressElsewhere();
  EXPECT_EQ(Count(220, 29), 0);
  EXPECT_EQ(steps->GetItemCount(), 2);
  EXPECT_EQ(steps->GetRecrodTimeStamp(1), 101);

  Paint();
  DoubleClick(StepRow(1));
  ::SendMessageW(steps->GetEditWindow()->GetSafeHwnd(), EM_SETSEL, 0, -1);
  Type(steps->GetEditWindow(), L"555");
  steps->DeleteItem(0);
  EXPECT_EQ(Count(220, 29), 1) << "committed before the other row went";
  EXPECT_EQ(steps->GetRecrodTimeStamp(0), 555);

  Paint();
  DoubleClick(StepRow(0));
  Type(steps->GetEditWindow(), L"1");
  steps->DeleteAllItems();
  PressElsewhere();
  EXPECT_EQ(Count(220, 29), 1);
  EXPECT_EQ(steps->GetItemCount(), 0);
}
