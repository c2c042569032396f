// Device settings page (panel 73): the keyboard's firmware version with the firmware tool
// button, and the factory reset, which puts the keyboard back to its factory state and
// starts the model's profile database anew.
#include "shell/KeyboardDlg.h"
#include "controls/CArea.h"
#include "core/MPanel.h"
#include "controls/CGifPicture.h"
#include "controls/MButton.h"
#include "controls/MPicture.h"
#include "controls/MText.h"
#include "controls/TabCtrlEx.h"
#include "core/PaintManager.h"
#include "shell/AppSettings.h"
#include "shell/LanguageText.h"
#include "shell/ShellDialogs.h"
#include "store/KeyboardDataStore.h"
#include "widgets/ImageView.h"
#include "widgets/ImageViewList.h"
#include "widgets/LCDViewCtrl.h"
#include "widgets/LCDViewList.h"
#include "shell/ControlCasts.h"

namespace {

constexpr int kPanel = 73;

}  // namespace

void KeyboardDlg::CreateDeviceSettingsPage() {
  auto* panel = dynamic_cast<MPanel*>(Control(kPanel));
  if (!panel) return;
  auto area = [&](const wchar_t* cls, int id, const wchar_t* title = L"") {
    MControl* c = panel->CreateArea(cls, UINT(id), CRect(), title, 1, 1);
    SetControl(id, c);
    return c;
  };
  auto button = [&](int id, const CString& title, const wchar_t* picture, uint32_t colour) {
    if (auto* b = dynamic_cast<MButton*>(panel->CreateControl(L"MButton", UINT(id), CRect(), title.GetString(), 1, 1))) {
      SetControl(id, b);
      b->SetImage(picture, 4);
      if (colour) b->SetTextColor(Argb(colour));
    }
  };
  auto section = [&](int id) {
    if (auto* back = dynamic_cast<MPicture*>(area(L"MPicture", id))) {
      back->SetImage(L"img_area.png", 1);
      back->SetShowMode(SHOWMODE_NINEGRID, 12);
    }
  };
  section(322);
  if (auto* b = dynamic_cast<CRoundArea*>(area(L"CRoundArea", 323))) b->SetColor(Argb(0xFFF6F6F6));
  if (auto* t = dynamic_cast<MText*>(area(L"MText", 324, LoadLangString(530).GetString()))) {
    t->SetTextColor(Argb(0xFF0A0A0A));
    t->SetFont(L"Roboto-Medium", 16, Gdiplus::FontStyleRegular);
  }
  if (auto* t = dynamic_cast<MText*>(area(L"MText", 325, LoadLangString(531).GetString()))) t->SetTextColor(Argb(m_textColor));
  button(326, LoadLangString(532), L"img_button2.png", 0xFF3A4E60);
  // The second section is built but never placed.
  section(327);
  if (auto* t = dynamic_cast<MText*>(area(L"MText", 328))) {
    t->SetTextColor(Argb(m_textColor));
    t->SetFontWidth(20);
  }
  if (auto* t = dynamic_cast<MText*>(area(L"MText", 329))) t->SetTextColor(Argb(m_textColor));
  button(330, CString(), L"img_button.png", 0);
  if (auto* b = dynamic_cast<CRoundArea*>(area(L"CRoundArea", 331))) b->SetColor(Argb(0xFFF6F6F6));
  if (auto* t = dynamic_cast<MText*>(area(L"MText", 332, LoadLangString(550).GetString()))) {
    t->SetTextColor(Argb(0xFF0A0A0A));
    t->SetFont(L"Roboto-Medium", 16, Gdiplus::FontStyleRegular);
  }
  button(333, LoadLangString(551), L"img_button2.png", 0xFF3A4E60);
}

void KeyboardDlg::LayoutDeviceSettingsPage(CRect client) {
  const int r = client.right, b = client.bottom;
  auto place = [this](int id, CRect rect) {
    if (MControl* control = Control(id)) control->SetRect(rect);
  };
  place(322, CRect(280, b - 260, r - 50, b - 2));
  place(323, CRect(330, b - 180, 790, b - 80));
  place(324, CRect(350, b - 160, 570, b - 130));
  place(325, CRect(350, b - 130, 570, b - 100));
  place(326, CRect(620, b - 140, 740, b - 110));
  place(331, CRect(830, b - 180, 1290, b - 80));
  place(332, CRect(850, b - 145, 1120, b - 115));
  place(333, CRect(1120, b - 145, 1240, b - 115));
}

int KeyboardDlg::FactoryReset() {
  KeyboardDef::ShowControl(65, 1);
  const int answer = AskUser(LoadLangString(552), LoadLangString(550), kMessageBoxOkCancel);
  KeyboardDef::ShowControl(65, 0);
  if (answer == 2) return 0;

  // The default backgrounds, at once.
  WriteAppRegString(L"theme_bkg", L"");
  WriteAppRegString(L"theme_bkg_gif", L"");
  if (auto* still = dynamic_cast<MPicture*>(Control(30)))
    still->SetImageFile((m_exeFolder + L"skins\\theme1\\main_bkg.png").GetString());
  if (auto* home = dynamic_cast<CGifPicture*>(Control(31)))
    home->SetImageFile((m_exeFolder + L"skins\\theme1\\home_bg.gif").GetString());
  if (PaintManager* pm = GetPaintManager()) {
    pm->RefreshControls();
    if (GetSafeHwnd()) ::InvalidateRect(GetSafeHwnd(), nullptr, FALSE);
    pm->RefreshControls();
  }
  if (m_featureMask & 0x40) {
    if (auto* grid = dynamic_cast<LCDViewCtrl*>(Control(369))) grid->DeleteAllItems();
    if (auto* frames = dynamic_cast<LCDViewList*>(Control(371))) frames->DeleteAllItems();
    if (auto* editor = dynamic_cast<ImageView*>(Control(380))) {
      editor->SetImage(L"");
      editor->DeleteAllItems();
    }
    if (auto* strip = dynamic_cast<ImageViewList*>(Control(384))) strip->DeleteAllItems();
  }
  if (auto* canvasModes = dynamic_cast<TabCtrlEx*>(Control(242))) canvasModes->SetCurData(2);
  if (!m_devicePresent) return 0;

  // The model's database starts anew: closed, deleted and made again with the empty schema
  // in one step under the store's lock, so a statement of the worker meets either the old
  // file or the new one. The layout itself has not changed; the worker's reset task
  // rebuilds the profiles and reads the keyboard again.
  CString model;
  for (const DeviceCatalogEntry& entry : m_catalogKeyboards) {
    if (entry.deviceType == m_deviceType) {
      model = entry.name;
      break;
    }
  }
  if (!model.IsEmpty()) m_store.ResetDeviceDb(m_userDataFolder, model);

  EnableWindow(0);
  AddTask(kTaskFactoryReset);
  delete m_waitDlg;
  m_waitDlg = new WaitDlg;
  static_cast<WaitDlg*>(m_waitDlg)->ShowCentered(GetSafeHwnd());
  return 1;
}
