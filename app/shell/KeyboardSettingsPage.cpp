// Keyboard settings page (panel 78): the keyboard's own settings of the current profile.
// Each change is stored in the profile's configuration row at once; task 17 then writes
// the keyboard's settings block from the rows.
#include "shell/KeyboardDlg.h"
#include "controls/CArea.h"
#include "core/MPanel.h"
#include "controls/CSwitchButton.h"
#include "controls/MComboBox.h"
#include "controls/MPicture.h"
#include "controls/MText.h"
#include "controls/MTabLayout.h"
#include "shell/LanguageText.h"
#include "store/KeyboardDataStore.h"
#include "widgets/KeyboardCtrl.h"
#include "shell/ControlCasts.h"

namespace {

constexpr int kPanel = 78;
constexpr int kKnobModel = 103;
constexpr int kKnobKeyItem = 14;
constexpr int kKnobCode = 255;
constexpr int kKnobPlainCode = 74;

// One row: backdrop, label (text id) and its switch or combo.
struct SettingRow {
  int backdrop, label, text, control;
  const wchar_t* key;
  bool combo;
};
constexpr SettingRow kRows[] = {
    {336, 337, 561, 338, L"mac_mode", false},      {339, 340, 562, 341, L"game_mode", false},
    {342, 343, 563, 344, L"lock_win", false},      {345, 346, 564, 347, L"wasd_mode", false},
    {348, 349, 565, 350, L"sleep_time", true},     {351, 352, 569, 353, L"key_keyresponse", true},
    {354, 355, 570, 356, L"encoder_mode", false},
};

struct SettingChoice {
  const wchar_t* text;
  int data;
};
constexpr SettingChoice kSleepItems[] = {{L"1 Min", 1},   {L"2 Min", 2},   {L"3 Min", 3},   {L"5 Min", 5},
                                     {L"10 Min", 10}, {L"15 Min", 15}, {L"20 Min", 20}, {L"25 Min", 25},
                                     {L"30 Min", 30}, {L"60 Min", 60}};
// The third item reads "3" but sends 4: the keyboard's steps are 1, 2, 4, 8, 16, 20.
constexpr SettingChoice kResponseItems[] = {{L"1", 1}, {L"2", 2}, {L"3", 4}, {L"8", 8}, {L"16", 16}, {L"20", 20}};

const SettingRow* RowOf(int control) {
  for (const SettingRow& row : kRows)
    if (row.control == control) return &row;
  return nullptr;
}

}  // namespace

void KeyboardDlg::CreateKeyboardSettingsPage() {
  auto* panel = dynamic_cast<MPanel*>(Control(kPanel));
  if (!panel) return;
  auto area = [&](const wchar_t* cls, int id, const wchar_t* title = L"") {
    MControl* c = panel->CreateArea(cls, UINT(id), CRect(), title, 1, 1);
    SetControl(id, c);
    return c;
  };
  auto control = [&](const wchar_t* cls, int id) {
    MControl* c = panel->CreateControl(cls, UINT(id), CRect(), L"", 1, 1);
    SetControl(id, c);
    return c;
  };
  if (auto* back = dynamic_cast<MPicture*>(area(L"MPicture", 334))) {
    back->SetImage(L"img_area2.png", 1);
    back->SetShowMode(SHOWMODE_NINEGRID, 36);
  }
  if (auto* title = dynamic_cast<MText*>(area(L"MText", 335, LoadLangString(560).GetString()))) {
    title->SetTextColor(Argb(0xFF0A0A0A));
    title->SetFont(L"Roboto-Medium", 18, Gdiplus::FontStyleRegular);
    title->SetAlignment(1);
  }
  for (const SettingRow& row : kRows) {
    if (auto* backdrop = dynamic_cast<CRoundArea*>(area(L"CRoundArea", row.backdrop)))
      backdrop->SetColor(Argb(0xFFF6F6F6));
    if (auto* label = dynamic_cast<MText*>(area(L"MText", row.label, LoadLangString(row.text).GetString()))) {
      label->SetTextColor(Argb(0xFF0A0A0A));
      label->SetFont(L"Roboto-Medium", 16, Gdiplus::FontStyleRegular);
    }
    if (!row.combo) {
      if (auto* sw = dynamic_cast<CSwitchButton*>(control(L"CSwitchButton", row.control)))
        sw->SetImage(L"img_switch_on.png", L"img_switch_off.png", 4);
      continue;
    }
    auto* combo = dynamic_cast<MComboBox*>(control(L"MComboBox", row.control));
    if (!combo) continue;
    combo->SetImage(L"img_combobox.png", 4);
    combo->SetTextColor(Argb(m_textColor));
    if (row.control == 350) {
      for (const SettingChoice& item : kSleepItems) combo->AddItem(item.text, item.data, L"", Gdiplus::Color(0));
      combo->SelectData(2);
    } else {
      for (const SettingChoice& item : kResponseItems) combo->AddItem(item.text, item.data, L"", Gdiplus::Color(0));
      combo->SelectData(8);
    }
  }
}

