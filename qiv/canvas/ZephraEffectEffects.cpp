// The GIF, game-key and preset effects of the canvas.
#include "canvas/ZephraEffect.h"

#include <algorithm>
#include "core/MRender.h"

// ---- GIF ----

void ZephraEffect::RecomputeGifSize() {
  if (!m_gif) return;
  m_gifScaledWidth = int(float(m_gifWidth) * m_gifScale);
  m_gifScaledHeight = int(float(m_gifHeight) * m_gifScale);
}

void ZephraEffect::SetGIFImage(const wchar_t* path) {
  {
    CriticalSectionLock lock(m_gifLock);
    m_gifTiming = GifTiming{0, 0, 0, 0.0};
    m_keyOffset = CPoint(20, 25);
    m_gifFrame.reset();
    ++m_gifGeneration;
    m_gif.reset();
    m_gif.reset(path && *path ? MRender::LoadImageFromFile(path) : nullptr);
    if (m_gif) {
      m_gifScale = 0.0f;
      m_gifWidth = int(m_gif->GetWidth());
      m_gifHeight = int(m_gif->GetHeight());
      RecomputeGifSize();
      const UINT dimensions = m_gif->GetFrameDimensionsCount();
      if (dimensions == 0) {
        m_gif.reset();
      } else {
        std::vector<GUID> ids(dimensions);
        m_gif->GetFrameDimensionsList(ids.data(), dimensions);
        m_gifTiming.frameCount = int(m_gif->GetFrameCount(&ids[0]));
        if (m_gifTiming.frameCount > 1) {
          const UINT size = m_gif->GetPropertyItemSize(PropertyTagFrameDelay);
          bool hasDelay = false;
          unsigned first = 0;
          if (size >= sizeof(Gdiplus::PropertyItem) + sizeof(LONG)) {
            std::vector<BYTE> buffer(size);
            auto* item = reinterpret_cast<Gdiplus::PropertyItem*>(buffer.data());
            if (m_gif->GetPropertyItem(PropertyTagFrameDelay, size, item) == Gdiplus::Ok && item->length >= 4) {
              hasDelay = true;
              first = unsigned(static_cast<const LONG*>(item->value)[0]);
            }
          }
          m_gifTiming.delayMs = GifFrames::DelayFromProperty(hasDelay, first);
        }
      }
    }
  }
  Repaint();
}

void ZephraEffect::SetGIFDisplayParams(int x, int y, float scale) {
  {
    CriticalSectionLock lock(m_gifLock);
    m_gifPosition = CPoint(x, y);
    m_gifScale = scale;
    RecomputeGifSize();
  }
  Repaint();
}

void ZephraEffect::SetGIFPosition(int x, int y) {
  m_gifPosition = CPoint(x, y);
  Repaint();
}

void ZephraEffect::SetGIFScale(float scale) {
  {
    CriticalSectionLock lock(m_gifLock);
    m_gifScale = scale;
    RecomputeGifSize();
  }
  Repaint();
}

Gdiplus::Image* ZephraEffect::GifFrame() {
  const int index = m_gifTiming.frameCount > 1 ? m_gifTiming.frameIndex : 0;
  if (m_gifFrame && m_gifFrameIndex == index) return m_gifFrame.get();
  m_gifFrame.reset();
  if (m_gifTiming.frameCount > 1) {
    GUID time = Gdiplus::FrameDimensionTime;
    m_gif->SelectActiveFrame(&time, UINT(index));
  }
  // GDI+ converts every source pixel of a scaled picture for each drawing; from 32-bit
  // ARGB that is a copy. Copied at its own size, the frame keeps its pixels.
  auto frame = std::make_unique<Gdiplus::Bitmap>(m_gifWidth, m_gifHeight, PixelFormat32bppARGB);
  if (frame->GetLastStatus() != Gdiplus::Ok) return nullptr;
  {
    Gdiplus::Graphics g(frame.get());
    g.SetCompositingMode(Gdiplus::CompositingModeSourceCopy);
    if (g.DrawImage(m_gif.get(), 0, 0, m_gifWidth, m_gifHeight) != Gdiplus::Ok) return nullptr;
  }
  m_gifFrame = std::move(frame);
  m_gifFrameIndex = index;
  return m_gifFrame.get();
}

void ZephraEffect::DrawGif(PictureTarget& g) {
  if (!m_gif) return;
  const int w = m_gifScaledWidth < 1 ? m_gifWidth : m_gifScaledWidth;
  const int h = m_gifScaledHeight < 1 ? m_gifHeight : m_gifScaledHeight;
  Gdiplus::Image* frame = GifFrame();
  if (!frame) {
    if (m_gifTiming.frameCount > 1) {
      GUID time = Gdiplus::FrameDimensionTime;
      m_gif->SelectActiveFrame(&time, UINT(m_gifTiming.frameIndex));
    }
    frame = m_gif.get();
  }
  g.DrawImage(frame, m_gifPosition.x, m_gifPosition.y, w, h);
}

