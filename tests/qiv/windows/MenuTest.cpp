#include <gtest/gtest.h>
#include "RobotoFont.h"
#include "WindowsTestSupport.h"
#include "controls/MenuItem.h"
#include "core/MRender.h"
#include "core/MenuWnd.h"

using namespace qivwin;

namespace {
constexpr UINT kNotify = WM_APP + 5;

// A menu that counts its deletions (it deletes itself when its window is gone).
class CountedMenu : public MenuWnd {
public:
  static int deleted;
  explicit CountedMenu(MObject* parent) : MenuWnd(parent) {}
  ~CountedMenu() override { ++deleted; }
};
int CountedMenu::deleted = 0;

class MenuTest : public ::testing::Test {
protected:
  void SetUp() override {
    CountedMenu::deleted = 0;
    ASSERT_NE(nullptr, owner.CreatePopup(nullptr, CRect(0, 0, 400, 300), WS_POPUP | WS_VISIBLE));
  }
  void TearDown() override {
    owner.DestroyWindow();
    Pump();
  }
  std::vector<Seen> Notified() const {
    std::vector<Seen> out;
    for (const Seen& s : owner.messages)
      if (s.msg == kNotify) out.push_back(s);
    return out;
  }
  static CSize WindowSize(HWND h) {
    RECT r;
    ::GetWindowRect(h, &r);
    return CSize(r.right - r.left, r.bottom - r.top);
  }
  static CPoint Centre(MControl* c) {
    const CRect r = c->GetRect();
    return CPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  }
  RecordingDialog owner;
};
}  // namespace

TEST_F(MenuTest, LayoutOfItemsSeparatorsAndHiddenItems) {
  auto* menu = new CountedMenu(&owner);
  ASSERT_EQ(1, menu->Create(owner.GetSafeHwnd(), CPoint(20, 30), kNotify));
  HWND window = menu->GetSafeHwnd();
  menu->AddMenu(L"Copy", 1, L"", 0, -1);
  menu->AddMenu(L"Paste", 2, L"", 0, -1);
  menu->AddSeparator(3, L"");
  menu->AddMenu(L"Delete", 4, L"", 0, -1);
  EXPECT_EQ(CSize(300, 12 + 3 * 35 + 4 + 6), WindowSize(window));
  EXPECT_EQ(CRect(5, 12, 290, 47), menu->GetControl(1)->GetRect());
  EXPECT_EQ(CRect(5, 47, 290, 82), menu->GetControl(2)->GetRect());
  EXPECT_EQ(CRect(6, 83, 290, 84), menu->GetControl(3)->GetRect());
  EXPECT_EQ(CRect(5, 86, 290, 121), menu->GetControl(4)->GetRect());
  EXPECT_EQ(5, dynamic_cast<MenuItem*>(menu->GetControl(1))->GetTextIndent());

  menu->GetControl(2)->SetVisible(0);
  menu->SetMenuPoint();
  EXPECT_TRUE(menu->GetControl(2)->GetRect().IsRectNull()) << "a hidden item takes no room";
  EXPECT_EQ(CRect(5, 51, 290, 86), menu->GetControl(4)->GetRect());
  EXPECT_EQ(CSize(300, 12 + 2 * 35 + 4 + 6), WindowSize(window));
  menu->CloseWindow();
  Pump();
  EXPECT_EQ(1, CountedMenu::deleted);
}

TEST_F(MenuTest, TheMenuGrowsToItsLongestTitleOnly) {
  auto* menu = new CountedMenu(&owner);
  ASSERT_EQ(1, menu->Create(owner.GetSafeHwnd(), CPoint(0, 0), kNotify, L"", 4, 150, BACKMODE_NINEGRID));
  EXPECT_EQ(150, WindowSize(menu->GetSafeHwnd()).cx);
  RegisterRoboto(*menu->GetPaintManager());
  menu->AddMenu(L"Short", 1, L"", 0, -1);
  EXPECT_EQ(CSize(150, 12 + 35 + 6), WindowSize(menu->GetSafeHwnd()));

  const CString wide = L"A title that is certainly wider than the menu it goes into, by far";
  Gdiplus::FontFamily* family = menu->GetPaintManager()->FindTempFont(L"Roboto-Medium");
  ASSERT_NE(nullptr, family);
  Gdiplus::Font used(family, 14.0f, 0, Gdiplus::UnitPixel);
  Gdiplus::StringFormat format;
  format.SetFormatFlags(0x1800);
  const int measured = MRender::GetTextBounds(used, format, wide).Width;
  ASSERT_GT(measured, 150 - 9);
  menu->AddMenu(wide, 2, L"", 0, -1);
  EXPECT_EQ(measured + 5 + 4, menu->GetMenuWidth());
  const int grown = menu->GetMenuWidth();
  menu->AddMenu(L"x", 3, L"", 0, -1);
  EXPECT_EQ(grown, menu->GetMenuWidth()) << "a shorter title leaves the width";
  EXPECT_EQ(grown, WindowSize(menu->GetSafeHwnd()).cx);
  menu->CloseWindow();
  Pump();
}

