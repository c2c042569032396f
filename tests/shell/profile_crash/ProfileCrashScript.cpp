#include "ProfileCrashScript.h"
#include <random>
#include "shell/ProfileXml.h"
#include "store/KeyboardDataStore.h"

namespace profilecrash {

std::vector<ProfileKey> Keys() {
  std::vector<ProfileKey> keys;
  for (int code = 4; code <= 101; ++code) {
    CString name;
    name.Format(L"K%d", code);
    keys.push_back({code, name});
  }
  for (int code = 224; code <= 231; ++code) {
    CString name;
    name.Format(L"M%d", code);
    keys.push_back({code, name});
  }
  return keys;
}

ProfileNameTexts Texts() { return {L"Profile", L"Profile", L"Mine"}; }

bool WriteImportFile(const CString& path) {
  ProfileFile file;
  file.name = L"Imported";
  for (const ProfileKey& key : Keys()) {
    for (int layer = 0; layer < ProfileBook::kFnLayers; ++layer) {
      KeyMacroRecord r;
      r.fn_layer = layer;
      r.key_code = key.code;
      r.layout_value = key.code;
      r.layout_desc = key.name;
      r.macro_type = 3;
      r.macro_value = key.code + layer;
      r.macro_desc = L"imported";
      file.items.push_back(r);
    }
  }
  return ProfileXml::Save(path, file) == ProfileXmlResult::Ok;
}

void RunStep(KeyboardDataStore& store, const Setup& setup, uint32_t seed, int step) {
  ProfileBook book(store, Texts(), Keys());
  if (step == 0) {
    store.OpenDeviceDb(setup.folder, setup.model);
    book.EnsureDefaultProfiles(true);
    return;
  }
  std::mt19937 random(seed * 7919u + static_cast<uint32_t>(step));
  const int choice = static_cast<int>(random() % 100);
  const std::vector<ProfileEntry> list = book.List();
  const int someone = list.empty() ? 0 : list[random() % list.size()].id;

  if (choice < 25) {
    book.Activate(someone);
  } else if (choice < 40) {
    int id = 0;
    book.Add(id);
  } else if (choice < 55) {
    ProfileFile file;
    if (ProfileXml::Load(setup.importFile, file) == ProfileXmlResult::Ok) book.Import(file);
  } else if (choice < 65) {
    int active = 0;
    book.Delete(someone, active);
  } else if (choice < 75) {
    CString name, shown;
    name.Format(L"Renamed %d", step);
    book.Rename(someone, name, shown);
  } else if (choice < 85) {
    KeyMacroRecord r;
    r.profile = someone;
    r.fn_layer = static_cast<int>(random() % 4);
    r.key_code = Keys()[random() % Keys().size()].code;
    r.layout_value = r.key_code;
    r.macro_type = 2;
    r.macro_value = static_cast<int>(random() % 256);
    r.macro_desc.Format(L"step %d", step);
    store.AssignKeyMacro(r);
  } else if (choice < 93) {
    store.ResetDeviceDb(setup.folder, setup.model);
  } else {
    book.EnsureDefaultProfiles(true);
  }
}

}  // namespace profilecrash
