#include "canvas/MatrixScreen.h"

#include <algorithm>
#include "canvas/ColorMath.h"
#include "core/MRender.h"
#include "core/PaintManager.h"

const int MatrixScreen::BAND_COUNT;
const int MatrixScreen::WAVE_SIZE;
const int MatrixScreen::CELL_COUNT;
const int MatrixScreen::SIDE;
MatrixScreen::SharedState MatrixScreen::s_shared;

MatrixScreen::MatrixScreen(MObject* parent, unsigned id, CRect rect, int visible)
    : MPanel(parent, id, rect, visible), m_sources(EffectSources::System()) {
  m_bRunTimer = 1;
  m_lastUpdateTick = Now();
  Initialize();
}

MatrixScreen::~MatrixScreen() = default;
const wchar_t* MatrixScreen::GetClassNameW() const { return L"MatrixScreen"; }

void MatrixScreen::InitControl(PaintManager* manager) {
  MPanel::InitControl(manager);
  SetControlRect(m_rcControl);
}

void MatrixScreen::SetControlRect(CRect rect) {
  m_rcControl = rect;
  if (m_bVisible) UpdateControl(1, 0);
}

long MatrixScreen::OnMessage(unsigned, unsigned, unsigned, long) { return 1; }
int MatrixScreen::OnControlScroll(int, unsigned, CPoint) { return 1; }
int MatrixScreen::OnControlRButtonDown(unsigned, CPoint) { return 1; }
int MatrixScreen::OnControlRButtonUp(unsigned, CPoint) { return 1; }

// ---- cells ----

void MatrixScreen::Initialize() {
  CriticalSectionLock lock(m_cellLock);
  // A second call would append 49 more cells with ids the program's 49-entry buffers
  // cannot hold.
  if (!m_cells.empty()) return;
  m_nextId = 0;
  for (int r = 0; r < m_rows; ++r)
    for (int c = 0; c < m_columns; ++c) AddItem(r, c, m_nextId);
}

int MatrixScreen::AddItem(int row, int column, int id) {
  auto cell = std::make_unique<MATRIXITEM_INFO>();
  cell->row = row;
  cell->column = column;
  cell->id = id;
  CriticalSectionLock lock(m_cellLock);
  m_cellView.push_back(cell.get());
  m_cells.push_back(std::move(cell));
  ++m_nextId;
  return int(m_cells.size());
}

void MatrixScreen::ClearItem() {
  CriticalSectionLock lock(m_cellLock);
  m_cellView.clear();
  m_cells.clear();
}

std::vector<MATRIXITEM_INFO*> MatrixScreen::GetKeyItems() {
  CriticalSectionLock lock(m_cellLock);
  return m_cellView;
}

// ---- settings and audio ----

void MatrixScreen::SetMatrixScreenColorful(bool colourful) {
  m_colourful = colourful;
  if (m_bVisible) UpdateControl(1, 0);
}

void MatrixScreen::SetMatrixScreenColor(COLORREF colour) {
  m_singleColor = colour;
  if (m_bVisible) UpdateControl(1, 0);
}

void MatrixScreen::SetBrightness(float brightness) { m_brightness = std::clamp(brightness, 0.0f, 1.0f); }

void MatrixScreen::SetAnimationSpeed(float speed) {
  m_speed = std::clamp(speed, 0.0f, 9.0f);
  m_tickLimit = int(9.0f - m_speed);
}

void MatrixScreen::SetAudioAmplitude(float amplitude) { m_amplitude = std::clamp(amplitude, 0.0f, 100.0f); }

void MatrixScreen::SetAudioData(const float values[], int count) {
  if (!values || count <= 0) return;
  const int used = std::min(count, BAND_COUNT);
  for (int i = 0; i < BAND_COUNT; ++i)
    m_levels[i] = i < used ? std::clamp(values[i] * m_masterVolume * kInputGain, 0.0f, 1.0f) : 0.0f;
}

void MatrixScreen::SetMasterVolume(float volume) { m_masterVolume = std::clamp(volume, 0.0f, 2.0f); }

