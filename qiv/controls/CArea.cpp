#include "controls/CArea.h"
#include "controls/ControlPaint.h"
#include "core/MRender.h"

using namespace ControlPaint;

namespace {
// The frame colour over the whole slice, the fill one pixel inside.
void FramedFill(Gdiplus::Graphics& g, Gdiplus::Color frame, COLORREF fill, int w, int h) {
  Fill(g, frame, 0, 0, w, h);
  Fill(g, FromColorRef(fill), 1, 1, w - 2, h - 2);
}
}  // namespace

// ---- CArea ----

CArea::CArea(MObject* parent, unsigned id, CRect rect, int visible, int enabled)
    : MControl(parent, id, rect, visible, enabled, 1) {}

CArea::~CArea() = default;

const wchar_t* CArea::GetClassNameW() const { return L"CArea"; }

void CArea::SetTransparent(int first, int second, unsigned long fill) {
  m_transparent[0] = first;
  m_transparent[1] = second;
  m_fill = static_cast<COLORREF>(fill);
  UpdateControl(1, 0);
}

void CArea::SetFrame(int width, Gdiplus::Color colour, int) {
  m_frameWidth = width;
  m_frameColor = colour;
  UpdateControl(1, 0);
}

void CArea::DrawControl(HDC& hdc, CRect) {
  PaintSlices(*this, hdc, 1, 0, [&](Gdiplus::Graphics& g, int w, int h) {
    if (m_frameWidth != 0) {
      FramedFill(g, m_frameColor, m_fill, w, h);
    } else if (h > 9) {
      g.SetSmoothingMode(Gdiplus::SmoothingModeHighQuality);
      MRender::DrawRoundRectange(g, 0.0f, 0.0f, static_cast<float>(w), static_cast<float>(h), 10.0f,
                                 FromColorRef(m_fill));
    } else {
      Fill(g, FromColorRef(m_fill), 0, 0, w, h);
    }
  });
}

// ---- CRoundArea ----

CRoundArea::CRoundArea(MObject* parent, unsigned id, CRect rect, int visible, int enabled)
    : MControl(parent, id, rect, visible, enabled, 1) {}

CRoundArea::~CRoundArea() = default;

const wchar_t* CRoundArea::GetClassNameW() const { return L"CRoundArea"; }

void CRoundArea::SetColor(Gdiplus::Color colour) {
  m_colour = colour;
  UpdateControl(1, 0);
}

void CRoundArea::DrawControl(HDC& hdc, CRect) {
  PaintSlices(*this, hdc, 1, 0, [&](Gdiplus::Graphics& g, int w, int h) {
    g.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
    if (m_round && w > 9 && h > 9) {
      MRender::DrawRoundRectange(g, 0.0f, 0.0f, static_cast<float>(w), static_cast<float>(h), 10.0f, m_colour);
    } else {
      Gdiplus::SolidBrush brush(m_colour);
      g.FillRectangle(&brush, 0, 0, w, h);
    }
  });
}

// ---- CTextArea ----

CTextArea::CTextArea(MObject* parent, unsigned id, CRect rect, const wchar_t* title, int visible, int enabled)
    : MControlFont(parent, id, rect, title, visible, enabled, 1) {}

CTextArea::~CTextArea() = default;

const wchar_t* CTextArea::GetClassNameW() const { return L"CTextArea"; }

void CTextArea::SetTransparent(int first, int second, unsigned long fill) {
  m_transparent[0] = first;
  m_transparent[1] = second;
  m_fill = static_cast<COLORREF>(fill);
  UpdateControl(1, 0);
}

void CTextArea::SetFrame(int width, Gdiplus::Color colour, int) {
  m_frameWidth = width;
  m_frameColor = colour;
  UpdateControl(1, 0);
}

void CTextArea::DrawControl(HDC& hdc, CRect) {
  PaintSlices(*this, hdc, 1, 0, [&](Gdiplus::Graphics& g, int w, int h) {
    if (m_frameWidth != 0) FramedFill(g, m_frameColor, m_fill, w, h);
    else Fill(g, FromColorRef(m_fill), 0, 0, w, h);
    if (m_title.IsEmpty()) return;
    auto font = MakeFont(*this);
    g.SetTextRenderingHint(m_textRenderingHint);
    DrawTitle(g, m_title, *font, Gdiplus::RectF(0, 0, static_cast<float>(w), static_cast<float>(h)), m_textColor);
  });
}
