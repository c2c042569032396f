// The device list without a window: rows fed as the device link feeds them, tiles laid out
// by drawing into a memory canvas, clicks, the picture slides on an injected clock and the
// worker's setters racing the timer and the painting.
#include <gtest/gtest.h>
#include <atomic>
#include <thread>
#include "QivTestSupport.h"
#include "WidgetTestSupport.h"
#include "widgets/CDeviceList.h"
#include "widgets/DeviceTileLayout.h"

using namespace qivtest;
using namespace widgettest;

namespace {

constexpr uint32_t kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF;

class DeviceListTest : public ::testing::Test {
protected:
  void SetUp() override {
    skins.Solid(L"off.png", 120, 120, 0xFF808080);
    skins.Solid(L"on.png", 120, 120, 0xFFFFFF00);
    skins.Solid(L"red.png", 100, 100, kRed);
    skins.Solid(L"green.png", 100, 100, kGreen);
    skins.Solid(L"blue.png", 100, 100, kBlue);
    list.SetClock([this] { return now; }, 1000);  // one count per millisecond
  }
  static CString Skin(const wchar_t* name) { return GetSkinsFolder() + name; }
  int AddRow(int id) { return list.AddDevice(L"", id, Skin(L"off.png"), Skin(L"on.png")); }
  void AddColours(int id, int count) {
    const wchar_t* files[] = {L"red.png", L"green.png", L"blue.png"};
    for (int i = 0; i < count; ++i) list.AddColorImage(id, Skin(files[i]));
  }
  CDeviceList::RowStatus Row(int index) {
    CDeviceList::RowStatus s;
    EXPECT_TRUE(list.GetRowStatus(index, s));
    return s;
  }
  // The recording parent keeps no cached picture stale: a test marks it as a window would.
  void Redraw() {
    list.SetUpdate(0, 0);
    canvas.Draw(list);
  }
  CPoint Centre(int index) { return list.GetTileRect(index).CenterPoint(); }
  void Hover(CPoint p) { list.OnControlMouseMove(0, p); }
  void Click(CPoint p) {
    Hover(p);
    list.OnControlLButtonDown(MK_LBUTTON, p);
    list.OnControlLButtonUp(0, p);
  }
  int Clicks() const {
    int n = 0;
    for (const Notice& notice : parent.notices) n += notice.id == 81 && notice.code == 2 ? 1 : 0;
    return n;
  }

  SkinFolder skins;
  RecordingParent parent;
  CDeviceList list{&parent, 81, CRect(0, 0, 1400, 600), 1, 1};
  MemoryCanvas canvas{1400, 600};
  LONGLONG now = 5000;
};

}  // namespace

TEST_F(DeviceListTest, StateAndBatteryReportsOfCableAndReceiver) {
  AddRow(101);
  AddRow(102);
  list.SetDeviceState(101, 0, 1);
  list.SetDeviceState(101, 1, 1);
  EXPECT_EQ(Row(0).link, 0) << "a receiver report does not take over a cable-connected row";
  list.SetDeviceState(102, 1, 1);
  EXPECT_EQ(Row(1).state, 1);
  EXPECT_EQ(Row(1).link, 1) << "an offline row goes online over the receiver";
  list.SetDeviceState(102, 0, 0);
  EXPECT_EQ(Row(1).state, 0);
  EXPECT_EQ(Row(1).link, 0) << "a cable report of 0 takes it offline and back to USB";
  list.SetDeviceState(102, 2, 1);
  EXPECT_EQ(Row(1).state, 0) << "other link kinds change nothing";

  list.SetDeviceBattery(101, 0, 150, 0);
  EXPECT_EQ(Row(0).battery, 100);
  list.SetDeviceBattery(102, 0, 60, 1);
  list.SetDeviceBattery(102, 1, 40, 0);
  EXPECT_EQ(Row(1).battery, 60) << "a receiver battery report does not overwrite a known level";
  EXPECT_EQ(Row(1).charging, 1);
  list.SetDeviceBattery(999, 0, 50, 0);  // no such row: nothing, no fault

  list.SetDeviceState(102, 1, 1);
  list.SetAllDeviceState(0);
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(Row(i).state, 0);
    EXPECT_EQ(Row(i).battery, 0);
    EXPECT_EQ(Row(i).charging, 0);
  }
  EXPECT_EQ(Row(1).link, 1) << "the link keeps its last value";
  EXPECT_EQ(list.GetDeviceState(555), 0);
}

