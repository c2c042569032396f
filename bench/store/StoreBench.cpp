// Cost of the profile store's heaviest operations, and how it grows with the number of
// profiles in the file (1 to 10, the most a user can have): making a profile (with the
// share of it spent waiting on the file's writes and syncs), loading one as a profile
// switch does, and the key and colour tables on their own.
#include <benchmark/benchmark.h>
#include <windows.h>
#include <algorithm>
#include <map>
#include "store/FileWaitVfs.h"
#include "store/KeyboardDataStore.h"
#include "store/StoreSchema.h"

namespace {

constexpr int kLayers = 4;
constexpr int kKeys = 128;
constexpr int kColourSets = 5;
constexpr int kLightZones[] = {0, 1, 2, 16};  // keys, side, logo, matrix
constexpr int kModesPerZone = 20;
constexpr int kLedLayers = 3;
constexpr int kFramesPerLayer = 30;

// Every file of the benchmark goes through the timing file layer.
const bool g_fileWait = FileWaitVfs::Install();

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

// The lighting modes of every zone (the first one active), as a profile that has been
// used holds them.
void AddLights(KeyboardDataStore& store, int profile) {
  for (int zone : kLightZones)
    for (int mode = 0; mode < kModesPerZone; ++mode) {
      LightRecord light;
      light.profile = profile;
      light.name = L"Mode";
      light.type = zone;
      light.mode = mode;
      light.brightness = 4;
      light.speed = 3;
      light.color_value = 0xFF8000 + mode;
      light.status = mode == 0;
      store.AddLight(light);
    }
}

// The LED layers with their frames (shared by all profiles).
void AddLedLayers(KeyboardDataStore& store) {
  for (int l = 0; l < kLedLayers; ++l) {
    const int led = store.AddLedLayer(0, L"Layer");
    std::vector<LedFrameRecord> frames(kFramesPerLayer);
    for (int f = 0; f < kFramesPerLayer; ++f) {
      frames[f].led_id = led;
      frames[f].name = L"Frame";
      frames[f].delay_time = 40;
      frames[f].frame_index = f;
      frames[f].file_name = L"frame.png";
    }
    store.AddLedFrames(frames);
    store.SetLedLayerFrameSize(led, kFramesPerLayer);
  }
}

// A model file holding `profiles` complete profiles (keys, settings, colour sets, lights,
// LED layers), made once per count and copied for each use.
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
    AddLights(store, id);
  }
  AddLedLayers(store);
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
// and the activation. "file_wait_pct": the share of that time spent in the file's writes
// and syncs (measured around each call into the file), "syncs" per profile.
void BM_CreateProfile(benchmark::State& state) {
  KeyboardDataStore store;
  double waitUs = 0, syncs = 0, totalUs = 0;
  for (auto _ : state) {
    state.PauseTiming();
    OpenCopy(store, static_cast<int>(state.range(0)) - 1);
    FileWaitVfs::Reset();
    LARGE_INTEGER f, t0, t1;
    ::QueryPerformanceFrequency(&f);
    ::QueryPerformanceCounter(&t0);
    state.ResumeTiming();
    benchmark::DoNotOptimize(CreateProfile(store));
    state.PauseTiming();
    ::QueryPerformanceCounter(&t1);
    const FileWaitVfs::Totals wait = FileWaitVfs::Read();
    waitUs += wait.writeUs + wait.syncUs;
    syncs += wait.syncs;
    totalUs += double(t1.QuadPart - t0.QuadPart) * 1e6 / double(f.QuadPart);
    state.ResumeTiming();
  }
  store.CloseDeviceDb();
  if (!g_fileWait) state.SkipWithError("the timing file layer could not be installed");
  const double n = double(state.iterations());
  state.counters["file_wait_ms"] = waitUs / n / 1000.0;
  state.counters["file_wait_pct"] = totalUs > 0 ? 100.0 * waitUs / totalUs : 0.0;
  state.counters["syncs"] = syncs / n;
}
BENCHMARK(BM_CreateProfile)->DenseRange(1, 10)->Unit(benchmark::kMillisecond);

// Everything a profile switch reads of the profile it switches to: its name and
// settings, the key rows of its four layers, every lighting zone's modes and active
// mode, its five colour sets, and the LED layers with their frames. The activation
// (one write) is included. Alternates between the first two profiles.
void BM_ProfileLoad(benchmark::State& state) {
  KeyboardDataStore store;
  const int profiles = static_cast<int>(state.range(0));
  OpenCopy(store, profiles);
  KeyboardDataStore::RecordList<ProfileRecord> list;
  store.GetProfiles(list);
  std::vector<int> ids;
  for (const auto& p : list) ids.push_back(p->profile);
  int turn = 0, rows = 0;
  for (auto _ : state) {
    const int id = ids[size_t(turn++) % std::min<size_t>(2, ids.size())];
    rows = 0;
    CString name, value;
    store.SetActiveProfile(id);
    rows += store.GetProfileName(id, name);
    for (const DefaultConfigRow& setting : DefaultConfigRows()) rows += store.GetConfigValue(id, setting.key, value);
    KeyboardDataStore::RecordList<KeyMacroRecord> keys;
    for (int layer = 0; layer < kLayers; ++layer) rows += store.GetLayerKeyMacros(id, layer, keys);
    KeyboardDataStore::RecordList<LightRecord> lights;
    for (int zone : kLightZones) {
      rows += store.GetActiveLightMode(id, zone) >= 0;
      rows += store.GetLights(id, zone, lights);
    }
    KeyboardDataStore::RecordList<UserLightRgbRecord> colours;
    for (int set = 0; set < kColourSets; ++set) rows += store.GetUserLightRgbs(id, 128 + set, colours);
    KeyboardDataStore::RecordList<LedLayerRecord> layers;
    rows += store.GetLedLayers(id, layers);
    KeyboardDataStore::RecordList<LedFrameRecord> frames;
    for (const auto& layer : layers) rows += store.GetLedFrames(layer->led_id, frames);
  }
  store.CloseDeviceDb();
  state.counters["rows"] = rows;
}
BENCHMARK(BM_ProfileLoad)->Arg(1)->Arg(5)->Arg(10)->Unit(benchmark::kMillisecond);

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
