#include "controls/MSpinButton.h"
#include <algorithm>
#include <cwchar>
#include "controls/DrawHelpers.h"
#include "core/MRender.h"

using namespace qiv_paint;

MSpinButton::MSpinButton(MObject* parent, unsigned id, CRect rect, int visible, int)
    : MPanel(parent, id, rect, visible) {
  SetTextColor(Gdiplus::Color(0xFE050505));
}

MSpinButton::~MSpinButton() = default;
const wchar_t* MSpinButton::GetClassNameW() const { return L"MSpinButton"; }

int MSpinButton::Wrap(int value, int minimum, int maximum) {
  if (value > maximum) return minimum;
  if (value < minimum) return maximum;
  return value;
}

int MSpinButton::TypeDigit(int value, int digit, int limit, int minimum, int maximum) {
  wchar_t text[32];
  std::swprintf(text, 32, L"%d%d", value, digit);
  long long typed = digit;
  if (static_cast<int>(std::wcslen(text)) <= limit) typed = std::wcstoll(text, nullptr, 10);
  if (typed > maximum) return minimum;
  if (typed < minimum) return maximum;
  return static_cast<int>(typed);
}

int MSpinButton::Backspace(int value) { return value < 10 ? 0 : value / 10; }

void MSpinButton::Repaint(int redraw) {
  if (m_bVisible && m_pParent) m_pParent->OnControlUpdate(m_rcControl, redraw, this);
}

void MSpinButton::InitControl(PaintManager* manager) {
  MPanel::InitControl(manager);
  if (m_up) return;
  m_up = dynamic_cast<MControlFont*>(CreateControl(L"CImageButton", kUpId, CRect(), L"", 1, 1));
  m_down = dynamic_cast<MControlFont*>(CreateControl(L"CImageButton", kDownId, CRect(), L"", 1, 1));
  if (m_up) m_up->SetImage(L"img_spin_up.png", 4);
  if (m_down) m_down->SetImage(L"img_spin_down.png", 4);
  PlaceButtons();
}

void MSpinButton::PlaceButtons() {
  const int mid = m_rcControl.top + m_rcControl.Height() / 2, right = m_rcControl.right;
  if (m_up) {
    const CSize s = m_up->GetImageSize();
    m_up->SetControlRect(CRect(right - s.cx - 4, mid - s.cy, right - 4, mid));
  }
  if (m_down) {
    const CSize s = m_down->GetImageSize();
    m_down->SetControlRect(CRect(right - s.cx - 4, mid, right - 4, mid + s.cy));
  }
}

void MSpinButton::SetControlRect(CRect rect) {
  MPanel::SetControlRect(rect);
  PlaceButtons();
}

void MSpinButton::SetCurValue(int value) {
  if (value == m_value) return;
  m_value = value;
  Repaint(1);
}

void MSpinButton::SetRange(int minimum, int maximum) {
  m_min = minimum;
  m_max = maximum;
}

void MSpinButton::Apply(int value, bool notify) {
  SetCurValue(value);
  if (notify) SendMessageW(NOTIFY_VALUE_CHANGED, 0, 0);
}

void MSpinButton::Step(int delta) { Apply(Wrap(m_value + delta, m_min, m_max), true); }

long MSpinButton::OnMessage(unsigned id, unsigned code, unsigned, long) {
  if (code != NOTIFY_CLICK || (id != kUpId && id != kDownId)) return 0;
  Step(id == kUpId ? 1 : -1);
  return 1;
}

int MSpinButton::OnControlKeyDown(unsigned key, unsigned, unsigned) {
  if (!m_bFocused) return 0;
  if (key == VK_UP || key == VK_ADD) {
    Step(1);
  } else if (key == VK_DOWN || key == VK_SUBTRACT) {
    Step(-1);
  } else if ((key >= '0' && key <= '9') || (key >= VK_NUMPAD0 && key <= VK_NUMPAD9)) {
    const int digit = key >= VK_NUMPAD0 ? static_cast<int>(key - VK_NUMPAD0) : static_cast<int>(key - '0');
    Apply(TypeDigit(m_value, digit, m_limit, m_min, m_max), true);
  } else if (key == VK_BACK) {
    const int value = Backspace(m_value);
    if (value != m_value) Apply(value, true);
  } else if (key != VK_LEFT && key != VK_RIGHT) {
    return 0;
  }
  return 1;
}

void MSpinButton::SetControlEnabled(int enabled) {
  for (MControl* button : {static_cast<MControl*>(m_up), static_cast<MControl*>(m_down)})
    if (button && (button->IsEnabled() != 0) != (enabled != 0)) button->SetEnabled(enabled);
  if ((enabled != 0) == (m_bEnabled != 0)) return;
  m_bEnabled = enabled;
  m_state = enabled ? 0 : 3;
  Repaint(0);
}

int MSpinButton::SetControlFocus(int focus) {
  if (!m_bEnabled) return 0;
  if ((focus != 0) != (m_bFocused != 0)) {
    m_bFocused = focus;
    Repaint(1);
  }
  return 1;
}

int MSpinButton::OnControlMouseMove(unsigned, CPoint point) {
  if (!m_bEnabled || m_state == 2) return 0;
  const int state = m_rcControl.PtInRect(point) ? 1 : 0;
  if (state == m_state) return 0;
  m_state = state;
  Repaint(0);
  return 1;
}

int MSpinButton::OnControlLButtonDown(unsigned, CPoint point) {
  if (!m_bEnabled || !m_rcControl.PtInRect(point) || m_state == 2) return 0;
  m_state = 2;
  Repaint(0);
  return 1;
}

int MSpinButton::OnControlLButtonUp(unsigned, CPoint point) {
  if (!m_bEnabled) return 0;
  const int state = m_rcControl.PtInRect(point) ? 1 : 0;
  if (state == m_state) return 0;
  m_state = state;
  Repaint(0);
  return 1;
}

void MSpinButton::DrawControl(HDC& hdc, CRect) {
  const int w = m_rcControl.Width(), h = m_rcControl.Height();
  if (w <= 0 || h <= 0) return;
  if (!m_bUpdate || !m_hMemDC) {
    UpdateMemDC(hdc, 4 * w, h);
    m_title.Format(L"%d", m_value);
    Gdiplus::Graphics g(m_hMemDC);
    g.SetTextRenderingHint(m_textRenderingHint);
    auto font = ControlFont(*this);
    Gdiplus::StringFormat format;
    SetFormat(format, Gdiplus::StringAlignmentNear, Gdiplus::StringAlignmentCenter);
    Gdiplus::SolidBrush focus(Gdiplus::Color(0xFE3399FF));
    for (int i = 0; i < 4; ++i) {
      const int x = i * w;
      Copy(m_hMemDC, x, 0, w, h, hdc, m_rcControl.left, m_rcControl.top);
      if (m_pImage)
        MRender::DrawImageFrame(g, m_pImage, CRect(x, 0, x + w, h), i * m_frameWidth, 0, m_frameWidth, m_frameHeight, 6);
      if (m_bFocused) g.FillRectangle(&focus, x + 5, h / 2 - 7, w - 28, 14);
      Text(g, m_title, *font, RectF(x + 4, 0, w - 18, h), format, i == 3 ? Gdiplus::Color(0xFF808080) : m_textColor);
    }
  }
  Copy(hdc, m_rcControl.left, m_rcControl.top, w, h, m_hMemDC, std::clamp(m_state, 0, 3) * w, 0);
}
