// Pieces the widget tests share: a memory canvas to draw a control into without a
// window, and the colour helpers of its pixels.
#pragma once
#include <windows.h>
#include <cstdint>
#include "core/MControl.h"
#include "core/MRender.h"
#include "core/Manager.h"
#include "qiv/core/SkinFiles.h"

namespace widgettest {

// Skin pictures written for one test into a theme folder of the process's own.
using qivtest::SkinFolder;

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
