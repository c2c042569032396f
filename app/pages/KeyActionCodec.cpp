#include "pages/KeyActionCodec.h"
#include <cstring>
#include "device/KeyCodeConverter.h"
#include "pages/KeyFunctionTables.h"
#include "pages/MacroNames.h"
#include "pages/ModifierCombo.h"
#include "shell/LanguageText.h"

namespace {

namespace T = KeyFunctionTables;

enum ActionType : uint8_t {
  kSystemAction = 0x02,
  kSpecial = 0x05,
  kKeyboardKey = 0x10,
  kConsumer = 0x30,
  kMouse = 0x40,
  kDeviceFunction = 0x50,
  kMacroPlayMode = 0x60,
  kMacroRepeat = 0x61,
};

bool IsSingleBit(uint8_t bits) { return bits != 0 && (bits & (bits - 1)) == 0; }

int ModifierUsage(uint8_t bit) {
  int usage = 224;
  while (bit > 1) {
    bit >>= 1;
    ++usage;
  }
  return usage;
}

CString UsageName(int usage) { return KeyCodeConverter::Instance().HidUsageName(unsigned(usage)); }

void DecodeKeyboardKey(uint8_t modifiers, uint8_t usage, KeyMacroRecord& r) {
  r.macro_type = kFuncKeyboardKey;
  if (usage != 0) {
    r.macro_value = usage;
    r.macro_value2 = modifiers;
    r.macro_desc = UsageName(usage);
  } else if (IsSingleBit(modifiers)) {
    // A lone modifier is stored as the modifier key itself.
    r.macro_value = ModifierUsage(modifiers);
    r.macro_desc = UsageName(r.macro_value);
  } else if (modifiers != 0) {
    // Several modifiers without a key: the bits are kept, or the next write of the
    // whole layer would send the key as nothing.
    r.macro_value2 = modifiers;
    r.macro_desc = ModifierCombo::ModifierText(modifiers);
  } else {
    r.macro_desc = UsageName(0);
  }
}

void DecodeSystemAction(uint8_t value1, KeyMacroRecord& r) {
  r.macro_type = kFuncShortcut;
  for (const T::ShortcutEntry& s : T::Shortcuts()) {
    if (s.code[0] == kSystemAction && s.code[1] == value1) {
      r.macro_value = s.value;
      // 161-163 are not in the catalogue; their labels are texts 257-259.
      r.macro_desc = LoadLangString(257 + (s.value - 161));
      return;
    }
  }
}

void DecodeConsumer(uint8_t low, uint8_t high, KeyMacroRecord& r) {
  r.macro_type = kFuncConsumer;
  const uint16_t usage = uint16_t(low | (high << 8));
  for (const T::ConsumerEntry& c : T::ConsumerKeys()) {
    if (c.usage == usage) {
      r.macro_value = c.value;
      r.macro_desc = LoadLangString(c.decodeTextId);
      return;
    }
  }
}

void DecodeMouse(uint8_t value1, uint8_t buttons, KeyMacroRecord& r) {
  r.macro_type = kFuncMouse;
  for (const T::PairEntry& m : T::MouseButtons()) {
    // The left button comes in three forms told apart by value 1; the others ignore it.
    const bool match = m.value2 == buttons && (buttons != 0x01 || m.value1 == value1);
    if (match) {
      r.macro_value = m.value;
      r.macro_desc = LoadLangString(m.textId);
      return;
    }
  }
}

void DecodeDeviceFunction(uint8_t number, uint8_t value2, KeyMacroRecord& r) {
  r.macro_type = kFuncDevice;
  r.macro_value = number;
  const wchar_t* name = T::DeviceFunctionName(number);
  if (value2 == 0 && name) r.macro_desc = name;
}

void DecodeSpecial(uint8_t value1, uint8_t value2, KeyMacroRecord& r) {
  if (value1 == 3) {
    r.macro_type = kFuncSpecialAction;
    r.macro_desc = LoadLangString(213);
  } else if (value1 == 2) {
    r.macro_type = kFuncSpecialNumber;
    r.macro_value = value2;
    r.macro_desc = L"Special";
  }
}

void DecodeMacro(const uint8_t a[3], const KeyActionCodec::MacroList& macros, KeyMacroRecord& r) {
  r.macro_type = kFuncMacro;
  if (a[0] == kMacroPlayMode) r.macro_value2 = a[2];
  else r.macro_value3 = a[2];
  const size_t index = a[1];
  if (index < macros.size()) {
    r.macro_value = macros[index]->macro_id;
    r.macro_desc = MacroNames::KeyLabel(macros[index]->name);
  }
}

void Set(uint8_t out[3], uint8_t type, uint8_t value1, uint8_t value2) {
  out[0] = type;
  out[1] = value1;
  out[2] = value2;
}

void EncodeKeyboardKey(const KeyMacroRecord& r, uint8_t out[3]) {
  if (r.macro_value >= 224 && r.macro_value <= 231 && r.macro_value2 == 0) {
    Set(out, kKeyboardKey, uint8_t(KeyCodeConverter::Instance().HidModifierBit(unsigned(r.macro_value))), 0);
  } else {
    Set(out, kKeyboardKey, uint8_t(r.macro_value2), uint8_t(r.macro_value));
  }
}

void EncodeMacro(const KeyMacroRecord& r, const KeyActionCodec::MacroList& macros, uint8_t out[3]) {
  for (size_t i = 0; i < macros.size(); ++i) {
    if (macros[i]->macro_id != r.macro_value) continue;
    if (i > 0xFF) return;  // a position the action cannot carry: better nothing than another macro
    if (r.macro_value2 != 0 || r.macro_value3 < 2) Set(out, kMacroPlayMode, uint8_t(i), uint8_t(r.macro_value2));
    else Set(out, kMacroRepeat, uint8_t(i), uint8_t(r.macro_value3));
    return;
  }
}

void EncodeMouse(int value, uint8_t out[3]) {
  out[0] = kMouse;
  if (const T::PairEntry* m = T::FindMouseButton(value)) Set(out, kMouse, m->value1, m->value2);
}

void EncodeConsumer(int value, uint8_t out[3]) {
  out[0] = kConsumer;
  if (const T::ConsumerEntry* c = T::FindConsumerKey(value))
    Set(out, kConsumer, uint8_t(c->usage & 0xFF), uint8_t(c->usage >> 8));
}

void EncodeShortcut(int value, uint8_t out[3]) {
  out[0] = kKeyboardKey;
  if (const T::ShortcutEntry* s = T::FindShortcut(value)) std::memcpy(out, s->code, 3);
}

}  // namespace

