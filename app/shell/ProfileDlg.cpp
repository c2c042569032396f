#include "shell/ProfileDlg.h"
#include <tuple>
#include "controls/CArea.h"
#include "controls/CIconButton.h"
#include "controls/MButton.h"
#include "controls/MText.h"
#include "controls/ProfileList.h"
#include "shell/LanguageText.h"
#include "shell/ProfileFileDialog.h"
#include "shell/ShellDialogs.h"
#include "store/KeyboardDataStore.h"
#include "shell/ControlCasts.h"

namespace {

}  // namespace

ProfileDlg::ProfileDlg(KeyboardDataStore& store, std::vector<ProfileKey> keys)
    : m_store(store), m_keys(std::move(keys)) {}

ProfileDlg::~ProfileDlg() = default;

// The dialog's own words: new and default profiles are named with text 68, and so are the
// stored names of either default word.
ProfileBook ProfileDlg::Book() {
  const CString word = LoadLangString(68);
  return ProfileBook(m_store, {word, word, word}, m_keys);
}

int ProfileDlg::ShowMessage(const CString& text, const CString& caption, int type) {
  if (m_messageBox) return m_messageBox(GetSafeHwnd(), text, caption, type);
  return ShowMessageBox(GetSafeHwnd(), text.GetString(), caption.GetString(), type);
}

