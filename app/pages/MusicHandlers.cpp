// The music section of the lighting-canvas page: the visualiser's layers and brightnesses
// (canvas mode 1), the canvas's music light layers and music colour (mode 2), the loading
// of the profile's music settings and the geometry the worker samples the visualiser with.
#include "shell/KeyboardDlg.h"
#include "canvas/ZephraEffect.h"
#include "controls/CArea.h"
#include "controls/CCheckButton.h"
#include "controls/CColorButton.h"
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

namespace {

constexpr int kPanel = 75;
constexpr int kFirstLayer = 161;
constexpr int kLastLayer = 172;
constexpr int kSwatch = 173;
constexpr int kColourful = 174;
constexpr int kPalette = 177;
constexpr int kRedEdit = 181;
constexpr int kBarModes = 194;
constexpr int kAmplitude = 196;
constexpr int kBarBrightness = 198;
constexpr int kBackModes = 200;
constexpr int kBackBrightness = 202;
constexpr COLORREF kPresetColours[] = {0x0000FF, 0x0080FF, 0x00FFFF, 0x00FF00, 0xFF0000,
                                       0xFFFF00, 0xFF00FF, 0xFFFFFF, 0xFF00FF};

int SliderValue(const KeyboardDef& c, int id) {
  auto* slider = Get<MSlider>(c, id);
  return slider ? slider->GetProgress() : 0;
}

int ComboData(const KeyboardDef& c, int id, int fallback) {
  auto* combo = Get<MComboBox>(c, id);
  return combo && combo->GetItemCount() > 0 ? int(combo->GetCurData()) : fallback;
}

void ShowEdits(const KeyboardDef& c, COLORREF colour) {
  const CString texts[3] = {RgbEdits::RedText(colour), RgbEdits::GreenText(colour), RgbEdits::BlueText(colour)};
  for (int i = 0; i < 3; ++i)
    if (auto* edit = Get<MEdit>(c, kRedEdit + i)) edit->SetControlTitle(texts[i].GetString());
}

// A colour chosen clears the rainbow check.
void ClearColourful(KeyboardDlg& d) {
  auto* check = Get<CCheckButton>(d, kColourful);
  if (!check || !check->GetCheck()) return;
  check->SetCheck(0);
  if (d.m_zephraEffect) d.m_zephraEffect->SetMusicColorful(false);
}

void MusicColour(KeyboardDlg& d, COLORREF colour) {
  ShowEdits(d, colour);
  if (d.m_zephraEffect) d.m_zephraEffect->SetMusicColor(colour);
  ClearColourful(d);
}

int MusicRgbEdit(KeyboardDlg& d, UINT code, int editId) {
  if (code != 26) return 1;
  auto* edit = Get<MEdit>(d, editId);
  if (!edit) return 1;
  const RgbEdits::Clamped typed = RgbEdits::Clamp(edit->GetControlTitle());
  if (typed.rewrite) {
    CString text;
    text.Format(L"%d", typed.value);
    edit->SetControlTitle(text.GetString());
  }
  CString texts[3];
  for (int i = 0; i < 3; ++i)
    if (auto* e = Get<MEdit>(d, kRedEdit + i)) texts[i] = e->GetControlTitle();
  if (d.m_zephraEffect) d.m_zephraEffect->SetMusicColor(RgbEdits::Colour(texts[0], texts[1], texts[2]));
  ClearColourful(d);
  return 1;
}

void FillModes(MComboBox* combo, const std::vector<MusicSettings::ModeItem>& items, uint32_t textColour) {
  if (!combo) return;
  combo->SetImage(L"img_combobox.png", 4);
  for (const MusicSettings::ModeItem& item : items)
    combo->AddItem(LoadLangString(item.textId).GetString(), item.mode, nullptr, Argb(textColour));
  combo->SetCurSel(0);
}

MSlider* Slider(PageBuilder& make, int id, int value) {
  auto* slider = make.Make<MSlider>(false, L"MSlider", id);
  if (slider) {
    slider->SetMinProgress(0);
    slider->SetMaxProgress(100);
    slider->SetProgress(value);
  }
  return slider;
}

}  // namespace

