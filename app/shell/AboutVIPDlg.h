// The about window: one picture as large as the main window with a close button over it,
// opened modally from the main window's picture button.
#pragma once
#include "core/MDialog.h"

class MPicture;

class AboutVIPDlg : public MDialog {
public:
  AboutVIPDlg() = default;
  ~AboutVIPDlg() override;
  int OnInitDialog() override;
  void InitUI(CRect client) override;
  void UISize(CRect client) override;
  LRESULT OnMessage(UINT id, UINT code, WPARAM wParam, LPARAM lParam) override;
  virtual int Quit();

  MPicture* m_picture = nullptr;  // 30
  MControl* m_close = nullptr;    // 31
};
