// Key assignment page: on-screen keyboard clicks, Fn layers, key functions, modifier
// combinations and macro play modes. Every assignment goes into the key's row at once,
// relabels the on-screen key and queues task 9, which encodes the row for the keyboard.
#include <algorithm>
#include "controls/CArea.h"
#include "controls/GroupButton.h"
#include "controls/MButton3.h"
#include "controls/MEdit.h"
#include "controls/MPicture.h"
#include "controls/MText.h"
#include "controls/TabCtrlEx.h"
#include "core/MPanel.h"
#include "pages/KeyActionCodec.h"
#include "pages/KeyDefaults.h"
#include "pages/MacroNames.h"
#include "pages/MacroPlayMode.h"
#include "pages/ModifierCombo.h"
#include "shell/KeyboardDlg.h"
#include "shell/LanguageText.h"
#include "shell/ShellDialogs.h"
#include "store/KeyboardDataStore.h"
#include "widgets/KeyFuncValue.h"
#include "widgets/KeyLayerCtrl.h"
#include "widgets/KeyboardCtrl.h"
#include "shell/ControlCasts.h"

namespace {

constexpr uint32_t kPageTextColour = 0xFF0A0A0A;
constexpr int kKnobKeyCode = 255;

// The category tabs: text id and category, in the order shown.
constexpr int kCategoryTabs[][2] = {{205, 2}, {206, 6}, {207, 12}, {208, 13}, {210, 5}, {211, 3}};

bool ShowsCatalogue(int category) {
  return category == kFuncKeyboardKey || category == kFuncMouse || category == kFuncConsumer ||
         category == kFuncShortcut || category == kFuncDevice;
}

}  // namespace

int KeyboardDlg::PageMessageBox(int textId, int captionId, int type) {
  const CString text = LoadLangString(textId), caption = LoadLangString(captionId);
  if (m_pageMessageBox) return m_pageMessageBox(text, caption, type);
  KeyboardDef::ShowControl(65, 1);
  const int result = ShowMessageBox(GetSafeHwnd(), text.GetString(), caption.GetString(), type);
  KeyboardDef::ShowControl(65, 0);
  return result;
}

// ---- building and placing ----

