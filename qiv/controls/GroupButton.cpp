#include "controls/GroupButton.h"
#include "controls/ButtonGroup.h"
#include "controls/ControlPaint.h"
#include "core/Manager.h"

using namespace ControlPaint;

GroupButton::GroupButton(MObject* parent, unsigned id, CRect rect, const wchar_t* title, int visible, int enabled,
                         int frames)
    : CheckableButton(parent, id, rect, title, visible, enabled, frames) {}

GroupButton::~GroupButton() = default;

int GroupButton::SetCheck(int check) {
  if (!m_bEnabled) return m_checked;
  const bool changed = check != m_checked;
  m_checked = check;
  m_state = Look(0);
  if (changed) {
    ResetGroupCheck();
    UpdateControl(0, 0);
  }
  return m_checked;
}

void GroupButton::SetControlCheck(int check) {
  m_checked = check;
  m_state = Look(0);
  UpdateControl(0, 0);
}

void GroupButton::UncheckByGroup() {
  m_checked = 0;
  m_state = 0;
  UpdateControl(0, 0);
}

void GroupButton::OnClickRelease() {
  m_checked = 1;
  ResetGroupCheck();
}

void GroupButton::OnSpace() {
  if (!m_bEnabled) return;
  const int was = m_checked;
  m_checked = 1;
  m_state = Look(0);
  if (was) return;
  ResetGroupCheck();
  UpdateControl(0, 0);
}

// ---- CRadioButton ----

CRadioButton::CRadioButton(MObject* parent, unsigned id, CRect rect, const wchar_t* title, int visible, int enabled)
    : GroupButton(parent, id, rect, title, visible, enabled, 8) {}

CRadioButton::~CRadioButton() = default;

const wchar_t* CRadioButton::GetClassNameW() const { return L"RadioButton"; }

int CRadioButton::ResetGroupCheck() {
  return ButtonGroup::Reset(*this, false, [](CRadioButton& other) { other.UncheckByGroup(); });
}

void CRadioButton::DrawControl(HDC& hdc, CRect) {
  PaintSlices(*this, hdc, 8, m_state, [&](Gdiplus::Graphics& g, int w, int h) {
    for (int i = 0; m_pImage && i < 8; ++i)
      g.DrawImage(m_pImage, Gdiplus::Rect(i * w, (h - m_frameHeight) / 2, m_frameWidth, m_frameHeight),
                  i * m_frameWidth, 0, m_frameWidth, m_frameHeight, Gdiplus::UnitPixel);
    if (m_title.IsEmpty()) return;
    auto font = MakeFont(*this);
    g.SetTextRenderingHint(m_textRenderingHint);
    for (int i = 0; i < 8; ++i)
      DrawTitle(g, m_title, *font,
                Gdiplus::RectF(static_cast<float>(i * w + m_frameWidth + 8), 0.0f,
                               static_cast<float>(w - m_frameWidth - 3), static_cast<float>(h)),
                (i == 3 || i == 7) ? Gdiplus::Color(0xFF808080) : m_textColor, Gdiplus::StringAlignmentNear);
  });
}

// ---- KeyLayerButton ----

KeyLayerButton::KeyLayerButton(MObject* parent, unsigned id, CRect rect, const wchar_t* title, int visible,
                               int enabled)
    : GroupButton(parent, id, rect, title, visible, enabled, 8) {
  m_groupName = L"KeyLayerButton";
}

KeyLayerButton::~KeyLayerButton() = default;

const wchar_t* KeyLayerButton::GetClassNameW() const { return L"KeyLayerButton"; }

int KeyLayerButton::ResetGroupCheck() {
  return ButtonGroup::Reset(*this, false, [](KeyLayerButton& other) { other.UncheckByGroup(); });
}

void KeyLayerButton::DrawControl(HDC& hdc, CRect) {
  PaintSlices(*this, hdc, 8, m_state, [&](Gdiplus::Graphics& g, int w, int h) {
    if (m_title.IsEmpty()) return;
    auto font = MakeFont(*this);
    g.SetTextRenderingHint(m_textRenderingHint);
    const Gdiplus::Color dim(0xC8FFFFFF), select = Manager::GetSelectColor();
    const Gdiplus::Color colours[8] = {Gdiplus::Color(0xFFFFFFFF), dim, dim, dim, select, select, dim, dim};
    for (int i = 0; i < 8; ++i)
      DrawTitle(g, m_title, *font,
                Gdiplus::RectF(static_cast<float>(i * w), 0.0f, static_cast<float>(w), static_cast<float>(h)),
                colours[i]);
  });
}

// ---- CSelectButton ----

CSelectButton::CSelectButton(MObject* parent, unsigned id, CRect rect, const wchar_t* title, int visible,
                             int enabled)
    : GroupButton(parent, id, rect, title, visible, enabled, 4) {
  SetTextColor(Gdiplus::Color(0xFEFFFFFF));
}

CSelectButton::~CSelectButton() = default;

const wchar_t* CSelectButton::GetClassNameW() const { return L"CSelectButton"; }

// A selected selection button always shows its pressed frame (disabled: the disabled one).
int CSelectButton::Look(int phase) const { return m_checked && phase != 3 ? 2 : phase; }

int CSelectButton::ResetGroupCheck() {
  return ButtonGroup::Reset(*this, true, [](CSelectButton& other) { other.UncheckByGroup(); });
}

void CSelectButton::DrawControl(HDC& hdc, CRect) {
  PaintSlices(*this, hdc, 4, m_state, [&](Gdiplus::Graphics& g, int w, int h) {
    for (int i = 0; m_pImage && i < 4; ++i)
      g.DrawImage(m_pImage, Gdiplus::Rect(i * w, (h - m_frameHeight) / 2, m_frameWidth, m_frameHeight),
                  i * m_frameWidth, 0, m_frameWidth, m_frameHeight, Gdiplus::UnitPixel);
    if (m_title.IsEmpty()) return;
    auto font = MakeFont(*this);
    g.SetTextRenderingHint(m_textRenderingHint);
    for (int i = 0; i < 4; ++i)
      DrawTitle(g, m_title, *font,
                Gdiplus::RectF(static_cast<float>(i * w), 0.0f, static_cast<float>(w), static_cast<float>(h)),
                i == 3 ? Gdiplus::Color(0xFF808080) : m_textColor);
  });
}
