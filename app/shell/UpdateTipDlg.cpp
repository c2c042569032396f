#include "shell/UpdateTipDlg.h"
#include <tuple>
#include "controls/MButton.h"
#include "controls/MPicture.h"
#include "controls/MText.h"
#include "shell/LanguageText.h"

UpdateTipDlg::~UpdateTipDlg() = default;

int UpdateTipDlg::OnInitDialog() {
  MDialog::OnInitDialog();
  ::SetWindowPos(GetSafeHwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
  return 1;
}

void UpdateTipDlg::InitUI(CRect client) {
  const int w = client.right, h = client.bottom;
  if (MControl* close = CreateControl(L"CImageButton", 31, CRect(w - 40, 12, w - 20, 32), L"", 1, 1)) {
    if (auto* f = dynamic_cast<MControlFont*>(close)) f->SetImage(L"sysbtn_close.png", 4);
    close->SetTooltip(LoadLangString(1).GetString());
  }
  const int l = (w - 200) / 2;
  if (auto* title = dynamic_cast<MText*>(CreateArea(L"MText", 33, CRect(l, 10, l + 200, 40), LoadLangString(2000).GetString(), 1, 1))) {
    title->SetFontWidth(20);
    title->SetAlignment(1);
  }
  if (auto* picture = dynamic_cast<MPicture*>(CreateArea(L"MPicture", 32, CRect(60, 60, w - 60, h - 60), L"", 1, 1))) {
    picture->SetImage(L"img_area.png", 1);
    picture->SetShowMode(SHOWMODE_NINEGRID, 50);
  }
  const CRect lines[3] = {CRect(120, 120, w - 5, 150), CRect(150, 150, w - 10, 180), CRect(150, 180, w - 10, 210)};
  for (int i = 0; i < 3; ++i) {
    if (auto* line = dynamic_cast<MText*>(CreateArea(L"MText", UINT(34 + i), lines[i], m_lines[i].GetString(), 1, 1))) {
      line->SetFontWidth(15);
      line->EnableMultiLine(1);
    }
  }
  for (auto [id, text, rect] : {std::tuple{37, 2005, CRect(w - 260, h - 50, w - 140, h - 22)},
                                std::tuple{38, 2006, CRect(w - 130, h - 50, w - 10, h - 22)}}) {
    if (auto* b = dynamic_cast<MButton*>(CreateControl(L"MButton", UINT(id), rect, LoadLangString(text).GetString(), 1, 1)))
      b->SetImage(L"img_button.png", 4);
  }
}

void UpdateTipDlg::UISize(CRect) {}

int UpdateTipDlg::Quit() { return DestroyWindow(); }

LRESULT UpdateTipDlg::OnMessage(UINT id, UINT code, WPARAM, LPARAM) {
  if (code != 2) return 0;
  if (id == 31 || id == 38) DoCancel();
  else if (id == 37) DoOK();
  return 1;
}