void KeyboardDlg::CreateKeyAssignPage() {
  auto* panel = As<MPanel>(Control(70));
  if (!panel) return;
  auto make = [&](bool area, const wchar_t* className, int id, const wchar_t* title = L"") {
    MControl* c = area ? panel->CreateArea(className, unsigned(id), CRect(), title, 1, 1)
                       : panel->CreateControl(className, unsigned(id), CRect(), title, 1, 1);
    SetControl(id, c);
    return c;
  };
  auto text = [&](MControlFont* c, uint32_t colour) {
    if (!c) return;
    c->SetTextColor(Argb(colour));
    c->SetFont(L"Roboto-Medium", 16, Gdiplus::FontStyleRegular);
  };

  if (auto* back = As<MPicture>(make(true, L"MPicture", 82))) {
    back->SetImage(L"img_area.png", 1);
    back->SetShowMode(SHOWMODE_NINEGRID, 36);
  }
  if (auto* divider = As<CArea>(make(true, L"CArea", 83))) divider->SetTransparent(0, 0, 0xE6E6E6);
  for (int id : {84, 85})
    if (auto* spare = As<CRoundArea>(make(true, L"CRoundArea", id))) spare->SetColor(Argb(0xFA3D5161));

  if (auto* tabs = As<TabCtrlEx>(make(false, L"TabCtrlEx", 88))) {
    text(tabs, kPageTextColour);
    for (const auto& tab : kCategoryTabs) tabs->AddItem(LoadLangString(tab[0]), tab[1]);
    tabs->SetCurData(kFuncKeyboardKey);  // a strip without a selection would read as category 0, the reset
  }
  m_keyFuncCategory = kFuncKeyboardKey;
  if (auto* list = As<KeyFuncValue>(make(false, L"KeyFuncValue", 89))) {
    list->SetImage(L"img_key_bkg.png", 4);
    text(list, kPageTextColour);
  }

  text(As<MControlFont>(make(true, L"MText", 90, LoadLangString(241).GetString())), kPageTextColour);
  for (int id = 91; id <= 94; ++id) {
    if (auto* radio = As<CRadioButton>(make(false, L"CRadioButton", id, LoadLangString(242 + id - 91).GetString()))) {
      radio->SetImage(L"btn_radiobox.png", 8);
      radio->SetGroupName(L"IDC_MACRO_RADIO_LOOP1");
      radio->SetTextColor(Argb(m_textColor));
    }
  }
  for (int id : {93, 94})
    if (auto* radio = As<CRadioButton>(Control(id))) radio->SetCheck(1);
  if (auto* count = As<MEdit>(make(false, L"MEdit", 95, L"1"))) {
    count->SetImage(L"img_edit.png", 4);
    count->SetTitle(L"1");
    count->SetEditBKColor(0xFFFFFF);
    count->SetAlignment(1);
    count->SetNumberOnly(1);
    count->SetLimitText(3);
    count->SetTextColor(Argb(m_textColor));
  }

  for (int id : {96, 97, 98}) {
    if (auto* box = As<CArea>(make(true, L"CArea", id))) {
      box->SetTransparent(0, 0, 0xFFFFFF);
      box->SetFrame(1, Argb(0xC8C8C8C8), 1);
    }
  }
  for (int id : {102, 103})
    if (auto* plus = As<MPicture>(make(true, L"MPicture", id))) plus->SetImage(L"icon\\icon_add.png", 1);
  for (int id : {99, 100, 101})
    if (auto* line = As<CArea>(make(true, L"CArea", id))) line->SetTransparent(0, 0, 0xC8C8C8);
  for (auto [id, textId] : {std::pair{105, 217}, std::pair{106, 217}, std::pair{104, 218}}) {
    auto* title = As<MControlFont>(make(true, L"MText", id, LoadLangString(textId).GetString()));
    text(title, kPageTextColour);
    if (title) title->SetAlignment(1);
  }
  for (int i = 0; i < ModifierCombo::kToggleCount; ++i) {
    const ModifierCombo::Toggle& toggle = ModifierCombo::ToggleAt(i);
    static const wchar_t* const kCaptions[] = {L"LCtrl", L"LShift", L"LAlt", L"LWin", L"RCtrl", L"RShift", L"RALT", L"RWin"};
    if (auto* button = As<MButton3>(make(false, L"MButton3", toggle.controlId, kCaptions[i]))) {
      button->SetImage(L"img_button.png", 4);
      text(button, kPageTextColour);
    }
  }
  if (auto* capture = As<MEdit>(make(false, L"MEdit", 115))) {
    capture->SetImage(L"img_edit.png", 4);
    capture->SetEditBKColor(0xF6F6F6);
    capture->SetAlignment(1);
    capture->SetTextColor(Argb(m_textColor));
  }
  if (auto* apply = As<MControlFont>(make(false, L"MButton", 116, LoadLangString(38).GetString())))
    apply->SetImage(L"img_button.png", 4);

  ShowKeyAssignGroupA(0);
  ShowKeyAssignGroupB(0);
}

void KeyboardDlg::LayoutKeyAssignPage(CRect client) {
  const int W = client.right, H = client.bottom;
  auto place = [this](int id, CRect rect) {
    if (MControl* c = Control(id)) c->SetRect(rect);
  };
  place(82, CRect(280, H - 350, W - 2, H - 2));
  place(88, CRect(306, H - 306, 466, H - 48));
  place(83, CRect(466, H - 305, 467, H - 30));
  m_funcListRect = CRect(495, H - 300, W - 20, H - 36);
  m_macroListRect = CRect(495, H - 300, 855, H - 36);
  auto* tabs = As<TabCtrlEx>(Control(88));
  place(89, tabs && tabs->GetCurData() == kFuncMacro ? m_macroListRect : m_funcListRect);
  for (int i = 0; i < 3; ++i) place(90 + i, CRect(900, H - 251 + 36 * i, 1160, H - 215 + 36 * i));
  place(93, CRect(900, H - 143, 1230, H - 107));
  place(95, CRect(1165, H - 215, 1220, H - 179));
  place(102, CRect(676, H - 180, 700, H - 156));
  place(103, CRect(896, H - 180, 920, H - 156));
  // The three columns: box, separator line, title; the left two hold four toggles each.
  const int columnLeft[3] = {506, 726, 946};
  const int boxes[3] = {96, 97, 98}, lines[3] = {99, 100, 101}, titles[3] = {105, 106, 104};
  for (int c = 0; c < 3; ++c) {
    const int x = columnLeft[c];
    place(boxes[c], CRect(x, H - 290, x + 140, H - 50));
    place(lines[c], CRect(x, H - 241, x + 140, H - 240));
    place(titles[c], CRect(x + 20, H - 280, x + 120, c == 2 ? H - 250 : H - 244));
  }
  for (int i = 0; i < 4; ++i) {
    place(107 + i, CRect(526, H - 230 + 43 * i, 626, H - 194 + 43 * i));
    place(111 + i, CRect(746, H - 230 + 43 * i, 846, H - 194 + 43 * i));
  }
  place(115, CRect(966, H - 194, 1066, H - 164));
  place(116, CRect(1116, H - 194, 1236, H - 158));
}

