// Shared by the window tests of the library: the message pump, a window object that hands
// every message and repaint request to its paint manager and records notifications, and
// an in-process render of such a window.
#pragma once
#include <windows.h>
#include <cstdint>
#include <vector>
#include "core/MRender.h"
#include "core/MWindow.h"
#include "core/Manager.h"
#include "core/PaintManager.h"
#include "qiv/core/QivTestSupport.h"

namespace qivtest {

// Dispatches everything queued now.
inline void DispatchQueued() {
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
}

// Dispatches what is queued for at least `ms` milliseconds, or until `done` holds.
template <class Done>
bool PumpUntil(Done done, int ms) {
  const DWORD start = ::GetTickCount();
  do {
    DispatchQueued();
    if (done()) return true;
    ::Sleep(1);
  } while (::GetTickCount() - start < static_cast<DWORD>(ms));
  return done();
}

// Dispatches everything queued, for at least `ms` milliseconds (once for 0).
inline void Pump(int ms = 0) {
  const DWORD start = ::GetTickCount();
  do {
    DispatchQueued();
    if (ms) ::Sleep(1);
  } while (::GetTickCount() - start < static_cast<DWORD>(ms));
}

// A window object as the program's dialogs are: its paint manager gets every message and
// repaint request, and control notifications are recorded.
class PaintHostWindow : public MWindow, public MObject {
public:
  PaintManager pm;
  std::vector<Notice> notices;

  int OnInitDialog() override {
    pm.Init(GetSafeHwnd(), this);
    return 1;
  }
  LRESULT OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
    if (msg == WM_ERASEBKGND) return 1;
    LRESULT r = pm.OnWindowMessage(msg, wParam, lParam);
    if (msg == WM_PAINT && r) return 0;
    if (KeepsAnswer(msg, r)) return r;
    return MWindow::OnWindowMessage(msg, wParam, lParam);
  }
  void OnDestroyMessage(HWND window) override { pm.OnDestroyMessage(window); }
  long OnBaseMessage(unsigned id, unsigned code, unsigned wParam, long lParam) override {
    notices.push_back({id, code, wParam, lParam});
    return 0;
  }
  long OnControlUpdate(CRect rect, int redraw, MControl* control) override {
    return pm.OnControlUpdate(rect, redraw, control);
  }

protected:
  // Whether the paint manager's answer `r` to `msg` is the window's, rather than the
  // default handling's.
  virtual bool KeepsAnswer(UINT msg, LRESULT r) const { return false; }
};

// The window composed as a paint does, into a 32-bit DIB of the process.
class Render {
public:
  Render(PaintManager& pm, int w, int h) : w_(w), h_(h) {
    HDC screen = ::GetDC(nullptr);
    dc_ = ::CreateCompatibleDC(screen);
    dib_ = MRender::CreateARGB32Bitmap(screen, w, h, &bits_);
    ::ReleaseDC(nullptr, screen);
    old_ = ::SelectObject(dc_, dib_);
    pm.Compose(dc_, bits_, CSize(w, h), CRect(0, 0, w, h));
    ::GdiFlush();
  }
  ~Render() {
    ::SelectObject(dc_, old_);
    ::DeleteObject(dib_);
    ::DeleteDC(dc_);
  }
  Render(const Render&) = delete;
  Render& operator=(const Render&) = delete;
  // 0xAARRGGBB of the pixel at (x, y), top-down.
  uint32_t At(int x, int y) const {
    const BYTE* p = bits_ + (static_cast<size_t>(h_ - 1 - y) * w_ + x) * 4;
    return (uint32_t(p[3]) << 24) | (uint32_t(p[2]) << 16) | (uint32_t(p[1]) << 8) | p[0];
  }
  // 0xRRGGBB of the pixel at (x, y).
  uint32_t Rgb(int x, int y) const { return At(x, y) & 0xFFFFFF; }
  // Pixels of (x0..x1) x (y0..y1) that are `rgb`.
  int Count(int x0, int y0, int x1, int y1, uint32_t rgb) const {
    int n = 0;
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x) n += Rgb(x, y) == rgb ? 1 : 0;
    return n;
  }
  // Whether any pixel of the rectangle has exactly this colour (0xRRGGBB).
  bool Contains(CRect r, uint32_t rgb) const { return Count(r.left, r.top, r.right, r.bottom, rgb) > 0; }
  // How many pixels of a rectangle differ between two renders.
  int Differences(const Render& other, CRect r) const {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) n += Rgb(x, y) != other.Rgb(x, y) ? 1 : 0;
    return n;
  }

private:
  int w_, h_;
  HDC dc_ = nullptr;
  HBITMAP dib_ = nullptr;
  HGDIOBJ old_ = nullptr;
  BYTE* bits_ = nullptr;
};

}  // namespace qivtest
