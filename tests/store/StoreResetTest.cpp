// The factory reset of a model's database: closed, deleted and made anew in one step
// under the store's lock, while another thread goes on using the store.
#include <gtest/gtest.h>
#include <atomic>
#include <thread>
#include "StoreTestUtil.h"

using namespace storetest;

namespace {

using StoreReset = StoreFixture;

// A profile and its settings, together or not at all.
int AddProfileWithSettings(KeyboardDataStore& store) {
  int id = 0;
  const bool ok = store.RunInTransaction([&] {
    ProfileRecord p;
    p.name = L"p";
    id = store.AddProfile(p);
    return id > 0 && store.InsertDefaultConfig(id);
  });
  return ok ? id : 0;
}

TEST_F(StoreReset, LeavesAnEmptyDatabaseOfTheFullSchema) {
  Open();
  ASSERT_GT(AddProfileWithSettings(m_store), 0);
  ASSERT_TRUE(m_store.ResetDeviceDb(Folder(), L"K1"));
  EXPECT_TRUE(m_store.IsOpened());
  EXPECT_EQ(StoreOpenResult::Created, m_store.LastOpenResult());
  KeyboardDataStore::RecordList<ProfileRecord> profiles;
  EXPECT_EQ(0, m_store.GetProfiles(profiles));
  EXPECT_EQ(1, AddProfileWithSettings(m_store));  // the ids start again

  // The reset of a model that is not the open one opens that model's new file.
  ASSERT_TRUE(m_store.ResetDeviceDb(Folder(), L"K2"));
  EXPECT_EQ(ToUtf8(DbPath(L"K2")), m_store.GetPath());
  RawDb raw = Raw(L"K1");
  EXPECT_EQ(1, raw.Int("SELECT count(*) FROM t_profile_data"));
}

TEST_F(StoreReset, RefusesNamesThatAreNoFileAndDeletesNothing) {
  Open();
  ASSERT_GT(AddProfileWithSettings(m_store), 0);
  for (const wchar_t* model : {L"", L"..\\K1", L"db\\K1", L"K1/..", L"C:K1"}) {
    EXPECT_FALSE(m_store.ResetDeviceDb(Folder(), model)) << ToUtf8(model);
    EXPECT_FALSE(m_store.DeleteDeviceDb(Folder(), model)) << ToUtf8(model);
  }
  EXPECT_TRUE(m_store.IsOpened());
  KeyboardDataStore::RecordList<ProfileRecord> profiles;
  EXPECT_EQ(1, m_store.GetProfiles(profiles));
}

// A file that cannot be deleted (another program holds it) is kept whole and stays open.
TEST_F(StoreReset, AFileThatCannotGoIsKeptWithEveryChange) {
  Open();
  for (int i = 0; i < 3; ++i) ASSERT_GT(AddProfileWithSettings(m_store), 0);
  HANDLE held = CreateFileW(DbPath(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                            nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, held);
  EXPECT_FALSE(m_store.ResetDeviceDb(Folder(), L"K1"));
  EXPECT_TRUE(m_store.IsOpened());
  KeyboardDataStore::RecordList<ProfileRecord> profiles;
  EXPECT_EQ(3, m_store.GetProfiles(profiles));
  CString value;
  EXPECT_TRUE(m_store.GetConfigValue(3, L"zephra_mode", value));
  CloseHandle(held);
  EXPECT_TRUE(m_store.ResetDeviceDb(Folder(), L"K1"));
  EXPECT_EQ(0, m_store.GetProfiles(profiles));
}

// Resets while another thread adds profiles: no operation of the other thread meets the
// store closed between the delete and the new file, so none fails, and none is split.
TEST_F(StoreReset, ConcurrentOperationsRunWhollyBeforeOrAfterAReset) {
  Open();
  std::atomic<bool> done{false};
  std::atomic<int> failures{0};
  std::atomic<int> added{0};
  std::thread user([&] {
    while (!done) {
      if (AddProfileWithSettings(m_store) > 0) ++added;
      else ++failures;
      std::this_thread::yield();
    }
  });
  for (int i = 0; i < 60; ++i) {
    EXPECT_TRUE(m_store.ResetDeviceDb(Folder(), L"K1")) << i;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  done = true;
  user.join();
  EXPECT_EQ(0, failures.load());
  EXPECT_GT(added.load(), 0);
  RawDb raw = Raw();
  EXPECT_EQ(std::vector<std::string>{"ok"}, raw.Column("PRAGMA integrity_check"));
  EXPECT_EQ(33 * raw.Int("SELECT count(*) FROM t_profile_data"), raw.Int("SELECT count(*) FROM t_config_data"));
}

}  // namespace
