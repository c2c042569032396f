// The LED page's wait dialogs for the tasks that no worker step carries out (GIF import
// and export, download): the dialog closes itself once the worker has taken the queue's
// tasks, as the busy dialog of a dropped task does, so the page never waits for ever.
#pragma once
#include <functional>
#include "shell/ShellDialogs.h"

class LedTaskWaitDlg : public LEDWaitDlg {
public:
  // `done` answers whether the task has left the queue; it is asked on the dialog's
  // own timer.
  explicit LedTaskWaitDlg(std::function<bool()> done) : m_done(std::move(done)) {}
  ~LedTaskWaitDlg() override;
  int OnInitDialog() override;
  LRESULT OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
  static constexpr UINT_PTR kTimer = 0x4C44;
  std::function<bool()> m_done;
  bool m_closing = false;
};

// The progress window of the download, closed the same way.
class LedTaskProgressDlg : public LEDWaitDlg2 {
public:
  explicit LedTaskProgressDlg(std::function<bool()> done) : m_done(std::move(done)) {}
  ~LedTaskProgressDlg() override;
  int OnInitDialog() override;
  LRESULT OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
  static constexpr UINT_PTR kTimer = 0x4C44;
  std::function<bool()> m_done;
  bool m_closing = false;
};
