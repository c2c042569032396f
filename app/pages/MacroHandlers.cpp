// Macro page: the macro list, the steps of the selected macro and their editor, the delay
// mode, and recording through the low-level hooks. Every change of the steps is saved at
// once and queues task 11, which writes the keyboard's whole macro memory.
#include <algorithm>
#include "controls/CArea.h"
#include "controls/GroupButton.h"
#include "controls/MButton.h"
#include "controls/MComboBox.h"
#include "controls/MEdit.h"
#include "controls/MPicture.h"
#include "controls/MText.h"
#include "core/MPanel.h"
#include "core/MenuWnd.h"
#include "pages/HookInput.h"
#include "pages/KeyActionCodec.h"
#include "pages/KeyDefaults.h"
#include "pages/MacroNames.h"
#include "pages/MacroRecorder.h"
#include "pages/RawInputSink.h"
#include "shell/KeyboardDlg.h"
#include "shell/LanguageText.h"
#include "shell/ShellDialogs.h"
#include "store/KeyboardDataStore.h"
#include "widgets/CRecordList.h"
#include "widgets/MacroList.h"
#include "shell/ControlCasts.h"

namespace {

constexpr UINT UM_MACRO_INSERT_MENU = 0x6AE;
constexpr UINT UM_MACRO_STEP_MENU = 0x6AF;
constexpr int kMaxFixedDelay = 10000;

// The page's step list as the recorder sees it.
class RecordListRows : public MacroStepRows {
public:
  explicit RecordListRows(CRecordList& list) : m_list(list) {}
  int EventCount() const override { return m_list.GetEventCount(); }
  bool UpdateDelayTime(int ms) override { return m_list.UpdateDelayTime(ms); }
  int AddRow(const CString& text, int type, int key, int time) override { return m_list.AddString(text, type, key, time); }

private:
  CRecordList& m_list;
};

// A decimal number typed into an edit: 0 when it is none.
int NumberOf(const CString& text) { return _wtoi(text.GetString()); }

CString Decimal(int value) {
  CString text;
  text.Format(L"%d", value);
  return text;
}

}  // namespace

// ---- building and placing ----

