// The library's text field: a four-look skin (normal, hover, editing, disabled) with the
// text, a grey placeholder or password characters, and an optional icon at its right end.
// A click or the focus opens a native edit window (CEditWnd) over the text area; losing
// the focus copies the text back and hides it. The owner hears 30 when editing begins,
// 26 for every change, 29 when it ends, 9 and 31 for the icon, 1 and 2 for a click.
#pragma once
#include <windows.h>
#include <gdiplus.h>
#include <memory>
#include "core/MControlFont.h"

class CEditWnd;

class QIV_API MEdit : public MControlFont {
public:
  MEdit(MObject* parent, unsigned id, CRect rect, const wchar_t* placeholder, int visible, int enabled);
  ~MEdit() override;
  const wchar_t* GetClassNameW() const override;

  void DrawControl(HDC& hdc, CRect paint) override;
  int SetControlFocus(int focus) override;
  void SetControlRect(CRect rect) override;
  void SetControlEnabled(int enabled) override;
  int OnControlMouseMove(unsigned flags, CPoint point) override;
  int OnControlLButtonDown(unsigned flags, CPoint point) override;
  int OnControlLButtonUp(unsigned flags, CPoint point) override;
  int OnControlKeyDown(unsigned key, unsigned repeat, unsigned modifiers) override;
  // A different text (null is empty) is stored, given to an open edit window and drawn.
  void SetControlTitle(const wchar_t* title) override;
  // Commits and closes an open edit first.
  CString GetControlTitle() override;

  // Stores a different text (null is empty); no repaint, no notification.
  void SetEditText(const wchar_t* text);
  // The edit window's text while it shows, else the stored text.
  CString GetEditText();
  CString GetTitleEx() const { return m_title; }
  void SetTipInfo(const wchar_t* placeholder) { m_placeholder = placeholder ? placeholder : L""; }
  CString GetTipInfo() const { return m_placeholder; }
  // A new back colour replaces the edit window at its next opening; 0xFFFFFFFF: system colours.
  void SetEditBKColor(COLORREF color);
  COLORREF GetEditBKColor() const { return m_backColor; }
  COLORREF GetEditTextColor() const;
  void SetEditFont();
  void SetEditFont(const wchar_t* face, int size, int bold, int underline, int italic);
  HFONT GetDefaultFont();
  void SetTextRect(CRect rect);
  CRect GetTextRect();
  int HasCustomTextRect() const { return m_customTextRect; }
  CRect CalcTextRect(int recompute);
  // The icon strip from the skins folder; 0 (no icon) when it does not load or the count is below 1.
  int SetIconImage(const wchar_t* file, int frames);
  CRect GetIconRect() const { return m_iconRect; }
  int IsEditFocused() const;
  HWND GetEditHwnd() const;
  CEditWnd* GetEditWindow() const { return m_pEditWnd; }
  void SetEditWindow(CEditWnd* window) { m_pEditWnd = window; }

  void EnablePassWord(int on) { m_password = on; }
  int IsPassWordMode() const { return m_password; }
  void EnableMultLine(int on) { m_multiLine = on; }
  int IsMultLineMode() const { return m_multiLine; }
  void SetReadOnly(int on) { m_readOnly = on; }
  int IsReadOnly() const { return m_readOnly; }
  void SetNumberOnly(int on) { m_numberOnly = on; }
  int IsNumberOnly() const { return m_numberOnly; }
  void EnableCharMessage(int on) { m_charInput = on; }
  int GetCharMessage() const { return m_charInput; }
  void SetLimitText(int limit) { m_limit = limit; }
  int GetLimitText() const { return m_limit; }
  void SetPassWordChar(wchar_t c) { m_passwordChar = c; }
  wchar_t GetPassWordChar() const { return m_passwordChar; }
  int GetState() const { return m_state; }
  int GetIconState() const { return m_iconState; }

  void ShowEdit();
  void HideEdit();

private:
  void DropEditWindow();
  void PlaceIcon();
  bool OnIcon(CPoint point) const { return m_icon && m_iconRect.PtInRect(point); }
  void RenderLooks(HDC& hdc, int w, int h);

  CString m_placeholder;
  int m_password = 0;
  int m_multiLine = 0;
  int m_readOnly = 0;
  int m_numberOnly = 0;
  int m_charInput = 1;
  int m_limit = 120;
  wchar_t m_passwordChar = static_cast<wchar_t>(0xA1F1);
  COLORREF m_backColor = 0x222527;
  HFONT m_editFont = nullptr;
  int m_state = 0;
  int m_skinCorner = 4;
  std::unique_ptr<Gdiplus::Image> m_icon;
  int m_iconFrameWidth = 0;
  int m_iconHeight = 0;
  int m_iconFrames = 4;
  CRect m_iconRect;
  CRect m_textRect;
  int m_customTextRect = 0;
  int m_iconState = 0;
  CEditWnd* m_pEditWnd = nullptr;
};
