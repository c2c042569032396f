#include <gtest/gtest.h>
#include "WindowsTestSupport.h"
#include "controls/MComboBox.h"
#include "core/CComboBoxWnd.h"
#include "core/MPopupWnd.h"

using namespace qivwin;

namespace {
class RecordingPopup : public MPopupWnd {
public:
  int closes = 0, posChanged = 0, depth = 0, maxDepth = 0;
  std::vector<CRect> sizes;
  int OnClose() override {
    ++closes;
    return 1;
  }
  void UISize(CRect client) override { sizes.push_back(client); }
  int OnWindowPosChanged(WINDOWPOS* pos) override {
    ++posChanged;
    maxDepth = std::max(maxDepth, ++depth);
    int r = MPopupWnd::OnWindowPosChanged(pos);
    --depth;
    return r;
  }
  int CountPosted(UINT msg) {
    int n = 0;
    MSG m;
    while (::PeekMessageW(&m, GetSafeHwnd(), msg, msg, PM_REMOVE)) ++n;
    return n;
  }
};

// A device name of the tests' own, so that the registry key is ours to remove.
class RegistryName {
public:
  RegistryName() : previous_(Manager::GetDeviceName()) {
    Manager::SetDeviceName(L"QuenbyPopupTest");
    ::RegDeleteKeyW(HKEY_CURRENT_USER, L"SOFTWARE\\QuenbyPopupTest");
  }
  ~RegistryName() {
    ::RegDeleteKeyW(HKEY_CURRENT_USER, L"SOFTWARE\\QuenbyPopupTest");
    Manager::SetDeviceName(previous_);
  }

private:
  CString previous_;
};
}  // namespace

TEST(PopupTest, LosingActivationPostsOneCloseAndTheWindowGoes) {
  RecordingPopup popup;
  ASSERT_NE(nullptr, popup.Create(nullptr, L"popup", WS_POPUP, 0, CRect(10, 10, 110, 60)));
  popup.SendMessageW(WM_NCACTIVATE, TRUE, 0);
  EXPECT_EQ(0, popup.CountPosted(WM_CLOSE)) << "activation closes nothing";
  popup.SendMessageW(WM_NCACTIVATE, FALSE, 0);
  EXPECT_EQ(1, popup.CountPosted(WM_CLOSE));
  popup.SendMessageW(WM_NCACTIVATE, FALSE, 0);
  Pump();
  EXPECT_EQ(nullptr, popup.GetSafeHwnd());
  EXPECT_EQ(1, popup.closes);
}

TEST(PopupTest, CreateKeepsOnlyTheToolWindowStyleAndNoWindowDrag) {
  RecordingPopup popup;
  ASSERT_NE(nullptr, popup.Create(nullptr, L"popup", WS_POPUP | WS_CAPTION, WS_EX_ACCEPTFILES | WS_EX_APPWINDOW,
                                  CRect(10, 10, 110, 60)));
  EXPECT_EQ(static_cast<DWORD>(WS_EX_TOOLWINDOW), popup.GetExStyle() & ~static_cast<DWORD>(WS_EX_LAYERED));
  EXPECT_EQ(0u, popup.GetStyle() & WS_CAPTION);
  EXPECT_EQ(0, popup.PreTranslateMessage(nullptr));
  popup.DestroyWindow();
  EXPECT_NE(nullptr, popup.GetPaintManager()) << "the object and its paint manager outlive the window";
}

