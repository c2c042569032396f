// A small GIF89a writer of the tests' own: frames of 32-bit pixels, each with its own
// colour table, delay and disposal, LZW-compressed as the format asks. The tests make
// their fixture animations with it and put it behind the GIF writer's encoder seam; what
// it writes is read back through GDI+, so every frame and delay can be checked.
#pragma once
#include <windows.h>
#include <gdiplus.h>
#include <algorithm>
#include <cstdint>
#include <map>
#include <unordered_map>
#include <vector>
#include "widgets/GifFrameEncoder.h"

namespace giftest {

struct Frame {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> argb;  // rows from the top; alpha below 128 is transparent
  int delay = 0;               // 1/100 s
  bool control = true;         // false: no graphic control extension (no delay at all)
};

inline Frame Solid(int w, int h, uint32_t argb, int delay) {
  return Frame{w, h, std::vector<uint32_t>(static_cast<size_t>(w) * h, argb), delay, true};
}

class Writer {
public:
  std::vector<uint8_t> bytes;

  void U8(int v) { bytes.push_back(static_cast<uint8_t>(v)); }
  void U16(int v) {
    U8(v & 0xFF);
    U8((v >> 8) & 0xFF);
  }
  void Text(const char* s) {
    while (*s) U8(*s++);
  }
};

// LSB-first bit packing into 255-byte sub-blocks.
class BitSink {
public:
  void Put(int code, int bits) {
    acc_ |= static_cast<uint32_t>(code) << count_;
    count_ += bits;
    while (count_ >= 8) {
      data_.push_back(static_cast<uint8_t>(acc_ & 0xFF));
      acc_ >>= 8;
      count_ -= 8;
    }
  }
  void Finish(Writer& w) {
    if (count_ > 0) data_.push_back(static_cast<uint8_t>(acc_ & 0xFF));
    for (size_t i = 0; i < data_.size(); i += 255) {
      const size_t n = std::min<size_t>(255, data_.size() - i);
      w.U8(static_cast<int>(n));
      w.bytes.insert(w.bytes.end(), data_.begin() + i, data_.begin() + i + n);
    }
    w.U8(0);
  }

private:
  std::vector<uint8_t> data_;
  uint32_t acc_ = 0;
  int count_ = 0;
};

// LZW with 8-bit symbols (minimum code size 8).
inline void Lzw(const std::vector<uint8_t>& indexes, Writer& w) {
  const int clear = 256, eoi = 257;
  w.U8(8);
  BitSink sink;
  std::unordered_map<uint32_t, int> dict;
  int next = 258, size = 9;
  sink.Put(clear, size);
  if (indexes.empty()) {
    sink.Put(eoi, size);
    sink.Finish(w);
    return;
  }
  auto grow = [&] {
    if (next > (1 << size) && size < 12) ++size;
  };
  int prefix = indexes[0];
  for (size_t i = 1; i < indexes.size(); ++i) {
    const int k = indexes[i];
    const uint32_t key = (static_cast<uint32_t>(prefix) << 8) | static_cast<uint32_t>(k);
    auto found = dict.find(key);
    if (found != dict.end()) {
      prefix = found->second;
      continue;
    }
    sink.Put(prefix, size);
    if (next < 4096) {
      dict[key] = next++;
      grow();
    } else {
      sink.Put(clear, size);
      dict.clear();
      next = 258;
      size = 9;
    }
    prefix = k;
  }
  sink.Put(prefix, size);
  // The reader adds one more entry on the last code before it reads the end code.
  if (next < 4096) {
    ++next;
    grow();
  }
  sink.Put(eoi, size);
  sink.Finish(w);
}

// Palette indexes of a frame: its own colours when there are at most 255, else a 6x7x6
// colour cube; index 255 is transparent.
inline std::vector<uint8_t> Index(const Frame& f, std::vector<uint32_t>& palette) {
  std::map<uint32_t, int> colours;
  bool exact = true;
  for (uint32_t c : f.argb) {
    if ((c >> 24) < 128) continue;
    const uint32_t rgb = c & 0xFFFFFF;
    if (!colours.count(rgb)) {
      if (colours.size() == 255) {
        exact = false;
        break;
      }
      const int index = static_cast<int>(colours.size());
      colours[rgb] = index;
    }
  }
  palette.assign(256, 0);
  if (exact) {
    for (auto& [rgb, index] : colours) palette[index] = rgb;
  } else {
    for (int r = 0; r < 6; ++r)
      for (int g = 0; g < 7; ++g)
        for (int b = 0; b < 6; ++b)
          palette[(r * 7 + g) * 6 + b] = (static_cast<uint32_t>(r * 51) << 16) | (static_cast<uint32_t>(g * 85 / 2) << 8) |
                                         static_cast<uint32_t>(b * 51);
  }
  std::vector<uint8_t> out(f.argb.size());
  for (size_t i = 0; i < f.argb.size(); ++i) {
    const uint32_t c = f.argb[i];
    if ((c >> 24) < 128) {
      out[i] = 255;
    } else if (exact) {
      out[i] = static_cast<uint8_t>(colours[c & 0xFFFFFF]);
    } else {
      const int r = ((c >> 16) & 0xFF) * 5 / 255, g = ((c >> 8) & 0xFF) * 6 / 255, b = (c & 0xFF) * 5 / 255;
      out[i] = static_cast<uint8_t>((r * 7 + g) * 6 + b);
    }
  }
  return out;
}

// A whole GIF89a file; loopCount 0 repeats for ever.
inline std::vector<uint8_t> Encode(const std::vector<Frame>& frames, int loopCount = 0) {
  Writer w;
  int width = 1, height = 1;
  for (const Frame& f : frames) {
    width = std::max(width, f.width);
    height = std::max(height, f.height);
  }
  w.Text("GIF89a");
  w.U16(width);
  w.U16(height);
  w.U8(0);  // no global colour table
  w.U8(0);
  w.U8(0);
  if (frames.size() > 1) {
    w.U8(0x21);
    w.U8(0xFF);
    w.U8(11);
    w.Text("NETSCAPE2.0");
    w.U8(3);
    w.U8(1);
    w.U16(loopCount);
    w.U8(0);
  }
  for (const Frame& f : frames) {
    std::vector<uint32_t> palette;
    const std::vector<uint8_t> indexes = Index(f, palette);
    if (f.control) {
      w.U8(0x21);
      w.U8(0xF9);
      w.U8(4);
      w.U8((2 << 2) | 1);  // restore to background, index 255 transparent
      w.U16(f.delay);
      w.U8(255);
      w.U8(0);
    }
    w.U8(0x2C);
    w.U16(0);
    w.U16(0);
    w.U16(f.width);
    w.U16(f.height);
    w.U8(0x80 | 7);  // local colour table of 256 entries
    for (uint32_t rgb : palette) {
      w.U8((rgb >> 16) & 0xFF);
      w.U8((rgb >> 8) & 0xFF);
      w.U8(rgb & 0xFF);
    }
    Lzw(indexes, w);
  }
  w.U8(0x3B);
  return w.bytes;
}

// The GIF writer's encoder seam served by this writer: each canvas's pixels go in as
// they are.
class TestGifEncoder : public GifFrameEncoder {
public:
  int calls = 0;
  std::vector<Frame> received;  // the canvases of the last call
  bool Encode(const std::vector<Gdiplus::Bitmap*>& canvases, const std::vector<int>& delays, int loopCount,
              std::vector<uint8_t>& out) override {
    ++calls;
    std::vector<Frame> frames;
    for (size_t i = 0; i < canvases.size(); ++i) {
      Gdiplus::Bitmap* bmp = canvases[i];
      Frame f;
      f.width = static_cast<int>(bmp->GetWidth());
      f.height = static_cast<int>(bmp->GetHeight());
      f.delay = i < delays.size() ? delays[i] : 0;
      Gdiplus::BitmapData data{};
      Gdiplus::Rect all(0, 0, f.width, f.height);
      if (bmp->LockBits(&all, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB, &data) != Gdiplus::Ok) return false;
      f.argb.resize(static_cast<size_t>(f.width) * f.height);
      for (int y = 0; y < f.height; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(data.Scan0) + y * data.Stride);
        std::copy(row, row + f.width, f.argb.begin() + static_cast<size_t>(y) * f.width);
      }
      bmp->UnlockBits(&data);
      frames.push_back(std::move(f));
    }
    out = giftest::Encode(frames, loopCount);
    received = std::move(frames);
    return true;
  }
};

