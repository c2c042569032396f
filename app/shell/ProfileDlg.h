// The profile manager: an 800 x 600 modal window that lists the profiles of the current
// keyboard model, adds one, deletes one with its row's button, renames one in place and
// picks the profile to use. Every change goes to the store at once (also when the user
// then cancels); the chosen profile travels back only with OK, which the opener applies.
#pragma once
#include <functional>
#include <vector>
#include "core/CString.h"
#include "core/MDialog.h"
#include "shell/ProfileBook.h"

class KeyboardDataStore;
class ProfileList;

class ProfileDlg : public MDialog {
public:
  // `keys`: the on-screen keyboard's keys, for the default key rows of new profiles.
  ProfileDlg(KeyboardDataStore& store, std::vector<ProfileKey> keys);
  ~ProfileDlg() override;
  int OnInitDialog() override;
  void InitUI(CRect client) override;
  void UISize(CRect client) override;
  LRESULT OnMessage(UINT id, UINT code, WPARAM wParam, LPARAM lParam) override;
  virtual int Quit();

  // The rows from the store (three default profiles for an empty one), the active selected.
  void FillList();
  int AddProfile();
  int OnListNotify(UINT code);
  // The exchange file of the selected profile (button 39) and a new profile from one
  // (button 38): 1 when the file was written / the profile added.
  int ExportProfile();
  int ImportProfile();

  // The profile handed back with OK; the opener sets 1 before the window is made.
  int m_chosenProfile = 1;
  // Answer the messages and the file dialogs instead of the real ones (tests), when set;
  // an empty file name is a cancelled dialog.
  std::function<int(HWND owner, const CString& text, const CString& caption, int type)> m_messageBox;
  std::function<CString(bool save)> m_chooseFile;

  ProfileList* m_list = nullptr;  // 35

private:
  ProfileBook Book();
  int ShowMessage(const CString& text, const CString& caption, int type);

  KeyboardDataStore& m_store;
  std::vector<ProfileKey> m_keys;
};
