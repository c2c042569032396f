// The canvas's two renderings and its key sampling: the picture the window shows, and the
// hidden rendering that the timer step and the worker run to keep the key colours alive.
//
// The hidden rendering's only result is the colour each key reads at its sample point, so
// it paints its picture on a PictureTarget holding just the sampled rows, reads the
// points straight from memory, and draws a key only where a later key reads a pixel
// under it.
#include "canvas/ZephraEffect.h"

#include <algorithm>
#include "core/Manager.h"
#include "core/PaintManager.h"

namespace {
Gdiplus::Color Opaque(COLORREF c) { return Gdiplus::Color(255, GetRValue(c), GetGValue(c), GetBValue(c)); }

COLORREF FromRgb(DWORD rgb) { return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }

// Keys wider than this are outlined boxes with their name; the others are dots.
constexpr int kDotWidth = 9;
// How far a drawn key reaches beyond its rectangle: half its 2-pixel outline, the name's
// box one pixel right and down, and anti-aliased edges.
constexpr int kKeyReach = 4;

void SetHints(Gdiplus::Graphics& g) {
  g.SetTextRenderingHint(Gdiplus::TextRenderingHintClearTypeGridFit);
  g.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
}

// The selected layer's frame: a dashed rectangle and eight handles.
template <class Target>
void DrawFrame(Target& g, const CRect& r) {
  Gdiplus::Pen dashed(Gdiplus::Color(255, 0, 255, 255), 2.0f);
  dashed.SetDashStyle(Gdiplus::DashStyleDash);
  g.DrawRectangle(&dashed, float(r.left), float(r.top), float(r.Width()), float(r.Height()));
  Gdiplus::SolidBrush white(Gdiplus::Color(255, 255, 255, 255));
  Gdiplus::Pen edge(Gdiplus::Color(255, 0, 255, 255), 1.0f);
  const int xs[3] = {r.left, (r.left + r.right) / 2, r.right};
  const int ys[3] = {r.top, (r.top + r.bottom) / 2, r.bottom};
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) {
      if (i == 1 && j == 1) continue;
      g.FillRectangle(&white, float(xs[i] - 4), float(ys[j] - 4), 8.0f, 8.0f);
      g.DrawRectangle(&edge, float(xs[i] - 4), float(ys[j] - 4), 8.0f, 8.0f);
    }
  }
}
}  // namespace

bool ZephraEffect::PaintsPicture() const {
  return m_zephraMode == ZEPHRA_MUSIC || (m_zephraMode == ZEPHRA_GIF && m_gif);
}

// ---- the picture ----

void ZephraEffect::PaintPicture(PictureTarget& target, bool hidden) {
  if (m_zephraMode == ZEPHRA_MUSIC) {
    target.Begin(0);  // black; the keyboard picture would lie under it
    DrawMusicEffect(target);
    if (hidden) DrawLayerFrame(target);
    return;
  }
  // Hidden: the keyboard picture on an empty rendering, then the GIF; shown: the GIF on
  // black. The stretched keyboard picture is the same every time: it is drawn once per
  // size and picture and copied. A hidden GIF picture is painted again only when its
  // frame, place, size, keyboard picture or sample rows change.
  CriticalSectionLock lock(m_gifLock);
  const GifPictureKey key{m_gifGeneration,
                          m_keyboardImage ? m_keyboardImageGeneration : 0,
                          target.Layout(),
                          m_gifTiming.frameCount > 1 ? m_gifTiming.frameIndex : 0,
                          m_gifPosition.x,
                          m_gifPosition.y,
                          m_gifScaledWidth,
                          m_gifScaledHeight};
  if (hidden && key == m_gifPictureKey && target.Restore(m_gifPicture)) return;
  target.Begin(0);
  if (hidden && m_keyboardImage) {
    if (const DWORD* picture = KeyboardPicture(target.Width(), target.Height()))
      target.CopyFrom(picture, target.Width(), target.Height());
  }
  DrawGif(target);
  if (!hidden) return;
  target.Save(m_gifPicture);
  m_gifPictureKey = key;
}

const DWORD* ZephraEffect::KeyboardPicture(int width, int height) {
  if (m_keyboardPictureGeneration != m_keyboardImageGeneration || m_keyboardPicture.Width() != width ||
      m_keyboardPicture.Height() != height) {
    m_keyboardPictureGeneration = 0;
    if (!m_keyboardImage || !m_keyboardPicture.LayOutWhole(width, height)) return nullptr;
    m_keyboardPicture.Begin(0);
    m_keyboardPicture.DrawImage(m_keyboardImage.get(), 0, 0, width, height);
    m_keyboardPictureGeneration = m_keyboardImageGeneration;
  }
  return m_keyboardPicture.Bits();
}

