// The canvas's audio inputs, music settings, colour functions, strip colours and the
// walk over the music light layers.
#include "canvas/ZephraEffect.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include "canvas/ColorMath.h"
#include "canvas/StripColors.h"

void ZephraEffect::Initialize() {
  m_audio.currentVolume = m_audio.peakVolume = m_audio.averageVolume = m_audio.level = 0.0f;
  m_musicAmplitude = 0;
  std::fill(std::begin(m_volumeHistory), std::end(m_volumeHistory), 0.0f);
  m_historyNext = 0;
  m_audio.triggered = false;
  m_triggerCount = 0;
  m_audio.threshold = 0.1f;
}

void ZephraEffect::SetExternalAudioData(float volume, float peak, float average, int amplitude, float level) {
  m_audio.currentVolume = std::clamp(volume, 0.0f, 1.0f);
  m_audio.peakVolume = std::clamp(peak, 0.0f, 1.0f);
  m_audio.averageVolume = std::clamp(average, 0.0f, 1.0f);
  m_musicAmplitude = std::clamp(amplitude, 0, 100);
  m_audio.level = std::max(level, 0.0f);
  m_volumeHistory[m_historyNext] = m_audio.currentVolume;
  m_historyNext = (m_historyNext + 1) % VOLUME_HISTORY;
  const bool above = m_audio.currentVolume > m_audio.threshold;
  if (above && !m_audio.triggered) ++m_triggerCount;  // one count per rise above the threshold
  m_audio.triggered = above;
}

void ZephraEffect::SetCurrentVolume(float volume) { m_audio.currentVolume = std::clamp(volume, 0.0f, 1.0f); }
void ZephraEffect::SetExternalVolumeData(float volume) { SetCurrentVolume(volume); }

void ZephraEffect::SetFFTSpectrum(const float spectrum32[], const float spectrum64[]) {
  float sum = 0.0f;
  if (spectrum32) {
    std::memcpy(m_audio.spectrum32, spectrum32, sizeof(m_audio.spectrum32));
    for (float v : m_audio.spectrum32) sum += v;
  }
  if (spectrum64) std::memcpy(m_audio.spectrum64, spectrum64, sizeof(m_audio.spectrum64));
  m_audio.hasFFT = spectrum32 && sum > 0.0001f;
}

void ZephraEffect::SetBeatData(bool beat, float strength, float, float bass, float mid, float high) {
  m_audio.beat = beat;
  m_audio.beatStrength = std::clamp(strength, 0.0f, 1.0f);
  m_audio.bass = std::clamp(bass, 0.0f, 1.0f);
  m_audio.mid = std::clamp(mid, 0.0f, 1.0f);
  m_audio.high = std::clamp(high, 0.0f, 1.0f);
  m_audio.beatBoost = beat ? strength : m_audio.beatBoost * 0.85f;
}

void ZephraEffect::SetVolumeThreshold(float threshold) { m_audio.threshold = std::clamp(threshold, 0.0f, 1.0f); }

float ZephraEffect::GetVolumeHistory(int index) const {
  return index >= 0 && index < VOLUME_HISTORY ? m_volumeHistory[index] : 0.0f;
}

float ZephraEffect::GetFFTSpectrum32(int index) const {
  return index >= 0 && index < SPECTRUM_SIZE ? m_audio.spectrum32[index] : 0.0f;
}

float ZephraEffect::GetFFTSpectrum64(int index) const {
  return index >= 0 && index < 64 ? m_audio.spectrum64[index] : 0.0f;
}

void ZephraEffect::SetMusicMode(int mode) {
  m_musicMode = mode;
  Repaint();
}

void ZephraEffect::SetMusicColorful(bool colourful) {
  m_musicColorful = colourful ? 1 : 0;
  bool changed = false;
  {
    CriticalSectionLock lock(m_layerLock);
    if (m_selectedLayer >= 0 && m_selectedLayer < int(m_layers.size())) {
      m_layers[size_t(m_selectedLayer)]->colourful = m_musicColorful;
      changed = true;
    }
  }
  if (changed) Repaint();
}

void ZephraEffect::SetMusicColor(COLORREF colour) {
  m_musicColor = colour;
  bool changed = false;
  {
    CriticalSectionLock lock(m_layerLock);
    if (m_selectedLayer >= 0 && m_selectedLayer < int(m_layers.size())) {
      m_layers[size_t(m_selectedLayer)]->color = colour;
      m_layers[size_t(m_selectedLayer)]->colourful = 0;
      changed = true;
    }
  }
  if (changed) Repaint();
}

// ---- colour functions ----

