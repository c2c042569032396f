// The base of short-lived windows that pop up over a dialog, host a few owner-drawn
// controls and close as soon as they lose activation: a skinned tool window without
// window dragging whose notifications go to an owner object. The window's end does not
// delete the object; its user does, and the paint manager's controls go with it.
#pragma once
#include <windows.h>
#include "core/MPaintWindow.h"
#include "qiv_export.h"

class QIV_API MPopupWnd : public MPaintWindow {
public:
  MPopupWnd();
  ~MPopupWnd() override;

  // No Tab focus cycling in popups.
  int PreTranslateMessage(MSG* msg) override;
  int OnInitDialog() override;

  virtual MObject* GetParent();
  // Posts WM_CLOSE (0, 0) to the window.
  virtual void CloseWindow();
  // Takes the skinned style and keeps WS_EX_TOOLWINDOW as the only extended style.
  int OnCreate(CREATESTRUCTW* create) override;
  int OnSize(UINT type, int cx, int cy) override;
  // Losing activation closes the popup.
  int OnNcActivate(int active) override;
  int OnWindowPosChanging(WINDOWPOS* pos) override;
  // Refreshes the frame and passes the new place and size on as WM_MOVE and WM_SIZE.
  int OnWindowPosChanged(WINDOWPOS* pos) override;

  void SetParent(MObject* parent) { m_pParent = parent; }
  // The parent object's OnMessage(0, code, ...) when it is a control; 0 otherwise.
  int SendMessageToParent(UINT code, WPARAM wParam, LPARAM lParam);
  // Gives the window a rounded-rectangle region with corner ellipses of `radius`.
  void SetupRegion(int radius);

protected:
  MObject* m_pParent = nullptr;

private:
  bool m_bInPosChanged = false;
};

// An integer under HKCU "SOFTWARE\<device name>": the value's text as a decimal number,
// 0 when it is missing; a missing key is created (empty).
QIV_API int ReadRegistryInt(const wchar_t* valueName);
