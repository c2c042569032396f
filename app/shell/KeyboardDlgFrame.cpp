// The construction and fixed geometry of the main window: the frame (title band, system
// buttons, left column, tab strip, home page with the device list, dimming overlay), the
// page panels, and the page builders and layout functions run in their order.
#include "shell/KeyboardDlg.h"
#include "canvas/ZephraEffect.h"
#include "controls/CArea.h"
#include "controls/CGifPicture.h"
#include "controls/CTextButton.h"
#include "controls/MPicture.h"
#include "controls/MTabCtrl.h"
#include "controls/MTabLayout.h"
#include "controls/ProfileList.h"
#include "controls/MText.h"
#include "core/Manager.h"
#include "shell/AppSettings.h"
#include "shell/LanguageText.h"
#include "widgets/BatteryCtrl.h"
#include "widgets/CDeviceList.h"
#include "widgets/KeyLayerCtrl.h"
#include "widgets/KeyboardCtrl.h"
#include "shell/ControlCasts.h"

namespace {

// The panels in the order they are created.
constexpr int kPanelOrder[] = {69, 70, 71, 72, 74, 75, 76, 73, 78, 77, 79};

// One item of the main tab strip, in strip order (the position differs from the item id).
struct MainTab {
  int itemId;
  int text;
  const wchar_t* picture;
  int panel;
};
constexpr MainTab kMainTabs[] = {
    {0, 50, L"icon\\tab_home.png", 69},      {1, 51, L"icon\\tab_light.png", 71},
    {3, 58, L"icon\\tab_light.png", 76},     {2, 52, L"icon\\tab_zephra.png", 75},
    {4, 53, L"icon\\tab_customkey.png", 70}, {5, 54, L"icon\\tab_macro.png", 72},
    {7, 57, L"icon\\tab_perf.png", 78},      {8, 56, L"icon\\tab_config.png", 73},
};

bool FileExists(const CString& path) {
  if (path.IsEmpty()) return false;
  const DWORD attributes = GetFileAttributesW(path.GetString());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The user's picture from the registry, or the default one beside the executable when
// that names no file (the stored value stays as it is).
CString BackgroundFile(const wchar_t* value, const wchar_t* fallback) {
  CString file = ReadAppRegString(value);
  if (!FileExists(file)) file = GetExeFolder() + L"skins\\theme1\\" + fallback;
  return file;
}

}  // namespace

void KeyboardDlg::InitUI(CRect client) {
  // Creates a frame control and keeps it in its slot.
  auto make = [this](bool area, const wchar_t* className, int id, const wchar_t* title = L"") {
    MControl* c = area ? CreateArea(className, UINT(id), CRect(), title, 1, 1)
                       : CreateControl(className, UINT(id), CRect(), title, 1, 1);
    SetControl(id, c);
    return c;
  };
  auto image = [](MControl* c, const wchar_t* file, int frames) {
    if (auto* f = As<MControlFont>(c)) f->SetImage(file, frames);
  };
  auto tooltip = [](MControl* c, int text) {
    if (c) c->SetTooltip(LoadLangString(text).GetString());
  };

  if (auto* still = As<MPicture>(make(true, L"MPicture", 30))) {
    still->SetShowMode(SHOWMODE_NINEGRID, 6);
    still->SetImageFile(BackgroundFile(L"theme_bkg", L"main_bkg.png").GetString());
    still->SetVisible(0);
  }
  if (auto* home = As<CGifPicture>(make(true, L"CGifPicture", 31))) {
    home->SetImageFile(BackgroundFile(L"theme_bkg_gif", L"home_bg.gif").GetString());
    home->AddMTimer();
    home->SetRunState(1, 0);
  }
  image(make(true, L"MPicture", 35), L"img_leftarea.png", 1);
  image(make(true, L"MPicture", 36), L"logo\\logo.png", 1);
  if (auto* brand = As<MText>(make(true, L"MText", 37, LoadLangString(1, L"OEM").GetString()))) {
    brand->SetTextColor(Argb(0xFF3A4E60));
    // 24 rather than 32 pixels: the brand text has 100 pixels before the profile button.
    brand->SetFont(L"Roboto-Bold", 24, Gdiplus::FontStyleBold);
  }
  if (auto* model = As<MText>(make(true, L"MText", 38, L"Zephra 80"))) {
    model->SetAlignment(1);
    model->SetTextColor(Argb(0xFF3A4E60));
    model->SetFont(L"Roboto-Bold", 28, Gdiplus::FontStyleBold);
  }
  // The close button's tooltip follows "exit_mode"; the software settings page sets it.
  ReadAppRegInt(L"exit_mode");
  image(make(false, L"CImageButton", 39), L"main_sysbtn_close.png", 4);
  MControl* minimise = make(false, L"CImageButton", 40);
  image(minimise, L"main_sysbtn_min.png", 4);
  tooltip(minimise, 3);
  MControl* settings = make(false, L"CImageButton", 42);
  image(settings, L"main_sysbtn_setting.png", 4);
  tooltip(settings, 10);
  MControl* website = make(false, L"CImageButton", 43);
  image(website, L"main_sysbtn_website.png", 4);
  tooltip(website, 5);
  MControl* skins = make(false, L"CImageButton", 45);
  image(skins, L"main_sysbtn_skins.png", 4);
  tooltip(skins, 7);
  if (auto* divider = As<CArea>(make(true, L"CArea", 33))) divider->SetTransparent(0, 0, 0xE6E6E6);
  if (auto* divider = As<CArea>(make(true, L"CArea", 32))) divider->SetTransparent(0, 0, 0xE6E6E6);
  m_batteryCtrl = As<BatteryCtrl>(make(true, L"BatteryCtrl", 46));
  if (m_batteryCtrl) {
    m_batteryCtrl->SetImage(L"icon\\icon_devicestatus.png", 6);
    m_batteryCtrl->SetTextColor(Argb(m_textColor));
  }
  image(make(true, L"MPicture", 47), L"icon\\usb_mode.png", 1);
  if (auto* area = As<MPicture>(make(true, L"MPicture", 51))) {
    area->SetImage(L"img_area1.png", 1);
    area->SetShowMode(SHOWMODE_NINEGRID, 12);
  }
  make(true, L"MText", 52, LoadLangString(65).GetString());
  MControl* addProfile = make(false, L"CImageButton", 54);
  image(addProfile, L"img_btn_addprofile.png", 4);
  tooltip(addProfile, 66);
  image(make(false, L"CImageButton", 55), L"img_btn_inportprofile.png", 4);
  if (auto* profiles = As<ProfileList>(make(false, L"ProfileList", 53))) {
    profiles->SetImage(L"img_profile_more.png", 2);
    profiles->SetItemBkg(L"img_tab_item.png");
  }
  if (auto* backdrop = As<CRoundArea>(make(true, L"CRoundArea", 48))) {
    backdrop->SetColor(Argb(0xFFC5D8FD));
    backdrop->SetRound(12);
  }
  image(make(true, L"MPicture", 49), L"icon\\icon_file.png", 1);
  if (auto* profileButton = As<CTextButton>(make(false, L"CTextButton", 50, LoadLangString(67).GetString()))) {
    profileButton->SetFont(L"Roboto-Bold", 16, Gdiplus::FontStyleRegular);
    profileButton->SetTextButtonColor(Argb(0xC84977E5), Argb(0xFF4977E5), Argb(0xC84977E5), Argb(0xFF808080));
  }
  if (auto* layers = As<KeyLayerCtrl>(make(false, L"KeyLayerCtrl", 56, L"Fn"))) {
    for (int layer = 0; layer < 4; ++layer) layers->AddLayer(CString(wchar_t(L'1' + layer)), layer);
  }
  for (auto [id, text] : {std::pair{60, 201}, std::pair{61, 202}}) {
    if (auto* button = As<MControlFont>(make(false, L"MButton", id, LoadLangString(text).GetString()))) {
      button->SetImage(L"img_button.png", 4);
      button->SetTextColor(Argb(m_textColor));
    }
  }
  m_keyboardCtrl = As<KeyboardCtrl>(make(false, L"KeyboardCtrl", 58));
  if (m_keyboardCtrl) {
    m_keyboardCtrl->SetImage(L"img_key_bkg.png", 4);
    m_keyboardCtrl->SetKeyboardCtrlMode(101);
  }
  m_zephraEffect = As<ZephraEffect>(make(false, L"ZephraEffect", 59));
  if (m_zephraEffect) {
    m_zephraEffect->SetImage(L"img_key_bkg.png", 4);
    m_zephraEffect->AddMTimer();
    m_zephraEffect->SetVisible(0);
  }
  image(make(false, L"CImageButton", 64), L"img_joinvip.png", 4);
  // The caption shares id 64; its slot holds the picture button, whose clicks count.
  m_aboutCaption = CreateControl(L"CTextButton", 64, CRect(), LoadLangString(8).GetString(), 1, 1);
  if (auto* caption = As<CTextButton>(m_aboutCaption)) {
    caption->SetTextColor(Argb(0xFFFFFFFF));
    caption->SetFont(L"Roboto-Bold", 14, Gdiplus::FontStyleRegular);
  }
  for (int panel : kPanelOrder) {
    if (MControl* layout = make(false, L"MTabLayout", panel)) layout->SetVisible(panel == 69);
  }
  if (auto* tester = As<MControlFont>(make(false, L"CKeyTestCtrl", 57))) {
    tester->SetImage(L"img_key_bkg.png", 4);
    tester->SetTextColor(Argb(0xFF2D3347));
    tester->AddMTimer();
    tester->SetVisible(0);
  }
  if (auto* backdrop = As<MPicture>(make(true, L"MPicture", 66))) {
    backdrop->SetImage(L"img_area1.png", 1);
    backdrop->SetShowMode(SHOWMODE_NINEGRID, 12);
  }
  make(true, L"MText", 67, LoadLangString(12).GetString());

  m_mainTab = As<MTabCtrl>(make(false, L"MTabCtrl", 68));
  if (m_mainTab) {
    // Hidden before its items come: the strip hides its pages whenever it is hidden, and
    // the home page must stay shown while the strip is not.
    m_mainTab->SetVisible(0);
    m_mainTab->SetImage(L"img_tab_item.png", 4);
    m_mainTab->SetFont(L"Roboto-Medium", 16, Gdiplus::FontStyleRegular);
    m_mainTab->SetTextColor(Argb(0xFF2D3347));
    m_mainTab->SetTabCtrlWidth(239);
    m_mainTab->SetTabCtrlHeight(50);
    m_mainTab->SetLeftRightPading(0, 50);
    m_mainTab->SetTopBottomPading(0, 400);
    m_mainTab->SetTabType(TAB_TYPE_VERTICAL);
    for (const MainTab& tab : kMainTabs)
      m_mainTab->InsertItem(UINT(tab.itemId), LoadLangString(tab.text).GetString(), tab.picture, Control(tab.panel), 4, 0);
    m_mainTab->SetItemWidth(239, 239, 1);
    m_mainTab->SetItemHeight(50, 50, 1);
    m_mainTab->SetItemVisible(kMatrixTabPosition, 0);
    m_mainTab->SetSelectItem(0);
  }
  if (auto* home = As<MPanel>(Control(69))) {
    m_deviceList = As<CDeviceList>(home->CreateControl(L"CDeviceList", 81, CRect(), L"", 1, 1));
    SetControl(81, m_deviceList);
    if (m_deviceList) {
      m_deviceList->SetTextColor(Argb(m_textColor));
      m_deviceList->SetImage(L"icon\\icon_devicestatus.png", 6);
      m_deviceList->AddMTimer();
    }
    auto* message = As<MText>(home->CreateControl(L"MText", 80, CRect(), LoadLangString(63).GetString(), 1, 1));
    SetControl(80, message);
    if (message) {
      message->SetTextColor(Argb(0xFF191919));
      message->SetFontWidth(20);
      message->SetVAlignment(4);
      message->SetAlignment(1);
      message->EnableMultiLine(1);
      message->EnableVCenter(1);
      message->SetVisible(0);
    }
  }

  CreateKeyAssignPage();
  BuildMacroPage();
  CreateLightingPage();
  CreateMatrixPage();
  CreateCanvasPage();
  CreateMusicPage();
  CreateKeyboardSettingsPage();
  CreateDeviceSettingsPage();
  if (m_ledPageEnabled) CreateLedPage();
  CreateSoftwareSettingsPage();

  if (auto* overlay = As<CRoundArea>(make(false, L"CRoundArea", 65))) {
    overlay->SetColor(Argb(0x7D050505));
    overlay->SetRound(0);
    overlay->SetVisible(0);
  }
  UISize(client);
}

void KeyboardDlg::UISize(CRect client) {
  if (!Control(39)) return;  // a resize during creation, before InitUI
  const int R = client.right, B = client.bottom;
  auto place = [this](int id, CRect rect) {
    if (MControl* c = Control(id)) c->SetRect(rect);
  };
  for (int id : {30, 31, 65}) place(id, client);
  int w = 0, h = 0;
  if (auto* logo = As<MControlFont>(Control(36))) {
    w = logo->GetImageSize().cx;
    h = logo->GetImageSize().cy;
  }
  place(36, CRect(10, 10, 10 + w, 10 + h));
  place(37, CRect(10 + w, 10, 110 + w, 10 + h));
  int offset = 0;
  for (int id : {39, 40, 42, 43, 45}) {
    place(id, CRect(R - 60 - offset, 10, R - 32 - offset, 38));
    offset += 40;
  }
  place(33, CRect(1, 70, R - 1, 71));
  place(32, CRect(281, 71, 282, B - 1));
  place(46, CRect(90, 80, 190, 116));
  place(38, CRect(10, 130, 270, 166));
  place(48, CRect(150, 20, 290, 56));
  place(49, CRect(160, 26, 184, 50));
  place(50, CRect(186, 25, 280, 56));
  place(56, CRect(R - 160, 120, R - 100, 270));
  place(57, CRect(400, B - 360, 1220, B - 324));
  place(60, CRect(R - 180, 320, R - 20, 356));
  place(61, CRect(R - 180, 370, R - 20, 406));
  place(64, CRect(30, B - 120, 249, B - 35));
  place(68, CRect(20, 180, 261, 581));
  place(80, CRect(100, 150, R - 100, 200));
  place(81, CRect(100, 150, R - 60, B - 50));

  const CRect lower(285, B - 350, R - 1, B - 1), full(285, 80, R - 1, B - 1);
  for (int id : {70, 71, 74, 75, 73}) place(id, lower);
  for (int id : {72, 77, 76, 78}) place(id, full);
  place(69, CRect(1, 80, R - 1, B - 1));
  place(79, client);

  LayoutKeyAssignPage(client);
  LayoutMacroPage(client);
  LayoutLightingPage(client);
  LayoutMatrixPage(client);
  LayoutCanvasPage(client);
  LayoutMusicPage(client);
  LayoutKeyboardSettingsPage(client);
  LayoutDeviceSettingsPage(client);
  LayoutSoftwareSettingsPage(client);
}

int KeyboardDlg::ReturnFromSettings() {
  KeyboardDef::ShowControl(79, 0);
  for (int id : {39, 40, 42, 43, 45, 46, 47}) KeyboardDef::ShowControl(id, 1);
  if (m_devicePresent && m_mainPage != 0) {
    KeyboardDef::ShowControl(68, 1);
    if (m_mainTab) m_mainTab->SetSelectItem(m_mainTabIndex);
    ShowDeviceFrame(1);
    switch (m_mainPage) {
      case 4: ShowKeyPageGroup(1); break;
      case 2:
        KeyboardDef::ShowControl(58, 0);
        KeyboardDef::ShowControl(59, 1);
        break;
      case 3:
      case 5:
      case 6:
      case 7: KeyboardDef::ShowControl(58, 0); break;
      default: break;
    }
  } else {
    KeyboardDef::ShowControl(47, 0);
    KeyboardDef::ShowControl(46, 0);
    if (m_mainTab) m_mainTab->SetSelectItem(0);
    KeyboardDef::ShowControl(69, 1);
    KeyboardDef::ShowControl(31, 1);
  }
  if (!m_devicePresent) {
    KeyboardDef::ShowControl(47, 0);
    KeyboardDef::ShowControl(46, 0);
  }
  return 1;
}
