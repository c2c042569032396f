// Loopback capture of the default output device and its analysis: level, peak, average,
// RMS, a 256-point waveform, loudness-normalised 32- and 64-band spectra, bass, mid,
// treble, beat and tempo, published to the lighting controls every capture cycle.
//
// Threads: Start on the worker, the capture loop on a thread of its own, default-device
// changes on the system's notification thread, Stop on the user-interface thread. The
// stream objects, the endpoint list and the packet source are used only under
// m_streamLock, so a re-initialisation never pulls a client from under a capture cycle.
//
// While capture runs without a stream (no endpoint, a lost device, a failed set-up) the
// consumers are handed silence once and the capture thread looks for the default device
// again every kRetryIntervalMs, so capture comes back by itself when the device does.
#pragma once
#include <windows.h>
#include <audioclient.h>
#include <mmdeviceapi.h>
#include <wrl/client.h>

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <thread>
#include <vector>

#include "audio/AudioBands.h"
#include "audio/AudioPacketSource.h"
#include "audio/LoudnessMeter.h"
#include "audio/SpectrumAnalyzer.h"
#include "audio/StreamFormat.h"

class MatrixScreen;
class ZephraEffect;
class Visualizer;

class KeyboardAudio : public IMMNotificationClient {
public:
  static constexpr int kWavePoints = 256;
  static constexpr int kBlockSize = 2048;
  static constexpr int kLevelHistory = 64;
  static constexpr int kEnergyHistory = 43;
  // Time between attempts to open a stream while there is none.
  static constexpr uint32_t kRetryIntervalMs = 1000;

  KeyboardAudio();
  virtual ~KeyboardAudio();
  KeyboardAudio(const KeyboardAudio&) = delete;
  KeyboardAudio& operator=(const KeyboardAudio&) = delete;

  // Builds the endpoint list, opens the stream and starts the capture thread (which runs
  // even without an endpoint, so that a device appearing later is picked up).
  void Start();
  // Ends and joins the capture thread and releases every audio object; safe to repeat.
  void Stop();

  // Opens or reopens the stream on the current endpoint; failures leave no stream.
  void InitCapture();
  // One capture cycle: drains the available packets and publishes once.
  void ProcessPackets();
  // Spectrum, loudness, bands, bass/mid/treble and beat of the full analysis block.
  void AnalyseBlock();
  void ComputeBassMidTreble();
  float BeatEnergy() const;
  void DetectBeat();
  // Animates the seven matrix bands and hands the state to the consumers (overridable so
  // that a test double can watch the hand-over).
  virtual void PublishAudio(float level);
  // The band animation step and the state that PublishAudio hands over.
  AudioBands PrepareBands(float level);

  // Mean of `spectrum` over `count` bands that grow cubically in width, each 0..1.
  static void AverageBands(std::span<const float> spectrum, float* out, int count);

  // Packet-source seam: replaces what the capture cycle reads, packets of interleaved
  // float frames of `channels` channels (tests feed synthetic packets through it;
  // InitCapture installs the stream's capture client).
  void SetPacketSource(std::unique_ptr<AudioPacketSource> source, int channels = 2);

  // IMMNotificationClient. The object is not reference counted: it lives as long as the
  // main dialog that it is a base of.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  HRESULT STDMETHODCALLTYPE OnDeviceStateChanged(LPCWSTR deviceId, DWORD newState) override;
  HRESULT STDMETHODCALLTYPE OnDeviceAdded(LPCWSTR deviceId) override;
  HRESULT STDMETHODCALLTYPE OnDeviceRemoved(LPCWSTR deviceId) override;
  HRESULT STDMETHODCALLTYPE OnDefaultDeviceChanged(EDataFlow flow, ERole role, LPCWSTR deviceId) override;
  HRESULT STDMETHODCALLTYPE OnPropertyValueChanged(LPCWSTR deviceId, const PROPERTYKEY key) override;

