#include "controls/ProfileList.h"
#include <algorithm>
#include "controls/DrawHelpers.h"
#include "controls/ListScrollBar.h"
#include "core/MRender.h"
#include "core/Manager.h"
#include "core/PaintManager.h"

using namespace qiv_paint;

namespace {
std::unique_ptr<Gdiplus::Image> LoadSkin(const CString& file) {
  const CString path = GetSkinsFolder() + file;
  if (file.IsEmpty() || ::GetFileAttributesW(path) == INVALID_FILE_ATTRIBUTES) return nullptr;
  return std::unique_ptr<Gdiplus::Image>(MRender::LoadImageFromFile(path));
}
}  // namespace

ProfileList::ProfileList(MObject* parent, unsigned id, CRect rect, int visible, int)
    : MPanel(parent, id, rect, visible) {}

ProfileList::~ProfileList() = default;

const wchar_t* ProfileList::GetClassNameW() const { return L"ProfileList"; }

// ---- rows ----

void ProfileList::SetItemBkg(CString file) {
  auto image = LoadSkin(file);
  if (!image) return;
  m_rowBack = std::move(image);
  m_backFrameWidth = static_cast<int>(m_rowBack->GetWidth()) / 4;
  m_backFrameHeight = static_cast<int>(m_rowBack->GetHeight());
}

int ProfileList::AddItem(CString name, int data, CString iconFile) {
  auto item = std::make_unique<ProfileListItem>();
  item->name = name;
  item->data = data;
  item->icon = LoadSkin(iconFile);
  if (item->icon) {
    item->iconWidth = static_cast<int>(item->icon->GetWidth());
    item->iconHeight = static_cast<int>(item->icon->GetHeight());
  }
  m_items.push_back(std::move(item));
  UpdateScrollBar(true);
  Repaint();
  return static_cast<int>(m_items.size()) - 1;
}

void ProfileList::UpdateScrollBar(bool toEnd) {
  qiv_list::UpdateBar(m_pScrollV, GetItemCount() * kRowHeight, m_rcControl.Height());
  if (toEnd && m_pScrollV) m_pScrollV->SetScrollFinalPos();
}

void ProfileList::ClearList() {
  {
    CriticalSectionLock lock(m_itemLock);
    m_items.clear();
    m_hovered = m_selected = m_firstVisible = m_lastVisible = m_buttonHover = m_edited = -1;
    m_bitmapTop = 0;
  }
  UpdateScrollBar(true);
  Repaint();
}

void ProfileList::DeleteItem(int index) {
  {
    CriticalSectionLock lock(m_itemLock);
    if (!Valid(index)) return;
    m_hovered = m_selected = -1;
    m_items.erase(m_items.begin() + index);
    m_firstVisible = m_lastVisible = m_buttonHover = m_edited = -1;
  }
  UpdateScrollBar(false);
  Repaint();
}

void ProfileList::SetCurData(int data) {
  {
    CriticalSectionLock lock(m_itemLock);
    for (size_t i = 0; i < m_items.size(); ++i) {
      if (m_items[i]->data == data) {
        m_selected = static_cast<int>(i);
        break;
      }
    }
  }
  Repaint();
}

void ProfileList::SetSelectItem(int index) {
  if (index == m_selected) return;
  m_selected = index;
  Repaint();
}

int ProfileList::GetItemData(int index) {
  CriticalSectionLock lock(m_itemLock);
  return Valid(index) ? m_items[index]->data : 0;
}

int ProfileList::GetCurData() { return GetItemData(m_selected); }

void ProfileList::GetCurValue(int& data, CString& name) {
  CriticalSectionLock lock(m_itemLock);
  if (!Valid(m_selected)) return;
  data = m_items[m_selected]->data;
  name = m_items[m_selected]->name;
}

int ProfileList::SetItemText(int index, CString name) {
  CriticalSectionLock lock(m_itemLock);
  if (!Valid(index)) return 0;
  m_items[index]->name = name;
  return 1;
}

CString ProfileList::GetItemText(int index) {
  CriticalSectionLock lock(m_itemLock);
  return Valid(index) ? m_items[index]->name : CString();
}

void ProfileList::SetScrollPos(int) {
  if (m_pScrollV) {
    m_pScrollV->m_nCurPos = 0;
    m_pScrollV->SetRange();
  }
  Repaint();
}

