// A stand-in for the outside programs the update flow starts (the firmware-writing tool,
// the downloaded installer). It appends its own path and a line end to the file that
// QUENBY_STUB_MARKER names, stays QUENBY_STUB_WAIT_MS milliseconds (0 when unset) so that
// a test can see the program wait for it, and ends with exit code 0.
#include <windows.h>
#include <cwchar>

int wmain() {
  wchar_t marker[MAX_PATH] = {};
  if (GetEnvironmentVariableW(L"QUENBY_STUB_MARKER", marker, MAX_PATH)) {
    wchar_t self[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(nullptr, self, MAX_PATH);
    HANDLE file = CreateFileW(marker, FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      DWORD put = 0;
      WriteFile(file, self, length * sizeof(wchar_t), &put, nullptr);
      WriteFile(file, L"\n", sizeof(wchar_t), &put, nullptr);
      CloseHandle(file);
    }
  }
  wchar_t wait[32] = {};
  if (GetEnvironmentVariableW(L"QUENBY_STUB_WAIT_MS", wait, 32)) Sleep(DWORD(wcstoul(wait, nullptr, 10)));
  return 0;
}
