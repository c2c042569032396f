#include "widgets/CRecordList.h"
#include <algorithm>
#include "controls/CEditWindow.h"
#include "controls/MScroll.h"
#include "core/MRender.h"
#include "core/Manager.h"
#include "core/PaintManager.h"
#include "widgets/ListRows.h"

namespace {
constexpr int kBarWidth = 5;
constexpr int kTimeLeft = 220;
constexpr int kTimeWidth = 100;

Gdiplus::RectF Box(int x, int y, int w, int h) {
  return Gdiplus::RectF(static_cast<Gdiplus::REAL>(x), static_cast<Gdiplus::REAL>(y), static_cast<Gdiplus::REAL>(w),
                        static_cast<Gdiplus::REAL>(h));
}
}  // namespace

CRecordList::CRecordList(MObject* parent, unsigned id, CRect rect, int visible)
    : MPanel(parent, id, rect, visible), m_format(std::make_unique<Gdiplus::StringFormat>(0x1800)) {
  m_format->SetAlignment(Gdiplus::StringAlignmentNear);
  m_format->SetLineAlignment(Gdiplus::StringAlignmentCenter);
  if (m_pScrollV) m_pScrollV->SetControlVisible(0);
}

CRecordList::~CRecordList() = default;
const wchar_t* CRecordList::GetClassNameW() const { return L"CRecordList"; }

int CRecordList::LoadStrip(Strip& strip, const wchar_t* file, int frames) {
  strip.image.reset(MRender::LoadImageFromFile(GetSkinsFolder() + (file ? file : L"")));
  strip.frameWidth = strip.image && frames > 0 ? static_cast<int>(strip.image->GetWidth()) / frames : 0;
  strip.frameHeight = strip.image ? static_cast<int>(strip.image->GetHeight()) : 0;
  return strip.image ? 1 : 0;
}

int CRecordList::SetImage(const wchar_t* file, int frames) {
  const int ok = LoadStrip(m_icons, file, frames);
  Repaint();
  return ok;
}

int CRecordList::SetItemImage(const wchar_t* file, int frames) { return LoadStrip(m_rowStrip, file, frames); }
int CRecordList::SetMoreImage(const wchar_t* file, int frames) { return LoadStrip(m_more, file, frames); }

int CRecordList::SetImageList(MImageList* list) {
  m_imageList = list;
  return 1;
}

// ---- layout ----

void CRecordList::UpdateScrollRange() {
  CRect bar = m_rcControl;
  bar.left = m_rcControl.right - kBarWidth;
  LayoutListBar(m_pScrollV, bar, GetItemCount() * m_rowHeight, m_rcControl.Height());
}

void CRecordList::SetControlRect(CRect rect) {
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
  const int h = ScaledRowHeight();
  const int moreLeft = rect.Width() - m_more.frameWidth - 15, moreTop = (h - m_more.frameHeight) / 2;
  m_moreRect = CRect(moreLeft, moreTop, moreLeft + m_more.frameWidth, moreTop + m_more.frameHeight);
  const int iconLeft = static_cast<int>(m_scale * 70), iconTop = (h - m_icons.frameHeight) / 2;
  m_iconRect = CRect(iconLeft, iconTop, iconLeft + m_icons.frameWidth, iconTop + m_icons.frameHeight);
  UpdateScrollRange();
}

long CRecordList::OnMessage(unsigned id, unsigned code, unsigned wParam, long lParam) {
  if ((id == 1 || id == 2) && code == NOTIFY_POSITION) Repaint();
  return m_pParent ? m_pParent->OnBaseMessage(id, code, wParam, lParam) : 0;
}

// ---- records ----

void CRecordList::CloseEditBeforeChange(bool editedRowGoes) {
  if (m_edited < 0) return;
  if (editedRowGoes || !IsRow(m_edited)) {
    m_edited = -1;  // the row goes: what was typed goes with it
    m_bFocused = 0;
    m_edit.Hide();
    return;
  }
  HideEdit(1);
}

int CRecordList::AddString(CString text, int type, int key, int time) {
  CloseEditBeforeChange(false);
  auto row = std::make_unique<RecordItem>();
  row->text = text;
  row->type = type;
  row->key = key;
  row->time = time;
  int index;
  {
    CriticalSectionLock lock(m_rowLock);
    m_rows.push_back(std::move(row));
    index = static_cast<int>(m_rows.size()) - 1;
  }
  UpdateScrollRange();
  if (m_pScrollV) m_pScrollV->SetScrollFinalPos();
  Repaint();
  return index;
}

