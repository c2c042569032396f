// Music section of the canvas page. The dispatcher and the frame route here; the page's own work
// fills these handlers (each returns 0 until then: nothing handled).
#include "shell/KeyboardDlg.h"

void KeyboardDlg::CreateMusicPage() {}
void KeyboardDlg::LayoutMusicPage(CRect) {}
int KeyboardDlg::OnMusicPalette() { return 0; }
int KeyboardDlg::OnMusicRedEdit(UINT, WPARAM, LPARAM) { return 0; }
int KeyboardDlg::OnMusicGreenEdit(UINT, WPARAM, LPARAM) { return 0; }
int KeyboardDlg::OnMusicBlueEdit(UINT, WPARAM, LPARAM) { return 0; }
int KeyboardDlg::OnMusicLayerCheck(int) { return 0; }
int KeyboardDlg::OnMusicColorfulCheck() { return 0; }
int KeyboardDlg::OnMusicColorButton(int) { return 0; }
int KeyboardDlg::OnMusicForeMode() { return 0; }
int KeyboardDlg::OnMusicForeAmplitude() { return 0; }
int KeyboardDlg::OnMusicBackBright() { return 0; }
int KeyboardDlg::OnMusicBackMode() { return 0; }
int KeyboardDlg::OnMusicLightRight() { return 0; }
