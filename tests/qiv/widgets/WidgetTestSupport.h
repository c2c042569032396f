// Pieces the widget tests share: a memory canvas to draw a control into without a
// window, and the colour helpers of its pixels.
#pragma once
#include <windows.h>
#include <cstdint>
#include <string>
#include <vector>
#include "core/MControl.h"
#include "core/MRender.h"
#include "core/Manager.h"
#include "lodepng.h"

namespace widgettest {

// Skin pictures written for one test into a theme folder of its own beside the test
// program (the skins folder the library looks in), named after the process so that test
// programs running side by side never share or delete each other's files.
class SkinFolder {
public:
  SkinFolder() {
    previous_ = Manager::GetThemeSkins();
    ::CreateDirectoryW(GetExeFolder() + L"skins", nullptr);
    CString theme;
    theme.Format(L"widgets%lu\\", ::GetCurrentProcessId());
    Manager::SetThemeSkins(theme);
    ::CreateDirectoryW(GetSkinsFolder(), nullptr);
  }
  ~SkinFolder() {
    for (const CString& f : files_) ::DeleteFileW(f);
    ::RemoveDirectoryW(GetSkinsFolder());
    Manager::SetThemeSkins(previous_);
  }
  SkinFolder(const SkinFolder&) = delete;
  SkinFolder& operator=(const SkinFolder&) = delete;

  // A w x h picture whose pixel (x, y) is `pixel(x, y)` as 0xAARRGGBB.
  template <class F>
  void Write(const wchar_t* name, unsigned w, unsigned h, F pixel) {
    std::vector<unsigned char> rgba(static_cast<size_t>(w) * h * 4);
    for (unsigned y = 0; y < h; ++y)
      for (unsigned x = 0; x < w; ++x) {
        const uint32_t c = pixel(x, y);
        unsigned char* p = &rgba[(static_cast<size_t>(y) * w + x) * 4];
        p[0] = (c >> 16) & 0xFF;
        p[1] = (c >> 8) & 0xFF;
        p[2] = c & 0xFF;
        p[3] = (c >> 24) & 0xFF;
      }
    const CString path = GetSkinsFolder() + name;
    std::string narrow;
    for (wchar_t c : path.str()) narrow += static_cast<char>(c);
    lodepng::encode(narrow, rgba, w, h);
    files_.push_back(path);
  }
  void Solid(const wchar_t* name, unsigned w, unsigned h, uint32_t argb) {
    Write(name, w, h, [&](unsigned, unsigned) { return argb; });
  }

private:
  CString previous_;
  std::vector<CString> files_;
};

constexpr uint32_t RgbOf(COLORREF c) { return (uint32_t(GetRValue(c)) << 16) | (GetGValue(c) << 8) | GetBValue(c); }

// A top-down 32-bit canvas filled with one colour, standing in for the window's paint DC.
class MemoryCanvas {
public:
  MemoryCanvas(int w, int h, COLORREF fill = RGB(10, 20, 30)) : w_(w), h_(h) {
    HDC screen = ::GetDC(nullptr);
    dc_ = ::CreateCompatibleDC(screen);
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
    bmi.bmiHeader.biWidth = w;
    bmi.bmiHeader.biHeight = -h;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    dib_ = ::CreateDIBSection(screen, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
    ::ReleaseDC(nullptr, screen);
    bits_ = static_cast<uint32_t*>(bits);
    old_ = ::SelectObject(dc_, dib_);
    Fill(fill);
  }
  ~MemoryCanvas() {
    ::SelectObject(dc_, old_);
    ::DeleteObject(dib_);
    ::DeleteDC(dc_);
  }
  void Fill(COLORREF c) {
    ::GdiFlush();
    for (int i = 0; i < w_ * h_; ++i) bits_[i] = RgbOf(c);
  }
  void Draw(MControl& control) {
    HDC dc = dc_;
    control.DrawControl(dc, CRect(0, 0, w_, h_));
    ::GdiFlush();
  }
  // 0xRRGGBB of the pixel at (x, y).
  uint32_t Rgb(int x, int y) const {
    ::GdiFlush();
    return bits_[static_cast<size_t>(y) * w_ + x] & 0xFFFFFF;
  }
  HDC dc() const { return dc_; }

private:
  int w_, h_;
  HDC dc_ = nullptr;
  HBITMAP dib_ = nullptr;
  HGDIOBJ old_ = nullptr;
  uint32_t* bits_ = nullptr;
};

}  // namespace widgettest