int CRecordList::InsertString(int index, CString text, int type, int key, int time) {
  if (index < -1 || index > GetItemCount() - 1) return -1;
  CloseEditBeforeChange(false);
  auto row = std::make_unique<RecordItem>();
  row->text = text;
  row->type = type;
  row->key = key;
  row->time = time;
  int count;
  {
    CriticalSectionLock lock(m_rowLock);
    if (index == -1 || m_rows.empty()) m_rows.push_back(std::move(row));
    else m_rows.insert(m_rows.begin() + index, std::move(row));
    count = static_cast<int>(m_rows.size());
    m_markedStamp = 0;
  }
  UpdateScrollRange();
  Repaint();
  return count - 1;
}

bool CRecordList::UpdateDelayTime(int time) {
  {
    CriticalSectionLock lock(m_rowLock);
    if (m_rows.empty()) return false;
    m_rows.back()->time = time;
  }
  Repaint();
  return true;
}

void CRecordList::UpdateTimeStamp(int type, int key, int time) {
  CriticalSectionLock lock(m_rowLock);
  for (auto it = m_rows.rbegin(); it != m_rows.rend(); ++it) {
    RecordItem& row = **it;
    if (row.type == type && row.key == key) {
      row.time = time;
      continue;
    }
    const bool pressOfRelease = (type == 3 && row.type == 2) || (type == 5 && row.type == 4);
    if (pressOfRelease && row.key == key) {
      row.time = time;
      break;
    }
  }
}

int CRecordList::GetItemCount() {
  CriticalSectionLock lock(m_rowLock);
  return static_cast<int>(m_rows.size());
}

int CRecordList::GetEventCount() {
  CriticalSectionLock lock(m_rowLock);
  return static_cast<int>(std::count_if(m_rows.begin(), m_rows.end(), [](const auto& r) { return r->type != 1; }));
}

int CRecordList::GetRecrodTimeStamp(int index) {
  CriticalSectionLock lock(m_rowLock);
  return IsRow(index) ? m_rows[static_cast<size_t>(index)]->time : 0;
}

void CRecordList::GetRecordInfo(int index, CString& text, int& type, int& key, int& time) {
  CriticalSectionLock lock(m_rowLock);
  if (!IsRow(index)) return;
  const RecordItem& row = *m_rows[static_cast<size_t>(index)];
  text = row.text;
  type = row.type;
  key = row.key;
  time = row.time;
}

void CRecordList::SetRecordInfo(int index, CString text, int type, int key, int time) {
  {
    CriticalSectionLock lock(m_rowLock);
    if (!IsRow(index)) return;
    RecordItem& row = *m_rows[static_cast<size_t>(index)];
    row.text = text;
    row.type = type;
    row.key = key;
    row.time = time;
  }
  Repaint();
}

void CRecordList::SetRecordInfo(int stamp, int type, CString text, int key) {
  {
    CriticalSectionLock lock(m_rowLock);
    for (auto& row : m_rows) {
      if (row->time != stamp || row->type != type) continue;
      row->text = text;
      row->key = key;
    }
  }
  Repaint();
}

void CRecordList::DeleteTimeStamp(int stamp) {
  bool editedGoes;
  {
    CriticalSectionLock lock(m_rowLock);
    editedGoes = IsRow(m_edited) && m_rows[static_cast<size_t>(m_edited)]->time == stamp;
  }
  CloseEditBeforeChange(editedGoes);
  {
    CriticalSectionLock lock(m_rowLock);
    m_hovered = m_selected = -1;
    for (size_t i = m_rows.size(); i-- > 0;)
      if (m_rows[i]->time == stamp) m_rows.erase(m_rows.begin() + static_cast<std::ptrdiff_t>(i));
    m_firstVisible = m_lastVisible = -1;
  }
  UpdateScrollRange();
  Repaint();
}

