#include "controls/MComboBox.h"
#include <algorithm>
#include "controls/DrawHelpers.h"
#include "core/CComboBoxWnd.h"
#include "core/MRender.h"
#include "core/PaintManager.h"

using namespace qiv_paint;

MComboBox::MComboBox(MObject* parent, unsigned id, CRect rect, int visible, int enabled)
    : MControlFont(parent, id, rect, L"", visible, enabled, 1) {
  m_imageCount = 4;
  ResetTextRect();
}

MComboBox::~MComboBox() { CloseDropDown(); }

const wchar_t* MComboBox::GetClassNameW() const { return L"MComboBox"; }

void MComboBox::CloseDropDown() {
  if (!m_dropDown) return;
  // Cut the window off first: its destruction then reports code 22 to nobody.
  m_dropDown->SetParent(nullptr);
  m_dropDown->DestroyWindow();
  m_dropDown.reset();
}

void MComboBox::Repaint(int redraw) {
  if (m_bVisible && m_pParent) m_pParent->OnControlUpdate(m_rcControl, redraw, this);
}

void MComboBox::ResetTextRect() {
  if (m_rcControl.IsRectEmpty()) return;
  m_rcText = CRect(4, 2, m_rcControl.Width() - 30, m_rcControl.Height() - 2);
}

CRect MComboBox::DropDownRect(CPoint screenTopLeft, int faceWidth, int itemCount) {
  const int rows = std::clamp(itemCount, 0, static_cast<int>(kMaxShownRows));
  return CRect(screenTopLeft.x, screenTopLeft.y, screenTopLeft.x + faceWidth + 6,
               screenTopLeft.y + rows * static_cast<int>(kRowHeight) + 12);
}

// ---- items ----

int MComboBox::AddItem(const wchar_t* text, long data, const wchar_t* iconFile, Gdiplus::Color colour) {
  return InsertItem(-1, text, data, iconFile, colour);
}

int MComboBox::InsertItem(int index, const wchar_t* text, long data, const wchar_t* iconFile,
                          Gdiplus::Color colour) {
  auto item = std::make_unique<ComboItem>();
  item->text = text;
  item->iconFile = iconFile;
  item->colour = colour.GetValue();
  item->data = data;
  CriticalSectionLock lock(m_itemLock);
  const int count = static_cast<int>(m_items.size());
  if (index < -1 || index > count - 1) return -1;
  if (index == -1 || count == 0) m_items.push_back(std::move(item));
  else m_items.insert(m_items.begin() + index, std::move(item));
  return static_cast<int>(m_items.size()) - 1;
}

int MComboBox::SetItemData(int index, long data) {
  CriticalSectionLock lock(m_itemLock);
  if (!ValidIndex(index)) return 0;
  m_items[index]->data = data;
  return 1;
}

long MComboBox::GetItemData(int index) {
  CriticalSectionLock lock(m_itemLock);
  return ValidIndex(index) ? m_items[index]->data : 0;
}

int MComboBox::SetItemText(int index, CString text) {
  {
    CriticalSectionLock lock(m_itemLock);
    if (!ValidIndex(index)) return 0;
    if (m_items[index]->text == text) return 1;
    m_items[index]->text = text;
    if (index == m_selected) m_title = text;
  }
  Repaint(1);
  return 1;
}

CString MComboBox::GetItemText(int index) {
  CriticalSectionLock lock(m_itemLock);
  return ValidIndex(index) ? m_items[index]->text : CString();
}

int MComboBox::GetItemCount() {
  CriticalSectionLock lock(m_itemLock);
  return static_cast<int>(m_items.size());
}

int MComboBox::SetCurSel(int index) {
  {
    CriticalSectionLock lock(m_itemLock);
    if (index < -1 || index >= static_cast<int>(m_items.size())) return 0;
    m_selected = index;
    m_title = index == -1 ? CString() : m_items[index]->text;
  }
  Repaint(1);
  return 1;
}

long MComboBox::GetCurData() {
  CriticalSectionLock lock(m_itemLock);
  // A deletion may have left the selected index past the end: that reads as none.
  return ValidIndex(m_selected) ? m_items[m_selected]->data : 0;
}

int MComboBox::FindData(long data) {
  CriticalSectionLock lock(m_itemLock);
  for (size_t i = 0; i < m_items.size(); ++i)
    if (m_items[i]->data == data) return static_cast<int>(i);
  return -1;
}

int MComboBox::SelectData(long data) {
  const int index = FindData(data);
  if (index < 0) return 0;
  SetCurSel(index);
  return 1;
}

int MComboBox::DeleteItem(int index) {
  CriticalSectionLock lock(m_itemLock);
  if (index < -1 || index > static_cast<int>(m_items.size()) - 1) return 0;
  if (index >= 0) m_items.erase(m_items.begin() + index);
  return 1;
}

int MComboBox::DelAllItems() {
  {
    CriticalSectionLock lock(m_itemLock);
    m_selected = -1;
    m_title.Empty();
    m_items.clear();
  }
  Repaint(1);
  return 1;
}

int MComboBox::SetBackImage(const wchar_t* file) {
  m_backFile = file;
  return 1;
}

int MComboBox::SetBackImage(unsigned resourceId, CString type) {
  m_backResId = resourceId;
  m_backResType = type;
  return 1;
}

void MComboBox::SetScrollResID(unsigned vertical, unsigned horizontal) {
  m_scrollVID = vertical;
  m_scrollHID = horizontal;
}

