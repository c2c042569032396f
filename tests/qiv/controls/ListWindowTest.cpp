// The list box, profile list and tile list in a real window: drawing and hit testing of
// the visible rows, presses and clicks, and renames typed into the in-place edit.
#include <gtest/gtest.h>
#include "ControlsWindowSupport.h"
#include "controls/CEditWindow.h"
#include "controls/MListBox.h"
#include "controls/MListBoxEx.h"
#include "controls/MScroll.h"
#include "controls/ProfileList.h"
#include "core/Manager.h"

using namespace qivtest;

namespace {
class ListWindow : public DialogFixture {
protected:
  void Draw() { Render drawn(dlg.pm(), kWidth, kHeight); }
  HWND EditOf(CEditWindow* edit) { return edit ? edit->GetSafeHwnd() : nullptr; }
};

// The profile list at (300, 20), rows 50 high: the middle of row `i`'s name.
CPoint ProfileRow(int i) { return CPoint(360, 20 + 50 * i + 23); }
// The list box at (20, 20), rows 36 high.
CPoint ListRow(int i) { return CPoint(60, 20 + 36 * i + 18); }
}  // namespace

TEST_F(ListWindow, ProfileRenameCommitsOnEnterAndFocusLossAndCancelsOnEscape) {
  auto* list = dynamic_cast<ProfileList*>(dlg.CreateControl(L"ProfileList", 40, CRect(300, 20, 580, 420), L"", 1, 1));
  ASSERT_NE(nullptr, list);
  for (const wchar_t* name : {L"Alpha", L"Beta", L"Gamma"}) list->AddItem(name, 1, L"");
  Draw();

  // Enter keeps the typed name.
  Click(ProfileRow(1));
  EXPECT_EQ(1, list->GetSelectItem());
  ASSERT_NE(nullptr, EditOf(list->GetEditWindow()));
  const HWND edit = EditOf(list->GetEditWindow());
  EXPECT_TRUE(::IsWindowVisible(edit));
  EXPECT_EQ(1, list->GetEditItem());
  Type(edit, L"2");
  EXPECT_FALSE(dlg.Codes(NOTIFY_TEXT_CHANGED).empty()) << "each change reaches the owner (26)";
  PressKey(edit, VK_RETURN);
  EXPECT_FALSE(::IsWindowVisible(edit));
  EXPECT_EQ(L"Beta2", list->GetItemText(1));
  ASSERT_EQ(1u, dlg.Codes(NOTIFY_EDIT_END).size());
  EXPECT_EQ(40u, dlg.Codes(NOTIFY_EDIT_END)[0].id);
  EXPECT_EQ(1, dlg.Codes(NOTIFY_EDIT_END)[0].lParam);

  // Escape drops it.
  Click(ProfileRow(2));
  ASSERT_EQ(edit, EditOf(list->GetEditWindow())) << "the edit window is reused";
  Type(edit, L"xyz");
  PressKey(edit, VK_ESCAPE);
  EXPECT_FALSE(::IsWindowVisible(edit));
  EXPECT_EQ(L"Gamma", list->GetItemText(2));
  EXPECT_EQ(1u, dlg.Codes(NOTIFY_EDIT_END).size());

  // A press elsewhere in the window (the list loses the focus) keeps it.
  Click(ProfileRow(0));
  Type(edit, L"!");
  Click(CPoint(150, 450));
  EXPECT_FALSE(::IsWindowVisible(edit));
  EXPECT_EQ(L"Alpha!", list->GetItemText(0));
  ASSERT_EQ(2u, dlg.Codes(NOTIFY_EDIT_END).size());
  EXPECT_EQ(0, dlg.Codes(NOTIFY_EDIT_END)[1].lParam);

  // A rename left unchanged reports nothing.
  Click(ProfileRow(0));
  PressKey(edit, VK_RETURN);
  EXPECT_EQ(2u, dlg.Codes(NOTIFY_EDIT_END).size());
}

