// The native single-line edit a list lays over one of its rows for an in-place rename:
// a superclass of the system "Edit", so typing, caret, selection, clipboard and the input
// method are the system's. Every change is copied into the owner's title and reported to
// the owner's parent (code 26). The object deletes itself when its window is destroyed and
// then clears the owner's pointer to it (the owner slot).
#pragma once
#include "core/MControlFont.h"
#include "core/MWindow.h"

// An owner that ends the editing itself on Enter and Escape. For other owners those keys
// reach the system edit unchanged and the owner ends the editing some other way.
class QIV_API CEditWindowOwner {
public:
  virtual ~CEditWindowOwner();
  // VK_RETURN or VK_ESCAPE was pressed in the edit.
  virtual void OnEditKey(unsigned key) = 0;
};

class QIV_API CEditWindow : public MWindow {
public:
  CEditWindow();
  ~CEditWindow() override;

  const wchar_t* GetWindowClassName() const override;
  const wchar_t* GetSuperClassName() const override;
  LRESULT OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void OnDestroyMessage(HWND oldWindow) override;

  // Creates the edit over `owner` (an empty rectangle: the owner's text line) and focuses it.
  void ShowAt(MControlFont* owner, CRect rect);
  // The owner's pointer to this window, cleared when the window goes.
  void SetOwnerSlot(CEditWindow** slot) { m_ownerSlot = slot; }
  // For an owner that is being deleted: forgets it and its slot, then destroys the window
  // (which deletes this object). Safe without a window: the object is deleted at once.
  void Detach();

  int SetColors(COLORREF back, COLORREF text);
  void SetBackColor(COLORREF color) { m_backColor = color; }
  void SetTextColor(COLORREF color) { m_textColor = color; }
  void SetTextLimit(int limit) { m_textLimit = limit; }
  void SetPassword(int password) { m_password = password; }
  void SetReadOnly(int readOnly) { m_readOnly = readOnly; }
  void SetNumber(int number) { m_number = number; }
  int GetTextLimit() const { return m_textLimit; }
  COLORREF GetBackColor() const { return m_backColor; }
  COLORREF GetTextColor() const { return m_textColor; }
  MControlFont* GetOwner() const { return m_owner; }
  int IsEditing() const { return m_editing; }

  // The edit's font: DEFAULT_GUI_FONT's description with the owner's face (terminated,
  // at most 31 characters), cell height = pixel size + 6, and the owner's style bits.
  static LOGFONTW MakeEditFont(const wchar_t* face, int pixelSize, int style);

private:
  void HandTextOver();
  void RepaintOwner();

  MControlFont* m_owner = nullptr;
  HBRUSH m_backBrush = nullptr;
  int m_editing = 0;
  int m_password = 0;
  int m_readOnly = 0;
  int m_number = 0;
  int m_textLimit = 120;
  wchar_t m_passwordChar = static_cast<wchar_t>(0xA1F1);
  COLORREF m_backColor = 0x363B3E;
  COLORREF m_textColor = 0xFFFFFF;
  HFONT m_font = nullptr;
  CEditWindow** m_ownerSlot = nullptr;
};
