// The per-key lighting canvas: the keys of the current keyboard over a picture that the
// canvas renders itself, one colour per key. By effect mode the keys take their colours
// from the 32 x 8 colour map, from the pixels rendered under them (music layers, GIF) or
// from an effect that writes the map (screen and window capture, game keys, presets).
// The program reads the keys back after every step and streams their colours; the
// canvas keeps producing colours while its window is hidden (DrawHideControl).
//
// Threads: the user-interface thread paints and edits layers; the multimedia-timer
// thread and the program's worker both run the step (OnControlTimer) and the hidden
// rendering, of which only one runs at a time (an overlapping one is skipped); the audio
// capture thread calls the audio setters, which take no lock.
#pragma once
#include <windows.h>
#include <gdiplus.h>
#include <memory>
#include <vector>
#include "canvas/AudioState.h"
#include "canvas/CanvasPresets.h"
#include "canvas/CanvasTypes.h"
#include "canvas/EffectSources.h"
#include "canvas/GifFrames.h"
#include "canvas/PicturePace.h"
#include "canvas/PictureTarget.h"
#include "canvas/ScreenColors.h"
#include "core/CriticalSection.h"
#include "core/MPanel.h"

class QIV_API ZephraEffect : public MPanel {
public:
  static const int SPECTRUM_SIZE = 32;
  static const int VOLUME_HISTORY = 64;
  static const int MAP_COLUMNS = 32;
  static const int MAP_ROWS = 8;

  ZephraEffect(MObject* parent, unsigned id, CRect rect, int visible);
  ~ZephraEffect() override;
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

  // ---- keys ----
  // The key items stay the canvas's; the vector is the caller's. A record stays valid
  // until the second ClearItem after it was handed out, so a reader on another thread
  // may finish its walk across one layout change.
  std::vector<KEYITEM_INFO*> GetKeyItems();
  // Replaces the key items with copies of these.
  void SetKeyItems(const std::vector<KEYITEM_INFO>& items);
  // Appends a key of the layout (colour 0, not selected); answers its index.
  int AddKeyItem(const wchar_t* name, DWORD keyCode, CRect rect, int column, int row);
  void ClearItem();

  // Stores a cell of the 32 x 8 colour map (cells outside it are ignored); in mode 1 the
  // first key at that column and row takes the colour too.
  void SetColorMap(int column, int row, COLORREF colour);
  COLORREF GetColorMap(int column, int row) const;
  // The key map bytes and the grid that the screen, game and preset effects cover
  // (columns limited to 1-32, rows to 1-8).
  void SetKeyMap(const BYTE map[256], int rows, int columns);
  int GetMapRows() const { return m_mapRows; }
  int GetMapColumns() const { return m_mapColumns; }

  // The keyboard picture, relative to the skins folder, and the layout's size.
  void SetKeyboardImage(const wchar_t* file);
  void SetWidthAndHeight(int width, int height);
  const CString& GetKeyboardImageFile() const { return m_keyboardImageFile; }
  int GetLayoutWidth() const { return m_layoutWidth; }
  int GetLayoutHeight() const { return m_layoutHeight; }
  CPoint GetKeyOffset() const { return m_keyOffset; }

  void SetZephraMode(int mode);
  int GetZephraMode() const { return m_zephraMode; }

  // ---- music light layers ----
  // Adds a layer of that type (an empty rectangle means the whole control) and selects
  // it; -1 when the type is already present.
  int AddLightLayer(int type, CRect rect);
  void DeleteLightLayer(int type);
  void ClearLightLayer();
  std::vector<LAYERITEM_INFO> GetLightLayers();
  int GetSelectedLayer() const { return m_selectedLayer; }
  void EnableFrameSelect(int enable) { m_frameSelect = enable; }

  // Renders off-screen and samples the key colours (keys not drawn on screen too).
  void DrawHideControl();
  // Resets the audio inputs (after the device set-up).
  void Initialize();
  // Replaces the clock, random and capture sources (tests).
  void SetEffectSources(const EffectSources& sources) { m_sources = sources; }

  // ---- audio inputs (capture thread; no lock, no repaint) ----
  void SetExternalAudioData(float volume, float peak, float average, int amplitude, float level);
  void SetCurrentVolume(float volume);
  void SetExternalVolumeData(float volume);
  void SetFFTSpectrum(const float spectrum32[], const float spectrum64[]);
  void SetBeatData(bool beat, float strength, float bpm, float bass, float mid, float high);
  void SetVolumeThreshold(float threshold);

  // ---- music settings (user-interface thread) ----
  void SetMusicMode(int mode);
  void SetMusicAmplitude(int amplitude) { m_musicAmplitude = amplitude; }
  void SetMusicScale(float scale) { m_musicScale = scale; }
  void SetMusicColorful(bool colourful);
  void SetMusicColor(COLORREF colour);

