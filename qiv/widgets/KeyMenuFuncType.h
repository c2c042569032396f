// The key menu's list: full-width rows, each with an icon, a title and a one-line
// description; the content of the menu window MenuExWnd.
#pragma once
#include <windows.h>
#include <gdiplus.h>
#include <memory>
#include <vector>
#include "core/CriticalSection.h"
#include "core/MControlFont.h"

struct MENUFUNCITEM_INFO {
  CString text;  // the title
  CString description;
  int data = 0;
  std::unique_ptr<Gdiplus::Image> icon;
  int iconWidth = 0;
  int iconHeight = 0;
  CRect rect;  // the row at the last paint
};

class QIV_API KeyMenuFuncType : public MControlFont {
public:
  // `enabled` is not used: the list starts enabled.
  KeyMenuFuncType(MObject* parent, unsigned id, CRect rect, int visible, int enabled);
  ~KeyMenuFuncType() override;
  const wchar_t* GetClassNameW() const override;

  void DrawControl(HDC& hdc, CRect paint) override;
  void SetControlRect(CRect rect) override;
  int OnControlMouseMove(unsigned flags, CPoint point) override;
  int OnControlLButtonDown(unsigned flags, CPoint point) override;
  int OnControlLButtonUp(unsigned flags, CPoint point) override;

  // Appends a row; the icon file is looked up in the skins folder. No repaint.
  void AddItem(CString text, CString description, int data, CString iconFile);
  void ClearList();
  void SetCurData(int data);
  int GetItemData(int index);
  int GetCurData();
  // Any index is kept; one outside the list reads as no selection.
  void SetSelectItem(int index);
  int GetSelectItem();
  int SetItemText(int index, CString text);
  CString GetItemText(int index);
  int GetItemCount();
  int GetHoverItem() const { return m_hovered; }

private:
  bool IsRow(int index) const { return index >= 0 && index < static_cast<int>(m_rows.size()); }
  void Repaint() { UpdateControl(1, 0); }

  std::vector<std::unique_ptr<MENUFUNCITEM_INFO>> m_rows;
  CriticalSection m_lock;
  int m_hovered = -1;
  int m_selected = -1;
  int m_rowHeight = 70;
};
