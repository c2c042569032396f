// The red, green and blue edits of the colour sections: reading their texts as numbers,
// limiting a typed value to a colour byte, and building a colour from the three.
#pragma once
#include <windows.h>
#include "core/CString.h"

class RgbEdits {
public:
  // A typed value limited to 0-255, and whether the edit has to show the limited value.
  struct Clamped {
    int value = 0;
    bool rewrite = false;
  };

  // The number at the start of a text: leading blanks, one sign, then decimal digits up to
  // the first other character; 0 when there are none. Values past the int range stop at
  // its ends.
  static int Value(const CString& text);
  // A text of 300 gives 255 to be shown, -5 gives 0; "12ab" gives 12 and stays as typed.
  static Clamped Clamp(const CString& text);
  // red | green << 8 | blue << 16, each the text's value cut to its low 8 bits (256 gives 0).
  static COLORREF Colour(const CString& red, const CString& green, const CString& blue);
  // The decimal texts of a colour's red, green and blue bytes.
  static CString RedText(COLORREF colour);
  static CString GreenText(COLORREF colour);
  static CString BlueText(COLORREF colour);
};
