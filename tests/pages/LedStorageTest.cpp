// LED animation storage on real files in a temporary folder and a real profile database:
// the first-run import of the shipped GIFs, new animations, saving edited frames, adding
// picture frames, deleting animations, and the names and paths all of it uses.
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include "LightingTestUtil.h"
#include "PagesTestUtil.h"
#include "pages/FrameDelay.h"
#include "pages/LcdGifSplitter.h"
#include "pages/LedAnimationStore.h"
#include "pages/LedPenColours.h"
#include "pages/OpenFileNames.h"
#include "store/SQLiteDB.h"
#include "support/Utf8.h"
#include "support/ZipReader.h"
#include "widgets/LCDViewList.h"

using namespace lightingtest;
using pagestest::TestStore;

namespace {

// The source tree's data folder, as Wine sees it (drive Z: is the root).
std::wstring SourceDataFolder() {
  std::wstring path = L"Z:";
  for (const char* c = __FILE__; *c; ++c) path.push_back(*c == '/' ? L'\\' : wchar_t(*c));
  path.resize(path.rfind(L"\\tests\\pages\\"));
  return path + L"\\data\\";
}

SYSTEMTIME Time(int hour, int minute, int second, int ms) {
  SYSTEMTIME t = {};
  t.wYear = 2024;
  t.wMonth = 2;
  t.wDay = 29;
  t.wHour = WORD(hour);
  t.wMinute = WORD(minute);
  t.wSecond = WORD(second);
  t.wMilliseconds = WORD(ms);
  return t;
}

// A one-frame GIF of one red pixel.
void WriteStillGif(const std::wstring& path) {
  static const unsigned char kGif[] = {
      'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0x80, 0, 0, 0xFF, 0, 0, 0, 0, 0, 0x2C, 0, 0, 0, 0,
      1,   0,   1,   0,   0,   2,   2, 0x44, 1, 0, 0x3B};
  WriteFileBytes(path, std::string(reinterpret_cast<const char*>(kGif), sizeof(kGif)));
}

class LedFixture : public ::testing::Test {
protected:
  LedFixture() {
    CreateDirectoryW(exe.File(L"gif").c_str(), nullptr);
    CreateDirectoryW(exe.File(L"gif\\K1").c_str(), nullptr);
  }
  void ShipDefaultGif() {
    ASSERT_TRUE(CopyFileW((SourceDataFolder() + L"gif\\K101\\0.gif").c_str(), exe.File(L"gif\\K1\\0.gif").c_str(), FALSE));
  }
  LedAnimationStore Make(LedStampClock clock = LedStampClock()) {
    return LedAnimationStore(db.store, LedPaths(db.Folder(), exeFolder(), L"K1"), LcdGifSplitter(frameList), std::move(clock));
  }
  CString exeFolder() const { return (exe.Path() + L"\\").c_str(); }
  CString Data(const wchar_t* relative) const { return db.Folder() + relative; }
  static LedStampClock Frozen() {
    return LedStampClock([] { return Time(10, 20, 30, 400); });
  }
  KeyboardDataStore::RecordList<LedLayerRecord> Layers() {
    KeyboardDataStore::RecordList<LedLayerRecord> layers;
    db.store.GetLedLayers(1, layers);
    return layers;
  }
  KeyboardDataStore::RecordList<LedFrameRecord> Frames(int ledId) {
    KeyboardDataStore::RecordList<LedFrameRecord> frames;
    db.store.GetLedFrames(ledId, frames);
    return frames;
  }
  static std::wstring W(const CString& s) { return s.GetString(); }

