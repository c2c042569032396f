// Macro page and macro recording. The dispatcher and the frame route here; the page's own work
// fills these handlers (each returns 0 until then: nothing handled).
#include "shell/KeyboardDlg.h"

void KeyboardDlg::BuildMacroPage() {}
void KeyboardDlg::LayoutMacroPage(CRect) {}
int KeyboardDlg::OnMacroListEvent(UINT, WPARAM, LPARAM) { return 0; }
int KeyboardDlg::OnMacroStepListEvent(UINT, WPARAM, LPARAM) { return 0; }
int KeyboardDlg::OnMacroFixedDelayEdit(UINT, WPARAM, LPARAM) { return 0; }
int KeyboardDlg::OnMacroStepEdit(UINT, WPARAM, LPARAM) { return 0; }
int KeyboardDlg::OnMacroNew() { return 0; }
int KeyboardDlg::OnMacroDelete() { return 0; }
int KeyboardDlg::OnMacroInsertMenu() { return 0; }
int KeyboardDlg::OnMacroStepDelete() { return 0; }
int KeyboardDlg::OnMacroStepsClear() { return 0; }
int KeyboardDlg::OnMacroRecordToggle() { return 0; }
int KeyboardDlg::OnMacroDelayModeRadio(int) { return 0; }
int KeyboardDlg::OnMacroStepKindSelected() { return 0; }
int KeyboardDlg::SaveMacroRecords() { return 0; }
int KeyboardDlg::OnMacroStepUp() { return 0; }
int KeyboardDlg::OnMacroStepDown() { return 0; }
LRESULT KeyboardDlg::OnHookKeyEvent(WPARAM, LPARAM) { return 0; }
LRESULT KeyboardDlg::OnHookMouseEvent(WPARAM, LPARAM) { return 0; }