void KeyboardDlg::CreateMusicPage() {
  PageBuilder make(*this, Control(kPanel));
  if (auto* panel = make.Make<CRoundArea>(true, L"CRoundArea", 160)) panel->SetColor(Argb(0xC80F171D));
  for (int id = kFirstLayer; id <= kLastLayer; ++id) {
    if (auto* layer = make.Make<CCheckButton>(false, L"CCheckButton", id, LoadLangString(680 + id - kFirstLayer).GetString())) {
      layer->SetImage(L"btn_checkbox.png", 8);
      layer->SetTextColor(Argb(m_textColor));
    }
  }
  if (auto* swatch = make.Make<CColorButton>(false, L"CColorButton", kSwatch)) {
    swatch->SetColor(0x0000FF);
    swatch->SetGroupName(L"IDC_CUSTOMLIGHT_STC_LIGHTCOLOR");
  }
  if (auto* rainbow = make.Make<CCheckButton>(false, L"CCheckButton", kColourful, LoadLangString(189).GetString())) {
    rainbow->SetImage(L"btn_checkbox.png", 8);
    rainbow->SetTextColor(Argb(m_textColor));
    rainbow->SetCheck(1);
  }
  make.Make<MText>(true, L"MText", 175, LoadLangString(190).GetString());
  if (auto* back = make.Make<MPicture>(true, L"MPicture", 176)) {
    back->SetImage(L"img_area.png", 1);
    back->SetShowMode(SHOWMODE_NINEGRID, 12);
  }
  if (auto* palette = make.Make<CirclePalette>(false, L"CirclePalette", kPalette)) palette->SetImage(L"img_palette.png", 1);
  const wchar_t* letters[] = {L"R", L"G", L"B"};
  for (int i = 0; i < 3; ++i)
    if (auto* text = make.Make<MText>(true, L"MText", 178 + i, letters[i])) text->SetTextColor(Argb(m_textColor));
  for (int i = 0; i < 3; ++i) {
    if (auto* edit = make.Make<MEdit>(false, L"MEdit", kRedEdit + i)) {
      edit->SetImage(L"img_edit.png", 4);
      edit->SetTextColor(Argb(m_textColor));
      edit->SetEditBKColor(0xFFFFFF);
      edit->SetNumberOnly(1);
      edit->SetLimitText(3);
      edit->SetAlignment(1);
    }
  }
  for (int i = 0; i < 9; ++i) {
    if (auto* button = make.Make<CColorButton>(false, L"CColorButton", 184 + i)) {
      button->SetColor(kPresetColours[i]);
      button->SetGroupName(L"IDC_LIGHT_STC_DEFAULTCOLOR");
    }
  }
  if (auto* label = make.Make<MText>(true, L"MText", 193, LoadLangString(102).GetString())) {
    label->SetFont(L"Roboto-Medium", 16, Gdiplus::FontStyleRegular);
    label->SetTextColor(Argb(0xFF0A0A0A));
  }
  FillModes(make.Make<MComboBox>(false, L"MComboBox", kBarModes), MusicSettings::BarModes(), m_textColor);
  make.Make<MText>(true, L"MText", 195, LoadLangString(103).GetString());
  Slider(make, kAmplitude, 60);
  make.Make<MText>(true, L"MText", 197, LoadLangString(191).GetString());
  Slider(make, kBarBrightness, 100);
  if (auto* label = make.Make<MText>(true, L"MText", 199, LoadLangString(104).GetString()))
    label->SetFont(L"Roboto-Medium", 16, Gdiplus::FontStyleRegular);
  FillModes(make.Make<MComboBox>(false, L"MComboBox", kBackModes), MusicSettings::BackgroundModes(), m_textColor);
  make.Make<MText>(true, L"MText", 201, LoadLangString(105).GetString());
  Slider(make, kBackBrightness, 100);
  for (int id = kFirstLayer; id <= kLastLayer; ++id)
    if (MControl* layer = Control(id)) layer->SetVisible(1);
  for (int id = 244; id <= 267; ++id)
    if (MControl* c = Control(id)) c->SetVisible(0);
}

void KeyboardDlg::LayoutMusicPage(CRect client) {
  const int h = client.bottom;
  for (int k = 0; k < 6; ++k) {
    Place(*this, kFirstLayer + k, CRect(500, h - 280 + 36 * k, 660, h - 250 + 36 * k));
    Place(*this, kFirstLayer + 6 + k, CRect(660, h - 280 + 36 * k, 820, h - 250 + 36 * k));
  }
  Place(*this, kSwatch, CRect(970, h - 280, 1020, h - 250));
  Place(*this, kColourful, CRect(850, h - 280, 970, h - 250));
  Place(*this, kPalette, CRect(870, h - 230, 978, h - 122));
  for (int i = 0; i < 3; ++i) {
    Place(*this, 178 + i, CRect(990 + 110 * i, h - 220, 1020 + 110 * i, h - 190));
    Place(*this, kRedEdit + i, CRect(1020 + 110 * i, h - 220, 1080 + 110 * i, h - 190));
  }
  for (int k = 0; k < 7; ++k) Place(*this, 184 + k, CRect(990 + 47 * k, h - 170, 1026 + 47 * k, h - 134));
  Place(*this, 193, CRect(600, h - 260, 760, h - 230));
  Place(*this, kBarModes, CRect(600, h - 230, 860, h - 200));
  Place(*this, 195, CRect(600, h - 180, 800, h - 150));
  Place(*this, kAmplitude, CRect(600, h - 150, 860, h - 110));
  Place(*this, 197, CRect(600, h - 100, 800, h - 70));
  Place(*this, kBarBrightness, CRect(600, h - 70, 860, h - 30));
  Place(*this, 199, CRect(900, h - 260, 1060, h - 230));
  Place(*this, kBackModes, CRect(900, h - 230, 1160, h - 200));
  Place(*this, 201, CRect(900, h - 180, 1100, h - 150));
  Place(*this, kBackBrightness, CRect(900, h - 150, 1160, h - 110));
  // The music colour group's backdrop lies where the lighting page's palette backdrop is.
  Place(*this, 140, CRect(850, h - 250, 1210, h - 80));
}

