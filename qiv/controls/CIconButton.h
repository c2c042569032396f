// A skinned button with an icon at its left and a title, grouped like the radio buttons
// so that one member of a group stays selected; it can open the key tip window on hover.
#pragma once
#include <windows.h>
#include <gdiplus.h>
#include <memory>
#include "core/MControlFont.h"

class CKeyboardTips;

class QIV_API CIconButton : public MControlFont {
public:
  CIconButton(MObject* parent, unsigned id, CRect rect, const wchar_t* title, int visible, int enabled);
  ~CIconButton() override;
  const wchar_t* GetClassNameW() const override;

  void DrawControl(HDC& hdc, CRect paint) override;
  void SetControlEnabled(int enabled) override;
  int OnControlMouseMove(unsigned flags, CPoint point) override;
  int OnControlLButtonDown(unsigned flags, CPoint point) override;
  int OnControlLButtonUp(unsigned flags, CPoint point) override;
  int OnControlKeyDown(unsigned key, unsigned repeat, unsigned modifiers) override;

  // The icon strip from the skins folder; 0 (no icon) when it does not load or the count is below 1.
  int SetIconImage(const wchar_t* file, int frames);
  void SetFrameSize(int size) { m_frameSize = size; }
  void SetTextRect(CRect rect) { m_textRect = rect; }
  int GetCheck() const { return m_checked; }
  // The checked look (slice 3); clears the selection. Repaints; 1.
  int SetCheck(int check);
  // Clears the selection (the argument is not used); repaints; 1.
  int SetDownState(int unused);
  // The selection with its look, without the group walk.
  void SetControlCheck(int selected);
  // Clears the selection of the other visible, enabled members; 1, or 0 without a parent.
  int ResetGroupCheck();
  void SetGroupName(const wchar_t* name) { m_groupName = name ? name : L""; }
  CString GetGroupName() const { return m_groupName; }
  void SetShowTips(bool show) { m_showTips = show; }
  void SetTips(CString title, CString text1, CString text2);
  // Creates the key tip window once while show tips is set (the argument is not used).
  void SetTips(bool inside);

  int GetState() const { return m_state; }
  int IsSelected() const { return m_selected; }
  CKeyboardTips* GetTipWindow() const { return m_tips.get(); }
  void UnselectByGroup();

private:
  int ShownSlice() const { return m_checked ? 3 : m_selected ? 1 : m_state; }
  int ChangeState(int state);

  int m_state = 0;
  int m_frameSize = 4;
  std::unique_ptr<Gdiplus::Image> m_icon;
  int m_iconFrameWidth = 0;
  int m_iconFrameHeight = 0;
  int m_iconFrameCount = 4;
  CRect m_textRect;
  int m_checked = 0;
  int m_selected = 0;
  int m_pressing = 0;
  CString m_groupName;
  bool m_showTips = false;
  CString m_tipTitle, m_tipText1, m_tipText2;
  std::unique_ptr<CKeyboardTips> m_tips;
};