TEST_F(DeviceListTest, SelectionPrefersAnOnlineRowAndMayAnswerAnOfflineOne) {
  EXPECT_EQ(list.GetSelectDevice(), 0) << "an empty list";
  AddRow(7);
  AddRow(3);
  AddRow(9);
  list.SetDeviceState(3, 0, 1);
  list.SetSelectDevice(7);
  EXPECT_EQ(list.GetSelectItem(), 1) << "device 7 is offline: the first online row";
  list.SetDeviceState(9, 0, 1);
  list.SetSelectDevice(9);
  EXPECT_EQ(list.GetSelectItem(), 2);
  list.SetAllDeviceState(0);
  list.SetSelectDevice(9);
  EXPECT_EQ(list.GetSelectItem(), -1) << "nothing online";
  EXPECT_EQ(list.GetSelectDevice(), 7) << "then the first row, offline or not";
  EXPECT_EQ(list.GetSelectItem(), 0);
  list.ClearList();
  EXPECT_EQ(list.GetSelectDevice(), 0);
}

TEST_F(DeviceListTest, TilesOfOnlineRowsOnlyCentredInOneRow) {
  // Six rows; the online ones are spread with offline rows between them.
  const struct {
    int online;
    int width, height;
  } cases[] = {{0, 770, 500}, {1, 770, 500}, {2, 500, 500}, {3, 400, 500}, {4, 280, 300}, {5, 280, 300}};
  const int order[] = {5, 1, 3, 0, 4, 2};  // which rows go online, in turn
  for (const auto& c : cases) {
    SCOPED_TRACE(c.online);
    list.ClearList();
    for (int i = 0; i < 6; ++i) AddRow(100 + i);
    for (int k = 0; k < c.online; ++k) list.SetDeviceState(100 + order[k], 0, 1);
    Redraw();
    const CPoint origin = FirstTileOrigin(1400, 600, c.online);
    int x = origin.x;
    for (int i = 0; i < 6; ++i) {
      const CRect tile = list.GetTileRect(i);
      if (Row(i).state == 0) {
        EXPECT_TRUE(tile.IsRectNull()) << "row " << i << " is offline and never drawn";
        continue;
      }
      EXPECT_EQ(tile, CRect(x, origin.y, x + c.width, origin.y + c.height)) << "row " << i;
      x += c.width + 20;
    }
  }
}

TEST_F(DeviceListTest, StillPictureIsTheCurrentColourPicture) {
  AddRow(1);
  list.SetDeviceState(1, 0, 1);
  Redraw();
  const CPoint c = Centre(0);
  EXPECT_EQ(canvas.Rgb(c.x, c.y - 15), 0xFFFF00u) << "the online picture without colour pictures";
  AddColours(1, 2);
  Redraw();
  EXPECT_EQ(canvas.Rgb(c.x, c.y - 15), 0xFF0000u) << "colour picture 0";
}

TEST_F(DeviceListTest, ArrowsStepThePicturesWithoutNotifying) {
  AddRow(1);
  list.SetDeviceState(1, 0, 1);
  AddColours(1, 3);
  Redraw();
  const CRect tile = list.GetTileRect(0);
  const int a = tile.top + (tile.Height() - 40) / 2;
  const CPoint left(tile.left + 20, a + 20), right(tile.right - 20, a + 20);

  Click(left);
  EXPECT_EQ(Row(0).current, 2) << "left arrow: 0 -> 2";
  EXPECT_EQ(Row(0).direction, 1);
  EXPECT_EQ(Row(0).sliding, 1);
  Click(right);
  EXPECT_EQ(Row(0).current, 0);
  Click(right);
  EXPECT_EQ(Row(0).current, 1) << "right arrow: 0 -> 1";
  EXPECT_EQ(Row(0).direction, -1);
  EXPECT_EQ(Clicks(), 0);
  Click(tile.CenterPoint());
  EXPECT_EQ(Clicks(), 1) << "elsewhere on the tile selects it";
  EXPECT_EQ(list.GetSelectItem(), 0);
}

