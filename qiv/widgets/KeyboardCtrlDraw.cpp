// Rendering of the on-screen keyboard: the whole control, or only the keys that changed
// over the cached background.
#include <algorithm>
#include "core/MRender.h"
#include "core/Manager.h"
#include "core/PaintManager.h"
#include "widgets/KeyboardCtrl.h"

namespace {
constexpr int kEdge = 2;
constexpr int kCapStretchWidth = 50;
constexpr int kCapCorner = 8;
const Gdiplus::Color kKnobColor(0xFFF6F6F6);
const Gdiplus::Color kWhite(0xFFFFFFFF);

Gdiplus::Color Opaque(COLORREF c) { return Gdiplus::Color(255, GetRValue(c), GetGValue(c), GetBValue(c)); }

Gdiplus::RectF ToRectF(const CRect& r) {
  return Gdiplus::RectF(static_cast<Gdiplus::REAL>(r.left), static_cast<Gdiplus::REAL>(r.top),
                        static_cast<Gdiplus::REAL>(r.Width()), static_cast<Gdiplus::REAL>(r.Height()));
}

void Prepare(Gdiplus::Graphics& g, Gdiplus::TextRenderingHint hint, Gdiplus::SmoothingMode smoothing) {
  g.SetTextRenderingHint(hint);
  g.SetSmoothingMode(smoothing);
}
}  // namespace

void KeyboardCtrl::DrawControl(HDC& hdc, CRect) {
  const int w = m_rcControl.Width(), h = m_rcControl.Height();
  if (w <= 0 || h <= 0) return;
  if (!m_bUpdate || !m_hMemDC) {
    CriticalSectionLock guard(m_keyLock);
    const bool cached = m_hMemDC && m_memWidth == w && m_memHeight == h && m_base.dc() && m_base.width() == w &&
                        m_base.height() == h;
    if (!m_fullRender && cached && !m_dirtyKeys.empty()) {
      std::vector<int> dirty;
      dirty.swap(m_dirtyKeys);
      RenderKeys(dirty);
      m_bUpdate = 1;
    } else {
      ::Sleep(1);  // lets a worker that waits for the key list finish its change first
      RenderAll(hdc, w, h);
    }
  }
  ::BitBlt(hdc, m_rcControl.left, m_rcControl.top, w, h, m_hMemDC, 0, 0, SRCCOPY);
}

void KeyboardCtrl::RenderAll(HDC hdc, int w, int h) {
  m_fullRender = false;
  m_dirtyKeys.clear();
  ++m_fullRenders;
  UpdateMemDC(hdc, w, h);
  if (m_base.Ensure(hdc, w, h)) {
    ::BitBlt(m_base.dc(), 0, 0, w, h, hdc, m_rcControl.left, m_rcControl.top, SRCCOPY);
    if (m_keyboardPicture) {
      Gdiplus::Graphics back(m_base.dc());
      Prepare(back, m_textRenderingHint, m_smoothingMode);
      back.DrawImage(m_keyboardPicture.get(), 0, 0, w, h);
    }
    ::BitBlt(m_hMemDC, 0, 0, w, h, m_base.dc(), 0, 0, SRCCOPY);
  }
  Gdiplus::Graphics g(m_hMemDC);
  Prepare(g, m_textRenderingHint, m_smoothingMode);
  Gdiplus::FontFamily* family = m_pManager ? m_pManager->FindTempFont(m_fontName) : nullptr;
  std::unique_ptr<Gdiplus::Font> font;
  if (family) font = std::make_unique<Gdiplus::Font>(family, 12.0f, m_fontStyle, Gdiplus::UnitPixel);
  for (size_t i = 0; i < m_keys.size(); ++i) DrawKey(g, *m_keys[i], static_cast<int>(i), font.get());
}

