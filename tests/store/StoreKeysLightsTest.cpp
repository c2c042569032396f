// Key assignments, lighting modes and custom-set colours.
#include <gtest/gtest.h>
#include <tuple>
#include "StoreTestUtil.h"

using namespace storetest;

namespace {

class StoreRows : public StoreFixture {
protected:
  void SetUp() override {
    StoreFixture::SetUp();
    Open();
  }
};

KeyMacroRecord Key(int profile, int layer, int code, int value, const wchar_t* desc = L"A") {
  KeyMacroRecord r;
  r.profile = profile;
  r.fn_layer = layer;
  r.key_code = code;
  r.layout_value = code + 1000;
  r.layout_desc = L"legend";
  r.macro_type = 1;
  r.macro_value = value;
  r.macro_value2 = 0;
  r.macro_value3 = 3;
  r.macro_desc = desc;
  return r;
}

using StoreKeys = StoreRows;

TEST_F(StoreKeys, InsertReadAndCountByProfileAndLayer) {
  std::vector<KeyMacroRecord> rows;
  for (int layer = 0; layer < 2; ++layer)
    for (int code = 1; code <= 3; ++code) rows.push_back(Key(1, layer, code, code * 10));
  rows.push_back(Key(2, 0, 1, 77));
  EXPECT_EQ(7, m_store.InsertKeyMacros(rows));
  EXPECT_EQ(6, m_store.GetKeyMacroCount(1));
  EXPECT_EQ(0, m_store.GetKeyMacroCount(9));

  KeyboardDataStore::RecordList<KeyMacroRecord> list;
  ASSERT_EQ(3, m_store.GetLayerKeyMacros(1, 1, list));
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(4 + i, list[i]->key_id);
    EXPECT_EQ(1, list[i]->fn_layer);
    EXPECT_EQ(i + 1, list[i]->key_code);
  }
  EXPECT_EQ(6, m_store.GetProfileKeyMacros(1, list));
  EXPECT_EQ(7, m_store.GetAllKeyMacros(list));

  KeyMacroRecord r;
  ASSERT_TRUE(m_store.GetKeyMacro(1, 0, 2, r));
  EXPECT_EQ(2, r.key_id);
  EXPECT_EQ(1, r.profile);
  EXPECT_EQ(0, r.fn_layer);
  EXPECT_EQ(2, r.key_code);
  EXPECT_EQ(1002, r.layout_value);
  EXPECT_EQ(CString(L"legend"), r.layout_desc);
  EXPECT_EQ(1, r.macro_type);
  EXPECT_EQ(20, r.macro_value);
  EXPECT_EQ(0, r.macro_value2);
  EXPECT_EQ(3, r.macro_value3);
  EXPECT_EQ(CString(L"A"), r.macro_desc);
  KeyMacroRecord untouched = Key(5, 5, 5, 5);
  EXPECT_FALSE(m_store.GetKeyMacro(1, 3, 2, untouched));
  EXPECT_EQ(5, untouched.profile);
}

TEST_F(StoreKeys, ReplaceKeyMacro) {
  m_store.InsertKeyMacros({Key(1, 0, 4, 1), Key(1, 0, 4, 2), Key(1, 0, 5, 3)});
  // Key code 0 is never stored.
  EXPECT_EQ(0, m_store.ReplaceKeyMacro(Key(1, 0, 0, 9)));
  EXPECT_EQ(3, m_store.GetKeyMacroCount(1));
  // An assignment leaves exactly one row: the new one.
  int id = m_store.ReplaceKeyMacro(Key(1, 0, 4, 9, L"new"));
  EXPECT_EQ(4, id);
  KeyboardDataStore::RecordList<KeyMacroRecord> list;
  ASSERT_EQ(2, m_store.GetLayerKeyMacros(1, 0, list));
  EXPECT_EQ(5, list[0]->key_code);
  EXPECT_EQ(id, list[1]->key_id);
  EXPECT_EQ(CString(L"new"), list[1]->macro_desc);
  // No assignment (both values 0): the key is left without a row.
  KeyMacroRecord none = Key(1, 0, 5, 0);
  EXPECT_EQ(0, m_store.ReplaceKeyMacro(none));
  EXPECT_EQ(1, m_store.GetKeyMacroCount(1));
  KeyMacroRecord second = Key(1, 0, 5, 0);
  second.macro_value2 = 6;
  EXPECT_GT(m_store.ReplaceKeyMacro(second), 0);
}