TEST_F(ListWindow, ProfilePressOnAnotherRowFirstCommitsTheOpenRename) {
  auto* list = dynamic_cast<ProfileList*>(dlg.CreateControl(L"ProfileList", 40, CRect(300, 20, 580, 420), L"", 1, 1));
  for (const wchar_t* name : {L"Alpha", L"Beta"}) list->AddItem(name, 1, L"");
  Draw();
  Click(ProfileRow(0));
  const HWND edit = EditOf(list->GetEditWindow());
  ASSERT_NE(nullptr, edit);
  Type(edit, L"1");
  Click(ProfileRow(1));
  EXPECT_EQ(L"Alpha1", list->GetItemText(0)) << "what was typed is written before the edit moves";
  ASSERT_EQ(1u, dlg.Codes(NOTIFY_EDIT_END).size());
  EXPECT_EQ(0, dlg.Codes(NOTIFY_EDIT_END)[0].lParam);
  EXPECT_EQ(1, list->GetEditItem());
  EXPECT_TRUE(::IsWindowVisible(edit));
  EXPECT_EQ(L"Beta", list->GetItemText(1));
}

TEST_F(ListWindow, ProfileRowButtonAndDeletionDuringARename) {
  auto* list = dynamic_cast<ProfileList*>(dlg.CreateControl(L"ProfileList", 40, CRect(300, 20, 580, 420), L"", 1, 1));
  for (const wchar_t* name : {L"Alpha", L"Beta", L"Gamma"}) list->AddItem(name, 10, L"");
  Draw();
  // The row button: 20 x 20 at (width - 5 - 30, 13) of each row.
  const CPoint button(300 + 275 - 30 + 10, 20 + 50 + 13 + 10);
  Click(button);
  EXPECT_EQ(1, list->GetSelectItem());
  EXPECT_EQ(1, list->GetEditItem()) << "a press on the row button also opens the rename";
  ASSERT_EQ(1u, dlg.Codes(NOTIFY_ITEM_BUTTON).size());
  EXPECT_EQ(1, dlg.Codes(NOTIFY_ITEM_BUTTON)[0].lParam);
  EXPECT_TRUE(dlg.Codes(NOTIFY_CLICK).empty());
  Click(ProfileRow(1));
  ASSERT_EQ(1u, dlg.Codes(NOTIFY_CLICK).size());
  EXPECT_EQ(1, dlg.Codes(NOTIFY_CLICK)[0].lParam);

  const HWND edit = EditOf(list->GetEditWindow());
  Type(edit, L"zz");
  list->DeleteItem(0);
  EXPECT_TRUE(::IsWindowVisible(edit)) << "the edit stays on screen";
  list->HideEdit(1);
  EXPECT_TRUE(dlg.Codes(NOTIFY_EDIT_END).empty()) << "its end writes nothing";
  EXPECT_EQ(L"Beta", list->GetItemText(0));
  EXPECT_EQ(L"Gamma", list->GetItemText(1));
}

TEST_F(ListWindow, ListBoxPointerAfterDrawingRightClickAndRename) {
  auto* list = dynamic_cast<MListBox*>(dlg.CreateControl(L"MListBox", 9, CRect(20, 20, 220, 380), L"", 1, 1));
  ASSERT_NE(nullptr, list);
  for (const wchar_t* text : {L"a", L"b", L"c", L"d"}) list->AddString(text, 0);
  Click(ListRow(1));
  EXPECT_TRUE(dlg.Codes(NOTIFY_LBUTTONDOWN).empty()) << "a list never drawn has no hover";
  Draw();
  Click(ListRow(1));
  ASSERT_EQ(1u, dlg.Codes(NOTIFY_LBUTTONDOWN).size());
  EXPECT_EQ(1u, dlg.Codes(NOTIFY_CLICK).back().wParam);
  EXPECT_EQ(1, list->GetCurSel());

  Move(CPoint(60, 300));  // inside the list, below the rows
  Send(WM_RBUTTONDOWN, MK_RBUTTON, CPoint(60, 300));
  Send(WM_RBUTTONUP, 0, CPoint(60, 300));
  ASSERT_EQ(1u, dlg.Codes(NOTIFY_RBUTTONUP).size());
  EXPECT_EQ(0xFFFFFFFFu, dlg.Codes(NOTIFY_RBUTTONUP)[0].wParam);
  EXPECT_EQ(-1, list->GetCurSel()) << "a right click away from the rows clears the selection";

  list->EnableShowEdit(1);
  DoubleClick(ListRow(2));
  EXPECT_FALSE(dlg.Codes(NOTIFY_DBLCLK).empty());
  const HWND edit = EditOf(list->GetEditWindow());
  ASSERT_NE(nullptr, edit);
  EXPECT_EQ(2, list->GetEditItem());
  Type(edit, L"Z");
  Click(ListRow(2));
  EXPECT_EQ(2, list->GetEditItem()) << "pressing the row being edited keeps the edit open";
  list->DeleteItem(0);  // the edited row moves up to index 1
  PressKey(edit, VK_RETURN);
  EXPECT_EQ(L"cZ", list->GetItemText(1)) << "the rename lands on its own row";
  EXPECT_EQ(L"d", list->GetItemText(2));
  ASSERT_EQ(1u, dlg.Codes(NOTIFY_EDIT_END).size());
  EXPECT_EQ(1, dlg.Codes(NOTIFY_EDIT_END)[0].lParam);

  Draw();
  DoubleClick(ListRow(0));
  PressKey(edit, VK_RETURN);
  EXPECT_EQ(1u, dlg.Codes(NOTIFY_EDIT_END).size()) << "an unchanged rename reports nothing";
  list->DestroyEdit();
  EXPECT_EQ(nullptr, list->GetEditWindow());
  EXPECT_FALSE(::IsWindow(edit));
}

