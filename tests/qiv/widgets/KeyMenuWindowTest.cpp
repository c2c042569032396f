// The key menu list inside the framework's menu window: a click on a row posts the menu's
// message with the row's data and the list's id, and the menu closes.
#include <gtest/gtest.h>
#include "WidgetWindow.h"
#include "core/MenuWnd.h"
#include "widgets/KeyMenuFuncType.h"

using namespace widgettest;

TEST(KeyMenuWindow, ClickedRowPostsItsDataAndClosesTheMenu) {
  Manager::SetInstance(::GetModuleHandleW(nullptr));
  HostWindow owner;
  ASSERT_NE(nullptr, owner.Create(nullptr, L"owner", WS_POPUP, 0, CRect(0, 0, 400, 400)));
  constexpr UINT kMessage = 0x72A;
  auto* menu = new MenuExWnd(nullptr);
  ASSERT_EQ(menu->Create(owner.GetSafeHwnd(), CRect(50, 50, 350, 250), kMessage, L""), 1);
  const HWND window = menu->GetSafeHwnd();
  KeyMenuFuncType* list = menu->GetList();
  ASSERT_NE(nullptr, list);
  EXPECT_EQ(list->GetRect(), CRect(10, 10, 290, 190));
  menu->AddItem(L"Copy", L"copies the selection", 41, L"");
  menu->AddItem(L"Paste", L"inserts the clipboard", 42, L"");
  ::ShowWindow(window, SW_SHOWNOACTIVATE);
  ::UpdateWindow(window);

  const CPoint row(100, 10 + 70 + 35);
  ::SendMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(row.x, row.y));
  ::SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(row.x, row.y));
  ::SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(row.x, row.y));

  MSG msg;
  bool posted = false;
  for (int i = 0; i < 200 && !posted; ++i) {
    if (::PeekMessageW(&msg, owner.GetSafeHwnd(), kMessage, kMessage, PM_REMOVE)) {
      posted = true;
      EXPECT_EQ(msg.wParam, 42u) << "the row's data";
      EXPECT_EQ(msg.lParam, 100) << "the list's id";
    } else {
      Pump(5);
    }
  }
  EXPECT_TRUE(posted);
  Pump(50);
  EXPECT_FALSE(::IsWindow(window)) << "a click closes the menu";
  owner.DestroyWindow();
}
