// The control notification dispatcher of the main window and the frame's handlers.
#include "shell/KeyboardDlg.h"
#include <shellapi.h>
#include "controls/CSwitchButton.h"
#include "controls/MComboBox.h"
#include "controls/MTabCtrl.h"
#include "controls/ProfileList.h"
#include "core/MenuWnd.h"
#include "shell/AppSettings.h"
#include "shell/LanguageText.h"
#include "shell/NotifyRoutes.h"
#include "store/KeyboardDataStore.h"
#include "pages/RawInputSink.h"
#include "widgets/CKeyTestCtrl.h"
#include "widgets/KeyboardCtrl.h"

namespace {

constexpr int kAny = NotifyRoute::kAnyCode;

#define ROUTE(first, last, code, name, body)                                                        \
  NotifyRoute {                                                                                     \
    first, last, code, name,                                                                        \
        [](KeyboardDlg & d, [[maybe_unused]] UINT id, [[maybe_unused]] UINT code_,                  \
           [[maybe_unused]] WPARAM w, [[maybe_unused]] LPARAM l) -> int { body; }                   \
  }

// Handed over whatever the code (the handler looks at it), except where a code is named.
const NotifyRoute kAnyCodeRoutes[] = {
    ROUTE(53, 53, kAny, "OnProfileListNotify", return d.OnProfileListNotify(code_, w, l)),
    ROUTE(58, 58, kAny, "OnKeyboardClick", return d.OnKeyboardClick(code_, w, l)),
    ROUTE(68, 68, kAny, "OnMainTabChanged", return d.OnMainTabChanged(int(w))),
    ROUTE(95, 95, 29, "ApplyMacroPlayMode", return d.ApplyMacroPlayMode()),
    ROUTE(95, 95, kAny, "(none)", return 1),
    ROUTE(115, 115, kAny, "OnKeyCaptureEdit", return d.OnKeyCaptureEdit(code_, w, l)),
    ROUTE(126, 126, kAny, "OnLightModeSelected", d.OnLightModeSelected(int(code_)); return 1),
    ROUTE(141, 141, 27, "OnLightPalette", return d.OnLightPalette()),
    ROUTE(145, 145, kAny, "OnLightRedEdit", return d.OnLightRedEdit(code_, w, l)),
    ROUTE(146, 146, kAny, "OnLightGreenEdit", return d.OnLightGreenEdit(code_, w, l)),
    ROUTE(147, 147, kAny, "OnLightBlueEdit", return d.OnLightBlueEdit(code_, w, l)),
    ROUTE(177, 177, 27, "OnMusicPalette", return d.OnMusicPalette()),
    ROUTE(181, 181, kAny, "OnMusicRedEdit", return d.OnMusicRedEdit(code_, w, l)),
    ROUTE(182, 182, kAny, "OnMusicGreenEdit", return d.OnMusicGreenEdit(code_, w, l)),
    ROUTE(183, 183, kAny, "OnMusicBlueEdit", return d.OnMusicBlueEdit(code_, w, l)),
    ROUTE(209, 209, kAny, "OnMacroListEvent", return d.OnMacroListEvent(code_, w, l)),
    ROUTE(220, 220, kAny, "OnMacroStepListEvent", return d.OnMacroStepListEvent(code_, w, l)),
    ROUTE(232, 232, kAny, "OnMacroFixedDelayEdit", return d.OnMacroFixedDelayEdit(code_, w, l)),
    ROUTE(236, 236, kAny, "OnMacroStepEdit", return d.OnMacroStepEdit(code_, w, l)),
    ROUTE(289, 289, kAny, "OnMatrixModeSelected", return d.OnMatrixModeSelected(code_, w, l)),
    ROUTE(304, 304, 27, "OnMatrixPalette", return d.OnMatrixPalette()),
    ROUTE(308, 308, kAny, "OnMatrixRedEdit", return d.OnMatrixRedEdit(code_, w, l)),
    ROUTE(309, 309, kAny, "OnMatrixGreenEdit", return d.OnMatrixGreenEdit(code_, w, l)),
    ROUTE(310, 310, kAny, "OnMatrixBlueEdit", return d.OnMatrixBlueEdit(code_, w, l)),
    ROUTE(369, 369, kAny, "OnLcdSlotSelected", return d.OnLcdSlotSelected(code_, w, l)),
    ROUTE(371, 371, kAny, "OnLedAnimationSelected", return d.OnLedAnimationSelected(code_, w, l)),
    ROUTE(380, 380, kAny, "OnLedImageViewEvent", return d.OnLedImageViewEvent(code_, w, l)),
    ROUTE(384, 384, kAny, "OnLedFrameListEvent", return d.OnLedFrameListEvent(code_, w, l)),
    ROUTE(390, 390, kAny, "OnLedFontSize", return d.OnLedFontSize(code_, w, l)),
    ROUTE(399, 399, kAny, "OnLedPalette3", return d.OnLedPalette3(code_, w, l)),
    ROUTE(400, 400, kAny, "OnLedPalette2", return d.OnLedPalette2(code_, w, l)),
    ROUTE(404, 404, kAny, "OnLedRedEdit", return d.OnLedRedEdit(code_, w, l)),
    ROUTE(405, 405, kAny, "OnLedGreenEdit", return d.OnLedGreenEdit(code_, w, l)),
    ROUTE(406, 406, kAny, "OnLedBlueEdit", return d.OnLedBlueEdit(code_, w, l)),
};

// Clicks and commits (code 2).
const NotifyRoute kClickRoutes[] = {
    ROUTE(39, 39, 2, "OnCloseButton", return d.OnCloseButton()),
    ROUTE(40, 40, 2, "OnMinimize", d.OnMinimize(); return 1),
    ROUTE(42, 42, 2, "ShowSettingsPage", return d.ShowSettingsPage()),
    ROUTE(43, 43, 2, "OpenLink(website)", d.OpenLink(d.m_websiteUrl); return 1),
    ROUTE(439, 439, 2, "OpenLink(website)", d.OpenLink(d.m_websiteUrl); return 1),
    ROUTE(440, 440, 2, "OpenLink(feedback)", d.OpenLink(d.m_feedbackUrl); return 1),
    ROUTE(441, 441, 2, "OpenLink(faqs)", d.OpenLink(d.m_faqsUrl); return 1),
    ROUTE(45, 45, 2, "ShowSkinMenu", return d.ShowSkinMenu()),
    ROUTE(50, 50, 2, "OpenProfileDialog", return d.OpenProfileDialog()),
    ROUTE(64, 64, 2, "OpenAboutDialog", return d.OpenAboutDialog()),
    ROUTE(81, 81, 2, "OnDeviceSelected", d.OnDeviceSelected(); return 1),
    ROUTE(54, 54, 2, "AddProfile", return d.AddProfile()),
    ROUTE(55, 55, 2, "ImportProfileXml", return d.ImportProfileXml()),
    ROUTE(56, 56, 2, "OnKeyLayerChanged", return d.OnKeyLayerChanged()),
    ROUTE(60, 60, 2, "ResetKeyAssignments",
          d.m_selectedKey = d.m_keyboardCtrl ? d.m_keyboardCtrl->GetCurrentKeyValue() : 0;
          if (d.m_selectedKey >= 1) d.ResetKeyAssignments(d.m_selectedKey); return 1),
    ROUTE(61, 61, 2, "OnResetKeyAssignments", return d.OnResetKeyAssignments()),
    ROUTE(88, 88, 2, "ShowKeyFunctions", return d.ShowKeyFunctions()),
    ROUTE(89, 89, 2, "OnAssignKeyFunction", return d.OnAssignKeyFunction()),
    ROUTE(91, 94, 2, "OnMacroPlayModeRadio", return d.OnMacroPlayModeRadio(int(id))),
    ROUTE(116, 116, 2, "OnModifierComboApply", return d.OnModifierComboApply()),
    ROUTE(117, 117, 2, "OnLightTypeChanged", return d.OnLightTypeChanged()),
    ROUTE(123, 123, 2, "OnLightEnableSwitch", return d.OnLightEnableSwitch()),
    ROUTE(125, 125, 2, "OnLightPerKeySwitch", return d.OnLightPerKeySwitch()),
    ROUTE(129, 129, 2, "OnLightBrightness", return d.OnLightBrightness()),
    ROUTE(131, 131, 2, "OnLightSpeed", return d.OnLightSpeed()),
    ROUTE(133, 136, 2, "OnLightDirection", return d.OnLightDirection(int(id))),
    ROUTE(138, 138, 2, "OnLightColorfulCheck", return d.OnLightColorfulCheck()),
    ROUTE(148, 156, 2, "OnLightColorButton", return d.OnLightColorButton(int(id))),
    ROUTE(157, 157, 2, "OnLightApply", return d.OnLightApply()),
    ROUTE(159, 159, 2, "OnLightCustomSetSelected", return d.OnLightCustomSetSelected()),
    ROUTE(161, 172, 2, "OnMusicLayerCheck", return d.OnMusicLayerCheck(int(id))),
    ROUTE(174, 174, 2, "OnMusicColorfulCheck", return d.OnMusicColorfulCheck()),
    ROUTE(184, 192, 2, "OnMusicColorButton", return d.OnMusicColorButton(int(id))),
    ROUTE(194, 194, 2, "OnMusicForeMode", return d.OnMusicForeMode()),
    ROUTE(196, 196, 2, "OnMusicForeAmplitude", return d.OnMusicForeAmplitude()),
    ROUTE(198, 198, 2, "OnMusicBackBright", return d.OnMusicBackBright()),
    ROUTE(200, 200, 2, "OnMusicBackMode", return d.OnMusicBackMode()),
    ROUTE(202, 202, 2, "OnMusicLightRight", return d.OnMusicLightRight()),
    ROUTE(210, 210, 2, "OnMacroNew", return d.OnMacroNew()),
    ROUTE(211, 211, 2, "OnMacroDelete", return d.OnMacroDelete()),
    ROUTE(221, 221, 2, "OnMacroInsertMenu", return d.OnMacroInsertMenu()),
    ROUTE(222, 222, 2, "OnMacroStepDelete", return d.OnMacroStepDelete()),
    ROUTE(223, 223, 2, "OnMacroStepsClear", return d.OnMacroStepsClear()),
    ROUTE(226, 226, 2, "OnMacroRecordToggle", return d.OnMacroRecordToggle()),
    ROUTE(228, 230, 2, "OnMacroDelayModeRadio", return d.OnMacroDelayModeRadio(int(id))),
    ROUTE(235, 235, 2, "OnMacroStepKindSelected", return d.OnMacroStepKindSelected()),
    ROUTE(237, 237, 2, "SaveMacroRecords", d.SaveMacroRecords(); return 1),
    ROUTE(239, 239, 2, "OnMacroStepUp", return d.OnMacroStepUp()),
    ROUTE(240, 240, 2, "OnMacroStepDown", return d.OnMacroStepDown()),
    ROUTE(242, 242, 2, "OnZephraModeChanged", return d.OnZephraModeChanged()),
    ROUTE(269, 269, 2, "OnZephraCaptureWindow", return d.OnZephraCaptureWindow()),
    ROUTE(272, 272, 2, "OnZephraMediaFile", return d.OnZephraMediaFile()),
    ROUTE(274, 274, 2, "OnZephraPresetSelected", return d.OnZephraPresetSelected()),
    ROUTE(276, 276, 2, "(none)", return 1),
    ROUTE(288, 288, 2, "(none)", return 1),
    ROUTE(277, 277, 2, "OnMatrixTask16", return d.OnMatrixTask16()),
    ROUTE(279, 279, 2, "OnMatrixPresetSelected", return d.OnMatrixPresetSelected()),
    ROUTE(286, 286, 2, "OnMatrixEnableSwitch", return d.OnMatrixEnableSwitch()),
    ROUTE(292, 292, 2, "OnMatrixBrightness", return d.OnMatrixBrightness()),
    ROUTE(294, 294, 2, "OnMatrixSpeed", return d.OnMatrixSpeed()),
    ROUTE(296, 299, 2, "OnMatrixDirection", return d.OnMatrixDirection(int(id))),
    ROUTE(301, 301, 2, "OnMatrixColorfulCheck", return d.OnMatrixColorfulCheck()),
    ROUTE(311, 319, 2, "OnMatrixColorButton", return d.OnMatrixColorButton(int(id))),
    ROUTE(321, 321, 2, "OnMatrixAmplitude", return d.OnMatrixAmplitude()),
    ROUTE(326, 326, 2, "RunFirmwareTool", d.RunFirmwareTool(); return 1),
    ROUTE(333, 333, 2, "FactoryReset", return d.FactoryReset()),
    ROUTE(338, 338, 2, "OnMacModeSwitch", return d.OnMacModeSwitch()),
    ROUTE(341, 341, 2, "OnGameModeSwitch", return d.OnGameModeSwitch()),
    ROUTE(344, 344, 2, "OnLockWinSwitch", return d.OnLockWinSwitch()),
    ROUTE(347, 347, 2, "OnWasdModeSwitch", return d.OnWasdModeSwitch()),
    ROUTE(350, 350, 2, "OnSleepTimeSelected", return d.OnSleepTimeSelected()),
    ROUTE(353, 353, 2, "OnKeyResponseSelected", return d.OnKeyResponseSelected()),
    ROUTE(356, 356, 2, "OnEncoderModeSwitch", return d.OnEncoderModeSwitch()),
    ROUTE(372, 372, 2, "OnLedAnimationAdd", return d.OnLedAnimationAdd()),
    ROUTE(373, 373, 2, "OnLedGifImport", return d.OnLedGifImport()),
    ROUTE(374, 374, 2, "OnLedAnimationDelete", return d.OnLedAnimationDelete()),
    ROUTE(379, 379, 2, "OnLedGridLines", return d.OnLedGridLines()),
    ROUTE(381, 381, 2, "OnLedEditMode", return d.OnLedEditMode()),
    ROUTE(383, 383, 2, "OnLedPreviewMode", return d.OnLedPreviewMode()),
    ROUTE(391, 391, 2, "OnLedAddText", return d.OnLedAddText()),
    ROUTE(392, 392, 2, "OnLedPictureImport", d.OnLedPictureImport(); return 0),
    ROUTE(393, 393, 2, "OnLedFrameCopy", return d.OnLedFrameCopy()),
    ROUTE(394, 394, 2, "OnLedDrawMode", return d.OnLedDrawMode(102)),
    ROUTE(395, 395, 2, "OnLedDrawMode", return d.OnLedDrawMode(111)),
    ROUTE(396, 396, 2, "OnLedFrameDelete", return d.OnLedFrameDelete()),
    ROUTE(397, 397, 2, "OnLedUndo", return d.OnLedUndo()),
    ROUTE(407, 412, 2, "OnLedColorButton", return d.OnLedColorButton(int(id))),
    ROUTE(413, 413, 2, "OnLedTask29", return d.OnLedTask29()),
    ROUTE(414, 414, 2, "SaveLedFrames", return d.SaveLedFrames()),
    ROUTE(415, 415, 2, "OnLedGifExport", return d.OnLedGifExport()),
    ROUTE(416, 416, 2, "OnLedDownload", return d.OnLedDownload()),
    ROUTE(418, 418, 2, "ReturnFromSettings", return d.ReturnFromSettings()),
    ROUTE(421, 423, 2, "OnLanguageRadio", return d.OnLanguageRadio(int(id))),
    ROUTE(428, 428, 2, "SetAutorun", return d.SetAutorun()),
    ROUTE(429, 429, 2, "OnAutorunMinimizeSwitch", return d.OnAutorunMinimizeSwitch()),
    ROUTE(432, 433, 2, "OnExitModeRadio", return d.OnExitModeRadio(int(id))),
    ROUTE(437, 437, 2, "OnCheckUpdateButton", return d.OnCheckUpdateButton()),
};

#undef ROUTE

template <size_t N>
const NotifyRoute* Find(const NotifyRoute (&table)[N], UINT id, int code) {
  for (const NotifyRoute& route : table) {
    if (int(id) < route.firstId || int(id) > route.lastId) continue;
    if (route.code == kAny || route.code == code) return &route;
  }
  return nullptr;
}

}  // namespace