TEST_F(StoreKeys, FailedReplaceKeepsTheOldAssignment) {
  m_store.InsertKeyMacros({Key(1, 0, 4, 1, L"old")});
  {
    RawDb raw = Raw();
    ASSERT_EQ(0, raw.Exec("CREATE TRIGGER refuse BEFORE INSERT ON t_key_macro_data "
                          "WHEN NEW.macro_desc = 'bad' BEGIN SELECT RAISE(ABORT, 'refused'); END"));
  }
  Open();
  EXPECT_EQ(0, m_store.ReplaceKeyMacro(Key(1, 0, 4, 2, L"bad")));
  KeyMacroRecord r;
  ASSERT_TRUE(m_store.GetKeyMacro(1, 0, 4, r));
  EXPECT_EQ(CString(L"old"), r.macro_desc);
}

TEST_F(StoreKeys, DuplicateRowsAndUpdates) {
  m_store.InsertKeyMacros({Key(1, 0, 4, 1, L"first")});
  m_store.InsertKeyMacros({Key(1, 0, 4, 2, L"second")});
  KeyMacroRecord r;
  ASSERT_TRUE(m_store.GetKeyMacro(1, 0, 4, r));
  EXPECT_EQ(CString(L"first"), r.macro_desc);  // the older row

  KeyMacroRecord u = Key(1, 0, 4, 50, L"upd");
  u.layout_value = 1;
  u.layout_desc = L"changed";
  m_store.UpdateKeyMacro(u);
  KeyboardDataStore::RecordList<KeyMacroRecord> list;
  ASSERT_EQ(2, m_store.GetLayerKeyMacros(1, 0, list));
  for (auto& k : list) {
    EXPECT_EQ(50, k->macro_value);
    EXPECT_EQ(CString(L"upd"), k->macro_desc);
    EXPECT_EQ(1004, k->layout_value);  // never changed by an update
    EXPECT_EQ(CString(L"legend"), k->layout_desc);
  }
  // Updating a key without a row inserts nothing.
  m_store.UpdateKeyMacro(Key(1, 2, 9, 1));
  EXPECT_EQ(2, m_store.GetKeyMacroCount(1));
  EXPECT_EQ(2, m_store.UpdateKeyMacros({Key(1, 0, 4, 60), Key(1, 3, 3, 1)}));
  ASSERT_TRUE(m_store.GetKeyMacro(1, 0, 4, r));
  EXPECT_EQ(60, r.macro_value);
}

TEST_F(StoreKeys, FailedBulkInsertWritesNothing) {
  {
    RawDb raw = Raw();
    ASSERT_EQ(0, raw.Exec("CREATE TRIGGER refuse BEFORE INSERT ON t_key_macro_data "
                          "WHEN NEW.key_code = 3 BEGIN SELECT RAISE(ABORT, 'refused'); END"));
  }
  Open();
  EXPECT_EQ(0, m_store.InsertKeyMacros({Key(1, 0, 1, 1), Key(1, 0, 2, 1), Key(1, 0, 3, 1)}));
  EXPECT_EQ(0, m_store.GetKeyMacroCount(1));
}

using StoreLights = StoreRows;

LightRecord Light(int profile, int type, int mode) {
  LightRecord r;
  r.profile = profile;
  r.name = L"120";
  r.type = type;
  r.mode = mode;
  r.brightness = 4;
  r.speed = 3;
  r.direction = 1;
  r.colorful = 1;
  r.colorindex = 2;
  r.color_value = 0x00FF8000;
  r.config_func = 0x1F;
  r.reserved = 9;
  r.status = 0;
  return r;
}

TEST_F(StoreLights, AddReadAndUpdate) {
  EXPECT_EQ(1, m_store.AddLight(Light(1, 0, 1)));
  EXPECT_EQ(2, m_store.AddLight(Light(1, 0, 2)));
  EXPECT_EQ(3, m_store.AddLight(Light(1, 1, 1)));
  EXPECT_EQ(4, m_store.AddLight(Light(2, 0, 1)));
  EXPECT_EQ(3, m_store.GetLightCount(1));

  LightRecord r;
  ASSERT_TRUE(m_store.GetLight(1, 0, 2, r));
  LightRecord want = Light(1, 0, 2);
  EXPECT_EQ(2, r.light_id);
  EXPECT_EQ(want.name, r.name);
  EXPECT_EQ(std::make_tuple(1, 0, 2, 4, 3, 1, 1, 2, 0x00FF8000, 0x1F, 9, 0),
            std::make_tuple(r.profile, r.type, r.mode, r.brightness, r.speed, r.direction, r.colorful,
                            r.colorindex, r.color_value, r.config_func, r.reserved, r.status));

  // The row is chosen by the record's profile with type and mode; the first argument is ignored.
  LightRecord u = Light(1, 7, 7);
  u.name = L"999";
  u.status = 1;
  u.brightness = 1;
  u.reserved = 5;
  for (int first : {0, 42, 2}) EXPECT_TRUE(m_store.UpdateLight(first, 0, 2, u));
  ASSERT_TRUE(m_store.GetLight(1, 0, 2, r));
  EXPECT_EQ(1, r.brightness);
  EXPECT_EQ(5, r.reserved);
  EXPECT_EQ(CString(L"120"), r.name);  // name, type, mode and status never change here
  EXPECT_EQ(0, r.type);
  EXPECT_EQ(2, r.mode);
  EXPECT_EQ(0, r.status);
  ASSERT_TRUE(m_store.GetLight(2, 0, 1, r));
  EXPECT_EQ(4, r.brightness);
  EXPECT_TRUE(m_store.UpdateLight(0, 5, 5, u));  // no such row: nothing changes

  KeyboardDataStore::RecordList<LightRecord> list;
  ASSERT_EQ(2, m_store.GetLights(1, 0, list));
  EXPECT_EQ(1, list[0]->light_id);
  EXPECT_EQ(2, list[1]->light_id);
}