int CRecordList::DeleteItem(int index) {
  if (index < 0 || index >= GetItemCount()) return 0;
  CloseEditBeforeChange(index == m_edited);
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

int CRecordList::DeleteAllItems() {
  CloseEditBeforeChange(true);
  {
    CriticalSectionLock lock(m_rowLock);
    m_rows.clear();
    m_hovered = m_selected = m_firstVisible = m_lastVisible = -1;
  }
  UpdateScrollRange();
  Repaint();
  return 1;
}

void CRecordList::SwapItem(int a, int b) {
  const int count = GetItemCount();
  if (a == b || a < 0 || b < 0 || a >= count || b >= count) return;
  CloseEditBeforeChange(false);
  CriticalSectionLock lock(m_rowLock);
  std::swap(m_rows[static_cast<size_t>(a)], m_rows[static_cast<size_t>(b)]);
}

void CRecordList::MoveTop(int index) {
  if (index < 0 || index >= GetItemCount()) return;
  CloseEditBeforeChange(false);
  CriticalSectionLock lock(m_rowLock);
  std::rotate(m_rows.begin(), m_rows.begin() + index, m_rows.begin() + index + 1);
  m_selected = 0;
}

void CRecordList::MoveBottom(int index) {
  if (index < 0 || index >= GetItemCount()) return;
  CloseEditBeforeChange(false);
  CriticalSectionLock lock(m_rowLock);
  std::rotate(m_rows.begin() + index, m_rows.begin() + index + 1, m_rows.end());
  m_selected = static_cast<int>(m_rows.size()) - 1;
}

std::vector<RecordItem*> CRecordList::GetRecordItems() {
  CriticalSectionLock lock(m_rowLock);
  std::vector<RecordItem*> out;
  out.reserve(m_rows.size());
  for (auto& row : m_rows) out.push_back(row.get());
  return out;
}

// ---- selection and marking ----

int CRecordList::SetCurSel(int index) {
  if (index < -1 || index >= GetItemCount()) return 0;
  if (index != m_selected) {
    m_selected = index;
    Repaint();
  }
  return 1;
}

void CRecordList::SetTimeStampSelect(int stamp) {
  m_markedStamp = stamp;
  Repaint();
}

// ---- drawing ----

int CRecordList::IconFrame(const RecordItem& row, bool edited, bool highlighted) const {
  int base = 2;
  if ((row.type >= 4 && row.type <= 7) || (edited && row.type == 12)) base = 4;
  else if (row.type >= 8 && row.type <= 11) base = 0;
  return base + (highlighted ? 1 : 0);
}

void CRecordList::DrawStripFrame(Gdiplus::Graphics& g, const Strip& strip, int frame, int x, int y) {
  if (!strip.image || strip.frameWidth <= 0) return;
  g.DrawImage(strip.image.get(), Gdiplus::Rect(x, y, strip.frameWidth, strip.frameHeight), frame * strip.frameWidth, 0,
              strip.frameWidth, strip.frameHeight, Gdiplus::UnitPixel);
}

void CRecordList::DrawControl(HDC& hdc, CRect) {
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
      Gdiplus::SolidBrush brush(m_textColor);
      const int h = ScaledRowHeight();
      for (int i = window.first; i <= window.last; ++i) {
        RecordItem& row = *m_rows[static_cast<size_t>(i)];
        const int k = i - window.first, top = k * h;
        row.rect = CRect(0, top, rowWidth, (k + 1) * h);
        const bool edited = i == m_edited;
        const bool highlighted = i == m_selected || row.time == m_markedStamp;
        if (m_rowStrip.image && m_rowStrip.frameWidth > 0)
          g.DrawImage(m_rowStrip.image.get(), Gdiplus::Rect(0, k * m_rowHeight, rowWidth, h - 1),
                      (edited || i == m_selected || i == m_hovered ? 1 : 0) * m_rowStrip.frameWidth, 0,
                      m_rowStrip.frameWidth, m_rowStrip.frameHeight, Gdiplus::UnitPixel);
        auto text = [&](const CString& s, int x, int w) {
          if (font && !s.IsEmpty()) g.DrawString(s.GetString(), s.GetLength(), font.get(), Box(x, top, w, h), m_format.get(), &brush);
        };
        CString number;
        number.Format(L"%d", i);
        text(number, 15, 50);
        if (m_icons.image) DrawStripFrame(g, m_icons, IconFrame(row, edited, highlighted), m_iconRect.left, m_iconRect.top + top);
        text(row.text, 130, 90);
        if (!edited) {
          CString time;
          time.Format(L"%d", row.time);
          text(time, kTimeLeft, kTimeWidth);
        }
        if (m_icons.image) DrawStripFrame(g, m_more, highlighted ? 2 : 0, m_moreRect.left, m_moreRect.top + top);
      }
    }
  }
  ::BitBlt(hdc, m_rcControl.left, m_rcControl.top, rowWidth, visibleHeight, m_hMemDC, 0, m_bitmapOffset, SRCCOPY);
}

// ---- mouse ----

CRect CRecordList::RowScreenRect(int index) const {
  return RowOnScreen(m_rows[static_cast<size_t>(index)]->rect, m_rcControl, m_bitmapOffset);
}

