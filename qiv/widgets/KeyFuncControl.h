// The keyboard key picker: a drawn full-size keyboard of 111 keys from which the user
// picks one. Each key carries its USB HID keyboard usage (175 for Fn), so a pick is a key
// code directly. A press reports (id, 1, pressed index, 0); the owner reads the key with
// GetCurItemData. The owner can mark the key of the current assignment as checked.
#pragma once
#include <windows.h>
#include <gdiplus.h>
#include <memory>
#include <vector>
#include "core/CriticalSection.h"
#include "core/MPanel.h"
#include "widgets/SkinPicture.h"

// One key of the picker, owned by it.
struct PICKERKEY_INFO {
  CString label;
  int code = 0;
  int value2 = 0;
  int value3 = 0;
  std::unique_ptr<Gdiplus::Image> picture;  // drawn instead of the label when present
  RECT rect{};                              // relative to the control's top-left corner
};

class QIV_API KeyFuncControl : public MPanel {
public:
  KeyFuncControl(MObject* parent, unsigned id, CRect rect, int visible);
  ~KeyFuncControl() override;

  const wchar_t* GetClassNameW() const override;
  void InitControl(PaintManager* manager) override;
  void DrawControl(HDC& hdc, CRect paint) override;
  long OnMessage(unsigned id, unsigned code, unsigned wParam, long lParam) override;
  void SetControlRect(CRect rect) override;
  int OnControlMouseMove(unsigned flags, CPoint point) override;
  int OnControlLButtonDown(unsigned flags, CPoint point) override;
  int OnControlLButtonUp(unsigned flags, CPoint point) override;
  int OnControlScroll(int delta, unsigned direction, CPoint point) override;
  using MControlFont::SetImage;
  // Loads the skin file itself (not through the window's cache); the picker keeps it.
  int SetImage(const wchar_t* file, int count) override;

  // Replaces the keys with the 111 keys of the table; the indexes stay as they were.
  void InitItemInfo();
  void ClearItems();
  void SetItemDesc(int code, CString text);
  void SetItemCheckByItemData(int code, int value2, int value3);
  // The pressed key's code, values and label; false when no key is pressed. The first
  // argument is not written.
  bool GetCurItemData(int& unused, int& code, int& value2, int& value3, CString& label);

  int GetItemCount();
  int GetHoverIndex() const { return m_hover; }
  int GetPressedIndex() const { return m_pressed; }
  int GetCheckedIndex() const { return m_checked; }

private:
  void AddKeyItem(CString label, int code, CRect rect, CString picture);
  // The key at that index, or null when the index names none (lock held by the caller).
  PICKERKEY_INFO* KeyAt(int index) const;
  CRect WindowRect(const PICKERKEY_INFO& key) const;
  void Repaint();

  std::vector<std::unique_ptr<PICKERKEY_INFO>> m_keys;
  mutable CriticalSection m_lock;
  int m_hover = -1;
  int m_pressed = -1;
  int m_checked = -1;
  OwnedPictureStrip m_stateImage;
};
