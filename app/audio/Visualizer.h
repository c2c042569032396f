// Renders 256 x 64 colour frames of the music on a thread of its own: the spectrum of
// the pushed waveform as 256 columns of bars over a background, each painted by one of
// 22 colour layers, with a level meter along row 0.
//
// Threads: the capture thread pushes samples, the render thread composes frames, the
// user-interface thread changes the modes and the enabled flag, the worker reads the
// finished frame. The input is copied under a short lock, the settings are atomics, and
// finished frames are handed over by a pointer swap under the frame lock, so a reader
// copying the front frame never sees it being written.
#pragma once
#include <windows.h>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

class Visualizer {
public:
  static constexpr int kWidth = 256;
  static constexpr int kHeight = 64;
  static constexpr int kPixels = kWidth * kHeight;
  static constexpr int kInput = 512;

  Visualizer();
  // Stops and joins the render thread.
  ~Visualizer();
  Visualizer(const Visualizer&) = delete;
  Visualizer& operator=(const Visualizer&) = delete;

  // Defaults, window tables and frequency weights.
  void Init();
  // Starts the render thread (once).
  void Start();
  // Ends the render thread and waits for it; safe to repeat.
  void Stop();

  // From the capture thread: the newest waveform (at most 512 floats; fewer are padded
  // with zeros, none clears the input).
  void PushSamples(const float* samples, int count);
  void ClearInput() { PushSamples(nullptr, 0); }

  // One frame step: analysis, both layers, composition, hand-over, hue advance. The
  // render thread's step; call it directly only while that thread is not running.
  void RenderFrame();
  void Analyse();

  // Copies of the last finished frame and of the background layer it was composed with
  // (row-major, row 0 at the top, 0x00BBGGRR).
  void CopyFrontFrame(COLORREF* out) const;
  void CopyBackground(COLORREF* out) const;

  // Paints one layer in `mode` 0..21 at `brightness` 0..100; other modes leave it.
  void FillLayer(int mode, int brightness, COLORREF* layer);

  // Layer families (B = brightness already scaled to 0..255).
  static void FillSolid(COLORREF colour, COLORREF* layer);
  static void FillGradient(const COLORREF* colours, int count, int B, COLORREF* layer);
  void FillSineRainbow(int B, COLORREF* layer) const;
  void FillHueSweep(int B, COLORREF* layer) const;
  void FillHueWheel(int centreRow, int B, COLORREF* layer) const;
  void FillSineColour(int B, COLORREF* layer) const;
  void FillSpectrumRings(int B, COLORREF* layer);

  // 512-point real FFT (positive-exponent convention, scaled by 1/512), packed as DC,
  // Nyquist, then re/im of bins 1..255.
  static void RealFft(float* data);
  // Bit-reversal permutation of `count` interleaved complex values.
  static void BitReverse(float* data, int count);
  // Butterflies over `count` bit-reversed complex values, results scaled by 1 / (2 count).
  static void ComplexFft(float* data, int count);
  static void MultiplyTable(float* data, const float* table, int count);
  void BuildWeights();

  // Brightness 0..100 as the byte scale B = trunc(b x 2.55) in single precision.
  static int BrightnessScale(int brightness);
  static COLORREF ScaleColour(COLORREF colour, int B);

  // Analysis settings (Init).
  float m_columnLevels[kWidth] = {};
  int m_bandMode = 1;        // 0 box groups, 1 moving average, other none
  int m_bandWidth = 8;       // group width or averaging radius, in columns
  int m_window = 1;          // 1 Hann, 2 Hamming, 3 Blackman, other none
  int m_decayPercent = 80;
  float m_hueSpeed = 500.0f;  // hue step per frame x 100
  float m_weightBase = 0.04f;
  float m_weightSlope = 0.5f;
  float m_smoothing = 1.0f;
  float m_hue = 0.0f;

  // Written by the pages while the render thread runs.
  std::atomic<bool> m_enabled{false};
  std::atomic<int> m_backgroundMode{0};
  std::atomic<int> m_backgroundBrightness{100};
  std::atomic<int> m_foregroundMode{17};
  std::atomic<int> m_foregroundBrightness{100};

  // Window tables over 256 points (Init).
  float m_hann[kWidth] = {};
  float m_hamming[kWidth] = {};
  float m_blackman[kWidth] = {};

  // One visualiser per process: the smoothed column levels the compositor and the ring
  // layer read, the frequency weights and the ring layer's rotation in degrees.
  static float s_displayLevels[kWidth];
  static float s_weights[kWidth];
  static float s_ringRotation;

  // Layers and frames (row-major, 0x00BBGGRR).
  COLORREF m_background[kPixels] = {};
  COLORREF m_foreground[kPixels] = {};

private:
  void RenderLoop();
  void Compose();
  void ApplyBandMode();
  // Sleeps up to `ms`, returns early when the thread is being stopped.
  void Pause(int ms);

  COLORREF m_frameA[kPixels] = {};
  COLORREF m_frameB[kPixels] = {};
  COLORREF m_shownBackground[kPixels] = {};
  COLORREF* m_frontFrame = m_frameB;
  COLORREF* m_backFrame = m_frameA;
  mutable std::mutex m_frameLock;

  float m_input[kInput] = {};
  bool m_inputValid = false;
  std::mutex m_inputLock;

  std::atomic<bool> m_threadRunning{false};
  std::thread m_renderThread;
  std::mutex m_wakeLock;
  std::condition_variable m_wake;
};
