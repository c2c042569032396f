// The matrix screen page of the main window: the controls of panel 76 with the preview,
// their layout, and the handlers the dispatcher routes here. The decisions are the
// MatrixPage's; this file hands it what the controls report and applies its answer to
// the controls and the preview.
#include "shell/KeyboardDlg.h"
#include "canvas/MatrixScreen.h"
#include "controls/CArea.h"
#include "controls/CCheckButton.h"
#include "controls/CColorButton.h"
#include "controls/CSwitchButton.h"
#include "controls/CirclePalette.h"
#include "controls/MComboBox.h"
#include "controls/MEdit.h"
#include "controls/MPicture.h"
#include "controls/MSlider.h"
#include "controls/MText.h"
#include "controls/TabCtrlEx.h"
#include "pages/LightingPages.h"
#include "pages/PageBuilder.h"
#include "pages/RgbEdits.h"
#include "shell/LanguageText.h"

using pagecontrols::Argb;
using pagecontrols::Get;
using pagecontrols::Place;
using pagecontrols::Show;

namespace lightingbuild {
void ColourControls(PageBuilder& make, uint32_t textColour, int firstId, const wchar_t* swatchGroup,
                    const wchar_t* presetGroup);
void SliderRows(PageBuilder& make, uint32_t textColour, int brightnessLabel, int brightnessMin);
void PlaceColourSection(const KeyboardDef& c, int title, int check, int swatch, int palette, int firstLetter,
                        int firstEdit, int firstButton, int B);
}  // namespace lightingbuild

namespace {

constexpr int kPanel = 76;
constexpr int kPreview = 277;
constexpr int kPresetList = 279;
constexpr int kMatrixSwitch = 286;
constexpr int kModeList = 289;
constexpr int kBrightness = 292;
constexpr int kSpeed = 294;
constexpr int kSwatch = 300;
constexpr int kColourful = 301;
constexpr int kPalette = 304;
constexpr int kRedEdit = 308;
constexpr int kAmplitude = 321;

void HandTo(KeyboardDlg& d, MatrixPage& page) {
  MatrixState& s = page.State();
  s.profile = d.m_profileId;
  s.device = d.m_deviceInfo;
  s.mode = d.m_matrixMode;
  s.streaming = d.m_matrixStreaming != 0;
  if (auto* presets = Get<MComboBox>(d, kPresetList); presets && presets->GetItemCount() > 0)
    s.presetChoice = int(presets->GetCurData());
}

void TakeFrom(KeyboardDlg& d, const MatrixPage& page) {
  d.m_matrixMode = page.State().mode;
  d.m_matrixStreaming = page.State().streaming ? 1 : 0;
}

template <typename Call>
int RunMatrix(KeyboardDlg& d, Call call) {
  MatrixPage& page = d.Pages().matrix;
  HandTo(d, page);
  const MatrixUpdate update = call(page);
  TakeFrom(d, page);
  d.ApplyMatrixUpdate(update);
  return update.result;
}

void ShowEdits(const KeyboardDef& c, COLORREF colour) {
  const CString texts[3] = {RgbEdits::RedText(colour), RgbEdits::GreenText(colour), RgbEdits::BlueText(colour)};
  for (int i = 0; i < 3; ++i)
    if (auto* edit = Get<MEdit>(c, kRedEdit + i)) edit->SetControlTitle(texts[i].GetString());
}

bool ColourfulChecked(const KeyboardDef& c) {
  auto* check = Get<CCheckButton>(c, kColourful);
  return check && check->GetCheck();
}

int MatrixRgbEdit(KeyboardDlg& d, UINT code, int editId) {
  CString texts[3];
  for (int i = 0; i < 3; ++i)
    if (auto* edit = Get<MEdit>(d, kRedEdit + i)) texts[i] = edit->GetControlTitle();
  const bool colourful = ColourfulChecked(d);
  RunMatrix(d, [&](MatrixPage& page) { return page.OnRgbEdit(int(code), editId, texts, colourful); });
  return 1;
}

}  // namespace

