#include "pages/KeyNames.h"
#include <windows.h>

namespace {

struct NamedKey {
  unsigned key;
  const wchar_t* raw;
  const wchar_t* hook;
};

constexpr NamedKey kFixedNames[] = {
    {16, L"Shift", L"Shift"},           {17, L"Ctrl", L"Ctrl"},
    {18, L"Alt", L"Alt"},               {160, L"Shift", L"Shift"},
    {161, L"RShift", L"RShift"},        {162, L"Ctrl", L"Ctrl"},
    {163, L"RCtrl", L"RCtrl"},          {164, L"Alt", L"Alt"},
    {165, L"RAlt", L"RAlt"},            {91, L"Windows", L"Windows"},
    {92, L"RWindows", L"RWindows"},     {93, L"Application", L"Application"},
    {44, L"Print Screen", L"Print Screen"}, {19, L"Pause", L"Pause"},
    {144, L"Num Lock", L"Num Lock"},    {173, L"Vol Mute", L"Vol Mute"},
    {174, L"Vol Down", L"Vol Down"},    {175, L"Vol Up", L"Vol Up"},
    {176, L"Next", L"Next Track"},      {177, L"Prev", L"Prev Track"},
    {178, L"Stop", L"Stop"},            {179, L"Play/Pause", L"Play/Pause"},
    {180, L"EMail", L"EMail"},          {181, L"Multimedia", L"Multimedia"},
    {182, L"Computer", L"My Computer"}, {183, L"Cal", L"Calculator"},
    {166, L"Backward", L"Web-Backward"}, {167, L"Forward", L"Web-Forward"},
    {168, L"Refresh", L"Web-Refresh"},  {169, L"Stop", L"Web-Stop"},
    {170, L"Search", L"Web-Search"},    {171, L"Favorites", L"Web-Favorites"},
    {172, L"Home", L"Web-Home"},
};

bool IsNavigationKey(unsigned vk) { return (vk >= 33 && vk <= 40) || vk == 45 || vk == 46; }

}  // namespace

CString KeyNames::SystemName(unsigned virtualKey) {
  UINT scan = MapVirtualKeyExW(virtualKey, MAPVK_VK_TO_VSC, GetKeyboardLayout(0));
  if (IsNavigationKey(virtualKey)) scan |= 0x100;
  wchar_t text[260] = {};
  GetKeyNameTextW(LONG(scan << 16), text, 260);
  return CString(text);
}

const wchar_t* KeyNames::FixedName(unsigned virtualKey, Source source) {
  for (const NamedKey& f : kFixedNames) {
    if (f.key == virtualKey) return source == Source::RawInput ? f.raw : f.hook;
  }
  return nullptr;
}

unsigned KeyNames::LeftHandKey(unsigned virtualKey) {
  switch (virtualKey) {
    case VK_SHIFT: return VK_LSHIFT;
    case VK_CONTROL: return VK_LCONTROL;
    case VK_MENU: return VK_LMENU;
    default: return virtualKey;
  }
}

CString KeyNames::Name(unsigned virtualKey, Source source) {
  if (const wchar_t* fixed = FixedName(virtualKey, source)) return CString(fixed);
  return SystemName(virtualKey);
}
