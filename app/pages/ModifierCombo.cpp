#include "pages/ModifierCombo.h"
#include "device/KeyCodeConverter.h"

namespace {
// The right Alt toggle reads "RALT" but its word is plain "Alt".
constexpr ModifierCombo::Toggle kToggles[ModifierCombo::kToggleCount] = {
    {107, 0x01, L"LCtrl"}, {108, 0x02, L"LShift"}, {109, 0x04, L"LAlt"}, {110, 0x08, L"LWin"},
    {111, 0x10, L"RCtrl"}, {112, 0x20, L"RShift"}, {113, 0x40, L"Alt"},  {114, 0x80, L"RWin"},
};
}  // namespace

const ModifierCombo::Toggle& ModifierCombo::ToggleAt(int i) { return kToggles[i]; }

const ModifierCombo::Toggle* ModifierCombo::ToggleOfControl(int controlId) {
  for (const Toggle& t : kToggles) {
    if (t.controlId == controlId) return &t;
  }
  return nullptr;
}

CString ModifierCombo::ModifierText(uint8_t bits) {
  CString text;
  for (const Toggle& t : kToggles) {
    if (!(bits & t.bit)) continue;
    if (!text.IsEmpty()) text += L"+ ";
    text += t.word;
  }
  return text;
}

CString ModifierCombo::Label(const CString& modifierText, const CString& keyName) {
  if (modifierText.IsEmpty()) return keyName;
  if (keyName.IsEmpty()) return modifierText;
  CString label;
  label.Format(L"%s + %s", modifierText.GetString(), keyName.GetString());
  return label;
}

void ModifierCombo::Apply(KeyMacroRecord& row, uint32_t captureVirtualKey, const CString& keyName, uint8_t bits) {
  const CString label = Label(ModifierText(bits), keyName);
  row.macro_type = 2;
  row.macro_value = int(KeyCodeConverter::Instance().VirtualKeyToHidUsage(&captureVirtualKey));
  row.macro_value2 = bits;
  row.macro_desc = label;
}
