#include "widgets/CRecordList.h"
#include <algorithm>
#include "controls/CEditWindow.h"
#include "controls/MScroll.h"
#include "core/MRender.h"
#include "core/Manager.h"
#include "core/PaintManager.h"
#include "widgets/ListRows.h"

namespace {
constexpr int kTimeLeft = 220;
constexpr int kTimeWidth = 100;

Gdiplus::RectF Box(int x, int y, int w, int h) {
  return Gdiplus::RectF(static_cast<Gdiplus::REAL>(x), static_cast<Gdiplus::REAL>(y), static_cast<Gdiplus::REAL>(w),
                        static_cast<Gdiplus::REAL>(h));
}
}  // namespace

CRecordList::CRecordList(MObject* parent, unsigned id, CRect rect, int visible)
    : RowListPanel(parent, id, rect, visible, 36) {}

CRecordList::~CRecordList() = default;
const wchar_t* CRecordList::GetClassNameW() const { return L"CRecordList"; }

int CRecordList::SetImage(const wchar_t* file, int frames) {
  const bool ok = m_icons.Load(file, frames);
  Repaint();
  return ok ? 1 : 0;
}

int CRecordList::SetItemImage(const wchar_t* file, int frames) { return m_rowStrip.Load(file, frames) ? 1 : 0; }
int CRecordList::SetMoreImage(const wchar_t* file, int frames) { return m_more.Load(file, frames) ? 1 : 0; }

// ---- layout ----

void CRecordList::SetControlRect(CRect rect) {
  PlaceControlAndHorizontalBar(rect);
  const int h = ScaledRowHeight();
  const int moreLeft = rect.Width() - m_more.frameWidth - 15, moreTop = (h - m_more.frameHeight) / 2;
  m_moreRect = CRect(moreLeft, moreTop, moreLeft + m_more.frameWidth, moreTop + m_more.frameHeight);
  const int iconLeft = static_cast<int>(m_scale * 70), iconTop = (h - m_icons.frameHeight) / 2;
  m_iconRect = CRect(iconLeft, iconTop, iconLeft + m_icons.frameWidth, iconTop + m_icons.frameHeight);
  UpdateScrollRange();
}

// ---- records ----

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

void CRecordList::DrawStripFrame(Gdiplus::Graphics& g, const RowStrip& strip, int frame, int x, int y) {
  if (!strip.image || strip.frameWidth <= 0) return;
  g.DrawImage(strip.image.get(), Gdiplus::Rect(x, y, strip.frameWidth, strip.frameHeight), frame * strip.frameWidth, 0,
              strip.frameWidth, strip.frameHeight, Gdiplus::UnitPixel);
}

void CRecordList::DrawControl(HDC& hdc, CRect) {
  PaintRows(hdc, [&](Gdiplus::Graphics& g, Gdiplus::Font* font, const RowWindow& window, int rowWidth) {
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
        if (font && !s.IsEmpty()) g.DrawString(s.GetString(), s.GetLength(), font, Box(x, top, w, h), m_format.get(), &brush);
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
  });
}

// ---- mouse and the in-place time edit ----

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

void CRecordList::ShowEdit() {
  if (!m_bEnabled) return;
  CRect textRect;
  CString text;
  {
    CriticalSectionLock lock(m_rowLock);
    if (!IsRow(m_selected)) return;
    m_edited = m_selected;
    const CRect row = RowScreenRect(m_edited);
    textRect = EditBox(row.left + kTimeLeft, row.left + kTimeLeft + kTimeWidth, row.top);
    text.Format(L"%d", m_rows[static_cast<size_t>(m_edited)]->time);
  }
  m_edit.Open(this, textRect, text, 0x50533D, 0xFFFFFF, 0);
  m_bFocused = 1;
  SendMessageW(NOTIFY_EDIT_BEGIN, 0, 0);
}

void CRecordList::HideEdit(int force) {
  CloseRowEdit(force, [](RecordItem& row, const CString& text) {
    const int time = ParseDelayText(text);
    if (time == row.time) return false;
    row.time = time;
    return true;
  });
}

void CRecordList::SetEditText(CString text) { m_edit.SetText(text); }

CString CRecordList::GetEditText() { return m_edit.IsShown() ? m_edit.Text() : CString(); }