void ZephraEffect::UpdateGIFEffect() {
  CriticalSectionLock gifLock(m_gifLock);
  CriticalSectionLock keyLock(m_keyLock);
  if (!m_gif || m_gifTiming.frameCount < 1) {
    for (KEYITEM_INFO* key : m_keyView) key->color = 0;
    return;
  }
  const int w = std::max(1, m_gifScaledWidth < 1 ? m_gifWidth : m_gifScaledWidth);
  const int h = std::max(1, m_gifScaledHeight < 1 ? m_gifHeight : m_gifScaledHeight);
  Gdiplus::Bitmap frame(w, h, PixelFormat32bppARGB);
  {
    Gdiplus::Graphics g(&frame);
    g.Clear(Gdiplus::Color(255, 0, 0, 0));
    g.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
    g.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
    if (m_gifTiming.frameCount > 1) {
      GUID time = Gdiplus::FrameDimensionTime;
      m_gif->SelectActiveFrame(&time, UINT(m_gifTiming.frameIndex));
    }
    g.DrawImage(m_gif.get(), 0, 0, w, h);
  }
  if (m_keyView.empty()) return;
  CRect box(INT_MAX, INT_MAX, INT_MIN, INT_MIN);
  for (KEYITEM_INFO* key : m_keyView) {
    const CPoint c = key->rect.CenterPoint();
    box.left = std::min<LONG>(box.left, c.x), box.right = std::max<LONG>(box.right, c.x);
    box.top = std::min<LONG>(box.top, c.y), box.bottom = std::max<LONG>(box.bottom, c.y);
  }
  Gdiplus::Rect all(0, 0, w, h);
  Gdiplus::BitmapData pixels{};
  if (frame.LockBits(&all, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB, &pixels) != Gdiplus::Ok) return;
  for (KEYITEM_INFO* key : m_keyView) {
    const CPoint c = key->rect.CenterPoint();
    const float u = box.Width() > 0 ? float(c.x - box.left) / float(box.Width()) : 0.0f;
    const float v = box.Height() > 0 ? float(c.y - box.top) / float(box.Height()) : 0.0f;
    const int x = std::clamp(int(u * float(w - 1)), 0, w - 1), y = std::clamp(int(v * float(h - 1)), 0, h - 1);
    const auto* row = static_cast<const BYTE*>(pixels.Scan0) + ptrdiff_t(y) * pixels.Stride;
    const DWORD p = reinterpret_cast<const DWORD*>(row)[x];
    const int alpha = int(p >> 24), r = int((p >> 16) & 0xFF), g = int((p >> 8) & 0xFF), b = int(p & 0xFF);
    if (alpha < 50) key->color = 0;
    else if (alpha == 255) key->color = RGB(r, g, b);
    else key->color = RGB(r * alpha / 255, g * alpha / 255, b * alpha / 255);
  }
  frame.UnlockBits(&pixels);
}

// ---- game keys and presets ----

void ZephraEffect::UpdateGameEffect() {
  CriticalSectionLock lock(m_keyLock);
  CanvasPresets::GameStep(m_gamePhase, m_keyView);
}

void ZephraEffect::UpdateCustomEffect() {
  const unsigned seed = m_sources.seed ? m_sources.seed() : 0u;
  CriticalSectionLock lock(m_keyLock);
  CanvasPresets::PresetStep(m_preset, m_keyView, m_mapRows, m_mapColumns, seed);
}

void ZephraEffect::SetPresetMode(int preset) {
  {
    CriticalSectionLock lock(m_stepLock);
    m_preset.preset = preset;
    m_preset.phase = 0;
    m_preset.flowPosition = 0;
    m_preset.phase2 = 0;
  }
  Repaint();
}

void ZephraEffect::SetCountdownValue(int value) {
  {
    CriticalSectionLock lock(m_stepLock);
    m_preset.countdown = value;
  }
  Repaint();
}

void ZephraEffect::SetFlowText(const wchar_t* text) {
  {
    CriticalSectionLock lock(m_stepLock);
    m_preset.flowText = text ? text : L"";
    m_preset.flowPosition = 0;
  }
  Repaint();
}

void ZephraEffect::SetClockTime(int hour, int minute) {
  {
    CriticalSectionLock lock(m_stepLock);
    m_preset.hour = hour;
    m_preset.minute = minute;
  }
  Repaint();
}