TEST_F(DeviceListTest, OneColourPictureHasNoArrows) {
  AddRow(1);
  AddRow(2);
  list.SetDeviceState(2, 0, 1);
  AddColours(2, 1);
  Redraw();
  const CRect tile = list.GetTileRect(1);
  Click(CPoint(tile.left + 20, tile.top + tile.Height() / 2));
  EXPECT_EQ(Row(1).current, 0);
  EXPECT_EQ(Clicks(), 1);
  EXPECT_EQ(list.GetSelectItem(), 1);
  list.SetEnabled(0);
  Click(tile.CenterPoint());
  EXPECT_EQ(Clicks(), 1) << "a disabled list takes no click";
}

TEST_F(DeviceListTest, SlideReachesTheNextPictureIn16Ticks) {
  AddRow(1);
  list.SetDeviceState(1, 0, 1);
  AddColours(1, 2);
  Redraw();
  const CRect tile = list.GetTileRect(0);
  Click(CPoint(tile.right - 20, tile.top + tile.Height() / 2));
  ASSERT_EQ(Row(0).sliding, 1);
  for (int tick = 1; tick <= 16; ++tick) {
    EXPECT_EQ(list.OnControlTimer(), 1) << tick;
    Redraw();
    EXPECT_EQ(Row(0).sliding, tick < 16 ? 1 : 0) << tick;
  }
  EXPECT_EQ(Row(0).progress, 255);
  EXPECT_EQ(list.OnControlTimer(), 0) << "nothing moves: no repaint asked";
  const CPoint c = tile.CenterPoint();
  EXPECT_EQ(canvas.Rgb(c.x, c.y - 15), 0x00FF00u) << "the next picture stands";
}

TEST_F(DeviceListTest, AutomaticSwitchEvery3sSkipsTheHoveredTile) {
  for (int id : {1, 2}) {
    AddRow(id);
    list.SetDeviceState(id, 0, 1);
    AddColours(id, 3);
  }
  AddRow(3);
  AddColours(3, 2);  // offline: never switches
  Redraw();
  Hover(Centre(0));
  now += 2999;
  EXPECT_EQ(list.OnControlTimer(), 0);
  now += 1;
  EXPECT_EQ(list.OnControlTimer(), 1);
  EXPECT_EQ(Row(0).current, 0) << "hovered";
  EXPECT_EQ(Row(0).sliding, 0);
  EXPECT_EQ(Row(1).current, 1);
  EXPECT_EQ(Row(1).direction, -1);
  EXPECT_EQ(Row(1).sliding, 1);
  EXPECT_EQ(Row(2).current, 0);
  list.SetVisible(0, 0);
  now += 3000;
  EXPECT_EQ(list.OnControlTimer(), 0) << "a hidden list does not animate";
}

// A parent that takes repaint requests from any thread, as a window's paint manager does.
class ThreadSafeParent : public MObject {
public:
  std::atomic<int> updates{0};
  long OnControlUpdate(CRect, int, MControl*) override {
    ++updates;
    return 0;
  }
};

