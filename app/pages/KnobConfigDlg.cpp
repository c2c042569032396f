#include "pages/KnobConfigDlg.h"
#include "controls/CImageButton.h"
#include "controls/MButton.h"
#include "controls/MComboBox.h"
#include "controls/MPicture.h"
#include "controls/MText.h"
#include "shell/LanguageText.h"
#include "shell/ControlCasts.h"

namespace {

constexpr uint32_t kTextColour = 0xFF3A4E60;
// The combo box of each action, in action order.
constexpr int kComboIds[3] = {39, 35, 41};

}  // namespace

KnobConfigDlg::KnobConfigDlg() = default;
KnobConfigDlg::~KnobConfigDlg() = default;

void KnobConfigDlg::SetKnobActions(const KeyMacroRecord (&knob)[KnobChoice::kActions][KnobChoice::kLayers], int layer) {
  m_actions.Set(knob, layer);
}

void KnobConfigDlg::GetKnobActions(KeyMacroRecord& action0, KeyMacroRecord& action1, KeyMacroRecord& action2) const {
  m_actions.Get(action0, action1, action2);
}

void KnobConfigDlg::BuildKnobFunctionCatalog() { m_knobCatalog.BuildForKnob(); }

int KnobConfigDlg::OnInitDialog() {
  MDialog::OnInitDialog();
  ::SetWindowPos(GetSafeHwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_SHOWWINDOW);
  GetPaintManager()->SetBackColor(0xF9F9F9, 0xF9F9F9);
  BuildKnobFunctionCatalog();
  for (MComboBox* combo : m_combos) {
    if (!combo) continue;
    for (int i = 0; i < m_knobCatalog.Size(); ++i) {
      const KeyFunctionItem& item = m_knobCatalog.Items()[size_t(i)];
      combo->AddItem(item.label.GetString(), i, item.icon.GetString(), Gdiplus::Color(0));
    }
  }
  SelectKnobActions();
  return 1;
}

void KnobConfigDlg::SelectKnobActions() {
  for (int a = 0; a < 3; ++a)
    if (m_combos[a]) m_combos[a]->SetCurSel(m_actions.SelectedIndex(a, m_knobCatalog));
}

void KnobConfigDlg::InitUI(CRect client) {
  const int W = client.right, H = client.bottom;
  SetLayeredWindow(1);
  SetBackMode(BACKMODE_NINEGRID, 30);
  LoadBKImage(L"bk_msgbox.png");
  if (auto* close = dynamic_cast<CImageButton*>(CreateControl(L"CImageButton", 31, CRect(W - 60, 30, W - 32, 58), L"", 1, 1))) {
    close->SetImage(L"main_sysbtn_close.png", 4);
    close->SetTooltip(LoadLangString(1).GetString());
  }
  auto text = [this](int id, CRect rect, int textId) {
    if (auto* t = dynamic_cast<MText*>(CreateArea(L"MText", UINT(id), rect, LoadLangString(textId).GetString(), 1, 1))) {
      t->SetTextColor(Argb(kTextColour));
      t->SetFont(L"Roboto-Medium", 16, Gdiplus::FontStyleRegular);
    }
  };
  text(32, CRect((W - 200) / 2, 10, (W - 200) / 2 + 200, 40), 300);
  if (auto* knob = dynamic_cast<MPicture*>(CreateArea(L"MPicture", 33, CRect(50, (H - 128) / 2, 178, (H - 128) / 2 + 128), L"", 1, 1))) {
    knob->SetImage(L"img_knob.png", 1);
    knob->SetShowMode(SHOWMODE_STRETCH, 4);
  }
  const struct {
    int label, combo, textId, top;
  } rows[] = {{38, 39, 303, 80}, {34, 35, 301, 160}, {40, 41, 304, 240}};
  for (int a = 0; a < 3; ++a) {
    text(rows[a].label, CRect(W - 250, rows[a].top, W - 50, rows[a].top + 30), rows[a].textId);
    auto* combo = dynamic_cast<MComboBox*>(
        CreateControl(L"MComboBox", UINT(rows[a].combo), CRect(W - 250, rows[a].top + 30, W - 50, rows[a].top + 60), L"", 1, 1));
    if (combo) {
      combo->SetImage(L"img_combobox.png", 4);
      combo->SetTextColor(Argb(kTextColour));
    }
    m_combos[a] = combo;
  }
  if (auto* done = dynamic_cast<MButton*>(CreateControl(L"MButton", 42, CRect(W - 170, H - 50, W - 50, H - 20),
                                                        LoadLangString(22).GetString(), 1, 1))) {
    done->SetImage(L"img_button.png", 4);
    done->SetTextColor(Argb(kTextColour));
  }
}

void KnobConfigDlg::UISize(CRect) {}

LRESULT KnobConfigDlg::OnMessage(UINT id, UINT code, WPARAM, LPARAM) {
  if (code != 2) return 0;
  if (id == 31 || id == 42) DoCancel();
  else if (id == 39 || id == 35 || id == 41) OnKnobComboSelected(int(id));
  return 1;
}

void KnobConfigDlg::OnKnobComboSelected(int controlId) {
  const int action = KnobActions::ActionOfControl(controlId);
  if (action < 0 || !m_combos[action]) return;
  const int index = m_combos[action]->GetCurSel();
  if (!m_actions.Choose(action, index, m_knobCatalog)) return;
  if (m_ownerWindow) PostKnobChoice(m_ownerWindow, m_actions.Choice(action));
}

void KnobConfigDlg::Quit() {
  for (MComboBox*& combo : m_combos) {
    if (combo) combo->DelAllItems();
  }
  m_knobCatalog.Clear();
  DestroyWindow();
}
