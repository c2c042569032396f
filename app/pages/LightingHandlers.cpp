// The lighting page of the main window and its per-key colour sets: the controls of panel
// 71, their layout, and the handlers the dispatcher routes here. The decisions are the
// LightingPage's; this file hands it what the controls report and applies its answer.
#include "shell/KeyboardDlg.h"
#include "controls/CArea.h"
#include "controls/CCheckButton.h"
#include "controls/CColorButton.h"
#include "controls/CSwitchButton.h"
#include "controls/CirclePalette.h"
#include "controls/GroupButton.h"
#include "controls/MComboBox.h"
#include "controls/MEdit.h"
#include "controls/MPicture.h"
#include "controls/MSlider.h"
#include "controls/MTabCtrl.h"
#include "controls/MText.h"
#include "controls/TabCtrlEx.h"
#include "pages/LightTypes.h"
#include "pages/LightingPages.h"
#include "pages/PageBuilder.h"
#include "pages/RgbEdits.h"
#include "shell/LanguageText.h"
#include "widgets/KeyboardCtrl.h"

using pagecontrols::Argb;
using pagecontrols::Get;
using pagecontrols::Place;
using pagecontrols::Show;

namespace {

constexpr int kPanel = 71;
constexpr int kZoneTab = 117;
constexpr int kLightingSwitch = 123;
constexpr int kLiveViewSwitch = 125;
constexpr int kModeList = 126;
constexpr int kBrightness = 129;
constexpr int kSpeed = 131;
constexpr int kSwatch = 137;
constexpr int kColourful = 138;
constexpr int kPalette = 141;
constexpr int kRedEdit = 145;
constexpr int kColourSets = 159;

constexpr COLORREF kPresetColours[] = {0x0000FF, 0x0080FF, 0x00FFFF, 0x00FF00, 0xFF0000,
                                       0xFFFF00, 0xFF00FF, 0xFFFFFF, 0xFF00FF};
constexpr const wchar_t* kDirectionPictures[] = {L"img_direction_left.png", L"img_direction_right.png",
                                                 L"img_direction_top.png", L"img_direction_bottom.png"};

// The window's state that the page reads, and the page's own state the worker reads.
void HandTo(KeyboardDlg& d, LightingPage& page) {
  LightingState& s = page.State();
  s.profile = d.m_profileId;
  s.deviceType = d.m_deviceType;
  s.device = d.m_deviceInfo;
  s.pageCurrent = d.m_mainPage == 1;
  s.zone = d.m_lightZone;
  s.mode = d.m_lightMode;
  s.configFunc = d.m_lightConfigFunc;
  s.liveKeyColours = d.m_liveKeyColors != 0;
}

void TakeFrom(KeyboardDlg& d, const LightingPage& page) {
  const LightingState& s = page.State();
  d.m_lightZone = s.zone;
  d.m_lightMode = s.mode;
  d.m_lightConfigFunc = s.configFunc;
  d.m_liveKeyColors = s.liveKeyColours ? 1 : 0;
}

template <typename Call>
int RunLighting(KeyboardDlg& d, Call call) {
  LightingPage& page = d.Pages().lighting;
  HandTo(d, page);
  const LightingUpdate update = call(page);
  TakeFrom(d, page);
  d.ApplyLightingUpdate(update);
  return update.result;
}

CString Decimal(int value) {
  CString text;
  text.Format(L"%d", value);
  return text;
}

void ShowEdits(const KeyboardDef& c, int firstEdit, COLORREF colour) {
  const CString texts[3] = {RgbEdits::RedText(colour), RgbEdits::GreenText(colour), RgbEdits::BlueText(colour)};
  for (int i = 0; i < 3; ++i)
    if (auto* edit = Get<MEdit>(c, firstEdit + i)) edit->SetControlTitle(texts[i].GetString());
}

void EditTexts(const KeyboardDef& c, int firstEdit, CString (&texts)[3]) {
  for (int i = 0; i < 3; ++i)
    if (auto* edit = Get<MEdit>(c, firstEdit + i)) texts[i] = edit->GetControlTitle();
}

bool Checked(const KeyboardDef& c, int id) {
  if (auto* check = Get<CheckableButton>(c, id)) return check->GetCheck() != 0;
  return false;
}

}  // namespace

