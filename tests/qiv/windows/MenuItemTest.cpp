#include <gtest/gtest.h>
#include "controls/MenuItem.h"
#include "core/MRender.h"
#include "RobotoFont.h"
#include "qiv/core/QivTestSupport.h"

using qivtest::RecordingParent;

namespace {
const CRect kRect(10, 20, 130, 55);
const CPoint kInside(40, 37), kOutside(300, 37);

// A 32-bit canvas the item draws on, filled with one background colour.
class Canvas {
public:
  Canvas(int w, int h, COLORREF back) : w_(w), h_(h) {
    HDC screen = ::GetDC(nullptr);
    dc_ = ::CreateCompatibleDC(screen);
    dib_ = MRender::CreateARGB32Bitmap(screen, w, h, &bits_);
    ::ReleaseDC(nullptr, screen);
    old_ = ::SelectObject(dc_, dib_);
    RECT all = {0, 0, w, h};
    HBRUSH brush = ::CreateSolidBrush(back);
    ::FillRect(dc_, &all, brush);
    ::DeleteObject(brush);
  }
  ~Canvas() {
    ::SelectObject(dc_, old_);
    ::DeleteObject(dib_);
    ::DeleteDC(dc_);
  }
  HDC& dc() { return dc_; }
  COLORREF At(int x, int y) {
    ::GdiFlush();
    const BYTE* p = bits_ + (static_cast<size_t>(h_ - 1 - y) * w_ + x) * 4;
    return RGB(p[2], p[1], p[0]);
  }
  // Pixels of the rectangle whose colour satisfies `pred`.
  template <class Pred>
  int Count(CRect r, Pred pred) {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) n += pred(At(x, y));
    return n;
  }

private:
  int w_, h_;
  HDC dc_;
  HBITMAP dib_;
  HGDIOBJ old_;
  BYTE* bits_ = nullptr;
};

bool Bluish(COLORREF c) { return GetBValue(c) > 0xC0 && GetRValue(c) < 0x90; }
bool Dark(COLORREF c) { return GetRValue(c) < 0x60 && GetGValue(c) < 0x60 && GetBValue(c) < 0x60; }
bool Grey(COLORREF c) {
  return GetRValue(c) > 0x70 && GetRValue(c) < 0xE0 && GetRValue(c) == GetGValue(c) && GetGValue(c) == GetBValue(c);
}
bool Reddish(COLORREF c) { return GetRValue(c) > 0xA0 && GetGValue(c) < 0x60; }
}  // namespace

TEST(MenuItemTest, HoverPressAndReleaseInsideGiveOneClick) {
  RecordingParent parent;
  MenuItem item(&parent, 9, kRect, L"Copy", 1, 1);
  EXPECT_EQ(1, item.OnControlMouseMove(0, kInside));
  EXPECT_EQ(MenuItem::kHover, item.GetState());
  EXPECT_TRUE(item.IsHover());
  ASSERT_EQ(1u, parent.updates.size());
  EXPECT_EQ(0, parent.updates[0].redraw);
  EXPECT_EQ(0, item.OnControlMouseMove(0, kInside)) << "no change, no repaint";
  EXPECT_EQ(1, item.OnControlLButtonDown(MK_LBUTTON, kInside));
  EXPECT_EQ(MenuItem::kPressed, item.GetState());
  EXPECT_EQ(1u, parent.updates.size()) << "a press asks for no repaint";
  EXPECT_EQ(0, item.OnControlMouseMove(MK_LBUTTON, kOutside)) << "moves are ignored while pressed";
  EXPECT_EQ(1, item.OnControlLButtonUp(0, kInside));
  EXPECT_EQ(MenuItem::kHover, item.GetState());
  EXPECT_EQ(2u, parent.updates.size());
  ASSERT_EQ(1u, parent.notices.size());
  EXPECT_EQ(9u, parent.notices[0].id);
  EXPECT_EQ(static_cast<unsigned>(NOTIFY_CLICK), parent.notices[0].code);
  EXPECT_EQ(0u, parent.notices[0].wParam);
  EXPECT_EQ(0, parent.notices[0].lParam);
}

TEST(MenuItemTest, ReleaseOutsideOrWithoutAPressIsNoClick) {
  RecordingParent parent;
  MenuItem item(&parent, 9, kRect, L"Copy", 1, 1);
  item.OnControlLButtonDown(MK_LBUTTON, kInside);
  EXPECT_EQ(1, item.OnControlLButtonUp(0, kOutside));
  EXPECT_EQ(MenuItem::kNormal, item.GetState());
  EXPECT_TRUE(parent.notices.empty());

  item.OnControlMouseMove(0, kInside);  // hover, then a release that changes nothing
  EXPECT_EQ(0, item.OnControlLButtonUp(0, kInside));
  EXPECT_TRUE(parent.notices.empty());
  EXPECT_EQ(0, item.OnControlLButtonDown(MK_LBUTTON, kOutside));
}