void KeyboardDlg::ShowKeyAssignGroupA(int show) {
  for (int id = 90; id <= 95; ++id) KeyboardDef::ShowControl(id, show);
}

void KeyboardDlg::ShowKeyAssignGroupB(int show) {
  for (int id : {96, 97, 98, 102, 103, 99, 100, 101, 105, 106, 104}) KeyboardDef::ShowControl(id, show);
  for (int id = 107; id <= 116; ++id) KeyboardDef::ShowControl(id, show);
}

// ---- the on-screen keyboard ----

int KeyboardDlg::OnKeyboardClick(UINT code, WPARAM, LPARAM) {
  if (m_keyboardCtrl) m_selectedKey = m_keyboardCtrl->GetCurrentKeyValue();
  if (code != 2 && code != 5) return 1;
  // On the lighting page a click paints the key of the colour set shown.
  if (m_mainPage == 1) return OnLightCustomColorKeys(int(code));
  if (m_selectedKey >= 1 && m_mainPage == 4) OnKnobConfig(int(code));
  return 1;
}

void KeyboardDlg::ShowKeyLabels() {
  if (!m_keyboardCtrl) return;
  std::map<int, KeyMacroRecord> shown;
  {
    std::lock_guard<std::mutex> hold(m_pageStateLock);
    shown = m_keyAssignments;
  }
  m_keyboardCtrl->ResetAllItemCheck(0);
  m_keyboardCtrl->ResetTipKey();
  for (const auto& [code, row] : shown)
    m_keyboardCtrl->SetKeyItemInfo(code, row.macro_desc.GetString(), row.macro_type, row.macro_desc.GetString());
  m_keyboardCtrl->UpdateControl(1, 0);
}

int KeyboardDlg::OnKeyLayerChanged() {
  auto* layers = As<KeyLayerCtrl>(Control(56));
  if (!layers) return 0;
  m_fnLayer = std::clamp(layers->GetCurKeyLayer(), 0, 3);
  // The labels follow at once: an assignment made now goes to the new layer, so the keys
  // must not show the old one while other tasks keep the worker busy.
  LoadKeyAssignments(m_profileId);
  return 1;
}

int KeyboardDlg::OnKeyDragMove(LPARAM) {
  if (!m_keyboardCtrl) return 1;
  POINT at = {};
  GetCursorPos(&at);
  if (GetSafeHwnd()) ::ScreenToClient(GetSafeHwnd(), &at);
  m_keyboardCtrl->DragMove(CPoint(at.x, at.y));
  return 1;
}

// ---- restoring defaults ----

int KeyboardDlg::ResetKeyAssignments(int) {
  KeyDefaults defaults(m_store, m_defaultKeyActions, m_keyIndexByCode, m_keyCodeByIndex);
  if (m_selectedKey >= 1) {
    const int key = m_selectedKey;
    KeyMacroRecord row;
    if (!defaults.RestoreKey(m_profileId, m_fnLayer, key, row)) return 0;
    if (m_keyboardCtrl) {
      m_keyboardCtrl->SetKeyItemInfo(key, row.macro_desc.GetString(), row.macro_type, row.macro_desc.GetString());
      m_keyboardCtrl->UpdateControl(1, 0);
    }
    AddTask(kTaskKeyMap);
    return 1;
  }
  defaults.RestoreLayer(m_profileId, m_fnLayer);
  if (m_deviceInfo.knobPresent) defaults.RestoreKnobActions(m_knobActions, m_profileId, m_fnLayer);
  LoadKeyAssignments(m_profileId);
  // The worker writes the layer's default table (task 9 with no key selected).
  m_selectedKey = -1;
  AddTask(kTaskKeyMap);
  return 1;
}

