// The program's share of a whole-layer key map write after one assignment: the click's
// store update, reading the layer's rows and the macro list, and encoding 128 keys into
// the 384-byte map. The transfer to the keyboard is the device link's and not measured.
#include <benchmark/benchmark.h>
#include <windows.h>
#include <cstring>
#include <vector>
#include "pages/KeyActionCodec.h"
#include "store/KeyboardDataStore.h"

namespace {

constexpr int kKeys = 128;
constexpr int kMacros = 10;

// A data folder with one model database: profile 1 with 4 x 128 key rows (keyboard keys,
// mouse buttons, media keys and eight macro keys on every layer) and ten macros.
class BenchDb {
public:
  BenchDb() {
    wchar_t base[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, base);
    m_folder.Format(L"%squenby-pages-bench-%lu\\", base, ::GetCurrentProcessId());
    ::CreateDirectoryW(m_folder, nullptr);
    ::CreateDirectoryW(m_folder + L"db", nullptr);
    store.OpenDeviceDb(m_folder, L"bench");
    for (int m = 1; m <= kMacros; ++m) {
      CString name;
      name.Format(L"M%d", m);
      store.AddMacro(name);
    }
    std::vector<KeyMacroRecord> rows;
    for (int layer = 0; layer < 4; ++layer)
      for (int code = 1; code <= kKeys; ++code) rows.push_back(Row(layer, code));
    store.InsertKeyMacros(rows);
  }
  ~BenchDb() {
    store.DeleteDeviceDb(m_folder, L"bench");
    ::RemoveDirectoryW(m_folder + L"db");
    ::RemoveDirectoryW(m_folder);
  }

  static KeyMacroRecord Row(int layer, int code) {
    KeyMacroRecord r;
    r.profile = 1;
    r.fn_layer = layer;
    r.key_code = code;
    r.layout_value = code;
    if (code <= 100) {
      r.macro_type = kFuncKeyboardKey;
      r.macro_value = 4 + code % 90;
    } else if (code <= 110) {
      r.macro_type = kFuncMouse;
      r.macro_value = 90 + code % 3;
    } else if (code <= 120) {
      r.macro_type = kFuncConsumer;
      r.macro_value = 100 + code % 7;
    } else {
      r.macro_type = kFuncMacro;
      r.macro_value = 1 + code % kMacros;
      r.macro_value3 = 3;
    }
    r.macro_desc = L"Key";
    return r;
  }

  KeyboardDataStore store;

private:
  CString m_folder;
};

BenchDb& Db() {
  static BenchDb db;
  return db;
}

// The key index of a key code is its code - 1 here; the table starts from the defaults.
void EncodeLayer(const KeyboardDataStore::RecordList<KeyMacroRecord>& rows, const KeyActionCodec::MacroList& macros,
                 uint8_t table[384]) {
  for (const auto& row : rows) {
    if (row->macro_type == 0) continue;
    KeyActionCodec::Encode(*row, &table[(row->key_code - 1) * 3], macros);
  }
}

// Encoding alone: 128 rows already read, the macro list read once.
void BM_EncodeLayer(benchmark::State& state) {
  KeyboardDataStore::RecordList<KeyMacroRecord> rows;
  Db().store.GetLayerKeyMacros(1, 0, rows);
  KeyActionCodec::MacroList macros;
  Db().store.GetMacros(macros);
  uint8_t table[384];
  for (auto _ : state) {
    std::memset(table, 0, sizeof(table));
    EncodeLayer(rows, macros, table);
    benchmark::DoNotOptimize(table);
  }
}
BENCHMARK(BM_EncodeLayer)->Unit(benchmark::kMicrosecond);

// Encoding where each macro key reads the macro list from the store itself.
void BM_EncodeLayerListPerMacroKey(benchmark::State& state) {
  KeyboardDataStore::RecordList<KeyMacroRecord> rows;
  Db().store.GetLayerKeyMacros(1, 0, rows);
  uint8_t table[384];
  for (auto _ : state) {
    std::memset(table, 0, sizeof(table));
    for (const auto& row : rows) KeyActionCodec::Encode(*row, &table[(row->key_code - 1) * 3], Db().store);
    benchmark::DoNotOptimize(table);
  }
}
BENCHMARK(BM_EncodeLayerListPerMacroKey)->Unit(benchmark::kMicrosecond);

// The click's store work: read the key's row, give it a new function, write it back.
void BM_AssignKey(benchmark::State& state) {
  int value = 4;
  for (auto _ : state) {
    KeyMacroRecord row;
    Db().store.GetKeyMacro(1, 0, 42, row);
    row.macro_type = kFuncKeyboardKey;
    row.macro_value = value = value == 4 ? 5 : 4;
    row.macro_desc = value == 4 ? L"A" : L"B";
    Db().store.UpdateKeyMacro(row);
  }
}
BENCHMARK(BM_AssignKey)->Unit(benchmark::kMicrosecond);

// From the click to the finished 384-byte map: assignment, layer rows, macro list, encoding.
void BM_AssignAndEncodeLayer(benchmark::State& state) {
  int value = 4;
  uint8_t table[384];
  for (auto _ : state) {
    KeyMacroRecord row;
    Db().store.GetKeyMacro(1, 0, 42, row);
    row.macro_type = kFuncKeyboardKey;
    row.macro_value = value = value == 4 ? 5 : 4;
    Db().store.UpdateKeyMacro(row);
    KeyboardDataStore::RecordList<KeyMacroRecord> rows;
    Db().store.GetLayerKeyMacros(1, 0, rows);
    KeyActionCodec::MacroList macros;
    Db().store.GetMacros(macros);
    std::memset(table, 0, sizeof(table));
    EncodeLayer(rows, macros, table);
    if (table[41 * 3 + 2] != value) state.SkipWithError("the assignment is not in the map");
  }
}
BENCHMARK(BM_AssignAndEncodeLayer)->Unit(benchmark::kMicrosecond);

}  // namespace
