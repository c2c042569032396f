// Temporary program entry: shows the main window frame until the real start-up lands.
#include <windows.h>
#include "core/Manager.h"
#include "core/MWindow.h"

namespace {
// A plain window that paints its client area and ends the program when closed.
class MainFrame : public MWindow {
public:
  LRESULT OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
    if (msg == WM_PAINT) {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(GetSafeHwnd(), &ps);
      RECT rc;
      GetClientRect(&rc);
      HBRUSH brush = CreateSolidBrush(RGB(0x1E, 0x24, 0x2C));
      FillRect(dc, &rc, brush);
      DeleteObject(brush);
      EndPaint(GetSafeHwnd(), &ps);
      return 0;
    }
    return MWindow::OnWindowMessage(msg, wParam, lParam);
  }
};
}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int cmdShow) {
  Manager::InitGdiplus();
  Manager::SetInstance(instance);
  {
    MainFrame frame;
    CRect rect(0, 0, 1400, 788);
    frame.Create(nullptr, Manager::GetDeviceName(), WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, rect);
    frame.CenterWindow();
    frame.ShowModal(cmdShow ? cmdShow : SW_SHOWNORMAL);
  }
  Manager::UnInitGdiplus();
  return 0;
}