TEST_F(DeviceListTest, WorkerSettersWhileTheTimerSlidesAndTheWindowPaints) {
  ThreadSafeParent window;
  CDeviceList racing(&window, 81, CRect(0, 0, 1400, 600), 1, 1);
  auto redraw = [&] {
    racing.SetUpdate(0, 0);
    canvas.Draw(racing);
  };
  for (int id = 1; id <= 4; ++id) {
    racing.AddDevice(L"", id, Skin(L"off.png"), Skin(L"on.png"));
    for (const wchar_t* file : {L"red.png", L"green.png", L"blue.png"}) racing.AddColorImage(id, Skin(file));
  }
  std::atomic<bool> stop{false};
  std::atomic<LONGLONG> clock{0};
  racing.SetClock([&] { return clock.load(); }, 1000);
  std::thread worker([&] {
    for (int round = 0; round < 3000; ++round) {
      racing.SetAllDeviceState(0);
      for (int id = 1; id <= 4; ++id) {
        racing.SetDeviceState(id, round % 2, (round + id) % 3 ? 1 : 0);
        racing.SetDeviceBattery(id, 0, round % 120, round % 2);
      }
      racing.SetSelectDevice(round % 5);
      racing.GetSelectDevice();
    }
    stop = true;
  });
  std::thread timer([&] {
    while (!stop) {
      clock += 700;
      racing.OnControlTimer();
    }
  });
  int paints = 0;
  do {
    redraw();
    racing.OnControlMouseMove(0, CPoint(700, 300));
    ++paints;
  } while (!stop);
  worker.join();
  timer.join();
  EXPECT_EQ(racing.GetItemCount(), 4);
  EXPECT_GT(window.updates.load(), 0);
  for (int i = 0; i < 4; ++i) {
    CDeviceList::RowStatus s;
    ASSERT_TRUE(racing.GetRowStatus(i, s));
    EXPECT_GE(s.current, 0);
    EXPECT_LT(s.current, 3);
    EXPECT_LE(s.battery, 100);
  }
}

TEST(CDeviceCtrl, PressesOnlineAndShowsItsPressedLookOnePixelDown) {
  SkinFolder skins;
  skins.Write(L"tile.png", 40, 20, [](unsigned x, unsigned) { return x < 20 ? 0xFF00FF00u : 0xFFFF0000u; });
  RecordingParent parent;
  CDeviceCtrl tile(&parent, 7, CRect(0, 0, 60, 40), 1, 1);
  EXPECT_EQ(tile.SetImage((GetSkinsFolder() + L"missing.png").GetString(), 2), 0);
  ASSERT_EQ(tile.SetImage((GetSkinsFolder() + L"tile.png").GetString(), 2), 1);
  const CPoint inside(30, 20);
  EXPECT_EQ(tile.OnControlLButtonDown(MK_LBUTTON, inside), 0) << "offline: the tile takes no mouse";
  EXPECT_TRUE(parent.notices.empty());

  tile.SetDeviceStatus(1);
  MemoryCanvas canvas(60, 40, RGB(0, 0, 0));
  tile.SetUpdate(0, 0);
  canvas.Draw(tile);
  EXPECT_EQ(canvas.Rgb(20, 10), 0x00FF00u) << "frame 0 centred: (20, 10) - (40, 30)";
  EXPECT_EQ(canvas.Rgb(20, 30), 0u);
  tile.OnControlMouseMove(0, inside);
  EXPECT_EQ(tile.GetMouseState(), 1);
  tile.OnControlLButtonDown(MK_LBUTTON, inside);
  EXPECT_EQ(tile.GetMouseState(), 2);
  tile.OnControlMouseMove(MK_LBUTTON, CPoint(100, 100));
  EXPECT_EQ(tile.GetMouseState(), 2) << "pressed stays pressed";
  canvas.Draw(tile);
  EXPECT_EQ(canvas.Rgb(20, 10), 0u) << "the pressed look is moved right and down by one pixel";
  EXPECT_EQ(canvas.Rgb(21, 11), 0x00FF00u);
  tile.OnControlLButtonUp(0, inside);
  EXPECT_EQ(tile.GetMouseState(), 0);
  ASSERT_EQ(parent.notices.size(), 2u);
  EXPECT_EQ(parent.notices[0].code, 1u);
  EXPECT_EQ(parent.notices[1].code, 2u);
}
