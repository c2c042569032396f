#include "pages/LedPenColours.h"
#include "pages/RgbEdits.h"

namespace {
CString Key(int index) {
  CString key;
  key.Format(L"default_color%d", index);
  return key;
}
}  // namespace

std::array<COLORREF, 6> LedPenColours::Load(KeyboardDataStore& store, int profile) {
  std::array<COLORREF, 6> colours = {};
  for (int k = 1; k <= 6; ++k) {
    CString value;
    store.GetConfigValue(profile, Key(k), value);
    colours[size_t(k - 1)] = COLORREF(RgbEdits::Value(value));
  }
  return colours;
}

bool LedPenColours::Remember(KeyboardDataStore& store, int profile, int buttonId, COLORREF colour) {
  if (buttonId < kFirstButton || buttonId > kLastButton) return false;
  CString value;
  value.Format(L"%lu", static_cast<unsigned long>(colour));
  return store.SetConfigValue(profile, Key(buttonId - kFirstButton + 1), value);
}
