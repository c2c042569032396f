// The native edit window of MEdit: a superclass "ZKEditWindow" of the system "Edit" laid
// exactly over the control's text area, so typing, caret, selection, clipboard and input
// method are the system's. It deletes itself when its window is destroyed, first clearing
// the control's pointer to it; a control that goes first detaches it (Detach).
#pragma once
#include "core/MWindow.h"

class MEdit;

class QIV_API CEditWnd : public MWindow {
public:
  CEditWnd();
  ~CEditWnd() override;

  const wchar_t* GetWindowClassName() const override;
  const wchar_t* GetSuperClassName() const override;
  LRESULT OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void OnDestroyMessage(HWND oldWindow) override;

  // Creates and configures the window for the control, focused with all text selected.
  void ShowAt(MEdit* edit);
  // For a control that is going away or replacing its window: forgets the control and
  // destroys the window, which ends this object; without a window the object is deleted.
  void Detach();
  MEdit* GetEdit() const { return m_pEdit; }
  int IsShown() const { return m_bShown; }

private:
  bool HostIsLayered() const;

  MEdit* m_pEdit = nullptr;
  HBRUSH m_hBrush = nullptr;
  int m_bShown = 0;
};
