// The user-interface thread and the worker use the store at once.
#include <gtest/gtest.h>
#include <atomic>
#include <string>
#include <thread>
#include "StoreTestUtil.h"

using namespace storetest;

namespace {

using StoreThreads = StoreFixture;

// Bounded: a few thousand operations from two threads, every answer checked.
TEST_F(StoreThreads, TwoThreadsLoseNothing) {
  Open();
  constexpr int kRounds = 300;
  std::atomic<int> failures{0};
  auto check = [&](bool ok) {
    if (!ok) ++failures;
  };

  // The user-interface thread: profiles, settings, macros and their steps.
  std::thread ui([&] {
    for (int i = 0; i < kRounds; ++i) {
      if (i % 30 == 0) {
        ProfileRecord p;
        p.name = L"ui";
        int id = m_store.AddProfile(p);
        check(id > 0 && m_store.InsertDefaultConfig(id) && m_store.SetActiveProfile(id));
      }
      int active = m_store.GetActiveProfile();
      CString value;
      value.Format(L"%d", i);
      check(m_store.SetConfigValue(active, L"sleep_time", value));
      CString back;
      check(m_store.GetConfigValue(active, L"sleep_time", back) && back == value);
      int macro = m_store.AddMacro(L"m");
      check(macro > 0);
      std::vector<MacroStepRecord> steps(4);
      for (int s = 0; s < 4; ++s) steps[s].record_index = s;
      check(m_store.ReplaceMacroSteps(macro, steps) == 4);
      check(m_store.GetMacroStepCount(macro) == 4);
    }
  });

  // The worker: key maps and lighting of profile 1000, read back as it goes.
  std::thread worker([&] {
    for (int i = 0; i < kRounds; ++i) {
      std::vector<KeyMacroRecord> keys(8);
      for (int k = 0; k < 8; ++k) {
        keys[k].profile = 1000;
        keys[k].fn_layer = i % 4;
        keys[k].key_code = i * 8 + k + 1;
        keys[k].macro_value = 1;
      }
      check(m_store.InsertKeyMacros(keys) == 8);
      KeyboardDataStore::RecordList<KeyMacroRecord> layer;
      check(m_store.GetLayerKeyMacros(1000, i % 4, layer) == (i / 4 + 1) * 8);
      std::vector<UserLightRgbRecord> colours(16);
      for (int c = 0; c < 16; ++c) colours[c].key_code = c;
      check(m_store.ReplaceUserLightRgbs(1000, 128, colours) == 16);
      LightRecord light;
      light.profile = 1000;
      light.mode = i;
      check(m_store.AddLight(light) > 0);
      check(m_store.SetActiveLightMode(1000, 0, i));
    }
  });
  ui.join();
  worker.join();

  EXPECT_EQ(0, failures.load());
  EXPECT_EQ(kRounds * 8, m_store.GetKeyMacroCount(1000));
  EXPECT_EQ(kRounds * 4, m_store.GetAllMacroStepCount());
  EXPECT_EQ(kRounds - 1, m_store.GetActiveLightMode(1000, 0));
  KeyboardDataStore::RecordList<UserLightRgbRecord> colours;
  EXPECT_EQ(16, m_store.GetUserLightRgbs(1000, 128, colours));
  KeyboardDataStore::RecordList<ProfileRecord> profiles;
  int count = m_store.GetProfiles(profiles);
  EXPECT_EQ(kRounds / 30, count);
  RawDb raw = Raw();
  EXPECT_EQ(33 * count, raw.Int("SELECT count(*) FROM t_config_data"));
  EXPECT_EQ(count, raw.Int("SELECT count(*) FROM t_musiclayer_data m JOIN t_profile_data p "
                           "ON m.layer_id = p.profile"));
}

// A model switch that arrives while a long bulk write runs waits for it: the write is
// neither cut short nor split between the two files.
TEST_F(StoreThreads, ModelSwitchWaitsForARunningOperation) {
  Open(L"A");
  constexpr int kRows = 100000;
  std::vector<KeyMacroRecord> keys(kRows);
  for (int k = 0; k < kRows; ++k) {
    keys[k].profile = 1;
    keys[k].key_code = k + 1;
    keys[k].macro_value = 1;
  }
  std::atomic<bool> started{false};
  int written = -1;
  std::thread writer([&] {
    started = true;
    written = m_store.InsertKeyMacros(keys);
  });
  while (!started) std::this_thread::yield();
  std::this_thread::sleep_for(std::chrono::milliseconds(30));
  EXPECT_TRUE(m_store.OpenDeviceDb(Folder(), L"B"));
  writer.join();
  EXPECT_EQ(kRows, written);
  m_store.CloseDeviceDb();
  int inA = RawDb(DbPath(L"A")).Int("SELECT count(*) FROM t_key_macro_data");
  int inB = RawDb(DbPath(L"B")).Int("SELECT count(*) FROM t_key_macro_data");
  EXPECT_TRUE((inA == kRows && inB == 0) || (inA == 0 && inB == kRows)) << inA << " " << inB;
}

// Model switches, factory resets and new profiles on one thread while the other writes:
// every batch lands whole in one file or, when it answered 0, nowhere.
TEST_F(StoreThreads, SwitchingModelsNeverSplitsAnOperation) {
  std::atomic<bool> done{false};
  std::atomic<int> reported{0};
  std::thread writer([&] {
    for (int batch = 0; batch < 200; ++batch) {
      std::vector<KeyMacroRecord> keys(50);
      for (int k = 0; k < 50; ++k) {
        keys[k].profile = 1;
        keys[k].key_code = k + 1;
        keys[k].macro_value = batch;
        keys[k].macro_desc.Format(L"batch %d", batch);
      }
      int n = m_store.InsertKeyMacros(keys);
      EXPECT_TRUE(n == 0 || n == 50) << n;
      reported += n;
    }
    done = true;
  });
  std::thread switcher([&] {
    const wchar_t* models[] = {L"A", L"B", L"C"};
    for (int i = 0; !done; ++i) {
      const wchar_t* model = models[i % 3];
      if (i % 7 == 6) {
        m_store.DeleteDeviceDb(Folder(), model);  // factory reset
      }
      EXPECT_TRUE(m_store.OpenDeviceDb(Folder(), model)) << static_cast<int>(m_store.LastOpenResult());
      ProfileRecord p;
      int id = m_store.AddProfile(p);
      EXPECT_GT(id, 0);
      EXPECT_TRUE(m_store.InsertDefaultConfig(id));
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
  });
  writer.join();
  switcher.join();
  m_store.CloseDeviceDb();

  int stored = 0;
  for (const wchar_t* model : {L"A", L"B", L"C"}) {
    if (!FileExists(DbPath(model))) continue;
    RawDb raw(DbPath(model));
    stored += raw.Int("SELECT count(*) FROM t_key_macro_data");
    EXPECT_EQ(0, raw.Int("SELECT count(*) FROM (SELECT macro_desc FROM t_key_macro_data "
                         "GROUP BY macro_desc HAVING count(*) <> 50)"));
    EXPECT_EQ(0, raw.Int("SELECT count(*) FROM (SELECT profile FROM t_config_data "
                         "GROUP BY profile HAVING count(*) <> 33)"));
  }
  // Rows of batches in files deleted by a reset are gone with them; none appear twice.
  EXPECT_LE(stored, reported.load());
  EXPECT_EQ(0, stored % 50);
}

}  // namespace