int MComboBox::SetShowModeMID(int left, int top, int right, int bottom) {
  m_midLeft = left;
  m_midTop = top;
  m_midRight = right;
  m_midBottom = bottom;
  Repaint(1);
  return 1;
}

// ---- face ----

void MComboBox::SetControlRect(CRect rect) {
  m_rcControl = rect;
  ResetTextRect();
}

void MComboBox::SetControlEnabled(int enabled) {
  if ((enabled != 0) == (m_bEnabled != 0)) return;
  m_bEnabled = enabled;
  m_state = enabled ? 0 : 3;
  Repaint(0);
}

int MComboBox::OnControlMouseMove(unsigned, CPoint point) {
  if (!m_bEnabled || m_state == 2) return 0;
  const int state = m_rcControl.PtInRect(point) ? 1 : 0;
  if (state == m_state) return 0;
  m_state = state;
  Repaint(0);
  return 1;
}

int MComboBox::OnControlLButtonDown(unsigned, CPoint point) {
  if (!m_bEnabled || !m_rcControl.PtInRect(point) || m_state == 2) return 0;
  m_state = 2;
  m_bOpen = false;
  Repaint(0);
  return 1;
}

int MComboBox::OnControlLButtonUp(unsigned, CPoint point) {
  if (!m_bEnabled) return 0;
  const bool inside = m_rcControl.PtInRect(point) != 0;
  const int state = inside ? 1 : 0;
  const bool changed = state != m_state;
  m_state = state;
  if (inside) OnMessage(kOpenId, NOTIFY_CLICK, 0, 0);
  if (!changed) return 0;
  Repaint(0);
  return 1;
}

long MComboBox::OnMessage(unsigned id, unsigned code, unsigned wParam, long lParam) {
  if (code == NOTIFY_CLICK && id == kOpenId) {
    OpenDropDown();
  } else if (code == NOTIFY_CLICK) {
    if (lParam != kRowChosen) return 0;
    const int row = static_cast<int>(wParam);
    SetCurSel(row);
    if (m_pParent) m_pParent->OnBaseMessage(m_uID, NOTIFY_CLICK, wParam, 0);
    m_bOpen = false;
    Repaint(0);
  } else if (code == NOTIFY_DROPDOWN_CLOSED) {
    m_bOpen = false;
    Repaint(0);
  }
  return 0;
}

void MComboBox::OpenDropDown() {
  POINT at = {m_rcControl.left - 3, m_rcControl.bottom + 2};
  const HWND host = m_pManager ? m_pManager->GetPaintWnd() : nullptr;
  if (host) ::ClientToScreen(host, &at);
  const CRect rect = DropDownRect(at, m_rcControl.Width(), GetItemCount());

  CloseDropDown();
  m_dropDown = std::make_unique<CComboBoxWnd>();
  m_dropDown->SetScrollResID(m_scrollVID, m_scrollHID);
  m_dropDown->SetParent(this);
  m_dropDown->Create(host, L"ComboWnd", 0x96020000, WS_EX_TOOLWINDOW, rect, nullptr);
  if (!m_backFile.IsEmpty()) m_dropDown->LoadBKImage(m_backFile);
  else if (m_backResId) m_dropDown->LoadBKImage(m_backResId, m_backResType);

  CriticalSectionLock lock(m_itemLock);
  if (CComboBoxList* list = m_dropDown->GetList()) {
    for (const auto& item : m_items)
      list->AddItem(item->text, item->data, item->iconFile, Gdiplus::Color(item->colour));
    list->UpdateControl(1, 0);
    list->SetTextColor(m_textColor);
  }
  m_dropDown->ShowWindow(SW_SHOW);
  m_bOpen = true;
  Repaint(0);
}

void MComboBox::DrawControl(HDC& hdc, CRect) {
  const int w = m_rcControl.Width(), h = m_rcControl.Height();
  if (w <= 0 || h <= 0) return;
  if (!m_bUpdate || !m_hMemDC) {
    UpdateMemDC(hdc, 4 * w, h);
    Gdiplus::Graphics g(m_hMemDC);
    for (int i = 0; i < 4; ++i) {
      Copy(m_hMemDC, i * w, 0, w, h, hdc, m_rcControl.left, m_rcControl.top);
      if (m_pImage)
        MRender::DrawImageFrameMID(g, m_pImage, CRect(i * w, 0, (i + 1) * w, h), i * m_frameWidth, 0, m_frameWidth,
                                   m_frameHeight, 6, 6, 36, 6);
    }
    if (!m_title.IsEmpty()) {
      g.SetTextRenderingHint(Gdiplus::TextRenderingHintAntiAliasGridFit);
      g.SetSmoothingMode(Gdiplus::SmoothingModeHighQuality);
      auto font = ControlFont(*this);
      Gdiplus::StringFormat format;
      SetFormat(format, Gdiplus::StringAlignmentNear, Gdiplus::StringAlignmentCenter);
      for (int i = 0; i < 4; ++i) {
        const Gdiplus::Color colour = i == 3 ? Gdiplus::Color(0xFF808080) : m_textColor;
        Text(g, m_title, *font, RectF(i * w + m_rcText.left, 0, m_rcText.Width(), h), format, colour);
      }
    }
  }
  const int frame = m_bOpen ? 2 : std::clamp(m_state, 0, 3);
  Copy(hdc, m_rcControl.left, m_rcControl.top, w, h, m_hMemDC, frame * w, 0);
}