int KeyboardDlg::OnResetKeyAssignments() {
  if (PageMessageBox(203, 204, kMessageBoxOkCancel) == 2) return 0;
  m_selectedKey = -1;
  ResetKeyAssignments(-1);
  return 1;
}

// ---- categories and the function list ----

int KeyboardDlg::ShowKeyFunctions() {
  auto* tabs = As<TabCtrlEx>(Control(88));
  auto* list = As<KeyFuncValue>(Control(89));
  if (!tabs || !list) return 0;
  const int category = tabs->GetCurData();
  if (m_keyFuncCategory == kFuncMacro) ShowKeyAssignGroupA(0);
  if (m_keyFuncCategory == kFuncCombination) ShowKeyAssignGroupB(0);
  list->SetAllHeight(200);
  list->SetRect(m_funcListRect);
  switch (category) {
    case kFuncNone: ResetKeyAssignments(m_selectedKey); break;
    case kFuncKeyboardKey:
      list->SetVisible(1);
      list->SetAllHeight(720);
      break;
    case kFuncMouse:
    case kFuncConsumer:
    case kFuncShortcut: list->SetVisible(1); break;
    case kFuncDevice:
      list->SetAllHeight(470);
      list->SetVisible(1);
      break;
    case kFuncMacro:
      list->SetVisible(1);
      list->SetRect(m_macroListRect);
      if (auto* radio = As<CRadioButton>(Control(91))) radio->SetCheck(1);
      KeyboardDef::SetControlTitle(95, L"1");
      if (MControl* count = Control(95)) count->SetEnabled(1);
      ShowKeyAssignGroupA(1);
      break;
    case kFuncCombination:
      list->SetVisible(0);
      ShowKeyAssignGroupB(1);
      break;
    default: break;
  }
  m_keyFuncCategory = category;
  list->ClearList();
  if (ShowsCatalogue(category)) {
    if (m_keyFunctions.Size() == 0) m_keyFunctions.Build();
    for (const KeyFunctionItem* item : m_keyFunctions.OfType(category)) list->AddItem(item->label, item->value, item->icon);
  } else if (category == kFuncMacro) {
    list->SetAllHeight(200);
    KeyboardDataStore::RecordList<MacroRecord> macros;
    m_store.GetMacros(macros);
    for (const auto& macro : macros) list->AddItem(MacroNames::KeyLabel(macro->name), macro->macro_id, CString());
    const int rows = (int(macros.size()) + 2) / 3;
    if (rows > 0) list->SetAllHeight(60 * rows);
  }
  list->UpdateControl(1, 0);
  return 1;
}

int KeyboardDlg::OnKeyFunctionType(WPARAM type) {
  auto* tabs = As<TabCtrlEx>(Control(88));
  auto* list = As<KeyFuncValue>(Control(89));
  switch (int(type)) {
    case 0:
      ResetKeyAssignments(m_selectedKey);
      [[fallthrough]];
    case 2:
      if (tabs) tabs->SetCurData(kFuncKeyboardKey);
      ShowKeyFunctions();
      break;
    case 3:
    case 5:
    case 7:
      if (tabs) tabs->SetCurData(int(type));
      ShowKeyFunctions();
      if (list) list->SetCurData(int(type));
      break;
    default: break;
  }
  return 1;
}

int KeyboardDlg::OnKnobConfig(int code) {
  if (code != 2) return 0;
  if (m_selectedKey == kKnobKeyCode) return RunKnobDialog();
  KeyMacroRecord row;
  if (!m_store.GetKeyMacro(m_profileId, m_fnLayer, m_selectedKey, row)) return 1;
  switch (row.macro_type) {
    case kFuncKeyboardKey:
    case kFuncMacro:
    case kFuncMouse:
    case kFuncConsumer:
    case kFuncShortcut:
    case kFuncDevice:
      if (auto* list = As<KeyFuncValue>(Control(89))) list->SetCurData(row.macro_value);
      break;
    default: break;
  }
  return 1;
}

// ---- assigning ----