  // Consumers, set by the worker while capture runs; null = none.
  std::atomic<MatrixScreen*> m_matrixConsumer{nullptr};
  std::atomic<ZephraEffect*> m_canvasConsumer{nullptr};
  std::atomic<Visualizer*> m_visualizerConsumer{nullptr};
  // Wave amplitude, written by the music page.
  std::atomic<int> m_waveGain{270};

  // Millisecond tick used for beats and the band animation (GetTickCount by default).
  std::function<uint32_t()> m_tickClock;
  // Millisecond tick that paces the attempts to reopen a missing stream (GetTickCount
  // by default).
  std::function<uint32_t()> m_retryClock;
  // Creates the device enumerator (the system's MMDeviceEnumerator by default).
  std::function<HRESULT(IMMDeviceEnumerator**)> m_createEnumerator;

protected:
  void CaptureLoop();
  // One turn of the capture loop: a capture cycle, or, without a stream, silence for the
  // consumers and (once per retry interval) another attempt to open the default device.
  void CaptureStep();
  // Lists the default render endpoint (or the first active one) and opens its stream.
  void OpenDefaultEndpoint();
  // Hands the consumers a silent state: no wave, level, peak, bands or beat.
  void SilenceConsumers();
  // Appends an endpoint opened in loopback (the only kind the program adds).
  void AddLoopbackEndpoint(Microsoft::WRL::ComPtr<IMMDevice> endpoint, const char* name);
  void ReleaseEndpoints();
  void ReleaseStream();
  // The frames of one packet (null data = silence), each mixed down to mono: every frame
  // goes to the analysis block; the wave, level and peak take the mean of each four.
  void ConsumePacket(const float* data, UINT32 frames, double& sumSquares, float& largest,
                     int& values);

  std::atomic<bool> m_running{false};
  std::thread m_captureThread;
  std::mutex m_wakeLock;
  std::condition_variable m_wake;

  float m_bands7[7] = {};
  float m_masterVolume = 1.0f;

  std::recursive_mutex m_streamLock;
  Microsoft::WRL::ComPtr<IMMDeviceEnumerator> m_enumerator;
  bool m_notificationsRegistered = false;
  std::vector<Microsoft::WRL::ComPtr<IMMDevice>> m_endpoints;
  std::vector<bool> m_endpointIsCapture;
  Microsoft::WRL::ComPtr<IAudioClient> m_audioClient;
  Microsoft::WRL::ComPtr<IAudioCaptureClient> m_captureClient;
  StreamFormatPtr m_format;
  std::unique_ptr<AudioPacketSource> m_packetSource;
  int m_channels = 2;              // interleaved floats per frame of the packets
  uint32_t m_lastOpenTick = 0;     // m_retryClock of the last attempt to open a stream
  bool m_sounding = false;         // the consumers got sound since they were last silenced
  std::vector<std::string> m_endpointNames;
  unsigned int m_endpointIndex = 0;

  float m_levelHistory[kLevelHistory] = {};
  int m_levelHistoryIndex = 0;
  float m_peak = 0.0f;
  float m_average = 0.0f;
  float m_level = 0.0f;
  float m_rms = 0.0f;
  float m_wave[2 * kWavePoints] = {};
  int m_waveLength = 2 * kWavePoints;

  std::unique_ptr<SpectrumAnalyzer> m_analyzer;
  std::unique_ptr<LoudnessMeter> m_loudness;
  float m_block[kBlockSize] = {};
  int m_blockFill = 0;
  std::vector<float> m_spectrum;
  float m_bands32[32] = {};
  float m_bands64[64] = {};

  float m_energyHistory[kEnergyHistory] = {};
  int m_energyIndex = 0;
  bool m_beat = false;
  float m_beatStrength = 0.0f;
  float m_bpm = 0.0f;
  uint32_t m_lastBeatTick = 0;
  float m_bass = 0.0f, m_mid = 0.0f, m_treble = 0.0f;

  // Band animation: tick of the previous publication and the seven phase angles.
  uint32_t m_publishTick = 0;
  float m_bandPhases[7] = {};
};
