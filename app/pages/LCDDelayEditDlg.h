// The small modal dialog that sets the display time of one LED animation frame, or of
// every frame at once. It only collects the two texts and the choice; the caller checks
// the range (30-500 ms) and applies them.
#pragma once
#include "core/CString.h"
#include "core/MDialog.h"

class MControl;

class LCDDelayEditDlg : public MDialog {
public:
  LCDDelayEditDlg() = default;
  ~LCDDelayEditDlg() override;

  LRESULT OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  int OnInitDialog() override;
  void InitUI(CRect client) override;
  void UISize(CRect client) override;
  // The close button (2), the two radios and OK (1).
  LRESULT OnMessage(UINT id, UINT code, WPARAM wParam, LPARAM lParam) override;
  virtual void Close();
  // Takes the edits' texts and the radio's choice, and closes with 1.
  void ApplyAndClose();

  CString m_title;              // title 31, set before the window is made
  CString m_frameDelayText;     // edit 36: the frame's delay in; the typed one after OK
  CString m_allFramesDelayText; // edit 38 after OK
  int m_allFrames = 0;          // after OK: 1 when radio 34 was checked

private:
  MControl* m_titleText = nullptr;  // 31
  MControl* m_closeButton = nullptr;  // 32
  MControl* m_thisFrame = nullptr;  // 33
  MControl* m_allFramesRadio = nullptr;  // 34
  MControl* m_frameEdit = nullptr;  // 36
  MControl* m_allFramesEdit = nullptr;  // 38
  MControl* m_okButton = nullptr;  // 39
};
