// Visualizer: the 22 colour layers. Most move with the hue angle m_hue; the ring layer
// follows the display levels. Geometry that does not change between frames (angles and
// distances from the wheel and ring centres) is computed once.
#include "audio/Visualizer.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "audio/HsvColor.h"

namespace {
constexpr int W = Visualizer::kWidth;
constexpr int H = Visualizer::kHeight;

// Whole degrees 0..359 of each pixel around (128, centreRow), as the hue wheels use them.
struct WheelAngles {
  int degrees[H][W];
  explicit WheelAngles(int centreRow) {
    for (int y = 0; y < H; ++y)
      for (int x = 0; x < W; ++x)
        degrees[y][x] = static_cast<int>(std::atan2(static_cast<double>(y - centreRow),
                                                    static_cast<double>(x - 128)) *
                                             57.295827908797776 +
                                         180.0) %
                        360;
  }
};

const WheelAngles& AnglesAround(int centreRow) {
  static const WheelAngles middle(32), bottom(64);
  return centreRow == 64 ? bottom : middle;
}

// Ring geometry around (128, 32): the relative distance for each |dy|, |dx| and the
// angle of each pixel in degrees.
constexpr int kMaxDy = 32, kMaxDx = 128;
struct RingGeometry {
  float radius[kMaxDy + 1][kMaxDx + 1];
  float degrees[H][W];
  RingGeometry() {
    const float rMax = std::sqrt(17408.0f);
    for (int dy = 0; dy <= kMaxDy; ++dy)
      for (int dx = 0; dx <= kMaxDx; ++dx)
        radius[dy][dx] = std::sqrt(static_cast<float>(dx * dx + dy * dy)) / rMax;
    for (int y = 0; y < H; ++y)
      for (int x = 0; x < W; ++x) {
        float angle = std::atan2(static_cast<float>(y - 32), static_cast<float>(x - 128));
        if (angle < 0.0f) angle += 6.28318f;
        degrees[y][x] = angle / 6.28318f * 360.0f;
      }
  }
};

const RingGeometry& Rings() {
  static const RingGeometry geometry;
  return geometry;
}

float Mean(const float* values, int from, int to) {  // inclusive
  float sum = 0.0f;
  for (int i = from; i <= to; ++i) sum += values[i];
  return sum / static_cast<float>(to - from + 1);
}

void FillColumn(COLORREF* layer, int x, COLORREF colour) {
  for (int y = 0; y < H; ++y) layer[y * W + x] = colour;
}

COLORREF SineRainbow(float position, float hue, int B) {
  const int d = static_cast<int>(position - hue) % 360;
  const float a = static_cast<float>(d) / 360.0f * 2.0f * 3.14f;
  const int blue = static_cast<int>((std::sin(a + 2.0933335f) + 1.0f) * 127.0f) * B / 256;
  const int green = static_cast<int>((std::sin(a - 2.0933335f) + 1.0f) * 127.0f) * B / 256;
  const int red = static_cast<int>((std::sin(a) + 1.0f) * 127.0f) * B / 256;
  return RGB(red, green, blue);
}

HsvColor Hsv(int hue, int saturation, int value) {
  return HsvColor{hue, static_cast<BYTE>(saturation), static_cast<BYTE>(value)};
}
}  // namespace

int Visualizer::BrightnessScale(int brightness) {
  // trunc(b x 2.55) in whole numbers: for every b in 0..100 this is what the single-precision
  // product gives when rounded to a float, while a unit that keeps more precision (x87)
  // would see 254.99... at 100 and give 254.
  return std::clamp(brightness, 0, 100) * 255 / 100;
}

COLORREF Visualizer::ScaleColour(COLORREF colour, int B) {
  return RGB(GetRValue(colour) * B / 256, GetGValue(colour) * B / 256, GetBValue(colour) * B / 256);
}

void Visualizer::FillLayer(int mode, int brightness, COLORREF* layer) {
  static const COLORREF kSolids[] = {0x000000, 0, 0, 0, 0, 0, 0xFFFFFF, 0x0000FF,
                                     0x0040FF, 0x00FFFF, 0x00FF00, 0xFF0000, 0xFFFF00, 0xFF0040};
  static const COLORREF kGreenYellowRed[] = {0x00FF00, 0x00FFFF, 0x0000FF};
  static const COLORREF kRainbowUp[] = {0x0000FF, 0x00FFFF, 0x00FF00, 0xFFFF00, 0xFF0000, 0xFF00FF};
  static const COLORREF kRainbowDown[] = {0xFF00FF, 0xFF0000, 0xFFFF00, 0x00FF00, 0x00FFFF, 0x0000FF};
  static const COLORREF kGreenWhiteRed[] = {0x00FF00, 0xFFFFFF, 0x0000FF};
  static const COLORREF kBlueCyanWhite[] = {0xFF0000, 0xFFFF00, 0xFFFFFF};
  static const COLORREF kRedWhiteBlue[] = {0x0000FF, 0xFFFFFF, 0xFF0000};

  const int B = BrightnessScale(brightness);
  switch (mode) {
    case 0: case 6: case 7: case 8: case 9: case 10: case 11: case 12: case 13:
      FillSolid(ScaleColour(kSolids[mode], B), layer);
      break;
    case 1: FillGradient(kGreenYellowRed, 3, B, layer); break;
    case 2: FillGradient(kRainbowUp, 6, B, layer); break;
    case 3: FillGradient(kRainbowDown, 6, B, layer); break;
    case 4: FillHueWheel(32, B, layer); break;
    case 5: FillSolid(Hsv(static_cast<int>(m_hue), 255, B).ToColor(), layer); break;
    case 14: FillGradient(kGreenWhiteRed, 3, B, layer); break;
    case 15: FillGradient(kBlueCyanWhite, 3, B, layer); break;
    case 16: FillGradient(kRedWhiteBlue, 3, B, layer); break;
    case 17: FillSineRainbow(B, layer); break;
    case 18: FillHueSweep(B, layer); break;
    case 19: FillHueWheel(64, B, layer); break;
    case 20: FillSineColour(B, layer); break;
    case 21: FillSpectrumRings(B, layer); break;
    default: break;  // unknown modes (22 is the music page's overlay) leave the layer
  }
}

