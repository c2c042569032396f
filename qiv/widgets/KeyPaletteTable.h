// The three groups of the grouped key-function palette: basic characters, extended keys
// and the special functions (codes 500-517) with their icons. Codes are USB HID keyboard
// usages for keys and 500-517 for the special functions.
#pragma once
#include <windows.h>
#include "qiv_export.h"

struct PaletteItemDef {
  const wchar_t* text;
  int code;
  const wchar_t* icon;  // relative to the skins folder; null for a plain label
};

struct PaletteGroupDef {
  const wchar_t* title;
  int expanded;
  int height;  // what the expanded group takes below its header before its first paint
  const PaletteItemDef* items;
  int count;
};

constexpr int kPaletteGroupCount = 3;

QIV_API const PaletteGroupDef* GetPaletteGroupTable();