TEST_F(MenuTest, AClickPostsTheChoiceAndTheMenuDeletesItselfOnce) {
  auto* menu = new CountedMenu(&owner);
  ASSERT_EQ(1, menu->Create(owner.GetSafeHwnd(), CPoint(40, 40), kNotify));
  menu->AddMenu(L"Copy", 11, L"", 0, -1);
  menu->AddMenu(L"Paste", 12, L"", 0, -1);
  HWND window = menu->GetSafeHwnd();
  const CPoint at = Centre(menu->GetControl(12));
  const LPARAM point = MAKELPARAM(at.x, at.y);
  ::PostMessageW(window, WM_MOUSEMOVE, 0, point);
  ::PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, point);
  ::PostMessageW(window, WM_LBUTTONUP, 0, point);
  menu->ShowModal(SW_SHOWNA);  // the menu is gone when this returns
  EXPECT_FALSE(::IsWindow(window));
  EXPECT_EQ(1, CountedMenu::deleted);
  Pump();
  const std::vector<Seen> notified = Notified();
  ASSERT_EQ(1u, notified.size());
  EXPECT_EQ(0u, notified[0].wParam);
  EXPECT_EQ(12, notified[0].lParam);
  EXPECT_TRUE(owner.IsWindowEnabled());
}

TEST_F(MenuTest, EveryNotificationIsPostedButOnlyAClickCloses) {
  auto* menu = new CountedMenu(&owner);
  ASSERT_EQ(1, menu->Create(owner.GetSafeHwnd(), CPoint(40, 40), kNotify));
  menu->AddMenu(L"Copy", 11, L"", 0, -1);
  EXPECT_EQ(1, menu->SendMessageToParent(11, NOTIFY_RBUTTONUP, 3, 0));
  Pump();
  EXPECT_EQ(0, CountedMenu::deleted);
  ASSERT_EQ(1u, Notified().size());
  EXPECT_EQ(3u, Notified()[0].wParam);
  EXPECT_EQ(11, Notified()[0].lParam);
  menu->SendMessageToParent(11, NOTIFY_CLICK, 0, 0);
  Pump();
  EXPECT_EQ(1, CountedMenu::deleted);
}

TEST_F(MenuTest, LosingActivationClosesWithoutAChoice) {
  auto* menu = new CountedMenu(&owner);
  ASSERT_EQ(1, menu->Create(owner.GetSafeHwnd(), CPoint(40, 40), kNotify));
  menu->AddMenu(L"Copy", 11, L"", 0, -1);
  menu->ShowWindow(SW_SHOWNA);
  ::SendMessageW(menu->GetSafeHwnd(), WM_NCACTIVATE, FALSE, 0);
  Pump();
  EXPECT_EQ(1, CountedMenu::deleted);
  EXPECT_TRUE(Notified().empty());
}

TEST_F(MenuTest, AnItemTheFactoryDidNotMakeIsSkipped) {
  struct NoItems : CountedMenu {
    using CountedMenu::CountedMenu;
    MenuItem* CreateItem(UINT, const CString&) override { return nullptr; }
  };
  auto* menu = new NoItems(&owner);
  ASSERT_EQ(1, menu->Create(owner.GetSafeHwnd(), CPoint(40, 40), kNotify));
  EXPECT_EQ(-1, menu->AddMenu(L"Copy", 11, L"pic.png", 0, -1));
  EXPECT_EQ(-1, menu->AddSeparator(12, L""));
  EXPECT_TRUE(menu->GetPaintManager()->GetControls()->empty());
  EXPECT_EQ(CSize(300, 12 + 6), WindowSize(menu->GetSafeHwnd()));
  menu->CloseWindow();
  Pump();
  EXPECT_EQ(1, CountedMenu::deleted);
}

TEST_F(MenuTest, PendingItemStatesApplyWhenTheItemIsAdded) {
  auto* menu = new CountedMenu(&owner);
  menu->SetItemVisible(L"Paste", 0);
  menu->SetItemEnable(L"13", 0);
  menu->SetItemTitle(L"Copy", L"Copy all");
  ASSERT_EQ(1, menu->Create(owner.GetSafeHwnd(), CPoint(40, 40), kNotify));
  menu->AddMenu(L"Copy", 11, L"", 0, -1);
  menu->AddMenu(L"Paste", 12, L"", 0, -1);
  menu->AddMenu(L"Delete", 13, L"", 0, -1);
  auto* copy = dynamic_cast<MenuItem*>(menu->GetControl(11));
  ASSERT_NE(nullptr, copy);
  EXPECT_EQ(CString(L"Copy all"), copy->GetTitle());
  EXPECT_FALSE(menu->GetControl(12)->IsVisible());
  EXPECT_TRUE(menu->GetControl(12)->GetRect().IsRectNull());
  EXPECT_FALSE(menu->GetControl(13)->IsEnabled());
  EXPECT_EQ(CSize(300, 12 + 2 * 35 + 6), WindowSize(menu->GetSafeHwnd()));
  menu->CloseWindow();
  Pump();
}

TEST_F(MenuTest, AMenuThatWasNeverCreatedIsDeletedByItsCreator) {
  auto* menu = new CountedMenu(&owner);
  menu->CloseWindow();  // harmless without a window
  delete menu;
  EXPECT_EQ(1, CountedMenu::deleted);
}

TEST_F(MenuTest, AnItemThatGoesClosesItsOpenSubmenu) {
  auto* menu = new CountedMenu(&owner);
  auto* sub = new CountedMenu(&owner);
  ASSERT_EQ(1, menu->Create(owner.GetSafeHwnd(), CPoint(40, 40), kNotify));
  ASSERT_EQ(1, sub->Create(owner.GetSafeHwnd(), CPoint(340, 40), kNotify));
  menu->AddMenu(L"More", 21, L"", 0, -1);
  auto* item = dynamic_cast<MenuItem*>(menu->GetControl(21));
  ASSERT_NE(nullptr, item);
  item->SetPopupMenu(sub);
  EXPECT_EQ(sub, item->GetPopupMenu());
  menu->GetPaintManager()->RemoveControl(item);
  Pump();
  EXPECT_EQ(1, CountedMenu::deleted) << "the submenu closed and went";
  menu->CloseWindow();
  Pump();
  EXPECT_EQ(2, CountedMenu::deleted);
}