void KeyboardDlg::BuildMacroPage() {
  auto* panel = As<MPanel>(Control(72));
  if (!panel) return;
  auto make = [&](bool area, const wchar_t* className, int id, const wchar_t* title = L"") {
    MControl* c = area ? panel->CreateArea(className, unsigned(id), CRect(), title, 1, 1)
                       : panel->CreateControl(className, unsigned(id), CRect(), title, 1, 1);
    SetControl(id, c);
    return c;
  };
  auto area = [&](int id, int corner) {
    if (auto* picture = As<MPicture>(make(true, L"MPicture", id))) {
      picture->SetImage(L"img_area.png", 1);
      picture->SetShowMode(SHOWMODE_NINEGRID, corner);
    }
  };
  auto text = [&](int id, int textId, int size) {
    if (auto* t = As<MText>(make(true, L"MText", id, LoadLangString(textId).GetString()))) {
      t->SetTextColor(Argb(m_textColor));
      if (size) t->SetFont(L"Roboto-Medium", size, Gdiplus::FontStyleRegular);
    }
  };
  auto button = [&](int id, int textId) {
    if (auto* b = As<MButton>(make(false, L"MButton", id, textId ? LoadLangString(textId).GetString() : L""))) {
      b->SetImage(L"img_button.png", 4);
      b->SetTextColor(Argb(m_textColor));
    }
  };

  area(203, 50);
  area(204, 50);
  text(205, 350, 18);
  area(206, 50);
  text(207, 352, 16);
  area(208, 50);
  if (auto* list = As<MacroList>(make(false, L"MacroList", 209))) {
    list->SetTextColor(Argb(m_textColor));
    list->EnableShowEdit(1);
    list->SetImage(L"img_list_bkg.png", 4);
    list->SetEditImage(L"btn_more.png", 4);
  }
  button(210, 353);
  button(211, 30);
  area(212, 50);
  text(213, 355, 16);
  area(214, 36);
  area(215, 36);
  text(216, 388, 0);
  text(217, 389, 0);
  text(218, 390, 0);
  text(219, 420, 16);
  if (auto* steps = As<CRecordList>(make(false, L"CRecordList", 220))) {
    steps->SetImage(L"icon\\icon_list.png", 8);
    steps->SetItemImage(L"img_list_bkg.png", 4);
    steps->SetMoreImage(L"btn_more.png", 4);
    steps->SetTextColor(Argb(m_textColor));
  }
  button(221, 368);
  button(222, 357);
  button(223, 404);
  area(224, 50);
  area(225, 36);
  button(226, 358);
  text(227, 360, 0);
  for (auto [id, textId] : {std::pair{228, 361}, std::pair{229, 362}, std::pair{230, 363}}) {
    if (auto* radio = As<CRadioButton>(make(false, L"CRadioButton", id, LoadLangString(textId).GetString()))) {
      radio->SetImage(L"btn_radiobox.png", 8);
      radio->SetGroupName(L"IDC_MACRO_STC_DELAYSET");
      radio->SetTextColor(Argb(m_textColor));
    }
  }
  if (auto* measured = As<CRadioButton>(Control(229))) measured->SetCheck(1);
  if (auto* frame = As<CArea>(make(true, L"CArea", 231))) frame->SetTransparent(0, 0, 0xFFFFFF);
  if (auto* fixed = As<MEdit>(make(false, L"MEdit", 232, L"10"))) {
    fixed->SetTitle(L"10");
    fixed->SetNumberOnly(1);
    fixed->SetEditBKColor(0xFFFFFF);
    fixed->SetAlignment(1);
    fixed->SetLimitText(5);
    fixed->SetTextColor(Argb(m_textColor));
    fixed->SetEnabled(0);
  }
  if (auto* unit = As<MText>(make(true, L"MText", 233, L"ms"))) {
    unit->SetFont(L"Roboto-Medium", 12, Gdiplus::FontStyleRegular);
    unit->SetTextColor(Argb(m_textColor));
  }
  text(234, 391, 0);
  if (auto* kind = As<MComboBox>(make(false, L"MComboBox", 235))) {
    kind->SetImage(L"img_combobox.png", 4);
    kind->SetAlignment(1);
  }
  if (auto* value = As<MEdit>(make(false, L"MEdit", 236))) {
    value->SetImage(L"img_edit.png", 4);
    value->SetTextColor(Argb(0xFFFFFFFF));
    value->SetNumberOnly(1);
    value->SetEditBKColor(0x535837);
    value->SetAlignment(1);
    value->SetLimitText(5);
  }
  if (auto* buttons = As<MComboBox>(make(false, L"MComboBox", 237))) {
    buttons->SetImage(L"img_combobox.png", 4);
    buttons->SetTextColor(Argb(0xFFFFFFFF));
    buttons->SetAlignment(1);
    for (auto [textId, data] : {std::pair{220, 90}, std::pair{223, 92}, std::pair{222, 91}, std::pair{227, 94},
                                std::pair{228, 95}})
      buttons->AddItem(LoadLangString(textId).GetString(), data, L"", Gdiplus::Color(0));
    buttons->SetCurSel(0);
  }
  text(238, 392, 0);
  if (auto* up = As<MButton>(make(false, L"MButton", 239))) up->SetImage(L"img_recorditem_up.png", 4);
  if (auto* down = As<MButton>(make(false, L"MButton", 240))) down->SetImage(L"img_recorditem_down.png", 4);
  ShowStepEditor(0);
}