bool KeyboardDlg::StoreSelectedKey(KeyMacroRecord& row) {
  // No key clicked (0) or a whole-layer reset (-1): there is no row to change.
  if (m_selectedKey < 1) return false;
  row.profile = m_profileId;
  row.fn_layer = m_fnLayer;
  row.key_code = m_selectedKey;
  // A key the profile never had a row for gets one: its assignment must not be lost.
  if (!m_store.AssignKeyMacro(row)) return false;
  if (m_keyboardCtrl) {
    m_keyboardCtrl->SetKeyItemInfo(m_selectedKey, row.macro_desc.GetString(), row.macro_type, row.macro_desc.GetString());
    m_keyboardCtrl->UpdateControl(1, 0);
  }
  return true;
}

int KeyboardDlg::OnAssignKeyFunction() {
  auto* list = As<KeyFuncValue>(Control(89));
  if (!list) return 0;
  int value = 0;
  CString text;
  list->GetCurValue(value, text);
  if (text.IsEmpty()) return 1;
  if (m_keyFuncCategory == kFuncMacro) {
    if (m_store.GetMacroStepCount(value) < 1) {
      PageMessageBox(232, 233, kMessageBoxOk);
      return 0;
    }
    if (MControl* count = Control(95)) count->SetEnabled(0);
    KeyboardDef::SetControlTitle(95, L"1");
    MacroRecord macro;
    if (m_store.GetMacro(value, macro)) {
      if (macro.play_type == 0) {
        if (auto* radio = As<CRadioButton>(Control(91))) radio->SetCheck(1);
        CString times;
        times.Format(L"%d", macro.play_times);
        KeyboardDef::SetControlTitle(95, times.GetString());
        if (MControl* count = Control(95)) count->SetEnabled(1);
      } else if (macro.play_type >= 1 && macro.play_type <= 3) {
        if (auto* radio = As<CRadioButton>(Control(91 + macro.play_type))) radio->SetCheck(1);
      }
    }
  }
  KeyMacroRecord row;
  m_store.GetKeyMacro(m_profileId, m_fnLayer, m_selectedKey, row);
  row.macro_type = m_keyFuncCategory;
  row.macro_value = value;
  row.macro_value2 = 0;
  row.macro_value3 = 0;
  row.macro_desc = text;
  StoreSelectedKey(row);
  AddTask(kTaskKeyMap);
  return 1;
}

int KeyboardDlg::OnMacroPlayModeRadio(int id) {
  KeyboardDef::SetControlTitle(95, L"1");
  if (MControl* count = Control(95)) count->SetEnabled(id == 91);
  ApplyMacroPlayMode();
  return 1;
}

int KeyboardDlg::ApplyMacroPlayMode() {
  auto* list = As<KeyFuncValue>(Control(89));
  if (!list) return 0;
  KeyMacroRecord row;
  m_store.GetKeyMacro(m_profileId, m_fnLayer, m_selectedKey, row);
  int value = 0;
  CString text;
  list->GetCurValue(value, text);
  if (text.IsEmpty()) return 0;
  auto checked = [this](int id) {
    auto* radio = As<CRadioButton>(Control(id));
    return radio && radio->GetCheck() != 0;
  };
  const int mode = MacroPlayMode::ModeOfRadios(checked(92), checked(93), checked(94));
  CString countText;
  if (auto* count = As<MControlFont>(Control(95))) countText = count->GetTitle();
  MacroRecord macro;
  m_store.GetMacro(value, macro);
  MacroPlayMode::Apply(row, macro, value, text, mode, countText);
  StoreSelectedKey(row);
  m_store.UpdateMacro(value, macro);
  AddTask(kTaskKeyMap);
  return 1;
}

int KeyboardDlg::OnModifierComboApply() {
  if (m_selectedKey < 1) {
    PageMessageBox(230, 231, kMessageBoxOk);
    return 0;
  }
  KeyMacroRecord row;
  m_store.GetKeyMacro(m_profileId, m_fnLayer, m_selectedKey, row);
  CString keyName;
  if (auto* capture = As<MControlFont>(Control(115))) keyName = capture->GetTitle();
  uint8_t bits = 0;
  for (int i = 0; i < ModifierCombo::kToggleCount; ++i) {
    const ModifierCombo::Toggle& toggle = ModifierCombo::ToggleAt(i);
    if (auto* button = As<MButton3>(Control(toggle.controlId)); button && button->GetCheck()) bits |= toggle.bit;
  }
  ModifierCombo::Apply(row, uint32_t(m_captureKeyCode), keyName, bits);
  StoreSelectedKey(row);
  AddTask(kTaskKeyMap);
  return 1;
}
