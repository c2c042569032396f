#include "controls/MProgress.h"
#include <algorithm>
#include <cstdint>
#include "controls/DrawHelpers.h"
#include "core/MRender.h"
#include "core/PaintManager.h"

using namespace qiv_paint;

MProgress::MProgress(MObject* parent, unsigned id, CRect rect, int visible, int enabled)
    : MControlFont(parent, id, rect, L"", visible, enabled, 1) {
  SetTextColor(Gdiplus::Color(0xFF808080));
  m_hAlign = 1;
  m_vAlign = 4;
  m_imageCount = 2;
}

MProgress::~MProgress() = default;
const wchar_t* MProgress::GetClassNameW() const { return L"MProgress"; }

void MProgress::Repaint(int redraw) {
  if (m_bVisible && m_pParent) m_pParent->OnControlUpdate(m_rcControl, redraw, this);
}

int MProgress::FillWidth(int width, int progress, int maximum) {
  if (maximum <= 0) return 0;
  return static_cast<int>(int64_t(width) * progress / maximum);
}

int MProgress::SetProgress(int value) {
  if (!m_bEnabled) return m_progress;
  value = std::min(value, m_max);
  if (value < 0 || value == m_progress) return m_progress;
  m_progress = value;
  Repaint(1);
  return m_progress;
}

int MProgress::SetRun(int run, int value) {
  if (!m_bEnabled) return m_bRunning;
  bool changed = (run != 0) != (m_bRunning != 0);
  m_bRunning = run;
  if (value >= 0 && value <= m_max && value != m_progress) {
    m_progress = value;
    changed = true;
  }
  if (changed) Repaint(1);
  return m_bRunning;
}

bool MProgress::LoadPicture(Picture& slot, const CString* file, unsigned id) {
  if (!m_pManager) return false;
  ImgResInfo* info = file ? m_pManager->AddImgResInfo(*file, 1) : m_pManager->AddImgResInfo(id, L"PNG", 1, 1);
  if (!info || !info->image) return false;
  slot.image = info->image;
  slot.width = info->frameWidth;
  slot.height = info->height;
  Repaint(1);
  return true;
}

bool MProgress::SetBackGroundImage(CString file) { return LoadPicture(m_back, &file, 0); }
bool MProgress::SetBackGroundImage(unsigned id) { return LoadPicture(m_back, nullptr, id); }
bool MProgress::SetForeGroundImage(CString file) { return LoadPicture(m_fore, &file, 0); }
bool MProgress::SetForeGroundImage(unsigned id) { return LoadPicture(m_fore, nullptr, id); }

int MProgress::OnControlTimer() {
  if (!m_bRunning || !m_bVisible) return 0;
  if (++m_ticks < m_ticksPerStep) return 0;
  m_ticks = 0;
  ++m_progress;
  if (m_progress >= m_max) m_progress = 0;
  Repaint(1);
  return 1;
}

CString MProgress::GetValueText() const {
  CString text;
  text.Format(L"%s%d%s", m_title.GetString(), m_progress, m_max == 100 ? L"%" : L"");
  return text;
}

void MProgress::DrawControl(HDC& hdc, CRect) {
  const int w = m_rcControl.Width(), h = m_rcControl.Height();
  if (w <= 0 || h <= 0) return;
  if (!m_bUpdate || !m_hMemDC) {
    UpdateMemDC(hdc, w, h);
    Copy(m_hMemDC, 0, 0, w, h, hdc, m_rcControl.left, m_rcControl.top);
    Gdiplus::Graphics g(m_hMemDC);
    const int f = FillWidth(w, m_progress, m_max);
    if (m_fore.image) {
      if (m_back.image)
        MRender::DrawImageFrameMID(g, m_back.image, CRect(0, 0, w, h), 0, 0, m_back.width, m_back.height, m_margin, 0,
                                   m_margin, 0);
      if (m_progress > 0 && f < m_margin)
        g.DrawImage(m_fore.image, Gdiplus::Rect(0, 0, f, h), 0, 0, f, m_fore.height, Gdiplus::UnitPixel);
      else if (f > 0)
        MRender::DrawImageFrameMID(g, m_fore.image, CRect(0, 0, f, h), 0, 0, m_fore.width, m_fore.height, m_margin, 0,
                                   m_margin, 0);
    } else if (m_pImage) {
      MRender::DrawImageFrame(g, m_pImage, CRect(0, 0, w, m_stripHeight), 0, 0, m_frameWidth, m_frameHeight, 2);
      if (m_progress > 0)
        MRender::DrawImageFrame(g, m_pImage, CRect(0, 0, f, m_stripHeight), m_frameWidth, 0, m_frameWidth,
                                m_frameHeight, 2);
    } else {
      Gdiplus::Pen line(m_line, 1.0f);
      g.DrawLine(&line, 1, h - 2, w, h - 2);
      if (m_progress > 0) {
        Gdiplus::SolidBrush fill(m_fill);
        g.FillRectangle(&fill, 0, h - 3, f, 3);
      }
    }
    if (m_bShowText) {
      g.SetTextRenderingHint(m_textRenderingHint);
      auto font = ControlFont(*this);
      Gdiplus::StringFormat format;
      SetFormat(format, Gdiplus::StringAlignmentCenter, Gdiplus::StringAlignmentCenter);
      Text(g, GetValueText(), *font, RectF((w - 60) / 2, 0, 60, 20), format, m_textColor);
    }
  }
  Copy(hdc, m_rcControl.left, m_rcControl.top, w, h, m_hMemDC, 0, 0);
}
