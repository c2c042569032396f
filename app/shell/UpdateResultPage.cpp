// Software and firmware update offers. The dispatcher and the frame route here; the page's own work
// fills these handlers (each returns 0 until then: nothing handled).
#include "shell/KeyboardDlg.h"

int KeyboardDlg::OnUpdateResult(WPARAM, LPARAM) { return 0; }
