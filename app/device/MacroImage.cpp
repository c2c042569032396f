#include "device/MacroImage.h"
#include <algorithm>
#include <cstring>
#include "device/KeyCodeConverter.h"

namespace {

bool IsModifierKey(int vk) {
  return (vk >= 160 && vk <= 165) || vk == 91 || vk == 92;
}

void Put16(std::vector<uint8_t>& b, size_t at, int value) {
  b[at] = uint8_t(value & 0xFF);
  b[at + 1] = uint8_t((value >> 8) & 0xFF);
}

}  // namespace

void EncodeMacroStep(const MacroStepRecord& step, uint8_t out[4]) {
  std::memset(out, 0, 4);
  int code = 0;
  int flags = 0;
  bool scrollUp = step.desc.Find(L"Scroll Up") >= 0;
  bool scrollDown = step.desc.Find(L"Scroll Down") >= 0;
  switch (step.type) {
    case 2:
    case 3: {
      const KeyCodeConverter& k = KeyCodeConverter::Instance();
      bool modifier = IsModifierKey(step.value);
      if (modifier) {
        code = int(k.HidModifierBit(unsigned(step.value)));
      } else {
        uint32_t vk = uint32_t(step.value);
        code = int(k.VirtualKeyToHidUsage(&vk));
      }
      flags = (modifier ? 0x02 : 0x01) | (step.type == 2 ? 0x80 : 0);
      break;
    }
    case 4:
      code = step.value & 0xFF;
      flags = 0x83;
      if (scrollUp || scrollDown) {
        code = 0x44;
        flags = 0x07;
      }
      break;
    case 5:
      code = step.value & 0xFF;
      flags = 0x03;
      if (scrollUp) {
        code = 0x44;
        flags = 0x01;
      } else if (scrollDown) {
        code = 0x44;
        flags = 0xFF;
      }
      break;
    default:
      return;  // an unknown step is all zero, delay included
  }
  int delay = step.delay_time / 2;
  out[0] = uint8_t(delay & 0xFF);
  out[1] = uint8_t((delay >> 8) & 0xFF);
  out[2] = uint8_t(code);
  out[3] = uint8_t(flags);
}

MacroImage BuildMacroImage(const std::vector<MacroSteps>& macros, int memorySize) {
  MacroImage image;
  const int limit = std::min(kMacroImageBuffer, std::max(memorySize, 0));
  const int count = int(macros.size());
  const int tableEnd = 8 + 2 * count;
  if (count == 0 || tableEnd > limit) return image;  // nothing, or not even the table fits

  std::vector<uint8_t> b(size_t(limit), 0);
  b[0] = 0xAA;
  b[1] = 0x55;
  Put16(b, 4, count);
  int length = tableEnd;
  for (int i = 0; i < count; ++i) {
    const MacroSteps& steps = macros[size_t(i)];
    if (steps.empty()) continue;
    int blockSize = 4 + 4 * int(steps.size());
    if (length + blockSize > limit) continue;  // does not fit: offset stays 0
    Put16(b, size_t(8 + 2 * i), length);
    Put16(b, size_t(length), int(steps.size()));
    int at = length + 4;
    for (const MacroStepRecord& step : steps) {
      EncodeMacroStep(step, &b[size_t(at)]);
      at += 4;
    }
    length += blockSize;
  }
  Put16(b, 2, length);
  b.resize(size_t(length));
  image.bytes = std::move(b);
  return image;
}
