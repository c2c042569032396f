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

bool KeyboardCtrl::CanRenderKeysOnly(int w, int h) const {
  return !m_fullRender && !m_dirtyKeys.empty() && m_hMemDC && m_memWidth == w && m_memHeight == h &&
         m_surface.width() == w && m_surface.height() == h && m_basePixels.size() == static_cast<size_t>(w) * h;
}

void KeyboardCtrl::DrawControl(HDC& hdc, CRect) {
  const int w = m_rcControl.Width(), h = m_rcControl.Height();
  if (w <= 0 || h <= 0) return;
  if (!m_bUpdate || !m_hMemDC) {
    bool keysOnly;
    {
      CriticalSectionLock guard(m_keyLock);
      keysOnly = CanRenderKeysOnly(w, h);
    }
    // Before a full render, a worker that is changing the key list gets to finish first.
    if (!keysOnly) ::Sleep(1);
    CriticalSectionLock guard(m_keyLock);
    if (CanRenderKeysOnly(w, h)) {
      std::vector<int> dirty;
      dirty.swap(m_dirtyKeys);
      RenderKeys(dirty);
      m_bUpdate = 1;
    } else {
      RenderAll(hdc, w, h);
    }
  }
  ::BitBlt(hdc, m_rcControl.left, m_rcControl.top, w, h, m_hMemDC, 0, 0, SRCCOPY);
}

std::unique_ptr<Gdiplus::Font> KeyboardCtrl::KeyFont() {
  Gdiplus::FontFamily* family = m_pManager ? m_pManager->FindTempFont(m_fontName) : nullptr;
  if (!family) return nullptr;
  return std::make_unique<Gdiplus::Font>(family, 12.0f, m_fontStyle, Gdiplus::UnitPixel);
}

// The keys are drawn in memory on the surface, then copied to the control's bitmap.
void KeyboardCtrl::RenderAll(HDC hdc, int w, int h) {
  m_fullRender = false;
  m_dirtyKeys.clear();
  ++m_fullRenders;
  UpdateMemDC(hdc, w, h);
  if (!m_surface.Ensure(hdc, w, h)) {
    ::BitBlt(m_hMemDC, 0, 0, w, h, hdc, m_rcControl.left, m_rcControl.top, SRCCOPY);
    return;
  }
  ::BitBlt(m_surface.dc(), 0, 0, w, h, hdc, m_rcControl.left, m_rcControl.top, SRCCOPY);
  ::GdiFlush();
  uint32_t* const pixels = m_surface.bits();
  const size_t count = static_cast<size_t>(w) * h;
  Gdiplus::Bitmap* picture = ScaledKeyboardPicture(w, h);
  // Under the keys nothing changed since the last render: the picture need not be laid
  // over the window's pixels again.
  const bool sameBase = m_backgroundPixels.size() == count && m_basePicture == picture &&
                        m_basePixels.size() == count && std::equal(pixels, pixels + count, m_backgroundPixels.begin());
  if (sameBase) {
    std::copy(m_basePixels.begin(), m_basePixels.end(), pixels);
  } else {
    m_backgroundPixels.assign(pixels, pixels + count);
    if (picture) {
      Gdiplus::Graphics back(m_surface.bitmap());
      back.DrawImage(picture, Gdiplus::Rect(0, 0, w, h), 0, 0, w, h, Gdiplus::UnitPixel);
    }
    m_basePixels.assign(pixels, pixels + count);
    m_basePicture = picture;
  }
  {
    Gdiplus::Graphics g(m_surface.bitmap());
    Prepare(g, m_textRenderingHint, m_smoothingMode);
    const auto font = KeyFont();
    for (size_t i = 0; i < m_keys.size(); ++i) DrawKey(g, *m_keys[i], static_cast<int>(i), font.get());
  }
  ::BitBlt(m_hMemDC, 0, 0, w, h, m_surface.dc(), 0, 0, SRCCOPY);
}

