#include "canvas/ZephraEffect.h"

#include <algorithm>
#include "core/MRender.h"
#include "core/Manager.h"
#include "core/PaintManager.h"

// Defined here so that callers can take their address (they are exported with the class).
const int ZephraEffect::SPECTRUM_SIZE;
const int ZephraEffect::VOLUME_HISTORY;
const int ZephraEffect::MAP_COLUMNS;
const int ZephraEffect::MAP_ROWS;

ZephraEffect::ZephraEffect(MObject* parent, unsigned id, CRect rect, int visible)
    : MPanel(parent, id, rect, visible), m_sources(EffectSources::System()) {
  m_bRunTimer = 1;
  m_keyFormat = std::make_unique<Gdiplus::StringFormat>();
  m_keyFormat->SetAlignment(Gdiplus::StringAlignmentCenter);
  m_keyFormat->SetLineAlignment(Gdiplus::StringAlignmentCenter);
  m_keyFormat->SetFormatFlags(Gdiplus::StringFormatFlagsNoWrap | Gdiplus::StringFormatFlagsMeasureTrailingSpaces);
  m_captureInterval = 1000 / (m_screenConfig.fpsChoice * 5 + 10);
  LARGE_INTEGER frequency{};
  ::QueryPerformanceFrequency(&frequency);
  m_counterFrequency = double(frequency.QuadPart);
}

ZephraEffect::~ZephraEffect() = default;
const wchar_t* ZephraEffect::GetClassNameW() const { return L"ZephraEffect"; }

void ZephraEffect::InitControl(PaintManager* manager) {
  MPanel::InitControl(manager);
  SetControlRect(m_rcControl);
}

void ZephraEffect::SetControlRect(CRect rect) {
  m_rcControl = rect;
  if (!rect.IsRectEmpty() && m_layoutWidth != 0 && m_layoutHeight != 0)
    m_keyOffset = CPoint((rect.Width() - m_layoutWidth) / 2, 20);
  Repaint();
}

long ZephraEffect::OnMessage(unsigned id, unsigned code, unsigned wParam, long lParam) {
  return m_pParent ? m_pParent->OnBaseMessage(id, code, wParam, lParam) : 0;
}

void ZephraEffect::Repaint() {
  if (m_bVisible) UpdateControl(1, 0);
}

// ---- keys ----

std::vector<KEYITEM_INFO*> ZephraEffect::GetKeyItems() {
  CriticalSectionLock lock(m_keyLock);
  return m_keyView;
}

void ZephraEffect::SetKeyItems(const std::vector<KEYITEM_INFO>& items) {
  ClearItem();
  for (const KEYITEM_INFO& item : items)
    AddKeyItem(item.name.GetString(), item.keyCode, item.rect, item.column, item.row);
  CriticalSectionLock lock(m_keyLock);
  for (size_t i = 0; i < items.size() && i < m_keyView.size(); ++i) {
    m_keyView[i]->selected = items[i].selected;
    m_keyView[i]->color = items[i].color;
  }
}

int ZephraEffect::AddKeyItem(const wchar_t* name, DWORD keyCode, CRect rect, int column, int row) {
  auto item = std::make_unique<KEYITEM_INFO>();
  item->column = column;
  item->row = row;
  item->keyCode = keyCode;
  item->name = name;
  item->rect = rect;
  CriticalSectionLock lock(m_keyLock);
  m_keyView.push_back(item.get());
  m_keyItems.push_back(std::move(item));
  ++m_keyLayout;
  return int(m_keyItems.size()) - 1;
}

void ZephraEffect::ClearItem() {
  CriticalSectionLock lock(m_keyLock);
  m_retiredItems = std::move(m_keyItems);
  m_keyItems.clear();
  m_keyView.clear();
  ++m_keyLayout;
}

void ZephraEffect::SetColorMap(int column, int row, COLORREF colour) {
  if (column < 0 || column >= MAP_COLUMNS || row < 0 || row >= MAP_ROWS) return;
  m_colorMap[column * MAP_ROWS + row] = colour;
  if (m_zephraMode != ZEPHRA_COLOR_MAP) return;
  CriticalSectionLock lock(m_keyLock);
  for (KEYITEM_INFO* item : m_keyView) {
    if (item->column == column && item->row == row) {
      item->color = colour;
      return;
    }
  }
}