void KeyboardDlg::LayoutMacroPage(CRect client) {
  const int W = client.right, H = client.bottom;
  // Each control's rectangle; -1 in a field stands for W - 1, -20 for H - 20 (the panels
  // reach the window's right and bottom edges). Font 0 keeps the control's own.
  struct Place {
    int id;
    int left, top, right, bottom;
    int font;
  };
  static constexpr Place kPlaces[] = {
      {203, 280, 80, -1, -1, 0},      {205, 320, 120, 520, 150, 0},   {206, 320, 160, 650, -20, 0},
      {207, 350, 160, 500, 190, 0},   {209, 352, 212, 608, 680, 14},  {212, 650, 160, 1080, -20, 0},
      {213, 660, 160, 800, 196, 16},  {215, 680, 210, 1040, 240, 0},  {216, 690, 210, 760, 240, 14},
      {217, 750, 210, 810, 240, 14},  {218, 810, 210, 900, 240, 14},  {219, 900, 210, 1000, 240, 14},
      {220, 682, 241, 1038, 680, 14}, {224, 1080, 160, 1398, -20, 0}, {226, 1130, 210, 1290, 238, 14},
      {227, 1130, 260, 1230, 290, 16}, {229, 1130, 290, 1290, 320, 14}, {230, 1130, 320, 1255, 350, 14},
      {231, 1255, 322, 1360, 348, 0}, {232, 1265, 322, 1335, 348, 14}, {233, 1335, 322, 1360, 348, 14},
      // The step buttons end at the list's right edge; "Delete step" needs more than the
      // 80 pixels of the other two at this font, so the row is shifted left by 20.
      {222, 940, 700, 1040, 728, 14}, {223, 850, 700, 930, 728, 14},
      // New and delete under the macro list, insert beside the step buttons, "no delay"
      // under the other delay modes, and the step editor in the recording panel below them.
      {210, 352, 700, 472, 728, 14},  {211, 488, 700, 608, 728, 14},  {221, 760, 700, 840, 728, 14},
      {228, 1130, 350, 1290, 380, 14}, {225, 1110, 400, 1370, 640, 0}, {234, 1130, 410, 1350, 440, 14},
      {235, 1130, 440, 1350, 470, 14}, {238, 1130, 480, 1350, 510, 14}, {236, 1130, 510, 1350, 540, 14},
      {237, 1130, 510, 1350, 540, 14}, {239, 1130, 570, 1160, 600, 0},  {240, 1170, 570, 1200, 600, 0},
  };
  auto edge = [](int v, int far) { return v == -1 ? far - 1 : v == -20 ? far - 20 : v; };
  for (const Place& p : kPlaces) {
    MControl* c = Control(p.id);
    if (!c) continue;
    c->SetRect(CRect(p.left, p.top, edge(p.right, W), edge(p.bottom, H)));
    if (p.font)
      if (auto* f = As<MControlFont>(c)) f->SetFontWidth(p.font);
  }
}

void KeyboardDlg::ShowStepEditor(int show) {
  for (int id : {225, 234, 235, 238, 236, 237, 239, 240}) KeyboardDef::ShowControl(id, show);
}

void KeyboardDlg::SetMacroEditEnabled(int enable) {
  for (int id : {68, 209, 210, 211, 220, 221, 222, 223, 224, 225, 228, 229, 230, 232, 235, 238, 236, 237, 239, 240})
    if (MControl* c = Control(id)) c->SetEnabled(enable);
}

// ---- the macro list ----

void KeyboardDlg::LoadMacroList() {
  auto* list = As<MacroList>(Control(209));
  auto* steps = As<CRecordList>(Control(220));
  if (!list || !steps) return;
  list->DeleteAllItems();
  steps->DeleteAllItems();
  KeyboardDataStore::RecordList<MacroRecord> macros;
  m_store.GetMacros(macros);
  if (macros.empty() && m_store.IsOpened()) {
    for (int i = 1; i <= 10; ++i) {
      CString name;
      name.Format(L"M%d", i);
      m_store.AddMacro(name);
    }
    m_store.GetMacros(macros);
  }
  for (const auto& macro : macros) list->AddString(MacroNames::ListLabel(macro->name).GetString(), long(macro->macro_id), 0);
  if (list->GetItemCount() > 0) {
    list->SetCurSel(0);
    LoadMacroSteps(int(list->GetItemData(0)));
  }
  list->UpdateControl(1, 0);
}

void KeyboardDlg::LoadMacroSteps(int macroId) {
  auto* steps = As<CRecordList>(Control(220));
  if (!steps) return;
  ShowStepEditor(0);
  if (MControl* fixed = Control(232)) fixed->SetEnabled(0);
  MacroRecord macro;
  if (m_store.GetMacro(macroId, macro)) {
    const int radio = macro.delay_type == 0 ? 228 : macro.delay_type == 2 ? 230 : 229;
    if (auto* r = As<CRadioButton>(Control(radio))) r->SetCheck(1);
    if (macro.delay_type == 2) {
      if (MControl* fixed = Control(232)) fixed->SetEnabled(1);
      KeyboardDef::SetControlTitle(232, Decimal(macro.delay_time).GetString());
    }
  }
  steps->DeleteAllItems();
  KeyboardDataStore::RecordList<MacroStepRecord> stored;
  m_store.GetMacroSteps(macroId, stored);
  for (const auto& step : stored) steps->AddString(step->desc, step->type, step->value, step->delay_time);
  steps->UpdateControl(1, 0);
}

