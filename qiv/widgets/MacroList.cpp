#include "widgets/MacroList.h"
#include <algorithm>
#include "controls/CEditWindow.h"
#include "controls/MScroll.h"
#include "core/MRender.h"
#include "core/Manager.h"
#include "core/PaintManager.h"
#include "widgets/ListRows.h"

namespace {
constexpr int kTextLeft = 15;
constexpr int kTextRightMargin = 50;
constexpr int kEditLimit = 30;
const Gdiplus::Color kHighlightText(0xFFFFFFFF);
}  // namespace

MacroList::MacroList(MObject* parent, unsigned id, CRect rect, int visible)
    : RowListPanel(parent, id, rect, visible, 40) {
  SetTextColor(Gdiplus::Color(0xFFB8D3EF));
}

MacroList::~MacroList() = default;
const wchar_t* MacroList::GetClassNameW() const { return L"MacroList"; }

int MacroList::PtInRect(CPoint point) {
  CRect r = m_rcControl;
  r.right -= kBarWidth;
  return m_bVisible && r.PtInRect(point) ? 1 : 0;
}

int MacroList::SetImage(const wchar_t* file, int frames) {
  const bool ok = m_strip.Load(file, frames);
  Repaint();
  return ok ? 1 : 0;
}

int MacroList::SetEditImage(const wchar_t* file, int) {
  return m_button.Load(file, 4) ? 1 : 0;
}

// ---- layout ----

void MacroList::SetControlRect(CRect rect) {
  PlaceControlAndHorizontalBar(rect);
  if (m_button.image) {
    const int left = rect.Width() - m_button.frameWidth - 15;
    const int top = (ScaledRowHeight() - m_button.frameHeight) / 2;
    m_buttonRect = CRect(left, top, left + m_button.frameWidth, top + m_button.frameHeight);
  } else {
    m_buttonRect.SetRectEmpty();
  }
  UpdateScrollRange();
}

// ---- rows ----

int MacroList::AddString(const wchar_t* text, int image) { return InsertString(-1, text, image, 0); }
int MacroList::AddString(const wchar_t* text, long data, int image) { return InsertString(-1, text, image, data); }

int MacroList::InsertString(int index, const wchar_t* text, int image, long data) {
  auto row = std::make_unique<MACROITEM_INFO>();
  row->text = text;
  row->image = image;
  row->data = data;
  if (index < -1 || index > GetItemCount() - 1) return -1;
  CloseEditBeforeChange(false);
  int count;
  {
    CriticalSectionLock lock(m_rowLock);
    if (index == -1 || m_rows.empty()) m_rows.push_back(std::move(row));
    else m_rows.insert(m_rows.begin() + index, std::move(row));
    count = static_cast<int>(m_rows.size());
  }
  UpdateScrollRange();
  if (m_pScrollV) m_pScrollV->SetScrollFinalPos();
  Repaint();
  return count - 1;
}

int MacroList::DeleteAllItems() {
  CloseEditBeforeChange(true);
  {
    CriticalSectionLock lock(m_rowLock);
    m_rows.clear();
    m_hovered = m_selected = m_firstVisible = m_lastVisible = -1;
  }
  if (m_pScrollV) {
    m_pScrollV->SetControlVisible(0);
    m_pScrollV->SetScrollMaxRange(0);
  }
  Repaint();
  return 1;
}

int MacroList::ModifyItemString(int index, const wchar_t* text) {
  CriticalSectionLock lock(m_rowLock);
  if (!IsRow(index)) return 0;
  m_rows[static_cast<size_t>(index)]->text = text ? text : L"";
  return 1;
}

int MacroList::SetItemData(int index, long data) {
  CriticalSectionLock lock(m_rowLock);
  if (!IsRow(index)) return 0;
  m_rows[static_cast<size_t>(index)]->data = data;
  return 1;
}

long MacroList::GetItemData(int index) {
  CriticalSectionLock lock(m_rowLock);
  return IsRow(index) ? m_rows[static_cast<size_t>(index)]->data : 0;
}

CString MacroList::GetItemText(int index) {
  CriticalSectionLock lock(m_rowLock);
  return IsRow(index) ? m_rows[static_cast<size_t>(index)]->text : CString();
}

int MacroList::FindString(const wchar_t* text) {
  CriticalSectionLock lock(m_rowLock);
  for (size_t i = 0; i < m_rows.size(); ++i)
    if (m_rows[i]->text == text) return static_cast<int>(i);
  return -1;
}

int MacroList::FindItemData(long data) {
  CriticalSectionLock lock(m_rowLock);
  for (size_t i = 0; i < m_rows.size(); ++i)
    if (m_rows[i]->data == data) return static_cast<int>(i);
  return -1;
}

// ---- selection ----

int MacroList::SetCurData(long data) {
  const int index = FindItemData(data);
  if (index >= 0) SetCurSel(index);
  return index;
}

int MacroList::GetCurData() {
  CriticalSectionLock lock(m_rowLock);
  return IsRow(m_selected) ? static_cast<int>(m_rows[static_cast<size_t>(m_selected)]->data) : 0;
}

// ---- drawing ----