void ZephraEffect::DrawLayerFrame(PictureTarget& target) {
  if (m_zephraMode != ZEPHRA_MUSIC) return;
  CriticalSectionLock lock(m_layerLock);
  if (m_selectedLayer < 0 || m_selectedLayer >= int(m_layers.size()) || !m_layers[size_t(m_selectedLayer)]) return;
  DrawFrame(target, LayerDisplayRect(*m_layers[size_t(m_selectedLayer)]));
}

void ZephraEffect::DrawLayerFrame(Gdiplus::Graphics& g) {
  if (m_zephraMode != ZEPHRA_MUSIC) return;
  CriticalSectionLock lock(m_layerLock);
  if (m_selectedLayer < 0 || m_selectedLayer >= int(m_layers.size()) || !m_layers[size_t(m_selectedLayer)]) return;
  DrawFrame(g, LayerDisplayRect(*m_layers[size_t(m_selectedLayer)]));
}

// ---- keys ----

Gdiplus::Font* ZephraEffect::KeyFont() {
  // The family the manager holds for the control's font name; a change of name, style or
  // of what the manager holds makes a new font.
  Gdiplus::FontFamily* shared = m_pManager ? m_pManager->FindTempFont(m_fontName.GetString()) : nullptr;
  if (!m_keyFont || m_keyFontName != m_fontName || m_keyFontStyle != int(m_fontStyle) || m_keyFontFamily != shared) {
    Gdiplus::FontFamily* family = GetFontFamily(m_fontName.GetString());
    m_keyFont = std::make_unique<Gdiplus::Font>(family ? family : Gdiplus::FontFamily::GenericSansSerif(), 12.0f,
                                                m_fontStyle, Gdiplus::UnitPixel);
    m_keyFontName = m_fontName;
    m_keyFontStyle = int(m_fontStyle);
    m_keyFontFamily = shared;
  }
  return m_keyFont.get();
}

void ZephraEffect::DrawKey(Gdiplus::Graphics& g, const KEYITEM_INFO& item, const CRect& r) {
  if (r.Width() > kDotWidth) {
    const Gdiplus::Color outline = item.selected ? Manager::m_select_color : Opaque(item.color);
    DrawRoundRectange(g, float(r.left), float(r.top), float(r.Width()), float(r.Height()), 6.0f,
                      Gdiplus::Color(0x64, 255, 255, 255), 2.0f, outline);
    if (!item.name.IsEmpty()) {
      Gdiplus::SolidBrush text(m_textColor);
      Gdiplus::RectF box(float(r.left + 1), float(r.top + 1), float(r.Width() + 1), float(r.Height() + 1));
      g.DrawString(item.name.GetString(), item.name.GetLength(), KeyFont(), box, m_keyFormat.get(), &text);
    }
  } else {
    Gdiplus::SolidBrush fill(Opaque(item.color));
    g.FillEllipse(&fill, r.left, r.top, r.Width(), r.Height());
  }
}

POINT ZephraEffect::SamplePoint(const CRect& r) {
  return r.Width() > kDotWidth ? POINT{r.left + 20, r.top + 10} : POINT{r.left + 3, r.top + 3};
}

void ZephraEffect::DrawKeys(Gdiplus::Graphics& g, HDC dc, int width, int height) {
  const bool sampled = m_zephraMode == ZEPHRA_MUSIC || m_zephraMode == ZEPHRA_GIF;
  // A sample outside the rendering (a key dragged off the canvas) is black.
  auto sample = [&](POINT p) -> COLORREF {
    if (p.x < 0 || p.y < 0 || p.x >= width || p.y >= height) return 0;
    g.Flush(Gdiplus::FlushIntentionSync);
    const COLORREF c = ::GetPixel(dc, p.x, p.y);
    return c == CLR_INVALID ? 0 : c & 0x00FFFFFF;
  };
  CriticalSectionLock lock(m_keyLock);
  for (KEYITEM_INFO* item : m_keyView) {
    if (!item || item->rect.IsRectEmpty() || item->keyCode == 255) continue;
    const CRect r = GetRealRect(item->rect);
    if (sampled) item->color = sample(SamplePoint(r));
    DrawKey(g, *item, r);
  }
}

// ---- the shown rendering ----

