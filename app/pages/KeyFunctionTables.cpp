#include "pages/KeyFunctionTables.h"
#include <algorithm>
#include <iterator>

namespace KeyFunctionTables {
namespace {

// The keypad digits, Enter and "-" carry their main-block twins' labels.
constexpr KeyEntry kKeyboardKeys[] = {
    {L"A", 4},      {L"B", 5},      {L"C", 6},      {L"D", 7},      {L"E", 8},       {L"F", 9},
    {L"G", 10},     {L"H", 11},     {L"I", 12},     {L"J", 13},     {L"K", 14},      {L"L", 15},
    {L"M", 16},     {L"N", 17},     {L"O", 18},     {L"P", 19},     {L"Q", 20},      {L"R", 21},
    {L"S", 22},     {L"T", 23},     {L"U", 24},     {L"V", 25},     {L"W", 26},      {L"X", 27},
    {L"Y", 28},     {L"Z", 29},     {L"0", 39},     {L"1", 30},     {L"2", 31},      {L"3", 32},
    {L"4", 33},     {L"5", 34},     {L"6", 35},     {L"7", 36},     {L"8", 37},      {L"9", 38},
    {L"F1", 58},    {L"F2", 59},    {L"F3", 60},    {L"F4", 61},    {L"F5", 62},     {L"F6", 63},
    {L"F7", 64},    {L"F8", 65},    {L"F9", 66},    {L"F10", 67},   {L"F11", 68},    {L"F12", 69},
    {L"\u2191", 82}, {L"\u2190", 80}, {L"\u2193", 81}, {L"\u2192", 79},
    {L"Esc", 41},   {L"Print", 70}, {L"Scroll Lock", 71}, {L"Pause", 72}, {L"~", 53},
    {L"Backsapce", 42},  // the label users know from earlier versions
    {L"Ins", 73},   {L"Home", 74},  {L"PgUp", 75},  {L"Tab", 43},   {L"Del", 76},    {L"End", 77},
    {L"PgDn", 78},  {L"Caps", 57},  {L"Enter", 40}, {L"Space", 44}, {L"NumLock", 83},
    // keypad
    {L"/", 84},     {L"*", 85},     {L"-", 86},     {L"7", 95},     {L"8", 96},      {L"9", 97},
    {L"+", 87},     {L"4", 92},     {L"5", 93},     {L"6", 94},     {L"1", 89},      {L"2", 90},
    {L"3", 91},     {L"Enter", 88}, {L"0", 98},     {L".", 99},
    // modifiers
    {L"Shift", 225}, {L"Ctrl", 224}, {L"Win", 227}, {L"Alt", 226},
    {L"R-Shift", 229}, {L"R-Ctrl", 228}, {L"R-Win", 231}, {L"R-Alt", 230},
    // punctuation
    {L"-", 45},     {L"=", 46},     {L"[", 47},     {L"]", 48},     {L"||", 49},     {L";", 51},
    {L"'", 52},     {L",<", 54},    {L".>", 55},    {L"/?", 56},
};
static_assert(std::size(kKeyboardKeys) == 103);

constexpr PairEntry kMouseButtons[] = {
    {90, 0x00, 0x01, 220}, {91, 0x00, 0x04, 222}, {92, 0x00, 0x02, 223}, {94, 0x00, 0x10, 227},
    {95, 0x00, 0x08, 228}, {96, 0x05, 0x01, 225}, {97, 0x06, 0x01, 226},
};
constexpr int kMouseListOrder[] = {90, 91, 92, 96, 97, 94, 95};

constexpr ConsumerEntry kConsumerKeys[] = {
    {100, 0x00CD, 264, 264}, {101, 0x00B7, 265, 265}, {102, 0x00B6, 266, 266}, {103, 0x00B5, 267, 267},
    {104, 0x00E9, 268, 268}, {105, 0x00EA, 269, 269}, {106, 0x00E2, 270, 270}, {110, 0x0183, 263, 263},
    {111, 0x006F, 278, 0},   {112, 0x0070, 279, 0},   {113, 0x0194, 280, 260}, {114, 0x0192, 281, 261},
    {115, 0x018A, 282, 262}, {116, 0x0223, 271, 271}, {117, 0x0227, 272, 272}, {118, 0x0226, 273, 273},
    {119, 0x0224, 274, 274}, {120, 0x0225, 275, 275}, {121, 0x022A, 276, 276}, {122, 0x0221, 277, 277},
};
constexpr int kMediaListOrder[] = {113, 114, 115, 110, 100, 101, 102, 103, 104,
                                   105, 106, 116, 117, 118, 119, 120, 121, 122};

constexpr ShortcutEntry kShortcuts[] = {
    {150, {0x10, 0x08, 0x07}, 251}, {151, {0x10, 0x08, 0x08}, 252}, {152, {0x10, 0x08, 0x0F}, 253},
    {153, {0x10, 0x01, 0x1A}, 254}, {154, {0x10, 0x04, 0x2B}, 255}, {155, {0x10, 0x01, 0x06}, 31},
    {156, {0x10, 0x01, 0x19}, 32},  {157, {0x10, 0x01, 0x1B}, 36},  {158, {0x10, 0x01, 0x16}, 38},
    {159, {0x10, 0x01, 0x12}, 39},  {160, {0x10, 0x01, 0x11}, 35},  {161, {0x02, 0x02, 0x00}, 0},
    {162, {0x02, 0x01, 0x00}, 0},   {163, {0x02, 0x03, 0x00}, 0},
};
constexpr int kShortcutListOrder[] = {155, 156, 157, 158, 159, 160, 150, 151, 152, 153, 154};

constexpr const wchar_t* kDeviceFunctions[kDeviceFunctionCount] = {
    L"Fn0",       L"Fn",        L"Fn2",        L"Fn3",        L"To0",        L"To1",      L"To2",
    L"To3",       L"BL-TOG",    L"BL-MOD",     L"BL-RMOD",    L"BL-HUT",     L"BL-HUD",   L"BL-VAI",
    L"BL-VAD",    L"BL-SPI",    L"BL-SPD",     L"Color",      L"BL-LIGHT1",  L"BL-LIGHT2", L"BL-LIGHT3",
    L"BL-LIGHT4", L"BL-LIGHT5", L"LG-TOG",     L"LG-MOD",     L"LG-RMOD",    L"LG-HUT",   L"LG-HUD",
    L"LG-VAI",    L"LG-VAD",    L"LG-SPI",     L"LG-SPD",     L"SD-TOG",     L"SD-MOD",   L"SD-RMOD",
    L"SD-HUT",    L"SD-HUD",    L"SD-VAI",     L"SD-VAD",     L"SD-SPI",     L"SD-SPD",   L"LT-TOG",
    L"LT-MOD",    L"LT-RMOD",   L"LT-HUT",     L"LT-HUD",     L"LT-VAI",     L"LT-VAD",   L"LT-SPI",
    L"LT-SPD",    L"Reset",     L"BLE1",       L"BLE2",       L"BLE3",       L"2.4G",     L"USB",
    L"Battery",   L"6N",        L"Mac/Win",    L"WinLock",    L"WASD",       L"KeyDelay", L"F-Change",
    L"Wheel",     L"LEDTest",   L"AllPower",   L"LCDPower",   L"LCDMode",    L"LCDGIFMode", L"LCDUSBMode",
    L"WheelLeft", L"WheelRight", L"WheelClick", L"KeyTest",
};

template <class T>
const T* FindByValue(std::span<const T> table, int value) {
  auto it = std::find_if(table.begin(), table.end(), [value](const T& e) { return e.value == value; });
  return it == table.end() ? nullptr : &*it;
}

}  // namespace

std::span<const KeyEntry> KeyboardKeys() { return kKeyboardKeys; }
std::span<const PairEntry> MouseButtons() { return kMouseButtons; }
std::span<const int> MouseButtonListOrder() { return kMouseListOrder; }
std::span<const ConsumerEntry> ConsumerKeys() { return kConsumerKeys; }
std::span<const int> MediaKeyListOrder() { return kMediaListOrder; }
std::span<const ShortcutEntry> Shortcuts() { return kShortcuts; }
std::span<const int> ShortcutListOrder() { return kShortcutListOrder; }

const wchar_t* DeviceFunctionName(int number) {
  return number >= 1 && number <= kDeviceFunctionCount ? kDeviceFunctions[number - 1] : nullptr;
}

const PairEntry* FindMouseButton(int value) { return FindByValue(MouseButtons(), value); }
const ConsumerEntry* FindConsumerKey(int value) { return FindByValue(ConsumerKeys(), value); }
const ShortcutEntry* FindShortcut(int value) { return FindByValue(Shortcuts(), value); }

}  // namespace KeyFunctionTables
