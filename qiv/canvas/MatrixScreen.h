// The 7 x 7 matrix screen: the on-screen twin of the keyboard's LED matrix. It keeps one
// colour per cell, draws the cells as rounded squares, lets the user paint them in hand
// painting mode, and runs preset and music animations on the window's multimedia timer.
// The program reads the 49 colours back and streams them to the keyboard.
//
// Threads: the user-interface thread paints, handles the mouse and sets the preset; the
// multimedia-timer thread runs the steps, each under the cell lock; the audio capture
// thread calls the audio setters (no lock); the program's worker reads and writes cell
// colours under the cell lock it borrows through EnterCriSec / LeaveCriSec.
#pragma once
#include <windows.h>
#include <gdiplus.h>
#include <memory>
#include <vector>
#include "canvas/EffectSources.h"
#include "core/CriticalSection.h"
#include "core/MPanel.h"

// One cell of the screen (the program reads and writes it in place: the layout is fixed).
struct MATRIXITEM_INFO {
  int row = 0;     // 0-6, 0 at the top
  int column = 0;  // 0-6, 0 at the left
  int id = 0;      // 0-48: row x 7 + column
  CRect rect;      // relative to the control, set by every draw
  int reserved = 0;
  COLORREF color = 0;
};

enum MatrixPresetMode {
  MATRIX_NONE = 0,
  MATRIX_HAND_PAINTING = 1,
  MATRIX_COUNTDOWN = 2,
  MATRIX_CLOCK = 3,
  MATRIX_HEARTBEAT = 4,
  MATRIX_TEXT_FLOW = 5,
  MATRIX_RAINBOW_WAVE = 6,
  MATRIX_BREATHING = 7,
  MATRIX_RIPPLE = 8,
  MATRIX_SPIRAL = 9,
  MATRIX_CROSS_FADE = 10,
  MATRIX_RAIN_DROP = 11,
  MATRIX_SNAKE = 12,
  MATRIX_FIREWORKS = 13,
  MATRIX_MATRIX_RAIN = 14,
  MATRIX_PLASMA = 15,
  MATRIX_STARFIELD = 16,
  MATRIX_MANDELBROT = 17,
  MATRIX_GAME_OF_LIFE = 18,
  MATRIX_WAVEFORM = 19,
  MATRIX_TUNNEL = 20,
  MATRIX_KALEIDOSCOPE = 21,
  MATRIX_MUSIC_SPECTRUM = 22,
  MATRIX_MUSIC_WAVE = 23,
  MATRIX_MUSIC_PULSE = 24,
  MATRIX_MUSIC_RAIN = 25,
  MATRIX_MUSIC_CIRCLE = 26,
  MATRIX_MUSIC_HEARTBEAT = 27,
  MATRIX_HEART = 28,
  MATRIX_SCAN = 29,
  MATRIX_TYPING = 30,
  MATRIX_RAINDROP_MATRIX = 31,
  MATRIX_TERMINAL = 32,
  MATRIX_RADIANT = 34,
};

class QIV_API MatrixScreen : public MPanel {
public:
  static const int BAND_COUNT = 7;
  static const int WAVE_SIZE = 512;
  static const int CELL_COUNT = 49;
  static const int SIDE = 7;
  // Digit glyphs: 7 rows of 5 columns, index row x 5 + column.
  static const bool s_numberPatterns[10][35];

  MatrixScreen(MObject* parent, unsigned id, CRect rect, int visible);
  ~MatrixScreen() override;
  const wchar_t* GetClassNameW() const override;

  void InitControl(PaintManager* manager) override;
  void DrawControl(HDC& hdc, CRect paint) override;
  long OnMessage(unsigned id, unsigned code, unsigned wParam, long lParam) override;
  void SetControlRect(CRect rect) override;
  int OnControlTimer() override;
  int OnControlMouseMove(unsigned flags, CPoint point) override;
  int OnControlLButtonDown(unsigned flags, CPoint point) override;
  int OnControlLButtonUp(unsigned flags, CPoint point) override;
  int OnControlScroll(int delta, unsigned direction, CPoint point) override;
  int OnControlRButtonDown(unsigned flags, CPoint point) override;
  int OnControlRButtonUp(unsigned flags, CPoint point) override;

