#include "widgets/MacroList.h"
#include <algorithm>
#include "controls/CEditWindow.h"
#include "controls/MScroll.h"
#include "core/MRender.h"
#include "core/Manager.h"
#include "core/PaintManager.h"
#include "widgets/ListRows.h"

namespace {
constexpr int kBarWidth = 5;
constexpr int kTextLeft = 15;
constexpr int kTextRightMargin = 50;
constexpr int kEditLimit = 30;
const Gdiplus::Color kHighlightText(0xFFFFFFFF);

bool LoadStrip(const wchar_t* file, int frames, std::unique_ptr<Gdiplus::Image>& image, int& frameWidth,
               int& frameHeight) {
  image.reset(MRender::LoadImageFromFile(GetSkinsFolder() + (file ? file : L"")));
  frameWidth = image && frames > 0 ? static_cast<int>(image->GetWidth()) / frames : 0;
  frameHeight = image ? static_cast<int>(image->GetHeight()) : 0;
  return image != nullptr;
}
}  // namespace

MacroList::MacroList(MObject* parent, unsigned id, CRect rect, int visible)
    : MPanel(parent, id, rect, visible), m_format(std::make_unique<Gdiplus::StringFormat>(0x1800)) {
  m_format->SetAlignment(Gdiplus::StringAlignmentNear);
  m_format->SetLineAlignment(Gdiplus::StringAlignmentCenter);
  SetTextColor(Gdiplus::Color(0xFFB8D3EF));
  if (m_pScrollV) m_pScrollV->SetControlVisible(0);
}

MacroList::~MacroList() = default;
const wchar_t* MacroList::GetClassNameW() const { return L"MacroList"; }

int MacroList::PtInRect(CPoint point) {
  CRect r = m_rcControl;
  r.right -= kBarWidth;
  return m_bVisible && r.PtInRect(point) ? 1 : 0;
}

int MacroList::SetImage(const wchar_t* file, int frames) {
  const bool ok = LoadStrip(file, frames, m_strip.image, m_strip.frameWidth, m_strip.frameHeight);
  m_strip.frames = ok ? frames : 0;
  Repaint();
  return ok ? 1 : 0;
}

int MacroList::SetEditImage(const wchar_t* file, int) {
  const bool ok = LoadStrip(file, 4, m_button.image, m_button.frameWidth, m_button.frameHeight);
  m_button.frames = ok ? 4 : 0;
  return ok ? 1 : 0;
}

int MacroList::SetImageList(MImageList* list) {
  m_imageList = list;
  return 1;
}

// ---- layout ----

void MacroList::UpdateScrollRange() {
  CRect bar = m_rcControl;
  bar.left = m_rcControl.right - kBarWidth;
  LayoutListBar(m_pScrollV, bar, ContentHeight(), m_rcControl.Height());
}

void MacroList::SetControlRect(CRect rect) {
  m_rcControl = rect;
  {
    CriticalSectionLock lock(m_controlsLock);
    if (m_pScrollH) {
      const CRect old = m_pScrollH->GetRect();
      const CRect bar(rect.left, rect.bottom - kBarWidth, rect.right, rect.bottom);
      m_pScrollH->SetControlRect(bar);
      if (m_pScrollH->IsVisible()) {
        CRect both;
        both.UnionRect(old, bar);
        OnControlUpdate(both, 1, m_pScrollH);
      }
    }
  }
  if (m_button.image) {
    const int left = rect.Width() - m_button.frameWidth - 15;
    const int top = (ScaledRowHeight() - m_button.frameHeight) / 2;
    m_buttonRect = CRect(left, top, left + m_button.frameWidth, top + m_button.frameHeight);
  } else {
    m_buttonRect.SetRectEmpty();
  }
  UpdateScrollRange();
}

