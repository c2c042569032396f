// The frame strip: inserting and editing frames, the scroll bar, clicks on cards and
// badges, and the animated GIF of its pictures.
#include <gtest/gtest.h>
#include "GifTestEncoder.h"
#include "PictureTestSupport.h"
#include "controls/MScroll.h"
#include "core/Manager.h"
#include "qiv/core/QivTestSupport.h"
#include "widgets/GifAnimationWriter.h"
#include "widgets/ImageViewList.h"

namespace {

using pictest::TempFolder;

// A 1000 x 130 strip at (0, 400): four cards fit, a fifth makes it scroll.
class FrameStrip : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(pictest::WriteSolidPng(red, 60, 40, 0xFFFF0000));
    ASSERT_TRUE(pictest::WriteSolidPng(green, 60, 40, 0xFF00FF00));
    ASSERT_TRUE(pictest::WriteSolidPng(blue, 30, 90, 0xFF0000FF));
  }
  std::vector<CString> Files() {
    std::vector<CString> files;
    for (int i = 0; i < strip.GetItemCount(); ++i) files.push_back(strip.GetItemImageFile(i));
    return files;
  }
  void Paint() { render.Draw(strip); }
  CPoint CardCentre(int index) { return strip.GetItemScreenRect(index).CenterPoint(); }
  void Click(CPoint press, CPoint release) {
    strip.OnControlMouseMove(0, press);
    strip.OnControlLButtonDown(MK_LBUTTON, press);
    strip.OnControlMouseMove(MK_LBUTTON, release);
    strip.OnControlLButtonUp(0, release);
  }
  TempFolder folder;
  const CString red = folder.File(L"\u7ea2.png"), green = folder.File(L"\u7eff.png"), blue = folder.File(L"\u84dd.png");
  qivtest::RecordingParent parent;
  ImageViewList strip{&parent, 384, CRect(0, 400, 1000, 530), 1};
  pictest::Render render{1000, 540};
};

TEST_F(FrameStrip, InsertsAfterAGivenFrameAndRefusesIndexesOutsideTheStrip) {
  EXPECT_EQ(strip.AddString(red, 50, 1, L"a"), 0);
  EXPECT_EQ(strip.AddString(green, 60, 2, L"b"), 1);
  const struct {
    int index;
    int answer;
  } refused[] = {{-2, -1}, {2, -1}, {100, -1}};
  for (const auto& r : refused) EXPECT_EQ(strip.AddString(r.index, blue, 0, 9, L"x"), r.answer) << r.index;
  EXPECT_EQ(strip.GetItemCount(), 2);
  EXPECT_EQ(strip.AddString(-1, blue, 70, 3, L"c"), 2);  // at the front
  EXPECT_EQ(strip.AddString(2, red, 80, 4, L"d"), 3);    // after the last: appended
  EXPECT_EQ(strip.AddString(0, green, 90, 5, L"e"), 4);  // after the first
  EXPECT_EQ(Files(), (std::vector<CString>{blue, green, red, green, red}));
  EXPECT_EQ(strip.GetFrameID(1), 5);
  EXPECT_EQ(strip.GetFrameItemName(0), L"c");
  EXPECT_EQ(strip.GetItemDelayTime(4), 80);
  EXPECT_EQ(strip.GetFrameID(5), 0);
  EXPECT_TRUE(strip.GetFrameItemName(-1).IsEmpty());
  EXPECT_FALSE(strip.SetItemDelayTime(5, 1));
  EXPECT_TRUE(strip.SetItemDelayTime(0, 33));
  EXPECT_EQ(strip.GetItemDelayTime(0), 33);
  EXPECT_TRUE(strip.SetDelayTime(40));
  for (int i = 0; i < 5; ++i) EXPECT_EQ(strip.GetItemDelayTime(i), 40);
  EXPECT_EQ(strip.SetCurSel(5), 0);
  EXPECT_EQ(strip.SetCurSel(-1), 1);
  EXPECT_EQ(strip.DeleteItem(5), 0);
  EXPECT_EQ(strip.DeleteItem(0), 1);
  EXPECT_EQ(strip.GetItemCount(), 4);
}

TEST_F(FrameStrip, EditedFileIsTakenOnlyWhenItLoads) {
  strip.AddString(red, 0, 1, L"");
  EXPECT_EQ(strip.GetItemEditImageFile(0), red);
  strip.UpdateItemImageFile(0, folder.File(L"missing.png"));
  EXPECT_EQ(strip.GetItemEditImageFile(0), red);
  strip.UpdateItemImageFile(0, blue);
  EXPECT_EQ(strip.GetItemEditImageFile(0), blue);
  EXPECT_EQ(strip.GetItemImageFile(0), red);
  const std::vector<IMGITEM_INFO*> items = strip.GetImageViewItems();
  ASSERT_EQ(items.size(), 1u);
  EXPECT_EQ(items[0]->editFile, blue);
  EXPECT_EQ(items[0]->width, 30);
  EXPECT_EQ(items[0]->height, 90);
  strip.UpdateItemImageFile(3, blue);  // a bad index changes nothing
}