void KeyboardDlg::CreateMatrixPage() {
  PageBuilder make(*this, Control(kPanel));
  if (auto* back = make.Make<MPicture>(true, L"MPicture", 281)) {
    back->SetImage(L"img_area.png", 1);
    back->SetShowMode(SHOWMODE_NINEGRID, 12);
  }
  m_matrixScreen = make.Make<MatrixScreen>(false, L"MatrixScreen", kPreview);
  if (m_matrixScreen) {
    m_matrixScreen->Initialize();
    m_matrixScreen->AddMTimer();
  }
  if (auto* label = make.Make<MText>(true, L"MText", 278, LoadLangString(920).GetString())) {
    label->SetTextColor(Argb(0xFF0A0A0A));
    label->SetFont(L"Roboto-Medium", 16, Gdiplus::FontStyleRegular);
    label->SetVisible(0);
  }
  if (auto* presets = make.Make<MComboBox>(false, L"MComboBox", kPresetList)) {
    presets->SetImage(L"img_combobox.png", 4);
    presets->SetTextColor(Argb(m_textColor));
    for (const MatrixPage::Preset& p : MatrixPage::Presets())
      presets->AddItem(LoadLangString(p.textId).GetString(), p.preset, nullptr, Argb(m_textColor));
    presets->SetCurSel(0);
    presets->SetVisible(0);
  }
  if (auto* zones = make.Make<TabCtrlEx>(false, L"TabCtrlEx", 280)) {
    zones->SetImage(L"img_item.png", 4);
    zones->SetTextColor(Argb(0xFF0A0A0A));
    zones->SetFont(L"Roboto-Medium", 16, Gdiplus::FontStyleRegular);
    for (int zone = 0; zone < 3; ++zone) zones->AddItem(LoadLangString(170 + zone), zone);
  }
  if (auto* line = make.Make<CArea>(true, L"CArea", 282)) line->SetTransparent(0, 0, 0xE6E6E6);
  for (int id : {283, 284})
    if (auto* panel = make.Make<CRoundArea>(true, L"CRoundArea", id)) panel->SetColor(Argb(0xFA515151));
  if (auto* title = make.Make<MText>(true, L"MText", 285, LoadLangString(175).GetString())) {
    title->SetTextColor(Argb(0xFF0A0A0A));
    title->SetFont(L"Roboto-Medium", 16, Gdiplus::FontStyleBold);
  }
  if (auto* on = make.Make<CSwitchButton>(false, L"CSwitchButton", kMatrixSwitch))
    on->SetImage(L"img_switch_on.png", L"img_switch_off.png", 4);
  if (auto* modes = make.Make<MComboBox>(false, L"MComboBox", kModeList)) {
    modes->SetImage(L"img_combobox.png", 4);
    modes->SetTextColor(Argb(m_textColor));
  }
  if (auto* text = make.Make<MText>(true, L"MText", 287, LoadLangString(176).GetString())) text->SetTextColor(Argb(m_textColor));
  if (auto* second = make.Make<CSwitchButton>(false, L"CSwitchButton", 288))
    second->SetImage(L"img_switch_on.png", L"img_switch_off.png", 4);
  if (auto* title = make.Make<MText>(true, L"MText", 290, LoadLangString(177).GetString())) {
    title->SetTextColor(Argb(0xFF0A0A0A));
    title->SetFont(L"Roboto-Bold", 14, Gdiplus::FontStyleBold);
  }
  lightingbuild::ColourControls(make, m_textColor, kSwatch, L"IDC_CUSTOMLIGHT_STC_LIGHTCOLOR",
                                L"IDC_MATRIXSCREEN_STC_DEFAULTCOLOR");
  lightingbuild::SliderRows(make, m_textColor, 291, 1);
  if (auto* label = make.Make<MText>(true, L"MText", 320, LoadLangString(103).GetString())) {
    label->SetTextColor(Argb(m_textColor));
    label->SetVisible(0);
  }
  if (auto* amplitude = make.Make<MSlider>(false, L"MSlider", kAmplitude)) {
    amplitude->SetTextColor(Argb(m_textColor));
    amplitude->SetMinProgress(0);
    amplitude->SetMaxProgress(100);
    amplitude->SetProgress(60);
    amplitude->SetVisible(0);
  }
  if (auto* palette = Get<CirclePalette>(*this, kPalette)) ShowEdits(*this, palette->GetSelectColor());
}

void KeyboardDlg::LayoutMatrixPage(CRect client) {
  const int R = client.right, B = client.bottom;
  Place(*this, kPreview, CRect(580, 100, 900, 420));
  Place(*this, 278, CRect(940, 100, 1060, 130));
  Place(*this, kPresetList, CRect(940, 130, 1240, 160));
  Place(*this, 281, CRect(280, B - 350, R - 2, B - 2));
  Place(*this, 285, CRect(420, B - 300, 720, B - 264));
  Place(*this, kModeList, CRect(420, B - 264, 720, B - 228));
  Place(*this, 291, CRect(420, B - 200, 650, B - 170));
  Place(*this, kBrightness, CRect(422, B - 170, 720, B - 130));
  for (int id : {293, 320}) Place(*this, id, CRect(420, B - 120, 650, B - 90));
  for (int id : {kSpeed, kAmplitude}) Place(*this, id, CRect(422, B - 90, 720, B - 50));
  lightingbuild::PlaceColourSection(*this, 290, kColourful, kSwatch, kPalette, 305, kRedEdit, 311, B);
}

