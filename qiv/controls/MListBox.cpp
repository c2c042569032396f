#include "controls/MListBox.h"
#include <algorithm>
#include "controls/CEditWindow.h"
#include "controls/DrawHelpers.h"
#include "controls/ListScrollBar.h"
#include "core/MRender.h"
#include "core/Manager.h"
#include "core/PaintManager.h"

using namespace qiv_paint;

MListBox::MListBox(MObject* parent, unsigned id, CRect rect, int visible) : MPanel(parent, id, rect, visible) {
  if (m_pScrollV) m_pScrollV->SetControlVisible(0);
  SetTextColor(Gdiplus::Color(0xFFE6E6E6));
}

MListBox::~MListBox() = default;

const wchar_t* MListBox::GetClassNameW() const { return L"MListBox"; }

int MListBox::PtInRect(CPoint point) {
  CRect inner = m_rcControl;
  inner.right -= m_scrollThickness;
  return m_bVisible && inner.PtInRect(point) ? 1 : 0;
}

int MListBox::ViewWidth() const {
  return m_rcControl.Width() - (m_pScrollV && m_pScrollV->IsVisible() ? m_scrollThickness : 0);
}

// ---- rows ----

int MListBox::AddString(const wchar_t* text, int image) { return InsertString(-1, text, image, 0); }
int MListBox::AddString(const wchar_t* text, long data, int image) { return InsertString(-1, text, image, data); }

int MListBox::InsertString(int index, const wchar_t* text, int image, long data) {
  auto item = std::make_unique<ListBoxItem>();
  item->text = text;
  item->image = image;
  item->data = data;
  const int count = static_cast<int>(m_items.size());
  if (index < -1 || index > count - 1) return -1;
  if (index == -1 || count == 0) {
    m_items.push_back(std::move(item));
  } else {
    m_items.insert(m_items.begin() + index, std::move(item));
    // A rename in progress keeps its row.
    if (m_edited >= index) ++m_edited;
  }
  UpdateScrollBar();
  Repaint();
  return static_cast<int>(m_items.size()) - 1;
}

int MListBox::SetItemData(int index, long data) {
  CriticalSectionLock lock(m_itemLock);
  if (!Valid(index)) return 0;
  m_items[index]->data = data;
  return 1;
}

long MListBox::GetItemData(int index) {
  CriticalSectionLock lock(m_itemLock);
  return Valid(index) ? m_items[index]->data : 0;
}

int MListBox::ModifyItemString(int index, const wchar_t* text) {
  CriticalSectionLock lock(m_itemLock);
  if (!Valid(index)) return 0;
  m_items[index]->text = text;
  return 1;
}

CString MListBox::GetItemText(int index) {
  CriticalSectionLock lock(m_itemLock);
  return Valid(index) ? m_items[index]->text : CString();
}

int MListBox::FindString(const wchar_t* text) {
  if (!text) return -1;
  CriticalSectionLock lock(m_itemLock);
  for (size_t i = 0; i < m_items.size(); ++i)
    if (m_items[i]->text == text) return static_cast<int>(i);
  return -1;
}

int MListBox::FindItemData(long data) {
  CriticalSectionLock lock(m_itemLock);
  for (size_t i = 0; i < m_items.size(); ++i)
    if (m_items[i]->data == data) return static_cast<int>(i);
  return -1;
}

int MListBox::SetCurData(long data) {
  const int index = FindItemData(data);
  if (index >= 0) SetCurSel(index);
  return index;
}

int MListBox::GetCurData() {
  CriticalSectionLock lock(m_itemLock);
  return Valid(m_selected) ? static_cast<int>(m_items[m_selected]->data) : 0;
}

int MListBox::SetCurSel(int index) {
  if (index < -1 || index >= GetItemCount()) return 0;
  if (index == m_selected) return 1;
  m_selected = index;
  Repaint();
  return 1;
}

int MListBox::GetItemCount() {
  CriticalSectionLock lock(m_itemLock);
  return static_cast<int>(m_items.size());
}