  int GetMusicMode() const { return m_musicMode; }
  int GetMusicAmplitude() const { return m_musicAmplitude; }
  float GetMusicScale() const { return m_musicScale; }
  COLORREF GetMusicColor() const { return m_musicColor; }
  bool GetMusicColorful() const { return m_musicColorful == 1; }
  float GetVolumeThreshold() const { return m_audio.threshold; }
  float GetPeakVolume() const { return m_audio.peakVolume; }
  float GetAverageVolume() const { return m_audio.averageVolume; }
  float GetCurrentVolume() const { return m_audio.currentVolume; }
  float GetAudioLevel() const { return m_audio.level; }
  bool IsVolumeTriggered() const { return m_audio.triggered; }
  int GetTriggerCount() const { return m_triggerCount; }
  float GetVolumeHistory(int index) const;

  // Strip colours for LEDs without a key (worker thread).
  void GetSideLightsColors(COLORREF* out, int count, bool rainbow, COLORREF colour);
  void GetTopLightsColors(COLORREF* out, int count, bool rainbow, COLORREF colour);
  void GetMatrixLightsColors(COLORREF* out, int rows, int columns, bool rainbow, COLORREF colour);

  // ---- screen and window capture ----
  void SetCaptureWindow(HWND& window);
  ScreenCaptureConfig GetScreenConfig() const { return m_screenConfig; }
  void SetScreenConfig(const ScreenCaptureConfig& config) { m_screenConfig = config; }
  int GetScreenCaptureType() const { return m_screenConfig.captureType; }
  int GetScreenEffectType() const { return m_screenConfig.effectType; }
  int GetScreenFps() const { return m_screenConfig.fpsChoice; }
  void SetScreenMonitor(int index) { m_screenConfig.monitorIndex = index; }
  int GetScreenMonitor() const { return m_screenConfig.monitorIndex; }
  void SetScreenCoordinates(CRect rect) { m_screenConfig.captureRect = rect; }
  CRect GetScreenCoordinates() const { return m_screenConfig.captureRect; }
  void SetScreenProcess(const wchar_t* name) { m_screenConfig.processName = name; }
  CString GetScreenProcess() const { return m_screenConfig.processName; }
  COLORREF GetDominantColor() const { return m_dominant.colour; }
  void UpdateScreenEffect();
  void UpdateWindowEffect();
  // Redraws the bitmap onto itself through a saturation matrix; answers the bitmap.
  Gdiplus::Bitmap* ConvertSaturation(Gdiplus::Bitmap* bitmap, float saturation);
  // The desktop rectangle the screen effect captures for this configuration.
  static CRect ResolveCaptureRect(const ScreenCaptureConfig& config);

  // ---- GIF, game keys and presets ----
  void SetGIFImage(const wchar_t* path);
  void SetGIFDisplayParams(int x, int y, float scale);
  void SetGIFPosition(int x, int y);
  void SetGIFScale(float scale);
  void SetPresetMode(int preset);
  void SetCountdownValue(int value);
  void SetFlowText(const wchar_t* text);
  void SetClockTime(int hour, int minute);
  void UpdateGameEffect();
  void UpdateCustomEffect();
  void UpdateGIFEffect();

protected:
  int GetDragType(CPoint point, CRect rect) const;
  static const wchar_t* GetDragCursor(int type);
  void DrawRoundRectange(Gdiplus::Graphics& g, float x, float y, float width, float height, float radius,
                         Gdiplus::Color fill, float penWidth, Gdiplus::Color pen);
  HBITMAP CreateARGB32Bitmap(HDC hdc, int width, int height, BYTE** bits);
  CRect GetRealRect(CRect rect) const;
  void CalFrameSelect();
  static CRect GetImageRect(int width, int height, CRect rect);
  static int GetEncoderClsid(const wchar_t* mime, CLSID* clsid);
  // Takes the keyboard picture over (null for none).
  void SetKeyboardPicture(Gdiplus::Image* image);
  CRect LayerDisplayRect(const LAYERITEM_INFO& layer) const;

