#include "canvas/ZephraEffect.h"
#include <algorithm>
#include <cstring>

// Defined here so that callers can take their address (they are exported with the class).
const int ZephraEffect::SPECTRUM_SIZE;
const int ZephraEffect::VOLUME_HISTORY;

ZephraEffect::ZephraEffect(MObject* parent, unsigned id, CRect rect, int visible) : MPanel(parent, id, rect, visible) {}
ZephraEffect::~ZephraEffect() = default;
const wchar_t* ZephraEffect::GetClassNameW() const { return L"ZephraEffect"; }

std::vector<KEYITEM_INFO*> ZephraEffect::GetKeyItems() {
  std::lock_guard<std::mutex> guard(m_itemsLock);
  std::vector<KEYITEM_INFO*> out;
  out.reserve(m_keyItems.size());
  for (auto& item : m_keyItems) out.push_back(item.get());
  return out;
}

void ZephraEffect::SetKeyItems(const std::vector<KEYITEM_INFO>& items) {
  ClearItem();
  std::lock_guard<std::mutex> guard(m_itemsLock);
  for (const KEYITEM_INFO& item : items) m_keyItems.push_back(std::make_unique<KEYITEM_INFO>(item));
}

int ZephraEffect::AddKeyItem(const wchar_t* name, DWORD keyCode, CRect rect, int column, int row) {
  auto item = std::make_unique<KEYITEM_INFO>();
  item->column = column;
  item->row = row;
  item->keyCode = keyCode;
  item->name = name;
  item->rect = rect;
  std::lock_guard<std::mutex> guard(m_itemsLock);
  m_keyItems.push_back(std::move(item));
  return int(m_keyItems.size()) - 1;
}

void ZephraEffect::ClearItem() {
  std::lock_guard<std::mutex> guard(m_itemsLock);
  m_retiredItems = std::move(m_keyItems);
  m_keyItems.clear();
}

void ZephraEffect::SetKeyboardImage(const wchar_t* file) { m_keyboardImage = file; }

void ZephraEffect::SetWidthAndHeight(int width, int height) {
  m_layoutWidth = width;
  m_layoutHeight = height;
}

void ZephraEffect::Initialize() {
  m_currentVolume = m_peakVolume = m_averageVolume = m_audioLevel = 0.0f;
  m_musicAmplitude = 0;
  std::fill(std::begin(m_volumeHistory), std::end(m_volumeHistory), 0.0f);
  m_historyNext = 0;
  m_triggered = false;
  m_triggerCount = 0;
  m_volumeThreshold = 0.1f;
}

void ZephraEffect::SetExternalAudioData(float volume, float peak, float average, int amplitude, float level) {
  m_currentVolume = std::clamp(volume, 0.0f, 1.0f);
  m_peakVolume = std::clamp(peak, 0.0f, 1.0f);
  m_averageVolume = std::clamp(average, 0.0f, 1.0f);
  m_musicAmplitude = std::clamp(amplitude, 0, 100);
  m_audioLevel = std::max(level, 0.0f);
  m_volumeHistory[m_historyNext] = m_currentVolume;
  m_historyNext = (m_historyNext + 1) % VOLUME_HISTORY;
  const bool above = m_currentVolume > m_volumeThreshold;
  if (above && !m_triggered) ++m_triggerCount;  // one count per rise above the threshold
  m_triggered = above;
}

void ZephraEffect::SetCurrentVolume(float volume) { m_currentVolume = std::clamp(volume, 0.0f, 1.0f); }
void ZephraEffect::SetExternalVolumeData(float volume) { SetCurrentVolume(volume); }

void ZephraEffect::SetFFTSpectrum(const float spectrum32[], const float bands8x8[]) {
  float sum = 0.0f;
  if (spectrum32) {
    std::memcpy(m_spectrum32, spectrum32, sizeof(m_spectrum32));
    for (float v : m_spectrum32) sum += v;
  }
  if (bands8x8) std::memcpy(m_spectrum64, bands8x8, sizeof(m_spectrum64));
  m_hasFFT = spectrum32 && sum > 0.0001f;
}

void ZephraEffect::SetBeatData(bool beat, float strength, float, float bass, float mid, float high) {
  m_beat = beat;
  m_beatStrength = std::clamp(strength, 0.0f, 1.0f);
  m_bass = std::clamp(bass, 0.0f, 1.0f);
  m_mid = std::clamp(mid, 0.0f, 1.0f);
  m_high = std::clamp(high, 0.0f, 1.0f);
  m_beatBoost = beat ? strength : m_beatBoost * 0.85f;
}

void ZephraEffect::SetVolumeThreshold(float threshold) { m_volumeThreshold = std::clamp(threshold, 0.0f, 1.0f); }

float ZephraEffect::GetVolumeHistory(int index) const {
  return index >= 0 && index < VOLUME_HISTORY ? m_volumeHistory[index] : 0.0f;
}

float ZephraEffect::GetFFTSpectrum32(int index) const {
  return index >= 0 && index < SPECTRUM_SIZE ? m_spectrum32[index] : 0.0f;
}

float ZephraEffect::GetFFTSpectrum64(int index) const { return index >= 0 && index < 64 ? m_spectrum64[index] : 0.0f; }

void ZephraEffect::SetColorMap(int column, int row, COLORREF colour) {
  if (column < 0 || column >= 32 || row < 0 || row >= 8) return;
  m_colorMap[column * 8 + row] = colour;
  if (m_zephraMode != 1) return;
  std::lock_guard<std::mutex> guard(m_itemsLock);
  for (auto& item : m_keyItems) {
    if (item->column == column && item->row == row) {
      item->color = colour;
      return;
    }
  }
}

COLORREF ZephraEffect::GetColorMap(int column, int row) const {
  if (column < 0 || column >= 32 || row < 0 || row >= 8) return 0;
  return m_colorMap[column * 8 + row];
}