int MListBox::DeleteItem(int index) {
  {
    CriticalSectionLock lock(m_itemLock);
    if (!Valid(index)) return 0;
    m_hovered = m_selected = -1;
    m_items.erase(m_items.begin() + index);
    m_firstVisible = m_lastVisible = -1;
    // A rename in progress keeps its row, or writes nothing when its row is gone.
    if (m_edited == index) m_edited = -1;
    else if (m_edited > index) --m_edited;
  }
  UpdateScrollBar();
  Repaint();
  return 1;
}

int MListBox::DeleteAllItems() {
  {
    CriticalSectionLock lock(m_itemLock);
    m_items.clear();
    m_hovered = m_selected = m_edited = -1;
    m_firstVisible = m_lastVisible = -1;
  }
  if (m_pScrollV) {
    if (m_pScrollV->IsVisible()) {
      m_pScrollV->SetControlVisible(0);
      m_pScrollV->UpdateControl(1, 1);
    }
    m_pScrollV->SetScrollMaxRange(0);
  }
  Repaint();
  return 1;
}

void MListBox::SwapItem(int a, int b) {
  if (!Valid(a) || !Valid(b) || a == b) return;
  std::swap(m_items[a], m_items[b]);
}

CRect MListBox::GetItemRect(int) { return CRect(); }

int MListBox::SetImage(const wchar_t* file, int frames) {
  if (frames < 1) return 0;
  std::unique_ptr<Gdiplus::Image> image(MRender::LoadImageFromFile(GetSkinsFolder() + file));
  if (!image) return 0;
  m_rowImage = std::move(image);
  m_pImage = m_rowImage.get();
  m_imageCount = frames;
  m_frameWidth = static_cast<int>(m_rowImage->GetWidth()) / frames;
  m_frameHeight = static_cast<int>(m_rowImage->GetHeight());
  Repaint();
  return 1;
}

int MListBox::SetEditImage(const wchar_t* file, int) {
  std::unique_ptr<Gdiplus::Image> image(MRender::LoadImageFromFile(GetSkinsFolder() + file));
  if (!image) return 0;
  m_editImage = std::move(image);
  m_editFrameWidth = static_cast<int>(m_editImage->GetWidth()) / 4;
  m_editFrameHeight = static_cast<int>(m_editImage->GetHeight());
  Repaint();
  return 1;
}

int MListBox::SetImageList(MImageList* list) {
  m_imageList = list;
  return 1;
}

void MListBox::UpdateScrollBar() { qiv_list::UpdateBar(m_pScrollV, GetItemCount() * m_rowHeight, m_rcControl.Height()); }

void MListBox::SetControlRect(CRect rect) {
  m_rcControl = rect;
  qiv_list::PlaceBar(m_pScrollV, qiv_list::RightStrip(rect, m_scrollThickness));
  qiv_list::PlaceBar(m_pScrollH, qiv_list::BottomStrip(rect, m_scrollThickness));
  UpdateScrollBar();
}

long MListBox::OnMessage(unsigned id, unsigned code, unsigned wParam, long lParam) {
  if ((id == 1 || id == 2) && code == NOTIFY_POSITION) Repaint();
  return m_pParent ? m_pParent->OnBaseMessage(id, code, wParam, lParam) : 0;
}

// ---- drawing ----

CRect MListBox::RowOnScreen(int index) const {
  CRect r = m_items[index]->rect;
  r.OffsetRect(m_rcControl.left, m_rcControl.top - m_bitmapTop);
  return r;
}

