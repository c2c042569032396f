#include "widgets/CDeviceList.h"
#include <algorithm>
#include "controls/MScroll.h"
#include "core/MRender.h"
#include "core/Manager.h"
#include "core/PaintManager.h"
#include "widgets/BatteryLevel.h"
#include "widgets/DeviceTileLayout.h"

namespace {
constexpr int kTileGap = 20;
constexpr int kSlideStep = 16;
const Gdiplus::Color kTextColor(0xFF050505);
const Gdiplus::Color kTileBorder(0x64FFFFFF);
const Gdiplus::Color kTileFill(0xC8FFFFFF);
const Gdiplus::Color kDotColor(0x78B4B4B4);
const Gdiplus::Color kArrowBack(0xB4FFFFFF);
const Gdiplus::Color kArrowColor(0xDC3C3C3C);

LONGLONG PerformanceCounter() {
  LARGE_INTEGER now;
  ::QueryPerformanceCounter(&now);
  return now.QuadPart;
}

std::unique_ptr<Gdiplus::Image> LoadPicture(const CString& path, int& width, int& height) {
  std::unique_ptr<Gdiplus::Image> image(MRender::LoadImageFromFileEx(path, 0, 0));
  width = image ? static_cast<int>(image->GetWidth()) : 0;
  height = image ? static_cast<int>(image->GetHeight()) : 0;
  return image;
}

Gdiplus::Rect ToRect(const CRect& r) { return Gdiplus::Rect(r.left, r.top, r.Width(), r.Height()); }

Gdiplus::RectF ToRectF(int x, int y, int w, int h) {
  return Gdiplus::RectF(static_cast<Gdiplus::REAL>(x), static_cast<Gdiplus::REAL>(y), static_cast<Gdiplus::REAL>(w),
                        static_cast<Gdiplus::REAL>(h));
}

void FillTriangle(Gdiplus::Graphics& g, Gdiplus::Brush& brush, int x1, int y1, int x2, int y2, int x3, int y3) {
  const Gdiplus::Point points[3] = {{x1, y1}, {x2, y2}, {x3, y3}};
  g.FillPolygon(&brush, points, 3);
}
}  // namespace

CDeviceList::CDeviceList(MObject* parent, unsigned id, CRect rect, int visible, int)
    : MPanel(parent, id, rect, visible), m_counter(PerformanceCounter) {
  m_bEnabled = 1;
  m_bRunTimer = 1;
  m_bRun = 1;
  LARGE_INTEGER frequency;
  ::QueryPerformanceFrequency(&frequency);
  m_frequency = frequency.QuadPart > 0 ? frequency.QuadPart : 1;
  m_lastSwitch = Now();
}

CDeviceList::~CDeviceList() = default;
const wchar_t* CDeviceList::GetClassNameW() const { return L"CDeviceList"; }

LONGLONG CDeviceList::Now() const { return m_counter ? m_counter() : 0; }

void CDeviceList::SetClock(std::function<LONGLONG()> counter, LONGLONG frequency) {
  m_counter = std::move(counter);
  m_frequency = frequency > 0 ? frequency : 1;
  m_lastSwitch = Now();
}

void CDeviceList::Repaint() { UpdateControl(1, 0); }

DEVICE_INFO* CDeviceList::FindRow(int id) {
  for (auto& row : m_rows)
    if (row->id == id) return row.get();
  return nullptr;
}

int CDeviceList::OnlineCountLocked() const {
  return static_cast<int>(std::count_if(m_rows.begin(), m_rows.end(), [](const auto& r) { return r->state > 0; }));
}

int CDeviceList::AddDevice(CString name, int id, CString offlinePicture, CString onlinePicture) {
  auto row = std::make_unique<DEVICE_INFO>();
  row->name = name;
  row->id = id;
  row->offlinePicture = LoadPicture(offlinePicture, row->offlineWidth, row->offlineHeight);
  row->onlinePicture = LoadPicture(onlinePicture, row->onlineWidth, row->onlineHeight);
  int index;
  {
    CriticalSectionLock lock(m_rowLock);
    m_rows.push_back(std::move(row));
    index = static_cast<int>(m_rows.size()) - 1;
  }
  Repaint();
  return index;
}

