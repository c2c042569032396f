// A colour swatch button: pressing checks it and unchecks the other colour buttons of its
// group; the owner reads its colour.
#pragma once
#include "core/MControlFont.h"

class QIV_API CColorButton : public MControlFont {
public:
  CColorButton(MObject* parent, unsigned id, CRect rect, int visible, int enabled);
  ~CColorButton() override;
  const wchar_t* GetClassNameW() const override;

  void DrawControl(HDC& hdc, CRect paint) override;
  void SetControlEnabled(int enabled) override;
  int OnControlMouseMove(unsigned flags, CPoint point) override;
  int OnControlLButtonDown(unsigned flags, CPoint point) override;
  int OnControlLButtonUp(unsigned flags, CPoint point) override;
  int OnControlKeyDown(unsigned key, unsigned repeat, unsigned modifiers) override;

  COLORREF GetColor() const { return m_color; }
  // A different colour is stored and the swatch rendered again.
  void SetColor(unsigned long color);
  int GetCheck() const { return m_checked; }
  // While enabled: the flag and its look; a change walks the group and repaints. No notification.
  int SetCheck(int check);
  // The flag and its look, without the enabled test or the group walk.
  void SetControlCheck(int check);
  // Unchecks the other visible, enabled colour buttons of the group; 1, or 0 without a parent.
  int ResetGroupCheck();
  void SetGroupName(const wchar_t* name) { m_groupName = name ? name : L""; }
  CString GetGroupName() const { return m_groupName; }
  // The swatch inset by 3 pixels, never outlined; used at the next rendering.
  void SetVisibleBorder(bool visible) { m_visibleBorder = visible; }
  int GetState() const { return m_state; }
  void UncheckByGroup();

private:
  int m_state = 0;
  COLORREF m_color = 0xFFFFFF;
  int m_checked = 0;
  bool m_visibleBorder = false;
  CString m_groupName;
};
