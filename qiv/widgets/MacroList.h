// The macro list box: one text row per macro, the selected or hovered row highlighted
// from a skin strip, a row button at the right end, in-place rename by double click, and
// vertical scrolling. User-interface thread only.
#pragma once
#include <windows.h>
#include <gdiplus.h>
#include <memory>
#include <vector>
#include "core/CString.h"
#include "core/CriticalSection.h"
#include "core/MPanel.h"
#include "widgets/InPlaceRowEdit.h"

class MImageList;

struct MACROITEM_INFO {
  CString text;
  int image = -1;  // stored, never drawn
  long data = 0;   // the caller's item data (the macro id)
  CRect rect;      // inside the memory bitmap, written by every redraw
};

class QIV_API MacroList : public MPanel {
public:
  MacroList(MObject* parent, unsigned id, CRect rect, int visible);
  ~MacroList() override;
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
  using MPanel::SetImage;
  // The row background strip from the skins folder; 0 when it cannot be loaded.
  int SetImage(const wchar_t* file, int frames) override;

  // ---- rows ----
  int AddString(const wchar_t* text, int image);
  int AddString(const wchar_t* text, long data, int image);
  // Index -1 .. count - 1 (else -1): appends for -1 or an empty list, else inserts before
  // `index`. Answers count - 1.
  int InsertString(int index, const wchar_t* text, int image, long data);
  int DeleteItem(int index);
  int DeleteAllItems();
  int ModifyItemString(int index, const wchar_t* text);
  int SetItemData(int index, long data);
  long GetItemData(int index);
  CString GetItemText(int index);
  int FindString(const wchar_t* text);
  int FindItemData(long data);
  int GetItemCount();
  void SwapItem(int a, int b);
  CRect GetItemRect(int) { return CRect(); }

  // ---- selection ----
  int SetCurSel(int index);
  int GetCurSel() const { return m_selected; }
  int SetCurData(long data);
  int GetCurData();
  int GetHoverItem() const { return m_hovered; }

  // ---- appearance and editing ----
  // The row-button picture: its frame size places the button at the next SetControlRect.
  int SetEditImage(const wchar_t* file, int frames);
  void SetItemHeight(int height) { m_rowHeight = height; }
  void SetScaleValue(float scale) { m_scale = scale; }
  void EnableShowEdit(int allow) { m_editAllowed = allow; }
  void ShowEdit();
  // Closes the edit, keeping a changed text (notification 29). Without `force` an edit of
  // the selected row stays open.
  void HideEdit(int force);
  int GetEditItem() const { return m_edited; }
  CEditWindow* GetEditWindow() const { return m_edit.window; }
  int SetImageList(MImageList* list);
  CRect GetButtonRect() const { return m_buttonRect; }

private:
  struct Strip {
    std::unique_ptr<Gdiplus::Image> image;
    int frameWidth = 0, frameHeight = 0, frames = 0;
  };
  void Repaint() { UpdateControl(1, 0); }
  void UpdateScrollRange();
  int ScaledRowHeight() const { return static_cast<int>(m_rowHeight * m_scale); }
  int ContentHeight() { return GetItemCount() * m_rowHeight; }
  bool IsRow(int index) const { return index >= 0 && index < static_cast<int>(m_rows.size()); }
  CRect RowScreenRect(int index) const;  // under the rows lock
  int HitRow(CPoint point) const;        // under the rows lock
  // Before rows go or move, the open edit is closed: a removed row's edit is dropped,
  // any other is kept (notification 29).
  void CloseEditBeforeChange(int removedRow);
  CRect EditTextRect(int row) const;

  std::vector<std::unique_ptr<MACROITEM_INFO>> m_rows;
  CriticalSection m_rowLock;
  int m_rowHeight = 40;
  float m_scale = 1.0f;
  int m_hovered = -1;
  int m_selected = -1;
  int m_firstVisible = -1;
  int m_lastVisible = -1;
  int m_bitmapOffset = 0;
  Strip m_strip;
  Strip m_button;
  CRect m_buttonRect;
  int m_editAllowed = 0;
  int m_edited = -1;
  InPlaceRowEdit m_edit;
  std::unique_ptr<Gdiplus::StringFormat> m_format;
  MImageList* m_imageList = nullptr;
};
