#include "device/LightFrames.h"
#include <algorithm>

uint16_t Rgb565(COLORREF c) {
  return uint16_t(((GetRValue(c) >> 3) << 11) | ((GetGValue(c) >> 2) << 5) | (GetBValue(c) >> 3));
}

int CanvasFrameLength(int model, size_t itemCount) {
  int length = 0;
  if (model == 102) length = 214;
  else if (model == 103) length = 164;
  else length = int(std::min<size_t>(itemCount * 2, kCanvasFrameBuffer));
  return std::min(length, kCanvasFrameBuffer);
}

namespace {
void Put565(std::vector<uint8_t>& b, int index, COLORREF colour) {
  if (index < 0 || size_t(index) * 2 + 1 >= b.size()) return;
  uint16_t v = Rgb565(colour);
  b[size_t(index) * 2] = uint8_t(v & 0xFF);
  b[size_t(index) * 2 + 1] = uint8_t(v >> 8);
}
void PutRgb(std::vector<uint8_t>& b, int index, COLORREF colour) {
  if (index < 0 || size_t(index) * 3 + 2 >= b.size()) return;
  b[size_t(index) * 3] = GetRValue(colour);
  b[size_t(index) * 3 + 1] = GetGValue(colour);
  b[size_t(index) * 3 + 2] = GetBValue(colour);
}
}  // namespace

std::vector<uint8_t> BuildCanvasFrame(const std::vector<std::pair<int, COLORREF>>& items,
                                      const std::map<int, int>& codeToLed, int length) {
  std::vector<uint8_t> frame(size_t(std::clamp(length, 0, kCanvasFrameBuffer)), 0);
  for (const auto& [code, colour] : items) {
    auto led = codeToLed.find(code);
    if (led != codeToLed.end()) Put565(frame, led->second, colour);
  }
  return frame;
}

std::vector<uint8_t> BuildMatrixFrame(const std::vector<std::pair<int, COLORREF>>& cells) {
  std::vector<uint8_t> frame(kMatrixFrameSize, 0);
  for (const auto& [id, colour] : cells) Put565(frame, id, colour);
  return frame;
}

std::vector<uint8_t> BuildMatrixColours(const std::vector<std::pair<int, COLORREF>>& cells) {
  std::vector<uint8_t> bytes(kMatrixColoursSize, 0);
  for (const auto& [id, colour] : cells) PutRgb(bytes, id, colour);
  return bytes;
}

std::vector<uint8_t> BuildColourSet(const std::vector<std::pair<int, COLORREF>>& keys,
                                    const std::map<int, int>& codeToLed) {
  std::vector<uint8_t> bytes(kColourSetSize, 0);
  PlaceColourSet(bytes, keys, codeToLed);
  return bytes;
}

void PlaceColourSet(std::vector<uint8_t>& set, const std::vector<std::pair<int, COLORREF>>& keys,
                    const std::map<int, int>& codeToLed) {
  for (const auto& [code, colour] : keys) {
    auto led = codeToLed.find(code);
    if (led != codeToLed.end()) PutRgb(set, led->second, colour);
  }
}
