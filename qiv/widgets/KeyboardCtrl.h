// The on-screen keyboard: the keys of the current model with their codes, legends and
// colours.
#pragma once
#include "core/CString.h"
#include "core/CriticalSection.h"
#include "core/MPanel.h"
#include <memory>
#include <vector>

// One key of the on-screen keyboard. Operations that name a key by code take the first
// key with that code in list order; 255 marks the knob.
struct KEY_INFO {
  int index = 0;  // position in the list when added
  int keyCode = 0;
  CString name;    // the function assigned to the key
  CString legend;  // the key's own label
  int value = 0;
  CString tips[4];
  CString tipMarker;
  CRect rect;  // layout coordinates
  int checked = 0;
  int reserved[2] = {};
  COLORREF bkColor = 0;
  COLORREF keyColor = 0;
  CString picture;  // cap picture, relative to the skins folder
};

class QIV_API KeyboardCtrl : public MPanel {
public:
  KeyboardCtrl(MObject* parent, unsigned id, CRect rect, int visible);
  ~KeyboardCtrl() override;
  const wchar_t* GetClassNameW() const override;

  // Appends a key with both colours set to `colour`; answers its index.
  int AddKeyItem(const wchar_t* name, const wchar_t* legend, int keyCode, CRect rect, const wchar_t* picture,
                 COLORREF colour);
  void ClearItem();
  // The records stay the control's; a record stays valid until the second ClearItem
  // after it was handed out, so a reader on another thread may finish its walk.
  std::vector<KEY_INFO*> GetKeyItems();

  // The keyboard picture, relative to the skins folder, and the layout's size.
  void SetKeyboardImage(const wchar_t* file);
  void SetWidthAndHeight(int width, int height);
  // Kept as opaque ARGB.
  void SetKeyboardColor(COLORREF colour);
  const CString& GetKeyboardImageFile() const { return m_keyboardImage; }
  int GetLayoutWidth() const { return m_layoutWidth; }
  int GetLayoutHeight() const { return m_layoutHeight; }
  DWORD GetKeyboardColor() const { return m_keyboardColor; }

  // Flag 0 sets both colours of every key; any other flag does nothing.
  void SetLightModeColor(int flag, COLORREF colour);
  // Colours without a repaint of their own; an unknown key code changes nothing.
  void ResetAllItemsColor(COLORREF colour);
  void SetKeyColor(int keyCode, COLORREF colour);
  // The key's colour, or -1 for an unknown key code.
  long GetKeyColor(int keyCode) const;

private:
  KEY_INFO* FindKey(int keyCode) const;

  mutable CriticalSection m_keyLock;
  std::vector<std::unique_ptr<KEY_INFO>> m_keys;
  std::vector<std::unique_ptr<KEY_INFO>> m_retiredKeys;  // cleared by the last ClearItem
  int m_hoverKey = -1;
  int m_pressedKey = -1;
  CString m_keyboardImage;
  int m_layoutWidth = 0;
  int m_layoutHeight = 0;
  DWORD m_keyboardColor = 0xFFFFFFFF;
};