void Visualizer::FillSolid(COLORREF colour, COLORREF* layer) { std::fill(layer, layer + kPixels, colour); }

void Visualizer::FillGradient(const COLORREF* colours, int count, int B, COLORREF* layer) {
  COLORREF scaled[8];
  for (int i = 0; i < count; ++i) scaled[i] = ScaleColour(colours[i], B);
  const float n = static_cast<float>(count);
  // Rows 1..63: the first colour at the bottom, the last toward the top.
  for (int row = 1; row < H; ++row) {
    const int index = std::clamp(static_cast<int>(n - n * static_cast<float>(row) / 63.0f), 0, count - 1);
    std::fill(layer + row * W, layer + (row + 1) * W, scaled[index]);
  }
  // Row 0: the first colour in the centre, the last at both ends.
  for (int x = 0; x < W; ++x) {
    const float index = x < 128 ? n - (n / 128.0f) * static_cast<float>(x)
                                : static_cast<float>(x - 128) * n / 128.0f;
    layer[x] = scaled[std::clamp(static_cast<int>(index), 0, count - 1)];
  }
}

void Visualizer::FillSineRainbow(int B, COLORREF* layer) const {
  for (int x = 0; x < W; ++x) FillColumn(layer, x, SineRainbow(static_cast<float>(x) * 1.4117647f, m_hue, B));
}

void Visualizer::FillSineColour(int B, COLORREF* layer) const {
  FillSolid(SineRainbow(1.4117647f, m_hue, B), layer);
}

void Visualizer::FillHueSweep(int B, COLORREF* layer) const {
  for (int x = 0; x < W; ++x) {
    const int hue = static_cast<int>(static_cast<float>(256 - x) + m_hue) % 360;
    FillColumn(layer, x, Hsv(hue, 255, B).ToColor());
  }
}

void Visualizer::FillHueWheel(int centreRow, int B, COLORREF* layer) const {
  const WheelAngles& angles = AnglesAround(centreRow);
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x) {
      const int hue = static_cast<int>(static_cast<float>(angles.degrees[y][x]) + m_hue);
      layer[y * W + x] = Hsv(hue, 255, B).ToColor();
    }
}

void Visualizer::FillSpectrumRings(int B, COLORREF* layer) {
  const float* S = s_displayLevels;
  const float low = Mean(S, 0, 31), mid = Mean(S, 32, 95), high = Mean(S, 96, 127);
  const float avg = (low + mid + high) / 3.0f;
  if (!(avg > 0.01f)) {
    FillSolid(0x000000, layer);
    return;
  }
  s_ringRotation += 0.05f;
  if (s_ringRotation >= 360.0f) s_ringRotation = 0.0f;
  const float R = s_ringRotation;

  const float exponent = 2.0f * avg + 1.0f;
  const float fall = 1.0f - 0.6f * avg;
  const int saturation = static_cast<int>(std::min(1.0f, 0.3f * avg + 0.7f) * 255.0f);
  const float scale = static_cast<float>(B) / 255.0f;
  constexpr float k = 3.14159f / 180.0f;

  // The brightness depends only on the distance from the centre: one value per |dy|, |dx|.
  const RingGeometry& rings = Rings();
  int value[kMaxDy + 1][kMaxDx + 1];
  for (int dy = 0; dy <= kMaxDy; ++dy)
    for (int dx = 0; dx <= kMaxDx; ++dx) {
      const float r = rings.radius[dy][dx];
      const float w = (std::sin((240.0f * r + 4.0f * R) * k) + 1.0f) * 0.5f * 6.0f * mid * 0.8f +
                      (std::sin((120.0f * r + 2.0f * R) * k) + 1.0f) * 0.5f * 4.0f * low +
                      (std::sin((480.0f * r + 8.0f * R) * k) + 1.0f) * 0.5f * 8.0f * high * 0.6f;
      float intensity = w * std::pow(1.0f - r, exponent) * std::max(0.0f, 1.0f - fall * r);
      intensity = std::clamp(intensity, 0.0f, 1.0f);
      value[dy][dx] = static_cast<int>(intensity * scale * 255.0f);
    }

  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x) {
      float hue = rings.degrees[y][x] + R;
      if (low > 0.05f) hue += 60.0f * low;
      if (mid > 0.05f) hue += 180.0f * mid;
      if (high > 0.05f) hue += 300.0f * high;
      while (hue >= 360.0f) hue -= 360.0f;
      while (hue < 0.0f) hue += 360.0f;
      layer[y * W + x] = Hsv(static_cast<int>(hue), saturation, value[std::abs(y - 32)][std::abs(x - 128)]).ToColor();
    }

  // The centre shows which range dominates.
  float centre = low > mid && low > high ? 0.0f : mid > high ? 120.0f : 240.0f;
  centre += R;
  while (centre >= 360.0f) centre -= 360.0f;
  layer[32 * W + 128] = Hsv(static_cast<int>(centre), 255, B).ToColor();
}