float ZephraEffect::GetRainbowTime(float speed) const { return StripColors::HueClock(m_sources.tickMs(), speed); }

COLORREF ZephraEffect::ApplyBeatBoost(COLORREF colour, float factor) const {
  return StripColors::BeatBoost(m_audio, colour, factor);
}

COLORREF ZephraEffect::HSVtoRGB(float hue, float saturation, float value) {
  return ColorMath::HsvToColor(hue, saturation, value);
}

COLORREF ZephraEffect::GetRainbowColorFromHue(float hue) { return HSVtoRGB(hue, 1, 1); }

COLORREF ZephraEffect::GetFlowingRainbowColor(float position, float, float scale) {
  return HSVtoRGB(std::fmod(position * scale, 360.0f), 1, 1);
}

COLORREF ZephraEffect::GetMusicResponsiveColor(float bass, float mid, float high) {
  const float t = bass + mid + high;
  if (t < 0.01f) return 0;
  return HSVtoRGB((mid * 120 + high * 240) / t, std::min(1.0f, std::max(0.0f, t * 0.3f + 0.7f)), 1);
}

// ---- strips ----

void ZephraEffect::GetSideLightsColors(COLORREF* out, int count, bool rainbow, COLORREF colour) {
  StripColors::SideLights(m_audio, m_musicScale, m_sources.tickMs(), out, count, rainbow, colour);
}

void ZephraEffect::GetTopLightsColors(COLORREF* out, int count, bool rainbow, COLORREF colour) {
  StripColors::TopLights(m_audio, m_musicScale, m_sources.tickMs(), out, count, rainbow, colour);
}

void ZephraEffect::GetMatrixLightsColors(COLORREF* out, int rows, int columns, bool rainbow, COLORREF colour) {
  StripColors::MatrixLights(m_audio, m_musicScale, m_sources.tickMs(), out, rows, columns, rainbow, colour);
}

// ---- layers ----

void ZephraEffect::DrawMusicEffect(PictureTarget& g) {
  CriticalSectionLock lock(m_layerLock);
  const size_t count = m_layers.size();
  for (size_t i = 0; i < count; ++i) {
    const LAYERITEM_INFO* layer = m_layers[i].get();
    if (!layer || layer->rect.Width() <= 0 || layer->rect.Height() <= 0) continue;
    const CRect r = LayerDisplayRect(*layer);
    const bool colourful = layer->colourful == 1;
    const COLORREF c = layer->color;
    switch (layer->type) {
      case LAYER_LED_SPECTRUM_BARS: DrawLEDSpectrumBars(g, r, colourful, c); break;
      case LAYER_MIRROR_RHYTHM: DrawMirrorRhythm(g, r, colourful, c); break;
      case LAYER_CLASSIC_SPECTRUM: DrawClassicSpectrum(g, r, colourful, c); break;
      case LAYER_RADIAL_PULSE: DrawRadialPulse(g, r, colourful, c); break;
      case LAYER_HORIZONTAL_BARS: DrawHorizontalBars(g, r, colourful, c); break;
      case LAYER_LEFT_TO_RIGHT: DrawLeftToRight(g, r, colourful, c); break;
      case LAYER_CENTER_MIRROR: DrawCenterMirror(g, r, colourful, c); break;
      case LAYER_ENERGY_RIPPLES: DrawEnergyRipples(g, r, colourful, c); break;
      case LAYER_HEART_BEAT: DrawHeartBeat(g, r, colourful, c); break;
      case LAYER_LINEAR_WAVE: DrawLinearWave(g, r, colourful, c); break;
      case LAYER_ROTATING_RAYS: DrawRotatingRays(g, r, colourful, c); break;
      case LAYER_BREATHING: DrawBreathing(g, r, colourful, c); break;
      case LAYER_TRIANGLE_WAVE: DrawTriangleWave(g, r, colourful, c); break;
      case LAYER_TIDAL_RESONANCE: DrawTidalResonance(g, r, colourful, c); break;
      case LAYER_AFTERNOON_SUN: DrawAfternoonSun(g, r, colourful, c); break;
      case LAYER_THREE_BODY: DrawThreeBody(g, r, colourful, c); break;
      case LAYER_GRAVITY_FIELD: DrawGravityField(g, r, colourful, c); break;
      case LAYER_FLAME_GRADIENT: DrawFlameGradient(g, r, colourful, c); break;
      case LAYER_SOUND_WAVE: DrawSoundWave(g, r, colourful, c); break;
      case LAYER_RADIAL_GRADIENT: DrawRadialGradient(g, r, colourful, c); break;
      default: break;  // unknown types stay in the list and draw nothing
    }
  }
}
