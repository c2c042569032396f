// The fixed tables behind key actions: which values each function category offers, the
// bytes they are sent as and the texts they are shown with. The codec and the function
// catalogues both read them, so a value always names the same function.
#pragma once
#include <cstdint>
#include <span>

namespace KeyFunctionTables {

// A keyboard key offered in the lists: its label and HID usage.
struct KeyEntry {
  const wchar_t* label;
  int usage;
};

// A value of a category sent as two bytes after the type byte; `textId` labels it.
struct PairEntry {
  int value;
  uint8_t value1;
  uint8_t value2;
  int textId;
};

// A consumer key: the value, its consumer usage, and the two texts that label it (the
// one a key read back from the keyboard gets, and the one the catalogue shows; 0 when
// the catalogue does not offer it).
struct ConsumerEntry {
  int value;
  uint16_t usage;
  int decodeTextId;
  int catalogueTextId;
};

// A Windows shortcut or system action: its value, the code it is sent as and the text
// of the catalogue (0 when the catalogue does not offer it).
struct ShortcutEntry {
  int value;
  uint8_t code[3];
  int catalogueTextId;
};

// The keyboard keys in list order (103).
std::span<const KeyEntry> KeyboardKeys();
// Mouse buttons in the decoding table's order (by value).
std::span<const PairEntry> MouseButtons();
// Mouse button values in list order.
std::span<const int> MouseButtonListOrder();
// Consumer keys by value (20).
std::span<const ConsumerEntry> ConsumerKeys();
// Consumer values in list order (18).
std::span<const int> MediaKeyListOrder();
// Shortcuts and system actions by value (14).
std::span<const ShortcutEntry> Shortcuts();
// Shortcut values in list order (11).
std::span<const int> ShortcutListOrder();

constexpr int kDeviceFunctionCount = 74;
// The fixed name of device function 1-74; null outside.
const wchar_t* DeviceFunctionName(int number);

const PairEntry* FindMouseButton(int value);
const ConsumerEntry* FindConsumerKey(int value);
const ShortcutEntry* FindShortcut(int value);

}  // namespace KeyFunctionTables
