// Shared pieces of the canvas tests: a fake clock and random source, controls that
// expose their protected parts, and a render target whose pixels a test can read.
#pragma once
#include <windows.h>
#include <gdiplus.h>
#include <deque>
#include <memory>
#include <vector>
#include "canvas/MatrixScreen.h"
#include "canvas/ZephraEffect.h"

namespace canvastest {

// A clock the test moves by hand, a fixed seed and a scripted rand().
struct FakeSources {
  DWORD tick = 100000;
  double precise = 100000.0;
  unsigned seed = 1234;
  std::deque<int> rands;  // consumed first; then 0
  int grabs = 0;
  EffectSources Make() {
    EffectSources s = EffectSources::System();
    s.tickMs = [this] { return tick; };
    s.preciseMs = [this] { return precise; };
    s.seed = [this] { return seed; };
    s.rand15 = [this] {
      if (rands.empty()) return 0;
      const int r = rands.front();
      rands.pop_front();
      return r;
    };
    return s;
  }
};

class TestCanvas : public ZephraEffect {
public:
  explicit TestCanvas(CRect rect = CRect(0, 0, 600, 400), MObject* parent = nullptr)
      : ZephraEffect(parent, 59, rect, 1) {}
  using ZephraEffect::GetBeatBoost;
  using ZephraEffect::GetDragType;
  using ZephraEffect::GetMusicResponsiveColor;
  using ZephraEffect::HasFFTData;
  using ZephraEffect::GetFFTSpectrum64;
  using ZephraEffect::m_preset;
  using ZephraEffect::m_gifTiming;
  using ZephraEffect::m_keyOffset;
  using ZephraEffect::SetKeyboardPicture;
  // Renders into a 32-bit DIB the size of the control and answers its pixels
  // (0xAARRGGBB, rows top first).
  std::vector<DWORD> Render() {
    const int w = m_rcControl.Width(), h = m_rcControl.Height();
    HDC dc = ::CreateCompatibleDC(nullptr);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = ::SelectObject(dc, bitmap);
    SetUpdate(0, 0);
    DrawControl(dc, m_rcControl);
    ::GdiFlush();
    std::vector<DWORD> pixels(static_cast<const DWORD*>(bits), static_cast<const DWORD*>(bits) + size_t(w) * size_t(h));
    ::SelectObject(dc, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(dc);
    return pixels;
  }
};

class TestMatrix : public MatrixScreen {
public:
  explicit TestMatrix(CRect rect = CRect(0, 0, 150, 150)) : MatrixScreen(nullptr, 277, rect, 1) {}
  using MatrixScreen::Point;
  using MatrixScreen::m_life;
  using MatrixScreen::m_snake;
  using MatrixScreen::m_snakeDx;
  using MatrixScreen::m_snakeDy;
  using MatrixScreen::m_fallHeights;
  using MatrixScreen::m_circleRadius;
  using MatrixScreen::m_rippleRadius;
  using MatrixScreen::m_zoom;
  static void ResetShared() { s_shared = SharedState{}; }
  COLORREF Cell(int x, int y) { return GetKeyItems()[size_t(y * 7 + x)]->color; }
  int LitCount() {
    int n = 0;
    for (MATRIXITEM_INFO* c : GetKeyItems()) n += c->color != 0;
    return n;
  }
};

}  // namespace canvastest
