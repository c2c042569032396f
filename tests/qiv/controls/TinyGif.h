// Writes small animated GIF files for the tests: every frame one solid colour of a global
// palette of up to 16 colours, coded with the simplest valid LZW stream (a clear code before every pixel).
#pragma once
#include <windows.h>
#include <cstdint>
#include <vector>

namespace qivtest {

inline std::vector<uint8_t> SolidFramesGif(int width, int height, const std::vector<uint32_t>& rgbFrames) {
  std::vector<uint8_t> out = {'G', 'I', 'F', '8', '9', 'a'};
  auto u16 = [&](int v) {
    out.push_back(static_cast<uint8_t>(v & 0xFF));
    out.push_back(static_cast<uint8_t>((v >> 8) & 0xFF));
  };
  u16(width);
  u16(height);
  out.push_back(0xF3);  // global table of 16 colours
  out.push_back(0);
  out.push_back(0);
  for (int i = 0; i < 16; ++i) {
    const uint32_t c = i < static_cast<int>(rgbFrames.size()) ? rgbFrames[i] : 0;
    out.push_back(static_cast<uint8_t>(c >> 16));
    out.push_back(static_cast<uint8_t>(c >> 8));
    out.push_back(static_cast<uint8_t>(c));
  }
  const uint8_t loop[] = {0x21, 0xFF, 0x0B, 'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0', 3, 1, 0, 0, 0};
  out.insert(out.end(), std::begin(loop), std::end(loop));
  for (size_t f = 0; f < rgbFrames.size(); ++f) {
    const uint8_t control[] = {0x21, 0xF9, 4, 0x04, 10, 0, 0, 0};  // keep the frame, 100 ms
    out.insert(out.end(), std::begin(control), std::end(control));
    out.push_back(0x2C);
    u16(0);
    u16(0);
    u16(width);
    u16(height);
    out.push_back(0);
    out.push_back(4);  // minimum code size: codes are 5 bits (clear 16, end 17)
    std::vector<uint8_t> data;
    uint32_t bits = 0;
    int count = 0;
    auto emit = [&](uint32_t code) {
      bits |= code << count;
      count += 5;
      while (count >= 8) {
        data.push_back(static_cast<uint8_t>(bits & 0xFF));
        bits >>= 8;
        count -= 8;
      }
    };
    for (int p = 0; p < width * height; ++p) {
      emit(16);
      emit(static_cast<uint32_t>(f % 16));
    }
    emit(17);
    if (count > 0) data.push_back(static_cast<uint8_t>(bits & 0xFF));
    for (size_t at = 0; at < data.size(); at += 255) {
      const size_t n = std::min<size_t>(255, data.size() - at);
      out.push_back(static_cast<uint8_t>(n));
      out.insert(out.end(), data.begin() + static_cast<std::ptrdiff_t>(at), data.begin() + static_cast<std::ptrdiff_t>(at + n));
    }
    out.push_back(0);
  }
  out.push_back(0x3B);
  return out;
}

inline bool WriteFileBytes(const wchar_t* path, const std::vector<uint8_t>& bytes) {
  HANDLE f = ::CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (f == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const BOOL ok = ::WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  ::CloseHandle(f);
  return ok && written == bytes.size();
}

}  // namespace qivtest
