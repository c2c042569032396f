#include "shell/AppPopups.h"
#include <windows.h>

namespace {

enum class PopupAction { Close, Cancel, Hide };

struct Popup {
  const char* title;
  PopupAction action;
};

// Every window of the UI library has the class "TQXWindow"; the popups are told apart
// by their titles. Only the first window of each title is handled.
constexpr Popup kPopups[] = {
    {"CloseWindowTipDlg", PopupAction::Close}, {"CustomKeyDKSDlg", PopupAction::Close},
    {"CustomKeyDKSTipsDlg", PopupAction::Close}, {"CustomKeyStrokeDlg", PopupAction::Close},
    {"StrokeCheckDlg", PopupAction::Close},    {"StrokeTestDlg", PopupAction::Close},
    {"CustomKeyDlg", PopupAction::Close},      {"MessageBox", PopupAction::Cancel},
    {"WaitDlg", PopupAction::Close},           {"Menu Window", PopupAction::Close},
    {"KeyboardTip Window", PopupAction::Hide}, {"ComboWnd", PopupAction::Hide},
    {"SystemSettingDlg", PopupAction::Close},  {"UpdateTipDlg", PopupAction::Close},
};

// The first top-level window of that title that belongs to this process: another program
// built on the same library has windows of the same class and titles, and they are not ours
// to close.
HWND FindOwnWindow(const char* title) {
  const DWORD self = GetCurrentProcessId();
  for (HWND w = FindWindowExA(nullptr, nullptr, "TQXWindow", title); w;
       w = FindWindowExA(nullptr, w, "TQXWindow", title)) {
    DWORD owner = 0;
    GetWindowThreadProcessId(w, &owner);
    if (owner == self) return w;
  }
  return nullptr;
}

}  // namespace

void CloseAppPopups() {
  for (const Popup& popup : kPopups) {
    HWND window = FindOwnWindow(popup.title);
    if (!window) continue;
    switch (popup.action) {
      case PopupAction::Close: PostMessageW(window, WM_CLOSE, 0, 0); break;
      case PopupAction::Cancel: PostMessageW(window, WM_CLOSE, 2, 0); break;  // the box's cancel result
      case PopupAction::Hide: ShowWindow(window, SW_HIDE); break;
    }
  }
}
