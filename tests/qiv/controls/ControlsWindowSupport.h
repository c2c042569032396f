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
#include "core/Manager.h"
#include "qiv/core/WindowTestSupport.h"
#include "qiv/windows/RobotoFont.h"

namespace qivtest {

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
