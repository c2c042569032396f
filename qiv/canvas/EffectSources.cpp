#include "canvas/EffectSources.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <random>
#include "core/MRender.h"

namespace {
// Copies a bottom-up 32-bit DIB into top-down words.
void CopyBottomUp(const BYTE* bits, int width, int height, std::vector<DWORD>& pixels) {
  pixels.resize(size_t(width) * size_t(height));
  for (int y = 0; y < height; ++y) {
    const auto* row = reinterpret_cast<const DWORD*>(bits) + size_t(height - 1 - y) * size_t(width);
    std::copy(row, row + width, pixels.begin() + ptrdiff_t(size_t(y) * size_t(width)));
  }
}

bool GrabDesktop(const RECT& source, int width, int height, std::vector<DWORD>& pixels) {
  HWND desktop = ::GetDesktopWindow();
  if (!desktop) {
    EffectDebugLine(L"[\x5C4F\x5E55\x8054\x52A8] \x9519\x8BEF\xFF1AGetDesktopWindow() \x5931\x8D25");
    return false;
  }
  HDC screen = ::GetDC(desktop);
  if (!screen) {
    EffectDebugLine(L"[\x5C4F\x5E55\x8054\x52A8] \x9519\x8BEF\xFF1AGetDC() \x5931\x8D25");
    return false;
  }
  HDC memory = ::CreateCompatibleDC(screen);
  BYTE* bits = nullptr;
  HBITMAP bitmap = memory ? MRender::CreateARGB32Bitmap(memory, width, height, &bits) : nullptr;
  if (!bitmap || !bits) {
    EffectDebugLine(L"[\x5C4F\x5E55\x8054\x52A8] \x9519\x8BEF\xFF1A" L"CreateARGB32Bitmap() \x5931\x8D25");
    if (bitmap) ::DeleteObject(bitmap);
    if (memory) ::DeleteDC(memory);
    ::ReleaseDC(desktop, screen);
    return false;
  }
  HGDIOBJ old = ::SelectObject(memory, bitmap);
  ::SetStretchBltMode(memory, HALFTONE);
  ::SetBrushOrgEx(memory, 0, 0, nullptr);
  ::StretchBlt(memory, 0, 0, width, height, screen, source.left, source.top, source.right - source.left,
               source.bottom - source.top, SRCCOPY);
  ::GdiFlush();
  CopyBottomUp(bits, width, height, pixels);
  ::SelectObject(memory, old);
  ::DeleteObject(bitmap);
  ::DeleteDC(memory);
  ::ReleaseDC(desktop, screen);
  return true;
}

bool GrabWindow(HWND window, int width, int height, std::vector<DWORD>& pixels) {
  HDC client = ::GetDC(window);
  if (!client) return false;
  HDC memory = ::CreateCompatibleDC(client);
  BYTE* bits = nullptr;
  HBITMAP bitmap = memory ? MRender::CreateARGB32Bitmap(memory, width, height, &bits) : nullptr;
  bool done = false;
  if (bitmap && bits) {
    RECT area{};
    ::GetClientRect(window, &area);
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    ::SetStretchBltMode(memory, HALFTONE);
    ::SetBrushOrgEx(memory, 0, 0, nullptr);
    ::StretchBlt(memory, 0, 0, width, height, client, 0, 0, area.right, area.bottom, SRCCOPY);
    ::GdiFlush();
    CopyBottomUp(bits, width, height, pixels);
    ::SelectObject(memory, old);
    done = true;
  }
  if (bitmap) ::DeleteObject(bitmap);
  if (memory) ::DeleteDC(memory);
  ::ReleaseDC(window, client);
  return done;
}

double PreciseNow() {
  static const double frequency = [] {
    LARGE_INTEGER f{};
    ::QueryPerformanceFrequency(&f);
    return f.QuadPart > 0 ? double(f.QuadPart) : 1000.0;
  }();
  LARGE_INTEGER now{};
  ::QueryPerformanceCounter(&now);
  return double(now.QuadPart) * 1000.0 / frequency;
}
}  // namespace

EffectSources EffectSources::System() {
  EffectSources s;
  s.tickMs = [] { return ::GetTickCount(); };
  s.preciseMs = PreciseNow;
  s.seed = [] {
    static thread_local std::random_device device;
    return unsigned(device());
  };
  s.rand15 = [] { return std::rand(); };
  s.grabScreen = GrabDesktop;
  s.grabWindow = GrabWindow;
  return s;
}

void EffectDebugLine(const wchar_t* format, ...) {
  wchar_t line[512];
  va_list args;
  va_start(args, format);
  _vsnwprintf(line, 510, format, args);
  va_end(args);
  line[510] = 0;
  wcscat(line, L"\n");
  ::OutputDebugStringW(line);
}
