// The combo box in a real window: its face, opening the drop-down, choosing a row by
// mouse, and a combo box that goes while its drop-down is open.
#include <gtest/gtest.h>
#include "ControlsWindowSupport.h"
#include "SkinFiles.h"
#include "controls/MComboBox.h"
#include "controls/MScroll.h"
#include "core/CComboBoxWnd.h"

using namespace qivtest;

namespace {
class ComboWindow : public DialogFixture {
protected:
  MComboBox* AddCombo(int items) {
    auto* combo = dynamic_cast<MComboBox*>(dlg.CreateControl(L"MComboBox", 5, CRect(20, 20, 220, 50), L"", 1, 1));
    for (int i = 0; i < items; ++i) {
      CString text;
      text.Format(L"item %d", i);
      combo->AddItem(text, 100 + i, nullptr, Gdiplus::Color(0xFF000000));
    }
    return combo;
  }
  // Opens the drop-down by a click on the face and draws it once (rows get their places).
  CComboBoxWnd* Open(MComboBox* combo) {
    Click(CPoint(100, 35));
    CComboBoxWnd* dropDown = combo->GetDropDown();
    if (dropDown && dropDown->GetSafeHwnd()) {
      CRect client;
      dropDown->GetClientRect(&client);
      Render drawn(*dropDown->GetPaintManager(), client.Width(), client.Height());
    }
    return dropDown;
  }
  // A row of the open list, by mouse, in the drop-down's own client coordinates.
  void ChooseRow(CComboBoxWnd* dropDown, int row) {
    const HWND w = dropDown->GetSafeHwnd();
    const LPARAM at = MAKELPARAM(60, 3 + 36 * row + 18);
    CPoint screen(60, 3 + 36 * row + 18);
    ::ClientToScreen(w, &screen);
    ::SetCursorPos(screen.x, screen.y);
    ::SendMessageW(w, WM_MOUSEMOVE, 0, at);
    ::SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::SendMessageW(w, WM_LBUTTONUP, 0, at);
  }
  // A named callback: the 32-bit build needs the callback's stdcall convention.
  static BOOL CALLBACK FindDropDown(HWND w, LPARAM out) {
    wchar_t title[32] = {};
    ::GetWindowTextW(w, title, 32);
    if (std::wstring(title) != L"ComboWnd") return TRUE;
    *reinterpret_cast<HWND*>(out) = w;
    return FALSE;
  }
  static bool DropDownOpen() {
    HWND found = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), &FindDropDown, reinterpret_cast<LPARAM>(&found));
    return found != nullptr;
  }
};
}  // namespace

TEST_F(ComboWindow, ChoosingARowByMouseSelectsNotifiesAndCloses) {
  MComboBox* combo = AddCombo(6);
  CComboBoxWnd* dropDown = Open(combo);
  ASSERT_NE(nullptr, dropDown);
  ASSERT_TRUE(DropDownOpen());
  EXPECT_TRUE(combo->IsOpen());
  CRect window;
  dropDown->GetWindowRect(&window);
  CPoint corner(17, 52);
  ::ClientToScreen(Hwnd(), &corner);
  EXPECT_EQ(MComboBox::DropDownRect(corner, 200, 6), window);
  EXPECT_EQ(192, window.Height()) << "five rows shown of six";
  CComboBoxList* list = dropDown->GetList();
  ASSERT_NE(nullptr, list);
  EXPECT_EQ(6, list->GetItemCount());
  EXPECT_TRUE(list->GetScrollVertical()->IsVisible());
  EXPECT_EQ(-1, list->GetSelectItem()) << "the list opens with no row highlighted";

  dlg.notices.clear();
  ChooseRow(dropDown, 2);
  EXPECT_TRUE(PumpUntil([] { return !DropDownOpen(); }, 2000)) << "the drop-down closes";
  ASSERT_FALSE(dlg.Codes(NOTIFY_CLICK).empty());
  const Notice chosen = dlg.Codes(NOTIFY_CLICK).front();
  EXPECT_EQ(5u, chosen.id);
  EXPECT_EQ(2u, chosen.wParam);
  EXPECT_EQ(0, chosen.lParam);
  EXPECT_EQ(2, combo->GetCurSel());
  EXPECT_EQ(L"item 2", combo->GetTitle());
  EXPECT_EQ(102, combo->GetCurData());
  EXPECT_FALSE(combo->IsOpen());

  dlg.notices.clear();
  dropDown = Open(combo);
  ChooseRow(dropDown, 2);
  PumpUntil([] { return !DropDownOpen(); }, 2000);
  ASSERT_EQ(1u, dlg.Codes(NOTIFY_CLICK).size()) << "the same row again is reported again";
  EXPECT_EQ(2u, dlg.Codes(NOTIFY_CLICK).front().wParam);
}

