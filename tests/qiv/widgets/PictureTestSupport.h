// Real files for the picture tests: a temporary folder whose name holds non-ASCII
// characters (as a Chinese user name does), PNG fixtures drawn by the tests, the
// per-user data folder under a device name of the test's own, and renders of a control
// into an in-process bitmap.
#pragma once
#include <windows.h>
#include <gdiplus.h>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>
#include "core/Manager.h"
#include "core/MControl.h"
#include "widgets/DibCanvas.h"
#include "widgets/EditWorkingCopy.h"
#include "widgets/FileWrite.h"
#include "widgets/PngFile.h"

namespace pictest {

// Deletes a folder with everything in it.
inline void RemoveTree(const std::wstring& folder) {
  WIN32_FIND_DATAW found;
  HANDLE h = ::FindFirstFileW((folder + L"\\*").c_str(), &found);
  if (h != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = found.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring path = folder + L"\\" + name;
      ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) RemoveTree(path);
      else ::DeleteFileW(path.c_str());
    } while (::FindNextFileW(h, &found));
    ::FindClose(h);
  }
  ::SetFileAttributesW(folder.c_str(), FILE_ATTRIBUTE_NORMAL);
  ::RemoveDirectoryW(folder.c_str());
}

// A fresh folder in the temporary folder, named with Chinese characters; removed with
// everything in it when the object goes.
class TempFolder {
public:
  TempFolder() {
    static int counter = 0;
    wchar_t base[MAX_PATH];
    ::GetTempPathW(MAX_PATH, base);
    path_ = std::wstring(base) + L"qiv \u56fe\u7247\u6d4b\u8bd5 " + std::to_wstring(::GetCurrentProcessId()) + L"-" +
            std::to_wstring(++counter);
    RemoveTree(path_);
    ::CreateDirectoryW(path_.c_str(), nullptr);
  }
  ~TempFolder() { RemoveTree(path_); }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::wstring& Path() const { return path_; }
  CString File(const wchar_t* name) const { return CString((path_ + L"\\" + name).c_str()); }

private:
  std::wstring path_;
};

// The program's per-user data folder, named after a device name of the test's own (with
// Chinese characters); removed when the object goes.
class DataFolderScope {
public:
  DataFolderScope() {
    previous_ = Manager::GetDeviceName();
    CString name;
    name.Format(L"Quenby \u6d4b\u8bd5 %lu", ::GetCurrentProcessId());
    Manager::SetDeviceName(name);
    folder_ = GetUserDataFolder();
    RemoveTree(Trim(folder_));
  }
  ~DataFolderScope() {
    RemoveTree(Trim(folder_));
    Manager::SetDeviceName(previous_);
  }
  DataFolderScope(const DataFolderScope&) = delete;
  DataFolderScope& operator=(const DataFolderScope&) = delete;
  const CString& Folder() const { return folder_; }

private:
  static std::wstring Trim(const CString& folder) {
    std::wstring f = folder.str();
    while (!f.empty() && f.back() == L'\\') f.pop_back();
    return f;
  }
  CString previous_;
  CString folder_;
};

// Writes a w x h PNG whose pixel (x, y) is `argb(x, y)` (0xAARRGGBB).
inline bool WritePng(const CString& path, unsigned w, unsigned h, const std::function<uint32_t(unsigned, unsigned)>& argb) {
  std::vector<uint8_t> rgba(static_cast<size_t>(w) * h * 4);
  for (unsigned y = 0; y < h; ++y)
    for (unsigned x = 0; x < w; ++x) {
      const uint32_t c = argb(x, y);
      uint8_t* p = &rgba[(static_cast<size_t>(y) * w + x) * 4];
      p[0] = (c >> 16) & 0xFF;
      p[1] = (c >> 8) & 0xFF;
      p[2] = c & 0xFF;
      p[3] = (c >> 24) & 0xFF;
    }
  return PngFile::WriteRgba(path, rgba.data(), w, h);
}

inline bool WriteSolidPng(const CString& path, unsigned w, unsigned h, uint32_t argb) {
  return WritePng(path, w, h, [&](unsigned, unsigned) { return argb; });
}

// A PNG read back: size and pixels as 0xAARRGGBB.
struct Picture {
  unsigned width = 0;
  unsigned height = 0;
  std::vector<uint32_t> argb;
  bool Ok() const { return width > 0 && height > 0; }
  uint32_t At(unsigned x, unsigned y) const { return argb[static_cast<size_t>(y) * width + x]; }
  int Count(uint32_t colour) const {
    int n = 0;
    for (uint32_t c : argb) n += c == colour ? 1 : 0;
    return n;
  }
};

inline Picture ReadPng(const CString& path) {
  Picture p;
  std::vector<uint8_t> rgba;
  if (!PngFile::ReadRgba(path, rgba, p.width, p.height)) return Picture();
  p.argb.resize(static_cast<size_t>(p.width) * p.height);
  for (size_t i = 0; i < p.argb.size(); ++i) {
    const uint8_t* q = &rgba[i * 4];
    p.argb[i] = (static_cast<uint32_t>(q[3]) << 24) | (static_cast<uint32_t>(q[0]) << 16) |
                (static_cast<uint32_t>(q[1]) << 8) | q[2];
  }
  return p;
}

inline std::vector<uint8_t> FileBytes(const CString& path) {
  std::vector<uint8_t> bytes;
  ReadWholeFile(path, bytes);
  return bytes;
}

inline bool Exists(const CString& path) { return ::GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES; }

// A control drawn into an in-process bitmap of the window's size (the control's own
// rectangle is where it lands). Pixels read as 0x00RRGGBB.
class Render {
public:
  Render(int width, int height) : canvas_(nullptr, width, height) {}
  // Renders afresh: the recording parent of these tests does not mark a control's cached
  // picture stale on a repaint request as a window does.
  void Draw(MControl& control) {
    control.SetUpdate(0, 0);
    HDC dc = canvas_.GetDC();
    control.DrawControl(dc, control.GetRect());
    ::GdiFlush();
  }
  uint32_t At(int x, int y) const {
    const BYTE* p = canvas_.Bits() + (static_cast<size_t>(y) * canvas_.Width() + x) * 4;
    return (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[1]) << 8) | p[0];
  }
  HDC GetDC() const { return canvas_.GetDC(); }

private:
  DibCanvas canvas_;
};

}  // namespace pictest