// Each changed key's area gets its background back and every key reaching into it is
// drawn again, clipped to it, so the result equals a full render.
void KeyboardCtrl::RenderKeys(const std::vector<int>& indexes) {
  ++m_partialRenders;
  Gdiplus::FontFamily* family = m_pManager ? m_pManager->FindTempFont(m_fontName) : nullptr;
  std::unique_ptr<Gdiplus::Font> font;
  if (family) font = std::make_unique<Gdiplus::Font>(family, 12.0f, m_fontStyle, Gdiplus::UnitPixel);
  std::vector<int> done;
  for (int index : indexes) {
    if (index < 0 || index >= static_cast<int>(m_keys.size())) continue;
    if (std::find(done.begin(), done.end(), index) != done.end()) continue;
    done.push_back(index);
    CRect area = GetRealRect(m_keys[static_cast<size_t>(index)]->rect);
    area.InflateRect(kEdge, kEdge);
    ::BitBlt(m_hMemDC, area.left, area.top, area.Width(), area.Height(), m_base.dc(), area.left, area.top, SRCCOPY);
    Gdiplus::Graphics g(m_hMemDC);
    Prepare(g, m_textRenderingHint, m_smoothingMode);
    g.SetClip(Gdiplus::Rect(area.left, area.top, area.Width(), area.Height()));
    for (size_t i = 0; i < m_keys.size(); ++i) {
      CRect reach = GetRealRect(m_keys[i]->rect);
      reach.InflateRect(kEdge, kEdge);
      CRect meet;
      if (meet.IntersectRect(reach, area)) DrawKey(g, *m_keys[i], static_cast<int>(i), font.get());
    }
  }
}

void KeyboardCtrl::DrawCap(Gdiplus::Graphics& g, const CRect& r, int frame) {
  if (!m_pImage || m_frameWidth <= 0) return;
  const int srcX = frame * m_frameWidth;
  if (r.Width() <= kCapStretchWidth)
    g.DrawImage(m_pImage, Gdiplus::Rect(r.left, r.top, r.Width(), r.Height()), srcX, 0, m_frameWidth, m_frameHeight,
                Gdiplus::UnitPixel);
  else
    MRender::DrawImageFrame(g, m_pImage, r, srcX, 0, m_frameWidth, m_frameHeight, kCapCorner);
}

void KeyboardCtrl::DrawKey(Gdiplus::Graphics& g, const KEY_INFO& key, int index, Gdiplus::Font* font) {
  const CRect r = GetRealRect(key.rect);
  const bool knob = key.IsKnob();
  const bool pointed = index == m_pressedKey || index == m_hoverKey;
  const Gdiplus::RectF textBox(static_cast<Gdiplus::REAL>(r.left + 1), static_cast<Gdiplus::REAL>(r.top + 1),
                               static_cast<Gdiplus::REAL>(r.Width()), static_cast<Gdiplus::REAL>(r.Height()));
  auto text = [&](const CString& s, Gdiplus::Color colour) {
    if (!font || s.IsEmpty()) return;
    Gdiplus::SolidBrush brush(colour);
    g.DrawString(s.GetString(), s.GetLength(), font, textBox, m_format.get(), &brush);
  };
  auto knobShape = [&](bool outline) {
    Gdiplus::SolidBrush fill(kKnobColor);
    g.FillEllipse(&fill, ToRectF(r));
    if (outline) {
      Gdiplus::Pen pen(Manager::m_select_color, 1.0f);
      g.DrawEllipse(&pen, ToRectF(r));
    }
  };
  auto rounded = [&](bool filled, Gdiplus::Color border) {
    MRender::DrawRoundRectange(g, static_cast<float>(r.left), static_cast<float>(r.top), static_cast<float>(r.Width()),
                               static_cast<float>(r.Height()), 12.0f, border, 2.0f, filled, Opaque(key.keyColor));
  };
  switch (m_mode) {
    case KEYBOARD_MODE_LEGEND:
      if (knob) knobShape(false);
      else DrawCap(g, r, 0);
      text(key.legend, m_textColor);
      break;
    case KEYBOARD_MODE_FUNCTION:
      if (knob) knobShape(pointed);
      else DrawCap(g, r, pointed || key.checked ? 1 : 0);
      text(key.name, m_textColor);
      break;
    case KEYBOARD_MODE_FILL:
      if (knob) break;
      rounded(true, m_frameSelect && key.checked ? Manager::m_select_color : Opaque(key.keyColor));
      text(key.legend, kWhite);
      break;
    case KEYBOARD_MODE_OUTLINE:
      rounded(false, Opaque(key.keyColor));
      break;
    default:
      break;
  }
}