// An encoder that always fails, as GDI+ does where it cannot write animations.
class FailingGifEncoder : public GifFrameEncoder {
public:
  bool Encode(const std::vector<Gdiplus::Bitmap*>&, const std::vector<int>&, int, std::vector<uint8_t>& out) override {
    out.clear();
    return false;
  }
};

// What GDI+ reads back from a GIF file: each frame's pixels (32-bit ARGB, rows from the
// top) and the frame-delay property (1/100 s).
struct Decoded {
  bool ok = false;
  int width = 0;
  int height = 0;
  std::vector<std::vector<uint32_t>> frames;
  std::vector<long> delays;
  uint32_t Pixel(size_t frame, int x, int y) const { return frames[frame][static_cast<size_t>(y) * width + x]; }
};

inline Decoded Decode(const wchar_t* path) {
  Decoded d;
  Gdiplus::Bitmap gif(path);
  if (gif.GetLastStatus() != Gdiplus::Ok) return d;
  d.width = static_cast<int>(gif.GetWidth());
  d.height = static_cast<int>(gif.GetHeight());
  GUID time = Gdiplus::FrameDimensionTime;
  const UINT count = gif.GetFrameCount(&time);
  for (UINT i = 0; i < count; ++i) {
    gif.SelectActiveFrame(&time, i);
    Gdiplus::Bitmap copy(d.width, d.height, PixelFormat32bppARGB);
    {
      Gdiplus::Graphics g(&copy);
      g.Clear(Gdiplus::Color(0, 0, 0, 0));
      g.DrawImage(&gif, 0, 0, d.width, d.height);
    }
    Gdiplus::BitmapData data{};
    Gdiplus::Rect all(0, 0, d.width, d.height);
    copy.LockBits(&all, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB, &data);
    std::vector<uint32_t> pixels(static_cast<size_t>(d.width) * d.height);
    for (int y = 0; y < d.height; ++y) {
      const auto* row = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(data.Scan0) + y * data.Stride);
      std::copy(row, row + d.width, pixels.begin() + static_cast<size_t>(y) * d.width);
    }
    copy.UnlockBits(&data);
    d.frames.push_back(std::move(pixels));
  }
  const UINT size = gif.GetPropertyItemSize(PropertyTagFrameDelay);
  if (size > 0) {
    std::vector<BYTE> buffer(size);
    auto* item = reinterpret_cast<Gdiplus::PropertyItem*>(buffer.data());
    if (gif.GetPropertyItem(PropertyTagFrameDelay, size, item) == Gdiplus::Ok) {
      const auto* values = static_cast<const long*>(item->value);
      d.delays.assign(values, values + item->length / 4);
    }
  }
  d.ok = !d.frames.empty();
  return d;
}

}  // namespace giftest
