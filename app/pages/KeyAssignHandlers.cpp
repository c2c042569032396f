// Key assignment page: on-screen keyboard clicks, Fn layers, key functions, modifier combinations, macro play modes, key test and key capture. The dispatcher and the frame route here; the page's own work
// fills these handlers (each returns 0 until then: nothing handled).
#include "shell/KeyboardDlg.h"

void KeyboardDlg::CreateKeyAssignPage() {}
void KeyboardDlg::LayoutKeyAssignPage(CRect) {}
int KeyboardDlg::OnKeyboardClick(UINT, WPARAM, LPARAM) { return 0; }
int KeyboardDlg::OnKeyLayerChanged() { return 0; }
int KeyboardDlg::ResetKeyAssignments(int) { return 0; }
int KeyboardDlg::OnResetKeyAssignments() { return 0; }
int KeyboardDlg::ShowKeyFunctions() { return 0; }
int KeyboardDlg::OnAssignKeyFunction() { return 0; }
int KeyboardDlg::OnKeyFunctionType(WPARAM) { return 0; }
int KeyboardDlg::OnKeyDragMove(LPARAM) { return 0; }
int KeyboardDlg::ApplyMacroPlayMode() { return 0; }
int KeyboardDlg::OnMacroPlayModeRadio(int) { return 0; }
int KeyboardDlg::OnModifierComboApply() { return 0; }
int KeyboardDlg::OnKeyCaptureEdit(UINT, WPARAM, LPARAM) { return 0; }
int KeyboardDlg::OnKeyTestInput(LPARAM) { return 0; }
int KeyboardDlg::CopyKnobDialogActions(LPARAM) { return 0; }
