// Profiles through the main window against the simulated keyboards and a real database:
// the first load seeds three profiles, the list adds up to ten and refuses the eleventh,
// never deletes the last, renames; a switch writes the profile to the keyboard; the
// exchange file round-trips through the window and bad files change nothing; the profile
// manager dialog hands back nothing on OK without a selected row.
#include <map>
#include <thread>
#include <tuple>
#include "ShellWindowRig.h"
#include "controls/MTabCtrl.h"
#include "device/DeviceInfo.h"
#include "pages/KeyActionCodec.h"
#include "pages/LightDefaults.h"
#include "shell/ProfileBook.h"
#include "shell/ProfileDlg.h"
#include "shell/ShellDialogs.h"

using namespace shelltest;

namespace {

constexpr const wchar_t* kLimitText = L"最多只能创建10个配置文件!";

using KeyRowMap = std::map<std::pair<int, int>, std::tuple<int, int, int, int, std::wstring>>;

// Every key row of a profile as (layer, code) -> (type, value, value2, value3, desc).
KeyRowMap KeyRows(KeyboardDataStore& store, int profile) {
  KeyRowMap rows;
  KeyboardDataStore::RecordList<KeyMacroRecord> list;
  store.GetProfileKeyMacros(profile, list);
  for (const auto& r : list)
    rows[{r->fn_layer, r->key_code}] = {r->macro_type, r->macro_value, r->macro_value2, r->macro_value3,
                                        std::wstring(r->macro_desc.GetString())};
  return rows;
}

// The rows in which two sets differ, as text; empty when they are alike.
std::string RowDifferences(const KeyRowMap& left, const KeyRowMap& right) {
  std::string out;
  auto show = [](const auto* row) {
    if (!row) return std::string("none");
    return std::to_string(std::get<0>(*row)) + "/" + std::to_string(std::get<1>(*row)) + "/" +
           std::to_string(std::get<2>(*row)) + "/" + std::to_string(std::get<3>(*row)) + " \"" +
           std::string(std::get<4>(*row).begin(), std::get<4>(*row).end()) + "\"";
  };
  std::map<std::pair<int, int>, int> keys;
  for (const auto& [key, row] : left) keys[key] = 0;
  for (const auto& [key, row] : right) keys[key] = 0;
  for (const auto& [key, unused] : keys) {
    const auto l = left.find(key), r = right.find(key);
    const auto* lrow = l == left.end() ? nullptr : &l->second;
    const auto* rrow = r == right.end() ? nullptr : &r->second;
    if (lrow && rrow && *lrow == *rrow) continue;
    out += "(" + std::to_string(key.first) + "," + std::to_string(key.second) + "): " + show(lrow) + " vs " +
           show(rrow) + "\n";
  }
  return out;
}

// Clicks the client point of the first window of that title once it is shown.
void ClickWhenShown(const wchar_t* title, POINT at) {
  for (int i = 0; i < 300; ++i) {
    HWND box = FindWindowW(L"TQXWindow", title);
    if (box && IsWindowVisible(box)) {
      Sleep(150);
      PostMessageW(box, WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y));
      PostMessageW(box, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
      PostMessageW(box, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
      return;
    }
    Sleep(20);
  }
}

}  // namespace

TEST_F(ShellWindow, ProfileListSeedsAddsUpToTheLimitDeletesNeverTheLastAndRenames) {
  Open();
  Settle();
  Choose(101);
  ProfileList* list = List();
  ASSERT_NE(list, nullptr);

  // A new database: three profiles, the first active; every profile has four rows per key
  // (the first seeded, the others copied from it by the keyboard's read).
  ASSERT_EQ(ProfileCount(), 3);
  EXPECT_EQ(store.GetActiveProfile(), 1);
  EXPECT_EQ(dlg->m_profileId, 1);
  const int keyRows = int(ProfileBook::DefaultKeyRows(1, dlg->m_profileKeys).size());
  ASSERT_GT(keyRows, 100);
  for (int profile : {1, 2, 3}) EXPECT_EQ(store.GetKeyMacroCount(profile), keyRows) << profile;
  ASSERT_EQ(list->GetItemCount(), 3);
  for (int row = 0; row < 3; ++row) {
    EXPECT_EQ(Text(list->GetItemText(row)), L"Profile " + std::to_wstring(row + 1));
    EXPECT_EQ(list->GetItemData(row), row + 1);
  }
  EXPECT_EQ(list->GetSelectItem(), 0);

  // Adding: each new profile is named after the last, seeded, active and selected.
  for (int n = 4; n <= 10; ++n) {
    SCOPED_TRACE(n);
    EXPECT_EQ(dlg->OnMessage(54, 2, 0, 0), 1);
    ASSERT_EQ(list->GetItemCount(), n);
    const int id = list->GetItemData(n - 1);
    EXPECT_EQ(Text(list->GetItemText(n - 1)), L"Profile " + std::to_wstring(n));
    EXPECT_EQ(list->GetSelectItem(), n - 1);
    EXPECT_EQ(dlg->m_profileId, id);
    EXPECT_EQ(store.GetActiveProfile(), id);
    EXPECT_EQ(store.GetKeyMacroCount(id), keyRows);
  }
  // The eleventh add and an import at the limit: the fixed message, nothing added.
  simtest::TempFolder files;
  chosenFile = files.File(L"one.xml");
  ASSERT_EQ(dlg->ExportProfileFile(1, chosenFile.c_str()), 1);
  asked.clear();
  EXPECT_EQ(dlg->OnMessage(54, 2, 0, 0), 0);
  EXPECT_EQ(dlg->OnMessage(55, 2, 0, 0), 0);
  ASSERT_EQ(asked.size(), 2u);
  for (const Asked& a : asked) EXPECT_EQ(a.text, kLimitText);
  EXPECT_EQ(ProfileCount(), 10);
  EXPECT_EQ(list->GetItemCount(), 10);

  // Renaming: to a name another profile has (names need not differ), then to nothing,
  // which puts the stored name back.
  list->SetSelectItem(1);
  list->SetItemText(1, L"Profile 1");
  EXPECT_EQ(dlg->OnMessage(53, 29, 0, 0), 1);
  CString name;
  ASSERT_TRUE(store.GetProfileName(2, name));
  EXPECT_EQ(Text(name), L"Profile 1");
  list->SetItemText(1, L"");
  EXPECT_EQ(dlg->OnMessage(53, 29, 0, 0), 0);
  EXPECT_EQ(Text(list->GetItemText(1)), L"Profile 1");
  ASSERT_TRUE(store.GetProfileName(2, name));
  EXPECT_EQ(Text(name), L"Profile 1");

  // Deleting the first selects the new first; the last the one before it; the last
  // profile of all stays.
  list->SetSelectItem(0);
  EXPECT_EQ(dlg->OnProfileMenu(601), 1);
  EXPECT_EQ(list->GetItemCount(), 9);
  EXPECT_EQ(list->GetSelectItem(), 0);
  EXPECT_EQ(list->GetCurData(), 2);
  EXPECT_EQ(store.GetActiveProfile(), 2);
  EXPECT_EQ(dlg->m_profileId, 2);
  list->SetSelectItem(8);
  const int beforeLast = list->GetItemData(7);
  dlg->OnProfileMenu(601);
  EXPECT_EQ(list->GetCurData(), beforeLast);
  EXPECT_EQ(store.GetActiveProfile(), beforeLast);
  while (list->GetItemCount() > 1) {
    const int rows = list->GetItemCount();
    list->SetSelectItem(rows - 1);
    dlg->OnProfileMenu(601);
    ASSERT_EQ(list->GetItemCount(), rows - 1);
  }
  list->SetSelectItem(0);
  dlg->OnProfileMenu(601);
  EXPECT_EQ(list->GetItemCount(), 1);
  EXPECT_EQ(ProfileCount(), 1);
  EXPECT_EQ(store.GetActiveProfile(), list->GetItemData(0));
  Drain();
}

// A click on a profile's row makes it current and writes it to the keyboard: every key
// action of its four layers and its settings block as the store holds them.
TEST_F(ShellWindow, SwitchingProfileWritesItsKeysAndSettingsToTheKeyboard) {
  Open();
  Settle();
  Choose(101);
  // Profile 2 differs from profile 1: key A sends B on layer 0 and C on layer 1, and its
  // settings.
  KeyMacroRecord a;
  ASSERT_TRUE(store.GetKeyMacro(2, 0, 4, a));
  a.macro_type = 2;
  a.macro_value = 5;
  a.macro_desc = L"B";
  ASSERT_TRUE(store.AssignKeyMacro(a));
  a.fn_layer = 1;
  a.macro_value = 6;
  a.macro_desc = L"C";
  ASSERT_TRUE(store.AssignKeyMacro(a));
  for (auto [key, value] : {std::pair{L"mac_mode", L"1"}, std::pair{L"game_mode", L"1"}, std::pair{L"lock_win", L"1"},
                            std::pair{L"wasd_mode", L"0"}, std::pair{L"sleep_time", L"5"},
                            std::pair{L"key_keyresponse", L"4"}})
    ASSERT_TRUE(store.SetConfigValue(2, key, value));
  // Its lighting too: mode 3 with its own brightness, speed and colour, where profile 1
  // (the one shown) has mode 1.
  LightDefaults::SeedZones(store, 2, 101);
  ASSERT_TRUE(store.SetConfigValue(2, L"enable_light", L"1"));
  ASSERT_TRUE(store.SetActiveLightMode(2, 0, 3));
  LightRecord light;
  ASSERT_TRUE(store.GetLight(2, 0, 3, light));
  light.brightness = 2;
  light.speed = 1;
  light.colorful = 0;
  light.color_value = 0x00336699;
  ASSERT_TRUE(store.UpdateLight(0, 0, 3, light));
  ASSERT_NE(dlg->m_lightMode, 3);

  List()->SetCurData(2);
  // Runs the busy dialog until the worker has applied the profile.
  EXPECT_EQ(dlg->OnMessage(53, 2, 0, 0), 1);
  EXPECT_EQ(store.GetActiveProfile(), 2);
  EXPECT_EQ(dlg->m_profileId, 2);
  Drain();

  for (int layer = 0; layer < 4; ++layer) {
    SCOPED_TRACE(layer);
    std::vector<uint8_t> table;
    ASSERT_TRUE(sim::ReadTable("k101", sim::Table::KeyMap, layer, table));
    KeyboardDataStore::RecordList<KeyMacroRecord> rows;
    store.GetLayerKeyMacros(2, layer, rows);
    int compared = 0;
    for (const auto& row : rows) {
      auto index = dlg->m_keyIndexByCode.find(row->key_code);
      if (row->macro_type == 0 || index == dlg->m_keyIndexByCode.end()) continue;
      uint8_t expected[3] = {};
      KeyActionCodec::Encode(*row, expected);
      ASSERT_LE(size_t(index->second) * 3 + 3, table.size());
      EXPECT_EQ(std::vector<uint8_t>(expected, expected + 3),
                std::vector<uint8_t>(table.begin() + index->second * 3, table.begin() + index->second * 3 + 3))
          << "key " << row->key_code;
      ++compared;
    }
    EXPECT_GT(compared, 50);
  }
  std::vector<uint8_t> block;
  ASSERT_TRUE(sim::ReadTable("k101", sim::Table::Settings, 0, block));
  const SystemSettings s = ReadSystemSettings(block.data(), dlg->m_deviceInfo.protocolVersion);
  EXPECT_EQ(s.macMode, 1);
  EXPECT_EQ(s.gameMode, 1);
  EXPECT_EQ(s.lockWin, 1);
  EXPECT_EQ(s.wasdMode, 0);
  EXPECT_EQ(s.sleepSeconds, 300);
  EXPECT_EQ(s.keyResponse, 4);
  // The zone record of the main lighting: the profile's mode and that mode's row.
  const uint8_t* zone = block.data() + kZone0Record;
  EXPECT_EQ(zone[1], 3) << "mode";
  EXPECT_EQ(zone[2], 2) << "brightness";
  EXPECT_EQ(zone[3], dlg->m_deviceInfo.zone0SpeedMax - 1) << "speed";
  EXPECT_EQ(zone[4], 0) << "colourful";
  EXPECT_EQ(std::vector<uint8_t>(zone + 6, zone + 9), (std::vector<uint8_t>{0x99, 0x66, 0x33})) << "colour";
  EXPECT_EQ(dlg->m_lightMode, 3);
}

// Export then import through the window: a second profile with every key of every layer;
// files that are not whole profiles change nothing and the user is told.
TEST_F(ShellWindow, ExchangeFileRoundTripsAndBadFilesChangeNothing) {
  Open();
  Settle();
  Choose(101);
  KeyMacroRecord a;
  ASSERT_TRUE(store.GetKeyMacro(1, 3, 4, a));
  a.macro_type = 2;
  a.macro_value = 0x29;
  a.macro_desc = L"Esc & <\"quoted\">";
  ASSERT_TRUE(store.AssignKeyMacro(a));

  simtest::TempFolder files;
  chosenFile = files.File(L"keys.xml");
  List()->SetCurData(1);
  // The rows as exported: a keyboard read may still change profile 1 later.
  const KeyRowMap exported = KeyRows(store, 1);
  dlg->OnProfileMenu(602);
  ASSERT_NE(GetFileAttributesW(chosenFile.c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(dlg->OnMessage(55, 2, 0, 0), 1);
  ASSERT_EQ(ProfileCount(), 4);
  const int imported = List()->GetCurData();
  EXPECT_EQ(imported, 4);
  EXPECT_EQ(store.GetActiveProfile(), 4);
  EXPECT_EQ(RowDifferences(KeyRows(store, imported), exported), "");
  Drain();

  // Out-of-range items, a file cut short and a file that is no XML: nothing is added.
  const std::string whole = simtest::ReadText(chosenFile);
  struct Bad {
    const char* what;
    std::string bytes;
  };
  const Bad bad[] = {
      {"truncated", whole.substr(0, whole.size() / 2)},
      {"not XML", "this is not a profile\r\n"},
      {"no profile root", "<?xml version=\"1.0\"?><keys/>"},
  };
  const int before = ProfileCount();
  const auto rows = KeyRows(store, 1);
  for (const Bad& b : bad) {
    SCOPED_TRACE(b.what);
    simtest::WriteText(chosenFile, b.bytes);
    asked.clear();
    dlg->OnMessage(55, 2, 0, 0);
    EXPECT_EQ(ProfileCount(), before);
    ASSERT_EQ(asked.size(), 1u) << "the user is told";
    EXPECT_EQ(asked[0].text, Text(LoadLangString(72)));
    EXPECT_EQ(KeyRows(store, 1), rows);
  }
  // Items outside layers 0-3 or codes 1-255 are skipped; the rest are stored over the
  // new profile's default rows.
  simtest::WriteText(chosenFile,
                     "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<profile><profileinfo name=\"Odd\"/><key_macro>"
                     "<item fn_layer=\"4\" key_code=\"4\" macro_type=\"2\" macro_value=\"9\"/>"
                     "<item fn_layer=\"0\" key_code=\"300\" macro_type=\"2\" macro_value=\"9\"/>"
                     "<item fn_layer=\"2\" key_code=\"5\" layout_value=\"5\" layout_desc=\"B\" macro_type=\"2\" "
                     "macro_value=\"7\" macro_desc=\"D\"/></key_macro></profile>");
  EXPECT_EQ(dlg->OnMessage(55, 2, 0, 0), 1);
  const int odd = List()->GetCurData();
  ASSERT_EQ(ProfileCount(), before + 1);
  KeyMacroRecord row;
  ASSERT_TRUE(store.GetKeyMacro(odd, 2, 5, row));
  EXPECT_EQ(row.macro_value, 7);
  EXPECT_EQ(store.GetKeyMacroCount(odd), store.GetKeyMacroCount(1)) << "default rows, no out-of-range row";
  Drain();
}

namespace {

// The profile manager over a database of its own, without the main window.
class ProfileManager : public ::testing::Test {
protected:
  void SetUp() override {
    SetLanguageFolder((SourceDataFolder() + L"language\\").c_str());
    CurrentLanguageId = 1033;
    CreateDirectoryW((folder.Path() + L"db").c_str(), nullptr);
    ASSERT_TRUE(store.OpenDeviceDb(folder.Path().c_str(), L"K101"));
  }
  void TearDown() override {
    store.DeleteDeviceDb(folder.Path().c_str(), L"K101");
    SetLanguageFolder(L"");
  }
  // Runs the dialog modally while `clicks` (client points) are made one after another.
  UINT Run(ProfileDlg& dialog, std::vector<POINT> clicks) {
    EXPECT_TRUE(dialog.Create(nullptr, L"ProfileDlg", 0x96020000, 0, CRect(0, 0, 800, 600)));
    std::thread clicker([clicks] {
      for (POINT at : clicks) ClickWhenShown(L"ProfileDlg", at);
    });
    const UINT result = dialog.ShowModal(SW_SHOW);
    clicker.join();
    return result;
  }
  int Count() {
    KeyboardDataStore::RecordList<ProfileRecord> profiles;
    return store.GetProfiles(profiles);
  }
  std::vector<ProfileKey> Keys() { return {{4, L"A"}, {5, L"B"}, {41, L"Esc"}}; }

  simtest::TempFolder folder;
  KeyboardDataStore store;
};

constexpr POINT kAddButton = {100, 98};
constexpr POINT kOkButton = {490, 555};

}  // namespace

TEST_F(ProfileManager, EmptyDatabaseGetsThreeSeededProfilesAndOkHandsBackTheSelected) {
  ProfileDlg dialog(store, Keys());
  EXPECT_EQ(Run(dialog, {kAddButton, kOkButton}), 1u);
  ASSERT_EQ(Count(), 4);
  for (int profile = 1; profile <= 4; ++profile) EXPECT_EQ(store.GetKeyMacroCount(profile), 12) << profile;
  EXPECT_EQ(dialog.m_chosenProfile, 4);
  EXPECT_EQ(store.GetActiveProfile(), 4);
  CString name;
  store.GetProfileName(4, name);
  EXPECT_EQ(Text(name), Text(LoadLangString(68)) + L" 4");
}

// OK while no row is selected (no profile active) used to hand back profile 0, which the
// opener made current and wrote to the keyboard as an empty profile.
TEST_F(ProfileManager, OkWithoutASelectedRowIsCancel) {
  for (const wchar_t* n : {L"Work", L"Play"}) {
    ProfileRecord record;
    record.name = n;
    ASSERT_GT(store.AddProfile(record), 0);
  }
  ASSERT_EQ(store.GetActiveProfile(), 0);
  ProfileDlg dialog(store, Keys());
  EXPECT_EQ(Run(dialog, {kOkButton}), 2u);
  EXPECT_EQ(store.GetActiveProfile(), 0);
  EXPECT_EQ(Count(), 2);
}

TEST_F(ProfileManager, ListOperationsFollowTheDialogsRules) {
  ProfileDlg dialog(store, Keys());
  std::vector<Asked> asked;
  dialog.m_messageBox = [&](HWND, const CString& text, const CString& caption, int type) {
    asked.push_back({text.GetString(), caption.GetString(), type});
    return 1;
  };
  ASSERT_TRUE(dialog.Create(nullptr, L"ProfileDlg", 0x96020000 & ~WS_VISIBLE, 0, CRect(0, 0, 800, 600)));
  ASSERT_NE(dialog.m_list, nullptr);
  ASSERT_EQ(dialog.m_list->GetItemCount(), 3);
  // Up to ten rows; the eleventh add shows the language file's limit message.
  for (int n = 4; n <= 10; ++n) EXPECT_EQ(dialog.OnMessage(34, 2, 0, 0), 1);
  EXPECT_EQ(dialog.OnMessage(34, 2, 0, 0), 0);
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0].text, Text(LoadLangString(69)));
  EXPECT_EQ(asked[0].caption, Text(LoadLangString(66)));
  EXPECT_EQ(Count(), 10);
  // A row click makes it active in the store only.
  dialog.m_list->SetSelectItem(2);
  EXPECT_EQ(dialog.OnMessage(35, 2, 0, 0), 1);
  EXPECT_EQ(store.GetActiveProfile(), 3);
  EXPECT_EQ(dialog.m_chosenProfile, 3);
  // The row's delete button: the first of several selects the new first; the last one
  // never goes.
  dialog.m_list->SetSelectItem(0);
  EXPECT_EQ(dialog.OnMessage(35, 9, 0, 0), 1);
  EXPECT_EQ(dialog.m_list->GetCurData(), 2);
  EXPECT_EQ(dialog.m_chosenProfile, 2);
  EXPECT_EQ(store.GetActiveProfile(), 2);
  while (dialog.m_list->GetItemCount() > 1) {
    dialog.m_list->SetSelectItem(0);
    dialog.OnMessage(35, 9, 0, 0);
  }
  dialog.m_list->SetSelectItem(0);
  EXPECT_EQ(dialog.OnMessage(35, 9, 0, 0), 0);
  EXPECT_EQ(Count(), 1);
  // Export and import beside the list.
  simtest::TempFolder files;
  const std::wstring path = files.File(L"p.xml");
  dialog.m_chooseFile = [&](bool) { return CString(path.c_str()); };
  EXPECT_EQ(dialog.OnMessage(39, 2, 0, 0), 1);
  EXPECT_EQ(dialog.OnMessage(38, 2, 0, 0), 1);
  EXPECT_EQ(Count(), 2);
  EXPECT_EQ(store.GetKeyMacroCount(dialog.m_chosenProfile), 12);
  dialog.DestroyWindow();
}