  // ---- music rendering ----
  void DrawMusicEffect(PictureTarget& g);
  float GetRainbowTime(float speed) const;
  COLORREF ApplyBeatBoost(COLORREF colour, float factor) const;
  static COLORREF GetRainbowColorFromHue(float hue);
  static COLORREF HSVtoRGB(float hue, float saturation, float value);
  static COLORREF GetFlowingRainbowColor(float position, float speed, float scale);
  static COLORREF GetMusicResponsiveColor(float bass, float mid, float high);
  float GetBassEnergy() const { return m_audio.bass; }
  float GetMidEnergy() const { return m_audio.mid; }
  float GetHighEnergy() const { return m_audio.high; }
  float GetBeatStrength() const { return m_audio.beatStrength; }
  float GetBeatBoost() const { return m_audio.beatBoost; }
  bool IsBeat() const { return m_audio.beat; }
  bool HasFFTData() const { return m_audio.hasFFT; }
  float GetFFTSpectrum32(int index) const;
  float GetFFTSpectrum64(int index) const;

  // Spectrum and bar painters.
  void DrawLEDSpectrumBars(PictureTarget& g, CRect rect, bool colourful, COLORREF colour);
  void DrawMirrorRhythm(PictureTarget& g, CRect rect, bool colourful, COLORREF colour);
  void DrawClassicSpectrum(PictureTarget& g, CRect rect, bool colourful, COLORREF colour);
  void DrawRadialPulse(PictureTarget& g, CRect rect, bool colourful, COLORREF colour);
  void DrawHorizontalBars(PictureTarget& g, CRect rect, bool colourful, COLORREF colour);
  void DrawLeftToRight(PictureTarget& g, CRect rect, bool colourful, COLORREF colour);
  void DrawCenterMirror(PictureTarget& g, CRect rect, bool colourful, COLORREF colour);
  void DrawHeartBeat(PictureTarget& g, CRect rect, bool colourful, COLORREF colour);
  void DrawRadialGradient(PictureTarget& g, CRect rect, bool colourful, COLORREF colour);
  // Wave, ray and ring painters.
  void DrawEnergyRipples(PictureTarget& g, CRect rect, bool colourful, COLORREF colour);
  void DrawLinearWave(PictureTarget& g, CRect rect, bool colourful, COLORREF colour);
  void DrawRotatingRays(PictureTarget& g, CRect rect, bool colourful, COLORREF colour);
  void DrawBreathing(PictureTarget& g, CRect rect, bool colourful, COLORREF colour);
  void DrawTriangleWave(PictureTarget& g, CRect rect, bool colourful, COLORREF colour);
  void DrawTidalResonance(PictureTarget& g, CRect rect, bool colourful, COLORREF colour);
  void DrawSoundWave(PictureTarget& g, CRect rect, bool colourful, COLORREF colour);
  // Scene painters.
  void DrawAfternoonSun(PictureTarget& g, CRect rect, bool colourful, COLORREF colour);
  void DrawThreeBody(PictureTarget& g, CRect rect, bool colourful, COLORREF colour);
  void DrawGravityField(PictureTarget& g, CRect rect, bool colourful, COLORREF colour);
  void DrawFlameGradient(PictureTarget& g, CRect rect, bool colourful, COLORREF colour);
  void DrawGlowEllipse(PictureTarget& g, float x, float y, float radius, COLORREF colour);
  void DrawGlowRect(PictureTarget& g, float x, float y, float width, float height, COLORREF colour);

  // ---- state ----
  // Painter memory kept between frames (per canvas; renderings of one canvas are
  // serialised by the layer lock).
  struct PainterMemory {
    float ledBars[64] = {};
    float horizontalBars[32] = {};
    float classicBars[128] = {};
    float radialSpokes[64] = {};
    bool waveOffsetsSet = false;
    DWORD waveChangeTick = 0;
    float waveFrom[8][2] = {};
    float waveTo[8][2] = {};
  };

  int m_zephraMode = ZEPHRA_MUSIC;
  COLORREF m_colorMap[MAP_COLUMNS * MAP_ROWS] = {};  // column x 8 + row
  BYTE m_keyMap[256] = {};
  int m_mapRows = 8;
  int m_mapColumns = 19;
  CPoint m_keyOffset{6, 6};
  int m_layoutWidth = 0;
  int m_layoutHeight = 0;
  int m_frameSelect = 1;

  CriticalSection m_keyLock;
  std::vector<std::unique_ptr<KEYITEM_INFO>> m_keyItems;
  std::vector<KEYITEM_INFO*> m_keyView;  // the same records, handed out by GetKeyItems
  std::vector<std::unique_ptr<KEYITEM_INFO>> m_retiredItems;  // freed by the next ClearItem

  CriticalSection m_layerLock;
  std::vector<std::unique_ptr<LAYERITEM_INFO>> m_layers;
  int m_selectedLayer = -1;
  int m_hoverLayer = -1;
  int m_dragType = 0;
  CRect m_dragRect;
  CPoint m_downPoint;
  CPoint m_rdownPoint;

  // One step or hidden rendering at a time; the other thread skips its turn.
  CriticalSection m_stepLock;
  EffectSources m_sources;

