#include "shell/ProfileFileDialog.h"
#include <commdlg.h>

CString ChooseProfileFile(HWND owner, bool save) {
  wchar_t file[MAX_PATH] = {};
  OPENFILENAMEW ofn = {};
  ofn.lStructSize = sizeof(ofn);
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = save ? L"Macro (*.xml)\0*.xml\0\0" : L"Custom Key (*.xml)\0*.xml\0\0";
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = file;
  ofn.nMaxFile = MAX_PATH;
  ofn.lpstrDefExt = L"xml";
  if (save) {
    ofn.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_EXPLORER;
    if (!GetSaveFileNameW(&ofn)) return CString();
  } else {
    ofn.Flags = OFN_HIDEREADONLY | OFN_EXPLORER | OFN_FILEMUSTEXIST;
    if (!GetOpenFileNameW(&ofn)) return CString();
  }
  return CString(file);
}