void KeyActionCodec::Decode(const uint8_t action[3], KeyMacroRecord& record) {
  DecodeWith(action, record, nullptr, &KeyboardDataStore::Instance());
}

void KeyActionCodec::Decode(const uint8_t action[3], KeyMacroRecord& record, KeyboardDataStore& store) {
  DecodeWith(action, record, nullptr, &store);
}

void KeyActionCodec::Decode(const uint8_t action[3], KeyMacroRecord& record, const MacroList& macros) {
  DecodeWith(action, record, &macros, nullptr);
}

void KeyActionCodec::Encode(const KeyMacroRecord& record, uint8_t action[3]) {
  EncodeWith(record, action, nullptr, &KeyboardDataStore::Instance());
}

void KeyActionCodec::Encode(const KeyMacroRecord& record, uint8_t action[3], KeyboardDataStore& store) {
  EncodeWith(record, action, nullptr, &store);
}

void KeyActionCodec::Encode(const KeyMacroRecord& record, uint8_t action[3], const MacroList& macros) {
  EncodeWith(record, action, &macros, nullptr);
}

void KeyActionCodec::DecodeWith(const uint8_t a[3], KeyMacroRecord& r, const MacroList* macros,
                                 KeyboardDataStore* store) {
  r.macro_type = kFuncNone;
  r.macro_value = 0;
  r.macro_value2 = 0;
  r.macro_value3 = 0;
  switch (a[0]) {
    case kKeyboardKey: DecodeKeyboardKey(a[1], a[2], r); break;
    case kSystemAction: DecodeSystemAction(a[1], r); break;
    case kConsumer: DecodeConsumer(a[1], a[2], r); break;
    case kMouse: DecodeMouse(a[1], a[2], r); break;
    case kDeviceFunction: DecodeDeviceFunction(a[1], a[2], r); break;
    case kSpecial: DecodeSpecial(a[1], a[2], r); break;
    case kMacroPlayMode:
    case kMacroRepeat:
      if (macros) {
        DecodeMacro(a, *macros, r);
      } else {
        MacroList list;
        if (store) store->GetMacros(list);  // a failed read is an empty list
        DecodeMacro(a, list, r);
      }
      break;
    default: break;  // nothing assigned
  }
}

void KeyActionCodec::EncodeWith(const KeyMacroRecord& r, uint8_t out[3], const MacroList* macros,
                                KeyboardDataStore* store) {
  if (r.macro_type == kFuncNone) return;
  std::memset(out, 0, 3);
  switch (r.macro_type) {
    case kFuncSpecialAction: Set(out, kSpecial, 3, 0); break;
    case kFuncKeyboardKey: EncodeKeyboardKey(r, out); break;
    case kFuncMacro:
      if (macros) {
        EncodeMacro(r, *macros, out);
      } else {
        MacroList list;
        if (store) store->GetMacros(list);
        EncodeMacro(r, list, out);
      }
      break;
    case kFuncMouse: EncodeMouse(r.macro_value, out); break;
    case kFuncConsumer: EncodeConsumer(r.macro_value, out); break;
    case kFuncShortcut: EncodeShortcut(r.macro_value, out); break;
    case 8:
    case 9:
    case 10:
    case 11: Set(out, kSpecial, 2, uint8_t(r.macro_value)); break;
    case kFuncDevice: Set(out, kDeviceFunction, uint8_t(r.macro_value), 0); break;
    default: break;  // 4 and 13 upwards send nothing
  }
}
