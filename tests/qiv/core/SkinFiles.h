// Skin pictures written by the tests into a theme folder of their own beside the test
// program (the skins folder the library looks in), removed again by the fixture.
#pragma once
#include <windows.h>
#include <cstdint>
#include <string>
#include <vector>
#include "core/Manager.h"
#include "lodepng.h"

namespace qivtest {

inline std::string Narrow(const CString& s) {
  std::string out;
  for (wchar_t c : s.str()) out += static_cast<char>(c);
  return out;
}

class SkinFolder {
public:
  SkinFolder() {
    previous_ = Manager::GetThemeSkins();
    ::CreateDirectoryW(GetExeFolder() + L"skins", nullptr);
    // One folder per process: ctest runs test programs side by side and they would
    // otherwise write and delete each other's pictures.
    Manager::SetThemeSkins(CString(L"qivtest") + std::to_wstring(::GetCurrentProcessId()).c_str() + L"\\");
    ::CreateDirectoryW(GetSkinsFolder(), nullptr);
  }
  ~SkinFolder() {
    for (const CString& f : files_) ::DeleteFileW(f);
    ::RemoveDirectoryW(GetSkinsFolder());
    Manager::SetThemeSkins(previous_);
  }
  SkinFolder(const SkinFolder&) = delete;
  SkinFolder& operator=(const SkinFolder&) = delete;
  // Writes a w x h RGBA picture whose pixel colour `pixel(x, y)` gives (0xAARRGGBB).
  template <class F>
  void Write(const wchar_t* name, unsigned w, unsigned h, F pixel) {
    std::vector<unsigned char> rgba(static_cast<size_t>(w) * h * 4);
    for (unsigned y = 0; y < h; ++y)
      for (unsigned x = 0; x < w; ++x) {
        uint32_t c = pixel(x, y);
        unsigned char* p = &rgba[(static_cast<size_t>(y) * w + x) * 4];
        p[0] = (c >> 16) & 0xFF;
        p[1] = (c >> 8) & 0xFF;
        p[2] = c & 0xFF;
        p[3] = (c >> 24) & 0xFF;
      }
    CString path = GetSkinsFolder() + name;
    lodepng::encode(Narrow(path), rgba, w, h);
    files_.push_back(path);
  }
  void Solid(const wchar_t* name, unsigned w, unsigned h, uint32_t argb) {
    Write(name, w, h, [&](unsigned, unsigned) { return argb; });
  }

private:
  CString previous_;
  std::vector<CString> files_;
};

}  // namespace qivtest
