// The marked label's search and its repaint rules; the in-place edit's font.
#include <gtest/gtest.h>
#include <cwchar>
#include "QivTestSupport.h"
#include "controls/CEditWindow.h"
#include "controls/MText.h"

using namespace qivtest;

TEST(MarkedTextTest, MarkSearchFromTheStartPosition) {
  struct Case {
    const wchar_t* title;
    const wchar_t* mark;
    int start, found;
  } cases[] = {
      {L"abc abc", L"abc", 0, 0}, {L"abc abc", L"abc", 1, 4}, {L"abc abc", L"abc", 4, 4},
      {L"abc abc", L"abc", 5, -1}, {L"abc abc", L"abc", 7, -1}, {L"abc abc", L"abc", 8, -1},
      {L"abc abc", L"abc", -1, -1}, {L"abc abc", L"", 0, -1},   {L"abc abc", L"ABC", 0, -1},
      {L"", L"a", 0, -1},          {L"x", L"x", 0, 0},
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.found, MText::FindMark(c.title, c.mark, c.start)) << c.mark << " from " << c.start;
}

TEST(MarkedTextTest, ChangesRepaintOnlyWhenSomethingChanged) {
  RecordingParent owner;
  MText label(&owner, 37, CRect(0, 0, 200, 30), L"hello world", 1);
  EXPECT_EQ(0, label.IsEnabled()) << "a label takes no input";
  label.SetTitleMarkText(L"hello world", L"", 5);
  EXPECT_TRUE(owner.updates.empty()) << "the current title and mark";
  label.SetMarkText(L"world");
  label.SetMarkText(L"world");
  EXPECT_EQ(1u, owner.updates.size());
  label.SetMarkText(L"world", Gdiplus::Color(0xFF00FF00), 0);
  label.SetMarkText(L"world", Gdiplus::Color(0xFF00FF00), 0);
  EXPECT_EQ(2u, owner.updates.size());
  label.SetMarkText(L"hello world", L"world", Gdiplus::Color(0xFF00FF00), 3);
  EXPECT_EQ(3u, owner.updates.size()) << "the start changed";
  EXPECT_EQ(3, label.GetMarkStart());
  for (const auto& u : owner.updates) EXPECT_EQ(1, u.redraw);

  label.EnableTextBack(1, Gdiplus::Color(0xFFFF0000));
  label.EnableTextBack(1, Gdiplus::Color(0xFF0000FF));
  EXPECT_EQ(0xFFFF0000u, label.GetBackColor().GetValue()) << "the colour is taken only when the flag changes";
  label.EnableTextBack(0, Gdiplus::Color(0xFF123456));
  label.EnableTextBack(1, Gdiplus::Color(0xFF0000FF));
  EXPECT_EQ(0xFF0000FFu, label.GetBackColor().GetValue());
  EXPECT_EQ(1, label.OnControlScroll(1, 1, CPoint())) << "the wheel is consumed";
  EXPECT_EQ(0, label.OnBaseMessage(1, 8, 0, 0));
  EXPECT_TRUE(owner.notices.empty());
}

TEST(FaceNameTest, LongFaceNamesAreCutAndTerminated) {
  const std::wstring face(40, L'F');
  for (const LOGFONTW& lf : {CEditWindow::MakeEditFont(face.c_str(), 14, 1), CEditWindow::MakeEditFont(L"Roboto", 14, 0)}) {
    const size_t length = wcsnlen(lf.lfFaceName, LF_FACESIZE);
    EXPECT_LT(length, static_cast<size_t>(LF_FACESIZE)) << "terminated inside the field";
  }
  const LOGFONTW cut = CEditWindow::MakeEditFont(face.c_str(), 14, 1 | 2 | 4);
  EXPECT_EQ(std::wstring(31, L'F'), std::wstring(cut.lfFaceName));
  EXPECT_EQ(20, cut.lfHeight) << "a cell height of the pixel size + 6";
  EXPECT_TRUE(cut.lfItalic);
  EXPECT_TRUE(cut.lfUnderline);
  EXPECT_GE(cut.lfWeight, 700);
}
