#include "controls/MLevelCtrl.h"
#include <cstdio>
#include "controls/ControlPaint.h"

using namespace ControlPaint;

LevelCells LevelCells::For(int controlWidth, int minimum, int maximum) {
  LevelCells cells;
  const long long n = static_cast<long long>(maximum) - minimum + 1;
  // No cells for an empty range (nothing drawn, clicks ignored), nor for more cells than
  // pixels, whose width would be negative.
  if (n < 1 || n > controlWidth) return cells;
  cells.count = static_cast<int>(n);
  cells.width = (controlWidth - 5 * cells.count) / cells.count;
  return cells;
}

int LevelCells::At(int x) const {
  for (int k = 0; k < count; ++k)
    if (x >= Left(k) && x < Left(k) + width) return k;
  return -1;
}

MLevelCtrl::MLevelCtrl(MObject* parent, unsigned id, CRect rect, int visible, int enabled)
    : MControlFont(parent, id, rect, L"", visible, enabled, 1) {}

MLevelCtrl::~MLevelCtrl() = default;

const wchar_t* MLevelCtrl::GetClassNameW() const { return L"MLevelCtrl"; }

void MLevelCtrl::SetLevelValue(int value) {
  if (value < m_minimum) value = m_minimum;
  if (value > m_maximum) value = m_maximum;
  if (value == m_level) return;
  m_level = value;
  UpdateControl(1, 0);
}

void MLevelCtrl::SetRangeValue(int minimum, int maximum) {
  m_minimum = minimum;
  m_maximum = maximum;
}

// No press is needed before the release.
int MLevelCtrl::OnControlLButtonUp(unsigned, CPoint point) {
  if (!m_bEnabled) return 0;
  if (!m_rcControl.PtInRect(point) || point.y - m_rcControl.top >= m_cellHeight) return 1;
  const LevelCells cells = LevelCells::For(m_rcControl.Width(), m_minimum, m_maximum);
  const int k = cells.At(point.x - m_rcControl.left);
  if (k < 0) return 1;
  const int level = m_minimum + k;
  if (level == m_level) return 1;
  m_level = level;
  SendMessageW(NOTIFY_CLICK, static_cast<unsigned>(level), 0);
  UpdateControl(1, 0);
  return 1;
}

void MLevelCtrl::DrawControl(HDC& hdc, CRect) {
  PaintSlices(*this, hdc, 1, 0, [&](Gdiplus::Graphics& g, int w, int h) {
    const LevelCells cells = LevelCells::For(w, m_minimum, m_maximum);
    if (cells.count == 0) return;
    for (int k = 0; k < cells.count; ++k) {
      const int x = cells.Left(k);
      Fill(g, Gdiplus::Color(0xFEA0A0A0), x, 0, cells.width, m_cellHeight);
      if (m_minimum + k <= m_level) Fill(g, Gdiplus::Color(0xFEFFE100), x + 1, 1, cells.width - 2, m_cellHeight - 2);
    }
    if (!m_showText) return;
    wchar_t text[64];
    std::swprintf(text, 64, L"%d%s", m_level, m_maximum == 100 ? L"%" : L"");
    auto font = MakeFont(*this);
    g.SetTextRenderingHint(Gdiplus::TextRenderingHintClearTypeGridFit);
    DrawTitle(g, m_title + text, *font,
              Gdiplus::RectF(0, static_cast<float>(m_cellHeight), static_cast<float>(w),
                             static_cast<float>(h - m_cellHeight)),
              m_textColor);
  });
}
