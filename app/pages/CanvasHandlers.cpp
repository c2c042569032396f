// The lighting-canvas page of the main window: its controls in panel 75, their layout,
// the canvas mode tab with the control groups each mode shows, and the media file choice.
// The canvas itself (control 59) is the frame's.
#include "shell/KeyboardDlg.h"
#include <commdlg.h>
#include <vector>
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
constexpr int kModeTab = 242;
constexpr int kPalette = 249;
constexpr int kMediaEdit = 271;
constexpr int kPresetList = 274;
constexpr COLORREF kPresetColours[] = {0x0000FF, 0x0080FF, 0x00FFFF, 0x00FF00, 0xFF0000,
                                       0xFFFF00, 0x000000, 0xFFFFFF, 0x000000};

void ShowIds(const KeyboardDef& c, const std::vector<int>& ids, bool show) {
  for (int id : ids)
    if (MControl* control = c.Control(id)) control->SetVisible(show ? 1 : 0);
}

}  // namespace

void KeyboardDlg::CreateCanvasPage() {
  PageBuilder make(*this, Control(kPanel));
  if (auto* back = make.Make<MPicture>(true, L"MPicture", 241)) {
    back->SetImage(L"img_area.png", 1);
    back->SetShowMode(SHOWMODE_NINEGRID, 12);
  }
  if (auto* line = make.Make<CArea>(true, L"CArea", 243)) line->SetTransparent(0, 0, 0xE6E6E6);
  if (auto* modes = make.Make<TabCtrlEx>(false, L"TabCtrlEx", kModeTab)) {
    modes->SetImage(L"img_item.png", 4);
    modes->SetFont(L"Roboto-Medium", 16, Gdiplus::FontStyleRegular);
    for (const CanvasPage::ModeItem& item : CanvasPage::Modes()) modes->AddItem(LoadLangString(item.textId), item.mode);
    modes->SetCurData(CanvasPage::Modes().front().mode);
  }
  // The canvas's own colour group: made, never shown.
  make.Make<MText>(true, L"MText", 244, LoadLangString(87).GetString());
  if (auto* swatch = make.Make<CColorButton>(false, L"CColorButton", 245)) {
    swatch->SetColor(0x0000FF);
    swatch->SetGroupName(L"IDC_CUSTOMLIGHT_STC_LIGHTCOLOR");
  }
  if (auto* check = make.Make<CCheckButton>(false, L"CCheckButton", 246, LoadLangString(80).GetString()))
    check->SetImage(L"btn_checkbox.png", 8);
  make.Make<MText>(true, L"MText", 247, LoadLangString(81).GetString());
  if (auto* back = make.Make<MPicture>(true, L"MPicture", 248)) {
    back->SetImage(L"img_area.png", 1);
    back->SetShowMode(SHOWMODE_NINEGRID, 12);
  }
  if (auto* palette = make.Make<CirclePalette>(false, L"CirclePalette", kPalette)) palette->SetImage(L"img_palette.png", 1);
  const wchar_t* letters[] = {L"R", L"G", L"B"};
  for (int i = 0; i < 3; ++i) make.Make<MText>(true, L"MText", 250 + i, letters[i]);
  for (int i = 0; i < 3; ++i) {
    if (auto* slider = make.Make<MSlider>(false, L"MSlider", 253 + i)) {
      slider->SetMinProgress(0);
      slider->SetMaxProgress(255);
    }
  }
  for (int i = 0; i < 3; ++i) {
    if (auto* edit = make.Make<MEdit>(false, L"MEdit", 256 + i)) {
      edit->SetImage(L"img_edit.png", 4);
      edit->SetEditBKColor(0x555555);
    }
  }
  for (int i = 0; i < 9; ++i) {
    if (auto* button = make.Make<CColorButton>(false, L"CColorButton", 259 + i)) {
      button->SetColor(kPresetColours[i]);
      button->SetGroupName(L"IDC_ZEPHRA_STC_DEFAULTCOLOR");
    }
  }
  make.Make<MText>(true, L"MText", 268, LoadLangString(610).GetString());
  if (auto* windows = make.Make<MComboBox>(false, L"MComboBox", 269)) windows->SetImage(L"img_combobox.png", 4);
  if (auto* label = make.Make<MText>(true, L"MText", 270, LoadLangString(670).GetString())) {
    label->SetFont(L"Roboto-Medium", 16, Gdiplus::FontStyleRegular);
    label->SetTextColor(Argb(0xFF0A0A0A));
  }
  if (auto* file = make.Make<MEdit>(false, L"MEdit", kMediaEdit)) {
    file->SetImage(L"img_edit.png", 4);
    file->SetEditBKColor(0x555555);
  }
  if (auto* choose = make.Make<MControlFont>(false, L"MButton", 272, LoadLangString(671).GetString()))
    choose->SetImage(L"img_button.png", 4);
  if (auto* label = make.Make<MText>(true, L"MText", 273, LoadLangString(615).GetString()))
    label->SetFont(L"Roboto-Medium", 16, Gdiplus::FontStyleRegular);
  if (auto* presets = make.Make<MComboBox>(false, L"MComboBox", kPresetList)) {
    presets->SetImage(L"img_combobox.png", 4);
    for (int i = 0; i < 10; ++i) presets->AddItem(LoadLangString(620 + i).GetString(), i, nullptr, Argb(m_textColor));
  }
  if (auto* label = make.Make<MText>(true, L"MText", 275, LoadLangString(650).GetString()))
    label->SetFont(L"Roboto-Medium", 16, Gdiplus::FontStyleRegular);
  if (auto* games = make.Make<MComboBox>(false, L"MComboBox", 276)) {
    games->AddItem(L"CSGO", 0, nullptr, Argb(m_textColor));
    games->SetCurSel(0);
  }
  ShowIds(*this, {268, 269, 270, 271, 272}, false);
  if (auto* palette = Get<CirclePalette>(*this, kPalette)) {
    const COLORREF colour = palette->GetSelectColor();
    const int bytes[3] = {GetRValue(colour), GetGValue(colour), GetBValue(colour)};
    for (int i = 0; i < 3; ++i) {
      if (auto* slider = Get<MSlider>(*this, 253 + i)) slider->SetProgress(bytes[i]);
      CString text;
      text.Format(L"%d", bytes[i]);
      if (auto* edit = Get<MEdit>(*this, 256 + i)) edit->SetControlTitle(text.GetString());
    }
  }
}

