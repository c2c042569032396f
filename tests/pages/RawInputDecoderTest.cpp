#include <gtest/gtest.h>
#include <cstring>
#include "pages/KeyNames.h"
#include "pages/RawInputDecoder.h"

namespace {

// Hands the decoder one prepared input through GetRawInputData's protocol: the size
// first, then the data.
struct FakeRawInput {
  RAWINPUT input{};
  UINT size = sizeof(RAWINPUT);
  bool failRead = false;
  int reads = 0;

  RawInputDecoder::Reader Reader() {
    return [this](HRAWINPUT, UINT command, void* data, UINT* bytes, UINT headerSize) -> UINT {
      EXPECT_EQ(command, UINT(RID_INPUT));
      EXPECT_EQ(headerSize, UINT(sizeof(RAWINPUTHEADER)));
      if (!data) {
        *bytes = size;
        return 0;
      }
      ++reads;
      if (failRead || *bytes < size) return UINT(-1);
      std::memcpy(data, &input, size);
      return size;
    };
  }
  InputEvent Decode() {
    InputEvent e;
    RawInputDecoder(Reader()).Decode(reinterpret_cast<HRAWINPUT>(1), e);
    return e;
  }
  void Mouse(USHORT flags) {
    input = RAWINPUT{};
    input.header.dwType = RIM_TYPEMOUSE;
    input.data.mouse.usButtonFlags = flags;
  }
  void Keyboard(USHORT vk, UINT message) {
    input = RAWINPUT{};
    input.header.dwType = RIM_TYPEKEYBOARD;
    input.data.keyboard.VKey = vk;
    input.data.keyboard.Message = message;
  }
};

TEST(RawInputDecoder, MouseButtons) {
  struct Case {
    USHORT flags;
    int code, up;
    const wchar_t* name;
  } cases[] = {
      {RI_MOUSE_LEFT_BUTTON_DOWN, 1, 0, L"MouseL"},
      {RI_MOUSE_MIDDLE_BUTTON_DOWN, 2, 0, L"MouseM"},
      {RI_MOUSE_RIGHT_BUTTON_DOWN, 3, 0, L"MouseR"},
      {RI_MOUSE_LEFT_BUTTON_UP, 1, 1, L"MouseL"},
      {RI_MOUSE_MIDDLE_BUTTON_UP, 2, 1, L"MouseM"},
      {RI_MOUSE_RIGHT_BUTTON_UP, 3, 1, L"MouseR"},
      {RI_MOUSE_BUTTON_4_DOWN, 7, 0, L"Backward"},
      {RI_MOUSE_BUTTON_4_UP, 7, 1, L"Backward"},
      {RI_MOUSE_BUTTON_5_DOWN, 8, 0, L"Forward"},
      {RI_MOUSE_BUTTON_5_UP, 8, 1, L"Forward"},
      // Several buttons in one report: the first in the order above decides.
      {RI_MOUSE_RIGHT_BUTTON_UP | RI_MOUSE_LEFT_BUTTON_DOWN, 1, 0, L"MouseL"},
      {RI_MOUSE_BUTTON_4_DOWN | RI_MOUSE_LEFT_BUTTON_UP, 1, 1, L"MouseL"},
  };
  FakeRawInput raw;
  for (const Case& c : cases) {
    raw.Mouse(c.flags);
    InputEvent e = raw.Decode();
    EXPECT_EQ(e.kind, kInputMouse) << c.flags;
    EXPECT_EQ(e.code, c.code) << c.flags;
    EXPECT_EQ(e.up, c.up) << c.flags;
    EXPECT_EQ(e.name, c.name) << c.flags;
  }
  // Movement and the wheel are mouse events without a button.
  raw.Mouse(RI_MOUSE_WHEEL);
  InputEvent e = raw.Decode();
  EXPECT_EQ(e.kind, kInputMouse);
  EXPECT_TRUE(e.name.IsEmpty());
  EXPECT_EQ(e.up, 0);
}

TEST(RawInputDecoder, Keys) {
  FakeRawInput raw;
  const struct {
    USHORT vk;
    UINT message;
    int code, up;
    const wchar_t* name;
  } cases[] = {
      {VK_SHIFT, WM_KEYDOWN, 160, 0, L"Shift"},   {VK_CONTROL, WM_KEYUP, 162, 1, L"Ctrl"},
      {VK_MENU, WM_SYSKEYDOWN, 164, 0, L"Alt"},   {VK_MENU, WM_SYSKEYUP, 164, 1, L"Alt"},
      {VK_RCONTROL, WM_KEYDOWN, 163, 0, L"RCtrl"}, {VK_LWIN, WM_KEYDOWN, 91, 0, L"Windows"},
      {VK_MEDIA_NEXT_TRACK, WM_KEYDOWN, 176, 0, L"Next"}, {VK_LAUNCH_APP2, WM_KEYDOWN, 183, 0, L"Cal"},
      {VK_BROWSER_HOME, WM_KEYUP, 172, 1, L"Home"},
  };
  for (const auto& c : cases) {
    raw.Keyboard(c.vk, c.message);
    InputEvent e = raw.Decode();
    EXPECT_EQ(e.kind, kInputKeyboard) << c.vk;
    EXPECT_EQ(e.code, c.code) << c.vk;
    EXPECT_EQ(e.up, c.up) << c.vk;
    EXPECT_EQ(e.name, c.name) << c.vk;
  }
  // Other keys are named by the system.
  raw.Keyboard('A', WM_KEYDOWN);
  InputEvent a = raw.Decode();
  EXPECT_EQ(a.code, 'A');
  EXPECT_EQ(a.name, KeyNames::SystemName('A'));
  EXPECT_FALSE(a.name.IsEmpty());
}

// The navigation block is named as such, not after the keypad keys that share its scan
// codes.
TEST(RawInputDecoder, NavigationKeysAreNotKeypadKeys) {
  for (unsigned vk : {VK_PRIOR, VK_NEXT, VK_END, VK_HOME, VK_LEFT, VK_UP, VK_RIGHT, VK_DOWN, VK_INSERT, VK_DELETE}) {
    const UINT scan = MapVirtualKeyExW(vk, MAPVK_VK_TO_VSC, GetKeyboardLayout(0));
    wchar_t keypad[260] = {};
    GetKeyNameTextW(LONG(scan << 16), keypad, 260);
    const CString name = KeyNames::SystemName(vk);
    EXPECT_FALSE(name.IsEmpty()) << vk;
    EXPECT_NE(name, CString(keypad)) << vk;
  }
}

TEST(RawInputDecoder, UnreadableInputIsNoEvent) {
  FakeRawInput raw;
  raw.Keyboard('A', WM_KEYDOWN);
  raw.size = 0;
  EXPECT_EQ(raw.Decode().kind, kInputNone) << "empty";
  EXPECT_EQ(raw.reads, 0);
  raw.size = sizeof(RAWINPUT);
  raw.failRead = true;
  EXPECT_EQ(raw.Decode().kind, kInputNone) << "read failed";
  raw.failRead = false;
  raw.size = sizeof(RAWINPUTHEADER) + 2;  // cut short
  EXPECT_EQ(raw.Decode().kind, kInputNone) << "short keyboard data";
  raw.Mouse(RI_MOUSE_LEFT_BUTTON_DOWN);
  EXPECT_EQ(raw.Decode().kind, kInputNone) << "short mouse data";
  raw.size = sizeof(RAWINPUT);
  raw.input.header.dwType = RIM_TYPEHID;
  EXPECT_EQ(raw.Decode().kind, kInputOther);
  raw.input.header.dwType = 7;
  EXPECT_EQ(raw.Decode().kind, kInputNone);
}

}  // namespace