void ProfileList::SetControlRect(CRect rect) {
  m_rcControl = rect;
  qiv_list::PlaceBar(m_pScrollV, qiv_list::RightStrip(rect, m_scrollThickness));
  qiv_list::PlaceBar(m_pScrollH, qiv_list::BottomStrip(rect, m_scrollThickness));
  UpdateScrollBar(false);
}

long ProfileList::OnMessage(unsigned id, unsigned code, unsigned wParam, long lParam) {
  if ((id == 1 || id == 2) && code == NOTIFY_POSITION) Repaint();
  return m_pParent ? m_pParent->OnBaseMessage(id, code, wParam, lParam) : 0;
}

// ---- drawing ----

CRect ProfileList::RowOnScreen(int index) const {
  CRect r = m_items[index]->rect;
  r.OffsetRect(m_rcControl.left, m_rcControl.top - m_bitmapTop);
  return r;
}

CRect ProfileList::ButtonOnScreen(int index) const {
  CRect row = RowOnScreen(index);
  CRect b = m_rcButton;
  b.OffsetRect(row.left, row.top);
  return b;
}

void ProfileList::DrawControl(HDC& hdc, CRect) {
  const int W = ViewWidth(), H = m_rcControl.Height();
  if (W <= 0 || H <= 0) return;
  CriticalSectionLock lock(m_itemLock);
  const int n = static_cast<int>(m_items.size());
  m_view = ComputeRowView(n, kRowHeight, H, m_pScrollV ? m_pScrollV->m_nCurPos : 0,
                          m_pScrollV ? m_pScrollV->m_nMaxRange : 0);
  m_bitmapTop = m_view.bitmapTop;
  if (n) {
    m_firstVisible = m_view.first;
    m_lastVisible = m_view.last;
  }
  m_rcButton = CRect(W - 30, (kRowHeight - 3) / 2 - 10, W - 10, (kRowHeight - 3) / 2 + 10);
  if (!m_bUpdate || !m_hMemDC || m_memWidth != W || m_memHeight != m_view.bitmapHeight) {
    UpdateMemDC(hdc, W, m_view.bitmapHeight);
    FillWhite(m_hMemDC, W, m_view.bitmapHeight);
    Copy(m_hMemDC, 0, m_bitmapTop, W, m_view.bitmapHeight - m_bitmapTop, hdc, m_rcControl.left, m_rcControl.top);
    if (n) {
      Gdiplus::Graphics g(m_hMemDC);
      g.SetTextRenderingHint(Gdiplus::TextRenderingHintClearTypeGridFit);
      g.SetSmoothingMode(Gdiplus::SmoothingModeHighQuality);
      auto font = ControlFont(*this);
      Gdiplus::StringFormat format;
      SetFormat(format, Gdiplus::StringAlignmentNear, Gdiplus::StringAlignmentCenter);
      Gdiplus::Pen separator(Gdiplus::Color(0xFFB4B4B4), 1.0f);
      for (int i = m_view.first; i <= m_view.last; ++i) {
        const int t = kRowHeight * (i - m_view.first);
        ProfileListItem& row = *m_items[i];
        row.rect = CRect(0, t, W, t + 47);
        const bool edited = i == m_edited, selected = i == m_selected, hovered = i == m_hovered;
        auto back = [&](int frame) {
          if (m_rowBack)
            MRender::DrawImageFrame(g, m_rowBack.get(), CRect(0, t, W - 5, t + 47), frame * m_backFrameWidth, 0,
                                    m_backFrameWidth, m_backFrameHeight, 10);
        };
        if (edited || selected) back(2);
        else if (hovered) back(1);
        if (m_pImage) {
          const int frame = (edited || selected || hovered) && m_buttonHover == 0 && i == m_hovered ? 1 : 0;
          g.DrawImage(m_pImage, Gdiplus::Rect(m_rcButton.left, t + m_rcButton.top, 20, 20), frame * m_frameWidth, 0,
                      m_frameWidth, m_frameHeight, Gdiplus::UnitPixel);
        }
        if (edited) continue;
        g.DrawLine(&separator, 0, t + 47, W - 5, t + 47);
        Text(g, row.name, *font, RectF(5, t, W - 35, 47), format, selected ? Gdiplus::Color(0xFFFFFFFF) : m_textColor);
      }
    }
  }
  Copy(hdc, m_rcControl.left, m_rcControl.top, W, H, m_hMemDC, 0, m_bitmapTop);
}

// ---- mouse ----

