// The yardstick of the start-up benchmark: a plain Win32 program that opens one window of
// the main window's size, paints it once and waits for its close.
#include <windows.h>

namespace {

LRESULT CALLBACK Proc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      FillRect(dc, &paint.rcPaint, reinterpret_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
      EndPaint(window, &paint);
      return 0;
    }
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProcW(window, msg, wParam, lParam);
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
  WNDCLASSW type = {};
  type.lpfnWndProc = Proc;
  type.hInstance = instance;
  type.lpszClassName = L"BareWindow";
  type.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  RegisterClassW(&type);
  const int x = (GetSystemMetrics(SM_CXSCREEN) - 1400) / 2, y = (GetSystemMetrics(SM_CYSCREEN) - 788) / 2;
  HWND window = CreateWindowExW(0, L"BareWindow", L"BareWindow", WS_POPUP | WS_VISIBLE | WS_MINIMIZEBOX, x, y, 1400,
                                788, nullptr, nullptr, instance, nullptr);
  if (!window) return 2;
  ShowWindow(window, SW_SHOW);
  UpdateWindow(window);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}
