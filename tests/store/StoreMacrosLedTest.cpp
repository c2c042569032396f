// Macros and steps, music layers, LED animations and frames, screen images, and the
// all-or-nothing replacements of step, frame and colour sets.
#include <gtest/gtest.h>
#include <tuple>
#include <functional>
#include "StoreTestUtil.h"

using namespace storetest;

namespace {

class StoreShared : public StoreFixture {
protected:
  void SetUp() override {
    StoreFixture::SetUp();
    Open();
  }
};

MacroStepRecord Step(int macro, int index, int value, const wchar_t* desc = L"step") {
  MacroStepRecord r;
  r.macro_id = macro;
  r.type = 1;
  r.record_index = index;
  r.value = value;
  r.delay_time = 10 * index;
  r.desc = desc;
  return r;
}

LedFrameRecord Frame(int led, int index, const wchar_t* file = L"f.png") {
  LedFrameRecord r;
  r.led_id = led;
  r.name = L"frame";
  r.delay_time = 100 + index;
  r.frame_index = index;
  r.file_name = file;
  return r;
}

using StoreMacros = StoreShared;

TEST_F(StoreMacros, NewMacroDefaultsAndRecordDefaults) {
  MacroRecord fresh;
  EXPECT_EQ(std::make_tuple(0, 0, 0, 1, 0), std::make_tuple(fresh.macro_id, fresh.play_type,
                                                            fresh.play_times, fresh.delay_type,
                                                            fresh.delay_time));
  int id = m_store.AddMacro(L"Combo");
  EXPECT_EQ(1, id);
  MacroRecord r;
  ASSERT_TRUE(m_store.GetMacro(id, r));
  EXPECT_EQ(CString(L"Combo"), r.name);
  EXPECT_EQ(std::make_tuple(1, 0, 1, 1, 0),
            std::make_tuple(r.macro_id, r.play_type, r.play_times, r.delay_type, r.delay_time));
  EXPECT_FALSE(m_store.GetMacro(99, r));
}

TEST_F(StoreMacros, UpdateRenameAndListOrder) {
  int a = m_store.AddMacro(L"a");
  int b = m_store.AddMacro(L"b");
  int c = m_store.AddMacro(L"c");
  MacroRecord u;
  u.macro_id = a;  // the row is chosen by the argument, not by this field
  u.name = L"B2";
  u.play_type = 3;
  u.play_times = 255;
  u.delay_type = 2;
  u.delay_time = 40;
  EXPECT_TRUE(m_store.UpdateMacro(b, u));
  EXPECT_TRUE(m_store.RenameMacro(c, L"B2"));  // names need not be unique
  MacroRecord r;
  ASSERT_TRUE(m_store.GetMacro(b, r));
  EXPECT_EQ(std::make_tuple(3, 255, 2, 40), std::make_tuple(r.play_type, r.play_times, r.delay_type, r.delay_time));
  ASSERT_TRUE(m_store.GetMacro(a, r));
  EXPECT_EQ(CString(L"a"), r.name);

  // Deleting a macro moves every later one up a place; ids stay ascending.
  EXPECT_TRUE(m_store.DeleteMacro(a));
  int d = m_store.AddMacro(L"d");
  KeyboardDataStore::RecordList<MacroRecord> list;
  ASSERT_EQ(3, m_store.GetMacros(list));
  EXPECT_EQ(b, list[0]->macro_id);
  EXPECT_EQ(c, list[1]->macro_id);
  EXPECT_EQ(d, list[2]->macro_id);
  EXPECT_EQ(CString(L"B2"), list[1]->name);
}

TEST_F(StoreMacros, StepsComeInIndexOrderAndGoWithTheirMacro) {
  int m = m_store.AddMacro(L"m");
  int other = m_store.AddMacro(L"o");
  EXPECT_EQ(0, m_store.GetMacroStepCount(m));
  EXPECT_EQ(4, m_store.AddMacroSteps({Step(m, 2, 30, L"\u6309\u4e0b 'A'"), Step(m, 0, 10), Step(m, 1, 20),
                                      Step(other, 0, 5)}));
  KeyboardDataStore::RecordList<MacroStepRecord> steps;
  ASSERT_EQ(3, m_store.GetMacroSteps(m, steps));
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(i, steps[i]->record_index);
    EXPECT_EQ(10 * (i + 1), steps[i]->value);
    EXPECT_EQ(10 * i, steps[i]->delay_time);
    EXPECT_EQ(m, steps[i]->macro_id);
    EXPECT_EQ(1, steps[i]->type);
  }
  EXPECT_EQ(1, steps[2]->record_id);
  EXPECT_EQ(CString(L"\u6309\u4e0b 'A'"), steps[2]->desc);
  EXPECT_EQ(3, m_store.GetMacroStepCount(m));
  EXPECT_EQ(4, m_store.GetAllMacroStepCount());

