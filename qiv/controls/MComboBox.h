// The drop-down selector: a four-state skinned face showing the selected item's text; a
// click opens a CComboBoxWnd below the face listing copies of the items, and a chosen
// row becomes the selection and is reported to the owner (code 2, wParam = index).
#pragma once
#include <memory>
#include <vector>
#include "controls/CComboBoxList.h"
#include "controls/ComboItem.h"
#include "core/CriticalSection.h"
#include "core/MControlFont.h"

class CComboBoxWnd;

class QIV_API MComboBox : public MControlFont {
public:
  // Marks a code-2 message of the drop-down as a chosen row.
  enum : long { kRowChosen = 19 };
  enum : unsigned { kOpenId = 9, kRowHeight = 36, kMaxShownRows = 5 };

  MComboBox(MObject* parent, unsigned id, CRect rect, int visible, int enabled);
  // Also takes down an open drop-down: it is told first that the combo box is gone, so
  // its closing reports nothing to a freed object.
  ~MComboBox() override;
  const wchar_t* GetClassNameW() const override;

  void DrawControl(HDC& hdc, CRect paint) override;
  long OnMessage(unsigned id, unsigned code, unsigned wParam, long lParam) override;
  void SetControlRect(CRect rect) override;
  void SetControlEnabled(int enabled) override;
  int OnControlMouseMove(unsigned flags, CPoint point) override;
  int OnControlLButtonDown(unsigned flags, CPoint point) override;
  int OnControlLButtonUp(unsigned flags, CPoint point) override;

  int AddItem(const wchar_t* text, long data, const wchar_t* iconFile, Gdiplus::Color colour);
  // Answers count - 1 after the insertion (also for a middle insert), -1 for a bad index.
  int InsertItem(int index, const wchar_t* text, long data, const wchar_t* iconFile, Gdiplus::Color colour);
  int SetItemData(int index, long data);
  long GetItemData(int index);
  int SetItemText(int index, CString text);
  CString GetItemText(int index);
  int GetItemCount();
  int SetCurSel(int index);
  int GetCurSel() const { return m_selected; }
  long GetCurData();
  int FindData(long data);
  int SelectData(long data);
  // Leaves the selected index, the title and the screen as they are.
  int DeleteItem(int index);
  int DelAllItems();
  int SetBackImage(const wchar_t* file);
  int SetBackImage(unsigned resourceId, CString type);
  void SetScrollResID(unsigned vertical, unsigned horizontal);
  int SetShowModeMID(int left, int top, int right, int bottom);
  void SetTextRect(CRect rect) { m_rcText = rect; }
  CRect GetTextRect() const { return m_rcText; }
  int GetState() const { return m_state; }
  int IsOpen() const { return m_bOpen ? 1 : 0; }
  CComboBoxWnd* GetDropDown() const { return m_dropDown.get(); }

  // Screen rectangle of the drop-down for a face whose bottom-left corner (in window
  // coordinates) maps to `screenTopLeft` minus (3, 2): at most five rows shown.
  static CRect DropDownRect(CPoint screenTopLeft, int faceWidth, int itemCount);

protected:
  void ResetTextRect();

private:
  void OpenDropDown();
  void CloseDropDown();
  void Repaint(int redraw);
  bool ValidIndex(int index) const { return index >= 0 && index < static_cast<int>(m_items.size()); }

  std::vector<std::unique_ptr<ComboItem>> m_items;
  CriticalSection m_itemLock;
  int m_selected = -1;
  std::unique_ptr<CComboBoxWnd> m_dropDown;
  int m_state = 0;
  CRect m_rcText;
  int m_midLeft = 4, m_midTop = 4, m_midRight = 35, m_midBottom = 4;
  CString m_backFile;
  unsigned m_backResId = 0;
  CString m_backResType = L"PNG";
  unsigned m_scrollVID = 0, m_scrollHID = 0;
  bool m_bOpen = false;
};
