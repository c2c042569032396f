// The edit field with its native edit window in a real window: clicks, typing through the
// system edit, number-only, limit, password and character input, committing, the back
// colour, and every order in which the control and its edit window can end.
#include <gtest/gtest.h>
#include "ControlsTestSupport.h"
#include "controls/CEditWnd.h"
#include "controls/MButton.h"
#include "controls/MEdit.h"
#include "qiv/core/SkinFiles.h"

using ctltest::Host;
using ctltest::Pump;
using ctltest::Render;

namespace {
class EditWindow : public ::testing::Test {
protected:
  void SetUp() override {
    Manager::SetInstance(::GetModuleHandleW(nullptr));
    ASSERT_NE(nullptr, host.Create(nullptr, L"edit", WS_POPUP, 0, CRect(30, 30, 430, 330)));
    ::ShowWindow(host.GetSafeHwnd(), SW_SHOW);
    ::SetForegroundWindow(host.GetSafeHwnd());
    ::SetFocus(host.GetSafeHwnd());
    Pump(30);
    edit = host.Add(new MEdit(&host, 50, CRect(20, 20, 220, 60), L"Name", 1, 1));
  }
  void TearDown() override {
    if (host.GetSafeHwnd()) host.DestroyWindow();
  }
  void Send(UINT msg, WPARAM w, CPoint p) { ::SendMessageW(host.GetSafeHwnd(), msg, w, MAKELPARAM(p.x, p.y)); }
  void Click(CPoint p) {
    Send(WM_MOUSEMOVE, 0, p);
    Send(WM_LBUTTONDOWN, MK_LBUTTON, p);
    Send(WM_LBUTTONUP, 0, p);
  }
  void Type(const wchar_t* text) {
    for (const wchar_t* c = text; *c; ++c) ::SendMessageW(edit->GetEditHwnd(), WM_CHAR, *c, 1);
  }
  std::vector<unsigned> EditCodes() {
    std::vector<unsigned> codes;
    for (const auto& n : host.notices)
      if (n.id == 50) codes.push_back(n.code);
    host.notices.clear();
    return codes;
  }
  CString NativeText() {
    wchar_t buffer[256] = {};
    ::GetWindowTextW(edit->GetEditWindow()->GetSafeHwnd(), buffer, 256);
    return buffer;
  }
  Host host;
  MEdit* edit = nullptr;
};
}  // namespace

TEST_F(EditWindow, ClickOpensTypingReportsAndAnotherClickCommits) {
  host.Add(new MButton(&host, 51, CRect(20, 100, 120, 140), L"Other", 1, 1));
  Click(CPoint(60, 40));
  EXPECT_EQ((std::vector<unsigned>{30, 1, 2}), EditCodes());
  HWND native = edit->GetEditHwnd();
  ASSERT_NE(nullptr, native);
  EXPECT_EQ(native, ::GetFocus());
  EXPECT_EQ(1, edit->IsEditFocused());
  wchar_t cls[32] = {};
  ::GetClassNameW(native, cls, 32);
  EXPECT_STREQ(L"ZKEditWindow", cls);
  RECT place;
  ::GetWindowRect(native, &place);
  POINT origin = {0, 0};
  ::ClientToScreen(host.GetSafeHwnd(), &origin);
  EXPECT_EQ(CRect(26, 32, 214, 48), CRect(place.left - origin.x, place.top - origin.y, place.right - origin.x,
                                          place.bottom - origin.y))
      << "exactly over the text area";

  Type(L"ab");
  EXPECT_EQ((std::vector<unsigned>{26, 26}), EditCodes());
  EXPECT_EQ(CString(L"ab"), edit->GetTitleEx());

  Click(CPoint(60, 120));
  EXPECT_EQ((std::vector<unsigned>{29, 29}), EditCodes()) << "focus loss of the edit window, then HideEdit";
  EXPECT_EQ(nullptr, edit->GetEditHwnd());
  EXPECT_EQ(CString(L"ab"), edit->GetEditText());
}

TEST_F(EditWindow, IconClickClosesTheEditAndReportsTheIcon) {
  qivtest::SkinFolder skins;
  skins.Solid(L"edit_icon.png", 64, 16, 0xFF00FF00);
  ASSERT_EQ(1, edit->SetIconImage(L"edit_icon.png", 4));
  EXPECT_EQ(CRect(195, 32, 211, 48), edit->GetIconRect());
  EXPECT_EQ(192, edit->CalcTextRect(1).right) << "the text stops before the icon";
  Click(CPoint(60, 40));
  ASSERT_NE(nullptr, edit->GetEditHwnd());
  EditCodes();
  Click(CPoint(200, 40));
  const std::vector<unsigned> codes = EditCodes();
  EXPECT_EQ(nullptr, edit->GetEditHwnd()) << "the edit closed";
  ASSERT_GE(codes.size(), 2u);
  EXPECT_EQ(31u, codes.back()) << "release on the icon";
  EXPECT_EQ(9u, codes[codes.size() - 2]) << "press on the icon";
  for (size_t i = 0; i + 2 < codes.size(); ++i) EXPECT_EQ(29u, codes[i]) << "editing ended first";
}

