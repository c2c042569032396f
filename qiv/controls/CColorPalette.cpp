#include "controls/CColorPalette.h"
#include <cwchar>
#include "controls/CColorButton.h"
#include "controls/DrawHelpers.h"
#include "controls/MEdit.h"
#include "controls/MPalette.h"
#include "controls/MSpinButton.h"
#include "controls/MText.h"

namespace {
constexpr COLORREF kPresetColours[8] = {0x001B55, 0x23A2F9, 0x31FEFE, 0x29FF4C, 0xFEFF50, 0xFC1517, 0x7F007C, 0xFC00F7};
const wchar_t* const kLabels[4] = {L"R", L"G", L"B", L"#"};

// Moves a child, repainting the union of its old and new place.
void Place(MControl* child, CRect place) {
  if (!child) return;
  CRect both;
  both.UnionRect(child->GetRect(), place);
  child->SetControlRect(place);
  child->UpdateControl(both, 0, 1);
}

int Channel(COLORREF c, int shift) { return static_cast<int>((c >> shift) & 0xFF); }
}  // namespace

CColorPalette::CColorPalette(MObject* parent, unsigned id, CRect rect, int visible)
    : MPanel(parent, id, rect, visible) {}

CColorPalette::~CColorPalette() = default;
const wchar_t* CColorPalette::GetClassNameW() const { return L"CColorPalette"; }

CString CColorPalette::HexText(COLORREF colour) {
  CString text;
  text.Format(L"%02x%02x%02x", Channel(colour, 0), Channel(colour, 8), Channel(colour, 16));
  return text.MakeUpper();
}

bool CColorPalette::ParseHex(const CString& text, COLORREF& colour) {
  if (text.GetLength() != 6) return false;
  unsigned parts[3] = {0, 0, 0};
  for (int i = 0; i < 3; ++i) {
    const CString pair = text.Mid(2 * i, 2);
    if (std::swscanf(pair, L"%x", &parts[i]) != 1) parts[i] = 0;
  }
  colour = RGB(parts[0] & 0xFF, parts[1] & 0xFF, parts[2] & 0xFF);
  return true;
}

void CColorPalette::Repaint(int redraw) {
  if (m_bVisible && m_pParent) m_pParent->OnControlUpdate(m_rcControl, redraw, this);
}

void CColorPalette::InitControl(PaintManager* manager) {
  MPanel::InitControl(manager);
  if (m_field) return;
  const CRect& r = m_rcControl;
  const int L = r.left, T = r.top, B = r.bottom;
  for (int k = 0; k < 8; ++k) {
    auto* preset = dynamic_cast<CColorButton*>(
        CreateControl(L"CColorButton", kFirstPresetId + k, CRect(L + 25 * k, T + 5, L + 25 * k + 20, T + 25), L"", 1, 1));
    if (!preset) continue;
    preset->SetColor(kPresetColours[k]);
    preset->SetGroupName(L"clr_palette_group");
    m_presets[k] = preset;
  }
  m_field = dynamic_cast<MPalette*>(CreateControl(L"MPalette", kFieldId, CRect(L, T + 27, L + 233, B - 4), L"", 1, 1));
  if (m_field) {
    m_field->SetPalletHeight(B - T - 33);
    m_field->SetThumbImage(L"img_palette_thumb.png");
  }
  m_swatch = dynamic_cast<CColorButton*>(
      CreateControl(L"CColorButton", kSwatchId, CRect(L + 235, T + 27, L + 285, T + 102), L"", 1, 1));
  if (m_swatch) {
    m_swatch->SetColor(0x00E1FF);
    m_swatch->SetGroupName(L"clr_sel_group");
    m_swatch->SetCheck(1);
  }
  for (int j = 0; j < 4; ++j) {
    const CRect place(L + 235, T + 52 + 28 * j, L + 255, T + 76 + 28 * j);
    auto* label = dynamic_cast<MText*>(CreateArea(L"MText", kFirstLabelId + j, place, kLabels[j], 1, 1));
    if (!label) continue;
    label->SetTextColor(Gdiplus::Color(0xFE050505));
    label->SetAlignment(2);
    m_labels[j] = label;
  }
  for (int j = 0; j < 3; ++j) {
    const CRect place(L + 260, T + 52 + 28 * j, L + 320, T + 76 + 28 * j);
    auto* spin = dynamic_cast<MSpinButton*>(CreateControl(L"MSpinButton", kFirstSpinId + j, place, L"", 1, 1));
    if (!spin) continue;
    spin->m_value = 255;
    spin->m_min = 0;
    spin->m_max = 255;
    m_spins[j] = spin;
  }
  m_hex = dynamic_cast<MEdit*>(CreateControl(L"MEdit", kHexId, CRect(L + 260, T + 136, L + 320, T + 160), L"", 1, 1));
  if (m_hex) {
    m_hex->SetFontWidth(12);
    m_hex->SetEditBKColor(0xDADADA);
    m_hex->SetLimitText(6);
    m_hex->SetTitle(HexText(static_cast<COLORREF>(GetSelectColor())));
  }
}