TEST_F(StoreLights, ActiveModePerZone) {
  for (int mode = 1; mode <= 3; ++mode) m_store.AddLight(Light(1, 0, mode));
  m_store.AddLight(Light(1, 1, 2));
  m_store.AddLight(Light(2, 0, 2));
  EXPECT_EQ(0, m_store.GetActiveLightMode(1, 0));
  EXPECT_TRUE(m_store.SetActiveLightMode(1, 1, 2));
  EXPECT_TRUE(m_store.SetActiveLightMode(2, 0, 2));
  EXPECT_TRUE(m_store.SetActiveLightMode(1, 0, 2));
  EXPECT_TRUE(m_store.SetActiveLightMode(1, 0, 3));
  EXPECT_EQ(3, m_store.GetActiveLightMode(1, 0));
  EXPECT_EQ(2, m_store.GetActiveLightMode(1, 1));
  EXPECT_EQ(2, m_store.GetActiveLightMode(2, 0));
  EXPECT_EQ(std::vector<std::string>{"1|0|3"},
            Raw().Rows("SELECT profile, type, mode FROM t_light_data WHERE status = 1 AND type = 0 AND profile = 1", 3));
}

TEST_F(StoreLights, ActivatingAMissingModeAnswersFalseAndKeepsTheOldMark) {
  m_store.AddLight(Light(1, 0, 1));
  m_store.AddLight(Light(1, 0, 2));
  ASSERT_TRUE(m_store.SetActiveLightMode(1, 0, 2));
  EXPECT_FALSE(m_store.SetActiveLightMode(1, 0, 99));
  EXPECT_EQ(2, m_store.GetActiveLightMode(1, 0));
}

UserLightRgbRecord Rgb(int profile, int set, int key, int rgb) {
  UserLightRgbRecord r;
  r.profile = profile;
  r.userlight_id = set;
  r.key_code = key;
  r.key_rgb = rgb;
  return r;
}

TEST_F(StoreLights, UserColoursAddDeleteAndRead) {
  UserLightRgbRecord zero;
  EXPECT_EQ(0, zero.userlightrgb_id + zero.profile + zero.userlight_id + zero.key_code + zero.key_rgb);
  EXPECT_EQ(0, m_store.AddUserLightRgbs({}));
  EXPECT_EQ(3, m_store.AddUserLightRgbs({Rgb(1, 128, 5, 0xFF), Rgb(1, 128, 6, 0xFF00), Rgb(1, 129, 5, 1)}));
  KeyboardDataStore::RecordList<UserLightRgbRecord> list;
  ASSERT_EQ(2, m_store.GetUserLightRgbs(1, 128, list));
  EXPECT_EQ(1, list[0]->userlightrgb_id);
  EXPECT_EQ(5, list[0]->key_code);
  EXPECT_EQ(0xFF, list[0]->key_rgb);
  EXPECT_EQ(0xFF00, list[1]->key_rgb);
  EXPECT_TRUE(m_store.DeleteUserLightRgbs(1, 128));
  EXPECT_EQ(0, m_store.GetUserLightRgbs(1, 128, list));
  EXPECT_TRUE(list.empty());
  EXPECT_EQ(1, m_store.GetUserLightRgbs(1, 129, list));
}

TEST_F(StoreLights, ReplaceUserColoursWritesTheSetGiven) {
  m_store.AddUserLightRgbs({Rgb(1, 128, 5, 1), Rgb(1, 128, 6, 2), Rgb(2, 128, 5, 3)});
  // The rows belong to the set named by the arguments.
  EXPECT_EQ(2, m_store.ReplaceUserLightRgbs(1, 128, {Rgb(9, 9, 7, 70), Rgb(9, 9, 8, 80)}));
  KeyboardDataStore::RecordList<UserLightRgbRecord> list;
  ASSERT_EQ(2, m_store.GetUserLightRgbs(1, 128, list));
  EXPECT_EQ(7, list[0]->key_code);
  EXPECT_EQ(80, list[1]->key_rgb);
  EXPECT_EQ(1, m_store.GetUserLightRgbs(2, 128, list));
}

}  // namespace
