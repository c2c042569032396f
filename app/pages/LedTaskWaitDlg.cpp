#include "pages/LedTaskWaitDlg.h"

namespace {
constexpr UINT kPollMs = 50;

// Closes `dialog` once `done` answers true (asked at each tick of its timer).
template <typename Dialog>
bool CloseWhenDone(Dialog& dialog, const std::function<bool()>& done, bool& closing) {
  if (closing || (done && !done())) return false;
  closing = true;
  dialog.DoOK();
  return true;
}
}  // namespace

LedTaskWaitDlg::~LedTaskWaitDlg() = default;

int LedTaskWaitDlg::OnInitDialog() {
  const int result = LEDWaitDlg::OnInitDialog();
  ::SetTimer(GetSafeHwnd(), kTimer, kPollMs, nullptr);
  return result;
}

LRESULT LedTaskWaitDlg::OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_TIMER && wParam == kTimer) {
    if (CloseWhenDone(*this, m_done, m_closing)) ::KillTimer(GetSafeHwnd(), kTimer);
    return 0;
  }
  return LEDWaitDlg::OnWindowMessage(msg, wParam, lParam);
}

LedTaskProgressDlg::~LedTaskProgressDlg() = default;

int LedTaskProgressDlg::OnInitDialog() {
  const int result = LEDWaitDlg2::OnInitDialog();
  ::SetTimer(GetSafeHwnd(), kTimer, kPollMs, nullptr);
  return result;
}

LRESULT LedTaskProgressDlg::OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_TIMER && wParam == kTimer) {
    if (CloseWhenDone(*this, m_done, m_closing)) ::KillTimer(GetSafeHwnd(), kTimer);
    return 0;
  }
  return LEDWaitDlg2::OnWindowMessage(msg, wParam, lParam);
}