TEST_F(ComboWindow, DropDownWindowAddsRowsOnlyOnceItHasItsList) {
  CComboBoxWnd dropDown;
  EXPECT_EQ(-1, dropDown.AddItem(L"early", 1, nullptr, Gdiplus::Color(0xFF000000))) << "no list before Create";
  ASSERT_NE(nullptr, dropDown.Create(Hwnd(), L"ComboWnd", WS_POPUP, WS_EX_TOOLWINDOW, CRect(50, 50, 250, 250)));
  EXPECT_EQ(0, dropDown.AddItem(L"one", 1, nullptr, Gdiplus::Color(0xFF000000)));
  EXPECT_EQ(1, dropDown.AddItem(L"two", 2, L"icon.png", Gdiplus::Color(0xFF00FF00)));
  EXPECT_EQ(2, dropDown.GetList()->GetItemCount());
  EXPECT_EQ(L"two", dropDown.GetList()->GetItemText(1));
  dropDown.DestroyWindow();
}

TEST_F(ComboWindow, EmptyComboOpensAnEmptyWindow) {
  MComboBox* combo = AddCombo(0);
  CComboBoxWnd* dropDown = Open(combo);
  ASSERT_NE(nullptr, dropDown);
  CRect window;
  dropDown->GetWindowRect(&window);
  EXPECT_EQ(12, window.Height());
  ChooseRow(dropDown, 0);
  Pump(20);
  EXPECT_TRUE(dlg.Codes(NOTIFY_CLICK).empty()) << "nothing can be chosen";
  dropDown->DestroyWindow();
  Pump();
  EXPECT_FALSE(combo->IsOpen()) << "the close is reported";
}

TEST_F(ComboWindow, ComboGoneWhileItsDropDownIsOpenTakesTheDropDownAlong) {
  MComboBox* combo = AddCombo(3);
  ASSERT_NE(nullptr, Open(combo));
  ASSERT_TRUE(DropDownOpen());
  dlg.notices.clear();
  dlg.pm().RemoveControl(combo);  // deletes the combo box
  Pump(20);
  EXPECT_FALSE(DropDownOpen()) << "no drop-down outlives its combo box";
  EXPECT_TRUE(dlg.notices.empty());
}

TEST_F(ComboWindow, FaceShowsTheFrameOfItsState) {
  SkinFolder skins;
  const uint32_t frames[4] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFF808080};
  skins.Write(L"combo_face.png", 4 * 60, 30, [&](unsigned x, unsigned) { return frames[x / 60]; });
  MComboBox* combo = AddCombo(2);
  ASSERT_EQ(1, combo->SetImage(L"combo_face.png", 4));
  auto faceAt = [&] {
    Render r(dlg.pm(), kWidth, kHeight);
    return r.Rgb(150, 35);  // inside the face, right of the title
  };
  EXPECT_EQ(0xFF0000u, faceAt()) << "normal";
  Move(CPoint(150, 35));
  EXPECT_EQ(0x00FF00u, faceAt()) << "hover";
  Open(combo);
  EXPECT_EQ(0x0000FFu, faceAt()) << "pressed while the drop-down is open";
  combo->GetDropDown()->DestroyWindow();
  Pump();
  combo->SetEnabled(0);
  EXPECT_EQ(0x808080u, faceAt()) << "disabled";
  Move(CPoint(150, 35));
  EXPECT_EQ(3, combo->GetState()) << "a disabled combo ignores the mouse";
}
