// The macro list box: one text row per macro, the selected or hovered row highlighted
// from a skin strip, a row button at the right end, in-place rename by double click, and
// vertical scrolling. User-interface thread only.
#pragma once
#include <windows.h>
#include <gdiplus.h>
#include <memory>
#include <vector>
#include "core/CString.h"
#include "widgets/RowListPanel.h"

struct MACROITEM_INFO {
  CString text;
  int image = -1;  // stored, never drawn
  long data = 0;   // the caller's item data (the macro id)
  CRect rect;      // inside the memory bitmap, written by every redraw
};

class QIV_API MacroList : public RowListPanel<MacroList, MACROITEM_INFO> {
public:
  MacroList(MObject* parent, unsigned id, CRect rect, int visible);
  ~MacroList() override;
  const wchar_t* GetClassNameW() const override;

  int PtInRect(CPoint point) override;
  // Focus, scroll-bar messages, hover tracking, double click and wheel, and the row count,
  // selection, swap and single delete: RowListPanel's.
  void DrawControl(HDC& hdc, CRect paint) override;
  void SetControlRect(CRect rect) override;
  HBITMAP GetControlDropBitmap() override;
  int OnControlLButtonDown(unsigned flags, CPoint point) override;
  int OnControlLButtonUp(unsigned flags, CPoint point) override;
  int OnControlRButtonUp(unsigned flags, CPoint point) override;
  using MPanel::SetImage;
  // The row background strip from the skins folder; 0 when it cannot be loaded.
  int SetImage(const wchar_t* file, int frames) override;

  // ---- rows ----
  int AddString(const wchar_t* text, int image);
  int AddString(const wchar_t* text, long data, int image);
  // Index -1 .. count - 1 (else -1): appends for -1 or an empty list, else inserts before
  // `index`. Answers count - 1.
  int InsertString(int index, const wchar_t* text, int image, long data);
  int DeleteAllItems();
  int ModifyItemString(int index, const wchar_t* text);
  int SetItemData(int index, long data);
  long GetItemData(int index);
  CString GetItemText(int index);
  int FindString(const wchar_t* text);
  int FindItemData(long data);
  CRect GetItemRect(int) { return CRect(); }

  // ---- selection ----
  int SetCurData(long data);
  int GetCurData();

  // ---- appearance and editing ----
  // The row-button picture: its frame size places the button at the next SetControlRect.
  int SetEditImage(const wchar_t* file, int frames);
  void EnableShowEdit(int allow) { m_editAllowed = allow; }
  void ShowEdit();
  // Closes the edit, keeping a changed text (notification 29). Without `force` an edit of
  // the selected row stays open.
  void HideEdit(int force);
  CRect GetButtonRect() const { return m_buttonRect; }

private:
  CRect EditTextRect(int row) const;  // under the rows lock

  RowStrip m_strip;
  RowStrip m_button;
  CRect m_buttonRect;
  int m_editAllowed = 0;
};
