// Cost of the profile store's heaviest operations, and how it grows with the number of
// profiles in the file (1 to 10, the most a user can have).
#include <benchmark/benchmark.h>
#include <windows.h>
#include <map>
#include "store/KeyboardDataStore.h"

namespace {

constexpr int kLayers = 4;
constexpr int kKeys = 128;
constexpr int kColourSets = 5;

// A data folder of its own, with its "db" subfolder; removed at exit.
class BenchFolder {
public:
  BenchFolder() {
    wchar_t base[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, base);
    m_path.Format(L"%squenby-store-bench-%lu\\", base, ::GetCurrentProcessId());
    ::CreateDirectoryW(m_path, nullptr);
    ::CreateDirectoryW(m_path + L"db", nullptr);
  }
  ~BenchFolder() {
    WIN32_FIND_DATAW data;
    HANDLE find = ::FindFirstFileW(m_path + L"db\\*", &data);
    if (find != INVALID_HANDLE_VALUE) {
      do ::DeleteFileW(m_path + L"db\\" + data.cFileName);
      while (::FindNextFileW(find, &data));
      ::FindClose(find);
    }
    ::RemoveDirectoryW(m_path + L"db");
    ::RemoveDirectoryW(m_path);
  }
  const CString& Path() const { return m_path; }

private:
  CString m_path;
};

BenchFolder& Folder() {
  static BenchFolder folder;
  return folder;
}

std::vector<KeyMacroRecord> KeyTable(int profile) {
  std::vector<KeyMacroRecord> keys;
  keys.reserve(kLayers * kKeys);
  for (int layer = 0; layer < kLayers; ++layer)
    for (int code = 1; code <= kKeys; ++code) {
      KeyMacroRecord r;
      r.profile = profile;
      r.fn_layer = layer;
      r.key_code = code;
      r.layout_value = code;
      r.layout_desc = L"Key";
      r.macro_type = 1;
      r.macro_value = code;
      r.macro_desc = L"Key";
      keys.push_back(r);
    }
  return keys;
}

std::vector<UserLightRgbRecord> ColourSet(int profile, int set, int colour) {
  std::vector<UserLightRgbRecord> rows(kKeys);
  for (int k = 0; k < kKeys; ++k) rows[k] = {0, profile, set, k + 1, colour + k};
  return rows;
}

// What the shell does for a new profile, with a full key table.
int CreateProfile(KeyboardDataStore& store) {
  ProfileRecord p;
  p.name = L"Profile";
  p.icon_image = L"icon\\icon_profile.png";
  int id = store.AddProfile(p);
  store.InsertKeyMacros(KeyTable(id));
  store.InsertDefaultConfig(id);
  store.SetActiveProfile(id);
  return id;
}

// A model file holding `profiles` complete profiles (keys, settings, colour sets), made
// once per count and copied for each use.
CString Template(int profiles) {
  static std::map<int, CString> made;
  CString model;
  model.Format(L"tpl%d", profiles);
  CString path = KeyboardDataStore::DbFilePath(Folder().Path(), model);
  if (made.count(profiles)) return path;
  KeyboardDataStore store;
  store.OpenDeviceDb(Folder().Path(), model);
  for (int i = 0; i < profiles; ++i) {
    int id = CreateProfile(store);
    for (int set = 0; set < kColourSets; ++set) store.ReplaceUserLightRgbs(id, 128 + set, ColourSet(id, 128 + set, 0));
  }
  store.CloseDeviceDb();
  made[profiles] = path;
  return path;
}

// Opens a fresh copy of the template with `profiles` profiles as model "work".
void OpenCopy(KeyboardDataStore& store, int profiles) {
  store.CloseDeviceDb();
  store.DeleteDeviceDb(Folder().Path(), L"work");
  ::CopyFileW(Template(profiles), KeyboardDataStore::DbFilePath(Folder().Path(), L"work"), FALSE);
  store.OpenDeviceDb(Folder().Path(), L"work");
}

// Making the Nth profile: the profile with its companions, 4 x 128 key rows, 33 settings
// and the activation.
void BM_CreateProfile(benchmark::State& state) {
  KeyboardDataStore store;
  for (auto _ : state) {
    state.PauseTiming();
    OpenCopy(store, static_cast<int>(state.range(0)) - 1);
    state.ResumeTiming();
    benchmark::DoNotOptimize(CreateProfile(store));
  }
  store.CloseDeviceDb();
}
BENCHMARK(BM_CreateProfile)->DenseRange(1, 10)->Unit(benchmark::kMillisecond);

// Reading one profile's key rows for all four layers, as the key map write does.
void BM_ReadKeyRows(benchmark::State& state) {
  KeyboardDataStore store;
  OpenCopy(store, static_cast<int>(state.range(0)));
  KeyboardDataStore::RecordList<KeyMacroRecord> rows;
  for (auto _ : state) {
    int n = 0;
    for (int layer = 0; layer < kLayers; ++layer) n += store.GetLayerKeyMacros(1, layer, rows);
    if (n != kLayers * kKeys) state.SkipWithError("key rows missing");
  }
  store.CloseDeviceDb();
}
BENCHMARK(BM_ReadKeyRows)->DenseRange(1, 10)->Unit(benchmark::kMillisecond);

// Replacing the colours of five custom sets of 128 keys each.
void BM_ReplaceColourSets(benchmark::State& state) {
  KeyboardDataStore store;
  OpenCopy(store, static_cast<int>(state.range(0)));
  int colour = 0;
  for (auto _ : state) {
    ++colour;
    for (int set = 0; set < kColourSets; ++set)
      if (store.ReplaceUserLightRgbs(1, 128 + set, ColourSet(1, 128 + set, colour)) != kKeys)
        state.SkipWithError("colours not written");
  }
  store.CloseDeviceDb();
}
BENCHMARK(BM_ReplaceColourSets)->DenseRange(1, 10)->Unit(benchmark::kMillisecond);

}  // namespace