long MacroList::OnMessage(unsigned id, unsigned code, unsigned wParam, long lParam) {
  if ((id == 1 || id == 2) && code == NOTIFY_POSITION) Repaint();
  return m_pParent ? m_pParent->OnBaseMessage(id, code, wParam, lParam) : 0;
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
  CloseEditBeforeChange(-1);
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

void MacroList::CloseEditBeforeChange(int removedRow) {
  if (m_edited < 0) return;
  if (m_edited == removedRow || !IsRow(m_edited)) {
    m_edited = -1;  // the row goes: what was typed goes with it
    m_bFocused = 0;
    m_edit.Hide();
    return;
  }
  HideEdit(1);
}

int MacroList::DeleteItem(int index) {
  if (index < 0 || index >= GetItemCount()) return 0;
  CloseEditBeforeChange(index);
  {
    CriticalSectionLock lock(m_rowLock);
    m_hovered = m_selected = -1;
    m_rows.erase(m_rows.begin() + index);
    m_firstVisible = m_lastVisible = -1;
  }
  UpdateScrollRange();
  Repaint();
  return 1;
}

int MacroList::DeleteAllItems() {
  CloseEditBeforeChange(m_edited);
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

int MacroList::GetItemCount() {
  CriticalSectionLock lock(m_rowLock);
  return static_cast<int>(m_rows.size());
}

void MacroList::SwapItem(int a, int b) {
  const int count = GetItemCount();
  if (a == b || a < 0 || b < 0 || a >= count || b >= count) return;
  CloseEditBeforeChange(-1);
  CriticalSectionLock lock(m_rowLock);
  std::swap(m_rows[static_cast<size_t>(a)], m_rows[static_cast<size_t>(b)]);
}

// ---- selection ----

int MacroList::SetCurSel(int index) {
  if (index < -1 || index >= GetItemCount()) return 0;
  if (index != m_selected) {
    m_selected = index;
    Repaint();
  }
  return 1;
}

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
  const int visibleHeight = m_rcControl.Height();
  const int rowWidth = m_rcControl.Width() - (m_pScrollV && m_pScrollV->IsVisible() ? kBarWidth : 0);
  if (rowWidth <= 0 || visibleHeight <= 0) return;
  CriticalSectionLock lock(m_rowLock);
  const int count = static_cast<int>(m_rows.size());
  const RowWindow window = ComputeRowWindow(count, m_rowHeight, visibleHeight, m_pScrollV ? m_pScrollV->m_nCurPos : 0,
                                            m_pScrollV ? m_pScrollV->m_nMaxRange : 0);
  m_firstVisible = window.first;
  m_lastVisible = window.last;
  m_bitmapOffset = window.bitmapOffset;
  if (!m_bUpdate || !m_hMemDC) {
    UpdateMemDC(hdc, rowWidth, window.bitmapHeight);
    RECT all = {0, 0, rowWidth, window.bitmapHeight};
    ::FillRect(m_hMemDC, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    ::BitBlt(m_hMemDC, 0, window.bitmapOffset, rowWidth, visibleHeight, hdc, m_rcControl.left, m_rcControl.top,
             SRCCOPY);
    if (count > 0) {
      Gdiplus::Graphics g(m_hMemDC);
      g.SetTextRenderingHint(Gdiplus::TextRenderingHintClearTypeGridFit);
      Gdiplus::FontFamily* family = m_pManager ? m_pManager->FindTempFont(m_fontName) : nullptr;
      std::unique_ptr<Gdiplus::Font> font;
      if (family)
        font = std::make_unique<Gdiplus::Font>(family, static_cast<Gdiplus::REAL>(m_fontSize), m_fontStyle,
                                               Gdiplus::UnitPixel);
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
          g.DrawString(row.text.GetString(), row.text.GetLength(), font.get(),
                       Gdiplus::RectF(kTextLeft, static_cast<Gdiplus::REAL>(top),
                                      static_cast<Gdiplus::REAL>(rowWidth - kTextRightMargin),
                                      static_cast<Gdiplus::REAL>(h)),
                       m_format.get(), brush);
      }
    }
  }
  ::BitBlt(hdc, m_rcControl.left, m_rcControl.top, rowWidth, visibleHeight, m_hMemDC, 0, m_bitmapOffset, SRCCOPY);
}

// ---- mouse ----

CRect MacroList::RowScreenRect(int index) const {
  return RowOnScreen(m_rows[static_cast<size_t>(index)]->rect, m_rcControl, m_bitmapOffset);
}

int MacroList::HitRow(CPoint point) const {
  return HitDrawnRow(m_rows, m_firstVisible, m_lastVisible, m_rcControl, m_bitmapOffset, point);
}

int MacroList::OnControlMouseMove(unsigned, CPoint point) {
  if (!m_bEnabled || m_firstVisible < 0 || GetItemCount() == 0) return 0;
  const int before = m_hovered;
  {
    CriticalSectionLock lock(m_rowLock);
    if (m_rcControl.PtInRect(point)) {
      if (IsRow(before) && RowScreenRect(before).PtInRect(point)) return 1;
      m_hovered = HitRow(point);
    } else {
      m_hovered = -1;
    }
  }
  if (m_hovered != before) Repaint();
  return 0;
}

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

int MacroList::OnControlLButtonDblClk(unsigned, CPoint point) {
  if (!m_bEnabled || !m_rcControl.PtInRect(point)) return 0;
  {
    CriticalSectionLock lock(m_rowLock);
    if (!IsRow(m_hovered) || !RowScreenRect(m_hovered).PtInRect(point)) return 1;
    m_selected = m_hovered;
  }
  ShowEdit();
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

int MacroList::OnControlScroll(int, unsigned direction, CPoint) {
  if (ContentHeight() <= m_rcControl.Height()) return 0;
  if (WheelListBar(m_pScrollV, direction)) Repaint();
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

int MacroList::SetControlFocus(int focus) {
  if (!m_bEnabled) return 0;
  m_bFocused = focus;
  if (!focus) {
    HideEdit(1);
    Repaint();
  }
  return 1;
}

CRect MacroList::EditTextRect(int row) const {
  CRect r = RowScreenRect(row);
  r.left += kTextLeft;
  r.right -= kTextRightMargin;
  r.top = r.top + (m_rowHeight - m_fontSize - 6) / 2;
  r.bottom = r.top + m_fontSize + 6;
  return r;
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
  if (!force && m_edited == m_selected) return;
  m_bFocused = 0;
  const int edited = m_edited;
  bool changed = false;
  if (m_edit.Exists() && edited >= 0) {
    const CString text = m_edit.Text();
    CriticalSectionLock lock(m_rowLock);
    if (IsRow(edited) && text != m_rows[static_cast<size_t>(edited)]->text) {
      m_rows[static_cast<size_t>(edited)]->text = text;
      changed = true;
    }
  }
  m_edited = -1;
  m_edit.Hide();
  if (changed) {
    SendMessageW(NOTIFY_EDIT_END, 0, edited);
    Repaint();
  }
}