// Shared by the lighting and matrix pages: the colour section (title, colourful check,
// swatch, palette, RGB edits, preset colours) and the slider and direction rows.
namespace lightingbuild {

void ColourControls(PageBuilder& make, uint32_t textColour, int firstId, const wchar_t* swatchGroup,
                    const wchar_t* presetGroup) {
  // Ids relative to the lighting page's: swatch 137 ... colour buttons 148-156.
  const int shift = firstId - kSwatch;
  if (auto* swatch = make.Make<CColorButton>(false, L"CColorButton", kSwatch + shift)) {
    swatch->SetColor(0x0000FF);
    swatch->SetGroupName(swatchGroup);
    swatch->SetVisibleBorder(true);
  }
  if (auto* check = make.Make<CCheckButton>(false, L"CCheckButton", kColourful + shift, LoadLangString(189).GetString())) {
    check->SetImage(L"btn_checkbox.png", 8);
    check->SetTextColor(Argb(textColour));
  }
  if (auto* text = make.Make<MText>(true, L"MText", 139 + shift, LoadLangString(190).GetString()))
    text->SetTextColor(Argb(textColour));
  if (auto* back = make.Make<MPicture>(true, L"MPicture", 140 + shift)) {
    back->SetImage(L"img_area.png", 1);
    back->SetShowMode(SHOWMODE_NINEGRID, 12);
  }
  if (auto* palette = make.Make<CirclePalette>(false, L"CirclePalette", kPalette + shift)) palette->SetImage(L"img_palette.png", 1);
  const wchar_t* letters[] = {L"R", L"G", L"B"};
  for (int i = 0; i < 3; ++i)
    if (auto* text = make.Make<MText>(true, L"MText", 142 + shift + i, letters[i])) text->SetTextColor(Argb(textColour));
  for (int i = 0; i < 3; ++i) {
    if (auto* edit = make.Make<MEdit>(false, L"MEdit", kRedEdit + shift + i)) {
      edit->SetImage(L"img_edit.png", 4);
      edit->SetTextColor(Argb(textColour));
      edit->SetNumberOnly(1);
      edit->SetEditBKColor(0xFFFFFF);
      edit->SetAlignment(1);
      edit->SetLimitText(3);
    }
  }
  for (int i = 0; i < 9; ++i) {
    if (auto* button = make.Make<CColorButton>(false, L"CColorButton", 148 + shift + i)) {
      button->SetColor(kPresetColours[i]);
      button->SetGroupName(presetGroup);
    }
  }
}

void SliderRows(PageBuilder& make, uint32_t textColour, int brightnessLabel, int brightnessMin) {
  const int ids[] = {brightnessLabel, brightnessLabel + 2};
  const int texts[] = {191, 192};
  for (int i = 0; i < 2; ++i) {
    if (auto* label = make.Make<MText>(true, L"MText", ids[i], LoadLangString(texts[i]).GetString())) {
      label->SetTextColor(Argb(0xFF0A0A0A));
      label->SetFont(L"Roboto-Medium", 16, Gdiplus::FontStyleBold);
    }
    if (auto* slider = make.Make<MSlider>(false, L"MSlider", ids[i] + 1)) {
      slider->SetTextColor(Argb(0xFF4977E4));
      slider->SetShowText(1);
      slider->SetMinProgress(i == 0 ? brightnessMin : 1);
      slider->SetMaxProgress(i == 0 ? 100 : 6);
      slider->SetProgress(i == 0 ? 50 : 5);
    }
  }
  if (auto* label = make.Make<MText>(true, L"MText", brightnessLabel + 4, LoadLangString(193).GetString()))
    label->SetTextColor(Argb(textColour));
  for (int i = 0; i < 4; ++i) {
    if (auto* radio = make.Make<CRadioButton>(false, L"CRadioButton", brightnessLabel + 5 + i)) {
      radio->SetImage(kDirectionPictures[i], 8);
      radio->SetGroupName(L"GROUP_LIGHT_DIRECTION");
    }
  }
}

// The colour section's rectangles from the colour title's id; `B` is the bottom edge.
void PlaceColourSection(const KeyboardDef& c, int title, int check, int swatch, int palette, int firstLetter,
                        int firstEdit, int firstButton, int B) {
  Place(c, title, CRect(860, B - 300, 1160, B - 264));
  Place(c, check, CRect(860, B - 250, 980, B - 220));
  Place(c, swatch, CRect(980, B - 250, 1030, B - 220));
  Place(c, palette, CRect(880, B - 200, 988, B - 92));
  for (int i = 0; i < 3; ++i) {
    Place(c, firstLetter + i, CRect(1000 + 110 * i, B - 190, 1030 + 110 * i, B - 160));
    Place(c, firstEdit + i, CRect(1030 + 110 * i, B - 190, 1090 + 110 * i, B - 160));
  }
  for (int i = 0; i < 7; ++i) Place(c, firstButton + i, CRect(1000 + 47 * i, B - 140, 1036 + 47 * i, B - 104));
}

}  // namespace lightingbuild

