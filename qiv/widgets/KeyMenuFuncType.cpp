#include "widgets/KeyMenuFuncType.h"
#include "core/PaintManager.h"
#include "widgets/KeyFuncGrid.h"

KeyMenuFuncType::KeyMenuFuncType(MObject* parent, unsigned id, CRect rect, int visible, int)
    : MControlFont(parent, id, rect, L"", visible, 1, 1) {}

KeyMenuFuncType::~KeyMenuFuncType() = default;
const wchar_t* KeyMenuFuncType::GetClassNameW() const { return L"KeyMenuFuncType"; }

void KeyMenuFuncType::AddItem(CString text, CString description, int data, CString iconFile) {
  auto row = std::make_unique<MENUFUNCITEM_INFO>();
  row->text = text;
  row->description = description;
  row->data = data;
  row->icon = LoadSkinIcon(iconFile, row->iconWidth, row->iconHeight);
  CriticalSectionLock guard(m_lock);
  m_rows.push_back(std::move(row));
}

void KeyMenuFuncType::ClearList() {
  {
    CriticalSectionLock guard(m_lock);
    m_rows.clear();
    m_hovered = m_selected = -1;
  }
  Repaint();
}

void KeyMenuFuncType::SetCurData(int data) {
  {
    CriticalSectionLock guard(m_lock);
    for (size_t i = 0; i < m_rows.size(); ++i) {
      if (m_rows[i]->data == data) {
        m_selected = static_cast<int>(i);
        break;
      }
    }
  }
  Repaint();
}

int KeyMenuFuncType::GetItemData(int index) {
  CriticalSectionLock guard(m_lock);
  return IsRow(index) ? m_rows[static_cast<size_t>(index)]->data : 0;
}

int KeyMenuFuncType::GetCurData() { return GetItemData(GetSelectItem()); }

void KeyMenuFuncType::SetSelectItem(int index) {
  if (index == m_selected) return;
  m_selected = index;
  Repaint();
}

int KeyMenuFuncType::GetSelectItem() {
  CriticalSectionLock guard(m_lock);
  return IsRow(m_selected) ? m_selected : -1;
}

int KeyMenuFuncType::SetItemText(int index, CString text) {
  CriticalSectionLock guard(m_lock);
  if (!IsRow(index)) return 0;
  m_rows[static_cast<size_t>(index)]->text = text;
  return 1;
}

CString KeyMenuFuncType::GetItemText(int index) {
  CriticalSectionLock guard(m_lock);
  return IsRow(index) ? m_rows[static_cast<size_t>(index)]->text : CString();
}

int KeyMenuFuncType::GetItemCount() {
  CriticalSectionLock guard(m_lock);
  return static_cast<int>(m_rows.size());
}

void KeyMenuFuncType::SetControlRect(CRect rect) { m_rcControl = rect; }

void KeyMenuFuncType::DrawControl(HDC& hdc, CRect) {
  const int w = m_rcControl.Width(), h = m_rcControl.Height();
  if (w <= 0 || h <= 0) return;
  if (!m_bUpdate || !m_hMemDC) {
    UpdateMemDC(hdc, w, h);
    ::BitBlt(m_hMemDC, 0, 0, w, h, hdc, m_rcControl.left, m_rcControl.top, SRCCOPY);
    Gdiplus::Graphics g(m_hMemDC);
    g.SetTextRenderingHint(m_textRenderingHint);
    Gdiplus::FontFamily* family = m_pManager ? m_pManager->FindTempFont(m_fontName) : nullptr;
    std::unique_ptr<Gdiplus::Font> titleFont, textFont;
    if (family) {
      titleFont = std::make_unique<Gdiplus::Font>(family, 16.0f, m_fontStyle, Gdiplus::UnitPixel);
      textFont = std::make_unique<Gdiplus::Font>(family, 14.0f, m_fontStyle, Gdiplus::UnitPixel);
    }
    Gdiplus::StringFormat format(Gdiplus::StringFormatFlagsNoWrap);
    format.SetAlignment(Gdiplus::StringAlignmentNear);
    format.SetLineAlignment(Gdiplus::StringAlignmentCenter);
    Gdiplus::SolidBrush brush(m_textColor);
    CriticalSectionLock guard(m_lock);
    for (size_t i = 0; i < m_rows.size(); ++i) {
      MENUFUNCITEM_INFO& row = *m_rows[i];
      const int top = static_cast<int>(i) * m_rowHeight;
      row.rect = CRect(0, top, w, top + m_rowHeight);
      const int frame = static_cast<int>(i) == m_selected ? 2 : static_cast<int>(i) == m_hovered ? 1 : 0;
      if (m_pImage && m_frameWidth > 0)
        g.DrawImage(m_pImage, Gdiplus::Rect(0, top, w, m_rowHeight), frame * m_frameWidth, 0, m_frameWidth,
                    m_frameHeight, Gdiplus::UnitPixel);
      if (row.icon)
        g.DrawImage(row.icon.get(), 30, top + (m_rowHeight - row.iconHeight) / 2, row.iconWidth, row.iconHeight);
      if (titleFont)
        g.DrawString(row.text.GetString(), row.text.GetLength(), titleFont.get(),
                     Gdiplus::RectF(80, static_cast<Gdiplus::REAL>(top + 10), 120, 20), &format, &brush);
      if (textFont)
        g.DrawString(row.description.GetString(), row.description.GetLength(), textFont.get(),
                     Gdiplus::RectF(80, static_cast<Gdiplus::REAL>(top + 35), static_cast<Gdiplus::REAL>(w - 80), 20),
                     &format, &brush);
    }
  }
  ::BitBlt(hdc, m_rcControl.left, m_rcControl.top, w, h, m_hMemDC, 0, 0, SRCCOPY);
}

int KeyMenuFuncType::OnControlMouseMove(unsigned, CPoint point) {
  if (!m_bEnabled) return 0;
  const int before = m_hovered;
  {
    CriticalSectionLock guard(m_lock);
    auto holds = [&](int i) {
      CRect r = m_rows[static_cast<size_t>(i)]->rect;
      r.OffsetRect(m_rcControl.left, m_rcControl.top);
      return r.PtInRect(point) != 0;
    };
    if (!m_rcControl.PtInRect(point)) {
      m_hovered = -1;
      ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
    } else if (IsRow(m_hovered) && holds(m_hovered)) {
      ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
      return 0;
    } else {
      m_hovered = -1;
      for (int i = 0; i < static_cast<int>(m_rows.size()) && m_hovered < 0; ++i)
        if (holds(i)) m_hovered = i;
    }
  }
  if (m_hovered != before) Repaint();
  return 1;
}

int KeyMenuFuncType::OnControlLButtonDown(unsigned, CPoint point) {
  if (!m_bEnabled) return 0;
  if (!m_rcControl.PtInRect(point) || m_hovered < 0) return 1;
  m_selected = m_hovered;
  Repaint();
  return 1;
}

int KeyMenuFuncType::OnControlLButtonUp(unsigned, CPoint point) {
  if (!m_bEnabled) return 0;
  int data;
  {
    CriticalSectionLock guard(m_lock);
    if (!m_rcControl.PtInRect(point) || !IsRow(m_hovered)) return 1;
    data = m_rows[static_cast<size_t>(m_hovered)]->data;
  }
  SendMessageW(NOTIFY_CLICK, static_cast<unsigned>(data), 0);
  return 1;
}
