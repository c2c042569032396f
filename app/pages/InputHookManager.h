// The global low-level keyboard and mouse hooks, forwarded to subscribed windows as sent
// messages. A keyboard subscriber that replies non-zero swallows the key (neither this
// program nor any other sees it); mouse events are never swallowed.
//
// The hook procedures read the subscribers of the active manager, the one that installed
// last. At most one manager has hooks at a time: installing one removes the hooks of the
// manager that was active before, which would otherwise deliver every event twice.
// Everything runs on the thread that installed the hooks; Windows calls the hook
// procedures inside that thread's message loop.
#pragma once
#include <windows.h>
#include <memory>
#include <vector>

struct HookSubscriber {
  HWND window = nullptr;
  int kind = 0;  // InputHookManager::kKeyboardEvents or kMouseEvents
  UINT message = 0;
};

class InputHookManager {
public:
  static constexpr int kKeyboardEvents = 1;
  static constexpr int kMouseEvents = 2;

  InputHookManager() = default;
  ~InputHookManager();
  InputHookManager(const InputHookManager&) = delete;
  InputHookManager& operator=(const InputHookManager&) = delete;

  // Makes this the active manager and installs both hooks; nothing when installed. 1.
  int Install();
  // Removes both hooks; nothing when not installed. 1.
  int Uninstall();
  // Puts the hooks first in the system's chains again (removing and installing them) and
  // adds the subscription unless an equal one exists. 1.
  int Subscribe(HWND window, int kind, UINT message);
  void ClearSubscribers();

  bool IsInstalled() const { return m_installed != 0; }
  const std::vector<std::unique_ptr<HookSubscriber>>& Subscribers() const { return m_subscribers; }

  static LRESULT CALLBACK KeyboardHookProc(int code, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK MouseHookProc(int code, WPARAM wParam, LPARAM lParam);
  // Sends the event to the active manager's keyboard subscribers in order until one
  // replies non-zero; 1 when one did (the key is swallowed), else 0.
  static int DispatchKeyboardHook(WPARAM wParam, LPARAM lParam);
  // The same for mouse subscribers; always 0.
  static int DispatchMouseHook(WPARAM wParam, LPARAM lParam);

private:
  static int Dispatch(int kind, WPARAM wParam, LPARAM lParam);
  void RemoveHooks();

  std::vector<std::unique_ptr<HookSubscriber>> m_subscribers;
  HHOOK m_keyboardHook = nullptr;
  HHOOK m_mouseHook = nullptr;
  int m_installed = 0;
};