void KeyboardDlg::CreateLightingPage() {
  PageBuilder make(*this, Control(kPanel));
  if (auto* back = make.Make<MPicture>(true, L"MPicture", 118)) {
    back->SetImage(L"img_area.png", 1);
    back->SetShowMode(SHOWMODE_NINEGRID, 12);
  }
  if (auto* zones = make.Make<TabCtrlEx>(false, L"TabCtrlEx", kZoneTab)) {
    zones->SetImage(L"img_item.png", 4);
    zones->SetTextColor(Argb(0xFF0A0A0A));
    zones->SetFont(L"Roboto-Medium", 16, Gdiplus::FontStyleRegular);
    for (int zone = 0; zone < 3; ++zone) zones->AddItem(LoadLangString(170 + zone), zone);
    m_zoneTypeTab = zones;
  }
  if (auto* line = make.Make<CArea>(true, L"CArea", 119)) line->SetTransparent(0, 0, 0xE6E6E6);
  for (int id : {120, 121})
    if (auto* panel = make.Make<CRoundArea>(true, L"CRoundArea", id)) panel->SetColor(Argb(0xFA515151));
  if (auto* title = make.Make<MText>(true, L"MText", 122, LoadLangString(175).GetString())) {
    title->SetTextColor(Argb(0xFF0A0A0A));
    title->SetFont(L"Roboto-Medium", 16, Gdiplus::FontStyleBold);
  }
  if (auto* on = make.Make<CSwitchButton>(false, L"CSwitchButton", kLightingSwitch))
    on->SetImage(L"img_switch_on.png", L"img_switch_off.png", 4);
  if (auto* modes = make.Make<MComboBox>(false, L"MComboBox", kModeList)) {
    modes->SetImage(L"img_combobox.png", 4);
    modes->SetTextColor(Argb(m_textColor));
  }
  if (auto* label = make.Make<MText>(true, L"MText", 124, LoadLangString(176).GetString()))
    label->SetTextColor(Argb(m_textColor));
  if (auto* live = make.Make<CSwitchButton>(false, L"CSwitchButton", kLiveViewSwitch))
    live->SetImage(L"img_switch_on.png", L"img_switch_off.png", 4);
  if (auto* title = make.Make<MText>(true, L"MText", 127, LoadLangString(177).GetString())) {
    title->SetTextColor(Argb(0xFF0A0A0A));
    title->SetFont(L"Roboto-Bold", 14, Gdiplus::FontStyleBold);
  }
  if (auto* label = make.Make<MText>(true, L"MText", 158, LoadLangString(178).GetString())) {
    label->SetFont(L"Roboto-Medium", 16, Gdiplus::FontStyleBold);
    label->SetVisible(0);
  }
  if (auto* sets = make.Make<MComboBox>(false, L"MComboBox", kColourSets)) {
    sets->SetImage(L"img_combobox.png", 4);
    sets->SetTextColor(Argb(m_textColor));
    for (int set = kFirstColourSet; set <= kLastColourSet; ++set)
      sets->AddItem(LoadLangString(180 + set - kFirstColourSet).GetString(), set, nullptr, Argb(m_textColor));
    sets->SetCurSel(0);
    sets->SetVisible(0);
  }
  lightingbuild::ColourControls(make, m_textColor, kSwatch, L"IDC_CUSTOMLIGHT_STC_LIGHTCOLOR", L"IDC_LIGHT_STC_DEFAULTCOLOR");
  lightingbuild::SliderRows(make, m_textColor, 128, 0);
  if (auto* apply = make.Make<MControlFont>(false, L"MButton", 157, LoadLangString(179).GetString())) {
    apply->SetImage(L"img_button.png", 4);
    apply->SetTextColor(Argb(m_textColor));
  }
  if (auto* palette = Get<CirclePalette>(*this, kPalette)) ShowEdits(*this, kRedEdit, palette->GetSelectColor());
}

