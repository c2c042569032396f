#include "controls/CSpinButton.h"
#include <algorithm>
#include <cwchar>
#include "controls/MSpinButton.h"

CSpinButton::CSpinButton(MObject* parent, unsigned id, CRect rect, int visible, int)
    : MRichEdit(parent, id, rect, L"", visible, 1) {
  SetTextColor(Gdiplus::Color(0xFE050505));
  m_style = WS_HSCROLL | ES_NUMBER | ES_AUTOHSCROLL;
}

CSpinButton::~CSpinButton() = default;
const wchar_t* CSpinButton::GetClassNameW() const { return L"CSpinButton"; }

void CSpinButton::InitControl(PaintManager* manager) {
  MRichEdit::InitControl(manager);
  if (m_up) return;
  m_up = dynamic_cast<MControlFont*>(CreateControl(L"CImageButton", kUpId, CRect(), L"", 1, 1));
  m_down = dynamic_cast<MControlFont*>(CreateControl(L"CImageButton", kDownId, CRect(), L"", 1, 1));
  if (m_up) m_up->SetImage(L"img_spin_up.png", 4);
  if (m_down) m_down->SetImage(L"img_spin_down.png", 4);
  SetControlRect(m_rcControl);
}

void CSpinButton::PlaceButtons() {
  const int mid = m_rcControl.top + m_rcControl.Height() / 2, right = m_rcControl.right;
  if (m_up) {
    const CSize s = m_up->GetImageSize();
    m_up->SetControlRect(CRect(right - s.cx - 4, mid - s.cy - 1, right - 4, mid - 1));
  }
  if (m_down) {
    const CSize s = m_down->GetImageSize();
    m_down->SetControlRect(CRect(right - s.cx - 4, mid + 1, right - 4, mid + 1 + s.cy));
  }
}

void CSpinButton::SetControlRect(CRect rect) {
  m_rcControl = rect;
  m_padding.top = m_padding.bottom = rect.Height() / 2 - 8;
  if (m_host) {
    CRect text = PaddedArea();
    text.right = rect.right - m_padding.right - 15;
    m_host->SetClientRect(text);
  }
  PlaceButtons();
}

void CSpinButton::SetRange(int minimum, int maximum) {
  m_min = minimum;
  m_max = maximum;
}

void CSpinButton::SetCurValue(int value) {
  if (value == m_value) return;
  m_value = value;
  CString text;
  text.Format(L"%d", value);
  ClearGDIFont();
  m_bApplying = true;
  SetControlTitle(text);
  m_bApplying = false;
  Repaint(1);
}

long CSpinButton::OnMessage(unsigned id, unsigned code, unsigned, long) {
  if (code != NOTIFY_CLICK || (id != kUpId && id != kDownId)) return 0;
  SetCurValue(MSpinButton::Wrap(m_value + (id == kUpId ? 1 : -1), m_min, m_max));
  SendMessageW(NOTIFY_VALUE_CHANGED, 0, 0);
  return 1;
}

void CSpinButton::SetControlEnabled(int enabled) {
  m_bEnabled = enabled;
  for (MControlFont* button : {m_up, m_down})
    if (button && (button->IsEnabled() != 0) != (enabled != 0)) button->SetEnabled(enabled);
}

HRESULT CSpinButton::OnTxNotify(DWORD code, void* data) {
  MRichEdit::OnTxNotify(code, data);
  if (code != EN_CHANGE || m_bApplying) return S_OK;
  const CString text = m_title.IsEmpty() ? CString(L"0") : m_title;
  SetCurValue(std::clamp(static_cast<int>(std::wcstol(text, nullptr, 10)), m_min, std::max(m_min, m_max)));
  return S_OK;
}

void CSpinButton::DrawControl(HDC& hdc, CRect paint) {
  if (m_rcControl.IsRectEmpty()) return;
  DrawBackground(hdc, m_rcControl.Width() - 15, false, false, 0);
  DrawServices(hdc, paint);
}
