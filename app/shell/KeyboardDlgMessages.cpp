// The main window's window messages: the program's private messages, device and power
// broadcasts, the tray icon and its menu, the skin menu's choice and the close request.
#include "shell/KeyboardDlg.h"
#include <commdlg.h>
#include <shellapi.h>
#include "controls/CGifPicture.h"
#include "controls/MPicture.h"
#include "core/Manager.h"
#include "device/DeviceReport.h"
#include "shell/AppPopups.h"
#include "shell/AppSettings.h"
#include "shell/LanguageText.h"

LRESULT KeyboardDlg::OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_DEVICECHANGE: OnDeviceChange(wParam, lParam); return 0;
    case UM_HOOK_KEYBOARD: return OnHookKeyEvent(wParam, lParam);
    case UM_HOOK_MOUSE: return OnHookMouseEvent(wParam, lParam);
    case WM_POWERBROADCAST: OnPowerBroadcast(wParam); return 1;
    case UM_SKIN_MENU: return OnSkinMenu(lParam);
    case WM_INPUT: OnKeyTestInput(lParam); break;
    case UM_TRAY_NOTIFY: OnTrayNotify(lParam); return 0;
    case UM_TRAY_EXIT: OnTrayExit(lParam); return 0;
    case UM_PROFILE_MENU: OnProfileMenu(lParam); return 1;
    case UM_KEYFUNC_TYPE: return OnKeyFunctionType(wParam);
    case WM_COMMAND:
      if (wParam == kTrayMenuExit) {
        CloseAppPopups();
        RemoveTrayIcon();
        ExitNow(0);
        return 0;
      }
      break;
    case UM_DOWNLOAD_PROGRESS: return OnDownloadProgress(lParam);
    case UM_DROPPED: return 1;
    case UM_UPDATE_RESULT: return OnUpdateResult(wParam, lParam);
    case UM_DEVICE_LINK: OnDeviceLink(lParam); return 1;
    case UM_KNOB_SELECTED: return OnKnobSelected(wParam, lParam);
    case UM_LANGUAGE_CHANGED: ReloadTexts(); break;
    case UM_DRAGOVER: return OnKeyDragMove(lParam);
    case WM_CLOSE:
      // A close request ends the run in order; the window goes with it.
      Quit();
      return 0;
    case UM_WINDOW_CALLS: RunWindowCalls(); return 0;
    default: break;
  }
  return MDialog::OnWindowMessage(msg, wParam, lParam);
}

void KeyboardDlg::OnDeviceChange(WPARAM event, LPARAM header) {
  if (event == DBT_DEVICEARRIVAL || event == DBT_DEVICEREMOVECOMPLETE)
    UpdateUSBDevice(UINT(event), reinterpret_cast<const DEV_BROADCAST_HDR*>(header));
}

void KeyboardDlg::OnTrayNotify(LPARAM mouseMessage) {
  HWND window = GetSafeHwnd();
  if (!window) return;
  if (mouseMessage == WM_LBUTTONDOWN || mouseMessage == WM_LBUTTONDBLCLK) {
    SetForegroundWindow(window);
    ShowWindow(true);
    UpdateWindow(window);
    BringWindowToTop(window);
  } else if (mouseMessage == WM_RBUTTONUP) {
    POINT at = {};
    GetCursorPos(&at);
    HMENU menu = CreatePopupMenu();
    if (!menu) return;
    AppendMenuW(menu, MF_STRING, kTrayMenuExit, LoadLangString(11).GetString());
    SetForegroundWindow(window);
    // The choice arrives as WM_COMMAND 100.
    TrackPopupMenu(menu, TPM_RIGHTBUTTON, at.x, at.y, 0, window, nullptr);
    DestroyMenu(menu);
  }
}

void KeyboardDlg::OnTrayExit(LPARAM code) {
  if (code != kTrayExitCode) return;
  RemoveTrayIcon();
  ExitNow(0);
}

int KeyboardDlg::OnSkinMenu(LPARAM item) {
  auto* still = dynamic_cast<MPicture*>(Control(30));
  auto* home = dynamic_cast<CGifPicture*>(Control(31));
  if (item == 100) {
    const bool homePage = m_mainPage == 0;
    // Filters hold pairs of texts, each ending in a zero, and a final zero.
    const wchar_t* filter = homePage ? L"Image Files (*.jpg;*.jpeg;*.png;*.gif)\0*.jpg;*.jpeg;*.png;*.gif\0\0"
                                     : L"Image Files (*.jpg;*.jpeg;*.png)\0*.jpg;*.jpeg;*.png\0\0";
    wchar_t file[260] = {};
    OPENFILENAMEW ofn = {};
    ofn.lStructSize = sizeof(ofn);
    ofn.lpstrFilter = filter;
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file;
    ofn.nMaxFile = 260;
    if (!GetOpenFileNameW(&ofn) || !file[0]) return 0;
    if (GetFileAttributesW(file) == INVALID_FILE_ATTRIBUTES) return 0;
    if (homePage) {
      WriteAppRegString(L"theme_bkg_gif", file);
      if (home) home->SetImageFile(file);
    } else {
      WriteAppRegString(L"theme_bkg", file);
      if (still) still->SetImageFile(file);
    }
  } else if (item == 101) {
    WriteAppRegString(L"theme_bkg", L"");
    WriteAppRegString(L"theme_bkg_gif", L"");
    if (still) still->SetImageFile((m_exeFolder + L"skins\\theme1\\main_bkg.png").GetString());
    if (home) home->SetImageFile((m_exeFolder + L"skins\\theme1\\home_bg.gif").GetString());
  } else {
    return 1;
  }
  GetPaintManager()->RefreshControls();
  if (GetSafeHwnd()) ::InvalidateRect(GetSafeHwnd(), nullptr, TRUE);
  GetPaintManager()->RefreshControls();
  return 1;
}
