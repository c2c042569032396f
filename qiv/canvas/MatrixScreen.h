// The 7 x 7 matrix screen. The audio capture thread pushes seven band levels, the master
// volume and a wave buffer in through the audio setters; they take no lock.
#pragma once
#include <windows.h>
#include "core/MPanel.h"

class QIV_API MatrixScreen : public MPanel {
public:
  static const int BAND_COUNT = 7;
  static const int WAVE_SIZE = 512;

  MatrixScreen(MObject* parent, unsigned id, CRect rect, int visible);
  ~MatrixScreen() override;
  const wchar_t* GetClassNameW() const override;

  // Audio setters.
  void SetAudioData(const float values[], int count);
  void SetMasterVolume(float volume);
  void SetInputWave(const float values[], int count);
  void SetAudioAmplitude(float amplitude);

  float GetAudioLevel(int band) const;
  float GetMasterVolume() const { return m_masterVolume; }
  float GetInputWave(int index) const;
  int GetInputWaveCount() const { return m_waveCount; }
  float GetAudioAmplitude() const { return m_audioAmplitude; }

protected:
  float m_levels[BAND_COUNT] = {};
  float m_masterVolume = 1.0f;
  float m_wave[WAVE_SIZE] = {};
  int m_waveCount = 0;
  float m_audioAmplitude = 0.0f;
};
