// The software update offer: the three description lines of the new version with an
// accept and a decline button. Accept answers 1; decline, the close button and a close
// from outside answer 2.
#pragma once
#include "core/CString.h"
#include "core/MDialog.h"

class UpdateTipDlg : public MDialog {
public:
  UpdateTipDlg() = default;
  ~UpdateTipDlg() override;
  int OnInitDialog() override;
  void InitUI(CRect client) override;
  void UISize(CRect client) override;
  LRESULT OnMessage(UINT id, UINT code, WPARAM wParam, LPARAM lParam) override;
  virtual int Quit();

  // Set by the caller before the window is made.
  CString m_lines[3];
};