COLORREF ZephraEffect::GetColorMap(int column, int row) const {
  if (column < 0 || column >= MAP_COLUMNS || row < 0 || row >= MAP_ROWS) return 0;
  return m_colorMap[column * MAP_ROWS + row];
}

void ZephraEffect::SetKeyMap(const BYTE map[256], int rows, int columns) {
  if (map) std::copy(map, map + 256, m_keyMap);
  // The effect grids index the 32 x 8 colour map: wider or taller grids would leave it.
  m_mapRows = std::clamp(rows, 1, MAP_ROWS);
  m_mapColumns = std::clamp(columns, 1, MAP_COLUMNS);
}

void ZephraEffect::GiveKeysTheirCells() {
  CriticalSectionLock lock(m_keyLock);
  for (KEYITEM_INFO* item : m_keyView) item->color = GetColorMap(item->column, item->row);
}

void ZephraEffect::SetKeyboardImage(const wchar_t* file) {
  m_keyboardImageFile = file;
  SetKeyboardPicture(file && *file ? MRender::LoadImageFromFile(GetSkinsFolder() + file) : nullptr);
}

void ZephraEffect::SetKeyboardPicture(Gdiplus::Image* image) {
  CriticalSectionLock lock(m_stepLock);
  m_keyboardImage.reset(image);
  ++m_keyboardImageGeneration;
}

void ZephraEffect::SetWidthAndHeight(int width, int height) {
  m_layoutWidth = width;
  m_layoutHeight = height;
  if (!m_rcControl.IsRectEmpty()) m_keyOffset = CPoint(20, 25);
}

void ZephraEffect::SetZephraMode(int mode) {
  m_zephraMode = mode;
  m_keyOffset = CPoint(20, 25);
  Repaint();
}

CRect ZephraEffect::GetRealRect(CRect rect) const {
  rect.OffsetRect(m_keyOffset);
  return rect;
}

void ZephraEffect::CalFrameSelect() {
  CRect frame(std::min(m_rdownPoint.x, m_downPoint.x), std::min(m_rdownPoint.y, m_downPoint.y),
              std::max(m_rdownPoint.x, m_downPoint.x), std::max(m_rdownPoint.y, m_downPoint.y));
  const bool tooSmall = frame.Width() < 6 || frame.Height() < 6;
  CriticalSectionLock lock(m_keyLock);
  for (KEYITEM_INFO* item : m_keyView) {
    CRect key = GetRealRect(item->rect);
    key.OffsetRect(m_rcControl.TopLeft());
    CRect meet;
    item->selected = !tooSmall && meet.IntersectRect(key, frame) ? 1 : 0;
  }
}

CRect ZephraEffect::GetImageRect(int width, int height, CRect rect) {
  if (width <= 0 || height <= 0) return rect;
  int w = width, h = height;
  if (w > rect.Width() || h > rect.Height()) {
    const double scale = std::min(double(rect.Width()) / w, double(rect.Height()) / h);
    w = int(w * scale);
    h = int(h * scale);
  }
  const int left = rect.left + (rect.Width() - w) / 2, top = rect.top + (rect.Height() - h) / 2;
  return CRect(left, top, left + w, top + h);
}

int ZephraEffect::GetEncoderClsid(const wchar_t* mime, CLSID* clsid) {
  UINT count = 0, size = 0;
  if (Gdiplus::GetImageEncodersSize(&count, &size) != Gdiplus::Ok || size == 0) return -1;
  std::vector<BYTE> buffer(size);
  auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
  if (Gdiplus::GetImageEncoders(count, size, codecs) != Gdiplus::Ok) return -1;
  for (UINT i = 0; i < count; ++i) {
    if (mime && wcscmp(codecs[i].MimeType, mime) == 0) {
      if (clsid) *clsid = codecs[i].Clsid;
      return int(i);
    }
  }
  return -1;
}

HBITMAP ZephraEffect::CreateARGB32Bitmap(HDC hdc, int width, int height, BYTE** bits) {
  return MRender::CreateARGB32Bitmap(hdc, width, height, bits);
}