const NotifyRoute* FindNotifyRoute(UINT id, UINT code) {
  if (const NotifyRoute* route = Find(kAnyCodeRoutes, id, int(code))) return route;
  if (code != 2) return nullptr;
  return Find(kClickRoutes, id, 2);
}

LRESULT KeyboardDlg::OnMessage(UINT id, UINT code, WPARAM wParam, LPARAM lParam) {
  const NotifyRoute* route = FindNotifyRoute(id, code);
  return route ? route->run(*this, id, code, wParam, lParam) : 0;
}

int KeyboardDlg::OnCloseButton() {
  if (ReadAppRegInt(L"exit_mode") == 1) {
    ShowWindow(false);
    return 1;
  }
  RemoveTrayIcon();
  ExitNow(0);
  return 1;
}

int KeyboardDlg::ShowSettingsPage() {
  for (int id : {68, 39, 40, 42, 43, 45, 46, 47}) KeyboardDef::ShowControl(id, 0);
  KeyboardDef::ShowControl(79, 1);
  ShowDeviceFrame(0);
  switch (m_mainPage) {
    case 0:
      KeyboardDef::ShowControl(69, 0);
      KeyboardDef::ShowControl(31, 0);
      KeyboardDef::ShowControl(30, 1);
      break;
    case 4: ShowKeyPageGroup(0); break;
    case 2: KeyboardDef::ShowControl(59, 0); break;
    default: break;
  }
  return 1;
}