void CColorPalette::PlaceChildren(bool) {
  const CRect& r = m_rcControl;
  const int L = r.left, T = r.top, B = r.bottom;
  for (int k = 0; k < 8; ++k) Place(m_presets[k], CRect(L + 25 * k, T + 5, L + 25 * k + 20, T + 25));
  if (m_field) {
    m_field->SetPalletHeight(B - T - 33);
    Place(m_field, CRect(L, T + 27, L + 233, B - 4));
  }
  Place(m_swatch, CRect(L + 235, T + 5, L + 320, T + 57));
  for (int j = 0; j < 4; ++j) Place(m_labels[j], CRect(L + 235, T + 62 + 28 * j, L + 255, T + 86 + 28 * j));
  for (int j = 0; j < 3; ++j) Place(m_spins[j], CRect(L + 260, T + 62 + 28 * j, L + 320, T + 86 + 28 * j));
  Place(m_hex, CRect(L + 260, T + 146, L + 320, T + 170));
}

void CColorPalette::SetControlRect(CRect rect) {
  m_rcControl = rect;
  PlaceChildren(false);
  Repaint(1);
}

unsigned long CColorPalette::GetSelectColor() const { return m_field ? m_field->GetSelectColor() : 0; }

void CColorPalette::SetSelectColor(unsigned long colour) {
  if (m_field) m_field->SetSelectColor(colour);
}

int CColorPalette::SetThumbImage(const wchar_t* file) { return m_field ? m_field->SetThumbImage(file) : 0; }

int CColorPalette::SetImage(const wchar_t* file, int frames) {
  for (MSpinButton* spin : m_spins)
    if (spin) spin->SetImage(file, frames);
  if (m_hex) m_hex->SetImage(file, frames);
  return 1;
}

void CColorPalette::SetTextColor(Gdiplus::Color colour) {
  MPanel::SetTextColor(colour);
  for (MText* label : m_labels)
    if (label) label->SetTextColor(colour);
  for (MSpinButton* spin : m_spins)
    if (spin) spin->SetTextColor(colour);
  if (m_hex) m_hex->SetTextColor(colour);
}

void CColorPalette::UpdateControlEx(int redraw) {
  Repaint(redraw);
  auto repaint = [&](MControl* child) {
    if (child && child->IsVisible()) child->UpdateControl(redraw, 0);
  };
  for (CColorButton* preset : m_presets) repaint(preset);
  repaint(m_field);
  repaint(m_swatch);
  for (MText* label : m_labels) repaint(label);
  for (MSpinButton* spin : m_spins) repaint(spin);
  repaint(m_hex);
}

void CColorPalette::SetControlEnabled(int enabled) {
  m_bEnabled = enabled;
  auto follow = [&](MControl* child) {
    if (!child || (child->IsEnabled() != 0) == (enabled != 0)) return;
    child->SetControlEnabled(enabled);
    child->UpdateControl(1, 0);
  };
  follow(m_field);
  for (MSpinButton* spin : m_spins) follow(spin);
  follow(m_hex);
  follow(m_swatch);
  for (CColorButton* preset : m_presets) follow(preset);
}