void MListBox::DrawControl(HDC& hdc, CRect) {
  const int W = ViewWidth(), H = m_rcControl.Height(), h = m_rowHeight;
  if (W <= 0 || H <= 0) return;
  CriticalSectionLock lock(m_itemLock);
  const int n = static_cast<int>(m_items.size());
  m_view = ComputeRowView(n, h, H, m_pScrollV ? m_pScrollV->m_nCurPos : 0, m_pScrollV ? m_pScrollV->m_nMaxRange : 0);
  m_bitmapTop = m_view.bitmapTop;
  if (n) {
    m_firstVisible = m_view.first;
    m_lastVisible = m_view.last;
  }
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
      const int picX = (m_textMargin - m_frameWidth) / 2, picY = (h - m_frameHeight) / 2;
      auto background = [&](int k, Gdiplus::Color fill, Gdiplus::Color outline) {
        MRender::DrawRoundRectange(g, 3.0f, static_cast<float>(k * h + 3), static_cast<float>(W - 6),
                                   static_cast<float>(h - 6), 6.0f, outline, 1.0f, fill);
      };
      for (int i = m_view.first; i <= m_view.last; ++i) {
        const int k = i - m_view.first;
        ListBoxItem& row = *m_items[i];
        row.rect = CRect(0, k * h, W, (k + 1) * h);
        const bool edited = m_bShowEdit && i == m_edited;
        if (edited || (i == m_selected && i != m_hovered)) background(k, Manager::m_down_color, Manager::m_normal_color);
        else if (i == m_hovered) background(k, Manager::m_hover_color, Manager::m_hover_color);
        if (m_pImage)
          g.DrawImage(m_pImage, Gdiplus::Rect(picX, k * h + picY, m_frameWidth, m_frameHeight),
                      i == m_selected ? m_frameWidth : 0, 0, m_frameWidth, m_frameHeight, Gdiplus::UnitPixel);
        if (!edited) Text(g, row.text, *font, RectF(m_textMargin, k * h, W - m_textMargin, h), format, m_textColor);
      }
    }
  }
  Copy(hdc, m_rcControl.left, m_rcControl.top, W, H, m_hMemDC, 0, m_bitmapTop);
}

HBITMAP MListBox::GetControlDropBitmap() {
  if (!m_bEnabled || !m_pManager) return nullptr;
  CriticalSectionLock lock(m_itemLock);
  if (!Valid(m_hovered)) return nullptr;
  m_selected = m_hovered;
  auto font = ControlFont(*this, m_fontSize + 2);
  Gdiplus::StringFormat format;
  SetFormat(format, Gdiplus::StringAlignmentNear, Gdiplus::StringAlignmentCenter);
  const Gdiplus::Size text = MRender::GetTextBounds(*font, format, m_items[m_hovered]->text);
  CRect row = m_items[m_hovered]->rect;
  row.OffsetRect(0, -m_bitmapTop);
  row.right = row.left + std::min(m_textMargin + static_cast<int>(text.Width) + 10, 300);
  return m_pManager->GetDropBitmap(this, row, 0);
}

// ---- mouse ----

int MListBox::OnControlMouseMove(unsigned, CPoint point) {
  CriticalSectionLock lock(m_itemLock);
  if (m_items.empty() || !m_bEnabled || m_firstVisible < 0) return 0;
  int hovered = -1;
  if (m_rcControl.PtInRect(point)) {
    if (Valid(m_hovered) && m_hovered >= m_firstVisible && m_hovered <= m_lastVisible &&
        RowOnScreen(m_hovered).PtInRect(point))
      return 0;
    for (int i = m_firstVisible; i <= m_lastVisible && i < static_cast<int>(m_items.size()); ++i) {
      if (RowOnScreen(i).PtInRect(point)) {
        hovered = i;
        break;
      }
    }
  }
  if (hovered != m_hovered) {
    m_hovered = hovered;
    Repaint();
  }
  return 0;
}

int MListBox::OnControlLButtonDown(unsigned, CPoint point) {
  if (!m_bEnabled) return 1;
  if (m_rcControl.PtInRect(point) && Valid(m_hovered)) {
    m_selected = m_hovered;
    SendMessageW(NOTIFY_LBUTTONDOWN, m_selected, 0);
    HideEdit(0);
  }
  Repaint();
  return 1;
}