void CDeviceList::AddColorImage(int id, CString picture) {
  int width = 0, height = 0;
  std::unique_ptr<Gdiplus::Image> image;
  CriticalSectionLock lock(m_rowLock);
  DEVICE_INFO* row = FindRow(id);
  if (!row) return;
  image = LoadPicture(picture, width, height);
  if (!image) return;
  row->colorPictures.push_back(std::move(image));
  row->colorSizes.emplace_back(width, height);
}

void CDeviceList::ClearList() {
  {
    CriticalSectionLock lock(m_rowLock);
    m_rows.clear();
    m_hovered = -1;
    m_selected = 0;
  }
  Repaint();
}

void CDeviceList::SetAllDeviceState(int state) {
  {
    CriticalSectionLock lock(m_rowLock);
    for (auto& row : m_rows) {
      row->state = state;
      row->battery = 0;
      row->charging = 0;
    }
  }
  Repaint();
}

void CDeviceList::SetDeviceState(int id, int kind, int state) {
  {
    CriticalSectionLock lock(m_rowLock);
    if (DEVICE_INFO* row = FindRow(id)) {
      if (kind == 0) {
        row->state = state;
        row->link = 0;
      } else if (kind == 1 && row->state == 0) {
        row->state = state;
        row->link = 1;
      }
    }
  }
  Repaint();
}

void CDeviceList::SetDeviceBattery(int id, int kind, int level, int charging) {
  {
    CriticalSectionLock lock(m_rowLock);
    if (DEVICE_INFO* row = FindRow(id)) {
      if (kind == 0 || (kind == 1 && row->battery == 0)) {
        row->charging = charging;
        row->battery = std::min(level, 100);
      }
    }
  }
  Repaint();
}

int CDeviceList::GetDeviceState(int id) {
  CriticalSectionLock lock(m_rowLock);
  const DEVICE_INFO* row = FindRow(id);
  return row ? row->state : 0;
}

void CDeviceList::SetSelectDevice(int id) {
  {
    CriticalSectionLock lock(m_rowLock);
    int chosen = -1;
    for (size_t i = 0; i < m_rows.size() && chosen < 0; ++i)
      if (m_rows[i]->state > 0 && m_rows[i]->id == id) chosen = static_cast<int>(i);
    for (size_t i = 0; i < m_rows.size() && chosen < 0; ++i)
      if (m_rows[i]->state > 0) chosen = static_cast<int>(i);
    m_selected = chosen;
  }
  Repaint();
}

int CDeviceList::GetSelectDevice() {
  CriticalSectionLock lock(m_rowLock);
  if (m_rows.empty()) return 0;
  if (m_selected < 0 || m_selected >= static_cast<int>(m_rows.size())) m_selected = 0;
  return m_rows[static_cast<size_t>(m_selected)]->id;
}

int CDeviceList::GetItemCount() {
  CriticalSectionLock lock(m_rowLock);
  return static_cast<int>(m_rows.size());
}

int CDeviceList::GetOnlineCount() {
  CriticalSectionLock lock(m_rowLock);
  return OnlineCountLocked();
}

CRect CDeviceList::GetImageRect(int width, int height, CRect area) { return FitPicture(width, height, area); }

const DEVICE_INFO* CDeviceList::GetItem(int index) {
  CriticalSectionLock lock(m_rowLock);
  return index >= 0 && index < static_cast<int>(m_rows.size()) ? m_rows[static_cast<size_t>(index)].get() : nullptr;
}

bool CDeviceList::GetRowStatus(int index, RowStatus& status) {
  CriticalSectionLock lock(m_rowLock);
  if (index < 0 || index >= static_cast<int>(m_rows.size())) return false;
  const DEVICE_INFO& row = *m_rows[static_cast<size_t>(index)];
  status = RowStatus{row.id, row.link, row.state, row.battery, row.charging,
                     row.current, row.sliding, row.progress, row.direction};
  return true;
}

