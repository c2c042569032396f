#include "pages/RawInputDecoder.h"
#include <cstddef>
#include <vector>
#include "pages/KeyNames.h"

namespace {

struct ButtonFlag {
  USHORT flag;
  const wchar_t* name;
  int code;
  int up;
};

// Tested in this order; the first flag present decides.
constexpr ButtonFlag kButtons[] = {
    {RI_MOUSE_LEFT_BUTTON_DOWN, L"MouseL", 1, 0},  {RI_MOUSE_MIDDLE_BUTTON_DOWN, L"MouseM", 2, 0},
    {RI_MOUSE_RIGHT_BUTTON_DOWN, L"MouseR", 3, 0}, {RI_MOUSE_LEFT_BUTTON_UP, L"MouseL", 1, 1},
    {RI_MOUSE_MIDDLE_BUTTON_UP, L"MouseM", 2, 1},  {RI_MOUSE_RIGHT_BUTTON_UP, L"MouseR", 3, 1},
    {RI_MOUSE_BUTTON_4_DOWN, L"Backward", 7, 0},   {RI_MOUSE_BUTTON_4_UP, L"Backward", 7, 1},
    {RI_MOUSE_BUTTON_5_DOWN, L"Forward", 8, 0},    {RI_MOUSE_BUTTON_5_UP, L"Forward", 8, 1},
};

constexpr UINT kMouseSize = offsetof(RAWINPUT, data) + sizeof(RAWMOUSE);
constexpr UINT kKeyboardSize = offsetof(RAWINPUT, data) + sizeof(RAWKEYBOARD);

}  // namespace

RawInputDecoder::RawInputDecoder() : m_reader(::GetRawInputData) {}

RawInputDecoder::RawInputDecoder(Reader reader) : m_reader(std::move(reader)) {}

void RawInputDecoder::Decode(HRAWINPUT input, InputEvent& event) const {
  event.kind = kInputNone;
  UINT size = 0;
  // The header size is the one of this build (16 bytes on 32-bit Windows, 24 on 64-bit).
  if (m_reader(input, RID_INPUT, nullptr, &size, sizeof(RAWINPUTHEADER)) != 0 || size == 0) return;
  // Whole RAWINPUT records, so the union can be read at any of its members.
  std::vector<RAWINPUT> buffer((size + sizeof(RAWINPUT) - 1) / sizeof(RAWINPUT));
  UINT read = size;
  const UINT got = m_reader(input, RID_INPUT, buffer.data(), &read, sizeof(RAWINPUTHEADER));
  if (got == UINT(-1) || got > size) return;
  DecodeData(buffer.front(), got, event);
}

void RawInputDecoder::DecodeData(const RAWINPUT& input, UINT size, InputEvent& event) {
  event.kind = kInputNone;
  if (size < sizeof(RAWINPUTHEADER)) return;
  switch (input.header.dwType) {
    case RIM_TYPEMOUSE:
      if (size >= kMouseSize) DecodeMouse(input.data.mouse, event);
      break;
    case RIM_TYPEKEYBOARD:
      if (size >= kKeyboardSize) DecodeKeyboard(input.data.keyboard, event);
      break;
    case RIM_TYPEHID: event.kind = kInputOther; break;
    default: break;
  }
}

void RawInputDecoder::DecodeMouse(const RAWMOUSE& mouse, InputEvent& event) {
  event.kind = kInputMouse;
  event.up = 0;
  for (const ButtonFlag& b : kButtons) {
    if (!(mouse.usButtonFlags & b.flag)) continue;
    event.name = b.name;
    event.code = b.code;
    event.up = b.up;
    return;
  }
  // A move or a wheel step: no button, no name.
}

void RawInputDecoder::DecodeKeyboard(const RAWKEYBOARD& keyboard, InputEvent& event) {
  event.kind = kInputKeyboard;
  event.up = keyboard.Message == WM_KEYUP || keyboard.Message == WM_SYSKEYUP;
  const unsigned vk = keyboard.VKey;
  event.name = KeyNames::Name(vk, KeyNames::Source::RawInput);
  event.code = int(KeyNames::LeftHandKey(vk));
}

void DecodeRawInput(HRAWINPUT input, InputEvent& event) { RawInputDecoder().Decode(input, event); }