void MacroList::DrawControl(HDC& hdc, CRect) {
  PaintRows(hdc, [&](Gdiplus::Graphics& g, Gdiplus::Font* font, const RowWindow& window, int rowWidth) {
    Gdiplus::SolidBrush white(kHighlightText);
    const int h = ScaledRowHeight();
    for (int i = window.first; i <= window.last; ++i) {
      MACROITEM_INFO& row = *m_rows[static_cast<size_t>(i)];
      const int top = (i - window.first) * m_rowHeight;
      row.rect = CRect(0, top, rowWidth, (i - window.first + 1) * h);
      auto strip = [&](int frame) {
        if (m_strip.image && m_strip.frameWidth > 0)
          g.DrawImage(m_strip.image.get(), Gdiplus::Rect(0, top, rowWidth, h - 1), frame * m_strip.frameWidth, 0,
                      m_strip.frameWidth, m_strip.frameHeight, Gdiplus::UnitPixel);
      };
      Gdiplus::Brush* brush = m_textBrush.get();
      if (m_editAllowed && i == m_edited) {
        strip(1);
        continue;  // the edit covers the text
      }
      if (i == m_selected || i == m_hovered) {
        strip(2);
        brush = &white;
      }
      if (font && brush && !row.text.IsEmpty())
        g.DrawString(row.text.GetString(), row.text.GetLength(), font,
                     Gdiplus::RectF(kTextLeft, static_cast<Gdiplus::REAL>(top),
                                    static_cast<Gdiplus::REAL>(rowWidth - kTextRightMargin),
                                    static_cast<Gdiplus::REAL>(h)),
                     m_format.get(), brush);
    }
  });
}

// ---- mouse ----

int MacroList::OnControlLButtonDown(unsigned, CPoint point) {
  if (!m_bEnabled) return 0;
  if (m_rcControl.PtInRect(point) && m_hovered >= 0) {
    m_selected = m_hovered;
    HideEdit(0);
  }
  Repaint();
  return 1;
}

int MacroList::OnControlLButtonUp(unsigned, CPoint point) {
  if (!m_bEnabled) return 0;
  if (m_rcControl.PtInRect(point) && m_hovered >= 0) {
    bool onButton = false;
    {
      CriticalSectionLock lock(m_rowLock);
      if (IsRow(m_hovered)) {
        m_selected = m_hovered;
        CRect button = m_buttonRect;
        button.OffsetRect(m_rcControl.left, m_rcControl.top - m_bitmapOffset + m_rows[m_hovered]->rect.top);
        onButton = button.PtInRect(point) != 0;
      }
    }
    SendMessageW(onButton ? NOTIFY_ITEM_BUTTON : NOTIFY_CLICK, 0, 0);
  }
  Repaint();
  return 1;
}

int MacroList::OnControlRButtonUp(unsigned, CPoint point) {
  if (!m_bEnabled) return 0;
  const int before = m_selected;
  m_selected = m_hovered;
  if (m_rcControl.PtInRect(point)) SendMessageW(NOTIFY_RBUTTONUP, static_cast<unsigned>(m_selected), 0);
  if (m_selected != before) Repaint();
  return 1;
}

HBITMAP MacroList::GetControlDropBitmap() {
  if (!m_bEnabled || !m_pManager) return nullptr;
  CRect part;
  {
    CriticalSectionLock lock(m_rowLock);
    if (!IsRow(m_hovered)) return nullptr;
    m_selected = m_hovered;
    const MACROITEM_INFO& row = *m_rows[static_cast<size_t>(m_hovered)];
    int textWidth = 0;
    if (Gdiplus::FontFamily* family = m_pManager->FindTempFont(m_fontName)) {
      Gdiplus::Font font(family, static_cast<Gdiplus::REAL>(m_fontSize + 2), m_fontStyle, Gdiplus::UnitPixel);
      textWidth = MRender::GetTextBounds(font, *m_format, row.text).Width;
    }
    part = CRect(row.rect.left, row.rect.top, row.rect.left + std::min(textWidth + 70, 300), row.rect.bottom);
  }
  return m_pManager->GetDropBitmap(this, part, 0);
}

// ---- in-place rename ----

CRect MacroList::EditTextRect(int row) const {
  const CRect r = RowScreenRect(row);
  return EditBox(r.left + kTextLeft, r.right - kTextRightMargin, r.top);
}

void MacroList::ShowEdit() {
  if (!m_editAllowed || !m_bEnabled) return;
  CRect textRect;
  CString text;
  {
    CriticalSectionLock lock(m_rowLock);
    if (!IsRow(m_selected)) return;
    m_edited = m_selected;
    textRect = EditTextRect(m_edited);
    text = m_rows[static_cast<size_t>(m_edited)]->text;
  }
  m_edit.Open(this, textRect, text, 0xFFFFFF, 0x050505, kEditLimit);
  m_bFocused = 1;
}

void MacroList::HideEdit(int force) {
  if (!m_editAllowed) return;
  CloseRowEdit(force, [](MACROITEM_INFO& row, const CString& text) {
    if (text == row.text) return false;
    row.text = text;
    return true;
  });
}
