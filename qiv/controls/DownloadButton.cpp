#include "controls/DownloadButton.h"
#include <cstdio>
#include "controls/ControlPaint.h"
#include "controls/PushRules.h"
#include "core/MRender.h"

using namespace ControlPaint;

DownloadButton::DownloadButton(MObject* parent, unsigned id, CRect rect, const wchar_t* title, int visible,
                               int enabled)
    : MControlFont(parent, id, rect, title, visible, enabled, 1) {
  m_hAlign = 1;
}

DownloadButton::~DownloadButton() = default;

const wchar_t* DownloadButton::GetClassNameW() const { return L"DownloadButton"; }

void DownloadButton::SetDownloadProcess(int percent) {
  if (percent == m_progress) return;
  m_progress = percent;
  UpdateControl(1, 0);
}

int DownloadButton::SetIconImage(const wchar_t* file, int frames) {
  m_icon = LoadSkinStrip(file, frames, m_iconFrameWidth, m_iconFrameHeight);
  if (!m_icon) return 0;
  m_iconFrameCount = frames;
  return 1;
}

void DownloadButton::SetControlEnabled(int enabled) { PushRules::Enable(*this, m_state, m_bEnabled, enabled); }
int DownloadButton::OnControlMouseMove(unsigned, CPoint point) { return PushRules::Move(*this, m_state, point); }
int DownloadButton::OnControlLButtonDown(unsigned, CPoint point) { return PushRules::Press(*this, m_state, point); }
int DownloadButton::OnControlLButtonUp(unsigned, CPoint point) {
  return PushRules::Release(*this, m_state, point, false);
}
int DownloadButton::OnControlKeyDown(unsigned key, unsigned repeat, unsigned modifiers) {
  return MControlFont::OnControlKeyDown(key, repeat, modifiers);
}

void DownloadButton::DrawControl(HDC& hdc, CRect) {
  if (m_progress > 0) {
    PaintSlices(*this, hdc, 1, 0, [&](Gdiplus::Graphics& g, int w, int h) {
      MRender::DrawImageFrame(g, m_pImage, CRect(0, 0, w, h), 0, 0, m_frameWidth, m_frameHeight, m_frameSize);
      const int filled = w * m_progress / 100;
      MRender::DrawImageFrame(g, m_pImage, CRect(0, 0, filled, h), m_frameWidth, 0, m_frameWidth, m_frameHeight,
                              m_frameSize);
      wchar_t text[16];
      std::swprintf(text, 16, L"%d%%", m_progress);
      g.SetTextRenderingHint(m_textRenderingHint);
      auto font = MakeFont(*this);
      DrawTitle(g, text, *font, Gdiplus::RectF(0, 0, static_cast<float>(w), static_cast<float>(h)), m_textColor);
    });
    return;
  }
  PaintSlices(*this, hdc, 4, m_state, [&](Gdiplus::Graphics& g, int w, int h) {
    for (int i = 0; i < 4; ++i)
      MRender::DrawImageFrame(g, m_pImage, CRect(i * w, 0, i * w + w, h), i * m_frameWidth, 0, m_frameWidth,
                              m_frameHeight, m_frameSize);
    if (m_title.IsEmpty()) return;
    auto font = MakeFont(*this);
    g.SetTextRenderingHint(m_textRenderingHint);
    g.SetSmoothingMode(m_smoothingMode);
    for (int i = 0; i < 4; ++i) {
      const float d = i == 2 ? 1.0f : 0.0f;
      DrawTitle(g, m_title, *font,
                Gdiplus::RectF(static_cast<float>(i * w) + d, d, static_cast<float>(w), static_cast<float>(h)),
                i == 3 ? Gdiplus::Color(0xFF808080) : m_textColor);
    }
  });
}
