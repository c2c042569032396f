#include "widgets/KeyboardCtrl.h"

KeyboardCtrl::KeyboardCtrl(MObject* parent, unsigned id, CRect rect, int visible) : MPanel(parent, id, rect, visible) {}
KeyboardCtrl::~KeyboardCtrl() = default;
const wchar_t* KeyboardCtrl::GetClassNameW() const { return L"KeyboardCtrl"; }

void KeyboardCtrl::AddKeyItem(int keyCode) { m_keyColors.emplace(keyCode, COLORREF(0)); }

void KeyboardCtrl::ResetAllItemsColor(COLORREF colour) {
  for (auto& key : m_keyColors) key.second = colour;
}

void KeyboardCtrl::SetKeyColor(int keyCode, COLORREF colour) {
  auto key = m_keyColors.find(keyCode);
  if (key != m_keyColors.end()) key->second = colour;
}

long KeyboardCtrl::GetKeyColor(int keyCode) const {
  auto key = m_keyColors.find(keyCode);
  return key == m_keyColors.end() ? -1 : long(key->second);
}
