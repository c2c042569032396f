#include "pages/LCDDelayEditDlg.h"
#include "controls/GroupButton.h"
#include "controls/MEdit.h"
#include "controls/MText.h"
#include "core/Manager.h"
#include "core/PaintManager.h"
#include "shell/AppSettings.h"
#include "shell/LanguageText.h"

LCDDelayEditDlg::~LCDDelayEditDlg() = default;

LRESULT LCDDelayEditDlg::OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  return MDialog::OnWindowMessage(msg, wParam, lParam);
}

int LCDDelayEditDlg::OnInitDialog() {
  MDialog::OnInitDialog();
  return 1;
}

void LCDDelayEditDlg::InitUI(CRect client) {
  const bool dark = ReadAppRegInt(L"theme_type") == 1;
  if (dark) GetPaintManager()->SetBackColor(0x110B06, 0xCCB9AF);
  else GetPaintManager()->SetBackColor(0xC8C8C8, 0x6C4CF7);

  m_titleText = CreateArea(L"MText", 31, CRect(), m_title.GetString(), 1, 1);
  if (auto* title = dynamic_cast<MText*>(m_titleText)) title->SetAlignment(1);
  m_closeButton = CreateControl(L"CImageButton", 32, CRect(), L"", 1, 1);
  if (auto* close = dynamic_cast<MControlFont*>(m_closeButton)) {
    close->SetImage(L"main_sysbtn_close.png", 4);
    close->SetTooltip(LoadLangString(2).GetString());
  }
  auto radio = [this](int id, int text, bool checked) {
    MControl* made = CreateControl(L"CRadioButton", UINT(id), CRect(), LoadLangString(text).GetString(), 1, 1);
    if (auto* r = dynamic_cast<CRadioButton*>(made)) {
      r->SetImage(L"btn_radiobox.png", 8);
      r->SetTextColor(Manager::m_text_color);
      r->SetGroupName(L"DELAYTIME_TYPE");
      if (checked) r->SetCheck(1);
    }
    return made;
  };
  auto edit = [this, dark](int id, const CString& text, bool enabled) {
    MControl* made = CreateControl(L"MEdit", UINT(id), CRect(), L"", 1, 1);
    if (auto* e = dynamic_cast<MEdit*>(made)) {
      e->SetImage(L"img_edit.png", 4);
      e->SetTextColor(Manager::m_text_color);
      e->SetEditBKColor(dark ? 0xCCB9B2 : 0xFFFFFF);
      e->SetControlTitle(text.GetString());
      e->SetNumberOnly(1);
      e->SetLimitText(3);
      if (!enabled) e->SetEnabled(0);
    }
    return made;
  };
  m_thisFrame = radio(33, 825, true);
  m_frameEdit = edit(36, m_frameDelayText, true);
  m_allFramesRadio = radio(34, 826, false);
  m_allFramesEdit = edit(38, L"50", false);
  m_okButton = CreateControl(L"MButton", 39, CRect(), LoadLangString(22).GetString(), 1, 1);
  if (auto* ok = dynamic_cast<MControlFont*>(m_okButton)) ok->SetImage(L"img_button.png", 4);
  UISize(client);
}

void LCDDelayEditDlg::UISize(CRect client) {
  if (!m_titleText) return;
  const int w = client.right - client.left;
  m_titleText->SetRect(CRect(w / 2 - 100, 10, w / 2 + 100, 40));
  if (m_closeButton) m_closeButton->SetRect(CRect(client.right - 40, 15, client.right - 10, 45));
  if (m_thisFrame) m_thisFrame->SetRect(CRect(20, 60, 150, 90));
  if (m_frameEdit) m_frameEdit->SetRect(CRect(150, 60, 280, 90));
  if (m_allFramesRadio) m_allFramesRadio->SetRect(CRect(20, 96, 150, 126));
  if (m_allFramesEdit) m_allFramesEdit->SetRect(CRect(150, 96, 280, 126));
  if (m_okButton) m_okButton->SetRect(CRect((w - 120) / 2, client.bottom - 50, (w - 120) / 2 + 120, client.bottom - 20));
}

LRESULT LCDDelayEditDlg::OnMessage(UINT id, UINT code, WPARAM, LPARAM) {
  if (code != 2) return 0;
  switch (id) {
    case 32: DoCancel(); return 1;
    case 33:
      if (m_allFramesEdit) m_allFramesEdit->SetEnabled(0);
      if (m_frameEdit) m_frameEdit->SetEnabled(1);
      return 0;
    case 34:
      if (m_frameEdit) m_frameEdit->SetEnabled(0);
      if (m_allFramesEdit) m_allFramesEdit->SetEnabled(1);
      return 0;
    case 39: ApplyAndClose(); return 1;
    default: return 0;
  }
}

void LCDDelayEditDlg::Close() { DestroyWindow(); }

void LCDDelayEditDlg::ApplyAndClose() {
  if (auto* e = dynamic_cast<MControlFont*>(m_frameEdit)) m_frameDelayText = e->GetTitle();
  if (auto* e = dynamic_cast<MControlFont*>(m_allFramesEdit)) m_allFramesDelayText = e->GetTitle();
  auto* all = dynamic_cast<CRadioButton*>(m_allFramesRadio);
  m_allFrames = all && all->GetCheck() ? 1 : 0;
  DoOK();
}
