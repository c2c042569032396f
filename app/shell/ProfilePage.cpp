// Profiles in the main window: the profile list (control 53) at the left of every device
// page with its add and import buttons and its row menu (delete, export, rename), the list
// load and the profile's application that the worker runs, and the openers of the profile
// manager and about dialogs. The store work itself is ProfileBook's.
#include "shell/KeyboardDlg.h"
#include <commdlg.h>
#include "controls/CSwitchButton.h"
#include "controls/ProfileList.h"
#include "controls/TabCtrlEx.h"
#include "core/MenuWnd.h"
#include "pages/LightDefaults.h"
#include "shell/AboutVIPDlg.h"
#include "shell/LanguageText.h"
#include "shell/ProfileDlg.h"
#include "shell/ProfileFileDialog.h"
#include "shell/ShellDialogs.h"
#include "store/KeyboardDataStore.h"
#include "widgets/KeyLayerCtrl.h"
#include "widgets/KeyboardCtrl.h"

namespace {

constexpr int kProfileListId = 53;
constexpr int kMenuDelete = 601;
constexpr int kMenuExport = 602;
constexpr int kMenuRename = 605;

// The lighting mode a profile shows on a zone, as the lighting page's load reads it: the
// zone's active mode, or 0 while the profile's lighting is switched off. A profile without
// lighting rows gets its defaults first.
int ProfileLightMode(KeyboardDataStore& store, int profile, int zone, int deviceType) {
  LightDefaults::SeedZones(store, profile, deviceType);
  CString enabled;
  store.GetConfigValue(profile, L"enable_light", enabled);
  if (enabled != L"1") return 0;
  return store.GetActiveLightMode(profile, zone);
}

}  // namespace

ProfileBook KeyboardDlg::MainProfileBook() {
  std::vector<ProfileKey> keys;
  {
    std::lock_guard<std::mutex> hold(m_pageStateLock);
    keys = m_profileKeys;
  }
  return ProfileBook(m_store, {LoadLangString(65), LoadLangString(68), LoadLangString(65)}, std::move(keys));
}

int KeyboardDlg::AskUser(const CString& text, const CString& caption, int type) {
  if (m_messageBox) return m_messageBox(GetSafeHwnd(), text, caption, type);
  return ShowMessageBox(GetSafeHwnd(), text.GetString(), caption.GetString(), type);
}

// ---- the worker's side ----

void KeyboardDlg::ShowProfileList() {
  ProfileBook book = MainProfileBook();
  std::vector<ProfileEntry> entries = book.List();
  const int active = m_profileId;
  OnWindowThread([this, entries = std::move(entries), active] {
    auto* list = dynamic_cast<ProfileList*>(Control(kProfileListId));
    if (!list) return;
    list->ClearList();
    for (const ProfileEntry& e : entries) list->AddItem(e.shownName, e.id, ProfileBook::kProfileIcon);
    list->SetScrollPos(0);
    list->SetCurData(active);
  });
}

void KeyboardDlg::LoadProfileList() {
  ProfileBook book = MainProfileBook();
  // A new database gets its three profiles, the first with its key rows.
  if (m_store.IsOpened()) book.EnsureDefaultProfiles(false);
  m_profileId = book.ActiveProfile();
  ShowProfileList();
  m_fnLayer = 0;
  SyncFromDevice();
  ReloadPages();
}

void KeyboardDlg::ReloadPages() {
  if (m_featureMask & 0x01) LoadKeyAssignments(m_profileId);
  if ((m_linkMode == 0 && (m_featureMask & 0x40)) || (m_linkMode == 1 && m_featureMask2)) LoadLedPage();
  // The lighting pages show the profile's rows (seeded for a new profile).
  LoadLightingPages();
  // The macro list is the model's, not a profile's, but a reset has emptied it.
  OnWindowThread([this] { LoadMacroList(); });
  LoadSystemSettings();
}

