// A keyboard model's layout file ("device.info" > "Keyboard" > "KeyItems" > "key"): where
// each key sits on screen, its key code, key-map position, LED and canvas cell. Reading
// is kept apart from the dialog that applies it.
#pragma once
#include <windows.h>
#include <vector>
#include "core/CString.h"
#include "core/Geometry.h"

// The key grid of the canvas: 8 rows of 32 columns.
constexpr int kLayoutGridRows = 8;
constexpr int kLayoutGridColumns = 32;

struct LayoutKey {
  int code = 0;
  CString name;
  CString desc;
  int keyIndex = 0;
  int lightIndex = 0;
  CRect rect;
  int row = 0;  // canvas cell, from "row_col"; may lie outside the grid
  int column = 0;
};

struct KeyboardLayout {
  bool hasKeyboard = false;  // "Keyboard" found
  bool hasKeyItems = false;  // "KeyItems" found inside it
  COLORREF background = 0;
  CRect rect;  // both keyboard controls
  CString image;
  int rows = 0;  // bounded to the grid
  int columns = 0;
  std::vector<LayoutKey> keys;  // document order
};

// Leading optionally signed number of the text, the rest ignored; 0 when there is none.
int LayoutDecimal(const CString& text);
// The same in base 16 with an optional "0x".
int LayoutHex(const CString& text);

// "row_col": the row is the first character's value; the column the last character's
// when the text has exactly 3 characters, else the last two's ("3_5", "3_12"; "" = 0, 0).
void SplitRowCol(const CString& text, int& row, int& column);
// A keyboard picture's path under the skins folder.
CString KeyboardPicturePath(const CString& picture);
// Whether a cell lies in the key grid.
inline bool IsLayoutGridCell(int row, int column) {
  return row >= 0 && row < kLayoutGridRows && column >= 0 && column < kLayoutGridColumns;
}

// Reads a layout file. False (and `layout` untouched) when the file cannot be read, is
// not well formed or has no "device.info" element at the top.
bool ReadKeyboardLayout(const wchar_t* path, KeyboardLayout& layout);
// The same from text.
bool ParseKeyboardLayout(const wchar_t* text, KeyboardLayout& layout);