void KeyboardDlg::LayoutKeyboardSettingsPage(CRect client) {
  const int c = (client.right - client.left) / 2;
  const int x0 = c - 190;
  auto place = [this](int id, CRect rect) {
    if (MControl* control = Control(id)) control->SetRect(rect);
  };
  place(334, CRect(c - 280, 80, c + 520, client.bottom - 10));
  place(335, CRect(c + 60, 120, c + 180, 170));
  // Inner top and bottom of the label and its control, row by row.
  static const int kInner[7][2] = {{205, 225}, {280, 300}, {355, 375}, {430, 450}, {500, 530}, {575, 605}, {655, 675}};
  for (int n = 0; n < 7; ++n) {
    const SettingRow& row = kRows[n];
    const CRect backdrop = n < 6 ? CRect(x0, 105 + 75 * (n + 1), x0 + 620, 165 + 75 * (n + 1)) : CRect(x0, 630, x0 + 620, 700);
    place(row.backdrop, backdrop);
    const int top = kInner[n][0], bottom = kInner[n][1];
    place(row.label, CRect(x0 + 20, top, x0 + 180, bottom));
    place(row.control, row.combo ? CRect(x0 + 380, top, x0 + 580, bottom) : CRect(x0 + 550, top, x0 + 590, bottom));
  }
}

void KeyboardDlg::ShowSystemSettings() {
  // Read where the caller runs (the worker or the window), shown on the window thread.
  struct Shown {
    int control;
    int value;
  };
  std::vector<Shown> values;
  for (const SettingRow& row : kRows) {
    CString text;
    m_store.GetConfigValue(m_profileId, row.key, text);
    values.push_back({row.control, _wtoi(text.GetString())});
  }
  const int model = m_deviceType;
  OnWindowThread([this, values, model] {
    for (const Shown& v : values) {
      const SettingRow* row = RowOf(v.control);
      if (row && row->combo) {
        // A number no item has leaves the list as it was.
        if (auto* combo = dynamic_cast<MComboBox*>(Control(v.control)); combo && combo->FindData(v.value) >= 0)
          combo->SelectData(v.value);
      } else if (auto* sw = dynamic_cast<CSwitchButton*>(Control(v.control))) {
        sw->SetCheck(v.value == 1 ? 1 : 0);
      }
      if (v.control == 356 && model == kKnobModel && m_keyboardCtrl)
        m_keyboardCtrl->SetKeyEncoder(kKnobKeyItem, v.value == 1 ? kKnobCode : kKnobPlainCode);
    }
  });
}

namespace {

// The number a switch or a combo of the page stands at.
int ControlValue(MControl* control) {
  if (auto* sw = dynamic_cast<CSwitchButton*>(control)) return sw->GetCheck() ? 1 : 0;
  if (auto* combo = dynamic_cast<MComboBox*>(control)) return combo->GetCurSel() >= 0 ? int(combo->GetCurData()) : 0;
  return 0;
}

}  // namespace

// Stores the control's value under its key and has the worker write the settings block.
static int StoreSetting(KeyboardDlg& dlg, KeyboardDataStore& store, int control, bool queue) {
  const SettingRow* row = RowOf(control);
  if (!row) return 1;
  CString text;
  text.Format(L"%d", ControlValue(dlg.Control(control)));
  store.SetConfigValue(dlg.m_profileId, row->key, text);
  if (queue) dlg.AddTask(kTaskSystemSettings);
  return 1;
}

int KeyboardDlg::OnMacModeSwitch() { return StoreSetting(*this, m_store, 338, true); }
int KeyboardDlg::OnGameModeSwitch() { return StoreSetting(*this, m_store, 341, true); }
int KeyboardDlg::OnLockWinSwitch() { return StoreSetting(*this, m_store, 344, true); }
int KeyboardDlg::OnWasdModeSwitch() { return StoreSetting(*this, m_store, 347, true); }
int KeyboardDlg::OnSleepTimeSelected() { return StoreSetting(*this, m_store, 350, true); }
int KeyboardDlg::OnKeyResponseSelected() { return StoreSetting(*this, m_store, 353, true); }

int KeyboardDlg::OnEncoderModeSwitch() {
  // The knob mode lives in the profile and on the on-screen keyboard only: the settings
  // block does not carry it, so nothing is queued.
  StoreSetting(*this, m_store, 356, false);
  if (m_deviceType == kKnobModel && m_keyboardCtrl)
    m_keyboardCtrl->SetKeyEncoder(kKnobKeyItem, ControlValue(Control(356)) ? kKnobCode : kKnobPlainCode);
  return 1;
}