void KeyboardDlg::ApplyProfile() {
  if (m_featureMask & 0x01) {
    m_fnLayer = 0;
    OnWindowThread([this] {
      if (auto* layers = dynamic_cast<KeyLayerCtrl*>(Control(56))) layers->SetCurrentLayer(0);
    });
    m_selectedKey = -2;
    LoadKeyAssignments(m_profileId);
    SetKeyMacroData();
  }
  LoadSystemSettings();
  // The keyboard's own settings belong to the profile too: its block takes the profile's.
  WriteSystemSettings();
  // The lighting, matrix, music and LED pages show the new profile's rows. Their load
  // runs on the window thread, later: the write below takes the profile's mode now.
  m_lightMode = ProfileLightMode(m_store, m_profileId, m_lightZone, m_deviceType);
  LoadLightingPages();
  const bool colourSet = m_lightMode >= 128;
  const bool lightingPage = m_mainPage == 1;
  m_liveKeyColors = 0;
  OnWindowThread([this, colourSet, lightingPage] {
    if (m_keyboardCtrl) {
      m_keyboardCtrl->ResetAllItemCheck(0);
      if (lightingPage) m_keyboardCtrl->SetKeyboardCtrlMode(colourSet ? 103 : 100);
    }
    if (auto* live = dynamic_cast<CSwitchButton*>(Control(125))) live->SetCheck(0);
  });
  if (colourSet) {
    WriteCustomLightMode();
    WriteCustomColors();
  } else {
    WriteLightMode();
  }
  CString zephra;
  m_store.GetConfigValue(m_profileId, L"zephra_mode", zephra);
  const int mode = _wtoi(zephra.GetString());
  OnWindowThread([this, mode] {
    if (auto* modes = dynamic_cast<TabCtrlEx*>(Control(242))) modes->SetCurData(mode);
    if (m_mainPage == 2) OnZephraModeChanged();
  });
}

// ---- the list's handlers (window thread) ----

void KeyboardDlg::SwitchProfile(int profile, bool wait) {
  m_profileId = profile;
  m_store.SetActiveProfile(profile);
  AddTask(kTaskApplyProfile);
  if (!wait) return;
  delete m_waitDlg;
  m_waitDlg = new WaitDlg;
  static_cast<WaitDlg*>(m_waitDlg)->ShowCentered(GetSafeHwnd());
}

int KeyboardDlg::ShowProfileLimitMessage(HWND) {
  // Fixed texts, not the language file's.
  return AskUser(L"最多只能创建10个配置文件!", L"添加配置文件", kMessageBoxOk);
}

int KeyboardDlg::AddProfile() {
  auto* list = dynamic_cast<ProfileList*>(Control(kProfileListId));
  if (list && list->GetItemCount() >= ProfileBook::kMaxProfiles) {
    ShowProfileLimitMessage(GetSafeHwnd());
    return 0;
  }
  ProfileBook book = MainProfileBook();
  int id = 0;
  const ProfileResult result = book.Add(id);
  if (result == ProfileResult::LimitReached) {
    ShowProfileLimitMessage(GetSafeHwnd());
    return 0;
  }
  if (result != ProfileResult::Done) return 1;
  if (list) {
    CString name;
    m_store.GetProfileName(id, name);
    list->AddItem(DisplayProfileName(name, {LoadLangString(65), LoadLangString(68), LoadLangString(65)}), id,
                  ProfileBook::kProfileIcon);
    list->SetSelectItem(list->GetItemCount() - 1);
  }
  SwitchProfile(id, false);
  return 1;
}

int KeyboardDlg::DeleteProfile() {
  auto* list = dynamic_cast<ProfileList*>(Control(kProfileListId));
  if (!list || list->GetItemCount() < 2 || list->GetSelectItem() < 0) return 0;
  const int row = list->GetSelectItem();
  int nowActive = 0;
  if (MainProfileBook().Delete(list->GetItemData(row), nowActive) != ProfileResult::Done) return 0;
  list->DeleteItem(row);
  list->SetCurData(nowActive);
  SwitchProfile(nowActive, false);
  return 1;
}

int KeyboardDlg::OnProfileListNotify(UINT code, WPARAM, LPARAM) {
  auto* list = dynamic_cast<ProfileList*>(Control(kProfileListId));
  switch (code) {
    case 9: {  // the row's button: its menu
      if (!GetSafeHwnd()) return 1;
      POINT at = {};
      GetCursorPos(&at);
      // The menu deletes itself once its window is gone; one never created is ours.
      auto* menu = new MenuWnd(this);
      if (!menu->Create(GetSafeHwnd(), CPoint(at.x, at.y), UM_PROFILE_MENU, CString(L"img_menu.png"), 30, 200,
                        BACKMODE_NINEGRID)) {
        delete menu;
        return 1;
      }
      menu->AddMenu(L"删除", kMenuDelete, CString(), 0, -1);
      menu->AddMenu(L"导出", kMenuExport, CString(), 0, -1);
      menu->AddMenu(L"重命名", kMenuRename, CString(), 0, -1);
      menu->SetMenuPoint();
      menu->ShowModal2(1);
      return 1;
    }
    case 29: {  // the in-place rename has ended
      if (!list || list->GetSelectItem() < 0) return 0;
      const int row = list->GetSelectItem();
      CString shown;
      const ProfileResult result = MainProfileBook().Rename(list->GetItemData(row), list->GetItemText(row), shown);
      if (result == ProfileResult::Done) return 1;
      if (result == ProfileResult::EmptyName) list->SetItemText(row, shown);
      return 0;
    }
    case 2:  // a row clicked: that profile, also the current one again
      if (!list || list->GetSelectItem() < 0) return 1;
      SwitchProfile(list->GetCurData(), true);
      return 1;
    default: return 1;
  }
}

