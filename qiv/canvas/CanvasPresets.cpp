#include "canvas/CanvasPresets.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstring>
#include <cwctype>
#include <random>
#include "canvas/ColorMath.h"

namespace CanvasPresets {
using ColorMath::HslToColor;
using ColorMath::Scale;

namespace {
constexpr float kTurn = 6.28f;

struct GameKey {
  const char* name;
  COLORREF color;
};
const GameKey kGameKeys[] = {
    {"W", 0xFF6400},     {"A", 0xFF9600},     {"S", 0xC86400},      {"D", 0xFF9600},     {"1", 0x3232FF},
    {"2", 0x3264FF},     {"3", 0x0096FF},     {"4", 0x00C8FF},      {"5", 0x00FFFF},     {"R", 0x64FF00},
    {"F", 0x32FF32},     {"G", 0x00FF64},     {"B", 0x64C800},      {"SHIFT", 0xFF0096}, {"CTRL", 0xFF32C8},
    {"SPACE", 0xC800FF}, {"TAB", 0xC80064},   {"T", 0xFFFF00},      {"Y", 0xFFC832},     {"U", 0xC89600},
    {"MOUSE1", 0xFFFFFF}, {"MOUSE2", 0xC8C8C8},
};

const DWORD kHeartKeys[] = {37, 38, 45, 46, 24, 12, 18, 19, 47, 48, 14, 15, 51, 54, 55, 230};
const DWORD kArrowPath[] = {57, 4, 22, 7, 9, 10, 11, 13, 14, 15, 51, 52, 40};
const DWORD kClockKeys[] = {30, 31, 32, 33, 34, 35, 36, 37, 38, 39, 45, 46};

bool IsHeartKey(DWORD code) { return std::find(std::begin(kHeartKeys), std::end(kHeartKeys), code) != std::end(kHeartKeys); }

// Advances a phase by step; at `wrap` or more it returns to 0 and true is answered.
bool Advance(float& phase, float step, float wrap) {
  phase += step;
  if (phase < wrap) return false;
  phase = 0;
  return true;
}

void FillAll(const std::vector<KEYITEM_INFO*>& keys, COLORREF c) {
  for (KEYITEM_INFO* key : keys) key->color = c;
}

DWORD DigitCode(int digit) { return digit == 0 ? 39 : DWORD(29 + digit); }

// The process-wide shooting-star timer of the Starry preset.
std::atomic<float> s_shootingTimer{0.0f};

void Countdown(PresetState& s, const std::vector<KEYITEM_INFO*>& keys) {
  if (Advance(s.phase, 0.1f, kTurn) && s.countdown > 0) --s.countdown;
  if (s.countdown < 0 || s.countdown > 9) return FillAll(keys, 0x1E1E1E);
  const DWORD code = DigitCode(s.countdown);
  const COLORREF lit = RGB(255, int((std::sin(s.phase) * 0.5f + 0.5f) * 100), 0);
  for (KEYITEM_INFO* key : keys) key->color = key->keyCode == code ? lit : 0x1E1E1E;
}

void Clock(PresetState& s, const std::vector<KEYITEM_INFO*>& keys) {
  Advance(s.phase, 0.05f, kTurn);
  const int second = int(s.phase * 60 / kTurn) / 5;
  for (KEYITEM_INFO* key : keys) {
    const auto* found = std::find(std::begin(kClockKeys), std::end(kClockKeys), key->keyCode);
    if (found == std::end(kClockKeys)) {
      key->color = 0x141414;
      continue;
    }
    const int position = int(found - std::begin(kClockKeys));
    if (position == s.hour % 12) key->color = 0x6464FF;
    else if (position == s.minute / 5) key->color = 0x64FF64;
    else if (position == second) key->color = 0xFF6464;
    else key->color = 0x323232;
  }
}

void Heartbeat(PresetState& s, const std::vector<KEYITEM_INFO*>& keys) {
  Advance(s.phase2, 0.08f, kTurn);
  const float p = s.phase2;
  float e = 0.4f * std::max(0.0f, std::sin(3 * p + 1)) + 0.8f * std::max(0.0f, std::sin(1.5f * p));
  e = std::clamp(e, 0.2f, 1.0f);
  for (KEYITEM_INFO* key : keys) {
    if (!IsHeartKey(key->keyCode)) {
      key->color = 0x0F0F0F;
      continue;
    }
    float g = e;
    switch (key->keyCode) {
      case 15: case 51: case 54: case 55: g = std::min(1.0f, 1.3f * e); break;
      case 37: case 38: case 45: case 46: g = 0.7f * e; break;
      case 230: g = std::min(1.0f, 1.5f * e); break;
      default: break;
    }
    key->color = RGB(int(g * 255), int(g * 20), int(g * 20));
  }
}

void HeartPierce(PresetState& s, const std::vector<KEYITEM_INFO*>& keys) {
  Advance(s.phase, 0.05f, 20.0f);
  const float p = s.phase;
  FillAll(keys, 0);
  for (KEYITEM_INFO* key : keys) {
    if (!IsHeartKey(key->keyCode)) continue;
    if (p < 6) {
      const float c = std::sin(2 * p) * 0.5f + 0.5f;
      key->color = RGB(int(c * 255), int(c * 50), int(c * 50));
    } else if (p < 12) {
      key->color = 0x000064;
    } else {
      key->color = RGB(int(std::max(0.0f, 1 - (p - 12) * 0.125f) * 255), 0, 0);
    }
  }
  if (p < 6 || p >= 12) return;
  const int n = int((p - 6) / 6 * 13);
  for (int j = 0; j <= n && j < 13; ++j) {
    const COLORREF c = j == n ? 0xFFFFFF : j == n - 1 ? 0x00FFFF : j == n - 2 ? 0x00C8FF : 0x0096C8;
    for (KEYITEM_INFO* key : keys)
      if (key->keyCode == kArrowPath[j]) key->color = c;
  }
}

void Fire(PresetState& s, const std::vector<KEYITEM_INFO*>& keys, int rows, std::mt19937& rng, bool blue) {
  static const COLORREF kRed[6] = {0x0000FF, 0x0033FF, 0x0066FF, 0x0099FF, 0x00CCFF, 0x00FFFF};
  static const COLORREF kBlue[6] = {0x660000, 0xCC3300, 0xFF6600, 0xFF9933, 0xFFCC66, 0xFFDD99};
  Advance(s.phase, 0.1f, kTurn);
  std::uniform_real_distribution<float> uniform(0.0f, 1.0f);
  for (KEYITEM_INFO* key : keys) {
    const float y = float(key->row) / float(std::max(1, rows - 1));
    const float r = 0.3f * uniform(rng);
    float l = std::sin(2 * y + (blue ? 1.2f : 1.0f) * s.phase) * 0.15f + r + y;
    l = std::clamp(l, 0.0f, 1.0f);
    if (y > 0.7f) l = std::max(l, r + 0.6f);
    if (y < 0.3f) l *= y + 0.2f;
    const int index = std::clamp(int(5 * l), 0, 5);
    key->color = blue ? kBlue[index] : kRed[index];
  }
}

void Ripple(PresetState& s, const std::vector<KEYITEM_INFO*>& keys) {
  Advance(s.phase, 0.1f, 15.0f);
  for (size_t i = 0; i < keys.size(); ++i) {
    KEYITEM_INFO* key = keys[i];
    const float dx = float(key->column - 8), dy = float(key->row - 4);
    const float e = std::fabs(std::sqrt(dx * dx + dy * dy) - 0.8f * s.phase);
    if (e < 1.5f) {
      const COLORREF c = HslToColor(std::fmod(25.0f * float(key->column) + 50 * s.phase, 360.0f), 100, 50);
      key->color = Scale(c, 1 - e / 1.5f);
    } else if (i == 72 && s.phase < 2) {
      const int rg = int((1 - 0.5f * s.phase) * 255);
      key->color = RGB(rg, rg, 255);
    } else {
      key->color = 0;
    }
  }
}

void Starry(PresetState& s, const std::vector<KEYITEM_INFO*>& keys, int rows, int columns, std::mt19937& rng) {
  static const COLORREF kBackground[4] = {0x0F0505, 0x14050A, 0x190808, 0x050A0F};
  static const COLORREF kStars[18] = {0xFFFFFF, 0xDCF8FF, 0xB4E5FF, 0x69C4FF, 0x508FFF, 0x4A6DFF,
                                      0xFFD8AD, 0xFFCE87, 0xFFC4B0, 0xC1B6FF, 0xDDA0DD, 0xEEEEAF,
                                      0xD30093, 0x9314FF, 0x7FFF00, 0x00D7FF, 0xE22B8A, 0x0045FF};
  std::uniform_real_distribution<float> uniform(0.0f, 1.0f);
  if (Advance(s.phase, 0.08f, 30.0f) && s.stars.size() > 15) s.stars.erase(s.stars.begin(), s.stars.begin() + 5);
  const int count = int(keys.size());
  // Stars placed on a larger layout than the current one are dropped.
  std::erase_if(s.stars, [count](const StarRecord& star) { return star.keyIndex < 0 || star.keyIndex >= count; });

  for (KEYITEM_INFO* key : keys) {
    key->color = uniform(rng) < 0.15f ? kBackground[std::uniform_int_distribution<int>(0, 3)(rng)] : 0;
  }
  const size_t wanted = size_t(std::min(int(0.25f * float(count)), 30));
  while (s.stars.size() < wanted && uniform(rng) < 0.6f) {
    std::vector<int> free;
    for (int i = 0; i < count; ++i) {
      if (std::none_of(s.stars.begin(), s.stars.end(), [i](const StarRecord& st) { return st.keyIndex == i; }))
        free.push_back(i);
    }
    if (free.empty()) break;
    StarRecord star;
    star.keyIndex = free[std::uniform_int_distribution<size_t>(0, free.size() - 1)(rng)];
    star.color = kStars[std::uniform_int_distribution<int>(0, 17)(rng)];
    star.birth = s.phase;
    const float u = uniform(rng);
    if (u < 0.3f) {
      star.lifetime = 1 + 2 * uniform(rng);
      star.brightness = 0.9f + 0.1f * uniform(rng);
    } else if (u < 0.7f) {
      star.lifetime = 5 + 10 * uniform(rng);
      star.brightness = 0.6f + 0.3f * uniform(rng);
    } else {
      star.lifetime = 8 + 15 * uniform(rng);
      star.brightness = 0.3f + 0.4f * uniform(rng);
    }
    s.stars.push_back(star);
  }
  for (auto it = s.stars.begin(); it != s.stars.end();) {
    const float age = s.phase - it->birth;
    if (age > it->lifetime) {
      it = s.stars.erase(it);
      continue;
    }
    const float t = age / it->lifetime;
    const float m = float(ColorMath::Red(it->color) + ColorMath::Green(it->color) + ColorMath::Blue(it->color)) / 765;
    float twinkle;
    if (m > 0.8f) twinkle = std::sin(3 * 6.28f * t) * 0.2f + 0.8f;
    else if (m > 0.5f) twinkle = std::sin(6.28f * t) * 0.3f + 0.7f;
    else twinkle = std::sin(0.5f * 6.28f * t) * 0.1f + 0.9f;
    const float intensity = twinkle * std::sin(3.14159f * t) * it->brightness * (0.85f + 0.15f * uniform(rng));
    if (intensity > 0.05f) keys[size_t(it->keyIndex)]->color = Scale(it->color, intensity);
    ++it;
  }

  float timer = s_shootingTimer.load() + 0.08f;
  s_shootingTimer.store(timer);
  if (timer <= 8 || uniform(rng) >= 0.1f) return;
  s_shootingTimer.store(0);
  const bool fromRight = uniform(rng) < 0.5f;
  const int startRow = int(float(rows) * uniform(rng));
  const COLORREF colour = uniform(rng) < 0.3f ? 0xFFD8AD : 0xFFFFFF;
  for (int n = 0; n < 5; ++n) {
    const int column = fromRight ? columns - 1 - n : n;
    const int drift = (n / 2) * (uniform(rng) < 0.5f ? -1 : 1);
    const int row = startRow + drift;
    if (row < 0 || row >= rows || column < 0 || column >= columns) continue;
    for (KEYITEM_INFO* key : keys)
      if (key->column == column && key->row == row) key->color = Scale(colour, 1.0f - 0.2f * float(n));
  }
}

void TextFlow(PresetState& s, const std::vector<KEYITEM_INFO*>& keys) {
  const int length = s.flowText.GetLength();
  if (Advance(s.phase, 0.2f, 1.0f)) s.flowPosition = length > 0 ? (s.flowPosition + 1) % length : 0;
  if (s.flowPosition >= length) s.flowPosition = 0;
  const DWORD current = length > 0 ? TextFlowKeyCode(s.flowText[s.flowPosition]) : 0;
  const DWORD previous = s.flowPosition > 0 ? TextFlowKeyCode(s.flowText[s.flowPosition - 1]) : 0;
  for (KEYITEM_INFO* key : keys) {
    if (current && key->keyCode == current) key->color = 0xFFC864;
    else if (previous && key->keyCode == previous) key->color = 0x966432;
    else key->color = 0x141414;
  }
}

void AudioSpectrum(PresetState& s, const std::vector<KEYITEM_INFO*>& keys, int rows, std::mt19937& rng) {
  static const COLORREF kPalette[10] = {0x440000, 0xFF6600, 0xFFFF00, 0x66FF00, 0x00FF66,
                                        0x00FFFF, 0x0066FF, 0x0000FF, 0x6600FF, 0xFFFFFF};
  Advance(s.phase, 0.1f, 62.8f);
  const float p = s.phase;
  std::uniform_real_distribution<float> jitter(-0.05f, 0.05f);
  for (KEYITEM_INFO* key : keys) {
    const float c = float(key->column);
    const float slow = std::sin(0.8f * p);
    float level = (0.4f * std::sin(0.3f * c + 1.5f * p) + 0.3f * std::sin(0.2f * c + p) +
                   0.3f * std::sin(0.5f * c + 2.2f * p) + 0.4f * slow * slow + 1) * 0.5f;
    level = std::clamp(level + jitter(rng), 0.0f, 1.0f);
    const int u = rows - key->row - 1;
    if (float(rows) * level > float(u)) {
      const int index = std::clamp(int(float(u) / float(std::max(1, rows - 1)) * 9), 0, 9);
      key->color = Scale(kPalette[index], level * 0.3f + 0.7f);
    } else {
      key->color = 0x111111;
    }
  }
}
}  // namespace

DWORD TextFlowKeyCode(wchar_t ch) {
  ch = wchar_t(std::towupper(ch));
  if (ch >= L'A' && ch <= L'Z') return DWORD(4 + (ch - L'A'));
  if (ch >= L'1' && ch <= L'9') return DWORD(30 + (ch - L'1'));
  switch (ch) {
    case L'0': return 39;
    case L' ': return 44;
    case L'-': return 45;
    case L'=': return 46;
    case L'[': return 47;
    case L']': return 48;
    case L';': return 51;
    case L'\'': return 52;
    case L',': return 54;
    case L'.': return 55;
    default: return 0;
  }
}

COLORREF GameKeyColour(const CString& name, float f) {
  char ansi[64] = {};
  if (!name.IsEmpty()) ::WideCharToMultiByte(CP_ACP, 0, name.GetString(), -1, ansi, sizeof(ansi) - 1, nullptr, nullptr);
  for (const GameKey& key : kGameKeys) {
    if (ansi[0] && _stricmp(ansi, key.name) == 0) return Scale(key.color, f);
  }
  return 0x1E1E1E;
}

void GameStep(float& phase, const std::vector<KEYITEM_INFO*>& keys) {
  Advance(phase, 0.1f, kTurn);
  const float f = std::sin(phase) * 0.35f + 0.65f;
  for (KEYITEM_INFO* key : keys) key->color = GameKeyColour(key->name, f);
}

void PresetStep(PresetState& s, const std::vector<KEYITEM_INFO*>& keys, int rows, int columns, unsigned seed) {
  std::mt19937 rng(seed);
  switch (s.preset) {
    case PRESET_COUNTDOWN: Countdown(s, keys); break;
    case PRESET_CLOCK: Clock(s, keys); break;
    case PRESET_HEARTBEAT: Heartbeat(s, keys); break;
    case PRESET_HEART_PIERCE: HeartPierce(s, keys); break;
    case PRESET_BREATHING: {
      Advance(s.phase, 0.05f, kTurn);
      const COLORREF c = Scale(HslToColor(std::fmod(s.phase * 57.3f, 360.0f), 100, 50), (std::sin(s.phase) + 1) * 0.5f);
      FillAll(keys, c);
      break;
    }
    case PRESET_LIGHTNING: {
      Advance(s.phase, 0.1f, 8.0f);
      COLORREF c = 0;
      if (s.phase > 1 && s.phase < 4) {
        const float f = std::fmod(s.phase - 1, 1.0f);
        c = f < 0.1f ? 0xFFFFFF : f < 0.2f ? 0xFFDCC8 : 0;
      }
      FillAll(keys, c);
      break;
    }
    case PRESET_RAINBOW_WAVE:
      Advance(s.phase, 0.1f, kTurn);
      for (KEYITEM_INFO* key : keys)
        key->color = HslToColor(
            (std::sin(float(key->column) * 0.3f + s.phase + float(key->row) * 0.5f) + 1) * 180, 100, 50);
      break;
    case PRESET_FIRE: Fire(s, keys, rows, rng, false); break;
    case PRESET_BLUE_FIRE: Fire(s, keys, rows, rng, true); break;
    case PRESET_SOS: {
      Advance(s.phase, 0.1f, 50.0f);
      const float p = s.phase;
      const bool on = p < 3 || (p >= 6 && p < 9) || (p >= 12 && p < 15) || (p >= 24 && p < 33) || (p >= 36 && p < 45);
      FillAll(keys, on ? 0x0000FF : 0);
      break;
    }
    case PRESET_RIPPLE: Ripple(s, keys); break;
    case PRESET_STARRY: Starry(s, keys, rows, columns, rng); break;
    case PRESET_TEXT_FLOW: TextFlow(s, keys); break;
    case PRESET_AUDIO_SPECTRUM: AudioSpectrum(s, keys, rows, rng); break;
    default: {
      Advance(s.phase, 0.1f, kTurn);
      const float c = std::sin(s.phase) * 0.5f + 0.5f;
      FillAll(keys, RGB(int(100 * c), int(150 * c), int(255 * c)));
      break;
    }
  }
}
}  // namespace CanvasPresets