namespace {
// The id of the macro selected in the list; 0 when none is.
int SelectedMacro(MControl* control) {
  auto* list = dynamic_cast<MacroList*>(control);
  if (!list || list->GetCurSel() < 0) return 0;
  return int(list->GetItemData(list->GetCurSel()));
}
}  // namespace

int KeyboardDlg::OnMacroListEvent(UINT code, WPARAM, LPARAM) {
  auto* list = As<MacroList>(Control(209));
  if (!list) return 0;
  const int selected = list->GetCurSel();
  if (code == 2) {
    if (selected < 0) return 0;
    LoadMacroSteps(int(list->GetItemData(selected)));
    return 1;
  }
  if (code == 29) {
    const int row = list->GetEditItem() >= 0 ? list->GetEditItem() : selected;
    if (row < 0) return 0;
    const int id = int(list->GetItemData(row));
    const CString text = list->GetItemText(row);
    if (text.IsEmpty()) {
      MacroRecord macro;
      if (m_store.GetMacro(id, macro)) list->ModifyItemString(row, macro.name.GetString());
    } else {
      m_store.RenameMacro(id, text);
    }
    return 1;
  }
  return 0;
}

CString KeyboardDlg::MakeUniqueMacroName(const CString& base) {
  auto* list = As<MacroList>(Control(209));
  CString name;
  for (int n = 1; n <= 1000; ++n) {
    name.Format(L"%s %d", base.GetString(), n);
    bool taken = false;
    for (int i = 0; list && i < list->GetItemCount() && !taken; ++i) taken = list->GetItemText(i) == name;
    if (!taken) break;
  }
  return name;
}

int KeyboardDlg::OnMacroNew() {
  auto* list = As<MacroList>(Control(209));
  if (!list) return 0;
  // The limit counts the profiles, as it always has.
  KeyboardDataStore::RecordList<ProfileRecord> profiles;
  m_store.GetProfiles(profiles);
  if (profiles.size() >= 10) {
    PageMessageBox(430, 351, kMessageBoxOk);
    return 0;
  }
  const CString name = MakeUniqueMacroName(LoadLangString(351));
  const int id = m_store.AddMacro(name);
  if (id <= 0) return 0;
  const int row = list->AddString(name.GetString(), long(id), 0);
  list->SetCurSel(row >= 0 ? row : list->GetItemCount() - 1);
  LoadMacroSteps(id);
  list->UpdateControl(1, 0);
  return 1;
}

int KeyboardDlg::OnMacroDelete() {
  auto* list = As<MacroList>(Control(209));
  auto* steps = As<CRecordList>(Control(220));
  if (!list || !steps) return 0;
  const int row = list->GetCurSel();
  if (row < 0) return 0;
  const int id = int(list->GetItemData(row));
  if (id <= 0 || !m_store.DeleteMacro(id)) return 0;
  // Keys that played the deleted macro get their defaults back.
  const int cleared = ClearMacroKeyAssignments(id);
  // Macros after it moved up one position in the keyboard's memory: unless the clear
  // rewrote everything already, the memory and the keys that play macros are written again.
  if (cleared == 0) RewriteMacroKeys();
  list->DeleteItem(row);
  list->SetCurSel(row - 1);
  steps->DeleteAllItems();
  if (row - 1 >= 0) LoadMacroSteps(int(list->GetItemData(row - 1)));
  list->UpdateControl(1, 0);
  return 1;
}

int KeyboardDlg::ClearMacroKeyAssignments(int macroId) {
  KeyDefaults defaults(m_store, m_defaultKeyActions, m_keyIndexByCode, m_keyCodeByIndex);
  const int cleared = defaults.ClearMacroAssignments(macroId);
  if (cleared > 0) {
    LoadKeyAssignments(m_profileId);
    m_selectedKey = -2;  // task 9 writes all four layers
    AddTask(kTaskMacros);
    AddTask(kTaskKeyMap);
  }
  return cleared;
}

