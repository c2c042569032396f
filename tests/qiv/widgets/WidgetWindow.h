// A real window for the widget tests: a window object that forwards messages and repaint
// requests to its paint manager and records notifications, an in-process render of it,
// and a message pump.
#pragma once
#include <windows.h>
#include <cstdint>
#include <vector>
#include "QivTestSupport.h"
#include "core/MRender.h"
#include "core/MWindow.h"
#include "core/Manager.h"
#include "core/PaintManager.h"

namespace widgettest {

class HostWindow : public MWindow, public MObject {
public:
  PaintManager pm;
  std::vector<qivtest::Notice> notices;

  int OnInitDialog() override {
    pm.Init(GetSafeHwnd(), this);
    return 1;
  }
  LRESULT OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
    if (msg == WM_ERASEBKGND) return 1;
    LRESULT r = pm.OnWindowMessage(msg, wParam, lParam);
    if (msg == WM_PAINT && r) return 0;
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
  // Creates a control of the window by class name, as the program's dialogs do.
  template <class T>
  T* Make(const wchar_t* className, unsigned id, CRect rect) {
    return dynamic_cast<T*>(pm.CreateControl(this, className, id, rect, L"", 1, 1));
  }
  std::vector<unsigned> Codes(unsigned id) const {
    std::vector<unsigned> codes;
    for (const auto& n : notices)
      if (n.id == id) codes.push_back(n.code);
    return codes;
  }
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
  uint32_t Rgb(int x, int y) const {
    const BYTE* p = bits_ + (static_cast<size_t>(h_ - 1 - y) * w_ + x) * 4;
    return (uint32_t(p[2]) << 16) | (uint32_t(p[1]) << 8) | p[0];
  }
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

}  // namespace widgettest
