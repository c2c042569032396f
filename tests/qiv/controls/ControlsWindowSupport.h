// Window-test pieces for the generic controls: a real skinned dialog that records the
// notifications of its controls, mouse and key input sent to it at real pointer
// positions, and an in-process render of the whole window.
#pragma once
#include <windows.h>
#include <gtest/gtest.h>
#include <cstdint>
#include <vector>
#include "QivTestSupport.h"
#include "core/MDialog.h"
#include "core/MRender.h"
#include "core/Manager.h"
#include "qiv/windows/RobotoFont.h"

namespace qivtest {

// Dispatches what is queued for at least `ms` milliseconds, or until `done` holds.
template <class Done>
bool PumpUntil(Done done, int ms) {
  const DWORD start = ::GetTickCount();
  do {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
    if (done()) return true;
    ::Sleep(1);
  } while (::GetTickCount() - start < static_cast<DWORD>(ms));
  return done();
}

inline void Pump(int ms = 0) {
  PumpUntil([] { return false; }, ms);
}

// A dialog whose controls' notifications are kept.
class HostDialog : public MDialog {
public:
  std::vector<Notice> notices;
  LRESULT OnMessage(UINT id, UINT code, WPARAM wParam, LPARAM lParam) override {
    notices.push_back({id, code, static_cast<unsigned>(wParam), static_cast<long>(lParam)});
    return 0;
  }
  PaintManager& pm() { return m_pm; }
  std::vector<Notice> Codes(unsigned code) const {
    std::vector<Notice> found;
    for (const Notice& n : notices)
      if (n.code == code) found.push_back(n);
    return found;
  }
};

// The composition of a paint into a 32-bit DIB of the window's size.
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
  uint32_t Rgb(int x, int y) const { return At(x, y) & 0xFFFFFF; }
  // Whether any pixel of the rectangle has exactly this colour (0xRRGGBB).
  bool Contains(CRect r, uint32_t rgb) const {
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x)
        if (Rgb(x, y) == rgb) return true;
    return false;
  }

private:
  int w_, h_;
  HDC dc_ = nullptr;
  HBITMAP dib_ = nullptr;
  HGDIOBJ old_ = nullptr;
  BYTE* bits_ = nullptr;
};

constexpr uint32_t RgbOf(COLORREF c) { return (uint32_t(GetRValue(c)) << 16) | (GetGValue(c) << 8) | GetBValue(c); }

// A shown dialog at (40, 40) with a white background, and input at real pointer places.
class DialogFixture : public ::testing::Test {
protected:
  void SetUp() override {
    Manager::SetInstance(::GetModuleHandleW(nullptr));
    ASSERT_NE(nullptr, dlg.Create(nullptr, L"controls", WS_POPUP, 0, CRect(40, 40, 40 + kWidth, 40 + kHeight)));
    dlg.pm().SetBackColor(RGB(255, 255, 255), RGB(255, 255, 255));
    dlg.pm().EnableWndDrag(0);  // a press on no control must not start a window move
    qivwin::RegisterRoboto(dlg.pm());
    ::ShowWindow(Hwnd(), SW_SHOW);
    ::SetForegroundWindow(Hwnd());
    ::SetFocus(Hwnd());
    Pump(30);
  }
  void TearDown() override {
    dlg.DestroyWindow();
    Pump();
  }
  HWND Hwnd() { return dlg.GetSafeHwnd(); }
  LRESULT Send(UINT msg, WPARAM w, CPoint p) { return ::SendMessageW(Hwnd(), msg, w, MAKELPARAM(p.x, p.y)); }
  void Move(CPoint p) {
    CPoint screen = p;
    ::ClientToScreen(Hwnd(), &screen);
    ::SetCursorPos(screen.x, screen.y);
    Send(WM_MOUSEMOVE, 0, p);
  }
  void Click(CPoint p) {
    Move(p);
    Send(WM_LBUTTONDOWN, MK_LBUTTON, p);
    Send(WM_LBUTTONUP, 0, p);
  }
  void DoubleClick(CPoint p) {
    Click(p);
    Send(WM_LBUTTONDBLCLK, MK_LBUTTON, p);
    Send(WM_LBUTTONUP, 0, p);
  }
  static constexpr int kWidth = 600, kHeight = 500;
  HostDialog dlg;
};

// Typing into a native window: one WM_CHAR per character.
inline void Type(HWND window, const wchar_t* text) {
  for (const wchar_t* c = text; *c; ++c) ::SendMessageW(window, WM_CHAR, *c, 1);
}

inline void PressKey(HWND window, UINT key) {
  ::SendMessageW(window, WM_KEYDOWN, key, 1);
  if (key == VK_RETURN || key == VK_ESCAPE) ::SendMessageW(window, WM_CHAR, key, 1);
  ::SendMessageW(window, WM_KEYUP, key, 0xC0000001);
}

}  // namespace qivtest
