#include "pages/HookInput.h"
#include "pages/KeyNames.h"

namespace {

struct KeypadScan {
  unsigned scan;
  unsigned key;
};

// Keypad 7 8 9, 4 5 6, 1 2 3, 0 and the decimal point.
constexpr KeypadScan kKeypad[] = {
    {71, 103}, {72, 104}, {73, 105}, {75, 100}, {76, 101}, {77, 102},
    {79, 97},  {80, 98},  {81, 99},  {82, 96},  {83, 110},
};

constexpr unsigned kKeypadEnterScan = 28;
constexpr unsigned kKeypadEnter = 108;

}  // namespace

unsigned HookInput::KeypadKey(unsigned virtualKey, unsigned scanCode, unsigned flags, bool release) {
  const unsigned up = release ? LLKHF_UP : 0;
  if (flags == up) {
    for (const KeypadScan& k : kKeypad) {
      if (k.scan == scanCode) return k.key;
    }
  } else if (flags == (LLKHF_EXTENDED | up) && scanCode == kKeypadEnterScan) {
    return kKeypadEnter;
  }
  return virtualKey;
}

bool HookInput::KeyEvent(WPARAM message, const KBDLLHOOKSTRUCT& info, InputEvent& event) {
  bool release;
  if (message == WM_KEYDOWN || message == WM_SYSKEYDOWN) release = false;
  else if (message == WM_KEYUP || message == WM_SYSKEYUP) release = true;
  else return false;
  const unsigned key = KeypadKey(info.vkCode, info.scanCode, info.flags, release);
  if (key == 0) return false;
  event.kind = kInputKeyboard;
  event.up = release ? 1 : 0;
  event.name = KeyNames::Name(key, KeyNames::Source::Hook);
  event.code = int(KeyNames::LeftHandKey(key));
  return true;
}

bool HookInput::MouseEvent(WPARAM message, const MSLLHOOKSTRUCT& info, InputEvent& event) {
  const wchar_t* name = nullptr;
  int code = 0;
  int up = 0;
  switch (message) {
    case WM_LBUTTONUP: up = 1; [[fallthrough]];
    case WM_LBUTTONDOWN: name = L"MouseL"; code = 1; break;
    case WM_RBUTTONUP: up = 1; [[fallthrough]];
    case WM_RBUTTONDOWN: name = L"MouseR"; code = 2; break;
    case WM_MBUTTONUP: up = 1; [[fallthrough]];
    case WM_MBUTTONDOWN: name = L"MouseM"; code = 4; break;
    case WM_XBUTTONUP: up = 1; [[fallthrough]];
    case WM_XBUTTONDOWN:
      switch (HIWORD(info.mouseData)) {
        case XBUTTON1: name = L"Backward"; code = 8; break;
        case XBUTTON2: name = L"Forward"; code = 16; break;
        default: return false;
      }
      break;
    default: return false;
  }
  event.kind = kInputMouse;
  event.up = up;
  event.code = code;
  event.name = name;
  return true;
}

void HookInput::TrackHeldKey(std::map<int, int>& held, InputEvent& event) {
  if (event.up == 0) {
    if (held.count(event.code)) event.kind = kInputNone;  // auto-repeat
    held[event.code] = 1;
  } else {
    held.erase(event.code);
  }
}