// Each changed key's area gets its background back and every key reaching into it is
// drawn again, clipped to it, so the result equals a full render.
void KeyboardCtrl::RenderKeys(const std::vector<int>& indexes) {
  ++m_partialRenders;
  const auto font = KeyFont();
  const CRect surface(0, 0, m_surface.width(), m_surface.height());
  std::vector<int> done;
  std::vector<CRect> areas;
  for (int index : indexes) {
    if (index < 0 || index >= static_cast<int>(m_keys.size())) continue;
    if (std::find(done.begin(), done.end(), index) != done.end()) continue;
    done.push_back(index);
    CRect area = GetRealRect(m_keys[static_cast<size_t>(index)]->rect);
    area.InflateRect(kEdge, kEdge);
    if (!area.IntersectRect(area, surface)) continue;
    for (int y = area.top; y < area.bottom; ++y) {
      const size_t row = static_cast<size_t>(y) * m_surface.width();
      std::copy(m_basePixels.begin() + row + area.left, m_basePixels.begin() + row + area.right,
                m_surface.bits() + row + area.left);
    }
    Gdiplus::Graphics g(m_surface.bitmap());
    Prepare(g, m_textRenderingHint, m_smoothingMode);
    g.SetClip(Gdiplus::Rect(area.left, area.top, area.Width(), area.Height()));
    for (size_t i = 0; i < m_keys.size(); ++i) {
      CRect reach = GetRealRect(m_keys[i]->rect);
      reach.InflateRect(kEdge, kEdge);
      CRect meet;
      if (meet.IntersectRect(reach, area)) DrawKey(g, *m_keys[i], static_cast<int>(i), font.get());
    }
    areas.push_back(area);
  }
  for (const CRect& area : areas)
    ::BitBlt(m_hMemDC, area.left, area.top, area.Width(), area.Height(), m_surface.dc(), area.left, area.top,
             SRCCOPY);
}

Gdiplus::Bitmap* KeyboardCtrl::ScaledKeyboardPicture(int w, int h) {
  Gdiplus::Image* source = m_keyboardPicture.get();
  if (!source) return nullptr;
  if (!m_scaledPicture || m_scaledSource != source || static_cast<int>(m_scaledPicture->GetWidth()) != w ||
      static_cast<int>(m_scaledPicture->GetHeight()) != h) {
    m_scaledPicture = std::make_unique<Gdiplus::Bitmap>(w, h, PixelFormat32bppPARGB);
    Gdiplus::Graphics g(m_scaledPicture.get());
    Prepare(g, m_textRenderingHint, m_smoothingMode);
    g.DrawImage(source, 0, 0, w, h);
    m_scaledSource = source;
  }
  return m_scaledPicture.get();
}

void KeyboardCtrl::DrawCap(Gdiplus::Graphics& g, const CRect& r, int frame) {
  if (!m_pImage || m_frameWidth <= 0 || r.IsRectEmpty()) return;
  if (m_capSource != m_pImage) {
    m_caps.clear();
    m_capSource = m_pImage;
  }
  auto& cap = m_caps[std::make_tuple(r.Width(), r.Height(), frame)];
  if (!cap) {
    cap = std::make_unique<Gdiplus::Bitmap>(r.Width(), r.Height(), PixelFormat32bppPARGB);
    Gdiplus::Graphics cg(cap.get());
    Prepare(cg, m_textRenderingHint, m_smoothingMode);
    const CRect whole(0, 0, r.Width(), r.Height());
    const int srcX = frame * m_frameWidth;
    if (r.Width() <= kCapStretchWidth)
      cg.DrawImage(m_pImage, Gdiplus::Rect(0, 0, r.Width(), r.Height()), srcX, 0, m_frameWidth, m_frameHeight,
                   Gdiplus::UnitPixel);
    else
      MRender::DrawImageFrame(cg, m_pImage, whole, srcX, 0, m_frameWidth, m_frameHeight, kCapCorner);
  }
  g.DrawImage(cap.get(), Gdiplus::Rect(r.left, r.top, r.Width(), r.Height()), 0, 0, r.Width(), r.Height(),
              Gdiplus::UnitPixel);
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