TEST_F(EditWindow, NumberOnlyLimitAndCharacterInput) {
  edit->SetNumberOnly(1);
  edit->SetLimitText(3);
  host.pm.SetFocusControl(edit);
  ASSERT_NE(nullptr, edit->GetEditHwnd());
  EXPECT_TRUE(::GetWindowLongW(edit->GetEditHwnd(), GWL_STYLE) & ES_NUMBER);
  Type(L"1x2345");
  EXPECT_EQ(CString(L"123"), NativeText());
  EXPECT_EQ(CString(L"123"), edit->GetControlTitle()) << "read while editing: committed";
  EXPECT_EQ(nullptr, edit->GetEditHwnd()) << "and the edit closed";

  edit->EnableCharMessage(0);
  host.pm.SetFocusControl(nullptr);
  host.pm.SetFocusControl(edit);
  Type(L"9");
  EXPECT_EQ(CString(L"123"), NativeText()) << "typed characters ignored";
  ::SendMessageW(edit->GetEditHwnd(), EM_SETSEL, 0, 1);
  ::SendMessageW(edit->GetEditHwnd(), WM_KEYDOWN, VK_DELETE, 0);
  EXPECT_EQ(CString(L"23"), NativeText()) << "keys still work";
}

TEST_F(EditWindow, PasswordModeAndPlaceholderLooks) {
  {
    Render r(host.pm, 400, 300);
    EXPECT_GT(r.Count(20, 20, 220, 60, 0x808080), 5) << "the placeholder in grey";
  }
  edit->SetControlTitle(L"secret");
  {
    Render r(host.pm, 400, 300);
    EXPECT_EQ(0, r.Count(20, 20, 220, 60, 0x808080));
    EXPECT_GT(r.Count(20, 20, 220, 60, 0x050505), 5) << "the text in its colour";
  }
  edit->EnablePassWord(1);
  host.pm.SetFocusControl(edit);
  HWND native = edit->GetEditHwnd();
  ASSERT_NE(nullptr, native);
  EXPECT_TRUE(::GetWindowLongW(native, GWL_STYLE) & ES_PASSWORD);
  EXPECT_EQ(0xA1F1u, static_cast<unsigned>(::SendMessageW(native, EM_GETPASSWORDCHAR, 0, 0)));
}

TEST_F(EditWindow, NewBackColourReplacesTheEditWindow) {
  host.pm.SetFocusControl(edit);
  HWND first = edit->GetEditHwnd();
  ASSERT_NE(nullptr, first);
  Type(L"x");
  edit->SetEditBKColor(0x222527);
  EXPECT_TRUE(::IsWindow(first)) << "the same colour changes nothing";
  edit->SetEditBKColor(0x00FF00);
  EXPECT_FALSE(::IsWindow(first));
  EXPECT_EQ(nullptr, edit->GetEditWindow());
  EXPECT_EQ(CString(L"x"), edit->GetTitleEx()) << "the typed text is already in the control";
  host.pm.SetFocusControl(nullptr);
  host.pm.SetFocusControl(edit);
  ASSERT_NE(nullptr, edit->GetEditHwnd());
  EXPECT_EQ(CString(L"x"), NativeText());
}

// The edit window deletes itself when its window goes; the control's pointer to it must
// be cleared whichever ends first.
TEST_F(EditWindow, ControlDeletedFirstTakesItsEditWindowDown) {
  host.pm.SetFocusControl(edit);
  HWND native = edit->GetEditHwnd();
  ASSERT_NE(nullptr, native);
  host.pm.RemoveControl(edit);
  EXPECT_FALSE(::IsWindow(native));
  Pump(20);
}

TEST_F(EditWindow, EditWindowDestroyedFirstClearsThePointer) {
  host.pm.SetFocusControl(edit);
  HWND native = edit->GetEditHwnd();
  ASSERT_NE(nullptr, native);
  ::DestroyWindow(native);
  EXPECT_EQ(nullptr, edit->GetEditWindow());
  EXPECT_EQ(nullptr, edit->GetEditHwnd());
  host.pm.SetFocusControl(nullptr);
  host.pm.SetFocusControl(edit);
  EXPECT_NE(nullptr, edit->GetEditHwnd()) << "a new edit window opens";
}

namespace {
// Records, when it goes, whether it still pointed at an edit window.
class WatchedEdit : public MEdit {
public:
  WatchedEdit(MObject* parent, bool* cleared) : MEdit(parent, 52, CRect(20, 80, 220, 120), L"", 1, 1), cleared_(cleared) {}
  ~WatchedEdit() override { *cleared_ = GetEditWindow() == nullptr; }

private:
  bool* cleared_;
};
}  // namespace

TEST_F(EditWindow, ClosingTheHostWindowEndsTheEditWindowBeforeTheControl) {
  bool cleared = false;
  auto* watched = host.Add(new WatchedEdit(&host, &cleared));
  host.pm.SetFocusControl(watched);
  HWND native = watched->GetEditHwnd();
  ASSERT_NE(nullptr, native);
  host.DestroyWindow();
  EXPECT_FALSE(::IsWindow(native));
  EXPECT_TRUE(cleared) << "the control no longer points at the gone edit window";
}
