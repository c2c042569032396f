#include "pages/InputHookManager.h"

namespace {
// The manager whose subscribers the hook procedures read. Only the installing thread
// touches it.
InputHookManager* g_active = nullptr;
}  // namespace

InputHookManager::~InputHookManager() {
  Uninstall();
  ClearSubscribers();
  if (g_active == this) g_active = nullptr;
}

int InputHookManager::Install() {
  if (m_installed) return 1;
  if (g_active && g_active != this) g_active->Uninstall();
  g_active = this;
  HINSTANCE module = GetModuleHandleW(nullptr);
  m_keyboardHook = SetWindowsHookExW(WH_KEYBOARD_LL, KeyboardHookProc, module, 0);
  m_mouseHook = SetWindowsHookExW(WH_MOUSE_LL, MouseHookProc, module, 0);
  m_installed = 1;
  return 1;
}

int InputHookManager::Uninstall() {
  if (!m_installed) return 1;
  m_installed = 0;
  RemoveHooks();
  return 1;
}

void InputHookManager::RemoveHooks() {
  if (m_keyboardHook) UnhookWindowsHookEx(m_keyboardHook);
  if (m_mouseHook) UnhookWindowsHookEx(m_mouseHook);
  m_keyboardHook = nullptr;
  m_mouseHook = nullptr;
}

int InputHookManager::Subscribe(HWND window, int kind, UINT message) {
  Uninstall();
  Install();
  for (const auto& s : m_subscribers) {
    if (s->window == window && s->kind == kind && s->message == message) return 1;
  }
  m_subscribers.push_back(std::make_unique<HookSubscriber>(HookSubscriber{window, kind, message}));
  return 1;
}

void InputHookManager::ClearSubscribers() { m_subscribers.clear(); }

int InputHookManager::Dispatch(int kind, WPARAM wParam, LPARAM lParam) {
  if (!g_active) return 0;
  // A subscriber's window procedure may change the list (a recording that stops deletes
  // the manager): walk a copy of the targets, and stop once the manager is gone.
  InputHookManager* manager = g_active;
  std::vector<HookSubscriber> targets;
  for (const auto& s : manager->m_subscribers) {
    if (s->kind == kind) targets.push_back(*s);
  }
  for (const HookSubscriber& s : targets) {
    if (!IsWindow(s.window)) continue;
    if (SendMessageW(s.window, s.message, wParam, lParam) != 0) return 1;
    if (g_active != manager) break;
  }
  return 0;
}

int InputHookManager::DispatchKeyboardHook(WPARAM wParam, LPARAM lParam) {
  return Dispatch(kKeyboardEvents, wParam, lParam);
}

int InputHookManager::DispatchMouseHook(WPARAM wParam, LPARAM lParam) {
  Dispatch(kMouseEvents, wParam, lParam);
  return 0;
}

LRESULT CALLBACK InputHookManager::KeyboardHookProc(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION && g_active && DispatchKeyboardHook(wParam, lParam)) return 1;
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK InputHookManager::MouseHookProc(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION && wParam != WM_MOUSEMOVE && g_active) DispatchMouseHook(wParam, lParam);
  return CallNextHookEx(nullptr, code, wParam, lParam);
}
