// Software settings page (panel 79, opened by the frame's settings button): language,
// start with Windows, start minimised, what the close button does, the update check, the
// running version and the links. Its values live in the registry, per user.
#include "shell/KeyboardDlg.h"
#include "controls/CArea.h"
#include "core/MPanel.h"
#include "controls/CSwitchButton.h"
#include "controls/CTextButton.h"
#include "controls/GroupButton.h"
#include "controls/MButton.h"
#include "controls/MPicture.h"
#include "controls/MText.h"
#include "core/Manager.h"
#include "shell/AppSettings.h"
#include "shell/LanguageText.h"
#include "shell/ControlCasts.h"

namespace {

constexpr int kPanel = 79;
constexpr wchar_t kRunKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const wchar_t* kLanguageGroup = L"IDC_SET_STC_LANGUAGE";
constexpr const wchar_t* kExitGroup = L"IDC_SET_STC_EXITMODE";

// Whether the Run key holds the program's entry (a value past 512 bytes counts as none).
bool AutorunEntryPresent() {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kRunKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return false;
  BYTE buffer[1024] = {};
  DWORD size = 512;
  const bool present =
      RegQueryValueExW(key, Manager::GetDeviceName().GetString(), nullptr, nullptr, buffer, &size) == ERROR_SUCCESS;
  RegCloseKey(key);
  return present;
}

}  // namespace

void KeyboardDlg::CreateSoftwareSettingsPage() {
  auto* panel = dynamic_cast<MPanel*>(Control(kPanel));
  if (!panel) return;
  auto area = [&](const wchar_t* cls, int id, const wchar_t* title = L"") {
    MControl* c = panel->CreateArea(cls, UINT(id), CRect(), title, 1, 1);
    SetControl(id, c);
    return c;
  };
  auto control = [&](const wchar_t* cls, int id, const wchar_t* title = L"") {
    MControl* c = panel->CreateControl(cls, UINT(id), CRect(), title, 1, 1);
    SetControl(id, c);
    return c;
  };
  auto label = [&](int id, int text) {
    if (auto* t = dynamic_cast<MText*>(area(L"MText", id, LoadLangString(text).GetString()))) {
      t->SetTextColor(Argb(0xFF0A0A0A));
      t->SetFont(L"Roboto-Medium", 16, Gdiplus::FontStyleRegular);
    }
  };
  auto backdrop = [&](int id) {
    if (auto* b = dynamic_cast<CRoundArea*>(area(L"CRoundArea", id))) b->SetColor(Argb(0xFFF6F6F6));
  };
  auto radio = [&](int id, const CString& title, const wchar_t* group) {
    auto* r = dynamic_cast<CRadioButton*>(control(L"CRadioButton", id, title.GetString()));
    if (r) {
      r->SetGroupName(group);
      r->SetImage(L"btn_radiobox.png", 8);
      r->SetTextColor(Argb(m_textColor));
    }
    return r;
  };
  auto switchButton = [&](int id) {
    auto* s = dynamic_cast<CSwitchButton*>(control(L"CSwitchButton", id));
    if (s) s->SetImage(L"img_switch_on.png", L"img_switch_off.png", 4);
    return s;
  };

  if (auto* back = dynamic_cast<MPicture*>(area(L"MPicture", 417))) {
    back->SetImage(L"img_area2.png", 1);
    back->SetShowMode(SHOWMODE_NINEGRID, 36);
  }
  if (auto* ret = dynamic_cast<MControlFont*>(control(L"CImageButton", 418))) ret->SetImage(L"img_return.png", 4);
  backdrop(419);
  label(420, 500);
  radio(421, L"简体中文", kLanguageGroup);
  radio(422, L"English", kLanguageGroup);
  radio(423, L"繁體中文", kLanguageGroup);
  backdrop(424);
  label(425, 505);
  // Two labels share id 427; the slot keeps the autorun label, the other its own pointer.
  if (auto* t = dynamic_cast<MText*>(area(L"MText", 427, LoadLangString(506).GetString()))) {
    t->SetTextColor(Argb(0xFF0A0A0A));
    t->SetFont(L"Roboto-Bold", 16, Gdiplus::FontStyleBold);
  }
  m_minimiseLabel = panel->CreateArea(L"MText", 427, CRect(), LoadLangString(507).GetString(), 1, 1);
  if (auto* t = dynamic_cast<MText*>(m_minimiseLabel)) t->SetTextColor(Argb(m_textColor));
  auto* autorun = switchButton(428);
  auto* minimise = switchButton(429);
  backdrop(430);
  label(431, 509);
  auto* hide = radio(432, LoadLangString(510), kExitGroup);
  auto* quit = radio(433, LoadLangString(511), kExitGroup);
  backdrop(434);
  label(435, 515);
  area(L"MText", 436, LoadLangString(517).GetString());
  if (auto* check = dynamic_cast<MButton*>(control(L"MButton", 437, LoadLangString(516).GetString()))) {
    check->SetImage(L"img_button2.png", 4);
    check->SetTextColor(Argb(0xFF0A0A0A));
  }
  if (auto* caption = dynamic_cast<MText*>(area(L"MText", 438, LoadLangString(2, L"CAPTION").GetString()))) {
    caption->SetAlignment(1);
    caption->SetTextColor(Argb(0xFF2D3347));
  }
  for (auto [id, text] : {std::pair{439, 15}, std::pair{440, 16}, std::pair{441, 17}}) {
    if (auto* link = dynamic_cast<CTextButton*>(control(L"CTextButton", id, LoadLangString(text).GetString()))) {
      link->SetAlignment(1);
      link->SetTextColor(Argb(0xFF2D3347));
      link->SetFontStyle(Gdiplus::FontStyleUnderline);
    }
  }

  // The initial state.
  const int radioId = CurrentLanguageId == 2052 ? 421 : CurrentLanguageId == 1028 ? 423 : 422;
  if (auto* r = dynamic_cast<CRadioButton*>(Control(radioId))) r->SetCheck(1);
  const bool autorunOn = AutorunEntryPresent();
  if (autorun) autorun->SetCheck(autorunOn ? 1 : 0);
  if (minimise) minimise->SetCheck(autorunOn && ReadAppRegInt(L"autorun_minimize") == 1 ? 1 : 0);
  if (m_minimiseLabel) m_minimiseLabel->SetVisible(autorunOn);
  if (minimise) minimise->SetVisible(autorunOn);
  const bool toTray = ReadAppRegInt(L"exit_mode") == 1;
  if (toTray && hide) hide->SetCheck(1);
  if (!toTray && quit) quit->SetCheck(1);
  if (MControl* close = Control(39)) close->SetTooltip(LoadLangString(toTray ? 509 : 510).GetString());
}

