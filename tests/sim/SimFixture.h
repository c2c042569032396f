// Test helpers around the simulated keyboards: a private folder with a configuration
// file loaded into the simulator, a transport whose waits are recorded instead of slept,
// and a message-only window that collects link notifications.
#pragma once
#include <windows.h>
#include <atomic>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>
#include "SimControl.h"

namespace simtest {

// A folder of its own under the temp folder, removed with everything in it.
class TempFolder {
public:
  TempFolder() {
    static std::atomic<int> counter{0};
    wchar_t base[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, base);
    path_ = std::wstring(base) + L"quenby-sim-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
            std::to_wstring(counter++) + L"-" + std::to_wstring(GetTickCount()) + L"\\";
    CreateDirectoryW(path_.c_str(), nullptr);
  }
  ~TempFolder() { RemoveTree(path_); }
  const std::wstring& Path() const { return path_; }
  std::wstring File(const wchar_t* name) const { return path_ + name; }

private:
  // The folder with everything in it: tests and the code they drive make subfolders too
  // (a profile database folder, layouts), which would otherwise stay behind.
  static void RemoveTree(const std::wstring& dir) {
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW((dir + L"*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
      do {
        const std::wstring name = fd.cFileName;
        if (name == L"." || name == L"..") continue;
        if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
          RemoveTree(dir + name + L"\\");
        } else {
          SetFileAttributesW((dir + name).c_str(), FILE_ATTRIBUTE_NORMAL);
          DeleteFileW((dir + name).c_str());
        }
      } while (FindNextFileW(h, &fd));
      FindClose(h);
    }
    RemoveDirectoryW(dir.c_str());
  }

  std::wstring path_;
};

inline void WriteText(const std::wstring& path, const std::string& text) {
  std::ofstream out(path.c_str(), std::ios::binary | std::ios::trunc);
  out << text;
}

inline std::string ReadText(const std::wstring& path) {
  std::ifstream in(path.c_str(), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Writes `config` as sim.ini into a fresh folder and loads it (state goes to sim.state).
class SimWorld {
public:
  explicit SimWorld(const std::string& config) : configPath_(folder_.File(L"sim.ini")) {
    WriteText(configPath_, config);
    loaded_ = sim::LoadConfig(configPath_);
    sim::ClearFaults();
    sim::ClearLog();
    sim::EnableLog(true);
    sim::SetInitFails(false);
  }
  bool Loaded() const { return loaded_; }
  const std::wstring& ConfigPath() const { return configPath_; }
  const TempFolder& Folder() const { return folder_; }

private:
  TempFolder folder_;
  std::wstring configPath_;
  bool loaded_ = false;
};

inline std::vector<sim::LogEntry> Writes(const std::string& device = std::string()) {
  std::vector<sim::LogEntry> out;
  for (auto& e : sim::Log()) {
    if (e.write && (device.empty() || e.device == device)) out.push_back(e);
  }
  return out;
}

inline std::vector<sim::LogEntry> Reads(const std::string& device = std::string()) {
  std::vector<sim::LogEntry> out;
  for (auto& e : sim::Log()) {
    if (!e.write && (device.empty() || e.device == device)) out.push_back(e);
  }
  return out;
}

// Payload fields of a logged write (byte 0 is the report id).
inline int Command(const sim::LogEntry& e) { return e.bytes.size() > 2 ? e.bytes[2] : -1; }
inline int Offset(const sim::LogEntry& e) { return e.bytes.size() > 4 ? e.bytes[3] | (e.bytes[4] << 8) : -1; }
inline int Length(const sim::LogEntry& e) { return e.bytes.size() > 5 ? e.bytes[5] : -1; }

inline std::vector<uint8_t> Pattern(size_t size, uint8_t seed) {
  std::vector<uint8_t> v(size);
  for (size_t i = 0; i < size; ++i) v[i] = uint8_t(seed + i * 7);
  return v;
}

inline std::vector<uint8_t> Table(const std::string& keyboard, sim::Table table, int index = 0) {
  std::vector<uint8_t> bytes;
  sim::ReadTable(keyboard, table, index, bytes);
  return bytes;
}

// A message-only window; Take() returns the lParam of every UM-style message queued.
class MessageSink {
public:
  MessageSink() {
    hwnd_ = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  }
  ~MessageSink() {
    if (hwnd_) DestroyWindow(hwnd_);
  }
  HWND Handle() const { return hwnd_; }
  std::vector<LPARAM> Take(UINT message) {
    std::vector<LPARAM> out;
    MSG msg;
    while (PeekMessageW(&msg, hwnd_, message, message, PM_REMOVE)) out.push_back(msg.lParam);
    return out;
  }

private:
  HWND hwnd_ = nullptr;
};

}  // namespace simtest