void KeyboardDlg::RewriteMacroKeys() {
  AddTask(kTaskMacros);
  KeyDefaults defaults(m_store, m_defaultKeyActions, m_keyIndexByCode, m_keyCodeByIndex);
  if (defaults.CountMacroKeys(m_profileId) > 0) {
    m_selectedKey = -2;
    AddTask(kTaskKeyMap);
  }
}

// ---- steps ----

int KeyboardDlg::SaveMacroRecords() {
  auto* steps = As<CRecordList>(Control(220));
  const int id = SelectedMacro(Control(209));
  if (!steps || id <= 0) return 0;
  std::vector<MacroStepRecord> records;
  int index = 0;
  for (RecordItem* row : steps->GetRecordItems()) {
    MacroStepRecord step;
    step.macro_id = id;
    step.record_index = index++;
    step.desc = row->text;
    step.type = row->type;
    step.value = row->key;
    step.delay_time = row->time;
    records.push_back(step);
  }
  // Old steps and new ones change in one transaction; an empty list too reaches the
  // keyboard, or it would go on playing the old steps.
  m_store.ReplaceMacroSteps(id, std::move(records));
  AddTask(kTaskMacros);
  return 1;
}

int KeyboardDlg::OnMacroStepsClear() {
  auto* steps = As<CRecordList>(Control(220));
  if (!steps) return 0;
  steps->DeleteAllItems();
  SaveMacroRecords();
  const int id = SelectedMacro(Control(209));
  if (id > 0) ClearMacroKeyAssignments(id);
  steps->UpdateControl(1, 0);
  return 1;
}

int KeyboardDlg::OnMacroStepDelete() {
  auto* steps = As<CRecordList>(Control(220));
  if (!steps || steps->GetCurSel() < 0) return 0;
  const int row = steps->GetCurSel();
  steps->DeleteItem(row);
  steps->SetCurSel(row - 1);
  SaveMacroRecords();
  return 1;
}

int KeyboardDlg::OnMacroStepUp() {
  auto* steps = As<CRecordList>(Control(220));
  if (!steps || steps->GetCurSel() <= 0) return 0;
  const int row = steps->GetCurSel();
  steps->SwapItem(row, row - 1);
  steps->SetCurSel(row - 1);
  steps->UpdateControl(1, 0);
  SaveMacroRecords();
  return 1;
}

int KeyboardDlg::OnMacroStepDown() {
  auto* steps = As<CRecordList>(Control(220));
  if (!steps || steps->GetCurSel() < 0) return 0;
  const int row = steps->GetCurSel();
  if (row + 1 < steps->GetItemCount()) {
    steps->SwapItem(row, row + 1);
    steps->SetCurSel(row + 1);
  }
  steps->UpdateControl(1, 0);
  SaveMacroRecords();
  return 1;
}

int KeyboardDlg::OnMacroInsertMenu() {
  auto* steps = As<CRecordList>(Control(220));
  MControl* button = Control(221);
  if (!steps || !button) return 0;
  if (steps->GetItemCount() >= m_stepBudget) {
    PageMessageBox(386, 368, kMessageBoxOk);
    return 1;
  }
  if (!GetSafeHwnd()) return 1;
  POINT at = {button->GetRect().left, button->GetRect().top - 140};
  ::ClientToScreen(GetSafeHwnd(), &at);
  // The menu deletes itself once its window is gone; one never created is ours to delete.
  auto* menu = new MenuWnd(this);
  if (!menu->Create(GetSafeHwnd(), CPoint(at.x, at.y), UM_MACRO_INSERT_MENU, CString(L"img_menu.png"), 170, 150,
                    BACKMODE_NINEGRID)) {
    delete menu;
    return 0;
  }
  for (auto [id, textId] : {std::pair{105, 415}, std::pair{106, 416}, std::pair{107, 417}, std::pair{101, 397},
                            std::pair{103, 398}})
    menu->AddMenu(LoadLangString(textId), UINT(id), CString(), 0, -1);
  menu->SetMenuPoint();
  menu->ShowWindow(SW_SHOW);
  return 1;
}