CRect CDeviceList::GetTileRect(int index) {
  CriticalSectionLock lock(m_rowLock);
  if (index < 0 || index >= static_cast<int>(m_rows.size())) return CRect();
  return m_rows[static_cast<size_t>(index)]->tile;
}

CRect CDeviceList::WindowRect(const CRect& controlRect) const {
  CRect r = controlRect;
  r.OffsetRect(m_rcControl.left + m_hitOffset, m_rcControl.top);
  return r;
}

void CDeviceList::SetControlRect(CRect rect) { m_rcControl = rect; }

long CDeviceList::OnMessage(unsigned id, unsigned code, unsigned wParam, long lParam) {
  if ((id == 1 || id == 2) && code == NOTIFY_POSITION) Repaint();
  return m_pParent ? m_pParent->OnBaseMessage(id, code, wParam, lParam) : 0;
}

// ---- drawing ----

void CDeviceList::DrawControl(HDC& hdc, CRect) {
  const int w = m_rcControl.Width(), h = m_rcControl.Height();
  if (w <= 0 || h <= 0) return;
  if (!m_bUpdate || !m_hMemDC) {
    UpdateMemDC(hdc, w, h);
    ::BitBlt(m_hMemDC, 0, 0, w, h, hdc, m_rcControl.left, m_rcControl.top, SRCCOPY);
    Gdiplus::Graphics g(m_hMemDC);
    g.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
    g.SetTextRenderingHint(Gdiplus::TextRenderingHintAntiAlias);
    Gdiplus::FontFamily* boldFamily = m_pManager ? m_pManager->FindTempFont(L"Roboto-Bold") : nullptr;
    Gdiplus::FontFamily* textFamily = m_pManager ? m_pManager->FindTempFont(m_fontName) : nullptr;
    std::unique_ptr<Gdiplus::Font> nameFont, textFont;
    if (boldFamily) nameFont = std::make_unique<Gdiplus::Font>(boldFamily, 32.0f, Gdiplus::FontStyleBold, Gdiplus::UnitPixel);
    if (textFamily)
      textFont = std::make_unique<Gdiplus::Font>(textFamily, static_cast<Gdiplus::REAL>(m_fontSize),
                                                 Gdiplus::FontStyleRegular, Gdiplus::UnitPixel);
    m_hitOffset = 0;
    CriticalSectionLock lock(m_rowLock);
    const int online = OnlineCountLocked();
    const CSize size = DeviceTileSize(online);
    CPoint origin = FirstTileOrigin(w, h, online);
    for (auto& row : m_rows) {
      if (row->state == 0) continue;
      DrawTile(g, *row, origin.x, origin.y, size, nameFont.get(), textFont.get());
      origin.x += size.cx + kTileGap;
    }
  }
  ::BitBlt(hdc, m_rcControl.left, m_rcControl.top, w, h, m_hMemDC, 0, 0, SRCCOPY);
}

