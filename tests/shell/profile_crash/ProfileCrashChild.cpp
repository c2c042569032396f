// The crash test's child: runs the profile script of a seed on a database until it is
// killed, and appends one line to a log after each finished step.
//   profile_crash_child <data folder> <model> <import file> <seed> <log file>
#include <windows.h>
#include <cstdlib>
#include <string>
#include "ProfileCrashScript.h"
#include "store/KeyboardDataStore.h"

int wmain(int argc, wchar_t** argv) {
  if (argc != 6) return 2;
  const profilecrash::Setup setup{argv[1], argv[2], argv[3]};
  const uint32_t seed = static_cast<uint32_t>(wcstoul(argv[4], nullptr, 10));
  HANDLE log = CreateFileW(argv[5], FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
  if (log == INVALID_HANDLE_VALUE) return 3;
  KeyboardDataStore store;
  for (int step = 0; step < 100000; ++step) {
    profilecrash::RunStep(store, setup, seed, step);
    // Written straight to the file: a killed process loses no line it has written.
    const std::string line = std::to_string(step) + "\n";
    DWORD written = 0;
    WriteFile(log, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
  }
  CloseHandle(log);
  return 0;
}
