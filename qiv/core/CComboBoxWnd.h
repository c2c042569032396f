// The combo box's drop-down window: a popup that hosts one CComboBoxList (id 88), tells
// its parent (the combo box) about a chosen row and closes, and tells it when it is gone.
#pragma once
#include "core/MPopupWnd.h"

class CComboBoxList;

class QIV_API CComboBoxWnd : public MPopupWnd {
public:
  enum : UINT { kListId = 88 };

  CComboBoxWnd();
  ~CComboBoxWnd() override;

  void InitUI(CRect client) override;
  void UISize(CRect client) override;
  LRESULT OnMessage(UINT id, UINT code, WPARAM wParam, LPARAM lParam) override;
  int OnDestroy() override;

  // The background as a nine-grid with corner 6.
  int LoadBKImage(CString file);
  int LoadBKImage(UINT resourceId, CString type);
  // The list's AddItem; -1 while there is no list (before Create).
  int AddItem(const wchar_t* text, long data, const wchar_t* icon, Gdiplus::Color colour);
  void RefreshList();
  void SetTextColor(Gdiplus::Color color);
  CComboBoxList* GetList() const { return m_pList; }

private:
  CComboBoxList* m_pList = nullptr;  // owned by the paint manager
};