void ZephraEffect::DrawControl(HDC& hdc, CRect) {
  const int w = m_rcControl.Width(), h = m_rcControl.Height();
  if (w <= 0 || h <= 0) return;
  // Painting never waits for a step on another thread (that step asks for a repaint
  // when it ends, and may itself wait for the window's control list): while one runs,
  // the last picture is shown again and stays stale.
  if ((!m_bUpdate || !GetMemDC()) && m_stepLock.TryLock()) {
    UpdateMemDC(hdc, w, h);
    if (HDC memory = GetMemDC()) {
      m_pace.PaintStarted(m_sources.preciseMs());
      ::BitBlt(memory, 0, 0, w, h, hdc, m_rcControl.left, m_rcControl.top, SRCCOPY);
      RenderCanvas(memory, w, h);
      m_pace.PaintEnded(m_sources.preciseMs());
    }
    m_stepLock.Unlock();
  }
  if (GetMemDC()) ::BitBlt(hdc, m_rcControl.left, m_rcControl.top, w, h, GetMemDC(), 0, 0, SRCCOPY);
}

void ZephraEffect::RenderCanvas(HDC dc, int width, int height) {
  Gdiplus::Graphics g(dc);
  SetHints(g);
  if (PaintsPicture() && m_shownPicture.LayOutWhole(width, height)) {
    PaintPicture(m_shownPicture, false);
    // The picture covers the control and is opaque: drawn at its own size it is copied
    // pixel for pixel.
    g.DrawImage(m_shownPicture.WholeBitmap(), 0, 0, width, height);
  } else if (m_keyboardImage && !PaintsPicture()) {
    g.DrawImage(m_keyboardImage.get(), 0, 0, width, height);
  }
  DrawKeys(g, dc, width, height);
  DrawLayerFrame(g);
  g.Flush(Gdiplus::FlushIntentionSync);
}

// ---- the hidden rendering ----

void ZephraEffect::DrawHideControl() {
  if (!m_stepLock.TryLock()) return;  // the other thread is rendering this canvas
  RenderHidden();
  m_stepLock.Unlock();
}

void ZephraEffect::LocateSamples(int width, int height) {
  const size_t count = m_keyView.size();
  m_keySamples.resize(count);
  m_samplePoints.clear();
  for (size_t i = 0; i < count; ++i) {
    KeySample& s = m_keySamples[i];
    const KEYITEM_INFO* item = m_keyView[i];
    s = KeySample{};
    if (!item || item->rect.IsRectEmpty()) continue;
    s.rect = GetRealRect(item->rect);
    s.at = SamplePoint(s.rect);
    s.sampled = true;
    s.inside = s.at.x >= 0 && s.at.y >= 0 && s.at.x < width && s.at.y < height;
    if (s.inside) m_samplePoints.push_back(s.at);
  }
  // A key is drawn only when a later key reads a pixel it covers.
  for (size_t i = 0; i < count; ++i) {
    KeySample& s = m_keySamples[i];
    if (!s.sampled) continue;
    CRect reach = s.rect;
    reach.InflateRect(kKeyReach, kKeyReach);
    for (size_t j = i + 1; j < count && !s.covers; ++j) {
      const KeySample& later = m_keySamples[j];
      s.covers = later.sampled && later.inside && reach.left <= later.at.x && later.at.x <= reach.right &&
                 reach.top <= later.at.y && later.at.y <= reach.bottom;
    }
  }
}

void ZephraEffect::RenderHidden() {
  // Only the music and GIF modes colour keys from the rendering; in the other modes the
  // hidden rendering would leave nothing behind.
  if (m_zephraMode != ZEPHRA_MUSIC && m_zephraMode != ZEPHRA_GIF) return;
  const int w = m_rcControl.Width(), h = m_rcControl.Height();
  if (w <= 0 || h <= 0) return;
  unsigned layout = 0;
  {
    CriticalSectionLock lock(m_keyLock);
    layout = m_keyLayout;
    LocateSamples(w, h);
  }
  if (!m_sampledPicture.LayOutRows(m_samplePoints, w, h)) return;
  PaintPicture(m_sampledPicture, true);

  CriticalSectionLock lock(m_keyLock);
  // Keys added or removed since the points were taken are sampled by the next step.
  if (layout != m_keyLayout || m_keySamples.size() != m_keyView.size()) return;
  for (size_t i = 0; i < m_keyView.size(); ++i) {
    const KeySample& s = m_keySamples[i];
    KEYITEM_INFO* item = m_keyView[i];
    if (!s.sampled || !item) continue;
    DWORD rgb = 0;
    if (s.inside && !m_sampledPicture.Pixel(s.at.x, s.at.y, rgb)) continue;
    item->color = s.inside ? FromRgb(rgb) : 0;
    if (!s.covers) continue;
    CRect reach = s.rect;
    reach.InflateRect(kKeyReach, kKeyReach);
    const Gdiplus::RectF box(float(reach.left), float(reach.top), float(reach.Width()), float(reach.Height()));
    m_sampledPicture.Paint(box, [&](Gdiplus::Graphics& g) { DrawKey(g, *item, s.rect); });
  }
}