  EXPECT_TRUE(m_store.DeleteMacro(m));
  EXPECT_EQ(0, m_store.GetMacroStepCount(m));
  EXPECT_EQ(1, m_store.GetAllMacroStepCount());
  EXPECT_TRUE(m_store.DeleteMacro(12345));  // nothing to delete is no failure
  EXPECT_TRUE(m_store.DeleteMacroSteps(other));
  EXPECT_EQ(0, m_store.GetAllMacroStepCount());
}

TEST_F(StoreMacros, ReplaceStepsBelongToTheMacroGiven) {
  int m = m_store.AddMacro(L"m");
  m_store.AddMacroSteps({Step(m, 0, 1), Step(m, 1, 2), Step(m, 2, 3)});
  EXPECT_EQ(2, m_store.ReplaceMacroSteps(m, {Step(77, 0, 9), Step(77, 1, 8)}));
  KeyboardDataStore::RecordList<MacroStepRecord> steps;
  ASSERT_EQ(2, m_store.GetMacroSteps(m, steps));
  EXPECT_EQ(9, steps[0]->value);
  EXPECT_EQ(0, m_store.GetMacroStepCount(77));
  EXPECT_EQ(0, m_store.ReplaceMacroSteps(m, {}));  // an empty recording clears the steps
  EXPECT_EQ(0, m_store.GetMacroStepCount(m));
}

using StoreMusic = StoreShared;

TEST_F(StoreMusic, LayerOfAProfileReadsAndUpdates) {
  MusicLayerRecord fresh;
  EXPECT_EQ(300, fresh.fore_amplitude);
  EXPECT_EQ(100, fresh.light_right);
  ProfileRecord p;
  int id1 = m_store.AddProfile(p);
  int id2 = m_store.AddProfile(p);
  MusicLayerRecord r;
  ASSERT_TRUE(m_store.GetMusicLayer(id2, r));
  EXPECT_EQ(std::make_tuple(id2, id2, 0, 4, 300, 0, 100, 100),
            std::make_tuple(r.layer_id, r.profile, r.deviceindex, r.foremode, r.fore_amplitude,
                            r.backmode, r.backb_right, r.light_right));
  EXPECT_EQ(CString(L"Profile"), r.name);
  r.foremode = 2;
  r.fore_amplitude = 150;
  r.backmode = 1;
  r.backb_right = 50;
  r.light_right = 60;
  r.deviceindex = 1;
  r.name = L"ignored";
  EXPECT_TRUE(m_store.UpdateMusicLayer(id2, r));
  MusicLayerRecord back;
  ASSERT_TRUE(m_store.GetMusicLayer(id2, back));
  EXPECT_EQ(std::make_tuple(1, 2, 150, 1, 50, 60), std::make_tuple(back.deviceindex, back.foremode,
                                                                   back.fore_amplitude, back.backmode,
                                                                   back.backb_right, back.light_right));
  EXPECT_EQ(CString(L"Profile"), back.name);
  ASSERT_TRUE(m_store.GetMusicLayer(id1, back));
  EXPECT_EQ(4, back.foremode);
  // No row: an update changes nothing and answers true; a read leaves the record alone.
  EXPECT_TRUE(m_store.UpdateMusicLayer(99, r));
  MusicLayerRecord untouched;
  untouched.foremode = 7;
  EXPECT_FALSE(m_store.GetMusicLayer(99, untouched));
  EXPECT_EQ(7, untouched.foremode);
}

using StoreLed = StoreShared;

