#include "widgets/KeyLayerCtrl.h"
#include "core/MRender.h"
#include "core/Manager.h"
#include "core/PaintManager.h"

namespace {
constexpr int kFirstTabTop = 35;
constexpr int kTabHeight = 28;
const Gdiplus::Color kPlainTab(0xFFF6F6F6);
}  // namespace

KeyLayerCtrl::KeyLayerCtrl(MObject* parent, unsigned id, CRect rect, int visible, int enabled)
    : MControlFont(parent, id, rect, L"", visible, enabled, 1) {}

KeyLayerCtrl::~KeyLayerCtrl() = default;
const wchar_t* KeyLayerCtrl::GetClassNameW() const { return L"KeyLayerCtrl"; }

void KeyLayerCtrl::AddLayer(CString text, int value) {
  auto tab = std::make_unique<KEYLAYER_INFO>();
  tab->text = text;
  tab->value = value;
  {
    CriticalSectionLock lock(m_lock);
    m_tabs.push_back(std::move(tab));
  }
  Repaint();
}

void KeyLayerCtrl::ClearList() {
  {
    CriticalSectionLock lock(m_lock);
    m_tabs.clear();
  }
  Repaint();
}

int KeyLayerCtrl::GetCurKeyLayer() {
  CriticalSectionLock lock(m_lock);
  const int selected = m_selected;
  if (selected < 0 || selected >= static_cast<int>(m_tabs.size())) return 0;
  return m_tabs[static_cast<size_t>(selected)]->value;
}

void KeyLayerCtrl::SetCurrentLayer(int value) {
  {
    CriticalSectionLock lock(m_lock);
    for (size_t i = 0; i < m_tabs.size(); ++i) {
      if (m_tabs[i]->value == value) {
        m_selected = static_cast<int>(i);
        break;
      }
    }
  }
  Repaint();
}

CRect KeyLayerCtrl::GetTabRect(int index) {
  CriticalSectionLock lock(m_lock);
  if (index < 0 || index >= static_cast<int>(m_tabs.size())) return CRect();
  return m_tabs[static_cast<size_t>(index)]->rect;
}

void KeyLayerCtrl::DrawControl(HDC& hdc, CRect) {
  const int w = m_rcControl.Width(), h = m_rcControl.Height();
  if (w <= 0 || h <= 0) return;
  if (!m_bUpdate || !m_hMemDC) {
    UpdateMemDC(hdc, w, h);
    ::BitBlt(m_hMemDC, 0, 0, w, h, hdc, m_rcControl.left, m_rcControl.top, SRCCOPY);
    Gdiplus::Graphics g(m_hMemDC);
    g.SetTextRenderingHint(Gdiplus::TextRenderingHintClearTypeGridFit);
    g.SetSmoothingMode(Gdiplus::SmoothingModeHighQuality);
    Gdiplus::FontFamily* family = m_pManager ? m_pManager->FindTempFont(m_fontName) : nullptr;
    std::unique_ptr<Gdiplus::Font> font;
    if (family)
      font = std::make_unique<Gdiplus::Font>(family, static_cast<Gdiplus::REAL>(m_fontSize), Gdiplus::FontStyleRegular,
                                             Gdiplus::UnitPixel);
    Gdiplus::StringFormat centred;
    centred.SetAlignment(Gdiplus::StringAlignmentCenter);
    centred.SetLineAlignment(Gdiplus::StringAlignmentCenter);
    Gdiplus::SolidBrush textBrush(m_textColor);
    Gdiplus::SolidBrush white(Gdiplus::Color(0xFFFFFFFF));
    if (font && !m_title.IsEmpty())
      g.DrawString(m_title.GetString(), m_title.GetLength(), font.get(), Gdiplus::RectF(5, 1, 55, 31), &centred,
                   &textBrush);
    CriticalSectionLock lock(m_lock);
    int y = kFirstTabTop;
    for (size_t i = 0; i < m_tabs.size(); ++i) {
      KEYLAYER_INFO& tab = *m_tabs[i];
      tab.rect = CRect(2, y, 60, y + kTabHeight);
      const bool lit = static_cast<int>(i) == m_hovered || static_cast<int>(i) == m_selected;
      const Gdiplus::Color shape = lit ? Manager::m_select_color : kPlainTab;
      MRender::DrawRoundRectange(g, 2.0f, static_cast<float>(y), 58.0f, static_cast<float>(kTabHeight), 6.0f, shape, 1.0f,
                                 true, shape);
      if (font)
        g.DrawString(tab.text.GetString(), tab.text.GetLength(), font.get(),
                     Gdiplus::RectF(2, static_cast<Gdiplus::REAL>(y), 58, static_cast<Gdiplus::REAL>(kTabHeight)),
                     &centred, lit ? &white : &textBrush);
      y += kTabHeight;
    }
  }
  ::BitBlt(hdc, m_rcControl.left, m_rcControl.top, w, h, m_hMemDC, 0, 0, SRCCOPY);
}

int KeyLayerCtrl::OnControlMouseMove(unsigned, CPoint point) {
  if (!m_bEnabled) return 0;
  const int before = m_hovered;
  int hovered = -1;
  if (m_rcControl.PtInRect(point)) {
    CriticalSectionLock lock(m_lock);
    auto holds = [&](int i) {
      CRect r = m_tabs[static_cast<size_t>(i)]->rect;
      r.OffsetRect(m_rcControl.left, m_rcControl.top);
      return !m_tabs[static_cast<size_t>(i)]->rect.IsRectEmpty() && r.PtInRect(point);
    };
    const int count = static_cast<int>(m_tabs.size());
    if (before >= 0 && before < count && holds(before)) return 1;
    for (int i = 0; i < count && hovered < 0; ++i)
      if (holds(i)) hovered = i;
  }
  m_hovered = hovered;
  if (hovered == before) return 0;
  Repaint();
  return 1;
}

int KeyLayerCtrl::OnControlLButtonDown(unsigned, CPoint point) {
  if (!m_bEnabled) return 0;
  if (m_rcControl.PtInRect(point) && m_hovered >= 0 && m_hovered != m_selected) {
    m_selected = m_hovered;
    Repaint();
  }
  return 1;
}

int KeyLayerCtrl::OnControlLButtonUp(unsigned, CPoint point) {
  if (m_bEnabled && m_rcControl.PtInRect(point)) SendMessageW(NOTIFY_CLICK, 0, 0);
  return 1;
}
