#include "controls/ColorView.h"
#include "controls/ControlPaint.h"
#include "core/MRender.h"

using namespace ControlPaint;

namespace {
// Row by row from the left, 0xRRGGBB.
constexpr unsigned kPresets[6][8] = {
    {0xB71C1C, 0x4A148D, 0x1B237E, 0x00579B, 0x014C40, 0x0E5204, 0xF67E17, 0xE65100},
    {0xD43030, 0x7B1FA2, 0x283492, 0x0178BB, 0x02685E, 0x056F01, 0xF9A824, 0xF06C00},
    {0xE63936, 0x8C25A7, 0x3949AC, 0x049AE6, 0x01796C, 0x229B25, 0xFBC12E, 0xF77C01},
    {0xEF5351, 0x9D27B0, 0x3F51B8, 0x42A5F5, 0x009688, 0x29B029, 0xFFEC3C, 0xFF9800},
    {0xE57373, 0xBA68C8, 0x7A87CB, 0x4FC4F7, 0x4DB5AB, 0x71D56E, 0xFFF177, 0xFFCC80},
    {0xEE9A9B, 0xCE92DB, 0xA0A8DA, 0x82D4FB, 0x7FCBC4, 0xA5E7A7, 0xFFF49D, 0xFFF4B2},
};
constexpr int kSwatch = 22, kPitch = 28, kLeft = 11, kTop = 10;
}  // namespace

ColorView::ColorView(MObject* parent, unsigned id, CRect rect, int visible, int enabled)
    : MControlFont(parent, id, rect, L"", visible, enabled, 1) {}

ColorView::~ColorView() = default;

const wchar_t* ColorView::GetClassNameW() const { return L"ColorView"; }

void ColorView::InitColorView() {
  CriticalSectionLock lock(m_itemLock);
  for (int row = 0; row < 6; ++row)
    for (int col = 0; col < 8; ++col) {
      auto item = std::make_unique<ColorViewItem>();
      item->colour = Gdiplus::Color(0xFF000000 | kPresets[row][col]);
      const int x = kLeft + col * kPitch, y = kTop + row * kPitch;
      item->rect = RECT{x, y, x + kSwatch, y + kSwatch};
      m_items.push_back(std::move(item));
    }
}

void ColorView::ClearAllItem() {
  {
    CriticalSectionLock lock(m_itemLock);
    m_items.clear();
  }
  m_hovered = -1;
  m_selected = -1;
  UpdateControl(1, 0);
}

int ColorView::GetItemCount() {
  CriticalSectionLock lock(m_itemLock);
  return static_cast<int>(m_items.size());
}

int ColorView::HitTest(CPoint point) {
  CriticalSectionLock lock(m_itemLock);
  for (size_t i = 0; i < m_items.size(); ++i) {
    CRect r(m_items[i]->rect);
    r.OffsetRect(m_rcControl.left, m_rcControl.top);
    if (r.PtInRect(point)) return static_cast<int>(i);
  }
  return -1;
}

int ColorView::OnControlMouseMove(unsigned, CPoint point) {
  if (!m_bEnabled) return 0;
  const int previous = m_hovered;
  if (!m_rcControl.PtInRect(point)) {
    m_hovered = -1;
  } else {
    if (m_hovered >= 0) {
      CriticalSectionLock lock(m_itemLock);
      if (m_hovered < static_cast<int>(m_items.size())) {
        CRect r(m_items[m_hovered]->rect);
        r.OffsetRect(m_rcControl.left, m_rcControl.top);
        if (r.PtInRect(point)) return 1;
      }
    }
    m_hovered = HitTest(point);
  }
  if (m_hovered != previous) UpdateControl(1, 0);
  return 1;
}

int ColorView::OnControlLButtonDown(unsigned, CPoint) { return m_bEnabled ? 1 : 0; }

// The choice shows at the next repaint (the next hover change), as nothing repaints here.
int ColorView::OnControlLButtonUp(unsigned, CPoint) {
  if (!m_bEnabled) return 0;
  if (m_hovered < 0) return 1;
  {
    CriticalSectionLock lock(m_itemLock);
    if (m_hovered >= static_cast<int>(m_items.size())) return 1;
    m_selected = m_hovered;
    m_selectedColor = ToColorRef(m_items[m_selected]->colour);
  }
  SendMessageW(NOTIFY_CLICK, 0, 0);
  return 1;
}

// The memory picture is two widths wide; only the first is drawn and shown.
void ColorView::DrawControl(HDC& hdc, CRect) {
  PaintSlices(*this, hdc, 2, 0, [&](Gdiplus::Graphics& g, int w, int h) {
    Fill(g, Gdiplus::Color(0xFF1A1A1A), 0, 0, w, h);
    Gdiplus::Pen frame(Gdiplus::Color(0xFF646464), 1.0f);
    g.DrawRectangle(&frame, 0, 0, w - 1, h - 1);
    g.SetSmoothingMode(Gdiplus::SmoothingModeHighQuality);
    CriticalSectionLock lock(m_itemLock);
    for (size_t i = 0; i < m_items.size(); ++i) {
      const ColorViewItem& item = *m_items[i];
      const bool marked = static_cast<int>(i) == m_hovered || static_cast<int>(i) == m_selected;
      const CRect s(item.rect);
      MRender::DrawRoundRectange(g, static_cast<float>(s.left), static_cast<float>(s.top),
                                 static_cast<float>(s.Width()), static_cast<float>(s.Height()), 8.0f,
                                 marked ? Gdiplus::Color(0xFFFBC93E) : item.colour, 2.0f, item.colour);
    }
  });
}
