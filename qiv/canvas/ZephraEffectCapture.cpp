// The screen and window capture effects of the canvas: a desktop area or one window is
// shrunk to the canvas's grid, one colour per cell of the colour map, and every key
// takes the colour of its cell.
#include "canvas/ZephraEffect.h"

#include <algorithm>
#include "canvas/ColorMath.h"

namespace {
constexpr int kScreenWidth = 320, kScreenHeight = 180;
constexpr int kWindowWidth = 480, kWindowHeight = 270;

// "[screen link]" and the messages of the capture rectangle fallbacks.
#define SCREEN_TAG L"[\x5C4F\x5E55\x8054\x52A8] "

CRect PrimaryScreen() { return CRect(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)); }

struct MonitorSearch {
  int wanted;
  int seen = 0;
  CRect found;
  bool hit = false;
};

BOOL CALLBACK FindMonitor(HMONITOR, HDC, LPRECT rect, LPARAM data) {
  auto* search = reinterpret_cast<MonitorSearch*>(data);
  if (search->seen++ == search->wanted) {
    search->found = *rect;
    search->hit = true;
    return FALSE;
  }
  return TRUE;
}

bool ForegroundRect(CRect& out) {
  HWND foreground = ::GetForegroundWindow();
  RECT r{};
  if (!foreground || !::GetWindowRect(foreground, &r)) return false;
  out = r;
  return true;
}

// Draws `source` scaled into a columns x rows bitmap (flipped top to bottom on request).
std::unique_ptr<Gdiplus::Bitmap> Shrink(Gdiplus::Bitmap& source, int columns, int rows, bool flip) {
  auto grid = std::make_unique<Gdiplus::Bitmap>(columns, rows, PixelFormat32bppARGB);
  Gdiplus::Graphics g(grid.get());
  g.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
  g.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHighQuality);
  // Edge cells sample the picture's own edge, not the transparency beyond it.
  Gdiplus::ImageAttributes edges;
  edges.SetWrapMode(Gdiplus::WrapModeTileFlipXY);
  const int w = int(source.GetWidth()), h = int(source.GetHeight());
  if (flip) {
    Gdiplus::Point corners[3] = {{0, rows}, {columns, rows}, {0, 0}};
    g.DrawImage(&source, corners, 3, 0, 0, w, h, Gdiplus::UnitPixel, &edges);
  } else {
    g.DrawImage(&source, Gdiplus::Rect(0, 0, columns, rows), 0, 0, w, h, Gdiplus::UnitPixel, &edges);
  }
  return grid;
}
// The shrunk picture's pixels, read once (0xAARRGGBB).
class GridPixels {
public:
  explicit GridPixels(Gdiplus::Bitmap& grid) : m_grid(grid) {
    Gdiplus::Rect all(0, 0, int(grid.GetWidth()), int(grid.GetHeight()));
    m_locked = grid.LockBits(&all, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB, &m_data) == Gdiplus::Ok;
  }
  ~GridPixels() {
    if (m_locked) m_grid.UnlockBits(&m_data);
  }
  GridPixels(const GridPixels&) = delete;
  GridPixels& operator=(const GridPixels&) = delete;
  // Stores the pixel at (x, y) in `pixel`; a cell that cannot be read leaves it as it was.
  void Read(int x, int y, DWORD& pixel) const {
    if (!m_locked || x < 0 || y < 0 || UINT(x) >= m_data.Width || UINT(y) >= m_data.Height) return;
    const auto* row = static_cast<const BYTE*>(m_data.Scan0) + ptrdiff_t(y) * m_data.Stride;
    pixel = reinterpret_cast<const DWORD*>(row)[x];
  }

private:
  Gdiplus::Bitmap& m_grid;
  Gdiplus::BitmapData m_data{};
  bool m_locked = false;
};
}  // namespace

CRect ZephraEffect::ResolveCaptureRect(const ScreenCaptureConfig& config) {
  switch (config.captureType) {
    case CAPTURE_MONITOR: {
      if (config.monitorIndex == 0) {
        DEVMODEW mode{};
        mode.dmSize = sizeof(mode);
        if (::EnumDisplaySettingsExW(nullptr, ENUM_CURRENT_SETTINGS, &mode, 0))
          return CRect(0, 0, int(mode.dmPelsWidth), int(mode.dmPelsHeight));
        return PrimaryScreen();
      }
      MonitorSearch search{config.monitorIndex};
      ::EnumDisplayMonitors(nullptr, nullptr, FindMonitor, reinterpret_cast<LPARAM>(&search));
      if (search.hit) {
        EffectDebugLine(SCREEN_TAG L"\x4F7F\x7528\x663E\x793A\x5668 %d: (%d,%d) - (%d,%d)", config.monitorIndex,
                        int(search.found.left), int(search.found.top), int(search.found.right),
                        int(search.found.bottom));
        return search.found;
      }
      EffectDebugLine(SCREEN_TAG L"\x8B66\x544A\xFF1A\x663E\x793A\x5668\x7D22\x5F15 %d \x65E0\x6548\xFF0C"
                                L"\x4F7F\x7528\x4E3B\x663E\x793A\x5668",
                      config.monitorIndex);
      return PrimaryScreen();
    }
    case CAPTURE_RECT: {
      const CRect& r = config.captureRect;
      if (r.left < r.right && r.top < r.bottom) return r;
      EffectDebugLine(SCREEN_TAG L"\x8B66\x544A\xFF1A\x5750\x6807\x533A\x57DF\x65E0\x6548\xFF0C"
                                L"\x4F7F\x7528\x4E3B\x663E\x793A\x5668");
      return PrimaryScreen();
    }
    case CAPTURE_FOREGROUND: {
      CRect r;
      if (ForegroundRect(r)) return r;
      EffectDebugLine(SCREEN_TAG L"\x8B66\x544A\xFF1A\x65E0\x6CD5\x83B7\x53D6\x524D\x53F0\x7A97\x53E3\xFF0C"
                                L"\x4F7F\x7528\x4E3B\x663E\x793A\x5668");
      return PrimaryScreen();
    }
    case CAPTURE_PROCESS: {
      EffectDebugLine(SCREEN_TAG L"\x63D0\x793A\xFF1A\x7279\x5B9A\x8FDB\x7A0B\x6355\x83B7\x6682\x672A\x5B8C"
                                L"\x5168\x5B9E\x73B0\xFF0C\x4F7F\x7528\x524D\x53F0\x7A97\x53E3");
      CRect r;
      if (ForegroundRect(r)) return r;
      EffectDebugLine(SCREEN_TAG L"\x8B66\x544A\xFF1A\x65E0\x6CD5\x83B7\x53D6\x7279\x5B9A\x8FDB\x7A0B\x7A97"
                                L"\x53E3\xFF0C\x4F7F\x7528\x4E3B\x663E\x793A\x5668");
      return PrimaryScreen();
    }
    default: return CRect();
  }
}

