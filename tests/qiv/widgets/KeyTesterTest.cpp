// The key tester's strip and countdown on an injected clock, the key-layer tabs and the
// battery indicator's frames and text, drawn into a memory canvas.
#include <gtest/gtest.h>
#include "QivTestSupport.h"
#include "WidgetTestSupport.h"
#include "widgets/CKeyTestCtrl.h"

using namespace qivtest;
using namespace widgettest;

namespace {

class KeyTester : public ::testing::Test {
protected:
  void SetUp() override { tester.SetClock([this] { return now; }); }
  // One countdown run: the timer works on every 6th tick.
  int Run() {
    for (int i = 0; i < 5; ++i) EXPECT_EQ(tester.OnControlTimer(), 0);
    return tester.OnControlTimer();
  }
  std::vector<int> Codes() {
    std::vector<int> codes;
    for (const KEYTEST_INFO& e : tester.GetEntries()) codes.push_back(e.code);
    return codes;
  }
  void Redraw(MemoryCanvas& canvas) {
    tester.SetUpdate(0, 0);
    canvas.Draw(tester);
  }

  RecordingParent parent;
  CKeyTestCtrl tester{&parent, 57, CRect(0, 0, 400, 32), 1, 1};
  DWORD now = 1000;
};

}  // namespace

TEST_F(KeyTester, NewestFirstAndAReleasedKeyGoesAfter41Runs) {
  tester.AddKey(L"A", 4);
  tester.AddKey(L"B", 5);
  tester.AddKey(L"C", 6);
  MemoryCanvas canvas(400, 32);
  Redraw(canvas);
  const auto drawn = tester.GetEntries();
  EXPECT_EQ(drawn[2].rect, CRect(5, 1, 85, 31)) << "C, the newest, at the left";
  EXPECT_EQ(drawn[1].rect, CRect(85, 1, 165, 31));
  EXPECT_EQ(drawn[0].rect, CRect(165, 1, 245, 31));

  tester.RemoveKey(5);
  for (int run = 1; run <= 40; ++run) {
    now += 96;
    EXPECT_EQ(Run(), 1);
  }
  EXPECT_EQ(Codes(), (std::vector<int>{4, 5, 6})) << "countdown 51 after 40 runs";
  now += 96;
  Run();
  EXPECT_EQ(Codes(), (std::vector<int>{4, 6})) << "about 3.9 s after its release";
}

TEST_F(KeyTester, TenSecondsWithoutANewKeyEmptyTheStrip) {
  tester.AddKey(L"A", 4);  // held, never released
  now += 10000;
  Run();
  EXPECT_EQ(Codes().size(), 1u) << "exactly 10 s is not yet idle";
  now += 1;
  EXPECT_EQ(Run(), 1);
  EXPECT_TRUE(Codes().empty());
  tester.AddKey(L"B", 5);
  now += 9000;
  Run();
  EXPECT_EQ(Codes().size(), 1u) << "the clear restarted the idle clock, and so did the new key";
}

TEST_F(KeyTester, ReleasesGoToTheOlderHeldEntryFirstAndOneEntryGoesPerRun) {
  tester.AddKey(L"A", 4);
  tester.AddKey(L"A", 4);
  tester.RemoveKey(4);
  auto entries = tester.GetEntries();
  EXPECT_EQ(entries[0].countdown, 251);
  EXPECT_EQ(entries[1].countdown, 255);
  tester.RemoveKey(4);
  tester.RemoveKey(4);  // nothing held any more: no effect
  entries = tester.GetEntries();
  EXPECT_EQ(entries[1].countdown, 251);
  for (int run = 1; run <= 41; ++run) Run();
  EXPECT_EQ(Codes().size(), 1u) << "the first went; the pass ended there";
  Run();
  EXPECT_TRUE(Codes().empty());
}

TEST_F(KeyTester, NarrowStripShowsOnlyTheNewestKey) {
  CKeyTestCtrl narrow(&parent, 57, CRect(0, 0, 164, 32), 1, 1);
  narrow.AddKey(L"A", 4);
  narrow.AddKey(L"B", 5);
  MemoryCanvas canvas(164, 32);
  canvas.Draw(narrow);
  const auto entries = narrow.GetEntries();
  EXPECT_EQ(entries[1].rect, CRect(5, 1, 85, 31));
  EXPECT_TRUE(entries[0].rect.IsRectNull()) << "no room for the older key";
}