TEST(PopupTest, FrameRefreshDoesNotReenterWithoutEnd) {
  RecordingPopup popup;
  ASSERT_NE(nullptr, popup.Create(nullptr, L"popup", WS_POPUP, 0, CRect(10, 10, 110, 60)));
  popup.posChanged = popup.maxDepth = 0;
  popup.sizes.clear();
  popup.SetWindowPos(nullptr, 20, 30, 150, 80, SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_GE(popup.posChanged, 1);
  EXPECT_LE(popup.maxDepth, 2) << "the refresh's own report is not acted on again";
  ASSERT_FALSE(popup.sizes.empty());
  EXPECT_EQ(CRect(0, 0, 150, 80), popup.sizes.back());
  popup.DestroyWindow();
}

TEST(PopupTest, SendMessageToParentReachesAControlParentOnly) {
  RecordingPopup popup;
  EXPECT_EQ(0, popup.SendMessageToParent(2, 3, 4)) << "no parent";
  ParentControl parent;
  popup.SetParent(&parent);
  EXPECT_EQ(&parent, popup.GetParent());
  EXPECT_EQ(5, popup.SendMessageToParent(2, 3, 4));
  ASSERT_EQ(1u, parent.calls.size());
  EXPECT_EQ(0u, parent.calls[0].id);
  EXPECT_EQ(2u, parent.calls[0].code);
  EXPECT_EQ(3u, parent.calls[0].wParam);
  EXPECT_EQ(4, parent.calls[0].lParam);
}

TEST(PopupTest, DropDownRowClickGivesTheChoiceThenTheClose) {
  RegistryName name;
  ParentControl combo;
  CComboBoxWnd dropDown;
  dropDown.SetParent(&combo);
  ASSERT_NE(nullptr, dropDown.Create(nullptr, L"ComboWnd", WS_POPUP, 0, CRect(50, 50, 250, 250)));
  CComboBoxList* list = dropDown.GetList();
  ASSERT_NE(nullptr, list);
  EXPECT_EQ(list, dropDown.GetControl(CComboBoxWnd::kListId));
  EXPECT_EQ(CRect(3, 3, 197, 197), list->GetRect());
  EXPECT_TRUE(dropDown.GetPaintManager()->IsLayered());
  dropDown.ShowWindow(SW_SHOWNA);

  // The list reports a chosen row (index 4) to its owner, the drop-down window.
  list->SendMessageW(NOTIFY_CLICK, 4, 19);
  ASSERT_EQ(1u, combo.calls.size());
  Pump();
  EXPECT_EQ(nullptr, dropDown.GetSafeHwnd());
  ASSERT_EQ(2u, combo.calls.size());
  EXPECT_EQ(0u, combo.calls[0].id);
  EXPECT_EQ(static_cast<unsigned>(NOTIFY_CLICK), combo.calls[0].code);
  EXPECT_EQ(4u, combo.calls[0].wParam);
  EXPECT_EQ(19, combo.calls[0].lParam);
  EXPECT_EQ(static_cast<unsigned>(NOTIFY_DROPDOWN_CLOSED), combo.calls[1].code);
  EXPECT_EQ(0u, combo.calls[1].wParam);

  EXPECT_EQ(0, dropDown.OnMessage(CComboBoxWnd::kListId, NOTIFY_LBUTTONDOWN, 0, 0)) << "other codes pass";
  EXPECT_EQ(0, dropDown.OnMessage(7, NOTIFY_CLICK, 0, 0)) << "other ids pass";
}

TEST(PopupTest, DropDownReadsTheThemeFromTheRegistry) {
  RegistryName name;
  HKEY key = nullptr;
  EXPECT_EQ(0, ReadRegistryInt(L"theme_type"));
  ASSERT_EQ(ERROR_SUCCESS, ::RegOpenKeyExW(HKEY_CURRENT_USER, L"SOFTWARE\\QuenbyPopupTest", 0, KEY_ALL_ACCESS, &key))
      << "a missing key is created";
  const wchar_t seven[] = L"7abc";
  ::RegSetValueExW(key, L"theme_type", 0, REG_SZ, reinterpret_cast<const BYTE*>(seven), sizeof(seven));
  ::RegCloseKey(key);
  EXPECT_EQ(7, ReadRegistryInt(L"theme_type"));
  EXPECT_EQ(0, ReadRegistryInt(L"missing"));
  CComboBoxWnd dropDown;  // reads it; looks the same whatever it is
  EXPECT_EQ(nullptr, dropDown.GetList());
}