void KeyboardDlg::InitVisualizerGeometry() { Pages().geometry.Init(m_layoutRows, m_layoutColumns); }

void KeyboardDlg::LoadMusicLayer(int profile) {
  OnWindowThread([this, profile] {
    if (auto* combo = Get<MComboBox>(*this, kBarModes)) combo->SetCurSel(0);
    if (auto* combo = Get<MComboBox>(*this, kBackModes)) combo->SetCurSel(0);
    if (auto* slider = Get<MSlider>(*this, kAmplitude)) slider->SetProgress(60);
    if (auto* slider = Get<MSlider>(*this, kBackBrightness)) slider->SetProgress(100);
    if (m_zephraEffect) m_zephraEffect->AddLightLayer(1, CRect());
    if (auto* layer = Get<CCheckButton>(*this, kFirstLayer)) layer->SetCheck(1);
    auto* modes = Get<TabCtrlEx>(*this, 242);
    LightingPages& pages = Pages();
    const MusicControls c = pages.music.Load(profile, modes ? modes->GetCurData() : 0);
    if (auto* combo = Get<MComboBox>(*this, kBarModes)) combo->SelectData(c.barMode);
    if (auto* slider = Get<MSlider>(*this, kAmplitude)) slider->SetProgress(c.amplitude);
    if (auto* combo = Get<MComboBox>(*this, kBackModes)) combo->SelectData(c.backMode);
    if (auto* slider = Get<MSlider>(*this, kBackBrightness)) slider->SetProgress(c.backBrightness);
    if (c.barBrightness) {
      if (auto* slider = Get<MSlider>(*this, kBarBrightness)) slider->SetProgress(*c.barBrightness);
      pages.stripBrightness = *c.barBrightness;
    }
  });
}

int KeyboardDlg::OnMusicPalette() {
  auto* palette = Get<CirclePalette>(*this, kPalette);
  if (palette) MusicColour(*this, palette->GetSelectColor());
  return 1;
}

int KeyboardDlg::OnMusicRedEdit(UINT code, WPARAM, LPARAM) { return MusicRgbEdit(*this, code, kRedEdit); }
int KeyboardDlg::OnMusicGreenEdit(UINT code, WPARAM, LPARAM) { return MusicRgbEdit(*this, code, kRedEdit + 1); }
int KeyboardDlg::OnMusicBlueEdit(UINT code, WPARAM, LPARAM) { return MusicRgbEdit(*this, code, kRedEdit + 2); }

int KeyboardDlg::OnMusicLayerCheck(int id) {
  auto* layer = Get<CCheckButton>(*this, id);
  if (!layer || !m_zephraEffect) return 1;
  if (layer->GetCheck()) m_zephraEffect->AddLightLayer(id - 160, CRect());
  else m_zephraEffect->DeleteLightLayer(id - 160);
  return 1;
}

int KeyboardDlg::OnMusicColorfulCheck() {
  auto* rainbow = Get<CCheckButton>(*this, kColourful);
  if (m_zephraEffect) m_zephraEffect->SetMusicColorful(rainbow && rainbow->GetCheck());
  return 1;
}

int KeyboardDlg::OnMusicColorButton(int id) {
  if (auto* button = Get<CColorButton>(*this, id)) MusicColour(*this, button->GetColor());
  return 1;
}

int KeyboardDlg::OnMusicForeMode() {
  Pages().music.OnBarMode(m_profileId, ComboData(*this, kBarModes, 22));
  return 1;
}

int KeyboardDlg::OnMusicForeAmplitude() {
  Pages().music.OnAmplitude(m_profileId, SliderValue(*this, kAmplitude));
  return 1;
}

int KeyboardDlg::OnMusicBackBright() {
  Pages().music.OnBackBrightness(m_profileId, SliderValue(*this, kBackBrightness));
  return 1;
}

int KeyboardDlg::OnMusicBackMode() {
  Pages().music.OnBackMode(m_profileId, ComboData(*this, kBackModes, 0));
  return 1;
}

int KeyboardDlg::OnMusicLightRight() {
  const int value = SliderValue(*this, kBarBrightness);
  Pages().music.OnBarBrightness(m_profileId, value);
  Pages().stripBrightness = value;
  return 1;
}
