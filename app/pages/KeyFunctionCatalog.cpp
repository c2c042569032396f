#include "pages/KeyFunctionCatalog.h"
#include "pages/KeyActionCodec.h"
#include "pages/KeyFunctionTables.h"
#include "shell/LanguageText.h"

namespace T = KeyFunctionTables;

void KeyFunctionCatalog::Add(int type, int value, const CString& label, const CString& icon) {
  m_items.push_back(KeyFunctionItem{type, value, label, icon});
}

void KeyFunctionCatalog::AddKeyboardKeys() {
  for (const T::KeyEntry& k : T::KeyboardKeys()) Add(kFuncKeyboardKey, k.usage, k.label);
}

void KeyFunctionCatalog::AddMediaKeys() {
  for (int value : T::MediaKeyListOrder())
    Add(kFuncConsumer, value, LoadLangString(T::FindConsumerKey(value)->catalogueTextId));
}

void KeyFunctionCatalog::Build() {
  Clear();
  AddKeyboardKeys();
  for (int value : T::MouseButtonListOrder()) Add(kFuncMouse, value, LoadLangString(T::FindMouseButton(value)->textId));
  AddMediaKeys();
  for (int value : T::ShortcutListOrder())
    Add(kFuncShortcut, value, LoadLangString(T::FindShortcut(value)->catalogueTextId));
  for (int n = 1; n <= T::kDeviceFunctionCount; ++n)
    Add(kFuncDevice, n, n == 18 ? CString(L"COLOUR") : CString(T::DeviceFunctionName(n)));
}

void KeyFunctionCatalog::BuildForKnob() {
  Clear();
  AddMediaKeys();
  for (int n = 1; n <= T::kDeviceFunctionCount; ++n) {
    if (n == 18 || n == 63 || n == 64) continue;
    // The wheel's left, right and click share the volume and mute texts.
    const bool wheel = n >= 71 && n <= 73;
    Add(kFuncDevice, n, wheel ? LoadLangString(268 + (n - 71)) : CString(T::DeviceFunctionName(n)));
  }
  AddKeyboardKeys();
}

std::vector<const KeyFunctionItem*> KeyFunctionCatalog::OfType(int type) const {
  std::vector<const KeyFunctionItem*> out;
  for (const KeyFunctionItem& item : m_items) {
    if (item.type == type) out.push_back(&item);
  }
  return out;
}

int KeyFunctionCatalog::Find(int type, int value) const {
  for (size_t i = 0; i < m_items.size(); ++i) {
    if (m_items[i].type == type && m_items[i].value == value) return int(i);
  }
  return -1;
}