int CColorPalette::OnControlMouseMove(unsigned, CPoint) { return m_bEnabled ? 1 : 0; }
int CColorPalette::OnControlLButtonDown(unsigned, CPoint) { return m_bEnabled ? 1 : 0; }
int CColorPalette::OnControlLButtonUp(unsigned, CPoint) { return m_bEnabled ? 1 : 0; }
int CColorPalette::OnControlScroll(int, unsigned, CPoint) { return 1; }

void CColorPalette::DrawControl(HDC& hdc, CRect) {
  const int w = m_rcControl.Width(), h = m_rcControl.Height();
  if (w <= 0 || h <= 0) return;
  if (!m_bUpdate || !m_hMemDC) {
    UpdateMemDC(hdc, w, h);
    qiv_paint::Copy(m_hMemDC, 0, 0, w, h, hdc, m_rcControl.left, m_rcControl.top);
  }
  qiv_paint::Copy(hdc, m_rcControl.left, m_rcControl.top, w, h, m_hMemDC, 0, 0);
}

// ---- keeping the parts in step ----

void CColorPalette::ShowValues(COLORREF colour) {
  for (int j = 0; j < 3; ++j)
    if (m_spins[j]) m_spins[j]->SetCurValue(Channel(colour, 8 * j));
  if (m_hex) m_hex->SetTitle(HexText(colour));
}

void CColorPalette::SetSelItemColor(unsigned long colour) {
  if (m_swatch && m_swatch->GetCheck() && m_swatch->GetColor() != colour) m_swatch->SetColor(colour);
  if (m_pParent) m_pParent->OnBaseMessage(m_uID, NOTIFY_COLOR_CHANGED, 0, static_cast<long>(colour));
}

long CColorPalette::Forward(unsigned id, unsigned code, unsigned wParam, long lParam) {
  return m_pParent ? m_pParent->OnBaseMessage(id, code, wParam, lParam) : 0;
}

long CColorPalette::OnMessage(unsigned id, unsigned code, unsigned wParam, long lParam) {
  if (id == kFieldId && code == NOTIFY_COLOR_CHANGED) {
    const COLORREF c = static_cast<COLORREF>(GetSelectColor());
    ShowValues(c);
    SetSelItemColor(c);
    return 1;
  }
  if (code == NOTIFY_VALUE_CHANGED && id >= kFirstSpinId && id < kFirstSpinId + 3) {
    int rgb[3] = {0, 0, 0};
    for (int j = 0; j < 3; ++j) rgb[j] = m_spins[j] ? m_spins[j]->GetCurValue() & 0xFF : 0;
    const COLORREF c = RGB(rgb[0], rgb[1], rgb[2]);
    SetSelectColor(c);
    if (m_hex) m_hex->SetTitle(HexText(c));
    SetSelItemColor(c);
  } else if (id == kSwatchId && code == NOTIFY_LBUTTONDOWN && m_swatch) {
    const COLORREF c = m_swatch->GetColor();
    ShowValues(c);
    SetSelectColor(c);
    SetSelItemColor(c);
  } else if (code == NOTIFY_LBUTTONDOWN && id >= kFirstPresetId && id < kFirstPresetId + 8) {
    for (unsigned preset = kFirstPresetId; preset < kFirstPresetId + 8; ++preset) {
      auto* button = dynamic_cast<CColorButton*>(GetControl(preset));
      if (!button || !button->GetCheck()) continue;
      const COLORREF c = button->GetColor();
      if (c != 0) {
        ShowValues(c);
        SetSelectColor(c);
        SetSelItemColor(c);
      }
      break;
    }
  } else if (id == kHexId && code == NOTIFY_TEXT_CHANGED) {
    COLORREF c = 0;
    if (!m_hex || !ParseHex(m_hex->GetEditText(), c)) return 0;
    for (int j = 0; j < 3; ++j)
      if (m_spins[j]) m_spins[j]->SetCurValue(Channel(c, 8 * j));
    SetSelectColor(c);
    SetSelItemColor(c);
  }
  return Forward(id, code, wParam, lParam);
}
