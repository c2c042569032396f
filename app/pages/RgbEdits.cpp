#include "pages/RgbEdits.h"
#include <algorithm>
#include <climits>

namespace {
CString Decimal(int value) {
  CString text;
  text.Format(L"%d", value);
  return text;
}
}  // namespace

int RgbEdits::Value(const CString& text) {
  const wchar_t* p = text.GetString();
  while (*p == L' ' || *p == L'\t') ++p;
  bool negative = false;
  if (*p == L'+' || *p == L'-') negative = *p++ == L'-';
  long long value = 0;
  for (; *p >= L'0' && *p <= L'9'; ++p) {
    value = value * 10 + (*p - L'0');
    value = std::min<long long>(value, static_cast<long long>(INT_MAX) + 1);  // no overflow on long texts
  }
  if (negative) value = -value;
  return int(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

RgbEdits::Clamped RgbEdits::Clamp(const CString& text) {
  const int typed = Value(text);
  const int value = std::clamp(typed, 0, 255);
  return {value, value != typed};
}

COLORREF RgbEdits::Colour(const CString& red, const CString& green, const CString& blue) {
  const auto byte = [](const CString& t) { return COLORREF(Value(t)) & 0xFF; };
  return byte(red) | byte(green) << 8 | byte(blue) << 16;
}

CString RgbEdits::RedText(COLORREF colour) { return Decimal(GetRValue(colour)); }
CString RgbEdits::GreenText(COLORREF colour) { return Decimal(GetGValue(colour)); }
CString RgbEdits::BlueText(COLORREF colour) { return Decimal(GetBValue(colour)); }
