// Software update check and install, and the firmware-writing tool.
#include "shell/KeyboardDlg.h"

void KeyboardDlg::CheckSoftwareUpdate() {}
void KeyboardDlg::InstallSoftwareUpdate() {}
void KeyboardDlg::InstallFirmwareTool() {}
void KeyboardDlg::RunFirmwareTool() {}