void KeyboardDlg::ApplyMatrixUpdate(const MatrixUpdate& u) {
  const KeyboardDef& c = *this;
  if (u.modeList) {
    if (auto* slider = Get<MSlider>(c, kBrightness)) slider->SetMaxProgress(u.modeList->brightnessMax);
    if (auto* slider = Get<MSlider>(c, kSpeed)) slider->SetMaxProgress(u.modeList->speedMax);
    if (auto* modes = Get<MComboBox>(c, kModeList)) {
      modes->DelAllItems();
      for (const auto& [text, mode] : u.modeList->items) modes->AddItem(text.GetString(), mode, nullptr, Argb(m_textColor));
      modes->SelectData(u.modeList->selectedMode);
    }
  }
  if (u.controls) {
    const MatrixControls& mc = *u.controls;
    Show(c, {291, kBrightness}, mc.brightnessShown);
    if (auto* slider = Get<MSlider>(c, kBrightness)) slider->SetProgress(mc.brightness);
    Show(c, {293, kSpeed}, mc.speedShown);
    if (auto* slider = Get<MSlider>(c, kSpeed)) slider->SetProgress(mc.speed);
    Show(c, {kSwatch, kColourful}, mc.swatchShown);
    if (mc.swatchShown) {
      if (auto* swatch = Get<CColorButton>(c, kSwatch)) swatch->SetColor(mc.swatch);
      if (auto* check = Get<CCheckButton>(c, kColourful)) check->SetCheck(mc.colourfulChecked ? 1 : 0);
    }
    if (mc.rgbEdits) ShowEdits(c, *mc.rgbEdits);
    EnableMatrixColorGroup(mc.colourGroupEnabled ? 1 : 0);
    Show(c, {278, kPresetList}, mc.presetsShown);
    if (m_matrixScreen) {
      if (mc.previewBrightness) m_matrixScreen->SetBrightness(*mc.previewBrightness);
      if (mc.previewSpeed) m_matrixScreen->SetAnimationSpeed(*mc.previewSpeed);
      if (mc.previewColourful) m_matrixScreen->SetMatrixScreenColorful(*mc.previewColourful);
      if (mc.previewColour) m_matrixScreen->SetMatrixScreenColor(*mc.previewColour);
    }
  }
  if (u.presetsShown) Show(c, {278, kPresetList}, *u.presetsShown);
  if (u.presetChoice)
    if (auto* presets = Get<MComboBox>(c, kPresetList)) presets->SelectData(*u.presetChoice);
  if (u.amplitude) {
    const MatrixAmplitudeControls& a = *u.amplitude;
    Show(c, {320, kAmplitude}, a.amplitudeShown);
    if (a.speedShown) Show(c, {293, kSpeed}, *a.speedShown);
    if (a.amplitude)
      if (auto* slider = Get<MSlider>(c, kAmplitude)) slider->SetProgress(*a.amplitude);
  }
  if (u.matrixOn)
    if (auto* on = Get<CSwitchButton>(c, kMatrixSwitch)) on->SetCheck(*u.matrixOn ? 1 : 0);
  if (u.swatch)
    if (auto* swatch = Get<CColorButton>(c, kSwatch)) swatch->SetColor(*u.swatch);
  if (u.rgbEdits) ShowEdits(c, *u.rgbEdits);
  if (u.editText) {
    CString text;
    text.Format(L"%d", u.editText->second);
    if (auto* edit = Get<MEdit>(c, u.editText->first)) edit->SetControlTitle(text.GetString());
  }
  if (u.colourfulChecked)
    if (auto* check = Get<CCheckButton>(c, kColourful)) check->SetCheck(*u.colourfulChecked ? 1 : 0);
  if (m_matrixScreen) {
    const MatrixPreview& p = u.preview;
    if (p.brightness) m_matrixScreen->SetBrightness(*p.brightness);
    if (p.speed) m_matrixScreen->SetAnimationSpeed(*p.speed);
    if (p.colourful) m_matrixScreen->SetMatrixScreenColorful(*p.colourful);
    if (p.colour) m_matrixScreen->SetMatrixScreenColor(*p.colour);
    if (p.amplitude) m_matrixScreen->SetAudioAmplitude(*p.amplitude);
    if (p.preset) m_matrixScreen->SetPresetMode(*p.preset);
  }
}

void KeyboardDlg::LoadMatrixPage() {
  OnWindowThread([this] { RunMatrix(*this, [](MatrixPage& page) { return page.Load(); }); });
}

void KeyboardDlg::UpdateMatrixControls() {
  RunMatrix(*this, [](MatrixPage& page) {
    MatrixUpdate update;
    update.controls = page.UpdateControls(update);
    return update;
  });
}

void KeyboardDlg::UpdateMatrixAmplitudeControls() {
  RunMatrix(*this, [](MatrixPage& page) {
    MatrixUpdate update;
    update.amplitude = page.UpdateAmplitudeControls();
    return update;
  });
}