void KeyboardDlg::LayoutLightingPage(CRect client) {
  const int R = client.right, B = client.bottom;
  Place(*this, 118, CRect(280, B - 350, R - 2, B - 2));
  Place(*this, kZoneTab, CRect(306, B - 306, 466, B - 177));
  Place(*this, 124, CRect(320, B - 80, 400, B - 60));
  Place(*this, kLiveViewSwitch, CRect(400, B - 80, 460, B - 60));
  Place(*this, 119, CRect(466, B - 305, 467, B - 30));
  Place(*this, 122, CRect(500, B - 300, 800, B - 264));
  Place(*this, kModeList, CRect(500, B - 264, 800, B - 228));
  Place(*this, 128, CRect(500, B - 200, 730, B - 170));
  Place(*this, kBrightness, CRect(502, B - 170, 800, B - 130));
  Place(*this, 130, CRect(500, B - 120, 730, B - 90));
  Place(*this, kSpeed, CRect(502, B - 90, 800, B - 50));
  lightingbuild::PlaceColourSection(*this, 127, kColourful, kSwatch, kPalette, 142, kRedEdit, 148, B);
  Place(*this, 158, CRect(500, B - 130, 730, B - 94));
  Place(*this, kColourSets, CRect(502, B - 100, 800, B - 64));
}

void KeyboardDlg::ApplyLightingUpdate(const LightingUpdate& u) {
  const KeyboardDef& c = *this;
  if (u.modeList) {
    const LightModeList& list = *u.modeList;
    if (auto* slider = Get<MSlider>(c, kBrightness); slider && list.brightnessMax) slider->SetMaxProgress(*list.brightnessMax);
    if (auto* slider = Get<MSlider>(c, kSpeed); slider && list.speedMax) slider->SetMaxProgress(*list.speedMax);
    if (auto* zones = Get<TabCtrlEx>(c, kZoneTab)) zones->SetItemText(2, LoadLangString(list.thirdZoneTextId));
    if (auto* modes = Get<MComboBox>(c, kModeList)) {
      modes->DelAllItems();
      for (const auto& [text, mode] : list.items) modes->AddItem(text.GetString(), mode, nullptr, Argb(m_textColor));
      modes->SelectData(list.selectedMode);
    }
  }
  if (u.lightingOn)
    if (auto* on = Get<CSwitchButton>(c, kLightingSwitch)) on->SetCheck(*u.lightingOn ? 1 : 0);
  if (u.controls) {
    const LightControls& lc = *u.controls;
    Show(c, {128, kBrightness}, lc.brightnessShown);
    if (auto* slider = Get<MSlider>(c, kBrightness)) slider->SetProgress(lc.brightness);
    Show(c, {130, kSpeed}, lc.speedShown);
    if (auto* slider = Get<MSlider>(c, kSpeed)) slider->SetProgress(lc.speed);
    const bool leftRight = lc.direction == LightControls::Direction::LeftRight;
    const bool upDown = lc.direction == LightControls::Direction::UpDown;
    Show(c, {132}, leftRight || upDown);
    Show(c, {133, 134}, leftRight);
    Show(c, {135, 136}, upDown);
    if (auto* radio = Get<GroupButton>(c, lc.checkedRadio)) radio->SetCheck(1);
    Show(c, {kSwatch, kColourful}, lc.swatchShown);
    if (lc.swatchShown) {
      if (auto* swatch = Get<CColorButton>(c, kSwatch)) swatch->SetColor(lc.swatch);
      if (auto* check = Get<CCheckButton>(c, kColourful)) check->SetCheck(lc.colourfulChecked ? 1 : 0);
    }
    Show(c, {157}, lc.applyShown);
    Show(c, {158, kColourSets}, lc.colourSetsShown);
    EnableLightColorGroup(lc.colourGroupEnabled ? 1 : 0);
    if (lc.rgbEdits) ShowEdits(c, kRedEdit, *lc.rgbEdits);
    if (m_keyboardCtrl) {
      m_keyboardCtrl->EnableFrameSelect(lc.perKeyPainting ? 1 : 0);
      if (lc.perKeyPainting) {
        m_keyboardCtrl->ResetAllItemsColor(0);
        m_keyboardCtrl->ResetAllItemCheck(0);
      }
    }
  }
  if (u.liveViewShown) Show(c, {124, kLiveViewSwitch}, *u.liveViewShown);
  if (u.liveViewOn)
    if (auto* live = Get<CSwitchButton>(c, kLiveViewSwitch)) live->SetCheck(*u.liveViewOn ? 1 : 0);
  if (u.colourSetChoice)
    if (auto* sets = Get<MComboBox>(c, kColourSets)) sets->SelectData(*u.colourSetChoice);
  if (u.swatch)
    if (auto* swatch = Get<CColorButton>(c, kSwatch)) swatch->SetColor(*u.swatch);
  if (u.rgbEdits) ShowEdits(c, kRedEdit, *u.rgbEdits);
  if (u.editText)
    if (auto* edit = Get<MEdit>(c, u.editText->first)) edit->SetControlTitle(Decimal(u.editText->second).GetString());
  if (u.colourfulChecked)
    if (auto* check = Get<CCheckButton>(c, kColourful)) check->SetCheck(*u.colourfulChecked ? 1 : 0);
  if (m_keyboardCtrl) {
    if (u.keyboardMode) m_keyboardCtrl->SetKeyboardCtrlMode(*u.keyboardMode);
    if (u.clearKeyChecks) m_keyboardCtrl->ResetAllItemCheck(0);
    if (u.paintColour) m_keyboardCtrl->SetAllSelectColor(*u.paintColour);
    if (u.keyColours)
      for (const auto& [code, colour] : *u.keyColours) m_keyboardCtrl->SetKeyColor(code, colour);
    if (u.repaintKeyboard || u.keyColours) m_keyboardCtrl->UpdateControl(1, 1);
  }
}

