#include "shell/UpdateProcessDlg.h"
#include "controls/MProgress.h"
#include "controls/MText.h"
#include "shell/LanguageText.h"

UpdateProcessDlg::~UpdateProcessDlg() = default;

int UpdateProcessDlg::OnInitDialog() {
  MDialog::OnInitDialog();
  ::SetWindowPos(GetSafeHwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
  return 1;
}

void UpdateProcessDlg::InitUI(CRect client) {
  SetLayeredWindow(1);
  SetBackMode(BACKMODE_NINEGRID, 16);
  LoadBKImage(L"bk_msgbox.png");
  m_status = dynamic_cast<MText*>(CreateArea(L"MText", 31, CRect(10, 30, client.right - 20, 50), L"", 1, 1));
  if (m_status) m_status->SetTextColor(Gdiplus::Color(0xFF191919));
  m_progress = dynamic_cast<MProgress*>(CreateControl(L"MProgress", 32, CRect(10, 60, client.right - 20, 80), L"", 1, 1));
  if (m_progress) m_progress->SetMaxProgress(100);
}

void UpdateProcessDlg::UISize(CRect) {}

int UpdateProcessDlg::Quit() {
  m_progress = nullptr;
  return DestroyWindow();
}

LRESULT UpdateProcessDlg::OnMessage(UINT, UINT code, WPARAM, LPARAM) { return code == 2 ? 1 : 0; }

void UpdateProcessDlg::ShowProgress(HWND owner) {
  if (!Create(owner, L"UpdateProcessDlg", 0x96020000, WS_EX_TOOLWINDOW, CRect(0, 0, 360, 100))) return;
  CenterWindow(nullptr);
  ShowModal(SW_SHOW);
}

void UpdateProcessDlg::OnDestroyMessage(HWND oldWindow) {
  m_status = nullptr;
  m_progress = nullptr;
  MDialog::OnDestroyMessage(oldWindow);
}

void UpdateProcessDlg::SetProgress(int percent) {
  if (!m_progress && !m_status) return;
  m_shownPercent = percent;
  if (m_progress) m_progress->SetProgress(percent);
  if (m_status) {
    CString text;
    text.Format(L"%s: %d%%", LoadLangString(539).GetString(), percent);
    m_status->SetTitle(text.GetString());
  }
}