void KeyboardDlg::EnableMatrixColorGroup(int enable) {
  pagecontrols::Enable(*this, kPalette, kPalette, enable != 0);
  pagecontrols::Enable(*this, kRedEdit, kRedEdit + 2, enable != 0);
  pagecontrols::Enable(*this, 311, 319, enable != 0);
}

void KeyboardDlg::ApplyMatrixColor(COLORREF colour) {
  RunMatrix(*this, [colour](MatrixPage& page) { return page.ApplyColour(colour); });
}

void KeyboardDlg::ApplyMatrixRgbEdits() {
  CString texts[3];
  for (int i = 0; i < 3; ++i)
    if (auto* edit = Get<MEdit>(*this, kRedEdit + i)) texts[i] = edit->GetControlTitle();
  ApplyMatrixColor(RgbEdits::Colour(texts[0], texts[1], texts[2]));
}

int KeyboardDlg::OnMatrixModeSelected(UINT code, WPARAM, LPARAM) {
  auto* modes = Get<MComboBox>(*this, kModeList);
  if (code != 2 || !modes || modes->GetItemCount() == 0) return 1;
  const int mode = int(modes->GetCurData());
  RunMatrix(*this, [mode](MatrixPage& page) { return page.OnModeSelected(2, mode); });
  return 1;
}

int KeyboardDlg::OnMatrixPalette() {
  auto* palette = Get<CirclePalette>(*this, kPalette);
  if (!palette) return 0;
  const COLORREF colour = palette->GetSelectColor();
  const bool colourful = ColourfulChecked(*this);
  return RunMatrix(*this, [&](MatrixPage& page) { return page.OnPalette(colour, colourful); });
}

int KeyboardDlg::OnMatrixRedEdit(UINT code, WPARAM, LPARAM) { return MatrixRgbEdit(*this, code, kRedEdit); }
int KeyboardDlg::OnMatrixGreenEdit(UINT code, WPARAM, LPARAM) { return MatrixRgbEdit(*this, code, kRedEdit + 1); }
int KeyboardDlg::OnMatrixBlueEdit(UINT code, WPARAM, LPARAM) { return MatrixRgbEdit(*this, code, kRedEdit + 2); }

int KeyboardDlg::OnMatrixTask16() {
  RunMatrix(*this, [](MatrixPage& page) { return page.OnPreviewPainted(); });
  return 1;
}

int KeyboardDlg::OnMatrixPresetSelected() {
  auto* presets = Get<MComboBox>(*this, kPresetList);
  if (!presets || presets->GetItemCount() == 0) return 1;
  const int preset = int(presets->GetCurData());
  RunMatrix(*this, [preset](MatrixPage& page) { return page.OnPresetSelected(preset); });
  return 1;
}

int KeyboardDlg::OnMatrixEnableSwitch() {
  auto* on = Get<CSwitchButton>(*this, kMatrixSwitch);
  const bool checked = on && on->GetCheck();
  RunMatrix(*this, [checked](MatrixPage& page) { return page.OnMatrixSwitch(checked); });
  return 1;
}

int KeyboardDlg::OnMatrixBrightness() {
  auto* slider = Get<MSlider>(*this, kBrightness);
  const int value = slider ? slider->GetProgress() : 0;
  RunMatrix(*this, [value](MatrixPage& page) { return page.OnBrightness(value); });
  return 1;
}

int KeyboardDlg::OnMatrixSpeed() {
  auto* slider = Get<MSlider>(*this, kSpeed);
  const int value = slider ? slider->GetProgress() : 0;
  RunMatrix(*this, [value](MatrixPage& page) { return page.OnSpeed(value); });
  return 1;
}

int KeyboardDlg::OnMatrixDirection(int id) {
  RunMatrix(*this, [id](MatrixPage& page) { return page.OnDirection(id); });
  return 1;
}

int KeyboardDlg::OnMatrixColorfulCheck() {
  const bool checked = ColourfulChecked(*this);
  RunMatrix(*this, [checked](MatrixPage& page) { return page.OnColourfulCheck(checked); });
  return 1;
}

int KeyboardDlg::OnMatrixColorButton(int id) {
  std::optional<COLORREF> colour;
  if (auto* button = Get<CColorButton>(*this, id)) colour = button->GetColor();
  const bool colourful = ColourfulChecked(*this);
  return RunMatrix(*this, [&](MatrixPage& page) { return page.OnColourButton(colour, colourful); });
}

int KeyboardDlg::OnMatrixAmplitude() {
  auto* slider = Get<MSlider>(*this, kAmplitude);
  const int value = slider ? slider->GetProgress() : 0;
  RunMatrix(*this, [value](MatrixPage& page) { return page.OnAmplitude(value); });
  return 1;
}