int KeyboardDlg::OnProfileMenu(LPARAM item) {
  switch (int(item)) {
    case kMenuDelete: DeleteProfile(); break;
    case kMenuExport: ExportProfileXml(); break;
    case kMenuRename:
      if (auto* list = dynamic_cast<ProfileList*>(Control(kProfileListId))) list->ShowEdit();
      break;
    default: break;
  }
  return 1;
}

// ---- the exchange file ----

void KeyboardDlg::ExportProfileXml() {
  auto* list = dynamic_cast<ProfileList*>(Control(kProfileListId));
  if (!list || list->GetSelectItem() < 0) return;
  const int profile = list->GetCurData();
  const CString path = m_chooseProfileFile ? m_chooseProfileFile(true) : ChooseProfileFile(GetSafeHwnd(), true);
  if (path.IsEmpty()) return;
  if (!ExportProfileFile(profile, path)) AskUser(LoadLangString(73), LoadLangString(67), kMessageBoxOk);
}

int KeyboardDlg::ExportProfileFile(int profile, const CString& path) {
  return ProfileXml::Save(path, MainProfileBook().Export(profile)) == ProfileXmlResult::Ok ? 1 : 0;
}

int KeyboardDlg::ImportProfileXml() {
  auto* list = dynamic_cast<ProfileList*>(Control(kProfileListId));
  if (list && list->GetItemCount() >= ProfileBook::kMaxProfiles) {
    ShowProfileLimitMessage(GetSafeHwnd());
    return 0;
  }
  const CString path = m_chooseProfileFile ? m_chooseProfileFile(false) : ChooseProfileFile(GetSafeHwnd(), false);
  if (path.IsEmpty() || GetFileAttributesW(path.GetString()) == INVALID_FILE_ATTRIBUTES) return 0;
  ImportProfileFile(path);
  return 1;
}

int KeyboardDlg::ImportProfileFile(const CString& path) {
  ProfileFile file;
  const ProfileXmlResult read = ProfileXml::Load(path, file);
  if (read != ProfileXmlResult::Ok) {
    // A file that is not a whole profile changes nothing, and the user is told so.
    AskUser(LoadLangString(72), LoadLangString(67), kMessageBoxOk);
    return 0;
  }
  const ProfileImport done = MainProfileBook().Import(file);
  if (done.result == ProfileResult::LimitReached) {
    ShowProfileLimitMessage(GetSafeHwnd());
    return 0;
  }
  if (done.result != ProfileResult::Done) {
    AskUser(LoadLangString(72), LoadLangString(67), kMessageBoxOk);
    return 0;
  }
  if (auto* list = dynamic_cast<ProfileList*>(Control(kProfileListId))) {
    list->AddItem(DisplayProfileName(file.name, {LoadLangString(65), LoadLangString(68), LoadLangString(65)}),
                  done.profile, ProfileBook::kProfileIcon);
    list->SetSelectItem(list->GetItemCount() - 1);
  }
  SwitchProfile(done.profile, false);
  return 1;
}

// ---- the dialogs the frame opens ----

int KeyboardDlg::RunProfileDialog() {
  std::vector<ProfileKey> keys;
  {
    std::lock_guard<std::mutex> hold(m_pageStateLock);
    keys = m_profileKeys;
  }
  ProfileDlg dialog(m_store, std::move(keys));
  dialog.m_chosenProfile = 1;
  dialog.m_messageBox = m_messageBox;
  dialog.m_chooseFile = m_chooseProfileFile;
  if (!dialog.Create(GetSafeHwnd(), L"ProfileDlg", 0x96020000, 0, CRect(0, 0, 800, 600))) return 0;
  dialog.CenterWindow(nullptr);
  const UINT result = dialog.ShowModal(SW_SHOW);
  // Whatever the dialog changed, the list shows the store as it is now.
  ShowProfileList();
  return result == 1 ? dialog.m_chosenProfile : 0;
}

int KeyboardDlg::RunAboutDialog() {
  AboutVIPDlg dialog;
  if (!dialog.Create(GetSafeHwnd(), L"UpdateTipDlg", 0x96020000, 0, CRect(0, 0, 1400, 788))) return 0;
  dialog.CenterWindow(nullptr);
  dialog.ShowModal(SW_SHOW);
  return 1;
}
