#include "shell/AboutVIPDlg.h"
#include "controls/MPicture.h"
#include "core/PaintManager.h"
#include "shell/LanguageText.h"

AboutVIPDlg::~AboutVIPDlg() = default;

int AboutVIPDlg::OnInitDialog() {
  MDialog::OnInitDialog();
  ::SetWindowPos(GetSafeHwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
  if (PaintManager* pm = GetPaintManager()) pm->SetBackColor(0xF9F9F9, 0xF9F9F9);
  return 1;
}

void AboutVIPDlg::InitUI(CRect client) {
  // The picture is 1316 pixels wide, centred; a missing picture leaves the plain background.
  const int x = (client.right - client.left - 1316) / 2;
  m_picture = dynamic_cast<MPicture*>(CreateArea(L"MPicture", 30, CRect(x, client.top, x + 1316, client.bottom), L"", 1, 1));
  if (m_picture) {
    m_picture->SetImage(L"img_vip2.png", 1);
    m_picture->SetShowMode(SHOWMODE_STRETCH, 4);
  }
  m_close = CreateControl(L"CImageButton", 31, CRect(client.right - 60, 30, client.right - 32, 58), L"", 1, 1);
  if (auto* close = dynamic_cast<MControlFont*>(m_close)) close->SetImage(L"main_sysbtn_close.png", 4);
  if (m_close) m_close->SetTooltip(LoadLangString(1).GetString());
}

void AboutVIPDlg::UISize(CRect) {}

int AboutVIPDlg::Quit() { return DestroyWindow(); }

LRESULT AboutVIPDlg::OnMessage(UINT id, UINT code, WPARAM, LPARAM) {
  if (code != 2) return 0;
  if (id == 31) DoCancel();
  return 1;
}