void CDeviceList::DrawTile(Gdiplus::Graphics& g, DEVICE_INFO& row, int x, int t, CSize size, Gdiplus::Font* nameFont,
                           Gdiplus::Font* textFont) {
  const int w = size.cx, h = size.cy;
  const bool hovered = m_hovered >= 0 && m_hovered < static_cast<int>(m_rows.size()) &&
                       m_rows[static_cast<size_t>(m_hovered)].get() == &row;
  row.tile = CRect(x, t, x + w, t + h);
  MRender::DrawRoundRectange(g, static_cast<float>(x), static_cast<float>(t), static_cast<float>(w),
                             static_cast<float>(h), 6.0f, hovered ? Manager::m_select_color : kTileBorder, 2.0f,
                             kTileFill);
  DrawPicture(g, row, CRect(x + 50, t + 80, x + w - 50, t + h - 110));

  const int a = t + (h - 40) / 2;
  row.leftArrow = CRect(x + 8, a, x + 36, a + 40);
  row.rightArrow = CRect(x + w - 36, a, x + w - 8, a + 40);
  const int count = static_cast<int>(row.colorPictures.size());
  if (count >= 2) {
    const int first = x + (w - (14 * count - 8)) / 2;
    for (int i = 0; i < count; ++i) {
      Gdiplus::SolidBrush dot(i == row.current ? Manager::m_select_color : kDotColor);
      g.FillEllipse(&dot, first + 14 * i, t + h - 35, 6, 6);
    }
    if (hovered) {
      Gdiplus::SolidBrush back(kArrowBack);
      g.FillEllipse(&back, x + 8, a, 28, 40);
      g.FillEllipse(&back, x + w - 36, a, 28, 40);
      Gdiplus::SolidBrush arrow(kArrowColor);
      FillTriangle(g, arrow, x + 28, a + 8, x + 16, a + 20, x + 28, a + 32);
      FillTriangle(g, arrow, x + w - 28, a + 8, x + w - 16, a + 20, x + w - 28, a + 32);
    }
  }

  Gdiplus::SolidBrush brush(kTextColor);
  if (!row.name.IsEmpty() && nameFont) {
    Gdiplus::StringFormat centred;
    centred.SetAlignment(Gdiplus::StringAlignmentCenter);
    centred.SetLineAlignment(Gdiplus::StringAlignmentCenter);
    g.DrawString(row.name.GetString(), row.name.GetLength(), nameFont, ToRectF(x + 20, t + 20, w - 40, 60), &centred,
                 &brush);
  }
  if (!m_pImage) return;
  const int y = t + h - 100, m = w / 2;
  DrawStatusFrame(g, DeviceTileBatteryFrame(row.battery, row.charging), x + m - 100, y);
  DrawStatusFrame(g, STATUS_FRAME_USB + row.link, x + m + 50, y);
  if (!textFont) return;
  Gdiplus::StringFormat left;
  left.SetAlignment(Gdiplus::StringAlignmentNear);
  left.SetLineAlignment(Gdiplus::StringAlignmentCenter);
  CString level;
  level.Format(L"%d%%", ShownBatteryLevel(row.battery));
  g.DrawString(level.GetString(), level.GetLength(), textFont, ToRectF(x + m - 70, y, 60, 25), &left, &brush);
  const wchar_t* link = row.link == 0 ? L"USB" : L"2.4G";
  g.DrawString(link, -1, textFont, ToRectF(x + m + 80, y, 60, 25), &left, &brush);
}

void CDeviceList::DrawStatusFrame(Gdiplus::Graphics& g, int frame, int x, int y) {
  if (!m_pImage || m_frameWidth <= 0) return;
  g.DrawImage(m_pImage, Gdiplus::Rect(x, y, m_frameWidth, m_frameHeight), frame * m_frameWidth, 0, m_frameWidth,
              m_frameHeight, Gdiplus::UnitPixel);
}

void CDeviceList::DrawPicture(Gdiplus::Graphics& g, DEVICE_INFO& row, const CRect& area) {
  const int count = static_cast<int>(row.colorPictures.size());
  auto valid = [&](int i) { return i >= 0 && i < count; };
  if (row.sliding && count >= 1 && valid(row.previous) && valid(row.current)) {
    const int d = SlideDistance(row.progress, area.Width());
    const int k = row.direction < 0 ? -1 : 1;
    g.SetClip(ToRect(area));
    auto draw = [&](int index, int shift) {
      const auto& sz = row.colorSizes[static_cast<size_t>(index)];
      CRect r = FitPicture(sz.first, sz.second, area);
      r.OffsetRect(shift, 0);
      g.DrawImage(row.colorPictures[static_cast<size_t>(index)].get(), ToRect(r));
    };
    draw(row.previous, -(k * d));
    draw(row.current, (area.Width() - d) * k);
    g.ResetClip();
    return;
  }
  Gdiplus::Image* picture = row.onlinePicture.get();
  int pw = row.onlineWidth, ph = row.onlineHeight;
  if (valid(row.current)) {
    picture = row.colorPictures[static_cast<size_t>(row.current)].get();
    pw = row.colorSizes[static_cast<size_t>(row.current)].first;
    ph = row.colorSizes[static_cast<size_t>(row.current)].second;
  }
  if (picture) g.DrawImage(picture, ToRect(FitPicture(pw, ph, area)));
}