void KeyboardDlg::LayoutCanvasPage(CRect client) {
  const int w = client.right, h = client.bottom;
  Place(*this, 241, CRect(280, h - 350, w - 2, h - 2));
  Place(*this, kModeTab, CRect(306, h - 306, 466, h - 106));
  Place(*this, 243, CRect(466, h - 305, 467, h - 30));
  Place(*this, 270, CRect(660, h - 260, 780, h - 230));
  Place(*this, kMediaEdit, CRect(660, h - 230, 960, h - 200));
  Place(*this, 272, CRect(970, h - 230, 1090, h - 200));
}

int KeyboardDlg::OnZephraModeChanged() {
  auto* modes = Get<TabCtrlEx>(*this, kModeTab);
  const int mode = modes ? modes->GetCurData() : 0;
  const CanvasModeUpdate update = Pages().canvas.OnModeChanged(m_profileId, mode);
  m_zephraMode = update.canvasMode;
  if (m_zephraEffect) m_zephraEffect->SetZephraMode(update.canvasMode);
  ShowIds(*this, update.hidden, false);
  ShowIds(*this, update.shown, true);
  return 1;
}

int KeyboardDlg::OnZephraCaptureWindow() {
  // The list is filled only for the capture of one window, which the mode tab does not
  // offer; a choice still goes to the canvas while its window exists.
  auto* windows = Get<MComboBox>(*this, 269);
  if (!windows || windows->GetItemCount() == 0 || !m_zephraEffect) return 1;
  HWND window = reinterpret_cast<HWND>(static_cast<LONG_PTR>(windows->GetCurData()));
  if (::IsWindow(window)) m_zephraEffect->SetCaptureWindow(window);
  return 1;
}

int KeyboardDlg::OnZephraMediaFile() {
  std::vector<wchar_t> name(1024, L'\0');
  OPENFILENAMEW dialog = {};
  dialog.lStructSize = sizeof(dialog);
  dialog.lpstrFilter = L"Image Files (*.gif;*.jpg;*.jpeg;*.png;*.bmp;*.mp4)\0*.gif;*.jpg;*.jpeg;*.png;*.bmp;*.mp4\0";
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = name.data();
  dialog.nMaxFile = DWORD(name.size());
  dialog.Flags = OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
  if (!GetOpenFileNameW(&dialog)) return 0;
  const CString path(name.data());
  if (!CanvasPage::MediaFileUsable(path)) return 0;
  if (m_zephraEffect) m_zephraEffect->SetGIFImage(path.GetString());
  if (auto* edit = Get<MEdit>(*this, kMediaEdit)) edit->SetControlTitle(path.GetString());
  return 1;
}

int KeyboardDlg::OnZephraPresetSelected() {
  auto* presets = Get<MComboBox>(*this, kPresetList);
  if (presets && presets->GetItemCount() > 0 && m_zephraEffect) m_zephraEffect->SetPresetMode(int(presets->GetCurData()));
  return 1;
}