void ZephraEffect::DrawRoundRectange(Gdiplus::Graphics& g, float x, float y, float width, float height, float r,
                                     Gdiplus::Color fill, float penWidth, Gdiplus::Color pen) {
  Gdiplus::GraphicsPath path;
  const float d = 2 * r;
  path.AddLine(x + r, y, x + width - r, y);
  path.AddArc(x + width - d, y, d, d, 270, 90);
  path.AddLine(x + width, y + r, x + width, y + height - r);
  path.AddArc(x + width - d, y + height - d, d, d, 0, 90);
  path.AddLine(x + width - r, y + height, x + r, y + height);
  path.AddArc(x, y + height - d, d, d, 90, 90);
  path.AddLine(x, y + height - r, x, y + r);
  path.AddArc(x, y, d, d, 180, 90);
  path.CloseFigure();
  Gdiplus::SolidBrush brush(fill);
  g.FillPath(&brush, &path);
  if (penWidth != 0) {
    Gdiplus::Pen outline(pen, penWidth);
    g.DrawPath(&outline, &path);
  }
}

// ---- layers ----

CRect ZephraEffect::LayerDisplayRect(const LAYERITEM_INFO& layer) const {
  const int w = layer.rect.Width(), h = layer.rect.Height();
  const int sw = int(float(w) * layer.scale), sh = int(float(h) * layer.scale);
  const int left = layer.rect.left + w / 2 - sw / 2, top = layer.rect.top + h / 2 - sh / 2;
  return CRect(left, top, left + sw, top + sh);
}

int ZephraEffect::AddLightLayer(int type, CRect rect) {
  CriticalSectionLock lock(m_layerLock);
  for (const auto& layer : m_layers)
    if (layer->type == type) return -1;
  auto layer = std::make_unique<LAYERITEM_INFO>();
  layer->type = type;
  layer->rect = rect.IsRectEmpty() ? CRect(0, 0, m_rcControl.Width(), m_rcControl.Height()) : rect;
  m_layers.push_back(std::move(layer));
  m_selectedLayer = int(m_layers.size()) - 1;
  return m_selectedLayer;
}

void ZephraEffect::DeleteLightLayer(int type) {
  {
    CriticalSectionLock lock(m_layerLock);
    auto found = std::find_if(m_layers.begin(), m_layers.end(), [type](const auto& l) { return l->type == type; });
    if (found == m_layers.end()) {
      m_selectedLayer = -1;
      return;
    }
    m_layers.erase(found);
  }
  Repaint();
}

void ZephraEffect::ClearLightLayer() {
  CriticalSectionLock lock(m_layerLock);
  m_layers.clear();
}

std::vector<LAYERITEM_INFO> ZephraEffect::GetLightLayers() {
  CriticalSectionLock lock(m_layerLock);
  std::vector<LAYERITEM_INFO> out;
  for (const auto& layer : m_layers) out.push_back(*layer);
  return out;
}

bool ZephraEffect::IsWindowShown() const {
  HWND window = m_pManager ? m_pManager->GetPaintWnd() : nullptr;
  return window && ::IsWindowVisible(window) && !::IsIconic(window);
}

int ZephraEffect::OnControlTimer() {
  // The timer thread and the worker both step the canvas; one step at a time.
  if (!m_stepLock.TryLock()) return 0;
  switch (m_zephraMode) {
    case ZEPHRA_SCREEN: UpdateScreenEffect(); break;
    case ZEPHRA_WINDOW: UpdateWindowEffect(); break;
    case ZEPHRA_GIF: {
      CriticalSectionLock lock(m_gifLock);
      GifFrames::Advance(m_gifTiming, m_sources.preciseMs());
      break;
    }
    case ZEPHRA_GAME: UpdateGameEffect(); break;
    case ZEPHRA_PRESET: UpdateCustomEffect(); break;
    default: break;
  }
  const bool shown = IsWindowShown();
  if (!shown) RenderHidden();
  m_stepLock.Unlock();
  if (!shown) return 0;
  // The timer runs faster than a big canvas paints: the window is asked for a new
  // picture only once it has painted the last one and had time for its input.
  if (m_bVisible && MayAskForPicture()) Repaint();
  return 1;
}

bool ZephraEffect::MayAskForPicture() {
  HWND window = m_pManager ? m_pManager->GetPaintWnd() : nullptr;
  RECT pending{};
  const bool windowHasPaint = window && ::GetUpdateRect(window, &pending, FALSE);
  return m_pace.Ask(m_sources.preciseMs(), windowHasPaint);
}