void KeyboardDlg::LoadLightModes() {
  OnWindowThread([this] {
    RunLighting(*this, [](LightingPage& page) { return page.Load(); });
    Pages().lightingProfile = m_profileId;
    Pages().lightingModel = m_deviceType;
  });
}

void KeyboardDlg::LoadLightingPages() {
  InitVisualizerGeometry();
  // The pages are filled for the window that shows them: a dialog without its window
  // (the worker on its own) keeps the state it was given.
  if (!GetSafeHwnd()) return;
  LoadLightModes();
  if (m_deviceType == 102) LoadMatrixPage();
  LoadMusicLayer(m_profileId);
  // The LED page follows the link's feature bits.
  const bool ledFeature = (m_linkMode == 0 && (m_featureMask & 0x40)) || (m_linkMode == 1 && m_featureMask2 != 0);
  if (m_ledPageEnabled && ledFeature) LoadLedPage();
}

void KeyboardDlg::UpdateLightControls() {
  RunLighting(*this, [](LightingPage& page) {
    LightingUpdate update;
    update.controls = page.UpdateControls();
    return update;
  });
}

void KeyboardDlg::EnableLightColorGroup(int enable) {
  pagecontrols::Enable(*this, kPalette, kPalette, enable != 0);
  pagecontrols::Enable(*this, kRedEdit, kRedEdit + 2, enable != 0);
  pagecontrols::Enable(*this, 148, 156, enable != 0);
}

void KeyboardDlg::ApplyLightColor(COLORREF colour) {
  RunLighting(*this, [colour](LightingPage& page) { return page.ApplyColour(colour); });
}

void KeyboardDlg::ApplyLightRgbEdits() {
  CString texts[3];
  EditTexts(*this, kRedEdit, texts);
  ApplyLightColor(RgbEdits::Colour(texts[0], texts[1], texts[2]));
}

void KeyboardDlg::OnLightModeSelected(int code) {
  // Called from the list, on entering the page and by the worker after a device switch:
  // the controls are the window thread's.
  OnWindowThread([this, code] {
    if (code != 2) return;
    // Entering the page: the strip has selected the lighting item before m_mainPage follows.
    const bool entering = m_mainPage != 1 && m_mainTab && m_mainTab->GetItemID(m_mainTab->GetSelectItem()) == 1;
    if (entering) m_mainPage = 1;
    LightingPages& pages = Pages();
    // The page is filled once per profile and model before a mode is applied from it.
    if (pages.lightingProfile != m_profileId || pages.lightingModel != m_deviceType) LoadLightModes();
    auto* modes = Get<MComboBox>(*this, kModeList);
    const int shown = modes && modes->GetItemCount() > 0 ? int(modes->GetCurData()) : m_lightMode;
    RunLighting(*this, [shown](LightingPage& page) { return page.OnModeSelected(2, shown); });
  });
}

