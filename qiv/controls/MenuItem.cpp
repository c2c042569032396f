#include "controls/MenuItem.h"
#include "core/MRender.h"
#include "core/MenuWnd.h"

namespace {
constexpr Gdiplus::ARGB kHighlight = 0xFF4977E5;
constexpr Gdiplus::ARGB kItemText = 0xFD050505;
constexpr Gdiplus::ARGB kDisabledText = 0xFF808080;
}  // namespace

MenuItem::MenuItem(MObject* parent, unsigned id, CRect rect, const wchar_t* text, int visible, int enabled)
    : MControlFont(parent, id, rect, text, visible, enabled, 1) {}

MenuItem::~MenuItem() {
  if (m_pSubMenu && m_pSubMenu->GetSafeHwnd() && ::IsWindow(m_pSubMenu->GetSafeHwnd())) m_pSubMenu->CloseWindow();
}

const wchar_t* MenuItem::GetClassNameW() const { return L"MenuItem"; }

void MenuItem::Repaint(int redraw) {
  if (m_bVisible && m_pParent) m_pParent->OnControlUpdate(m_rcControl, redraw, this);
}

void MenuItem::SetControlCheck(int check) {
  m_bCheck = check;
  m_nState = check ? kPressed : kNormal;
  Repaint(0);
}

int MenuItem::SetCheck(int check) {
  if (!m_bCheckable) return 0;
  if (m_bEnabled && m_bCheck != check) SetControlCheck(check);
  return m_bCheck;
}

void MenuItem::SetControlEnabled(int enabled) {
  if (m_bEnabled == enabled) return;
  m_bEnabled = enabled;
  m_nState = enabled ? (m_bCheck ? kPressed : kNormal) : kDisabled;
  Repaint(1);
}

int MenuItem::OnControlMouseMove(unsigned, CPoint point) {
  if (!m_bEnabled || m_bPressed) return 0;
  const int state = m_rcControl.PtInRect(point) ? kHover : kNormal;
  if (state == m_nState) return 0;
  m_nState = state;
  Repaint(0);
  return 1;
}

int MenuItem::OnControlLButtonDown(unsigned, CPoint point) {
  if (!m_bEnabled || !m_rcControl.PtInRect(point)) return 0;
  m_bPressed = 1;
  const int old = m_nState;
  m_nState = kPressed;
  return old != m_nState ? 1 : 0;
}

int MenuItem::OnControlLButtonUp(unsigned, CPoint point) {
  if (!m_bEnabled) {
    m_bPressed = 0;
    return 0;
  }
  const bool inside = m_rcControl.PtInRect(point);
  const int old = m_nState;
  m_nState = inside ? kHover : (m_bCheck ? kPressed : kNormal);
  m_bPressed = 0;
  if (m_nState == old) return 0;
  Repaint(0);
  // Only a release that changes the state counts: one without a press on the item is none.
  if (inside && m_pParent) m_pParent->OnBaseMessage(m_uID, NOTIFY_CLICK, 0, 0);
  return 1;
}

void MenuItem::BuildFrames(HDC& hdc, int width, int height) {
  UpdateMemDC(hdc, 4 * width, height);
  if (!m_hMemDC) return;
  for (int i = 0; i < 4; ++i)
    ::BitBlt(m_hMemDC, i * width, 0, width, height, hdc, m_rcControl.left, m_rcControl.top, SRCCOPY);
  Gdiplus::Graphics g(m_hMemDC);
  for (int i : {kHover, kPressed})
    MRender::DrawRoundRectange(g, static_cast<float>(i * width + 3), 3.0f, static_cast<float>(width - 6),
                               static_cast<float>(height - 6), 6.0f, Gdiplus::Color(kHighlight));
  if (m_title.IsEmpty()) return;

  Gdiplus::FontFamily* family = GetFontFamily(m_fontName);
  Gdiplus::Font font(family ? family : Gdiplus::FontFamily::GenericSansSerif(),
                     static_cast<Gdiplus::REAL>(m_fontSize), m_fontStyle, Gdiplus::UnitPixel);
  g.SetSmoothingMode(Gdiplus::SmoothingModeHighQuality);
  g.SetTextRenderingHint(Gdiplus::TextRenderingHintClearTypeGridFit);
  Gdiplus::StringFormat format;
  format.SetAlignment(Gdiplus::StringAlignmentNear);
  format.SetLineAlignment(m_vAlign == 4   ? Gdiplus::StringAlignmentCenter
                          : m_vAlign == 8 ? Gdiplus::StringAlignmentFar
                                          : Gdiplus::StringAlignmentNear);
  format.SetFormatFlags(0x1800);
  // The item always writes in its own dark text colour.
  m_textColor = Gdiplus::Color(kItemText);
  m_textBrush = std::make_unique<Gdiplus::SolidBrush>(m_textColor);
  Gdiplus::SolidBrush grey{Gdiplus::Color(kDisabledText)};
  for (int i = 0; i < 4; ++i) {
    const Gdiplus::RectF box(static_cast<Gdiplus::REAL>(m_nTextIndent + i * width), 0.0f,
                             static_cast<Gdiplus::REAL>(width - m_nTextIndent), static_cast<Gdiplus::REAL>(height));
    g.DrawString(m_title.GetString(), m_title.GetLength(), &font, box, &format,
                 i == kDisabled ? static_cast<Gdiplus::Brush*>(&grey) : m_textBrush.get());
  }
}

void MenuItem::DrawControl(HDC& hdc, CRect) {
  const int w = m_rcControl.Width(), h = m_rcControl.Height();
  if (w <= 0 || h <= 0) return;
  if (!m_bUpdate || !m_hMemDC) BuildFrames(hdc, w, h);
  if (m_hMemDC)
    ::BitBlt(hdc, m_rcControl.left, m_rcControl.top, w, h, m_hMemDC, m_nState * w, 0, SRCCOPY);
}
