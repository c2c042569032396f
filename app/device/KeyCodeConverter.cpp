#include "device/KeyCodeConverter.h"
#include <string>

namespace {
struct Range {
  unsigned firstKey, lastKey, firstUsage;
};

// Contiguous runs of virtual keys that map onto contiguous usages.
constexpr Range kRanges[] = {
    {65, 90, 4},      // A-Z
    {49, 57, 30},     // 1-9
    {112, 123, 58},   // F1-F12
    {124, 135, 104},  // F13-F24
    {97, 105, 89},    // keypad 1-9
    {136, 139, 136},  // pseudo-codes passed through
};

struct Single {
  unsigned key, usage;
};

constexpr Single kSingles[] = {
    {48, 39},                                                              // 0
    {13, 40},  {27, 41},  {8, 42},    {9, 43},   {32, 44},                 // Enter Esc Bksp Tab Space
    {189, 45}, {187, 46}, {219, 47},  {221, 48}, {220, 49},                // - = [ ] backslash
    {666, 50},                                                             // non-US #
    {186, 51}, {222, 52}, {192, 53},  {188, 54}, {190, 55}, {191, 56},     // ; ' ` , . /
    {20, 57},                                                              // Caps Lock
    {44, 70},  {145, 71}, {19, 72},                                        // PrtSc ScrLk Pause
    {45, 73},  {36, 74},  {33, 75},   {46, 76},  {35, 77},  {34, 78},      // Ins Home PgUp Del End PgDn
    {39, 79},  {37, 80},  {40, 81},   {38, 82},                            // Right Left Down Up
    {144, 83}, {111, 84}, {106, 85},  {109, 86}, {107, 87}, {108, 88},     // NumLk / * - + Enter
    {96, 98},  {110, 99},                                                  // keypad 0 .
    {226, 100}, {93, 101},                                                 // 102nd key, Application
    {162, 224}, {160, 225}, {164, 226}, {91, 227},                         // left Ctrl Shift Alt Win
    {163, 228}, {161, 229}, {165, 230}, {92, 231},                         // right Ctrl Shift Alt Win
    {254, 175},                                                            // Fn
    {301, 236}, {302, 235},
};

struct ModifierBit {
  unsigned key, usage, bit;
};

constexpr ModifierBit kModifierBits[] = {
    {162, 224, 0x01}, {160, 225, 0x02}, {164, 226, 0x04}, {91, 227, 0x08},
    {163, 228, 0x10}, {161, 229, 0x20}, {165, 230, 0x40}, {92, 231, 0x80},
};

struct Name {
  unsigned usage;
  const wchar_t* text;
};

constexpr Name kNames[] = {
    {40, L"Enter"},    {41, L"Esc"},      {42, L"Backspace"}, {43, L"Tab"},     {44, L"Space"},
    {45, L"-"},        {46, L"="},        {47, L"["},         {48, L"]"},       {49, L"\\"},
    {51, L";"},        {52, L"'"},        {53, L"~"},         {54, L","},       {55, L"."},
    {56, L"/"},        {57, L"CapsLock"}, {70, L"Print"},     {71, L"Scroll"},  {72, L"Pause"},
    {73, L"Insert"},   {74, L"Home"},     {75, L"PgUp"},      {76, L"Delete"},  {77, L"End"},
    {78, L"PgDn"},     {79, L"\u2192"},   {80, L"\u2190"},    {81, L"\u2193"},  {82, L"\u2191"},
    {83, L"Num Lock"}, {84, L"Num /"},    {85, L"Num *"},     {86, L"Num -"},   {87, L"Num +"},
    {88, L"Num Enter"}, {101, L"App"},    {175, L"Fn"},
    {224, L"Ctrl"},    {225, L"Shift"},   {226, L"Alt"},      {227, L"Win"},
    {228, L"Ctrl"},    {229, L"Shift"},   {230, L"Alt"},
};
}  // namespace

KeyCodeConverter& KeyCodeConverter::Instance() {
  static KeyCodeConverter instance;
  return instance;
}

unsigned KeyCodeConverter::VirtualKeyToHidUsage(const uint32_t* virtualKey) const {
  if (!virtualKey) return 0;
  const unsigned key = *virtualKey;
  for (const Range& r : kRanges) {
    if (key >= r.firstKey && key <= r.lastKey) return r.firstUsage + (key - r.firstKey);
  }
  for (const Single& s : kSingles) {
    if (s.key == key) return s.usage;
  }
  return 0;
}

unsigned KeyCodeConverter::HidModifierBit(unsigned code) const {
  for (const ModifierBit& m : kModifierBits) {
    if (m.key == code || m.usage == code) return m.bit;
  }
  return code;  // 0 and every non-modifier come back unchanged
}

CString KeyCodeConverter::HidUsageName(unsigned usage) const {
  if (usage >= 4 && usage <= 29) return CString(wchar_t(L'A' + (usage - 4)));
  if (usage >= 30 && usage <= 38) return CString(wchar_t(L'1' + (usage - 30)));
  if (usage == 39) return CString(L"0");
  if (usage >= 58 && usage <= 69) return CString(L"F") + std::to_wstring(usage - 57).c_str();
  if (usage >= 89 && usage <= 97) return CString(L"Num ") + std::to_wstring(usage - 88).c_str();
  if (usage >= 104 && usage <= 115) return CString(L"F") + std::to_wstring(usage - 91).c_str();
  for (const Name& n : kNames) {
    if (n.usage == usage) return CString(n.text);
  }
  return CString();
}
