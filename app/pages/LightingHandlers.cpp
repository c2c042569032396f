// Lighting page and per-key custom colours. The dispatcher and the frame route here; the page's own work
// fills these handlers (each returns 0 until then: nothing handled).
#include "shell/KeyboardDlg.h"

void KeyboardDlg::CreateLightingPage() {}
void KeyboardDlg::LayoutLightingPage(CRect) {}
int KeyboardDlg::OnLightPalette() { return 0; }
int KeyboardDlg::OnLightRedEdit(UINT, WPARAM, LPARAM) { return 0; }
int KeyboardDlg::OnLightGreenEdit(UINT, WPARAM, LPARAM) { return 0; }
int KeyboardDlg::OnLightBlueEdit(UINT, WPARAM, LPARAM) { return 0; }
int KeyboardDlg::OnLightTypeChanged() { return 0; }
int KeyboardDlg::OnLightEnableSwitch() { return 0; }
int KeyboardDlg::OnLightPerKeySwitch() { return 0; }
int KeyboardDlg::OnLightBrightness() { return 0; }
int KeyboardDlg::OnLightSpeed() { return 0; }
int KeyboardDlg::OnLightDirection(int) { return 0; }
int KeyboardDlg::OnLightColorfulCheck() { return 0; }
int KeyboardDlg::OnLightColorButton(int) { return 0; }
int KeyboardDlg::OnLightApply() { return 0; }
int KeyboardDlg::OnLightCustomSetSelected() { return 0; }