  std::unique_ptr<Gdiplus::Image> m_keyboardImage;
  CString m_keyboardImageFile;
  std::unique_ptr<Gdiplus::StringFormat> m_keyFormat;

  // GIF
  CriticalSection m_gifLock;
  std::unique_ptr<Gdiplus::Image> m_gif;
  int m_gifWidth = 0, m_gifHeight = 0;
  GifTiming m_gifTiming;
  CPoint m_gifPosition{10, 10};
  float m_gifScale = 1.0f;
  int m_gifScaledWidth = 0, m_gifScaledHeight = 0;
  double m_counterFrequency = 0;

  float m_gamePhase = 0;
  PresetState m_preset;

  // Screen and window capture
  HWND m_captureWindow = nullptr;
  ScreenCaptureConfig m_screenConfig;
  DWORD m_lastCaptureTick = 0;
  int m_captureInterval = 40;
  ScreenColors::DominantColour m_dominant;

  // Audio and music
  AudioState m_audio;
  int m_triggerCount = 0;
  float m_volumeHistory[VOLUME_HISTORY] = {};
  int m_historyNext = 0;
  int m_musicMode = 1;
  int m_musicAmplitude = 200;
  float m_musicScale = 1.0f;
  int m_musicColorful = 1;
  COLORREF m_musicColor = 0xFF9600;
  PainterMemory m_painter;

private:
  // Where a key reads its colour in a hidden rendering, and whether the key is drawn
  // there (only when a later key reads a pixel it covers).
  struct KeySample {
    CRect rect;  // displaced by the key offset
    POINT at{};
    bool sampled = false;  // a record with a rectangle
    bool inside = false;   // the point lies on the canvas
    bool covers = false;
  };

  // The shown rendering: the picture, the keys sampled from dc (the control's size), the
  // selected layer's frame.
  void RenderCanvas(HDC dc, int width, int height);
  void DrawKeys(Gdiplus::Graphics& g, HDC dc, int width, int height);
  void DrawKey(Gdiplus::Graphics& g, const KEYITEM_INFO& item, const CRect& r);
  static POINT SamplePoint(const CRect& displaced);
  Gdiplus::Font* KeyFont();
  // Whether the mode paints its own picture (music, or GIF with a picture).
  bool PaintsPicture() const;
  // Black and the music layers (hidden: with the layer frame), or the GIF on black (shown)
  // or on the keyboard picture (hidden).
  void PaintPicture(PictureTarget& target, bool hidden);
  const DWORD* KeyboardPicture(int width, int height);
  void DrawLayerFrame(PictureTarget& target);
  void DrawLayerFrame(Gdiplus::Graphics& g);
  void DrawGif(PictureTarget& g);
  // The GIF's current frame copied to 32-bit ARGB (gif lock held); null when it cannot be.
  Gdiplus::Image* GifFrame();
  // The hidden rendering: only the keys' sample points are painted.
  void RenderHidden();
  void LocateSamples(int width, int height);
  bool IsWindowShown() const;
  void GiveKeysTheirCells();
  void RecomputeGifSize();
  void Repaint();
  // Whether a step may ask the shown window for a new picture now (see PicturePace).
  bool MayAskForPicture();

  PicturePace m_pace;

  // Rendering caches, used under the step lock.
  PictureTarget m_shownPicture;
  PictureTarget m_sampledPicture;
  PictureTarget m_keyboardPicture;  // the keyboard picture stretched to the control
  unsigned m_keyboardImageGeneration = 1;  // counts keyboard pictures set
  unsigned m_keyboardPictureGeneration = 0;  // the one m_keyboardPicture holds (0: none)
  std::vector<KeySample> m_keySamples;
  std::vector<POINT> m_samplePoints;
  unsigned m_keyLayout = 0;  // counts key list changes (key lock)
  std::unique_ptr<Gdiplus::Font> m_keyFont;
  CString m_keyFontName;
  int m_keyFontStyle = -1;
  const Gdiplus::FontFamily* m_keyFontFamily = nullptr;
  std::vector<DWORD> m_capturePixels;
  std::unique_ptr<Gdiplus::Bitmap> m_gifFrame;  // of m_gif (gif lock)
  int m_gifFrameIndex = -1;
  unsigned m_gifGeneration = 0;  // counts pictures set (gif lock)
  // What a hidden GIF picture was painted from, and its pixels.
  struct GifPictureKey {
    unsigned gif = 0, keyboard = 0, layout = 0;
    int frame = -1, x = 0, y = 0, width = 0, height = 0;
    bool operator==(const GifPictureKey&) const = default;
  };
  GifPictureKey m_gifPictureKey;
  std::vector<DWORD> m_gifPicture;
};
