#include "canvas/MatrixScreen.h"
#include <algorithm>

const int MatrixScreen::BAND_COUNT;
const int MatrixScreen::WAVE_SIZE;

const int MatrixScreen::CELL_COUNT;

MatrixScreen::MatrixScreen(MObject* parent, unsigned id, CRect rect, int visible) : MPanel(parent, id, rect, visible) {
  for (int i = 0; i < CELL_COUNT; ++i) m_cells[i].id = i;
}

std::vector<MATRIXITEM_INFO*> MatrixScreen::GetKeyItems() {
  std::vector<MATRIXITEM_INFO*> out;
  for (MATRIXITEM_INFO& cell : m_cells) out.push_back(&cell);
  return out;
}
MatrixScreen::~MatrixScreen() = default;
const wchar_t* MatrixScreen::GetClassNameW() const { return L"MatrixScreen"; }

void MatrixScreen::SetAudioData(const float values[], int count) {
  if (!values || count <= 0) return;
  const int used = std::min(count, BAND_COUNT);
  for (int i = 0; i < BAND_COUNT; ++i)
    m_levels[i] = i < used ? std::clamp(values[i] * m_masterVolume * 2.0f, 0.0f, 1.0f) : 0.0f;
}

void MatrixScreen::SetMasterVolume(float volume) { m_masterVolume = std::clamp(volume, 0.0f, 2.0f); }

void MatrixScreen::SetInputWave(const float values[], int count) {
  const int used = values && count > 0 ? std::min(count, WAVE_SIZE) : 0;
  std::fill(std::begin(m_wave), std::end(m_wave), 0.0f);
  if (used) std::copy(values, values + used, m_wave);
  m_waveCount = used ? count : 0;
}

void MatrixScreen::SetAudioAmplitude(float amplitude) { m_audioAmplitude = std::clamp(amplitude, 0.0f, 100.0f); }

float MatrixScreen::GetAudioLevel(int band) const { return band >= 0 && band < BAND_COUNT ? m_levels[band] : 0.0f; }
float MatrixScreen::GetInputWave(int index) const { return index >= 0 && index < WAVE_SIZE ? m_wave[index] : 0.0f; }
