// The update flow's window side: the software offer with its progress dialog, the "up to
// date" message of a check from the settings page, and the firmware offer.
#include "shell/KeyboardDlg.h"
#include "shell/LanguageText.h"
#include "shell/ShellDialogs.h"
#include "shell/UpdateDecisions.h"
#include "shell/UpdateProcessDlg.h"
#include "shell/UpdateTipDlg.h"

int KeyboardDlg::OnUpdateResult(WPARAM kind, LPARAM result) {
  if (kind == 1 && result == 1) {
    KeyboardDef::ShowControl(65, 1);
    UpdateTipDlg offer;
    for (int i = 0; i < 3; ++i) offer.m_lines[i] = m_updateLines[i];
    UINT answer = 2;
    if (offer.Create(GetSafeHwnd(), L"UpdateTipDlg", 0x96020000, 0, CRect(0, 0, 634, 360))) {
      offer.CenterWindow(nullptr);
      answer = offer.ShowModal(SW_SHOW);
    }
    if (answer == 1) {
      KeyboardDef::ShowControl(65, 0);
      // The progress window exists and is known to the worker before the download is
      // queued: a download that ends at once still finds the window to close.
      auto progress = std::make_unique<UpdateProcessDlg>();
      if (progress->Create(GetSafeHwnd(), L"UpdateProcessDlg", 0x96020000, WS_EX_TOOLWINDOW, CRect(0, 0, 360, 100))) {
        progress->CenterWindow(nullptr);
        m_updateProcessDlg = progress.get();
        m_updateProgress = std::move(progress);
        AddTask(kTaskUpdateInstall);
        m_updateProgress->ShowModal(SW_SHOW);
      }
    }
    KeyboardDef::ShowControl(65, 0);
    offer.DestroyWindow();
    return 1;
  }
  if (kind == 1 && result == 2) {
    AskUser(LoadLangString(531), LoadLangString(516), kMessageBoxOk);
    return 1;
  }
  if (kind == 2) {
    // Without the tool beside the program an accepted offer could do nothing: none is made.
    const DWORD tool = GetFileAttributesW(FirmwareToolPath().GetString());
    if (tool == INVALID_FILE_ATTRIBUTES || (tool & FILE_ATTRIBUTE_DIRECTORY)) return 1;
    CString offered;
    {
      std::lock_guard<std::mutex> hold(m_pageStateLock);
      offered = m_offeredFirmware;
    }
    const CString body = FirmwareOfferText(LoadLangString(520), offered, LoadLangString(521));
    if (AskUser(body, LoadLangString(533), kMessageBoxOkCancel) == 1) RunFirmwareTool();
  }
  return 1;
}

CString KeyboardDlg::FirmwareToolPath() const { return m_exeFolder + L"firmwares\\dravo_q63_0116.exe"; }

int KeyboardDlg::OnDownloadProgress(LPARAM percent) {
  if (auto* progress = dynamic_cast<UpdateProcessDlg*>(m_updateProcessDlg)) progress->SetProgress(int(percent));
  return 1;
}
