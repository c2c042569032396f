// Turns one WM_INPUT into an InputEvent. The read of the input data goes through a
// replaceable reader with GetRawInputData's shape, so tests can hand in synthetic input.
#pragma once
#include <windows.h>
#include <functional>
#include "pages/InputEvent.h"

class RawInputDecoder {
public:
  using Reader = std::function<UINT(HRAWINPUT, UINT command, void* data, UINT* size, UINT headerSize)>;

  // The system's GetRawInputData unless a reader is given.
  RawInputDecoder();
  explicit RawInputDecoder(Reader reader);

  // Fills `event` (whose name the caller starts empty). An input that cannot be read, or
  // is too short for its device type, leaves kind 0.
  void Decode(HRAWINPUT input, InputEvent& event) const;
  // The decoding of data already read.
  static void DecodeData(const RAWINPUT& input, UINT size, InputEvent& event);

private:
  static void DecodeMouse(const RAWMOUSE& mouse, InputEvent& event);
  static void DecodeKeyboard(const RAWKEYBOARD& keyboard, InputEvent& event);

  Reader m_reader;
};

// DecodeRawInput with the system's reader.
void DecodeRawInput(HRAWINPUT input, InputEvent& event);
