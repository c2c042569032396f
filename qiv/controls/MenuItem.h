// One row of a popup menu: a line of text that lights up under the mouse and reports a
// click to its parent, the menu. It draws from a picture of its four state frames
// (normal, hover, pressed or checked, disabled) that it builds once and then copies.
#pragma once
#include "core/MControlFont.h"

class MenuWnd;

class QIV_API MenuItem : public MControlFont {
public:
  enum State { kNormal = 0, kHover = 1, kPressed = 2, kDisabled = 3 };

  MenuItem(MObject* parent, unsigned id, CRect rect, const wchar_t* text, int visible, int enabled);
  ~MenuItem() override;

  const wchar_t* GetClassNameW() const override;
  void DrawControl(HDC& hdc, CRect paint) override;
  void SetControlEnabled(int enabled) override;
  int OnControlMouseMove(unsigned flags, CPoint point) override;
  int OnControlLButtonDown(unsigned flags, CPoint point) override;
  int OnControlLButtonUp(unsigned flags, CPoint point) override;

  int GetCheck() const { return m_bCheck; }
  void SetControlCheck(int check);
  // Only a checkable item takes a check; answers the check flag (0 when not checkable).
  int SetCheck(int check);
  int ResetGroupCheck() { return 1; }
  CString GetGroupValue() const { return CString(); }
  MenuWnd* GetParentMenu() const { return nullptr; }
  void ShowPopupMenu() {}
  int IsHover() const { return m_nState == kHover ? 1 : 0; }
  int GetState() const { return m_nState; }

  void SetSeparator(int separator) { m_bSeparator = separator; }
  int IsSeparator() const { return m_bSeparator; }
  int IsPopup() const { return m_bPopup; }
  MenuWnd* GetPopupMenu() const { return m_pSubMenu; }
  void SetPopupMenu(MenuWnd* menu) { m_pSubMenu = menu; }
  void SetFrameWidth(int width) { m_nFrameWidth = width; }
  CString GetGroupName() const { return m_groupName; }
  void SetGroupName(const CString& name) { m_groupName = name; }
  CString GetValue() const { return m_value; }
  void SetTextIndent(int indent) { m_nTextIndent = indent; }
  int GetTextIndent() const { return m_nTextIndent; }

private:
  void Repaint(int redraw);
  void BuildFrames(HDC& hdc, int width, int height);

  int m_nState = kNormal;
  int m_bCheck = 0;
  int m_bPressed = 0;
  int m_bCheckable = 0;
  int m_bSeparator = 0;
  int m_bPopup = 0;
  MenuWnd* m_pSubMenu = nullptr;  // not owned
  int m_nTextIndent = 30;
  int m_nFrameWidth = 0;
  CString m_groupName = L"Menu Group";
  CString m_value;
};
