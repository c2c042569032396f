// Lighting canvas page. The dispatcher and the frame route here; the page's own work
// fills these handlers (each returns 0 until then: nothing handled).
#include "shell/KeyboardDlg.h"

void KeyboardDlg::CreateCanvasPage() {}
void KeyboardDlg::LayoutCanvasPage(CRect) {}
int KeyboardDlg::OnZephraModeChanged() { return 0; }
int KeyboardDlg::OnZephraCaptureWindow() { return 0; }
int KeyboardDlg::OnZephraMediaFile() { return 0; }
int KeyboardDlg::OnZephraPresetSelected() { return 0; }