int KeyboardDlg::OnLightPalette() {
  auto* palette = Get<CirclePalette>(*this, kPalette);
  if (!palette) return 0;
  const COLORREF colour = palette->GetSelectColor();
  const bool colourful = Checked(*this, kColourful);
  return RunLighting(*this, [&](LightingPage& page) { return page.OnPalette(colour, colourful); });
}

namespace {
int LightRgbEdit(KeyboardDlg& d, UINT code, int editId) {
  CString texts[3];
  EditTexts(d, kRedEdit, texts);
  const bool colourful = Checked(d, kColourful);
  RunLighting(d, [&](LightingPage& page) { return page.OnRgbEdit(int(code), editId, texts, colourful); });
  return 1;
}
}  // namespace

int KeyboardDlg::OnLightRedEdit(UINT code, WPARAM, LPARAM) { return LightRgbEdit(*this, code, kRedEdit); }
int KeyboardDlg::OnLightGreenEdit(UINT code, WPARAM, LPARAM) { return LightRgbEdit(*this, code, kRedEdit + 1); }
int KeyboardDlg::OnLightBlueEdit(UINT code, WPARAM, LPARAM) { return LightRgbEdit(*this, code, kRedEdit + 2); }

int KeyboardDlg::OnLightTypeChanged() {
  auto* zones = Get<TabCtrlEx>(*this, kZoneTab);
  const int zone = zones ? zones->GetCurData() : m_lightZone;
  auto* sets = Get<MComboBox>(*this, kColourSets);
  const int setChoice = sets && sets->GetItemCount() > 0 ? int(sets->GetCurData()) : kFirstColourSet;
  RunLighting(*this, [&](LightingPage& page) { return page.OnZoneChanged(zone, setChoice); });
  Pages().lightingProfile = m_profileId;
  Pages().lightingModel = m_deviceType;
  return 1;
}

int KeyboardDlg::OnLightEnableSwitch() {
  auto* lighting = Get<CSwitchButton>(*this, kLightingSwitch);
  const bool on = lighting && lighting->GetCheck();
  return RunLighting(*this, [on](LightingPage& page) { return page.OnLightingSwitch(on); });
}

int KeyboardDlg::OnLightPerKeySwitch() {
  auto* live = Get<CSwitchButton>(*this, kLiveViewSwitch);
  const bool on = live && live->GetCheck();
  return RunLighting(*this, [on](LightingPage& page) { return page.OnLiveViewSwitch(on); });
}

int KeyboardDlg::OnLightBrightness() {
  auto* slider = Get<MSlider>(*this, kBrightness);
  const int value = slider ? slider->GetProgress() : 0;
  RunLighting(*this, [value](LightingPage& page) { return page.OnBrightness(value); });
  return 1;
}

int KeyboardDlg::OnLightSpeed() {
  auto* slider = Get<MSlider>(*this, kSpeed);
  const int value = slider ? slider->GetProgress() : 0;
  RunLighting(*this, [value](LightingPage& page) { return page.OnSpeed(value); });
  return 1;
}

int KeyboardDlg::OnLightDirection(int id) {
  RunLighting(*this, [id](LightingPage& page) { return page.OnDirection(id); });
  return 1;
}

int KeyboardDlg::OnLightColorfulCheck() {
  const bool checked = Checked(*this, kColourful);
  return RunLighting(*this, [checked](LightingPage& page) { return page.OnColourfulCheck(checked); });
}

int KeyboardDlg::OnLightColorButton(int id) {
  std::optional<COLORREF> colour;
  if (auto* button = Get<CColorButton>(*this, id)) colour = button->GetColor();
  const bool colourful = Checked(*this, kColourful);
  return RunLighting(*this, [&](LightingPage& page) { return page.OnColourButton(colour, colourful); });
}

int KeyboardDlg::OnLightApply() {
  RunLighting(*this, [](LightingPage& page) { return page.OnApply(); });
  return 1;
}

int KeyboardDlg::OnLightCustomSetSelected() {
  auto* sets = Get<MComboBox>(*this, kColourSets);
  if (!sets || sets->GetItemCount() == 0) return 1;
  const int set = int(sets->GetCurData());
  RunLighting(*this, [set](LightingPage& page) { return page.OnColourSetSelected(set); });
  return 1;
}

int KeyboardDlg::OnLightCustomColorKeys(int code) {
  const int key = m_selectedKey;
  RunLighting(*this, [code, key](LightingPage& page) { return page.OnColourKeys(code, key); });
  return 1;
}
