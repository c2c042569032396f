// The owner-drawn single-column list: rows of text with an optional picture, hover and
// selection drawn as rounded rectangles, wheel scrolling, and an in-place rename through
// a CEditWindow opened by a double click. Only the visible rows are drawn.
#pragma once
#include <memory>
#include <vector>
#include "controls/CEditWindow.h"
#include "controls/RowRenameEdit.h"
#include "controls/RowView.h"
#include "core/CriticalSection.h"
#include "core/MPanel.h"

class MImageList;

struct ListBoxItem {
  CString text;
  int image = 0;  // the caller's picture index; kept, not drawn
  long data = 0;
  RECT rect = {};  // in the memory bitmap at the last drawing
};

class QIV_API MListBox : public MPanel, public CEditWindowOwner {
public:
  MListBox(MObject* parent, unsigned id, CRect rect, int visible);
  ~MListBox() override;
  const wchar_t* GetClassNameW() const override;

  int PtInRect(CPoint point) override;
  void DrawControl(HDC& hdc, CRect paint) override;
  int SetControlFocus(int focus) override;
  long OnMessage(unsigned id, unsigned code, unsigned wParam, long lParam) override;
  void SetControlRect(CRect rect) override;
  HBITMAP GetControlDropBitmap() override;
  int OnControlMouseMove(unsigned flags, CPoint point) override;
  int OnControlLButtonDown(unsigned flags, CPoint point) override;
  int OnControlLButtonUp(unsigned flags, CPoint point) override;
  int OnControlLButtonDblClk(unsigned flags, CPoint point) override;
  int OnControlScroll(int delta, unsigned direction, CPoint point) override;
  int OnControlRButtonUp(unsigned flags, CPoint point) override;
  // Enter ends the rename and keeps the text; Escape ends it and drops what was typed.
  void OnEditKey(unsigned key) override;
  using MPanel::SetImage;
  int SetImage(const wchar_t* file, int frames) override;

  int AddString(const wchar_t* text, int image);
  int AddString(const wchar_t* text, long data, int image);
  int InsertString(int index, const wchar_t* text, int image, long data);
  int SetItemData(int index, long data);
  long GetItemData(int index);
  int ModifyItemString(int index, const wchar_t* text);
  CString GetItemText(int index);
  int FindString(const wchar_t* text);
  int FindItemData(long data);
  int SetCurData(long data);
  int GetCurData();
  int SetCurSel(int index);
  int GetCurSel() const { return m_selected; }
  int GetItemCount();
  void SetItemHeight(int height) { m_rowHeight = height; }
  int GetItemHeight() const { return m_rowHeight; }
  int DeleteItem(int index);
  int DeleteAllItems();
  void SwapItem(int a, int b);
  CRect GetItemRect(int index);
  int SetEditImage(const wchar_t* file, int frames);
  int SetImageList(MImageList* list);
  void EnableShowEdit(int enable) { m_bShowEdit = enable; }
  void ShowEdit();
  void DestroyEdit();

  int GetHoverItem() const { return m_hovered; }
  int GetEditItem() const { return m_edited; }
  CEditWindow* GetEditWindow() const { return m_edit.window; }
  RowView GetView() const { return m_view; }

private:
  void HideEdit(int force);
  void EndEdit(bool commit);
  void GetTextRect(CRect& rect);
  void UpdateScrollBar();
  void Repaint() { UpdateControl(1, 0); }
  bool Valid(int index) const { return index >= 0 && index < static_cast<int>(m_items.size()); }
  // The row's last drawn rectangle in window coordinates.
  CRect RowOnScreen(int index) const;
  int ViewWidth() const;

  std::vector<std::unique_ptr<ListBoxItem>> m_items;
  CriticalSection m_itemLock;
  int m_rowHeight = 36;
  int m_hovered = -1;
  int m_selected = -1;
  int m_firstVisible = -1, m_lastVisible = -1;
  int m_textMargin = 2;
  MImageList* m_imageList = nullptr;
  int m_bShowEdit = 0;
  int m_edited = -1;
  int m_bitmapTop = 0;
  RowView m_view;
  std::unique_ptr<Gdiplus::Image> m_rowImage;
  std::unique_ptr<Gdiplus::Image> m_editImage;
  int m_editFrameWidth = 0, m_editFrameHeight = 0;
  RowRenameEdit m_edit;
};
