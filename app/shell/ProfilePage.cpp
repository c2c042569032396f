// Profiles: the profile list, its menu and the key-assignment XML. The dispatcher and the frame route here; the page's own work
// fills these handlers (each returns 0 until then: nothing handled).
#include "shell/KeyboardDlg.h"

int KeyboardDlg::OnProfileListNotify(UINT, WPARAM, LPARAM) { return 0; }
int KeyboardDlg::OnProfileMenu(LPARAM) { return 0; }
int KeyboardDlg::AddProfile() { return 0; }
int KeyboardDlg::ImportProfileXml() { return 0; }
// The profile manager dialog, run modally over the main window: the profile chosen in
// it, 0 when it was closed or cancelled.
int KeyboardDlg::RunProfileDialog() { return 0; }
// The about dialog, run modally over the main window.
int KeyboardDlg::RunAboutDialog() { return 0; }
