// The list of profiles: 50-pixel rows with a skinned background, the name, a small row
// button at the right and a separator line. A press selects a row and opens an in-place
// rename over its name; the owner hears row clicks (2), row-button clicks (9) and
// finished renames (29). Only the visible rows are drawn.
#pragma once
#include <memory>
#include <vector>
#include "controls/CEditWindow.h"
#include "controls/ProfileListItem.h"
#include "controls/RowRenameEdit.h"
#include "controls/RowView.h"
#include "core/CriticalSection.h"
#include "core/MPanel.h"

class QIV_API ProfileList : public MPanel, public CEditWindowOwner {
public:
  enum : int { kRowHeight = 50 };

  ProfileList(MObject* parent, unsigned id, CRect rect, int visible, int enabled);
  ~ProfileList() override;
  const wchar_t* GetClassNameW() const override;

  void DrawControl(HDC& hdc, CRect paint) override;
  int SetControlFocus(int focus) override;
  long OnMessage(unsigned id, unsigned code, unsigned wParam, long lParam) override;
  void SetControlRect(CRect rect) override;
  int OnControlMouseMove(unsigned flags, CPoint point) override;
  int OnControlLButtonDown(unsigned flags, CPoint point) override;
  int OnControlLButtonUp(unsigned flags, CPoint point) override;
  int OnControlScroll(int delta, unsigned direction, CPoint point) override;
  // Enter ends the rename and keeps the name; Escape ends it and drops what was typed.
  void OnEditKey(unsigned key) override;

  void SetItemBkg(CString file);
  int AddItem(CString name, int data, CString iconFile);
  void ClearList();
  void DeleteItem(int index);
  void SetCurData(int data);
  // Stores any value; every reader treats an index that is not a row as no selection.
  void SetSelectItem(int index);
  int GetSelectItem() const { return m_selected; }
  int GetItemData(int index);
  int GetCurData();
  void GetCurValue(int& data, CString& name);
  int SetItemText(int index, CString name);
  CString GetItemText(int index);
  int GetItemCount() const { return static_cast<int>(m_items.size()); }
  void SetScrollPos(int ignored);
  void ShowEdit();
  void HideEdit(int force);
  void GetTextRect(CRect& rect);

  int GetHoverItem() const { return m_hovered; }
  int GetButtonHover() const { return m_buttonHover; }
  int GetEditItem() const { return m_edited; }
  CEditWindow* GetEditWindow() const { return m_edit.window; }
  RowView GetView() const { return m_view; }

private:
  void UpdateScrollBar(bool toEnd);
  void Repaint() { UpdateControl(1, 0); }
  bool Valid(int index) const { return index >= 0 && index < static_cast<int>(m_items.size()); }
  CRect RowOnScreen(int index) const;
  CRect ButtonOnScreen(int index) const;
  int ViewWidth() const { return m_rcControl.Width() - 5; }
  // Ends the rename: writes a changed name (code 29) when `commit`, then hides the edit.
  void EndEdit(bool commit);

  std::vector<std::unique_ptr<ProfileListItem>> m_items;
  CriticalSection m_itemLock;
  int m_hovered = -1;
  int m_selected = -1;
  int m_buttonHover = -1;
  std::unique_ptr<Gdiplus::Image> m_rowBack;
  int m_backFrameWidth = 0, m_backFrameHeight = 0;
  int m_firstVisible = -1, m_lastVisible = -1;
  int m_bitmapTop = 0;
  RowView m_view;
  CRect m_rcButton;
  RowRenameEdit m_edit;
  int m_edited = -1;
};