TEST_F(StoreLed, AnimationsAreSharedAndStoredWithProfileOne) {
  int a = m_store.AddLedLayer(5, L"Wave \u6ce2");
  int b = m_store.AddLedLayer(1, L"Rain");
  LedLayerRecord r;
  ASSERT_TRUE(m_store.GetLedLayer(a, r));
  EXPECT_EQ(std::make_tuple(a, 1, 0, 0), std::make_tuple(r.led_id, r.profile, r.type, r.frame_size));
  EXPECT_EQ(CString(L"Wave \u6ce2"), r.name);
  EXPECT_EQ(r.name, r.file_dir);
  EXPECT_EQ(r.name, r.first_file);
  KeyboardDataStore::RecordList<LedLayerRecord> list;
  for (int profile : {1, 3, 0}) {
    ASSERT_EQ(2, m_store.GetLedLayers(profile, list));
    EXPECT_EQ(a, list[0]->led_id);
    EXPECT_EQ(b, list[1]->led_id);
  }
  EXPECT_TRUE(m_store.SetLedLayerFrameSize(a, 12));
  EXPECT_TRUE(m_store.SetLedLayerFirstFile(a, L"0.png"));
  ASSERT_TRUE(m_store.GetLedLayer(a, r));
  EXPECT_EQ(12, r.frame_size);
  EXPECT_EQ(CString(L"0.png"), r.first_file);
}

TEST_F(StoreLed, FramesInIndexOrderAndDeletedWithTheirAnimation) {
  int a = m_store.AddLedLayer(1, L"a");
  int b = m_store.AddLedLayer(1, L"b");
  EXPECT_EQ(4, m_store.AddLedFrames({Frame(a, 2), Frame(a, 0), Frame(a, 1), Frame(b, 0)}));
  KeyboardDataStore::RecordList<LedFrameRecord> frames;
  ASSERT_EQ(3, m_store.GetLedFrames(a, frames));
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(i, frames[i]->frame_index);
    EXPECT_EQ(100 + i, frames[i]->delay_time);
    EXPECT_EQ(a, frames[i]->led_id);
  }
  EXPECT_EQ(3, m_store.GetLedFrameCount(a));
  EXPECT_TRUE(m_store.DeleteLedLayer(a));
  EXPECT_EQ(0, m_store.GetLedFrameCount(a));
  EXPECT_EQ(1, m_store.GetLedFrameCount(b));
  // Frames of an animation whose row is already gone are deleted too.
  m_store.AddLedFrames({Frame(55, 0)});
  EXPECT_TRUE(m_store.DeleteLedLayer(55));
  EXPECT_EQ(0, m_store.GetLedFrameCount(55));
}

TEST_F(StoreLed, ReplaceFramesAndDeleteAll) {
  int a = m_store.AddLedLayer(1, L"a");
  m_store.AddLedFrames({Frame(a, 0), Frame(a, 1)});
  EXPECT_EQ(3, m_store.ReplaceLedFrames(a, {Frame(9, 0, L"x0"), Frame(9, 1, L"x1"), Frame(9, 2, L"x2")}));
  KeyboardDataStore::RecordList<LedFrameRecord> frames;
  ASSERT_EQ(3, m_store.GetLedFrames(a, frames));
  EXPECT_EQ(CString(L"x2"), frames[2]->file_name);
  m_store.AddTftScreen(4, 3, L"screen.png");
  EXPECT_TRUE(m_store.DeleteAllLedData());
  KeyboardDataStore::RecordList<LedLayerRecord> layers;
  EXPECT_EQ(0, m_store.GetLedLayers(1, layers));
  RawDb raw = Raw();
  EXPECT_EQ(0, raw.Int("SELECT count(*) FROM t_ledframe_data"));
  EXPECT_EQ(1, raw.Int("SELECT count(*) FROM t_tftscreen_data"));
}

TEST_F(StoreLed, ScreenImages) {
  EXPECT_EQ(1, m_store.AddTftScreen(7, 3, L"a.png"));
  EXPECT_EQ(2, m_store.AddTftScreen(1, 0, L"b.png"));
  KeyboardDataStore::RecordList<TftScreenRecord> list;
  ASSERT_EQ(2, m_store.GetTftScreens(9, list));
  EXPECT_EQ(std::make_tuple(1, 1, 3), std::make_tuple(list[0]->tft_id, list[0]->profile, list[0]->frame_size));
  EXPECT_EQ(CString(L"a.png"), list[0]->file_name);
  EXPECT_EQ(2, list[1]->tft_id);
}