void KeyboardDlg::LayoutSoftwareSettingsPage(CRect client) {
  const int c = (client.right - client.left) / 2;
  const int x0 = c - 310, x1 = x0 + 20, b = client.bottom;
  auto place = [this](int id, CRect rect) {
    if (MControl* control = Control(id)) control->SetRect(rect);
  };
  place(417, CRect(c - 400, 100, c + 400, b - 150));
  place(418, CRect(280, 130, 320, 170));
  place(424, CRect(x0, 180, x0 + 620, 280));
  place(427, CRect(x1, 210, x1 + 160, 230));
  if (m_minimiseLabel) m_minimiseLabel->SetRect(CRect(x1, 240, x1 + 300, 260));
  place(428, CRect(x1 + 500, 210, x1 + 540, 230));
  place(429, CRect(x1 + 500, 240, x1 + 540, 260));
  place(430, CRect(x0, 290, x0 + 620, 370));
  place(431, CRect(x1, 312, x1 + 120, 348));
  place(432, CRect(x1 + 180, 312, x1 + 480, 348));
  place(433, CRect(x1 + 480, 312, x1 + 600, 348));
  place(419, CRect(x0, 380, x0 + 620, 460));
  place(420, CRect(x1, 402, x1 + 120, 438));
  place(421, CRect(x1 + 350, 402, x1 + 470, 438));
  place(422, CRect(x1 + 480, 402, x1 + 600, 438));
  place(434, CRect(x0, 470, x0 + 620, 570));
  place(435, CRect(x1, 485, x1 + 160, 521));
  place(436, CRect(x1, 521, x1 + 200, 557));
  place(437, CRect(x1 + 400, 502, x1 + 580, 532));
  place(438, CRect(c - 260, b - 150, c + 240, b - 120));
  for (int k = 0; k < 3; ++k) place(439 + k, CRect(c - 260 + 160 * k, b - 110, c - 140 + 160 * k, b - 80));
}

int KeyboardDlg::LanguageOfRadio(int id) {
  return id == 421 ? 2052 : id == 423 ? 1028 : 1033;
}

int KeyboardDlg::OnLanguageRadio(int id) {
  // The radio that is checked now names the language (the click has checked it).
  int language = 1033;
  for (int radio : {421, 423}) {
    if (auto* r = dynamic_cast<CRadioButton*>(Control(radio)); r && r->GetCheck()) language = LanguageOfRadio(radio);
  }
  if (!Control(421)) language = LanguageOfRadio(id);
  CurrentLanguageId = language;
  WriteLanguageId(language);
  ReloadTexts();
  return 1;
}

int KeyboardDlg::SetAutorun() {
  auto* autorun = dynamic_cast<CSwitchButton*>(Control(428));
  auto* minimise = dynamic_cast<CSwitchButton*>(Control(429));
  const bool on = autorun && autorun->GetCheck();
  if (on) {
    WriteAutorunEntry(m_exeFolder);
  } else {
    if (minimise) minimise->SetCheck(0);
    WriteAppRegString(L"autorun_minimize", L"0");
    DeleteAutorunEntry();
  }
  if (m_minimiseLabel) m_minimiseLabel->SetVisible(on);
  if (minimise) minimise->SetVisible(on);
  return 1;
}

int KeyboardDlg::OnAutorunMinimizeSwitch() {
  auto* minimise = dynamic_cast<CSwitchButton*>(Control(429));
  WriteAppRegString(L"autorun_minimize", minimise && minimise->GetCheck() ? L"1" : L"0");
  return 1;
}

int KeyboardDlg::OnExitModeRadio(int) {
  auto* hide = dynamic_cast<CRadioButton*>(Control(432));
  WriteAppRegString(L"exit_mode", hide && hide->GetCheck() ? L"1" : L"0");
  return 1;
}

int KeyboardDlg::OnCheckUpdateButton() {
  AddTask(kTaskUpdateCheck);
  return 1;
}
