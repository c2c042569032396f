// A top-level window of the test that keeps what reaches it: the hook messages (with
// copies of the hook structures), key and mouse messages, and decoded raw input. Input is
// made with SendInput, so it travels through the system like a user's.
#pragma once
#include <windows.h>
#include <functional>
#include <vector>
#include "pages/InputEvent.h"
#include "pages/RawInputDecoder.h"

namespace pagestest {

constexpr UINT UM_HOOK_KEYBOARD = 0x69C;
constexpr UINT UM_HOOK_MOUSE = 0x69D;

struct SeenMessage {
  UINT msg = 0;
  WPARAM wParam = 0;
  DWORD vk = 0;     // keyboard hook and key messages
  DWORD flags = 0;  // keyboard hook
  DWORD scan = 0;   // keyboard hook
};

class InputWindow {
public:
  explicit InputWindow(int x = 120, int y = 120) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"QuenbyPagesInputTest";
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    RegisterClassW(&wc);  // a second registration fails harmlessly
    hwnd = CreateWindowExW(0, wc.lpszClassName, L"input test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, x, y, 320, 200,
                           nullptr, nullptr, wc.hInstance, this);
    SetForegroundWindow(hwnd);
    SetFocus(hwnd);
    Pump(50);
  }
  ~InputWindow() { DestroyWindow(hwnd); }
  InputWindow(const InputWindow&) = delete;
  InputWindow& operator=(const InputWindow&) = delete;

  // Dispatches everything queued, for at least `ms` milliseconds.
  static void Pump(int ms = 0) {
    const DWORD start = GetTickCount();
    do {
      MSG msg;
      while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
      }
      if (ms) Sleep(1);
    } while (GetTickCount() - start < DWORD(ms));
  }
  // Pumps until `done` holds or two seconds passed; answers `done`.
  static bool PumpUntil(const std::function<bool()>& done) {
    const DWORD start = GetTickCount();
    while (!done() && GetTickCount() - start < 2000) Pump(5);
    return done();
  }

  int Count(UINT msg) const {
    int n = 0;
    for (const SeenMessage& s : seen) n += s.msg == msg;
    return n;
  }
  std::vector<SeenMessage> Of(UINT msg) const {
    std::vector<SeenMessage> out;
    for (const SeenMessage& s : seen)
      if (s.msg == msg) out.push_back(s);
    return out;
  }
  // The screen point at the middle of the client area.
  POINT Centre() const {
    RECT r;
    GetClientRect(hwnd, &r);
    POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    ClientToScreen(hwnd, &p);
    return p;
  }

  HWND hwnd = nullptr;
  LRESULT hookReply = 0;  // the reply to hook messages when no handler is set
  std::function<LRESULT(UINT, WPARAM, LPARAM)> onHook;
  std::vector<SeenMessage> seen;
  std::vector<InputEvent> rawEvents;  // decoded WM_INPUT

private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
      auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<InputWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    return self ? self->Handle(hwnd, msg, wParam, lParam) : DefWindowProcW(hwnd, msg, wParam, lParam);
  }

  LRESULT Handle(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    SeenMessage s{msg, wParam};
    switch (msg) {
      case UM_HOOK_KEYBOARD: {
        const auto* k = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
        s.vk = k->vkCode;
        s.flags = k->flags;
        s.scan = k->scanCode;
        seen.push_back(s);
        return onHook ? onHook(msg, wParam, lParam) : hookReply;
      }
      case UM_HOOK_MOUSE:
        seen.push_back(s);
        return onHook ? onHook(msg, wParam, lParam) : hookReply;
      case WM_KEYDOWN:
      case WM_KEYUP:
      case WM_SYSKEYDOWN:
      case WM_SYSKEYUP:
        s.vk = DWORD(wParam);
        seen.push_back(s);
        break;
      case WM_LBUTTONDOWN:
      case WM_LBUTTONUP:
        seen.push_back(s);
        break;
      case WM_INPUT: {
        InputEvent e;
        DecodeRawInput(reinterpret_cast<HRAWINPUT>(lParam), e);
        rawEvents.push_back(e);
        break;
      }
      default: break;
    }
    return DefWindowProcW(window, msg, wParam, lParam);
  }
};

// Input as a user makes it.
inline void SendKey(WORD vk, bool up, DWORD extraFlags = 0) {
  INPUT in{};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = vk;
  in.ki.wScan = WORD(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
  in.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | extraFlags;
  SendInput(1, &in, sizeof(INPUT));
}

inline void TapKey(WORD vk) {
  SendKey(vk, false);
  SendKey(vk, true);
}

inline void MoveCursor(POINT p) {
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dx = LONG(p.x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1));
  in.mi.dy = LONG(p.y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1));
  in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendInput(1, &in, sizeof(INPUT));
}

inline void SendMouse(DWORD flags, DWORD data = 0) {
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dwFlags = flags;
  in.mi.mouseData = data;
  SendInput(1, &in, sizeof(INPUT));
}

}  // namespace pagestest
