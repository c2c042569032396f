#include "widgets/KeyboardCtrl.h"

KeyboardCtrl::KeyboardCtrl(MObject* parent, unsigned id, CRect rect, int visible) : MPanel(parent, id, rect, visible) {}
KeyboardCtrl::~KeyboardCtrl() = default;
const wchar_t* KeyboardCtrl::GetClassNameW() const { return L"KeyboardCtrl"; }

int KeyboardCtrl::AddKeyItem(const wchar_t* name, const wchar_t* legend, int keyCode, CRect rect,
                             const wchar_t* picture, COLORREF colour) {
  auto key = std::make_unique<KEY_INFO>();
  key->keyCode = keyCode;
  key->name = name;
  key->legend = legend;
  key->rect = rect;
  key->bkColor = colour;
  key->keyColor = colour;
  key->picture = picture;
  // The worker adds keys while the window may draw: the list must not move under it.
  CriticalSectionLock guard(m_keyLock);
  key->index = int(m_keys.size());
  m_keys.push_back(std::move(key));
  return int(m_keys.size()) - 1;
}

void KeyboardCtrl::ClearItem() {
  CriticalSectionLock guard(m_keyLock);
  m_retiredKeys = std::move(m_keys);
  m_keys.clear();
  m_hoverKey = -1;
  m_pressedKey = -1;
}

std::vector<KEY_INFO*> KeyboardCtrl::GetKeyItems() {
  CriticalSectionLock guard(m_keyLock);
  std::vector<KEY_INFO*> out;
  out.reserve(m_keys.size());
  for (auto& key : m_keys) out.push_back(key.get());
  return out;
}

void KeyboardCtrl::SetKeyboardImage(const wchar_t* file) { m_keyboardImage = file; }

void KeyboardCtrl::SetWidthAndHeight(int width, int height) {
  m_layoutWidth = width;
  m_layoutHeight = height;
}

void KeyboardCtrl::SetKeyboardColor(COLORREF colour) {
  m_keyboardColor = 0xFF000000 | (DWORD(GetRValue(colour)) << 16) | (DWORD(GetGValue(colour)) << 8) | GetBValue(colour);
}

void KeyboardCtrl::SetLightModeColor(int flag, COLORREF colour) {
  if (flag != 0) return;
  CriticalSectionLock guard(m_keyLock);
  for (auto& key : m_keys) key->bkColor = key->keyColor = colour;
}

void KeyboardCtrl::ResetAllItemsColor(COLORREF colour) {
  CriticalSectionLock guard(m_keyLock);
  for (auto& key : m_keys) key->keyColor = colour;
}

KEY_INFO* KeyboardCtrl::FindKey(int keyCode) const {
  CriticalSectionLock guard(m_keyLock);
  for (auto& key : m_keys) {
    if (key->keyCode == keyCode) return key.get();
  }
  return nullptr;
}

void KeyboardCtrl::SetKeyColor(int keyCode, COLORREF colour) {
  if (KEY_INFO* key = FindKey(keyCode)) key->keyColor = colour;
}

long KeyboardCtrl::GetKeyColor(int keyCode) const {
  const KEY_INFO* key = FindKey(keyCode);
  return key ? long(key->keyColor) : -1;
}
