// The software download's progress window: a status line and a progress bar. The main
// window hands it the download's progress; the worker closes it when the download did not
// lead to an installation (on success the process ends while it is shown).
#pragma once
#include "core/MDialog.h"

class MText;
class MProgress;

class UpdateProcessDlg : public MDialog {
public:
  UpdateProcessDlg() = default;
  ~UpdateProcessDlg() override;
  int OnInitDialog() override;
  void InitUI(CRect client) override;
  void UISize(CRect client) override;
  LRESULT OnMessage(UINT id, UINT code, WPARAM wParam, LPARAM lParam) override;
  virtual int Quit();

  // Creates the 360 x 100 window centred on `owner` and runs it until it is closed.
  void ShowProgress(HWND owner);
  // The bar (clamped to 0-100 by the bar) and "<text 539>: <percent>%"; nothing before
  // the window's controls exist.
  void SetProgress(int percent);
  // The controls go with the window: progress that arrives later shows nowhere.
  void OnDestroyMessage(HWND oldWindow) override;

  MText* m_status = nullptr;       // 31
  MProgress* m_progress = nullptr;  // 32
  int m_shownPercent = -1;  // the last progress shown; -1 before any
};