int CRecordList::HitRow(CPoint point) const {
  return HitDrawnRow(m_rows, m_firstVisible, m_lastVisible, m_rcControl, m_bitmapOffset, point);
}

int CRecordList::OnControlMouseMove(unsigned, CPoint point) {
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

int CRecordList::OnControlLButtonDown(unsigned, CPoint point) {
  if (!m_bEnabled) return 1;
  if (!m_rcControl.PtInRect(point)) return 1;
  const int before = m_selected;
  {
    CriticalSectionLock lock(m_rowLock);
    m_selected = IsRow(m_hovered) ? m_hovered : -1;
    if (m_selected >= 0) m_markedStamp = m_rows[static_cast<size_t>(m_selected)]->time;
  }
  HideEdit(0);
  SendMessageW(NOTIFY_LBUTTONDOWN, static_cast<unsigned>(m_selected), 0);
  if (m_selected != before) Repaint();
  return 1;
}

int CRecordList::OnControlLButtonUp(unsigned, CPoint point) {
  if (!m_bEnabled) return 0;
  if (!m_rcControl.PtInRect(point)) return 0;
  const int before = m_selected;
  bool onMore = false;
  {
    CriticalSectionLock lock(m_rowLock);
    if (!IsRow(m_hovered)) return 0;
    m_selected = m_hovered;
    CRect more = m_moreRect;
    more.OffsetRect(m_rcControl.left, m_rcControl.top - m_bitmapOffset + m_rows[static_cast<size_t>(m_hovered)]->rect.top);
    onMore = more.PtInRect(point) != 0;
  }
  SendMessageW(onMore ? NOTIFY_ITEM_BUTTON : NOTIFY_CLICK, 0, 0);
  if (m_selected != before) Repaint();
  return 0;
}

int CRecordList::OnControlLButtonDblClk(unsigned, CPoint point) {
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

int CRecordList::OnControlRButtonUp(unsigned, CPoint point) {
  if (!m_bEnabled) return 0;
  const int before = m_selected;
  bool overRow;
  {
    CriticalSectionLock lock(m_rowLock);
    m_selected = IsRow(m_hovered) ? m_hovered : -1;
    overRow = m_selected >= 0;
  }
  if (m_rcControl.PtInRect(point) && overRow) SendMessageW(NOTIFY_RBUTTONUP, static_cast<unsigned>(m_selected), 0);
  if (m_selected != before) Repaint();
  return 1;
}

int CRecordList::OnControlScroll(int, unsigned direction, CPoint) {
  if (GetItemCount() * m_rowHeight <= m_rcControl.Height()) return 0;
  if (WheelListBar(m_pScrollV, direction)) Repaint();
  return 1;
}

// ---- in-place time edit ----

int CRecordList::SetControlFocus(int focus) {
  if (!m_bEnabled) return 0;
  m_bFocused = focus;
  if (!focus) {
    HideEdit(1);
    Repaint();
  }
  return 1;
}

void CRecordList::ShowEdit() {
  if (!m_bEnabled) return;
  CRect textRect;
  CString text;
  {
    CriticalSectionLock lock(m_rowLock);
    if (!IsRow(m_selected)) return;
    m_edited = m_selected;
    const CRect row = RowScreenRect(m_edited);
    textRect.left = row.left + kTimeLeft;
    textRect.right = row.left + kTimeLeft + kTimeWidth;
    textRect.top = row.top + (m_rowHeight - m_fontSize - 6) / 2;
    textRect.bottom = textRect.top + m_fontSize + 6;
    text.Format(L"%d", m_rows[static_cast<size_t>(m_edited)]->time);
  }
  m_edit.Open(this, textRect, text, 0x50533D, 0xFFFFFF, 0);
  m_bFocused = 1;
  SendMessageW(NOTIFY_EDIT_BEGIN, 0, 0);
}

void CRecordList::HideEdit(int force) {
  if (!force && m_edited == m_selected) return;
  m_bFocused = 0;
  const int edited = m_edited;
  bool changed = false;
  if (m_edit.Exists() && edited >= 0) {
    const int time = ParseDelayText(m_edit.Text());
    CriticalSectionLock lock(m_rowLock);
    if (IsRow(edited) && time != m_rows[static_cast<size_t>(edited)]->time) {
      m_rows[static_cast<size_t>(edited)]->time = time;
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

void CRecordList::SetEditText(CString text) { m_edit.SetText(text); }

CString CRecordList::GetEditText() { return m_edit.IsShown() ? m_edit.Text() : CString(); }
