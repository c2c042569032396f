// qiv_demo.exe: shows the library's windows. Without arguments it runs until the main
// dialog closes (menu "Exit" or Alt+F4). With "--screenshot <folder>" it writes the
// screen points to check and their colours to <folder>\checks.txt, then <folder>\ready,
// and keeps the windows up until <folder>\quit appears (at most one minute).
#include <windows.h>
#include <gdiplus.h>
#include <ole2.h>
#include <cstdio>
#include <string>
#include "DemoScene.h"
#include "core/MShadow.h"
#include "core/Manager.h"

namespace {
std::wstring Widen(const char* s) {
  std::wstring out;
  for (; *s; ++s) out += static_cast<wchar_t>(static_cast<unsigned char>(*s));
  return out;
}

bool Exists(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void Check(FILE* f, const char* label, HWND window, CPoint client, DWORD argb) {
  POINT p = {client.x, client.y};
  ::ClientToScreen(window, &p);
  std::fprintf(f, "%s %ld %ld %lu %lu %lu\n", label, p.x, p.y, (argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF);
}

// The points of the screenshot whose colours are known: opaque parts of each window.
bool WriteChecks(const std::wstring& folder, demo::Scene& scene) {
  FILE* f = _wfopen((folder + L"\\checks.txt").c_str(), L"w");
  if (!f) return false;
  using demo::Layout;
  HWND main = scene.main.GetSafeHwnd();
  Check(f, "main-background", main, CPoint(600, 420), demo::kBackground);
  Check(f, "main-border", main, CPoint(0, 300), demo::kBorder);
  Check(f, "header-area", main, CPoint(700, 30), demo::kHeader);
  Check(f, "green-area", main, Layout::GreenArea().CenterPoint(), demo::kGreen);
  Check(f, "orange-area", main, Layout::OrangeArea().CenterPoint(), demo::kOrange);
  Check(f, "popup-background", scene.popup.GetSafeHwnd(), CPoint(120, 130), demo::kPopupBack);
  Check(f, "popup-area", scene.popup.GetSafeHwnd(), CPoint(120, 90), demo::kOrange);
  Check(f, "shadowed-background", scene.shadowed.GetSafeHwnd(), CPoint(200, 160), demo::kShadowedBack);
  Check(f, "menu-background", scene.menuWindow, CPoint(110, 6), demo::kMenuBack);
  // Just below the shadowed window the shadow is solid: its colour at its darkness,
  // premultiplied, which is what it looks like over the display's black background.
  Check(f, "shadow-band", scene.shadowed.GetSafeHwnd(), CPoint(140, 182),
        MShadow::PreMultiply(demo::kShadowColor, demo::kShadowDarkness));
  std::fclose(f);
  HANDLE ready = ::CreateFileW((folder + L"\\ready").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (ready == INVALID_HANDLE_VALUE) return false;
  ::CloseHandle(ready);
  return true;
}
}  // namespace

int main(int argc, char** argv) {
  Manager::SetInstance(::GetModuleHandleW(nullptr));
  ::OleInitialize(nullptr);
  ULONG_PTR token = 0;
  Gdiplus::GdiplusStartupInput input;
  Gdiplus::GdiplusStartup(&token, &input, nullptr);
  int status = 0;
  {
    demo::Scene scene;
    if (!scene.Open()) {
      status = 2;
    } else if (argc >= 3 && std::string(argv[1]) == "--screenshot") {
      const std::wstring folder = Widen(argv[2]);
      if (!WriteChecks(folder, scene)) status = 3;
      const DWORD start = ::GetTickCount();
      while (status == 0 && !Exists(folder + L"\\quit") && ::GetTickCount() - start < 60000) demo::Pump(50);
    } else {
      scene.main.ShowModal(SW_SHOW);
    }
    scene.Close();
  }
  Gdiplus::GdiplusShutdown(token);
  ::OleUninitialize();
  return status;
}