void MatrixScreen::SetInputWave(const float values[], int count) {
  const int used = values && count > 0 ? std::min(count, WAVE_SIZE) : 0;
  std::fill(std::begin(m_wave), std::end(m_wave), 0.0f);
  if (used) std::copy(values, values + used, m_wave);
  m_waveCount = used ? count : 0;
}

float MatrixScreen::GetAudioLevel(int band) const { return band >= 0 && band < BAND_COUNT ? m_levels[band] : 0.0f; }
float MatrixScreen::GetInputWave(int index) const { return index >= 0 && index < WAVE_SIZE ? m_wave[index] : 0.0f; }

// ---- colours ----

COLORREF MatrixScreen::ApplyBrightness(COLORREF colour) const {
  if (m_brightness >= 1.0f) return colour;
  return ColorMath::Scale(colour, m_brightness);
}

COLORREF MatrixScreen::HSVtoRGB(int hue, int saturation, int value) {
  return ColorMath::HsvToColorInt(hue, saturation, value);
}

COLORREF MatrixScreen::GetCyclicColor(float fraction) {
  const float offset = NextRainbowOffset();
  return HSVtoRGB(int(fraction * 360 + offset) % 360, 255, 255);
}

HBITMAP MatrixScreen::CreateARGB32Bitmap(HDC hdc, int width, int height, BYTE** bits) {
  return MRender::CreateARGB32Bitmap(hdc, width, height, bits);
}

// ---- drawing ----

void MatrixScreen::DrawRoundRectange(Gdiplus::Graphics& g, CRect rect, Gdiplus::Color colour) {
  const float w = float(rect.Width()), h = float(rect.Height());
  if (w <= 0 || h <= 0) return;
  float rx = w / 4, ry = h / 4;
  if (std::abs(rx - ry) > 10) rx = ry = std::min(rx, ry);
  const float l = float(rect.left), t = float(rect.top), r = float(rect.right), b = float(rect.bottom);
  Gdiplus::GraphicsPath path;
  path.AddLine(l + rx, t, r - rx, t);
  path.AddArc(r - 2 * rx, t, 2 * rx, 2 * ry, 270, 90);
  path.AddLine(r, t + ry, r, b - ry);
  path.AddArc(r - 2 * rx, b - 2 * ry, 2 * rx, 2 * ry, 0, 90);
  path.AddLine(r - rx, b, l + rx, b);
  path.AddArc(l, b - 2 * ry, 2 * rx, 2 * ry, 90, 90);
  path.AddLine(l, b - ry, l, t + ry);
  path.AddArc(l, t, 2 * rx, 2 * ry, 180, 90);
  path.CloseFigure();
  Gdiplus::SolidBrush brush(colour);
  g.FillPath(&brush, &path);
  Gdiplus::Pen pen(colour, 1);
  g.DrawPath(&pen, &path);
}

void MatrixScreen::LayOutCells() {
  const int width = m_rcControl.Width();
  const int side = (width - 10 * (m_rows + 1)) / m_rows;
  int x = 10, y = 10;
  for (MATRIXITEM_INFO* cell : m_cellView) {
    cell->rect = CRect(x, y, x + side, y + side);
    x += side + 10;
    if (x + side > width) {
      x = 10;
      y += side + 10;
    }
  }
}

void MatrixScreen::DrawCells(HDC dc) {
  Gdiplus::Graphics g(dc);
  g.SetTextRenderingHint(Gdiplus::TextRenderingHintClearTypeGridFit);
  g.SetSmoothingMode(Gdiplus::SmoothingModeHighQuality);
  CriticalSectionLock lock(m_cellLock);
  LayOutCells();
  for (MATRIXITEM_INFO* cell : m_cellView) {
    const COLORREF c = cell->color;
    DrawRoundRectange(g, cell->rect, Gdiplus::Color(255, GetRValue(c), GetGValue(c), GetBValue(c)));
  }
}