  // ---- cells ----
  // Creates the 49 cells in row order, ids 0-48, once: the control is made with them,
  // and a call while cells exist changes nothing (after ClearItem it creates them anew).
  void Initialize();
  int AddItem(int row, int column, int id);
  void ClearItem();
  // The cells stay the control's. Read or write their colours inside EnterCriSec /
  // LeaveCriSec: the animation steps write them on the timer thread.
  std::vector<MATRIXITEM_INFO*> GetKeyItems();
  void EnterCriSec() { m_cellLock.Lock(); }
  void LeaveCriSec() { m_cellLock.Unlock(); }

  // ---- settings ----
  void SetMatrixScreenColorful(bool colourful);
  bool GetMatrixScreenColorful() const { return m_colourful; }
  void SetMatrixScreenColor(COLORREF colour);
  COLORREF GetSingleColor() const { return m_singleColor; }
  void SetBrightness(float brightness);
  float GetBrightness() const { return m_brightness; }
  void SetAnimationSpeed(float speed);
  float GetAnimationSpeed() const { return m_speed; }
  int GetTickLimit() const { return m_tickLimit; }
  void SetEffectSources(const EffectSources& sources) { m_sources = sources; }

  // ---- audio inputs (capture thread; no lock) ----
  void SetAudioAmplitude(float amplitude);
  float GetAudioAmplitude() const { return m_amplitude; }
  void SetAudioData(const float values[], int count);
  void SetMasterVolume(float volume);
  float GetMasterVolume() const { return m_masterVolume; }
  void SetInputWave(const float values[], int count);
  float GetAudioLevel(int band) const;
  float GetInputWave(int index) const;
  int GetInputWaveCount() const { return m_waveCount; }

  // ---- colours ----
  COLORREF ApplyBrightness(COLORREF colour) const;
  static COLORREF HSVtoRGB(int hue, int saturation, int value);
  COLORREF GetCyclicColor(float fraction);
  void DrawHideControl();
  HBITMAP CreateARGB32Bitmap(HDC hdc, int width, int height, BYTE** bits);

  // ---- presets ----
  void SetPresetMode(int preset);
  int GetPresetMode() const { return m_preset; }
  float GetEffectClock() const { return m_effectClock; }
  void UpdatePresetAnimation();
  void SetPixelColor(int x, int y, COLORREF colour);
  void DisplayNumber(int digit, COLORREF colour);

  void ApplyCountdownEffect();
  void ApplyClockEffect();
  void ApplyHeartbeatEffect();
  void ApplyTextFlowEffect();
  void ApplyRainbowWaveEffect();
  void ApplyBreathingEffect();
  void ApplyRippleEffect();
  void ApplySpiralEffect();
  void ApplyCrossFadeEffect();
  void ApplyRainDropEffect();
  void ApplySnakeEffect();
  void ApplyFireworksEffect();
  void ApplyMatrixRainEffect();
  void ApplyPlasmaEffect();
  void ApplyStarfieldEffect();
  void ApplyMandelbrotEffect();
  void ApplyGameOfLifeEffect();
  void ApplyWaveformEffect();
  void ApplyTunnelEffect();
  void ApplyKaleidoscopeEffect();
  // Seeded by their preset codes but never run by the dispatcher.
  void ApplyHeartEffect();
  void ApplyScanEffect();
  void ApplyTypingEffect();
  void ApplyRaindropMatrixEffect();
  void ApplyTerminalEffect();
  void ApplyRadiantEffect();
  // Music presets 22-27.
  void ApplyMusicSpectrumEffect();
  void ApplyMusicWaveEffect();
  void ApplyMusicPulseEffect();
  void ApplyMusicRainEffect();
  void ApplyMusicCircleEffect();
  void ApplyMusicHeartbeatEffect();

protected:
  struct Point {
    int x, y;
  };
  struct Particle {
    float x, y, vx, vy;
    int life;
    COLORREF color;
  };
  struct Trail {
    int column, head, length;
  };
  struct Star {
    float x, y, z, speed;
  };
  struct Drop {
    int x, y, speed, life;
    COLORREF color;
  };
  // Values shared by every matrix screen of the process.
  struct SharedState {
    float rainbowOffset = 0;
    float clockPhase = 0;
    DWORD lastCountdownTick = 0;
    int snakeTargetLength = 3;
    DWORD snakeGrowthTick = 0;
    bool snakeGrowthStarted = false;
    float spectrum[256] = {};
    float bands[7] = {};
    float gain = 1.0f;
    int spectrumFrames = 0;
    float pulseRing = 0, pulseHue = 0;
    float heartBeat = 0, heartHue = 0;
  };
  static SharedState s_shared;