int MListBox::OnControlLButtonUp(unsigned, CPoint point) {
  if (!m_rcControl.PtInRect(point)) return 1;
  if (Valid(m_hovered)) {
    m_selected = m_hovered;
    SendMessageW(NOTIFY_CLICK, m_selected, 0);
  }
  return 1;
}

int MListBox::OnControlLButtonDblClk(unsigned, CPoint point) {
  if (!m_bEnabled || !m_rcControl.PtInRect(point)) return 0;
  if (!Valid(m_hovered) || m_hovered < m_firstVisible || m_hovered > m_lastVisible ||
      !RowOnScreen(m_hovered).PtInRect(point))
    return 1;
  m_selected = m_hovered;
  SendMessageW(NOTIFY_DBLCLK, m_selected, 0);
  ShowEdit();
  Repaint();
  return 1;
}

int MListBox::OnControlRButtonUp(unsigned, CPoint point) {
  if (!m_bEnabled) return 0;
  const int before = m_selected;
  m_selected = m_hovered;
  if (m_rcControl.PtInRect(point)) SendMessageW(NOTIFY_RBUTTONUP, static_cast<unsigned>(m_selected), 0);
  if (before != m_selected) Repaint();
  return 1;
}

int MListBox::OnControlScroll(int, unsigned direction, CPoint) {
  if (GetItemCount() * m_rowHeight <= m_rcControl.Height() || !m_pScrollV) return 0;
  if (qiv_list::WheelBar(*m_pScrollV, direction)) Repaint();
  return 1;
}

int MListBox::SetControlFocus(int focus) {
  if (!m_bEnabled) return 0;
  if (focus) return 1;
  HideEdit(1);
  Repaint();
  return 1;
}

// ---- rename ----

void MListBox::GetTextRect(CRect& rect) {
  rect.SetRectEmpty();
  if (!Valid(m_edited)) return;
  CRect row = RowOnScreen(m_edited);
  const int s = m_fontSize, t = row.top, h = row.Height();
  rect = row;
  rect.left += 1;
  rect.right -= 10;
  int top, height;
  switch (s) {
    case 8: top = t + (h - s - 4) / 2; height = s + 4; break;
    case 14: top = t + (h - s - 6) / 2 - 1; height = s + 6; break;
    case 16: top = t + (h - s - 8) / 2 - 1; height = s + 8; break;
    default: top = t + (h - s - 6) / 2; height = s + 6; break;
  }
  rect.top = top;
  rect.bottom = top + height;
  if (m_imageList) rect.left += m_textMargin;
}

void MListBox::ShowEdit() {
  if (!m_bShowEdit || !m_bEnabled || !Valid(m_selected)) return;
  m_edited = m_selected;
  CRect rect;
  GetTextRect(rect);
  rect.OffsetRect(5, 2);
  // The colours follow the theme at every opening.
  const COLORREF back = Manager::GetThemeType() == 1 ? 0x53473D : 0xFFFFFF;
  const COLORREF text = m_textColor.ToCOLORREF();
  if (m_edit.window) m_edit.window->SetColors(back, text);
  m_edit.Open(this, rect, m_items[m_edited]->text, back, text);
  m_bFocused = 1;
}

void MListBox::HideEdit(int force) {
  if (!m_bShowEdit || (m_edited == m_selected && !force)) return;
  EndEdit(true);
}

void MListBox::EndEdit(bool commit) {
  m_bFocused = 0;
  m_edit.Close(commit, [this](const CString& text) {
    if (!Valid(m_edited) || text == m_items[m_edited]->text) return;
    m_items[m_edited]->text = text;
    SendMessageW(NOTIFY_EDIT_END, 0, m_edited);
    Repaint();
  });
  m_edited = -1;
}

void MListBox::OnEditKey(unsigned key) {
  if (m_edited < 0) return;
  EndEdit(key == VK_RETURN);
  Repaint();
  ReturnFocusToPaintWindow(m_pManager);
}

void MListBox::DestroyEdit() { m_edit.Destroy(); }