int KeyboardDlg::ShowSkinMenu() {
  MControl* button = Control(45);
  if (!button || !GetSafeHwnd()) return 0;
  CRect rect = button->GetRect();
  POINT at = {rect.left, rect.bottom};
  ::ClientToScreen(GetSafeHwnd(), &at);
  // The menu deletes itself once its window is gone; one never created is ours to delete.
  auto* menu = new MenuWnd(this);
  if (!menu->Create(GetSafeHwnd(), CPoint(at.x, at.y), UM_SKIN_MENU, CString(L"img_menu.png"), 4, 150,
                    BACKMODE_NINEGRID)) {
    delete menu;
    return 0;
  }
  menu->AddMenu(LoadLangString(7), 100, CString(), 0, -1);
  menu->AddMenu(LoadLangString(9), 101, CString(), 0, -1);
  menu->SetMenuPoint();
  menu->ShowWindow(SW_SHOW);
  return 1;
}

int KeyboardDlg::OpenProfileDialog() {
  KeyboardDef::ShowControl(65, 1);
  const int chosen = RunProfileDialog();
  if (chosen > 0 && chosen != m_profileId) {
    if (auto* profiles = dynamic_cast<ProfileList*>(Control(53))) profiles->SetCurData(chosen);
    m_profileId = chosen;
    m_store.SetActiveProfile(chosen);
    AddTask(kTaskApplyProfile);
  }
  KeyboardDef::ShowControl(65, 0);
  return 1;
}

