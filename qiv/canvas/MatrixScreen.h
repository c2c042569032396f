// The 7 x 7 matrix screen. The audio capture thread pushes seven band levels, the master
// volume and a wave buffer in through the audio setters; they take no lock.
#pragma once
#include <windows.h>
#include "core/MPanel.h"
#include <vector>

// One cell of the 7 x 7 screen.
struct MATRIXITEM_INFO {
  int id = 0;  // 0-48, row by row
  COLORREF color = 0;
};

class QIV_API MatrixScreen : public MPanel {
public:
  static const int BAND_COUNT = 7;
  static const int WAVE_SIZE = 512;

  MatrixScreen(MObject* parent, unsigned id, CRect rect, int visible);
  ~MatrixScreen() override;
  const wchar_t* GetClassNameW() const override;
  static const int CELL_COUNT = 49;
  // The 49 cells; they stay the control's.
  std::vector<MATRIXITEM_INFO*> GetKeyItems();

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
  MATRIXITEM_INFO m_cells[CELL_COUNT];
};