int KeyboardDlg::OnMacroStepListEvent(UINT code, WPARAM, LPARAM) {
  auto* steps = As<CRecordList>(Control(220));
  if (!steps) return 0;
  const int row = steps->GetCurSel();
  if (code == 2) {
    if (row < 0) return 0;
    CString text;
    int type = 0, key = 0, time = 0;
    steps->GetRecordInfo(row, text, type, key, time);
    ShowStepEditor(1);
    KeyboardDef::ShowControl(237, 0);
    auto* kind = As<MComboBox>(Control(235));
    auto* value = As<MEdit>(Control(236));
    if (!kind || !value) return 1;
    value->EnableCharMessage(1);
    value->SetTitle(L"");
    kind->DelAllItems();
    if (type == kStepDelay) {
      kind->AddItem(LoadLangString(395).GetString(), 3, L"", Gdiplus::Color(0));
      kind->SetCurSel(0);
      value->SetTitle(Decimal(key).GetString());
      value->SetNumberOnly(1);
    } else if (type == kStepKeyDown || type == kStepKeyUp) {
      kind->AddItem(LoadLangString(394).GetString(), 2, L"", Gdiplus::Color(0));
      kind->SetCurSel(0);
      value->SetTitle(text.GetLength() > 2 ? text.Mid(2).GetString() : L"");
      value->SetNumberOnly(0);
      value->EnableCharMessage(0);
      value->SetTipInfo(LoadLangString(385).GetString());
    } else if (type == kStepMouseDown || type == kStepMouseUp) {
      kind->AddItem(LoadLangString(393).GetString(), 1, L"", Gdiplus::Color(0));
      kind->SetCurSel(0);
      value->SetVisible(0);
      KeyboardDef::ShowControl(237, 1);
    }
    return 1;
  }
  if (code == 9) {
    if (!GetSafeHwnd()) return 1;
    POINT at = {};
    GetCursorPos(&at);
    auto* menu = new MenuWnd(this);
    if (!menu->Create(GetSafeHwnd(), CPoint(at.x - 125, at.y + 2), UM_MACRO_STEP_MENU, 120, 4, 150, BACKMODE_NINEGRID)) {
      delete menu;
      return 0;
    }
    for (auto [id, textId] : {std::pair{100, 400}, std::pair{101, 401}, std::pair{102, 402}, std::pair{103, 403}})
      menu->AddMenu(LoadLangString(textId), UINT(id), CString(), 0, -1);
    menu->SetMenuPoint();
    menu->ShowWindow(SW_SHOW);
    return 1;
  }
  return 0;
}

int KeyboardDlg::OnMacroStepKindSelected() {
  auto* kind = As<MComboBox>(Control(235));
  auto* value = As<MEdit>(Control(236));
  if (!kind || !value) return 0;
  KeyboardDef::ShowControl(237, 0);
  value->SetVisible(1);
  value->EnableCharMessage(1);
  value->SetTitle(L"");
  switch (int(kind->GetCurData())) {
    case 3:
      value->SetLimitText(5);
      value->SetTitle(L"10");
      value->SetNumberOnly(1);
      break;
    case 2:
      value->SetLimitText(10);
      value->EnableCharMessage(0);
      value->SetTipInfo(LoadLangString(385).GetString());
      value->SetNumberOnly(0);
      break;
    case 1:
      value->SetVisible(0);
      KeyboardDef::ShowControl(237, 1);
      break;
    default: break;
  }
  return 1;
}