int KeyboardDlg::OpenAboutDialog() {
  KeyboardDef::ShowControl(65, 1);
  RunAboutDialog();
  KeyboardDef::ShowControl(65, 0);
  return 1;
}

void KeyboardDlg::OpenLink(const CString& url) {
  ShellExecuteW(nullptr, L"open", url.GetString(), nullptr, nullptr, SW_SHOWNORMAL);
}

int KeyboardDlg::OnMainTabChanged(int tabIndex) {
  if (m_mainPage == 4) {
    if (m_rawInputRegistered && GetSafeHwnd()) UnregisterRawInput(GetSafeHwnd());
    m_rawInputRegistered = false;
    if (auto* tester = dynamic_cast<CKeyTestCtrl*>(Control(57))) tester->ClearList();
  } else if (m_mainPage == 6) {
    OnLedEditMode();
  }
  KeyboardDef::ShowControl(59, 0);
  if (m_keyboardCtrl) m_keyboardCtrl->EnableKBTips(false);
  ShowKeyPageGroup(0);
  KeyboardDef::ShowControl(30, 1);

  // Without a strip (a dialog that never had its window) the caller names the item.
  const int item = m_mainTab ? m_mainTab->GetItemID(tabIndex) : tabIndex;
  switch (item) {
    case 0:
      KeyboardDef::ShowControl(68, 0);
      KeyboardDef::ShowControl(30, 0);
      KeyboardDef::ShowControl(31, 1);
      ShowDeviceFrame(0);
      break;
    case 1:
      m_canvasPageShown = 0;
      m_mainTabIndex = tabIndex;
      ShowDeviceFrame(1);
      if (m_keyboardCtrl) {
        m_keyboardCtrl->SetLightModeColor(0, m_keyBaseColor);
        m_keyboardCtrl->SetKeyboardCtrlMode(m_lightMode >= 128 ? 103 : 100);
        m_keyboardCtrl->ResetAllItemCheck(0);
      }
      if (auto* live = dynamic_cast<CSwitchButton*>(Control(125))) live->SetCheck(0);
      m_liveKeyColors = 0;
      if (!m_selectingDevice) OnLightModeSelected(2);
      break;
    case 2:
      m_canvasPageShown = 1;
      m_mainTabIndex = tabIndex;
      ShowDeviceFrame(1);
      KeyboardDef::ShowControl(59, 1);
      KeyboardDef::ShowControl(58, 0);
      OnZephraModeChanged();
      if (auto* modes = dynamic_cast<MComboBox*>(Control(242)); modes && modes->GetCurData() == 2)
        m_visualizer.m_enabled = true;
      m_canvasEntered = true;
      AddTask(kTaskCanvasEntered);
      break;
    case 4:
      m_mainTabIndex = tabIndex;
      ShowDeviceFrame(1);
      if (m_keyboardCtrl) {
        m_keyboardCtrl->SetKeyboardCtrlMode(101);
        m_keyboardCtrl->SetLightModeColor(0, m_keyBaseColor);
        m_keyboardCtrl->EnableFrameSelect(0);
        m_keyboardCtrl->ResetAllItemCheck(0);
        m_keyboardCtrl->EnableKBTips(true);
      }
      ShowKeyPageGroup(1);
      if (GetSafeHwnd()) {
        RegisterRawInputSink(GetSafeHwnd());
        m_rawInputRegistered = true;
      }
      if (auto* tester = dynamic_cast<CKeyTestCtrl*>(Control(57))) tester->ClearList();
      ShowKeyFunctions();
      break;
    case 3:
    case 5:
    case 6:
    case 7:
      m_mainTabIndex = tabIndex;
      ShowDeviceFrame(1);
      KeyboardDef::ShowControl(58, 0);
      break;
    case 8:
      m_mainTabIndex = tabIndex;
      ShowDeviceFrame(1);
      if (m_keyboardCtrl) m_keyboardCtrl->SetKeyboardCtrlMode(100);
      KeyboardDef::ShowControl(58, 1);
      break;
    default: break;
  }
  if (item >= 0) m_mainPage = item;
  return 1;
}