void MatrixScreen::DrawControl(HDC& hdc, CRect) {
  const int w = m_rcControl.Width(), h = m_rcControl.Height();
  if (w <= 0 || h <= 0) return;
  if (!m_bUpdate || !GetMemDC()) {
    UpdateMemDC(hdc, w, h);
    if (!GetMemDC()) return;
    ::BitBlt(GetMemDC(), 0, 0, w, h, hdc, m_rcControl.left, m_rcControl.top, SRCCOPY);
    DrawCells(GetMemDC());
  }
  ::BitBlt(hdc, m_rcControl.left, m_rcControl.top, w, h, GetMemDC(), 0, 0, SRCCOPY);
}

void MatrixScreen::DrawHideControl() {
  // A hidden drawing goes to a bitmap nobody sees: what it leaves behind is the cells'
  // layout, so that is all it does.
  CriticalSectionLock lock(m_cellLock);
  LayOutCells();
}

bool MatrixScreen::IsWindowShown() const {
  HWND window = m_pManager ? m_pManager->GetPaintWnd() : nullptr;
  return window && ::IsWindowVisible(window) && !::IsIconic(window);
}

int MatrixScreen::OnControlTimer() {
  if (!m_animate) return 0;
  const int c = m_tickCounter++;
  if (c <= m_tickLimit) return 1;
  m_tickCounter = 0;
  UpdatePresetAnimation();
  if (!IsWindowShown()) {
    DrawHideControl();
    return 0;
  }
  if (m_bVisible && m_pParent) m_pParent->OnControlUpdate(m_rcControl, 1, this);
  return 1;
}

// ---- mouse painting ----

int MatrixScreen::OnControlLButtonDown(unsigned, CPoint point) {
  m_lastPoint = point;
  return 1;
}

int MatrixScreen::OnControlMouseMove(unsigned flags, CPoint point) {
  if (!m_bEnabled || m_preset != MATRIX_HAND_PAINTING) return 0;
  if (!(flags & (MK_LBUTTON | MK_RBUTTON)) || !m_rcControl.PtInRect(point)) return 1;
  if (std::abs(point.x - m_lastPoint.x) <= 20 && std::abs(point.y - m_lastPoint.y) <= 20) return 1;
  {
    CriticalSectionLock lock(m_cellLock);
    for (MATRIXITEM_INFO* cell : m_cellView) {
      CRect r = cell->rect;
      r.OffsetRect(m_rcControl.TopLeft());
      if (r.PtInRect(point)) {
        cell->color = m_singleColor;
        break;
      }
    }
  }
  m_lastPoint = point;
  if (m_bVisible) UpdateControl(1, 0);
  return 1;
}

int MatrixScreen::OnControlLButtonUp(unsigned, CPoint point) {
  if (!m_bEnabled || m_preset != MATRIX_HAND_PAINTING) return 0;
  {
    CriticalSectionLock lock(m_cellLock);
    for (MATRIXITEM_INFO* cell : m_cellView) {
      CRect r = cell->rect;
      r.OffsetRect(m_rcControl.TopLeft());
      if (r.PtInRect(point)) {
        cell->color = cell->color == m_singleColor ? 0 : m_singleColor;
        break;
      }
    }
  }
  if (m_pParent) m_pParent->OnBaseMessage(m_uID, 2, 0, 0);
  return 1;
}

// ---- presets ----

void MatrixScreen::PutCell(int x, int y, COLORREF colour) {
  if (x < 0 || x >= SIDE || y < 0 || y >= SIDE) return;
  const size_t index = size_t(y * SIDE + x);
  if (index < m_cellView.size()) m_cellView[index]->color = colour;
}

void MatrixScreen::ClearCells() {
  for (MATRIXITEM_INFO* cell : m_cellView) cell->color = 0;
}

COLORREF MatrixScreen::ScaledSingle(float f) const { return ColorMath::Scale(m_singleColor, f); }

void MatrixScreen::SetPixelColor(int x, int y, COLORREF colour) {
  if (x < 0 || x >= SIDE || y < 0 || y >= SIDE) return;
  PutCell(x, y, ApplyBrightness(colour));
}

void MatrixScreen::DrawGlyph(const bool glyph[35], COLORREF colour) {
  for (int r = 0; r < 7; ++r)
    for (int c = 0; c < 5; ++c)
      if (glyph[r * 5 + c]) SetPixelColor(1 + c, r, colour);
}