TEST_F(KeyTester, HiddenOrStoppedTesterDoesNotCount) {
  tester.AddKey(L"A", 4);
  tester.RemoveKey(4);
  tester.SetVisible(0, 0);
  for (int i = 0; i < 6 * 60; ++i) EXPECT_EQ(tester.OnControlTimer(), 0);
  EXPECT_EQ(tester.GetEntries()[0].countdown, 251);
}

TEST(KeyLayerCtrl, TabsSelectByClickAndByLayer) {
  RecordingParent parent;
  KeyLayerCtrl tabs(&parent, 56, CRect(10, 20, 70, 200), 1, 1);
  EXPECT_EQ(tabs.GetCurKeyLayer(), 0) << "no tabs yet";
  tabs.SetTitle(L"Fn");
  for (int i = 0; i < 4; ++i) tabs.AddLayer(CString(wchar_t(L'1' + i)), i);
  MemoryCanvas canvas(80, 220);
  canvas.Draw(tabs);
  EXPECT_EQ(tabs.GetTabRect(0), CRect(2, 35, 60, 63));
  EXPECT_EQ(tabs.GetTabRect(3), CRect(2, 119, 60, 147));

  auto click = [&](CPoint p) {
    tabs.OnControlMouseMove(0, p);
    tabs.OnControlLButtonDown(MK_LBUTTON, p);
    tabs.OnControlLButtonUp(0, p);
  };
  click(CPoint(40, 30));  // the title
  EXPECT_EQ(tabs.GetSelectItem(), 0);
  ASSERT_EQ(parent.notices.size(), 1u);
  EXPECT_EQ(parent.notices[0].code, 2u) << "the title area notifies too";
  click(CPoint(40, 20 + 119 + 5));
  EXPECT_EQ(tabs.GetCurKeyLayer(), 3);
  EXPECT_EQ(parent.notices.size(), 2u);

  const size_t updates = parent.updates.size();
  tabs.SetCurrentLayer(7);
  EXPECT_EQ(tabs.GetCurKeyLayer(), 3) << "no tab has layer 7";
  EXPECT_EQ(parent.updates.size(), updates + 1) << "it still repaints";
  tabs.SetCurrentLayer(1);
  EXPECT_EQ(tabs.GetSelectItem(), 1);
  tabs.ClearList();
  EXPECT_EQ(tabs.GetCurKeyLayer(), 0) << "the kept selection is no tab";

  tabs.SetEnabled(0);
  EXPECT_EQ(tabs.OnControlMouseMove(0, CPoint(40, 60)), 0);
  EXPECT_EQ(tabs.OnControlLButtonDown(0, CPoint(40, 60)), 0);
}

TEST(BatteryCtrl, FrameAndSteppedText) {
  SkinFolder skins;
  const uint32_t frameColours[6] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFF00, 0xFF00FFFF, 0xFFFF00FF};
  skins.Write(L"status.png", 60, 10, [&](unsigned x, unsigned) { return frameColours[x / 10]; });
  RecordingParent parent;
  BatteryCtrl battery(&parent, 46, CRect(0, 0, 100, 30), 1, 1);
  ASSERT_EQ(battery.SetImage(L"status.png", 6), 1);
  EXPECT_EQ(battery.GetBatteryLevel(), 100);
  EXPECT_EQ(battery.SetImage(L"missing.png", 6), 0);
  ASSERT_EQ(battery.SetImage(L"status.png", 6), 1);

  const struct {
    int level, charging, stored, frame;
    const wchar_t* text;
  } cases[] = {
      {150, 0, 100, 2, L"100%"}, {19, 0, 19, 0, L"25%"}, {74, 0, 74, 1, L"75%"},
      {75, 0, 75, 2, L"75%"},    {50, 1, 50, 3, L"50%"}, {0, 0, 0, 0, nullptr},
  };
  MemoryCanvas canvas(100, 30);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.level);
    battery.SetControlTitle(L"");
    battery.SetBatteryInfo(c.level, c.charging);
    EXPECT_EQ(battery.GetBatteryLevel(), c.stored);
    battery.SetUpdate(0, 0);
    canvas.Draw(battery);
    EXPECT_EQ(canvas.Rgb(20, 10), frameColours[c.frame] & 0xFFFFFF);
    EXPECT_EQ(battery.GetTitle(), c.text ? c.text : L"") << "no text for level 0";
  }
  const size_t updates = parent.updates.size();
  battery.SetBatteryInfo(0, 0);
  EXPECT_EQ(parent.updates.size(), updates) << "no change, no repaint";
  battery.SetBatteryInfo(0, 1);
  EXPECT_EQ(parent.updates.size(), updates + 1);
}