int KeyboardDlg::OnMacroStepEdit(UINT code, WPARAM, LPARAM) {
  auto* kind = As<MComboBox>(Control(235));
  auto* value = As<MEdit>(Control(236));
  auto* steps = As<CRecordList>(Control(220));
  if (!kind || !value || !steps) return 0;
  const int selectedKind = int(kind->GetCurData());
  if (selectedKind == 2) {
    if (code == 30) {
      m_stepKeyCode = 0;
      m_stepKeyName.Empty();
      value->SetTitle(L"");
      m_rawInputToken = true;
      if (GetSafeHwnd()) {
        RegisterRawInputSink(GetSafeHwnd());
        m_rawInputRegistered = true;
      }
    } else if (code == 29) {
      m_rawInputToken = false;
      // Nothing captures the key of a key step yet: m_stepKeyCode stays 0 and the rows
      // keep their key.
      const int row = steps->GetCurSel();
      if (m_stepKeyCode > 0 && !m_stepKeyName.IsEmpty() && row >= 0) {
        const int stamp = steps->GetRecrodTimeStamp(row);
        for (int i = 0; i < steps->GetItemCount(); ++i) {
          CString text;
          int type = 0, key = 0, time = 0;
          steps->GetRecordInfo(i, text, type, key, time);
          if (time != stamp || (type != kStepKeyDown && type != kStepKeyUp)) continue;
          steps->SetRecordInfo(i, MacroRecorder::StepText(type, m_stepKeyName), type, m_stepKeyCode, time);
        }
        SaveMacroRecords();
      }
    }
    return 1;
  }
  if (code != 29) return 1;
  const int typed = NumberOf(value->GetTitle());
  int number = typed;
  if (selectedKind == 3) number = std::clamp(typed, 1, kMaxFixedDelay);
  if (number != typed || value->GetTitle() != Decimal(typed)) value->SetTitle(Decimal(number).GetString());
  const int row = steps->GetCurSel();
  if (selectedKind == 3 && row >= 0) {
    CString text;
    int type = 0, key = 0, time = 0;
    steps->GetRecordInfo(row, text, type, key, time);
    CString shown;
    shown.Format(L"%d ms", number);
    steps->SetRecordInfo(row, shown, type, number, time);
    SaveMacroRecords();
  }
  return 1;
}

// ---- delay mode ----

int KeyboardDlg::OnMacroDelayModeRadio(int id) {
  MControl* fixed = Control(232);
  if (fixed) fixed->SetEnabled(id == 230);
  if (id == 230) KeyboardDef::SetControlTitle(232, L"10");
  return SaveMacroDelayMode();
}

int KeyboardDlg::OnMacroFixedDelayEdit(UINT code, WPARAM, LPARAM) {
  if (code != 29) return 0;
  auto* fixed = As<MControlFont>(Control(232));
  if (!fixed) return 0;
  const CString text = fixed->GetTitle();
  const int typed = NumberOf(text);
  const int value = std::clamp(typed, 1, kMaxFixedDelay);
  if (value != typed || text.IsEmpty()) {
    fixed->SetTitle(Decimal(value).GetString());
    fixed->SetTooltip(Decimal(value).GetString());
  }
  return SaveMacroDelayMode();
}

int KeyboardDlg::SaveMacroDelayMode() {
  const int id = SelectedMacro(Control(209));
  if (id <= 0) return 0;
  MacroRecord macro;
  if (!m_store.GetMacro(id, macro)) return 0;
  auto checked = [this](int radio) {
    auto* r = As<CRadioButton>(Control(radio));
    return r && r->GetCheck();
  };
  int mode = 0, delay = 0;
  if (checked(228)) {
    mode = 0;
  } else if (checked(229)) {
    mode = 1;
  } else if (checked(230)) {
    mode = 2;
    auto* fixed = As<MControlFont>(Control(232));
    if (fixed && fixed->GetTitle().IsEmpty()) fixed->SetTitle(L"10");
    delay = fixed ? NumberOf(fixed->GetTitle()) : 10;
  }
  macro.delay_type = mode;
  macro.delay_time = delay;
  m_store.UpdateMacro(id, macro);
  return 1;
}

// ---- recording ----