TEST(MenuItemTest, DisabledItemIgnoresTheMouseAndShowsTheGreyFrame) {
  RecordingParent parent;
  MenuItem item(&parent, 9, kRect, L"Copy", 1, 1);
  item.SetControlEnabled(0);
  EXPECT_EQ(MenuItem::kDisabled, item.GetState());
  ASSERT_EQ(1u, parent.updates.size());
  EXPECT_EQ(1, parent.updates[0].redraw);
  item.SetControlEnabled(0);
  EXPECT_EQ(1u, parent.updates.size()) << "unchanged value, nothing";
  EXPECT_EQ(0, item.OnControlMouseMove(0, kInside));
  EXPECT_EQ(0, item.OnControlLButtonDown(MK_LBUTTON, kInside));
  EXPECT_EQ(0, item.OnControlLButtonUp(0, kInside));
  EXPECT_TRUE(parent.notices.empty());
  item.SetControlCheck(1);
  item.SetControlEnabled(1);
  EXPECT_EQ(MenuItem::kPressed, item.GetState()) << "enabling a checked item shows it checked";
}

TEST(MenuItemTest, CheckStates) {
  RecordingParent parent;
  MenuItem item(&parent, 9, kRect, L"Copy", 1, 1);
  item.SetControlCheck(1);
  EXPECT_EQ(1, item.GetCheck());
  EXPECT_EQ(MenuItem::kPressed, item.GetState());
  EXPECT_EQ(1u, parent.updates.size());
  EXPECT_EQ(0, item.SetCheck(0)) << "not checkable: nothing changes";
  EXPECT_EQ(1, item.GetCheck());
  EXPECT_EQ(1, item.ResetGroupCheck());
  EXPECT_EQ(CString(L"Menu Group"), item.GetGroupName());
  EXPECT_EQ(30, item.GetTextIndent());
  EXPECT_EQ(nullptr, item.GetParentMenu());
}

TEST(MenuItemTest, DrawsItsFourFramesAndAlwaysItsOwnTextColour) {
  RecordingParent parent;
  PaintManager pm;
  qivwin::RegisterRoboto(pm);
  const COLORREF back = RGB(0xF0, 0xF0, 0xF0);
  MenuItem item(&parent, 9, kRect, L"MMMM WWWW", 1, 1);
  item.SetManager(&pm);
  item.SetFont(L"Roboto-Medium", 14, Gdiplus::FontStyleRegular);
  item.SetTextIndent(5);
  item.SetTextColor(Gdiplus::Color(255, 255, 0, 0));  // has no effect on the drawn text
  const CRect text(kRect.left + 5, kRect.top + 5, kRect.left + 80, kRect.bottom - 5);
  const CRect margin(kRect.right - 12, kRect.top + 8, kRect.right - 5, kRect.bottom - 8);

  Canvas normal(200, 100, back);
  item.DrawControl(normal.dc(), kRect);
  EXPECT_EQ(back, normal.At(margin.left, margin.top)) << "frame 0 keeps the background";
  EXPECT_GT(normal.Count(text, Dark), 10);
  EXPECT_EQ(0, normal.Count(text, Reddish));

  item.OnControlMouseMove(0, kInside);
  Canvas hover(200, 100, back);
  item.DrawControl(hover.dc(), kRect);  // the cached picture, frame 1
  EXPECT_TRUE(Bluish(hover.At(margin.left, margin.top))) << std::hex << hover.At(margin.left, margin.top);
  EXPECT_EQ(back, hover.At(kRect.left + 1, kRect.top + 1)) << "outside the rounded highlight";

  item.SetControlEnabled(0);
  item.SetUpdate(0, 0);
  Canvas disabled(200, 100, back);
  item.DrawControl(disabled.dc(), kRect);
  EXPECT_GT(disabled.Count(text, Grey), 10);
  EXPECT_EQ(0, disabled.Count(text, Dark));

  MenuItem separator(&parent, 10, CRect(10, 20, 130, 21), L"", 1, 1);
  Canvas line(200, 100, back);
  separator.DrawControl(line.dc(), separator.GetRect());  // no title: no text, no failure
  EXPECT_EQ(back, line.At(50, 20));
}