int ProfileDlg::OnInitDialog() {
  MDialog::OnInitDialog();
  FillList();
  ::SetWindowPos(GetSafeHwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
  return 1;
}

void ProfileDlg::InitUI(CRect client) {
  const int w = client.right, h = client.bottom, c = w / 2;
  if (auto* band = dynamic_cast<CArea*>(CreateArea(L"CArea", 31, CRect(1, 1, w - 1, 60), L"", 1, 1)))
    band->SetTransparent(0, 0, 0xF4ECE9);
  if (auto* title = dynamic_cast<MText*>(CreateArea(L"MText", 32, CRect(15, 15, 135, 45), LoadLangString(67).GetString(), 1, 1))) {
    title->SetTextColor(Argb(0xFF3A4E60));
    title->SetFont(L"Roboto-Bold", 20, Gdiplus::FontStyleBold);
  }
  if (MControl* close = CreateControl(L"CImageButton", 33, CRect(w - 40, 12, w - 12, 40), L"", 1, 1)) {
    if (auto* f = dynamic_cast<MControlFont*>(close)) f->SetImage(L"main_sysbtn_close.png", 4);
    close->SetTooltip(LoadLangString(1).GetString());
  }
  if (auto* add = dynamic_cast<CIconButton*>(CreateControl(L"CIconButton", 34, CRect(20, 80, 180, 116), LoadLangString(66).GetString(), 1, 1))) {
    add->SetImage(L"img_button2.png", 4);
    add->SetTextColor(Argb(0xFF3A4E60));
    add->SetIconImage(L"icon\\icon_add.png", 1);
  }
  // The exchange file's import and export beside the add button, over the list they act on.
  for (auto [id, text, icon, left] : {std::tuple{38, 74, L"icon\\icon_file.png", 200},
                                      std::tuple{39, 75, L"icon\\icon_file.png", 380}}) {
    if (auto* b = dynamic_cast<CIconButton*>(CreateControl(L"CIconButton", UINT(id), CRect(left, 80, left + 160, 116),
                                                           LoadLangString(text).GetString(), 1, 1))) {
      b->SetImage(L"img_button2.png", 4);
      b->SetTextColor(Argb(0xFF3A4E60));
      b->SetIconImage(icon, 1);
    }
  }
  m_list = dynamic_cast<ProfileList*>(CreateControl(L"ProfileList", 35, CRect(20, 130, w - 20, h - 80), L"", 1, 1));
  if (m_list) {
    m_list->SetImage(L"imglist_del.png", 2);
    m_list->SetItemBkg(L"img_tab_item.png");
  }
  for (auto [id, text, rect] : {std::tuple{36, 21, CRect(c - 150, h - 60, c - 30, h - 30)},
                                std::tuple{37, 40, CRect(c + 30, h - 60, c + 150, h - 30)}}) {
    if (auto* b = dynamic_cast<MButton*>(CreateControl(L"MButton", UINT(id), rect, LoadLangString(text).GetString(), 1, 1))) {
      b->SetImage(L"img_button2.png", 4);
      b->SetTextColor(Argb(0xFF3A4E60));
    }
  }
}

void ProfileDlg::UISize(CRect) {}

int ProfileDlg::Quit() { return DestroyWindow(); }

void ProfileDlg::FillList() {
  if (!m_list) return;
  m_list->ClearList();
  ProfileBook book = Book();
  // Unlike the main window's list, all three default profiles get their key rows here.
  book.EnsureDefaultProfiles(true);
  for (const ProfileEntry& e : book.List()) m_list->AddItem(e.shownName, e.id, ProfileBook::kProfileIcon);
  m_chosenProfile = book.ActiveProfile();
  m_list->SetCurData(m_chosenProfile);
}

int ProfileDlg::AddProfile() {
  if (m_list && m_list->GetItemCount() > 9) {
    ShowMessage(LoadLangString(69), LoadLangString(66), kMessageBoxOk);
    return 0;
  }
  int id = 0;
  const ProfileResult result = Book().Add(id);
  if (result == ProfileResult::LimitReached) {
    ShowMessage(LoadLangString(69), LoadLangString(66), kMessageBoxOk);
    return 0;
  }
  if (result != ProfileResult::Done) return 1;
  if (m_list) {
    CString name;
    m_store.GetProfileName(id, name);
    m_list->AddItem(name, id, ProfileBook::kProfileIcon);
    m_list->SetSelectItem(m_list->GetItemCount() - 1);
  }
  m_chosenProfile = id;
  return 1;
}

int ProfileDlg::OnListNotify(UINT code) {
  if (!m_list) return 0;
  const int row = m_list->GetSelectItem();
  switch (code) {
    case 9: {  // the row's delete button, without a question
      if (m_list->GetItemCount() < 2 || row < 0) return 0;
      int nowActive = 0;
      if (Book().Delete(m_list->GetItemData(row), nowActive) != ProfileResult::Done) return 1;
      m_list->DeleteItem(row);
      m_list->SetCurData(nowActive);
      m_chosenProfile = nowActive;
      return 1;
    }
    case 29: {  // the in-place rename has ended
      if (row < 0) return 0;
      CString shown;
      const ProfileResult result = Book().Rename(m_list->GetItemData(row), m_list->GetItemText(row), shown);
      if (result == ProfileResult::Done) return 1;
      if (result == ProfileResult::EmptyName) m_list->SetItemText(row, shown);
      return 0;
    }
    case 2:  // a row clicked: active in the store; the opener applies it after OK
      if (row < 0) return 1;
      m_chosenProfile = m_list->GetCurData();
      Book().Activate(m_chosenProfile);
      return 1;
    default: return 1;
  }
}

LRESULT ProfileDlg::OnMessage(UINT id, UINT code, WPARAM, LPARAM) {
  if (id == 35) return OnListNotify(code);
  if (code != 2) return 0;
  switch (id) {
    case 33:
    case 36: DoCancel(); break;
    case 34: return AddProfile();
    case 38: ImportProfile(); break;
    case 39: ExportProfile(); break;
    case 37:
      // OK without a selected row hands nothing back: it is the same as cancel, so no
      // empty profile is ever made current or written to the keyboard.
      if (!m_list || m_list->GetSelectItem() < 0) {
        DoCancel();
        break;
      }
      m_chosenProfile = m_list->GetCurData();
      DoOK();
      break;
    default: break;
  }
  return 1;
}

int ProfileDlg::ExportProfile() {
  if (!m_list || m_list->GetSelectItem() < 0) return 0;
  const int profile = m_list->GetCurData();
  const CString path = m_chooseFile ? m_chooseFile(true) : ChooseProfileFile(GetSafeHwnd(), true);
  if (path.IsEmpty()) return 0;
  if (ProfileXml::Save(path, Book().Export(profile)) == ProfileXmlResult::Ok) return 1;
  ShowMessage(LoadLangString(73), LoadLangString(67), kMessageBoxOk);
  return 0;
}

int ProfileDlg::ImportProfile() {
  if (m_list && m_list->GetItemCount() > 9) {
    ShowMessage(LoadLangString(69), LoadLangString(66), kMessageBoxOk);
    return 0;
  }
  const CString path = m_chooseFile ? m_chooseFile(false) : ChooseProfileFile(GetSafeHwnd(), false);
  if (path.IsEmpty()) return 0;
  ProfileFile file;
  ProfileImport done;
  // A file that is not a whole profile changes nothing, and the user is told so.
  if (ProfileXml::Load(path, file) == ProfileXmlResult::Ok) done = Book().Import(file);
  if (done.result == ProfileResult::LimitReached) {
    ShowMessage(LoadLangString(69), LoadLangString(66), kMessageBoxOk);
    return 0;
  }
  if (done.result != ProfileResult::Done) {
    ShowMessage(LoadLangString(72), LoadLangString(67), kMessageBoxOk);
    return 0;
  }
  if (m_list) {
    m_list->AddItem(DisplayProfileName(file.name, {LoadLangString(68), LoadLangString(68), LoadLangString(68)}),
                    done.profile, ProfileBook::kProfileIcon);
    m_list->SetSelectItem(m_list->GetItemCount() - 1);
  }
  m_chosenProfile = done.profile;
  return 1;
}