int KeyboardDlg::OnMacroRecordToggle() {
  auto* record = As<MButton>(Control(226));
  if (SelectedMacro(Control(209)) <= 0) {
    PageMessageBox(387, 358, kMessageBoxOk);
    return 0;
  }
  const int total = MacroRecorder::TotalSteps(m_deviceInfo.macroMemorySize);
  const int stored = m_store.GetAllMacroStepCount();
  auto stop = [&] {
    m_recording = 0;
    m_recorder.Stop();
    m_hookManager.reset();
    SaveMacroRecords();
    if (record) {
      record->SetTitle(LoadLangString(358).GetString());
      record->SetIconImage(L"icon\\icon_rec.png", 1);
    }
    SetMacroEditEnabled(1);
  };
  if (stored >= total) {
    m_rawInputToken = false;
    stop();
    PageMessageBox(386, 358, kMessageBoxOk);
    return 0;
  }
  m_stepBudget = total - stored;
  if (m_recording) {
    stop();
    return 1;
  }
  m_rawInputToken = false;
  auto checked = [this](int radio) {
    auto* r = As<CRadioButton>(Control(radio));
    return r && r->GetCheck();
  };
  int mode = MacroRecorder::kMeasuredDelay, fixedDelay = 0;
  if (checked(228)) {
    mode = MacroRecorder::kNoDelay;
  } else if (checked(229)) {
    mode = MacroRecorder::kMeasuredDelay;
  } else if (checked(230)) {
    mode = MacroRecorder::kFixedDelay;
    auto* fixed = As<MControlFont>(Control(232));
    if (fixed && fixed->GetTitle().IsEmpty()) fixed->SetTitle(L"10");
    fixedDelay = fixed ? NumberOf(fixed->GetTitle()) : 10;
  }
  m_hookConsumer = 1;
  m_hookManager = std::make_unique<InputHookManager>();
  m_hookManager->Subscribe(GetSafeHwnd(), InputHookManager::kKeyboardEvents, UM_HOOK_KEYBOARD);
  m_hookManager->Subscribe(GetSafeHwnd(), InputHookManager::kMouseEvents, UM_HOOK_MOUSE);
  m_hookManager->Install();
  m_recorder.Start(mode, fixedDelay, m_stepBudget);
  if (record) record->SetTitle(LoadLangString(359).GetString());
  SetMacroEditEnabled(0);
  m_recording = 1;
  return 1;
}

int KeyboardDlg::AppendRecordedEvent(const InputEvent& event) {
  auto* steps = As<CRecordList>(Control(220));
  if (!steps) return 0;
  bool onRecordButton = false;
  if (event.kind == kInputMouse) {
    if (MControl* button = Control(226); button && GetSafeHwnd()) {
      CRect rect = button->GetRect();
      POINT corners[2] = {{rect.left, rect.top}, {rect.right, rect.bottom}};
      ::MapWindowPoints(GetSafeHwnd(), nullptr, corners, 2);
      POINT at = {};
      GetCursorPos(&at);
      onRecordButton = at.x >= corners[0].x && at.x < corners[1].x && at.y >= corners[0].y && at.y < corners[1].y;
    }
  }
  RecordListRows rows(*steps);
  const MacroRecorder::Outcome outcome = m_recorder.Append(event, rows, onRecordButton);
  if (outcome == MacroRecorder::Outcome::Ignored) return 0;
  steps->UpdateControl(1, 0);
  if (outcome == MacroRecorder::Outcome::Full || outcome == MacroRecorder::Outcome::AppendedFull) OnMacroRecordToggle();
  return 1;
}

LRESULT KeyboardDlg::OnHookKeyEvent(WPARAM wParam, LPARAM lParam) {
  if (wParam != WM_KEYDOWN && wParam != WM_SYSKEYDOWN && wParam != WM_KEYUP && wParam != WM_SYSKEYUP) return 1;
  if (!lParam) return 0;
  InputEvent event;
  if (!HookInput::KeyEvent(wParam, *reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam), event)) return 1;
  HookInput::TrackHeldKey(m_pressedKeys, event);
  if (m_hookConsumer == 1) {
    AppendRecordedEvent(event);
  } else if (m_hookConsumer == 2) {
    // The key-capture edit: the last key event is the key; auto-repeats count too.
    m_captureKeyCode = event.code;
    m_captureKeyName = event.name;
    KeyboardDef::SetControlTitle(115, event.name.GetString());
  }
  return 1;  // swallowed, whoever took it
}

LRESULT KeyboardDlg::OnHookMouseEvent(WPARAM wParam, LPARAM lParam) {
  if (!lParam) return 1;
  InputEvent event;
  if (!HookInput::MouseEvent(wParam, *reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam), event)) return 1;
  if (m_hookConsumer == 1) AppendRecordedEvent(event);
  return 1;
}