  Texts texts;
  TestStore db;
  TempFolder exe;
  LCDViewList frameList{nullptr, 371, CRect(), 0};  // the page's list splits the GIFs
  const int limits[5] = {256, 256, 256, 256, 256};
};

// ---- first-run import ----

TEST_F(LedFixture, FirstRunImportsTheShippedGifOnce) {
  ShipDefaultGif();
  LedAnimationStore leds = Make();
  const LedAnimationStore::Page page = leds.LoadPage(1, limits);

  auto layers = Layers();
  ASSERT_EQ(layers.size(), 1u);
  const LedLayerRecord& layer = *layers[0];
  EXPECT_EQ(layer.name.GetLength(), 17);
  EXPECT_EQ(layer.file_dir, layer.name);
  EXPECT_EQ(layer.first_file, L"0.png");
  EXPECT_EQ(layer.frame_size, 8);
  auto frames = Frames(layer.led_id);
  ASSERT_EQ(frames.size(), 8u);
  for (int j = 0; j < 8; ++j) {
    EXPECT_EQ(frames[size_t(j)]->name, Text(L"%d.png", j));
    EXPECT_EQ(frames[size_t(j)]->file_name, frames[size_t(j)]->name);
    EXPECT_EQ(frames[size_t(j)]->frame_index, j);
    EXPECT_EQ(frames[size_t(j)]->delay_time, 100);
    EXPECT_TRUE(FileExists(W(Data(L"led\\K1\\") + layer.file_dir + L"\\" + frames[size_t(j)]->name)));
  }
  // The slot's default picture is a copy of the first frame, with its screen row.
  const CString picture = Data(L"default_led\\K1\\0.png");
  EXPECT_EQ(ReadFileBytes(W(picture)), ReadFileBytes(W(Data(L"led\\K1\\") + layer.file_dir + L"\\0.png")));
  KeyboardDataStore::RecordList<TftScreenRecord> screens;
  ASSERT_EQ(db.store.GetTftScreens(1, screens), 1);
  EXPECT_EQ(screens[0]->frame_size, 8);
  EXPECT_EQ(screens[0]->file_name, picture);

  // The page: the slot with its picture and tips; the slot's animation is not listed.
  ASSERT_EQ(page.slots.size(), 1u);
  EXPECT_EQ(page.slots[0].picture, picture);
  EXPECT_EQ(page.slots[0].frameTip, L"T871 8");
  EXPECT_EQ(page.slots[0].limitTip, L"T872 256");
  EXPECT_TRUE(page.animations.empty());

  // Once there is any animation, nothing is imported again.
  EXPECT_EQ(leds.ImportDefaults(1), 0);
  leds.LoadPage(1, limits);
  EXPECT_EQ(Layers().size(), 1u);

  // The user's first animation is row 2 and list item 0.
  const int added = leds.AddAnimation();
  const LedAnimationStore::Page again = leds.LoadPage(1, limits);
  ASSERT_EQ(again.animations.size(), 1u);
  EXPECT_EQ(again.animations[0].ledId, added);
  EXPECT_EQ(again.animations[0].frameSize, 0);
}

TEST_F(LedFixture, ImportWithoutGifsOrWithBadOnes) {
  // No GIF for the model: no animation, no screen row, no slot items.
  LedAnimationStore leds = Make();
  LedAnimationStore::Page page = leds.LoadPage(1, limits);
  EXPECT_TRUE(Layers().empty());
  EXPECT_TRUE(page.slots.empty());

  // A single-frame GIF gives one frame of 100 ms; an unreadable one a row without frames.
  WriteStillGif(exe.File(L"gif\\K1\\0.gif"));
  WriteFileBytes(exe.File(L"gif\\K1\\1.gif"), "GIF89a broken");
  EXPECT_EQ(leds.ImportDefaults(3), 2) << "slot 2 has no GIF";
  auto layers = Layers();
  ASSERT_EQ(layers.size(), 2u);
  auto still = Frames(layers[0]->led_id);
  ASSERT_EQ(still.size(), 1u);
  EXPECT_EQ(still[0]->delay_time, 100);
  EXPECT_EQ(layers[1]->frame_size, 0);
  EXPECT_EQ(layers[1]->first_file, L"0.png");
  EXPECT_TRUE(Frames(layers[1]->led_id).empty());
  KeyboardDataStore::RecordList<TftScreenRecord> screens;
  ASSERT_EQ(db.store.GetTftScreens(1, screens), 2);
  EXPECT_EQ(screens[1]->frame_size, 0);
  EXPECT_NE(layers[0]->file_dir, layers[1]->file_dir);

  // Three slots on the page, two of them with their pictures.
  page = leds.LoadPage(3, limits);
  ASSERT_EQ(page.slots.size(), 3u);
  EXPECT_EQ(page.slots[0].frameTip, L"T871 1");
  EXPECT_EQ(page.slots[2].picture, L"");
  EXPECT_EQ(page.slots[2].frameTip, L"T871 0");
}

TEST_F(LedFixture, FactoryResetImportsAgainAndKeepsTheScreenRows) {
  ShipDefaultGif();
  LedAnimationStore leds = Make();
  leds.LoadPage(1, limits);
  leds.AddAnimation();
  const CString first = Layers()[0]->file_dir;
  db.store.DeleteAllLedData();
  leds.LoadPage(1, limits);
  auto layers = Layers();
  ASSERT_EQ(layers.size(), 1u) << "each default once, no user animation";
  EXPECT_NE(layers[0]->file_dir, first);
  KeyboardDataStore::RecordList<TftScreenRecord> screens;
  EXPECT_EQ(db.store.GetTftScreens(1, screens), 1);
}

// ---- names ----

TEST_F(LedFixture, NamesStayUniqueUnderACoarseClock) {
  LedAnimationStore leds = Make(Frozen());
  CString a, b, c;
  const int first = leds.AddAnimation(&a);
  const int second = leds.AddAnimation(&b);
  leds.AddAnimation(&c);
  EXPECT_EQ(a, L"20240229102030400");
  EXPECT_EQ(b, L"20240229102030401");
  EXPECT_EQ(c, L"20240229102030402");
  for (const CString& s : {a, b, c}) EXPECT_TRUE(FileExists(W(Data(L"led\\K1\\") + s)));

  // Two frames added from different pictures within one clock tick: both kept.
  WriteFileBytes(exe.File(L"one.png"), "first picture");
  WriteFileBytes(exe.File(L"two.png"), "second picture");
  const auto x = leds.AddFrameFile(first, exe.File(L"one.png").c_str(), 50);
  const auto y = leds.AddFrameFile(first, exe.File(L"two.png").c_str(), 50);
  ASSERT_TRUE(x && y);
  EXPECT_NE(x->name, y->name);
  EXPECT_EQ(ReadFileBytes(W(x->picture)), "first picture");
  EXPECT_EQ(ReadFileBytes(W(y->picture)), "second picture");
  EXPECT_EQ(x->delay, 50);
  EXPECT_EQ(x->frameId, 0);
  EXPECT_EQ(x->picture, Data(L"led\\K1\\") + a + L"\\" + x->name);

  // A fresh clock in a later run gives names already on disk again: they are passed over.
  LedAnimationStore later = Make(Frozen());
  CString d;
  later.AddAnimation(&d);
  EXPECT_EQ(d, L"20240229102030403");
  EXPECT_NE(second, 0);
}

TEST(LedStampClock, SeventeenDigitsAlwaysRising) {
  std::vector<SYSTEMTIME> times = {Time(23, 59, 59, 999), Time(23, 59, 59, 999), Time(1, 0, 0, 0)};
  size_t next = 0;
  LedStampClock clock([&] { return times[std::min(next++, times.size() - 1)]; });
  EXPECT_EQ(clock.Next(), L"20240229235959999");
  EXPECT_EQ(clock.Next(), L"20240301000000000") << "one millisecond later, across the day";
  EXPECT_EQ(clock.Next(), L"20240301000000001") << "a clock set back still rises";
  EXPECT_EQ(LedStampClock::Format(Time(7, 8, 9, 5)), L"20240229070809005");
  EXPECT_EQ(LedStampClock().Next().GetLength(), 17);
}

// ---- saving, deleting ----

TEST_F(LedFixture, SavingAnEditedFrameReplacesItsFileAndTheRows) {
  ShipDefaultGif();
  LedAnimationStore leds = Make();
  leds.LoadPage(1, limits);
  const int ledId = Layers()[0]->led_id;
  std::vector<LedFrameItem> items = leds.LoadFrames(ledId);
  ASSERT_EQ(items.size(), 8u);
  EXPECT_EQ(items[3].name, L"3.png");
  EXPECT_EQ(items[3].delay, 100);
  EXPECT_GT(items[3].frameId, 0);

  // Frame 1 was edited (its working copy lies elsewhere); frame 0 is dropped, 3 moves
  // to the front with a new delay.
  WriteFileBytes(exe.File(L"edit.png"), "edited pixels");
  std::vector<LedStripFrame> strip;
  strip.push_back({items[3].picture, items[3].picture, 40, items[3].name});
  strip.push_back({items[1].picture, exe.File(L"edit.png").c_str(), 100, items[1].name});
  for (int i = 4; i < 8; ++i) strip.push_back({items[size_t(i)].picture, items[size_t(i)].picture, 100, items[size_t(i)].name});
  const std::string untouched = ReadFileBytes(W(items[3].picture));
  ASSERT_TRUE(leds.SaveFrames(ledId, strip));
  EXPECT_EQ(ReadFileBytes(W(items[1].picture)), "edited pixels");
  EXPECT_EQ(ReadFileBytes(W(items[3].picture)), untouched);
  EXPECT_TRUE(FileExists(W(items[0].picture))) << "a dropped frame keeps its file";
  auto frames = Frames(ledId);
  ASSERT_EQ(frames.size(), 6u);
  EXPECT_EQ(frames[0]->name, L"3.png");
  EXPECT_EQ(frames[0]->delay_time, 40);
  EXPECT_EQ(frames[1]->name, L"1.png");
  EXPECT_EQ(frames[1]->frame_index, 1);

  EXPECT_EQ(leds.UpdateSummary(ledId, L"3.png"), 6);
  LedLayerRecord layer;
  ASSERT_TRUE(db.store.GetLedLayer(ledId, layer));
  EXPECT_EQ(layer.first_file, L"3.png");
  EXPECT_EQ(layer.frame_size, 6);

  // An empty strip: no frames, frame size 0, no first file.
  ASSERT_TRUE(leds.SaveFrames(ledId, {}));
  EXPECT_EQ(leds.UpdateSummary(ledId, L""), 0);
  ASSERT_TRUE(db.store.GetLedLayer(ledId, layer));
  EXPECT_EQ(layer.first_file, L"");
}

TEST_F(LedFixture, AnEditIsNeverCopiedOutsideItsAnimation) {
  LedAnimationStore leds = Make();
  const int ledId = leds.AddAnimation();
  WriteFileBytes(exe.File(L"edit.png"), "edited");
  WriteFileBytes(exe.File(L"victim.png"), "keep me");
  // A strip item whose picture is not its animation's file of that name.
  std::vector<LedStripFrame> strip = {{exe.File(L"victim.png").c_str(), exe.File(L"edit.png").c_str(), 50, L"victim.png"},
                                      {exe.File(L"victim.png").c_str(), exe.File(L"edit.png").c_str(), 50, L"..\\victim.png"}};
  leds.SaveFrames(ledId, strip);
  EXPECT_EQ(ReadFileBytes(exe.File(L"victim.png")), "keep me");
}

TEST_F(LedFixture, AFailedSaveKeepsTheFrames) {
  LedAnimationStore leds = Make();
  const int ledId = leds.AddAnimation();
  LedFrameRecord r;
  r.led_id = ledId;
  r.name = r.file_name = L"a.png";
  db.store.AddLedFrames({r});
  db.store.CloseDeviceDb();
  EXPECT_FALSE(leds.SaveFrames(ledId, {{L"x", L"x", 30, L"b.png"}}));
  ASSERT_TRUE(db.store.OpenDeviceDb(db.Folder(), L"K1"));
  auto frames = Frames(ledId);
  ASSERT_EQ(frames.size(), 1u);
  EXPECT_EQ(frames[0]->name, L"a.png");
}

TEST_F(LedFixture, DeletingRemovesOnlyItsOwnFolder) {
  LedAnimationStore leds = Make();
  CString keep, gone;
  const int kept = leds.AddAnimation(&keep);
  const int deleted = leds.AddAnimation(&gone);
  WriteFileBytes(W(Data(L"led\\K1\\") + gone + L"\\0.png"), "frame");
  WriteFileBytes(W(Data(L"led\\K1\\") + keep + L"\\0.png"), "frame");
  EXPECT_TRUE(leds.DeleteAnimation(deleted));
  EXPECT_FALSE(FileExists(W(Data(L"led\\K1\\") + gone)));
  EXPECT_TRUE(FileExists(W(Data(L"led\\K1\\") + keep + L"\\0.png")));
  LedLayerRecord layer;
  EXPECT_FALSE(db.store.GetLedLayer(deleted, layer));
  EXPECT_TRUE(db.store.GetLedLayer(kept, layer));
}

TEST_F(LedFixture, RowsNamingOtherFoldersLoseNoFiles) {
  // Rows whose folder name would reach the model's folder, the data folder or beyond.
  LedAnimationStore leds = Make();
  leds.AddAnimation();
  WriteFileBytes(W(Data(L"led\\K1\\sentinel.txt")), "model");
  WriteFileBytes(W(Data(L"sentinel.txt")), "data");
  for (const wchar_t* dir : {L"", L".", L"..", L"...", L"..\\..", L"a\\..\\..", L"C:\\", L"x:y", L" "}) {
    const int ledId = db.store.AddLedLayer(1, dir);
    ASSERT_GT(ledId, 0);
    LedFrameRecord r;
    r.led_id = ledId;
    r.name = r.file_name = L"0.png";
    db.store.AddLedFrames({r});
    for (const LedFrameItem& item : leds.LoadFrames(ledId)) EXPECT_EQ(item.picture, L"") << ToUtf8(dir);
    EXPECT_FALSE(leds.AddFrameFile(ledId, Data(L"sentinel.txt"), 50)) << ToUtf8(dir);
    EXPECT_TRUE(leds.DeleteAnimation(ledId)) << "the row goes: " << ToUtf8(dir);
    EXPECT_EQ(ReadFileBytes(W(Data(L"led\\K1\\sentinel.txt"))), "model") << ToUtf8(dir);
    EXPECT_EQ(ReadFileBytes(W(Data(L"sentinel.txt"))), "data") << ToUtf8(dir);
    EXPECT_EQ(Frames(ledId).size(), 0u);
  }
  // A frame row naming a file outside its folder shows no picture.
  const int ledId = Layers()[0]->led_id;
  LedFrameRecord r;
  r.led_id = ledId;
  r.name = r.file_name = L"..\\..\\sentinel.txt";
  db.store.AddLedFrames({r});
  ASSERT_EQ(leds.LoadFrames(ledId).size(), 1u);
  EXPECT_EQ(leds.LoadFrames(ledId)[0].picture, L"");

  // A listed row with a bad folder name is shown by that name, without a picture, and
  // no folder is made for it.
  db.store.AddLedLayer(1, L"..");
  const LedAnimationStore::Page page = leds.LoadPage(0, limits);
  ASSERT_EQ(page.animations.size(), 2u);
  EXPECT_EQ(page.animations[0].text, Data(L"led\\K1\\") + Layers()[0]->file_dir + L"\\");
  EXPECT_EQ(page.animations[1].text, L"..");
  EXPECT_EQ(page.animations[1].picture, L"");
}

// ---- paths without fixed buffers ----

TEST_F(LedFixture, OverLongPathsAreRefusedNotCut) {
  // A data folder so deep that an animation folder would pass the limit.
  CString deep = db.Folder();
  while (deep.GetLength() < 230) deep += L"d";
  deep += L"\\";
  CreateDirectoryTree(nullptr, deep.GetString());
  LedAnimationStore leds(db.store, LedPaths(deep, exeFolder(), L"K1"), LcdGifSplitter(frameList), Frozen());
  EXPECT_EQ(leds.AddAnimation(), 0);
  EXPECT_TRUE(Layers().empty()) << "no row for an animation without a folder";
  EXPECT_FALSE(FileExists(W(deep + L"led")));

  // A picture whose path is longer than the file functions take is not copied.
  LedAnimationStore fits = Make();
  const int ledId = fits.AddAnimation();
  CString source = exeFolder();
  while (source.GetLength() < 300) source += L"p";
  EXPECT_FALSE(fits.AddFrameFile(ledId, source, 50));

  LedPaths paths(L"C:\\data", L"C:\\prog", L"K1");
  CString name;
  while (name.GetLength() < 240) name += L"n";
  EXPECT_FALSE(paths.AnimationFolder(name));
  EXPECT_EQ(*paths.AnimationFolder(L"s"), L"C:\\data\\led\\K1\\s\\");
  EXPECT_EQ(*paths.DefaultGif(0), L"C:\\prog\\gif\\K1\\0.gif");
  EXPECT_EQ(*paths.DefaultPicture(2), L"C:\\data\\default_led\\K1\\2.png");
  EXPECT_FALSE(LedPaths(L"C:\\data", L"C:\\prog", L"..").ModelFolder());
  EXPECT_FALSE(LedPaths(L"C:\\data", L"C:\\prog", L"").DefaultGif(0));
}

TEST(LedPaths, PlainNames) {
  for (const wchar_t* good : {L"20240229102030400", L"0.png", L"a..b", L".hidden", L"\x6587\x4EF6"})
    EXPECT_TRUE(LedPaths::IsPlainName(good)) << ToUtf8(good);
  for (const wchar_t* bad : {L"", L".", L"..", L"...", L"a\\b", L"a/b", L"C:", L"x ", L"x.", L"a\tb"})
    EXPECT_FALSE(LedPaths::IsPlainName(bad)) << ToUtf8(bad);
}

TEST(OpenFileNames, SplitsTheDialogsResult) {
  struct Case {
    std::wstring buffer;  // with its null characters
    std::vector<std::wstring> paths, refused;
  } cases[] = {
      {std::wstring(L"C:\\pics\\a.png\0\0", 15), {L"C:\\pics\\a.png"}, {}},
      {std::wstring(L"C:\\pics\0a.png\0b.jpg\0\0", 21), {L"C:\\pics\\a.png", L"C:\\pics\\b.jpg"}, {}},
      {std::wstring(L"C:\\\0a.png\0\0", 11), {L"C:\\a.png"}, {}},
      {std::wstring(L"C:\\p\0a.png", 10), {L"C:\\p\\a.png"}, {}},  // no final nulls: bounded by the length
      {std::wstring(L"\0\0", 2), {}, {}},
  };
  for (const Case& c : cases) {
    const OpenFileNames::Result r = OpenFileNames::Split(c.buffer.data(), c.buffer.size(), 259);
    std::vector<std::wstring> paths, refused;
    for (const CString& p : r.paths) paths.push_back(p.GetString());
    for (const CString& p : r.refused) refused.push_back(p.GetString());
    EXPECT_EQ(paths, c.paths);
    EXPECT_EQ(refused, c.refused);
  }
  // A name that takes the path past the limit is refused, its neighbours kept.
  std::wstring longName(260, L'x');
  std::wstring buffer = std::wstring(L"C:\\p") + L'\0' + longName + L'\0' + L"ok.png" + L'\0' + L'\0';
  const OpenFileNames::Result r = OpenFileNames::Split(buffer.data(), buffer.size(), 259);
  ASSERT_EQ(r.paths.size(), 1u);
  EXPECT_EQ(r.paths[0], L"C:\\p\\ok.png");
  ASSERT_EQ(r.refused.size(), 1u);
  EXPECT_EQ(r.refused[0].GetLength(), 265);
  EXPECT_TRUE(OpenFileNames::Split(nullptr, 10, 259).paths.empty());
}

// ---- colours and delays ----

TEST(LedPenColours, SixRememberedColours) {
  TestStore db;
  db.store.InsertDefaultConfig(1);
  const std::array<COLORREF, 6> start = LedPenColours::Load(db.store, 1);
  EXPECT_EQ(start, (std::array<COLORREF, 6>{8331093, 4114939, 65280, 16776960, 255, 14237951}));
  EXPECT_TRUE(LedPenColours::Remember(db.store, 1, 409, 0x123456));
  EXPECT_FALSE(LedPenColours::Remember(db.store, 1, 413, 0x654321)) << "not one of the six";
  EXPECT_EQ(LedPenColours::Load(db.store, 1)[2], 0x123456u);
  db.store.SetConfigValue(1, L"default_color6", L"blue");
  EXPECT_EQ(LedPenColours::Load(db.store, 1)[5], 0u);
  EXPECT_EQ(LedPenColours::Load(db.store, 2)[0], 0u) << "a profile without the settings";
}

TEST(FrameDelay, ClampedTo30To500) {
  const struct {
    const wchar_t* text;
    int ms;
  } cases[] = {{L"", 30}, {L"0", 30}, {L"29", 30}, {L"30", 30}, {L"250", 250}, {L"500", 500}, {L"999", 500}, {L"-4", 30}};
  for (const auto& c : cases) EXPECT_EQ(FrameDelay::FromText(c.text), c.ms) << ToUtf8(c.text);

  std::vector<int> delays = {100, 100, 100};
  EXPECT_TRUE(FrameDelay::Apply(delays, 1, false, L"700", L"50"));
  EXPECT_EQ(delays, (std::vector<int>{100, 500, 100}));
  EXPECT_TRUE(FrameDelay::Apply(delays, 1, true, L"700", L"10"));
  EXPECT_EQ(delays, (std::vector<int>{30, 30, 30})) << "all frames take only the all-frames text";
  EXPECT_FALSE(FrameDelay::Apply(delays, 3, false, L"70", L""));
  EXPECT_FALSE(FrameDelay::Apply(delays, -1, false, L"70", L""));
  EXPECT_EQ(delays, (std::vector<int>{30, 30, 30}));
}

}  // namespace
