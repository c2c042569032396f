// The yardsticks of the start-up benchmark: a plain Win32 program that opens one window of
// the main window's size, paints it once and waits for its close. Started as
// `startup_bare_window gdiplus <font file>` it first starts GDI+ and loads the font
// privately, and its first paint draws what a main window of about 300 controls draws,
// directly with GDI+ into a DIB (a titled, framed cell per control), then copies it to
// the window: the floor the platform's own drawing sets for the program's start-up.
#include <windows.h>
#include <gdiplus.h>
#include <memory>
#include <shellapi.h>

namespace {

constexpr int kWidth = 1400, kHeight = 788;

struct DirectDrawing {
  ULONG_PTR token = 0;
  std::unique_ptr<Gdiplus::PrivateFontCollection> fonts;
  bool ok = false;
};
DirectDrawing g_direct;

// The cells of the direct first paint: fills, frames and centred titles in the private face.
void DrawCells(HDC window, const RECT& area) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = kWidth;
  info.bmiHeader.biHeight = -kHeight;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(window, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC dc = CreateCompatibleDC(window);
  if (!dib || !dc) {
    if (dib) DeleteObject(dib);
    if (dc) DeleteDC(dc);
    return;
  }
  HGDIOBJ old = SelectObject(dc, dib);
  {
    Gdiplus::Bitmap picture(kWidth, kHeight, kWidth * 4, PixelFormat32bppRGB, static_cast<BYTE*>(bits));
    Gdiplus::Graphics g(&picture);
    Gdiplus::SolidBrush back(Gdiplus::Color(0xFF23262B)), cell(Gdiplus::Color(0xFF3A4E60)),
        text(Gdiplus::Color(0xFFFFFFFF));
    Gdiplus::Pen frame(Gdiplus::Color(0xFF808080), 1.0f);
    g.FillRectangle(&back, 0, 0, kWidth, kHeight);
    Gdiplus::FontFamily family;
    INT found = 0;
    if (g_direct.fonts->GetFamilyCount() > 0) g_direct.fonts->GetFamilies(1, &family, &found);
    Gdiplus::Font font(found ? &family : Gdiplus::FontFamily::GenericSansSerif(), 14.0f, Gdiplus::FontStyleRegular,
                       Gdiplus::UnitPixel);
    Gdiplus::StringFormat format;
    format.SetAlignment(Gdiplus::StringAlignmentCenter);
    format.SetLineAlignment(Gdiplus::StringAlignmentCenter);
    g.SetTextRenderingHint(Gdiplus::TextRenderingHintAntiAliasGridFit);
    for (int i = 0; i < 300; ++i) {
      const int x = (i % 20) * 70 + 3, y = (i / 20) * 52 + 6;
      g.FillRectangle(&cell, x, y, 64, 40);
      g.DrawRectangle(&frame, x, y, 63, 39);
      g.DrawString(L"Apply", 5, &font, Gdiplus::RectF(float(x), float(y), 64.0f, 40.0f), &format, &text);
    }
  }
  BitBlt(window, area.left, area.top, area.right - area.left, area.bottom - area.top, dc, area.left, area.top, SRCCOPY);
  SelectObject(dc, old);
  DeleteObject(dib);
  DeleteDC(dc);
}

LRESULT CALLBACK Proc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      if (g_direct.ok) DrawCells(dc, paint.rcPaint);
      else FillRect(dc, &paint.rcPaint, reinterpret_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
      EndPaint(window, &paint);
      return 0;
    }
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProcW(window, msg, wParam, lParam);
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
  int argc = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  const bool direct = argv && argc >= 3 && lstrcmpW(argv[1], L"gdiplus") == 0;
  if (direct) {
    Gdiplus::GdiplusStartupInput input;
    if (Gdiplus::GdiplusStartup(&g_direct.token, &input, nullptr) == Gdiplus::Ok) {
      g_direct.fonts = std::make_unique<Gdiplus::PrivateFontCollection>();
      g_direct.fonts->AddFontFile(argv[2]);
      g_direct.ok = true;
    }
  }
  if (argv) LocalFree(argv);
  WNDCLASSW type = {};
  type.lpfnWndProc = Proc;
  type.hInstance = instance;
  type.lpszClassName = L"BareWindow";
  type.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  RegisterClassW(&type);
  const int x = (GetSystemMetrics(SM_CXSCREEN) - kWidth) / 2, y = (GetSystemMetrics(SM_CYSCREEN) - kHeight) / 2;
  HWND window = CreateWindowExW(0, L"BareWindow", L"BareWindow", WS_POPUP | WS_VISIBLE | WS_MINIMIZEBOX, x, y, kWidth,
                                kHeight, nullptr, nullptr, instance, nullptr);
  if (!window) return 2;
  ShowWindow(window, SW_SHOW);
  UpdateWindow(window);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  if (g_direct.ok) {
    g_direct.fonts.reset();
    Gdiplus::GdiplusShutdown(g_direct.token);
  }
  return 0;
}