void ZephraEffect::SetCaptureWindow(HWND& window) {
  m_captureWindow = window;
  Repaint();
}

void ZephraEffect::UpdateScreenEffect() {
  const DWORD now = m_sources.tickMs();
  if (now - m_lastCaptureTick < DWORD(m_captureInterval)) return;
  m_lastCaptureTick = now;
  const CRect area = ResolveCaptureRect(m_screenConfig);
  if (area.IsRectEmpty()) return;
  std::vector<DWORD>& pixels = m_capturePixels;
  if (!m_sources.grabScreen || !m_sources.grabScreen(area, kScreenWidth, kScreenHeight, pixels)) return;
  if (pixels.size() < size_t(kScreenWidth) * kScreenHeight) return;
  ScreenColors::Analyse(m_dominant, pixels.data(), kScreenWidth, kScreenHeight);

  const int columns = m_mapColumns, rows = m_mapRows;
  if (m_screenConfig.effectType == SCREEN_EFFECT_AVERAGE) {
    const COLORREF average =
        ScreenColors::Adjust(ScreenColors::Average(pixels.data(), kScreenWidth, kScreenHeight), m_screenConfig);
    for (int i = 0; i < columns; ++i)
      for (int j = 0; j < rows; ++j) m_colorMap[i * MAP_ROWS + j] = average;
  } else {
    Gdiplus::Bitmap picture(kScreenWidth, kScreenHeight, kScreenWidth * 4, PixelFormat32bppRGB,
                            reinterpret_cast<BYTE*>(pixels.data()));
    auto grid = Shrink(picture, columns, rows, m_screenConfig.flip);
    GridPixels cells(*grid);
    DWORD last = 0xFF000000;
    for (int i = 0; i < columns; ++i) {
      for (int j = 0; j < rows; ++j) {
        cells.Read(i, j, last);
        const COLORREF cell = ScreenColors::Adjust(ScreenColors::FromPixel(last), m_screenConfig);
        m_colorMap[i * MAP_ROWS + j] = ScreenColors::Boost(cell);
      }
    }
  }
  GiveKeysTheirCells();
}

void ZephraEffect::UpdateWindowEffect() {
  if (!m_captureWindow) return;
  std::vector<DWORD>& pixels = m_capturePixels;
  if (!m_sources.grabWindow || !m_sources.grabWindow(m_captureWindow, kWindowWidth, kWindowHeight, pixels)) return;
  if (pixels.size() < size_t(kWindowWidth) * kWindowHeight) return;
  Gdiplus::Bitmap picture(kWindowWidth, kWindowHeight, kWindowWidth * 4, PixelFormat32bppRGB,
                          reinterpret_cast<BYTE*>(pixels.data()));
  // The window is always reduced to 19 x 8; cells outside repeat the colour read before.
  auto grid = Shrink(picture, 19, 8, false);
  GridPixels cells(*grid);
  DWORD last = 0xFF000000;
  for (int i = 0; i < m_mapColumns; ++i) {
    for (int j = 0; j < m_mapRows; ++j) {
      cells.Read(i, j, last);
      m_colorMap[i * MAP_ROWS + j] = ScreenColors::FromPixel(last);
    }
  }
  GiveKeysTheirCells();
}

Gdiplus::Bitmap* ZephraEffect::ConvertSaturation(Gdiplus::Bitmap* bitmap, float s) {
  if (!bitmap) return nullptr;
  const float a = (1 - s) * 0.3086f, b = (1 - s) * 0.6094f, c = (1 - s) * 0.082f;
  Gdiplus::ColorMatrix matrix = {{{a + s, a, a, 0, 0},
                                  {b, b + s, b, 0, 0},
                                  {c, c, c + s, 0, 0},
                                  {0, 0, 0, 1, 0},
                                  {0, 0, 0, 0, 1}}};
  const int w = int(bitmap->GetWidth()), h = int(bitmap->GetHeight());
  std::unique_ptr<Gdiplus::Bitmap> copy(bitmap->Clone(0, 0, w, h, bitmap->GetPixelFormat()));
  if (!copy) return bitmap;
  Gdiplus::ImageAttributes attributes;
  attributes.SetColorMatrix(&matrix);
  Gdiplus::Graphics g(bitmap);
  g.SetCompositingMode(Gdiplus::CompositingModeSourceCopy);
  g.DrawImage(copy.get(), Gdiplus::Rect(0, 0, w, h), 0, 0, w, h, Gdiplus::UnitPixel, &attributes);
  return bitmap;
}
