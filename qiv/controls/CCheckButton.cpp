#include "controls/CCheckButton.h"
#include "controls/ControlPaint.h"
#include "core/MRender.h"

using namespace ControlPaint;

namespace {
// Frame i of the strip at natural size, vertically centred in slice i.
void DrawBoxFrames(Gdiplus::Graphics& g, Gdiplus::Image* image, int looks, int w, int h, int fw, int fh) {
  if (!image) return;
  for (int i = 0; i < looks; ++i)
    MRender::DrawImage(g, image, CRect(i * w, (h - fh) / 2, i * w + fw, (h - fh) / 2 + fh), i * fw, 0, fw, fh);
}
}  // namespace

CCheckButton::CCheckButton(MObject* parent, unsigned id, CRect rect, const wchar_t* title, int visible, int enabled)
    : CheckableButton(parent, id, rect, title, visible, enabled, 8) {}

CCheckButton::~CCheckButton() = default;

const wchar_t* CCheckButton::GetClassNameW() const { return L"CCheckButton"; }

int CCheckButton::SetCheck(int check) { return CheckBoxSetCheck(m_checked, m_state, m_bEnabled, check, 4, *this); }

void CCheckButton::OnClickRelease() { m_checked = m_checked ? 0 : 1; }
void CCheckButton::OnSpace() { SetCheck(m_checked ? 0 : 1); }

void CCheckButton::DrawControl(HDC& hdc, CRect) {
  PaintSlices(*this, hdc, 8, m_state, [&](Gdiplus::Graphics& g, int w, int h) {
    DrawBoxFrames(g, m_pImage, 8, w, h, m_frameWidth, m_frameHeight);
    if (m_title.IsEmpty()) return;
    auto font = MakeFont(*this);
    g.SetTextRenderingHint(m_textRenderingHint);
    for (int i = 0; i < 8; ++i) {
      const Gdiplus::RectF layout(static_cast<float>(i * w + m_frameWidth + 8), (h - m_frameHeight) * 0.5f,
                                  static_cast<float>(w - m_frameWidth - 8), static_cast<float>(m_frameHeight));
      DrawTitle(g, m_title, *font, layout, (i == 3 || i == 7) ? Gdiplus::Color(0xFE808080) : m_textColor,
                Gdiplus::StringAlignmentNear);
    }
  });
}

TextCheckButton::TextCheckButton(MObject* parent, unsigned id, CRect rect, const wchar_t* title, int visible,
                                 int enabled)
    : CheckableButton(parent, id, rect, title, visible, enabled, 8) {
  SetTextColor(Gdiplus::Color(0xFEFFFFFF));
}

TextCheckButton::~TextCheckButton() = default;

const wchar_t* TextCheckButton::GetClassNameW() const { return L"TextCheckButton"; }

int TextCheckButton::SetImage(const wchar_t* file, int count) { return MControlFont::SetImage(file, count); }
int TextCheckButton::SetImage(unsigned resId, CString type, int count) {
  return MControlFont::SetImage(resId, type, count);
}

int TextCheckButton::SetCheck(int check) { return CheckBoxSetCheck(m_checked, m_state, m_bEnabled, check, 4, *this); }

void TextCheckButton::SetTextButtonColor(Gdiplus::Color normal, Gdiplus::Color hover, Gdiplus::Color pressed,
                                         Gdiplus::Color disabled) {
  SetTextColor(normal);
  m_hoverColor = hover;
  m_pressedColor = pressed;
  m_disabledColor = disabled;
}

void TextCheckButton::OnClickRelease() { m_checked = m_checked ? 0 : 1; }
void TextCheckButton::OnSpace() { SetCheck(m_checked ? 0 : 1); }

void TextCheckButton::DrawControl(HDC& hdc, CRect) {
  PaintSlices(*this, hdc, 8, m_state, [&](Gdiplus::Graphics& g, int w, int h) {
    DrawBoxFrames(g, m_pImage, 8, w, h, m_frameWidth, m_frameHeight);
    if (m_title.IsEmpty()) return;
    auto font = MakeFont(*this);
    g.SetTextRenderingHint(m_textRenderingHint);
    // A checked box shows its pressed colour at rest and its normal colour when pressed.
    const Gdiplus::Color colours[8] = {m_textColor,    m_hoverColor, m_pressedColor, m_disabledColor,
                                       m_pressedColor, m_hoverColor, m_textColor,    m_disabledColor};
    for (int i = 0; i < 8; ++i) {
      const float d = i == 2 ? 1.0f : 0.0f;
      DrawTitle(g, m_title, *font,
                Gdiplus::RectF(static_cast<float>(i * w) + d, d, static_cast<float>(w), static_cast<float>(h)),
                colours[i]);
    }
  });
}