int ProfileList::OnControlMouseMove(unsigned, CPoint point) {
  if (!m_bEnabled) return 0;
  CriticalSectionLock lock(m_itemLock);
  if (!m_rcControl.PtInRect(point)) {
    m_hovered = m_buttonHover = -1;
    SetCursorEx(CursorArrow);
    return 1;
  }
  if (Valid(m_hovered) && RowOnScreen(m_hovered).PtInRect(point)) {
    SetCursorEx(CursorHand);
    const int button = ButtonOnScreen(m_hovered).PtInRect(point) ? 0 : -1;
    if (button != m_buttonHover) {
      m_buttonHover = button;
      Repaint();
    }
    return 0;
  }
  const int before = m_hovered;
  m_hovered = m_buttonHover = -1;
  SetCursorEx(CursorArrow);
  if (m_firstVisible >= 0) {
    for (int i = m_firstVisible; i <= m_lastVisible && Valid(i); ++i) {
      if (RowOnScreen(i).PtInRect(point)) {
        m_hovered = i;
        break;
      }
    }
  }
  if (m_hovered != before) Repaint();
  return 1;
}

int ProfileList::OnControlLButtonDown(unsigned, CPoint point) {
  if (!m_bEnabled) return 0;
  if (!m_rcControl.PtInRect(point)) return 1;
  if (!Valid(m_hovered)) {
    HideEdit(1);
    return 1;
  }
  if (m_edited >= 0 && m_edited == m_hovered) {
    m_selected = m_hovered;  // the rename of this row goes on with what was typed
    return 1;
  }
  // A rename of another row ends here and keeps what was typed.
  if (m_edited >= 0) EndEdit(true);
  m_selected = m_hovered;
  Repaint();
  ShowEdit();
  return 1;
}

int ProfileList::OnControlLButtonUp(unsigned, CPoint point) {
  if (!m_bEnabled) return 0;
  if (!m_rcControl.PtInRect(point) || !Valid(m_hovered)) return 1;
  if (!RowOnScreen(m_hovered).PtInRect(point)) {
    m_selected = m_hovered;
    return 1;
  }
  const bool onButton = ButtonOnScreen(m_hovered).PtInRect(point) != 0;
  SendMessageW(onButton ? NOTIFY_ITEM_BUTTON : NOTIFY_CLICK, 0, m_hovered);
  return 1;
}

int ProfileList::OnControlScroll(int, unsigned direction, CPoint) {
  if (GetItemCount() * kRowHeight <= m_rcControl.Height() || !m_pScrollV) return 0;
  if (qiv_list::WheelBar(*m_pScrollV, direction)) Repaint();
  return 1;
}

int ProfileList::SetControlFocus(int focus) {
  if (!m_bEnabled) return 0;
  if (focus) return 1;
  HideEdit(1);
  Repaint();
  return 1;
}

// ---- rename ----

void ProfileList::GetTextRect(CRect& rect) {
  rect.SetRectEmpty();
  if (m_edited < 0 || !Valid(m_selected)) return;
  const CRect row = RowOnScreen(m_selected);
  const int h = row.Height(), s = m_fontSize;
  rect = row;
  rect.left += 5;
  rect.right -= 35;
  if (s == 8) {
    rect.top = row.top + (h - 12) / 2;
    rect.bottom = rect.top + 12;
  } else {
    rect.top = row.top + (h - s - 6) / 2;
    rect.bottom = rect.top + s + 6;
  }
}

void ProfileList::ShowEdit() {
  if (!m_bEnabled || !Valid(m_selected)) return;
  m_edited = m_selected;
  CRect rect;
  GetTextRect(rect);
  m_edit.Open(this, rect, m_items[m_edited]->name, 0xE57749, 0xFFFFFF);
  m_bFocused = 1;
}

void ProfileList::HideEdit(int force) {
  if (m_edited == m_selected && !force) return;
  EndEdit(true);
}

void ProfileList::EndEdit(bool commit) {
  m_bFocused = 0;
  m_edit.Close(commit, [this](const CString& text) {
    if (!Valid(m_edited) || text == m_items[m_edited]->name) return;
    m_items[m_edited]->name = text;
    SendMessageW(NOTIFY_EDIT_END, 0, m_edited);
    Repaint();
  });
  m_edited = -1;
}

void ProfileList::OnEditKey(unsigned key) {
  if (m_edited < 0) return;
  EndEdit(key == VK_RETURN);
  Repaint();
  ReturnFocusToPaintWindow(m_pManager);
}
