// The in-place edit window over an owner control: placement, the hand-over of each change,
// colours, layered hosts, and the end of its window.
#include <gtest/gtest.h>
#include "ControlsWindowSupport.h"
#include "controls/CEditWindow.h"

using namespace qivtest;

namespace {
class EditWindow : public DialogFixture {
protected:
  ProbeControl* AddOwner(HostDialog& host, CRect rect) {
    auto* owner = new ProbeControl(&host, 77, rect);
    owner->SetManager(&host.pm());
    host.pm().GetControls()->push_back(owner);
    return owner;
  }
};
}  // namespace

TEST_F(EditWindow, PlacedOverTheOwnerAndHandsEachChangeOver) {
  ProbeControl* owner = AddOwner(dlg, CRect(10, 10, 210, 50));
  CEditWindow* slot = new CEditWindow();
  slot->ShowAt(owner, CRect());
  slot->SetOwnerSlot(&slot);
  const HWND edit = slot->GetSafeHwnd();
  ASSERT_NE(nullptr, edit);
  CRect placed;
  ::GetWindowRect(edit, &placed);
  ::MapWindowPoints(nullptr, Hwnd(), reinterpret_cast<POINT*>(&placed), 2);
  EXPECT_EQ(CRect(16, 22, 204, 38), placed) << "the owner's line, 6 pixels in";
  EXPECT_TRUE(::GetWindowLongW(edit, GWL_STYLE) & WS_CHILD);
  EXPECT_EQ(::GetFocus(), edit);
  wchar_t cls[32] = {};
  ::GetClassNameW(edit, cls, 32);
  EXPECT_STREQ(L"ZKEditWindow", cls);

  Type(edit, L"a");
  ASSERT_EQ(1u, dlg.Codes(NOTIFY_TEXT_CHANGED).size());
  EXPECT_EQ(77u, dlg.Codes(NOTIFY_TEXT_CHANGED)[0].id);
  EXPECT_EQ(L"a", owner->GetTitle());
  ::SetWindowTextW(edit, L"a");
  EXPECT_EQ(1u, dlg.Codes(NOTIFY_TEXT_CHANGED).size()) << "the same text again sends nothing";

  HDC dc = ::GetDC(edit);
  const LRESULT brush = ::SendMessageW(Hwnd(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(edit));
  EXPECT_NE(0, brush) << "its own back colour";
  slot->SetColors(0xFFFFFFFF, 0);
  EXPECT_EQ(0, ::SendMessageW(edit, WM_CTLCOLOREDIT + 0x2000, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(edit)))
      << "-1 leaves the colours to the system";
  EXPECT_NE(brush, ::SendMessageW(Hwnd(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(edit)));
  ::ReleaseDC(edit, dc);

  ::DestroyWindow(edit);
  EXPECT_EQ(nullptr, slot) << "the owner's pointer is cleared with the window";
}

TEST_F(EditWindow, LayeredHostGetsAPopupAtScreenCoordinates) {
  HostDialog layered;
  ASSERT_NE(nullptr, layered.Create(nullptr, L"layered", WS_POPUP, 0, CRect(200, 150, 500, 350)));
  layered.pm().SetLayeredWindow(1);
  ::ShowWindow(layered.GetSafeHwnd(), SW_SHOWNA);
  ProbeControl* owner = AddOwner(layered, CRect(10, 10, 210, 50));
  CEditWindow* slot = new CEditWindow();
  slot->ShowAt(owner, CRect(20, 20, 120, 40));
  slot->SetOwnerSlot(&slot);
  const HWND edit = slot->GetSafeHwnd();
  ASSERT_NE(nullptr, edit);
  EXPECT_TRUE(::GetWindowLongW(edit, GWL_STYLE) & WS_POPUP);
  CRect placed;
  ::GetWindowRect(edit, &placed);
  EXPECT_EQ(CRect(220, 170, 320, 190), placed);
  Type(edit, L"b");
  EXPECT_EQ(1u, layered.Codes(NOTIFY_TEXT_CHANGED).size()) << "a popup edit still reports its changes";
  EXPECT_EQ(L"b", owner->GetTitle());
  layered.DestroyWindow();
  Pump();
  EXPECT_EQ(nullptr, slot);
}
