#include "controls/CColorSelect.h"
#include "controls/CColorButton.h"
#include "controls/DrawHelpers.h"

namespace {
constexpr COLORREF kColours[CColorSelect::kPresets] = {0x0000FF, 0x00FF00, 0xFF0000, 0x00FFFF,
                                                      0xFF00FF, 0xFFFF00, 0xFFFFFF};
}  // namespace

CColorSelect::CColorSelect(MObject* parent, unsigned id, CRect rect, int visible) : MPanel(parent, id, rect, visible) {}
CColorSelect::~CColorSelect() = default;
const wchar_t* CColorSelect::GetClassNameW() const { return L"CColorSelect"; }

CColorButton* CColorSelect::GetPreset(int index) const {
  return index >= 0 && index < static_cast<int>(kPresets) ? m_presets[index] : nullptr;
}

void CColorSelect::InitControl(PaintManager* manager) {
  MPanel::InitControl(manager);
  if (m_presets[0]) return;
  const int L = m_rcControl.left, T = m_rcControl.top;
  for (unsigned k = 0; k < kPresets; ++k) {
    const CRect place(L, T + 5 + 25 * static_cast<int>(k), L + 20, T + 25 + 25 * static_cast<int>(k));
    auto* preset = dynamic_cast<CColorButton*>(CreateControl(L"CColorButton", kFirstPresetId + k, place, L"", 1, 1));
    if (!preset) continue;
    preset->SetColor(kColours[k]);
    preset->SetGroupName(L"clr_palette_group");
    if (k == kPresets - 1) preset->SetVisibleBorder(true);
    m_presets[k] = preset;
  }
}

void CColorSelect::PlacePresets() {
  const int L = m_rcControl.left, T = m_rcControl.top;
  for (unsigned k = 0; k < kPresets; ++k) {
    CColorButton* preset = m_presets[k];
    if (!preset) continue;
    const CRect place(L, T + 5 + 25 * static_cast<int>(k), L + 20, T + 25 + 25 * static_cast<int>(k));
    CRect both;
    both.UnionRect(preset->GetRect(), place);
    preset->SetControlRect(place);
    preset->UpdateControl(both, 0, 1);
  }
}

void CColorSelect::SetControlRect(CRect rect) {
  m_rcControl = rect;
  PlacePresets();
  if (m_bVisible && m_pParent) m_pParent->OnControlUpdate(m_rcControl, 1, this);
}

void CColorSelect::SetColorIndex(int index) {
  if (index >= 0 && index < static_cast<int>(kPresets)) {
    if (m_presets[index]) m_presets[index]->SetCheck(1);
  } else if (index == -1) {
    for (CColorButton* preset : m_presets)
      if (preset) preset->SetCheck(0);
  }
}

void CColorSelect::SetControlEnabled(int enabled) {
  m_bEnabled = enabled;
  for (CColorButton* preset : m_presets) {
    if (!preset || (preset->IsEnabled() != 0) == (enabled != 0)) continue;
    preset->SetControlEnabled(enabled);
    preset->UpdateControl(1, 0);
  }
}

int CColorSelect::OnControlMouseMove(unsigned, CPoint) { return m_bEnabled ? 1 : 0; }
int CColorSelect::OnControlLButtonDown(unsigned, CPoint) { return m_bEnabled ? 1 : 0; }
int CColorSelect::OnControlLButtonUp(unsigned, CPoint) { return m_bEnabled ? 1 : 0; }
int CColorSelect::OnControlScroll(int, unsigned, CPoint) { return 1; }

void CColorSelect::DrawControl(HDC& hdc, CRect) {
  const int w = m_rcControl.Width(), h = m_rcControl.Height();
  if (w <= 0 || h <= 0) return;
  if (!m_bUpdate || !m_hMemDC) {
    UpdateMemDC(hdc, w, h);
    qiv_paint::Copy(m_hMemDC, 0, 0, w, h, hdc, m_rcControl.left, m_rcControl.top);
  }
  qiv_paint::Copy(hdc, m_rcControl.left, m_rcControl.top, w, h, m_hMemDC, 0, 0);
}

long CColorSelect::OnMessage(unsigned id, unsigned code, unsigned wParam, long lParam) {
  if (code == NOTIFY_LBUTTONDOWN && id >= kFirstPresetId && id <= kFirstPresetId + 7) {
    for (unsigned k = 0; k < kPresets; ++k) {
      CColorButton* preset = m_presets[k];
      if (!preset || !preset->GetCheck()) continue;
      if (preset->GetColor() != 0 && m_pParent)
        m_pParent->OnBaseMessage(m_uID, NOTIFY_COLOR_CHANGED, k, static_cast<long>(preset->GetColor()));
      break;
    }
  }
  return m_pParent ? m_pParent->OnBaseMessage(id, code, wParam, lParam) : 0;
}