// ---- mouse, wheel and timer ----

int CDeviceList::OnControlMouseMove(unsigned, CPoint point) {
  if (!m_bEnabled) return 0;
  int hovered = -1;
  const int before = m_hovered;
  if (m_rcControl.PtInRect(point)) {
    CriticalSectionLock lock(m_rowLock);
    const int count = static_cast<int>(m_rows.size());
    if (before >= 0 && before < count && WindowRect(m_rows[static_cast<size_t>(before)]->tile).PtInRect(point))
      return 1;
    for (int i = 0; i < count && hovered < 0; ++i) {
      const DEVICE_INFO& row = *m_rows[static_cast<size_t>(i)];
      if (row.state > 0 && WindowRect(row.tile).PtInRect(point)) hovered = i;
    }
  }
  m_hovered = hovered;
  if (hovered != before) Repaint();
  return 1;
}

int CDeviceList::OnControlLButtonDown(unsigned, CPoint) { return m_bEnabled; }

int CDeviceList::OnControlLButtonUp(unsigned, CPoint point) {
  if (!m_bEnabled) return 0;
  bool notify = false, slid = false;
  {
    CriticalSectionLock lock(m_rowLock);
    const int hovered = m_hovered;
    if (hovered < 0 || hovered >= static_cast<int>(m_rows.size())) return 1;
    DEVICE_INFO& row = *m_rows[static_cast<size_t>(hovered)];
    const int count = static_cast<int>(row.colorPictures.size());
    const bool online = row.state > 0;
    if (online && count >= 2 && WindowRect(row.leftArrow).PtInRect(point)) {
      row.previous = row.current;
      row.direction = 1;
      row.current = (row.current + count - 1) % count;
      slid = true;
    } else if (online && count >= 2 && WindowRect(row.rightArrow).PtInRect(point)) {
      row.previous = row.current;
      row.direction = -1;
      row.current = (row.current + 1) % count;
      slid = true;
    } else {
      m_selected = hovered;
      notify = online;
    }
    if (slid) {
      row.sliding = 1;
      row.progress = 0;
      m_lastSwitch = Now();
    }
  }
  if (slid) Repaint();
  if (notify) SendMessageW(NOTIFY_CLICK, 0, 0);
  return 1;
}

int CDeviceList::OnControlScroll(int, unsigned direction, CPoint) {
  if (GetItemCount() * m_rowExtent <= m_rcControl.Width() || !m_pScrollH) return 0;
  MScroll* bar = m_pScrollH;
  const int before = bar->m_nCurPos;
  const int step = 10 * bar->m_nRowStep;
  bar->m_nCurPos = std::clamp(before + (direction == 1 ? step : -step), 0, std::max(0, bar->m_nMaxRange));
  bar->SetRange();
  if (bar->m_nCurPos != before) Repaint();
  return 1;
}

int CDeviceList::OnControlTimer() {
  if (!m_bRun || !m_bVisible) return 0;
  bool moved = false;
  {
    CriticalSectionLock lock(m_rowLock);
    for (auto& row : m_rows) {
      if (!row->sliding) continue;
      row->progress = std::min(row->progress + kSlideStep, 255);
      if (row->progress >= 255) row->sliding = 0;
      moved = true;
    }
  }
  const LONGLONG now = Now();
  const double elapsed = static_cast<double>(now - m_lastSwitch) * 1000.0 / static_cast<double>(m_frequency);
  if (elapsed >= m_switchInterval) {
    m_lastSwitch = now;
    CriticalSectionLock lock(m_rowLock);
    for (size_t i = 0; i < m_rows.size(); ++i) {
      DEVICE_INFO& row = *m_rows[i];
      const int count = static_cast<int>(row.colorPictures.size());
      if (row.state == 0 || count < 2 || static_cast<int>(i) == m_hovered) continue;
      row.previous = row.current;
      row.progress = 0;
      row.current = (row.current + 1) % count;
      row.sliding = 1;
      row.direction = -1;
      moved = true;
    }
  }
  if (moved) Repaint();
  return moved ? 1 : 0;
}