TEST_F(FrameStrip, ScrollBarAppearsWithTheFifthCardAndGoesWithTheFrames) {
  MScroll* bar = strip.GetScrollHorizontal();
  for (int i = 0; i < 4; ++i) strip.AddString(red, 0, i, L"");
  EXPECT_FALSE(bar->IsVisible());
  EXPECT_EQ(strip.OnControlScroll(120, 1, CPoint(10, 450)), 0);  // 820 px fit in 1000
  strip.AddString(green, 0, 4, L"");
  EXPECT_TRUE(bar->IsVisible());
  EXPECT_EQ(bar->GetScrollMaxRange(), 5 * 205);
  EXPECT_EQ(strip.OnControlScroll(120, 1, CPoint(10, 450)), 1);
  EXPECT_EQ(bar->GetScrollCurrentPos(), 100);
  Paint();
  EXPECT_EQ(strip.GetFirstVisible(), 0);
  EXPECT_EQ(strip.GetLastVisible(), 4);
  EXPECT_EQ(strip.DeleteAllItems(), 1);
  EXPECT_FALSE(bar->IsVisible());
  EXPECT_EQ(bar->GetScrollCurrentPos(), 0);
  EXPECT_EQ(bar->GetScrollMaxRange(), 0);
  EXPECT_EQ(strip.GetCurSel(), -1);
}

TEST_F(FrameStrip, ReleaseReportsTheSelectedFrameOrItsBadge) {
  strip.AddString(red, 0, 1, L"");
  strip.AddString(green, 0, 2, L"");  // no delay: no badge drawn, the area still counts
  Paint();
  EXPECT_EQ(strip.GetItemScreenRect(1), CRect(205, 400, 387, 530));
  Click(CardCentre(1), CardCentre(1));
  EXPECT_EQ(strip.GetCurSel(), 1);
  Click(CPoint(386 - 20, 530 - 30), CPoint(386 - 20, 530 - 30));  // bottom-right badge area
  // Pressed in the gap between cards, released anywhere in the strip: the selected frame.
  Click(CPoint(195, 450), CPoint(700, 450));
  ASSERT_EQ(parent.notices.size(), 3u);
  EXPECT_EQ(parent.notices[0].code, 2u);
  EXPECT_EQ(parent.notices[0].wParam, 1u);
  EXPECT_EQ(parent.notices[1].code, 9u);
  EXPECT_EQ(parent.notices[1].wParam, 1u);
  EXPECT_EQ(parent.notices[2].code, 2u);
  EXPECT_EQ(parent.notices[2].wParam, 1u);

  parent.notices.clear();
  strip.OnControlMouseMove(0, CardCentre(0));
  EXPECT_EQ(strip.OnControlLButtonDblClk(0, CardCentre(0)), 1);
  strip.OnControlMouseMove(0, CPoint(195, 450));
  EXPECT_EQ(strip.OnControlRButtonUp(0, CPoint(195, 450)), 1);
  ASSERT_EQ(parent.notices.size(), 2u);
  EXPECT_EQ(parent.notices[0].code, 3u);
  EXPECT_EQ(parent.notices[0].wParam, 0u);
  EXPECT_EQ(parent.notices[1].code, 5u);
  EXPECT_EQ(static_cast<int>(parent.notices[1].wParam), -1);
  EXPECT_EQ(strip.GetCurSel(), -1);
}

TEST_F(FrameStrip, CardsShowTheSelectionAndTheDelayBadge) {
  strip.AddString(red, 120, 1, L"");
  strip.AddString(green, 0, 2, L"");
  strip.SetCurSel(0);
  Paint();
  const uint32_t down = Manager::m_down_color.GetValue() & 0xFFFFFF;
  const uint32_t normal = Manager::m_normal_color.GetValue() & 0xFFFFFF;
  EXPECT_EQ(render.At(0 + 142 + 4, 400 + 130 - 39 + 10), down);    // badge of the first card
  EXPECT_EQ(render.At(205 + 142 + 4, 400 + 130 - 39 + 10), normal);  // none on the second
  EXPECT_EQ(render.At(91, 400 + 10), down);                         // top edge of the selected card
  EXPECT_EQ(render.At(205 + 91, 400 + 10), normal);
  EXPECT_EQ(render.At(0 + 3 + 88, 400 + 10 + 53), 0xFF0000u);       // the thumbnail, centred
}

TEST_F(FrameStrip, WritesItsPicturesWithTheirDelaysAsOneAnimation) {
  strip.AddString(red, 50, 1, L"");
  strip.AddString(green, 120, 2, L"");
  strip.UpdateItemImageFile(1, blue);  // the animation takes the pictures, not the edits
  const CString path = folder.File(L"\u52a8\u753b.gif");
  GifAnimationWriter writer(std::make_unique<giftest::TestGifEncoder>());
  EXPECT_EQ(strip.SaveGIFImageFile(writer, path, 60, 40), 1);
  const giftest::Decoded d = giftest::Decode(path);
  ASSERT_TRUE(d.ok);
  ASSERT_EQ(d.frames.size(), 2u);
  EXPECT_EQ(d.delays, (std::vector<long>{5, 12}));
  EXPECT_EQ(d.Pixel(0, 30, 20), 0xFFFF0000u);
  EXPECT_EQ(d.Pixel(1, 30, 20), 0xFF00FF00u);

  GifAnimationWriter failing(std::make_unique<giftest::FailingGifEncoder>());
  EXPECT_EQ(strip.SaveGIFImageFile(failing, folder.File(L"no.gif"), 60, 40), 0);
  EXPECT_FALSE(pictest::Exists(folder.File(L"no.gif")));
  // The library's own encoder answers what it did.
  const CString own = folder.File(L"own.gif");
  if (strip.SaveGIFImageFile(own, 60, 40)) EXPECT_EQ(giftest::Decode(own).frames.size(), 2u);
  else EXPECT_FALSE(pictest::Exists(own));
}

}  // namespace
