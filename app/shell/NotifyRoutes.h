// The routing tables of the main window's control notifications: which handler a
// (control id, notification code) reaches. KeyboardDlg::OnMessage runs the handler; the
// names let a reader (and the tests) see the table.
#pragma once
#include <windows.h>

class KeyboardDlg;

struct NotifyRoute {
  static constexpr int kAnyCode = -1;
  int firstId;
  int lastId;
  int code;  // kAnyCode, or the one code the route takes
  const char* handler;
  int (*run)(KeyboardDlg& dlg, UINT id, UINT code, WPARAM wParam, LPARAM lParam);
};

// The route a notification takes, or null when nothing handles it (result 0). Routes of
// the first table take their codes whatever they are; after them only clicks (code 2).
const NotifyRoute* FindNotifyRoute(UINT id, UINT code);
