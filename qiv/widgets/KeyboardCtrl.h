// The on-screen keyboard.
#pragma once
#include "core/MPanel.h"
#include <map>

class QIV_API KeyboardCtrl : public MPanel {
public:
  KeyboardCtrl(MObject* parent, unsigned id, CRect rect, int visible);
  ~KeyboardCtrl() override;
  const wchar_t* GetClassNameW() const override;
  // Adds a key of the layout with its code.
  void AddKeyItem(int keyCode);
  // Colours without a repaint of their own; an unknown key code changes nothing.
  void ResetAllItemsColor(COLORREF colour);
  void SetKeyColor(int keyCode, COLORREF colour);
  // The key's colour, or -1 for an unknown key code.
  long GetKeyColor(int keyCode) const;

private:
  std::map<int, COLORREF> m_keyColors;
};
