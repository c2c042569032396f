// Software settings page and the language refresh. The dispatcher and the frame route here; the page's own work
// fills these handlers (each returns 0 until then: nothing handled).
#include "shell/KeyboardDlg.h"

void KeyboardDlg::CreateSoftwareSettingsPage() {}
void KeyboardDlg::LayoutSoftwareSettingsPage(CRect) {}
int KeyboardDlg::OnLanguageRadio(int) { return 0; }
int KeyboardDlg::SetAutorun() { return 0; }
int KeyboardDlg::OnAutorunMinimizeSwitch() { return 0; }
int KeyboardDlg::OnExitModeRadio(int) { return 0; }
int KeyboardDlg::OnCheckUpdateButton() { return 0; }
int KeyboardDlg::ReloadTexts() { return 0; }