// A replacement whose new rows cannot all be written leaves the old rows as they were
// and answers 0; so does a bulk add, which writes nothing in that case.
struct Replacement {
  const char* name;
  const char* trigger;  // refuses the row that is marked bad
  std::function<void(KeyboardDataStore&)> seed;
  std::function<int(KeyboardDataStore&)> replace;
  std::function<int(KeyboardDataStore&)> add;
  std::function<int(KeyboardDataStore&)> count;
};

class StoreReplacement : public StoreFixture, public ::testing::WithParamInterface<Replacement> {};

TEST_P(StoreReplacement, FailureRollsBackAndAnswersNothingWritten) {
  const Replacement& p = GetParam();
  Open();
  p.seed(m_store);
  int before = p.count(m_store);
  ASSERT_GT(before, 0);
  {
    RawDb raw = Raw();
    ASSERT_EQ(0, raw.Exec(p.trigger)) << raw.Db().LastError();
  }
  Open();
  EXPECT_EQ(0, p.replace(m_store));
  EXPECT_EQ(before, p.count(m_store));
  EXPECT_EQ(0, p.add(m_store));
  EXPECT_EQ(before, p.count(m_store));
}

INSTANTIATE_TEST_SUITE_P(
    Sets, StoreReplacement,
    ::testing::Values(
        Replacement{
            "UserColours",
            "CREATE TRIGGER bad BEFORE INSERT ON t_userlightrgb_data WHEN NEW.key_rgb < 0 "
            "BEGIN SELECT RAISE(ABORT, 'bad'); END",
            [](KeyboardDataStore& s) {
              s.AddUserLightRgbs({{0, 1, 128, 1, 10}, {0, 1, 128, 2, 20}});
            },
            [](KeyboardDataStore& s) {
              return s.ReplaceUserLightRgbs(1, 128, {{0, 1, 128, 1, 5}, {0, 1, 128, 2, -1}, {0, 1, 128, 3, 7}});
            },
            [](KeyboardDataStore& s) { return s.AddUserLightRgbs({{0, 1, 128, 4, 5}, {0, 1, 128, 5, -1}}); },
            [](KeyboardDataStore& s) {
              KeyboardDataStore::RecordList<UserLightRgbRecord> l;
              int n = s.GetUserLightRgbs(1, 128, l);
              return n == 2 && l[0]->key_rgb == 10 && l[1]->key_rgb == 20 ? n : -1;
            }},
        Replacement{
            "MacroSteps",
            "CREATE TRIGGER bad BEFORE INSERT ON t_macrorecord WHEN NEW.value < 0 "
            "BEGIN SELECT RAISE(ABORT, 'bad'); END",
            [](KeyboardDataStore& s) { s.AddMacroSteps({Step(1, 0, 4), Step(1, 1, 5), Step(1, 2, 6)}); },
            [](KeyboardDataStore& s) { return s.ReplaceMacroSteps(1, {Step(1, 0, 9), Step(1, 1, -9)}); },
            [](KeyboardDataStore& s) { return s.AddMacroSteps({Step(1, 3, 1), Step(1, 4, -1)}); },
            [](KeyboardDataStore& s) {
              KeyboardDataStore::RecordList<MacroStepRecord> l;
              int n = s.GetMacroSteps(1, l);
              return n == 3 && l[0]->value == 4 ? n : -1;
            }},
        Replacement{
            "LedFrames",
            "CREATE TRIGGER bad BEFORE INSERT ON t_ledframe_data WHEN NEW.file_name = 'bad' "
            "BEGIN SELECT RAISE(ABORT, 'bad'); END",
            [](KeyboardDataStore& s) { s.AddLedFrames({Frame(1, 0, L"a"), Frame(1, 1, L"b")}); },
            [](KeyboardDataStore& s) {
              return s.ReplaceLedFrames(1, {Frame(1, 0, L"n"), Frame(1, 1, L"bad"), Frame(1, 2, L"m")});
            },
            [](KeyboardDataStore& s) { return s.AddLedFrames({Frame(1, 2, L"c"), Frame(1, 3, L"bad")}); },
            [](KeyboardDataStore& s) {
              KeyboardDataStore::RecordList<LedFrameRecord> l;
              int n = s.GetLedFrames(1, l);
              return n == 2 && l[0]->file_name == L"a" ? n : -1;
            }}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
