// Device settings page. The dispatcher and the frame route here; the page's own work
// fills these handlers (each returns 0 until then: nothing handled).
#include "shell/KeyboardDlg.h"

void KeyboardDlg::CreateDeviceSettingsPage() {}
void KeyboardDlg::LayoutDeviceSettingsPage(CRect) {}
int KeyboardDlg::FactoryReset() { return 0; }
