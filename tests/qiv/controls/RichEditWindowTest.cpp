// The rich edit on the system's own text services in a real window: typed into, read
// back, drawn.
#include <gtest/gtest.h>
#include "ControlsWindowSupport.h"
#include "controls/MRichEdit.h"
#include "controls/MScroll.h"

using namespace qivtest;

namespace {
class RichEditWindow : public DialogFixture {};
}  // namespace

TEST_F(RichEditWindow, TypedTextIsReadBackAndDrawn) {
  CTxtWinHost::SetServicesFactory(nullptr);
  auto* edit = dynamic_cast<MRichEdit*>(dlg.CreateControl(L"MRichEdit", 9, CRect(20, 20, 320, 120), L"", 1, 1));
  ASSERT_NE(nullptr, edit);
  ASSERT_NE(nullptr, edit->GetHost()) << "the system's text services are there";
  edit->SetTextColor(Gdiplus::Color(0xFF000000));
  dlg.pm().SetFocusControl(edit);
  ASSERT_TRUE(edit->IsFocused());
  for (const wchar_t* c = L"Hello, rich"; *c; ++c) ::SendMessageW(Hwnd(), WM_CHAR, *c, 1);
  EXPECT_EQ(L"Hello, rich", edit->GetControlTitle());
  EXPECT_EQ(L"Hello, rich", edit->GetTitle()) << "the change notification kept the title";
  EXPECT_EQ(11, edit->GetTextLength());
  EXPECT_EQ(L"rich", edit->GetTextRange(7, -1));
  EXPECT_EQ(L"", edit->GetTextRange(5, 2));
  edit->SetSel(0, 5);
  EXPECT_EQ(L"Hello", edit->GetSelText());
  edit->ReplaceSel(L"Howdy");
  EXPECT_EQ(L"Howdy, rich", edit->GetControlTitle());
  edit->SetControlTitle(L"line one");
  EXPECT_EQ(L"line one", edit->GetControlTitle());
  EXPECT_EQ(1, edit->GetLineCount());

  Render r(dlg.pm(), kWidth, kHeight);
  int ink = 0;
  for (int y = 25; y < 60; ++y)
    for (int x = 25; x < 200; ++x) ink += (r.Rgb(x, y) & 0xFF) < 0x80 ? 1 : 0;
  EXPECT_GT(ink, 20) << "the text services drew the text";

  dlg.pm().SetFocusControl(nullptr);
  ::SendMessageW(Hwnd(), WM_CHAR, L'X', 1);
  EXPECT_EQ(L"line one", edit->GetControlTitle()) << "an unfocused edit takes no keys";
}

TEST_F(RichEditWindow, LongTextShowsTheVerticalBarAndScrolls) {
  CTxtWinHost::SetServicesFactory(nullptr);
  auto* edit = dynamic_cast<MRichEdit*>(dlg.CreateControl(L"MRichEdit", 9, CRect(20, 20, 320, 120), L"", 1, 1));
  ASSERT_NE(nullptr, edit->GetHost());
  CString text;
  for (int i = 0; i < 30; ++i) text.AppendFormat(L"line %d\r", i);
  edit->SetControlTitle(text);
  EXPECT_GE(edit->GetLineCount(), 30);
  Pump(50);
  MScroll* bar = edit->GetScrollVertical();
  EXPECT_TRUE(bar->IsVisible()) << "the content is taller than the text area";
  EXPECT_GT(bar->GetScrollMaxRange(), edit->GetTextRect().Height());
  edit->EndDown();
  Pump(20);
  EXPECT_GT(bar->GetScrollCurrentPos(), 0) << "the services' scroll position reaches the bar";
}

TEST_F(RichEditWindow, TextServicesLeaveTheControlsBackgroundShowing) {
  CTxtWinHost::SetServicesFactory(nullptr);
  dlg.pm().SetBackColor(RGB(255, 0, 0), RGB(255, 0, 0));
  auto* edit = dynamic_cast<MRichEdit*>(dlg.CreateControl(L"MRichEdit", 9, CRect(20, 20, 320, 120), L"", 1, 1));
  ASSERT_NE(nullptr, edit->GetHost());
  edit->SetTextColor(Gdiplus::Color(0xFF000000));
  edit->SetControlTitle(L"over red");
  Render r(dlg.pm(), kWidth, kHeight);
  int white = 0, ink = 0;
  for (int y = 20; y < 120; ++y)
    for (int x = 20; x < 320; ++x) {
      white += r.Rgb(x, y) == 0xFFFFFF ? 1 : 0;
      ink += (r.Rgb(x, y) >> 16) < 0x80 ? 1 : 0;
    }
  EXPECT_EQ(0, white) << "the services draw the text on a transparent back, not on a white box";
  EXPECT_GT(ink, 20) << "and the text is there";
}