TEST_F(ListWindow, ListBoxDrawsOnlyTheVisibleRowsWithHoverOverSelection) {
  auto* list = dynamic_cast<MListBox*>(dlg.CreateControl(L"MListBox", 9, CRect(20, 20, 220, 200), L"", 1, 1));
  for (int i = 0; i < 40; ++i) list->AddString(L"row", 0);
  list->SetCurSel(0);
  {
    Render r(dlg.pm(), kWidth, kHeight);
    EXPECT_EQ(RgbOf(Manager::m_down_color.ToCOLORREF()), r.Rgb(110, 38)) << "selection fill";
  }
  EXPECT_EQ(0, list->GetView().first);
  EXPECT_EQ(5, list->GetView().last);
  Move(ListRow(0));
  {
    Render r(dlg.pm(), kWidth, kHeight);
    EXPECT_EQ(RgbOf(Manager::m_hover_color.ToCOLORREF()), r.Rgb(110, 38)) << "hover wins over selection";
  }
  Move(CPoint(100, 100));
  Send(WM_MOUSEWHEEL, MAKEWPARAM(0, -120), CPoint(140, 140));  // a screen point: client (100, 100)
  Render r(dlg.pm(), kWidth, kHeight);
  EXPECT_GT(list->GetView().first, 0) << "scrolled: the first rows are not drawn";
  EXPECT_LE(list->GetView().last - list->GetView().first, 6);
}

TEST_F(ListWindow, TilesFillRowsByTheWidthAndReportTheRelease) {
  // The tile list is made by the panel factory only: it lives on a page.
  auto* page = dynamic_cast<MPanel*>(dlg.CreateControl(L"MTabLayout", 49, CRect(0, 0, kWidth, kHeight), L"", 1, 1));
  ASSERT_NE(nullptr, page);
  struct Case {
    int width, perRow;
  } cases[] = {{400, 2}, {405, 3}};
  unsigned id = 50;
  for (const Case& c : cases) {
    auto* tiles = dynamic_cast<MListBoxEx*>(
        page->CreateControl(L"MListBoxEx", id++, CRect(10, 10, 10 + c.width, 300), L"", 1, 1));
    ASSERT_NE(nullptr, tiles);
    for (int i = 0; i < 4; ++i) tiles->AddItem(L"tile", i, L"");
    Draw();
    EXPECT_EQ(CRect(0, 0, 130, 50), tiles->GetTileRect(0));
    EXPECT_EQ(CRect(0, 55, 130, 105), tiles->GetTileRect(c.perRow)) << "width " << c.width;
    Move(CPoint(10 + 135 + 20, 30));
    Send(WM_LBUTTONDOWN, MK_LBUTTON, CPoint(165, 30));
    EXPECT_EQ(1, tiles->GetSelectItem()) << "a press selects";
    EXPECT_TRUE(dlg.Codes(NOTIFY_CLICK).empty()) << "the owner hears only the release";
    Send(WM_LBUTTONUP, 0, CPoint(165, 30));
    ASSERT_EQ(1u, dlg.Codes(NOTIFY_CLICK).size());
    EXPECT_EQ(1, dlg.Codes(NOTIFY_CLICK)[0].lParam);
    dlg.notices.clear();
    page->RemoveControl(tiles);
  }
}