  void DrawRoundRectange(Gdiplus::Graphics& g, CRect rect, Gdiplus::Color colour);
  // Lays the cells out and draws them on dc (the cell lock is taken here).
  void DrawCells(HDC dc);
  // Gives every cell its rectangle: rows of equal squares 10 pixels apart (cell lock held).
  void LayOutCells();
  bool IsWindowShown() const;
  DWORD Now() const { return m_sources.tickMs(); }
  int Rand() const { return m_sources.rand15(); }
  // Writes cell (x, y) when it exists; no brightness applied.
  void PutCell(int x, int y, COLORREF colour);
  void ClearCells();
  COLORREF ScaledSingle(float f) const;
  // The rainbow offset moves on by 2 (back to 0 at 360).
  static float NextRainbowOffset();
  void DrawGlyph(const bool glyph[35], COLORREF colour);

  // cells
  CriticalSection m_cellLock;
  std::vector<std::unique_ptr<MATRIXITEM_INFO>> m_cells;
  std::vector<MATRIXITEM_INFO*> m_cellView;
  int m_rows = 7, m_columns = 7;
  int m_nextId = -1;

  // settings
  COLORREF m_singleColor = 0x0000FF;
  bool m_colourful = true;
  float m_brightness = 0.8f;
  float m_speed = 5.0f;
  int m_tickLimit = 4;
  int m_tickCounter = 0;
  int m_animate = 1;
  CPoint m_lastPoint;
  EffectSources m_sources;

  // audio
  float m_levels[BAND_COUNT] = {};
  float m_masterVolume = 1.0f;
  static constexpr float kInputGain = 2.0f;
  float m_amplitude = 50.0f;
  float m_wave[WAVE_SIZE] = {};
  int m_waveCount = 0;

  // presets
  int m_preset = MATRIX_NONE;
  float m_effectClock = 0;
  DWORD m_lastUpdateTick = 0;
  int m_count = 10;
  int m_hour = 0, m_minute = 0;
  int m_textPosition = -7;
  float m_heartPhase = 0;
  float m_breath = 0;
  float m_rippleX = 3.0f, m_rippleY = 3.0f, m_rippleRadius = 0;
  float m_spiralPhase = 0;
  std::vector<Point> m_drops;
  DWORD m_dropTick = 0;
  std::vector<Point> m_snake;
  int m_snakeDx = 1, m_snakeDy = 0;
  DWORD m_snakeTick = 0;
  std::vector<Particle> m_particles;
  DWORD m_burstTick = 0;
  std::vector<Trail> m_trails;
  float m_plasmaTime = 0;
  std::vector<Star> m_stars;
  float m_zoom = 1.0f, m_centreX = 0, m_centreY = 0;
  unsigned char m_life[49] = {};
  unsigned char m_nextLife[49] = {};
  DWORD m_lifeTick = 0;
  float m_waveAmplitude = 1.0f, m_wavePhase = 1.0f;
  float m_tunnelA = 0, m_tunnelB = 0;
  float m_kaleidoPhase = 0;
  int m_segments = 6;
  // effects that never run
  float m_heartEffectPhase = 0;
  int m_scanPosition = 0;
  DWORD m_scanTick = 0;
  int m_typingIndex = 0;
  DWORD m_typingTick = 0;
  CString m_typingText = L"ABC123";
  std::vector<Drop> m_matrixDrops;
  DWORD m_matrixDropTick = 0;
  int m_terminalIndex = 0;
  DWORD m_terminalTick = 0;
  CString m_terminalText = L"CMD";
  float m_radiantPhase = 0, m_rayLength = 0;
  DWORD m_radiantTick = 0;
  // music effects
  int m_fallHeights[7] = {};
  float m_circleRadius = 0;
};
