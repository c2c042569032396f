// The program's small modal windows: its own message box (one or two buttons) and the
// busy dialogs that run while the worker performs a task. All are owner-drawn dialogs of
// the UI library, created with style 0x96020000 as tool windows and run modally.
#pragma once
#include "core/CString.h"
#include "core/MDialog.h"

class MText;
class MProgress;

// Message box types: one button (OK, result 1), two buttons (result 1 or 2).
constexpr int kMessageBoxOk = 0;
constexpr int kMessageBoxOkCancel = 4;

class CUIMessageBox : public MDialog {
public:
  CUIMessageBox() = default;
  ~CUIMessageBox() override;
  int OnInitDialog() override;
  void InitUI(CRect client) override;
  void UISize(CRect client) override;
  LRESULT OnMessage(UINT id, UINT code, WPARAM wParam, LPARAM lParam) override;

  CString m_caption;
  CString m_text;
  int m_type = kMessageBoxOk;
};

// Runs a message box owned by `owner` and returns 1 for the first button, 2 for the
// second or when the box was closed from outside. A null text counts as empty.
int ShowMessageBox(HWND owner, const wchar_t* text, const wchar_t* caption, int type);

// The 102 x 102 spinner over the main window while a worker task runs. Whoever queued the
// task keeps the dialog so that the task's end can close it (DoOK).
class WaitDlg : public MDialog {
public:
  WaitDlg() = default;
  ~WaitDlg() override;
  int OnInitDialog() override;
  void InitUI(CRect client) override;
  void UISize(CRect client) override;
  LRESULT OnMessage(UINT id, UINT code, WPARAM wParam, LPARAM lParam) override;
  // Creates the dialog centred on the owner's window rectangle and runs it until closed.
  void ShowCentered(HWND owner);
  // Where a 102 x 102 dialog goes over an owner at `owner` (integer centring).
  static CRect CenteredOn(const RECT& owner);

protected:
  // The LED page's twin has no rounded background.
  virtual bool RoundedBackground() const { return true; }
};

class LEDWaitDlg : public WaitDlg {
public:
  ~LEDWaitDlg() override;

protected:
  bool RoundedBackground() const override { return false; }
};

// The LED page's 395 x 150 progress window, centred on the work area of its monitor.
class LEDWaitDlg2 : public MDialog {
public:
  LEDWaitDlg2() = default;
  ~LEDWaitDlg2() override;
  int OnInitDialog() override;
  void InitUI(CRect client) override;
  void UISize(CRect client) override;
  LRESULT OnMessage(UINT id, UINT code, WPARAM wParam, LPARAM lParam) override;
  void ShowCentered();

  MText* m_title = nullptr;     // 30
  MText* m_status = nullptr;    // 31
  MProgress* m_progress = nullptr;  // 32
};