void MatrixScreen::DisplayNumber(int digit, COLORREF colour) {
  if (digit < 0 || digit > 9) return;
  // Through SetPixelColor, so a short cell list is never written past its end.
  DrawGlyph(s_numberPatterns[digit], colour);
}

void MatrixScreen::SetPresetMode(int preset) {
  CriticalSectionLock lock(m_cellLock);  // a step on the timer thread may be walking this state
  ClearCells();
  m_preset = preset;
  m_effectClock = 0;
  const DWORD now = Now();
  m_lastUpdateTick = now;
  switch (preset) {
    case MATRIX_COUNTDOWN: m_count = 10; break;
    case MATRIX_CLOCK: {
      SYSTEMTIME local{};
      ::GetLocalTime(&local);
      m_hour = local.wHour;
      m_minute = local.wMinute;
      break;
    }
    case MATRIX_TEXT_FLOW: m_textPosition = -7; break;
    case MATRIX_RIPPLE:
      m_rippleRadius = 0;
      m_rippleX = m_rippleY = 3.0f;
      break;
    case MATRIX_RAIN_DROP:
      m_drops.clear();
      m_dropTick = now;
      break;
    case MATRIX_SNAKE: {
      m_snake.clear();
      const int x = Rand() % 5 + 1;
      const int y = Rand() % 5 + 1;
      m_snake.push_back({x, y});
      static const int kDirections[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
      const int d = Rand() % 4;
      m_snakeDx = kDirections[d][0], m_snakeDy = kDirections[d][1];
      m_snakeTick = now;
      break;
    }
    case MATRIX_FIREWORKS:
      m_particles.clear();
      m_burstTick = now;
      break;
    case MATRIX_MATRIX_RAIN:
      m_trails.clear();
      for (int i = 0; i < 7; ++i) {
        const int head = -(Rand() % 10);
        const int length = Rand() % 4 + 3;
        m_trails.push_back({i, head, length});
      }
      break;
    case MATRIX_STARFIELD:
      m_stars.clear();
      for (int i = 0; i < 20; ++i) {
        Star s;
        s.x = float(Rand() % 7);
        s.y = float(Rand() % 7);
        s.z = float(Rand() % 10 + 1);
        s.speed = float(Rand() % 5) * 0.1f + 0.1f;
        m_stars.push_back(s);
      }
      break;
    case MATRIX_GAME_OF_LIFE:
      for (unsigned char& cell : m_life) cell = Rand() % 3 == 0 ? 1 : 0;
      m_lifeTick = now;
      break;
    case MATRIX_HEART: m_heartEffectPhase = 0; break;
    case MATRIX_SCAN:
      m_scanPosition = 0;
      m_scanTick = now;
      break;
    case MATRIX_TYPING:
      m_typingIndex = 0;
      m_typingTick = now;
      break;
    case MATRIX_RAINDROP_MATRIX:
      m_matrixDrops.clear();
      m_matrixDropTick = now;
      break;
    case MATRIX_TERMINAL:
      m_terminalIndex = 0;
      m_terminalTick = now;
      break;
    case MATRIX_RADIANT:
      m_radiantPhase = 0;
      m_rayLength = 0;
      m_radiantTick = now;
      break;
    default: break;
  }
}

void MatrixScreen::UpdatePresetAnimation() {
  if (m_preset == MATRIX_NONE) return;
  // The whole step holds the cell lock, so a preset change never reseeds under it.
  CriticalSectionLock lock(m_cellLock);
  const DWORD now = Now();
  const DWORD dt = now - m_lastUpdateTick;
  m_lastUpdateTick = now;
  switch (m_preset) {
    case MATRIX_COUNTDOWN: ApplyCountdownEffect(); break;
    case MATRIX_CLOCK: ApplyClockEffect(); break;
    case MATRIX_HEARTBEAT: ApplyHeartbeatEffect(); break;
    case MATRIX_TEXT_FLOW: ApplyTextFlowEffect(); break;
    case MATRIX_RAINBOW_WAVE: ApplyRainbowWaveEffect(); break;
    case MATRIX_BREATHING: ApplyBreathingEffect(); break;
    case MATRIX_RIPPLE: ApplyRippleEffect(); break;
    case MATRIX_SPIRAL: ApplySpiralEffect(); break;
    case MATRIX_CROSS_FADE: ApplyCrossFadeEffect(); break;
    case MATRIX_RAIN_DROP: ApplyRainDropEffect(); break;
    case MATRIX_SNAKE: ApplySnakeEffect(); break;
    case MATRIX_FIREWORKS: ApplyFireworksEffect(); break;
    case MATRIX_MATRIX_RAIN: ApplyMatrixRainEffect(); break;
    case MATRIX_PLASMA: ApplyPlasmaEffect(); break;
    case MATRIX_STARFIELD: ApplyStarfieldEffect(); break;
    case MATRIX_MANDELBROT: ApplyMandelbrotEffect(); break;
    case MATRIX_GAME_OF_LIFE: ApplyGameOfLifeEffect(); break;
    case MATRIX_WAVEFORM: ApplyWaveformEffect(); break;
    case MATRIX_TUNNEL: ApplyTunnelEffect(); break;
    case MATRIX_KALEIDOSCOPE: ApplyKaleidoscopeEffect(); break;
    case MATRIX_MUSIC_SPECTRUM: ApplyMusicSpectrumEffect(); break;
    case MATRIX_MUSIC_WAVE: ApplyMusicWaveEffect(); break;
    case MATRIX_MUSIC_PULSE: ApplyMusicPulseEffect(); break;
    case MATRIX_MUSIC_RAIN: ApplyMusicRainEffect(); break;
    case MATRIX_MUSIC_CIRCLE: ApplyMusicCircleEffect(); break;
    case MATRIX_MUSIC_HEARTBEAT: ApplyMusicHeartbeatEffect(); break;
    default: break;
  }
  m_effectClock += float(dt) / 1000.0f;
}

// clang-format off
const bool MatrixScreen::s_numberPatterns[10][35] = {
  {0,1,1,1,0, 1,0,0,0,1, 1,0,0,0,1, 1,0,0,0,1, 1,0,0,0,1, 1,0,0,0,1, 0,1,1,1,0},
  {0,0,1,0,0, 0,1,1,0,0, 0,0,1,0,0, 0,0,1,0,0, 0,0,1,0,0, 0,0,1,0,0, 0,1,1,1,0},
  {0,1,1,1,0, 1,0,0,0,1, 0,0,0,0,1, 0,0,0,1,0, 0,0,1,0,0, 0,1,0,0,0, 1,1,1,1,1},
  {0,1,1,1,0, 1,0,0,0,1, 0,0,0,0,1, 0,0,1,1,0, 0,0,0,0,1, 1,0,0,0,1, 0,1,1,1,0},
  {0,0,0,1,0, 0,0,1,1,0, 0,1,0,1,0, 1,0,0,1,0, 1,1,1,1,1, 0,0,0,1,0, 0,0,0,1,0},
  {1,1,1,1,1, 1,0,0,0,0, 1,1,1,1,0, 0,0,0,0,1, 0,0,0,0,1, 1,0,0,0,1, 0,1,1,1,0},
  {0,1,1,1,0, 1,0,0,0,0, 1,0,0,0,0, 1,1,1,1,0, 1,0,0,0,1, 1,0,0,0,1, 0,1,1,1,0},
  {1,1,1,1,1, 0,0,0,0,1, 0,0,0,1,0, 0,0,1,0,0, 0,1,0,0,0, 0,1,0,0,0, 0,1,0,0,0},
  {0,1,1,1,0, 1,0,0,0,1, 1,0,0,0,1, 0,1,1,1,0, 1,0,0,0,1, 1,0,0,0,1, 0,1,1,1,0},
  {0,1,1,1,0, 1,0,0,0,1, 1,0,0,0,1, 0,1,1,1,1, 0,0,0,0,1, 0,0,0,0,1, 0,1,1,1,0},
};
// clang-format on
