// Closing the program's popups touches this process's windows only: another program built
// on the same UI library has windows of the same class and titles.
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include "core/MDialog.h"
#include "shell/AppPopups.h"

namespace {

constexpr const char* kDoneEventVariable = "QUENBY_POPUPS_TEST_DONE";

// A menu window that nobody pumps: a close request posted to it stays in the queue.
struct MenuWindow {
  MDialog dialog;
  MenuWindow() { dialog.Create(nullptr, L"Menu Window", WS_POPUP, 0, CRect(0, 0, 20, 20)); }
  ~MenuWindow() {
    if (dialog.GetSafeHwnd()) DestroyWindow(dialog.GetSafeHwnd());
  }
  bool CloseRequested() {
    MSG msg;
    return PeekMessageW(&msg, dialog.GetSafeHwnd(), WM_CLOSE, WM_CLOSE, PM_REMOVE) != 0;
  }
};

HWND FindOtherProcessMenu(DWORD process) {
  for (HWND w = FindWindowExA(nullptr, nullptr, "TQXWindow", "Menu Window"); w;
       w = FindWindowExA(nullptr, w, "TQXWindow", "Menu Window")) {
    DWORD owner = 0;
    GetWindowThreadProcessId(w, &owner);
    if (owner == process) return w;
  }
  return nullptr;
}

// A copy of this test program started with the variable set holds a menu window until the
// named event is set, then ends before any test runs, telling by its exit code whether a
// close request reached the menu (3) or not (0).
const bool g_isOtherProcess = [] {
  char eventName[64] = {};
  if (!GetEnvironmentVariableA(kDoneEventVariable, eventName, sizeof(eventName))) return false;
  UINT code = 4;
  if (HANDLE done = OpenEventA(SYNCHRONIZE, FALSE, eventName)) {
    MenuWindow menu;
    WaitForSingleObject(done, 20000);
    code = menu.CloseRequested() ? 3 : 0;
    CloseHandle(done);
  }
  ExitProcess(code);
}();

}  // namespace

TEST(AppPopups, OnlyThisProcesssWindowsAreClosed) {
  ASSERT_FALSE(g_isOtherProcess);
  const std::string eventName = "QuenbyPopupsTestDone" + std::to_string(GetCurrentProcessId());
  HANDLE done = CreateEventA(nullptr, TRUE, FALSE, eventName.c_str());
  ASSERT_NE(done, nullptr);
  SetEnvironmentVariableA(kDoneEventVariable, eventName.c_str());
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring command = L"\"" + std::wstring(self) + L"\"";
  STARTUPINFOW startup = {sizeof(startup)};
  PROCESS_INFORMATION other = {};
  ASSERT_TRUE(CreateProcessW(self, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &other));
  SetEnvironmentVariableA(kDoneEventVariable, nullptr);
  for (int i = 0; i < 200 && !FindOtherProcessMenu(other.dwProcessId); ++i) Sleep(50);
  EXPECT_NE(FindOtherProcessMenu(other.dwProcessId), nullptr) << "the other process's menu is up";

  CloseAppPopups();  // the other process's menu is the only one
  MenuWindow own;
  ASSERT_NE(own.dialog.GetSafeHwnd(), nullptr);
  CloseAppPopups();
  EXPECT_TRUE(own.CloseRequested());

  SetEvent(done);
  ASSERT_EQ(WaitForSingleObject(other.hProcess, 20000), WAIT_OBJECT_0);
  DWORD exitCode = 1;
  GetExitCodeProcess(other.hProcess, &exitCode);
  EXPECT_EQ(exitCode, 0u) << "the other process's menu was asked to close";
  CloseHandle(other.hThread);
  CloseHandle(other.hProcess);
  CloseHandle(done);
}
