// Matrix screen page. The dispatcher and the frame route here; the page's own work
// fills these handlers (each returns 0 until then: nothing handled).
#include "shell/KeyboardDlg.h"

void KeyboardDlg::CreateMatrixPage() {}
void KeyboardDlg::LayoutMatrixPage(CRect) {}
int KeyboardDlg::OnMatrixModeSelected(UINT, WPARAM, LPARAM) { return 0; }
int KeyboardDlg::OnMatrixPalette() { return 0; }
int KeyboardDlg::OnMatrixRedEdit(UINT, WPARAM, LPARAM) { return 0; }
int KeyboardDlg::OnMatrixGreenEdit(UINT, WPARAM, LPARAM) { return 0; }
int KeyboardDlg::OnMatrixBlueEdit(UINT, WPARAM, LPARAM) { return 0; }
int KeyboardDlg::OnMatrixTask16() { return 0; }
int KeyboardDlg::OnMatrixPresetSelected() { return 0; }
int KeyboardDlg::OnMatrixEnableSwitch() { return 0; }
int KeyboardDlg::OnMatrixBrightness() { return 0; }
int KeyboardDlg::OnMatrixSpeed() { return 0; }
int KeyboardDlg::OnMatrixDirection(int) { return 0; }
int KeyboardDlg::OnMatrixColorfulCheck() { return 0; }
int KeyboardDlg::OnMatrixColorButton(int) { return 0; }
int KeyboardDlg::OnMatrixAmplitude() { return 0; }
