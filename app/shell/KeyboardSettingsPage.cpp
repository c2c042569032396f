// Keyboard settings page. The dispatcher and the frame route here; the page's own work
// fills these handlers (each returns 0 until then: nothing handled).
#include "shell/KeyboardDlg.h"

void KeyboardDlg::CreateKeyboardSettingsPage() {}
void KeyboardDlg::LayoutKeyboardSettingsPage(CRect) {}
int KeyboardDlg::OnMacModeSwitch() { return 0; }
int KeyboardDlg::OnGameModeSwitch() { return 0; }
int KeyboardDlg::OnLockWinSwitch() { return 0; }
int KeyboardDlg::OnWasdModeSwitch() { return 0; }
int KeyboardDlg::OnSleepTimeSelected() { return 0; }
int KeyboardDlg::OnKeyResponseSelected() { return 0; }
int KeyboardDlg::OnEncoderModeSwitch() { return 0; }
