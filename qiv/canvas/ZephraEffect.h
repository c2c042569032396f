// The per-key lighting canvas. The audio capture thread pushes its analysis in through
// the audio setters once per capture cycle; they take no lock (each field is written
// whole) and repaint nothing.
#pragma once
#include <windows.h>
#include "core/CString.h"
#include "core/MPanel.h"
#include <memory>
#include <mutex>
#include <vector>

// One key of the canvas: key codes 300 and above are the light strips' pseudo-keys.
struct KEYITEM_INFO {
  int column = 0;  // cell of the colour map
  int row = 0;
  DWORD keyCode = 0;
  CString name;
  CRect rect;  // layout coordinates
  int selected = 0;
  COLORREF color = 0;
};

class QIV_API ZephraEffect : public MPanel {
public:
  static const int SPECTRUM_SIZE = 32;
  static const int VOLUME_HISTORY = 64;

  ZephraEffect(MObject* parent, unsigned id, CRect rect, int visible);
  ~ZephraEffect() override;
  const wchar_t* GetClassNameW() const override;
  // The key items stay the canvas's; the vector is the caller's. A record stays valid
  // until the second ClearItem after it was handed out, so a reader on another thread
  // may finish its walk across one layout change.
  std::vector<KEYITEM_INFO*> GetKeyItems();
  // Replaces the key items with copies of these.
  void SetKeyItems(const std::vector<KEYITEM_INFO>& items);
  // Appends a key of the layout (colour 0, not selected); answers its index.
  int AddKeyItem(const wchar_t* name, DWORD keyCode, CRect rect, int column, int row);
  void ClearItem();

  // The effect mode: in mode 1 the keys take their colours from the colour map.
  void SetZephraMode(int mode) { m_zephraMode = mode; }
  int GetZephraMode() const { return m_zephraMode; }
  // Stores a cell of the 32 x 8 colour map (cells outside it are ignored); in mode 1 the
  // first key at that column and row takes the colour too.
  void SetColorMap(int column, int row, COLORREF colour);
  COLORREF GetColorMap(int column, int row) const;
  // The keyboard picture, relative to the skins folder, and the layout's size.
  void SetKeyboardImage(const wchar_t* file);
  void SetWidthAndHeight(int width, int height);
  const CString& GetKeyboardImageFile() const { return m_keyboardImage; }
  int GetLayoutWidth() const { return m_layoutWidth; }
  int GetLayoutHeight() const { return m_layoutHeight; }

  // Resets the audio inputs (after the device set-up).
  void Initialize();

  // Audio setters.
  void SetExternalAudioData(float volume, float peak, float average, int amplitude, float level);
  void SetCurrentVolume(float volume);
  void SetExternalVolumeData(float volume);
  void SetFFTSpectrum(const float spectrum32[], const float bands8x8[]);
  void SetBeatData(bool beat, float strength, float bpm, float bass, float mid, float high);
  void SetVolumeThreshold(float threshold);

  int GetMusicAmplitude() const { return m_musicAmplitude; }
  float GetVolumeThreshold() const { return m_volumeThreshold; }
  float GetPeakVolume() const { return m_peakVolume; }
  float GetAverageVolume() const { return m_averageVolume; }
  float GetCurrentVolume() const { return m_currentVolume; }
  float GetAudioLevel() const { return m_audioLevel; }
  bool IsVolumeTriggered() const { return m_triggered; }
  int GetTriggerCount() const { return m_triggerCount; }
  float GetVolumeHistory(int index) const;

protected:
  int m_zephraMode = 0;
  COLORREF m_colorMap[32 * 8] = {};  // column x 8 + row

  float GetBassEnergy() const { return m_bass; }
  float GetMidEnergy() const { return m_mid; }
  float GetHighEnergy() const { return m_high; }
  float GetBeatStrength() const { return m_beatStrength; }
  float GetBeatBoost() const { return m_beatBoost; }
  bool IsBeat() const { return m_beat; }
  bool HasFFTData() const { return m_hasFFT; }
  float GetFFTSpectrum32(int index) const;
  float GetFFTSpectrum64(int index) const;

  float m_currentVolume = 0.0f;
  float m_peakVolume = 0.0f;
  float m_averageVolume = 0.0f;
  float m_audioLevel = 0.0f;
  float m_volumeThreshold = 0.5f;
  bool m_triggered = false;
  int m_triggerCount = 0;
  float m_volumeHistory[VOLUME_HISTORY] = {};
  int m_historyNext = 0;
  float m_spectrum32[SPECTRUM_SIZE] = {};
  float m_spectrum64[64] = {};
  bool m_hasFFT = false;
  bool m_beat = false;
  float m_beatStrength = 0.0f;
  float m_bass = 0.0f;
  float m_mid = 0.0f;
  float m_high = 0.0f;
  float m_beatBoost = 0.0f;
  int m_musicAmplitude = 200;
  std::mutex m_itemsLock;
  std::vector<std::unique_ptr<KEYITEM_INFO>> m_keyItems;
  std::vector<std::unique_ptr<KEYITEM_INFO>> m_retiredItems;  // cleared by the last ClearItem
  CString m_keyboardImage;
  int m_layoutWidth = 0;
  int m_layoutHeight = 0;
};
