// Shared by the control tests: a host window whose paint manager owns the controls, an
// in-process render of it, a panel that records its children's notifications, the
// message pump and the build-time picture fixtures.
#pragma once
#include <windows.h>
#include <gdiplus.h>
#include <cstdint>
#include <vector>
#include "core/MPanel.h"
#include "core/MRender.h"
#include "core/MWindow.h"
#include "core/Manager.h"
#include "core/PaintManager.h"
#include "qiv/core/QivTestSupport.h"

namespace ctltest {

using qivtest::Notice;

// A window object as the dialogs are: messages and repaint requests go to its paint
// manager, notifications are recorded.
class Host : public MWindow, public MObject {
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
    if ((msg == WM_COMMAND || msg == WM_CTLCOLOREDIT || msg == WM_CTLCOLORSTATIC) && r) return r;
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
  // Takes `control` (made with this window as parent) into the controls list.
  template <class T>
  T* Add(T* control) {
    control->SetManager(&pm);
    pm.GetControls()->push_back(control);
    return control;
  }
  std::vector<unsigned> Codes() const {
    std::vector<unsigned> codes;
    for (const Notice& n : notices) codes.push_back(n.code);
    return codes;
  }
};

// A panel that records what its children tell it.
class RecordingPanel : public MPanel {
public:
  RecordingPanel(MObject* parent, unsigned id, CRect rect) : MPanel(parent, id, rect, 1) {}
  const wchar_t* GetClassNameW() const override { return L"RecordingPanel"; }
  std::vector<Notice> notices;
  long OnBaseMessage(unsigned id, unsigned code, unsigned wParam, long lParam) override {
    notices.push_back({id, code, wParam, lParam});
    return 0;
  }
  template <class T>
  T* Add(T* child) {
    AppendChild(1, child);
    return child;
  }
};

inline void Pump(int ms = 0) {
  const DWORD start = ::GetTickCount();
  do {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
    if (ms) ::Sleep(1);
  } while (::GetTickCount() - start < static_cast<DWORD>(ms));
}

// The window composed by its paint manager into a 32-bit DIB, as a paint does.
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
  // 0xRRGGBB of the pixel at (x, y).
  uint32_t Rgb(int x, int y) const {
    const BYTE* p = bits_ + (static_cast<size_t>(h_ - 1 - y) * w_ + x) * 4;
    return (uint32_t(p[2]) << 16) | (uint32_t(p[1]) << 8) | p[0];
  }
  // Pixels of (x0..x1) x (y0..y1) that are `rgb`.
  int Count(int x0, int y0, int x1, int y1, uint32_t rgb) const {
    int n = 0;
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x) n += Rgb(x, y) == rgb ? 1 : 0;
    return n;
  }

private:
  int w_, h_;
  HDC dc_ = nullptr;
  HBITMAP dib_ = nullptr;
  HGDIOBJ old_ = nullptr;
  BYTE* bits_ = nullptr;
};

inline CString FixturePath(const wchar_t* name) { return GetExeFolder() + L"qiv_controls_fixtures\\" + name; }

}  // namespace ctltest
