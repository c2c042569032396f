#include "widgets/ImageView.h"
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include "core/MRender.h"
#include "core/PaintManager.h"
#include "widgets/DibCanvas.h"
#include "widgets/EditWorkingCopy.h"
#include "widgets/FileWrite.h"
#include "widgets/PictureFit.h"
#include "widgets/PngFile.h"
#include "widgets/SkinPicture.h"

namespace {
constexpr int kMinLayerSize = 6;
constexpr int kMaxLayerSize = 60;
constexpr int kTextMoveSlack = 2;    // px a text drag must exceed
constexpr int kStrokeMoveSlack = 6;  // px a stroke point must be away from the last
const Gdiplus::ARGB kHighlight = 0xFF06B025;
const Gdiplus::ARGB kGridColor = 0xC8646464;

Gdiplus::ARGB OpaqueFromColorref(unsigned long c) {
  return 0xFF000000u | (static_cast<Gdiplus::ARGB>(GetRValue(c)) << 16) |
         (static_cast<Gdiplus::ARGB>(GetGValue(c)) << 8) | GetBValue(c);
}

DWORD SystemTick() { return ::GetTickCount(); }

Gdiplus::RectF ToRectF(const CRect& r) {
  return Gdiplus::RectF(static_cast<Gdiplus::REAL>(r.left), static_cast<Gdiplus::REAL>(r.top),
                        static_cast<Gdiplus::REAL>(r.Width()), static_cast<Gdiplus::REAL>(r.Height()));
}
}  // namespace

ImageView::ImageView(MObject* parent, unsigned id, CRect rect, int visible, int enabled)
    : MControlFont(parent, id, rect, L"", visible, enabled, 1), m_tick(&SystemTick) {}

ImageView::~ImageView() {
  DeleteLayers();
  CriticalSectionLock guard(m_previewLock);
  m_frames.clear();
}

const wchar_t* ImageView::GetClassNameW() const { return L"ImageView"; }

void ImageView::Repaint() {
  if (m_bVisible) UpdateControl(1, 0);
}

EDITLAYER_INFO* ImageView::LayerAt(int index) const {
  return index >= 0 && index < static_cast<int>(m_layers.size()) ? m_layers[index].get() : nullptr;
}

void ImageView::DeleteLayers() {
  CriticalSectionLock guard(m_layerLock);
  m_layers.clear();
}

int ImageView::GetLayerCount() {
  CriticalSectionLock guard(m_layerLock);
  return static_cast<int>(m_layers.size());
}

EDITLAYER_INFO ImageView::GetLayer(int index) {
  CriticalSectionLock guard(m_layerLock);
  const EDITLAYER_INFO* layer = LayerAt(index);
  return layer ? *layer : EDITLAYER_INFO();
}

CRect ImageView::GetImageRect(int width, int height, const CRect& box) const {
  return FitPictureRect(width, height, box);
}

std::unique_ptr<Gdiplus::Font> ImageView::MakeFont(int size) {
  Gdiplus::FontFamily* family = GetFontFamily(m_fontName);
  return std::make_unique<Gdiplus::Font>(family ? family : Gdiplus::FontFamily::GenericSansSerif(),
                                         static_cast<Gdiplus::REAL>(size), m_fontStyle, Gdiplus::UnitPixel);
}

// ---- opening and saving ----

CString ImageView::SetImage(const wchar_t* file) {
  m_current = -1;
  DeleteLayers();
  const CString source = file ? file : L"";
  m_workingPath = GetEditWorkingCopyPath(source);
  EnsureFolder(FolderOfFile(m_workingPath));
  if (!source.IsEmpty()) ::CopyFileW(source, m_workingPath, FALSE);

  m_sourcePath = source;
  m_picture = LoadPictureCopy(source);
  m_imageWidth = m_picture ? static_cast<int>(m_picture->GetWidth()) : 0;
  m_imageHeight = m_picture ? static_cast<int>(m_picture->GetHeight()) : 0;
  // Where the next redraw will show it, so that edits made before it land right.
  m_pictureRect = m_picture ? GetImageRect(m_imageWidth, m_imageHeight, CRect(0, 0, m_rcControl.Width(), m_rcControl.Height()))
                            : CRect();
  Repaint();
  return m_workingPath;
}

std::vector<uint8_t> ImageView::RenderPicture() {
  DibCanvas canvas(m_pManager ? m_pManager->GetPaintDC() : nullptr, m_imageWidth, m_imageHeight);
  if (!canvas.IsValid()) return {};
  {
    Gdiplus::Graphics g(canvas.GetDC());
    g.SetTextRenderingHint(Gdiplus::TextRenderingHintClearTypeGridFit);
    g.SetSmoothingMode(Gdiplus::SmoothingModeHighQuality);
    g.DrawImage(m_picture.get(), Gdiplus::Rect(0, 0, m_imageWidth, m_imageHeight));
    CRect origin = m_rcControl;
    origin.OffsetRect(m_pictureRect.left, m_pictureRect.top);
    DrawLayer(g, origin, false);
  }
  return canvas.ToOpaqueRgba();
}

void ImageView::SaveCurrentImage() {
  if (m_picture && m_imageWidth > 0 && m_imageHeight > 0 && !m_workingPath.IsEmpty()) {
    const std::vector<uint8_t> rgba = RenderPicture();
    if (!rgba.empty())
      PngFile::WriteRgba(m_workingPath, rgba.data(), static_cast<unsigned>(m_imageWidth),
                         static_cast<unsigned>(m_imageHeight));
  }
  SendMessageW(NOTIFY_IMAGE_SAVED, 0, 0);
}

void ImageView::SaveCurrentImage(CString path) {
  std::unique_ptr<Gdiplus::Image> picture = LoadPictureCopy(path);
  if (!picture) return;
  const int w = static_cast<int>(picture->GetWidth()), h = static_cast<int>(picture->GetHeight());
  if (w < m_rcControl.Width() && h < m_rcControl.Height()) return;
  const CRect fitted = GetImageRect(w, h, CRect(0, 0, m_rcControl.Width(), m_rcControl.Height()));
  DibCanvas canvas(m_pManager ? m_pManager->GetPaintDC() : nullptr, fitted.Width(), fitted.Height());
  if (!canvas.IsValid()) return;
  {
    Gdiplus::Graphics g(canvas.GetDC());
    g.SetSmoothingMode(Gdiplus::SmoothingModeHighQuality);
    g.DrawImage(picture.get(), Gdiplus::Rect(0, 0, fitted.Width(), fitted.Height()));
  }
  picture.reset();
  const std::vector<uint8_t> rgba = canvas.ToOpaqueRgba();
  PngFile::WriteRgba(path, rgba.data(), static_cast<unsigned>(fitted.Width()), static_cast<unsigned>(fitted.Height()));
}

void ImageView::SaveImageData() {
  std::vector<uint8_t> bytes;
  if (m_sourcePath.IsEmpty() || !ReadWholeFile(m_workingPath, bytes) || bytes.empty()) return;
  WriteFileReplacing(m_sourcePath, bytes.data(), bytes.size());
}

void ImageView::RecoverOriginalImage() {
  // The working copy is first rewritten from the unedited picture, so that what is
  // committed is the original and not the edits.
  ClearCurEdit();
  SaveImageData();
  Repaint();
}

// ---- edit operations ----

void ImageView::SetShowGridLine(int show) {
  m_grid = show;
  Repaint();
}

void ImageView::SetColorValue(unsigned long colour) {
  m_color = colour;
  {
    CriticalSectionLock guard(m_layerLock);
    if (EDITLAYER_INFO* layer = CurrentLayer()) layer->color = OpaqueFromColorref(colour);
  }
  Repaint();
  m_dirty = 0;
  SaveCurrentImage();
}

void ImageView::AddText(CString text) {
  auto layer = std::make_unique<EDITLAYER_INFO>();
  layer->type = 1;
  layer->size = m_fontSize;
  layer->color = OpaqueFromColorref(m_color);
  layer->text = text;
  layer->x = m_rcControl.left + m_rcControl.Width() / 2;
  layer->y = m_rcControl.top + m_rcControl.Height() / 2;
  {
    CriticalSectionLock guard(m_layerLock);
    m_layers.push_back(std::move(layer));
  }
  Repaint();
  m_dirty = 0;
  SaveCurrentImage();
}

void ImageView::AddImage(CString) {
  m_drawMode = IMAGE_DRAW_NONE;
  Repaint();
}

void ImageView::SetFontSize(int size) {
  m_fontSize = size;
  bool current = false;
  {
    CriticalSectionLock guard(m_layerLock);
    if (EDITLAYER_INFO* layer = CurrentLayer()) {
      current = true;
      if (layer->type == 1) layer->size = size;
    }
  }
  if (current) Repaint();
}

void ImageView::SetScale100(float) { Repaint(); }

void ImageView::ClearCurEdit() {
  m_current = -1;
  DeleteLayers();
  Repaint();
  SaveCurrentImage();
}

void ImageView::RecoverCurEdit() {
  m_current = -1;
  {
    CriticalSectionLock guard(m_layerLock);
    if (!m_layers.empty()) m_layers.pop_back();
  }
  Repaint();
  SaveCurrentImage();
}

// ---- preview ----

int ImageView::AddString(CString file, int delay, int frameId) {
  auto frame = std::make_unique<PREVIEWITEM_INFO>();
  frame->file = file;
  frame->thumbnail = LoadPictureCopy(file);
  if (frame->thumbnail) {
    frame->width = static_cast<int>(frame->thumbnail->GetWidth());
    frame->height = static_cast<int>(frame->thumbnail->GetHeight());
  }
  frame->delay = delay;
  frame->frameId = frameId;
  CriticalSectionLock guard(m_previewLock);
  m_frames.push_back(std::move(frame));
  return 1;
}

CString ImageView::GetItemImageFile(int index) {
  CriticalSectionLock guard(m_previewLock);
  return index >= 0 && index < static_cast<int>(m_frames.size()) ? m_frames[index]->file : CString();
}

int ImageView::GetItemCount() {
  CriticalSectionLock guard(m_previewLock);
  return static_cast<int>(m_frames.size());
}

int ImageView::DeleteAllItems() {
  CriticalSectionLock guard(m_previewLock);
  m_frames.clear();
  return 1;
}

void ImageView::SetImagePreviewMode(bool on) {
  CriticalSectionLock guard(m_previewLock);
  m_preview = on;
  m_previewCount = static_cast<int>(m_frames.size());
  m_previewIndex = 0;
  m_lastSwitch = m_tick();
}

int ImageView::OnControlTimer() {
  if (!m_bVisible || !m_preview) return 0;
  {
    CriticalSectionLock guard(m_previewLock);
    const int count = static_cast<int>(m_frames.size());
    if (count == 0) return 0;
    // The list may have been emptied and refilled while playing: never past its end.
    if (m_previewIndex >= count) m_previewIndex = 0;
    const DWORD now = m_tick();
    if (now - m_lastSwitch <= static_cast<DWORD>(std::max(0, m_frames[m_previewIndex]->delay))) return 0;
    const int wrap = std::min(m_previewCount, count);
    if (++m_previewIndex >= wrap) m_previewIndex = 0;
    m_lastSwitch = now;
  }
  Repaint();
  return 1;
}

// ---- mouse ----

Gdiplus::ARGB ImageView::ScreenColorAt(CPoint point) const {
  HWND window = m_pManager ? m_pManager->GetPaintWnd() : nullptr;
  if (!window) return 0xFF000000;
  HDC dc = ::GetDC(window);
  COLORREF c = dc ? ::GetPixel(dc, point.x, point.y) : CLR_INVALID;
  if (dc) ::ReleaseDC(window, dc);
  return c == CLR_INVALID ? 0xFF000000 : OpaqueFromColorref(c);
}

int ImageView::OnControlLButtonDown(unsigned, CPoint point) {
  if (m_preview) return 0;
  if (m_drawMode == IMAGE_DRAW_SELECT) {
    m_current = -1;
    bool hit = false;
    {
      CriticalSectionLock guard(m_layerLock);
      for (size_t i = 0; i < m_layers.size(); ++i) {
        const EDITLAYER_INFO& layer = *m_layers[i];
        if (layer.type == 1 && !layer.text.IsEmpty() && CRect(layer.bounds).PtInRect(point)) {
          m_current = static_cast<int>(i);
          hit = true;
          break;
        }
      }
    }
    if (hit) {
      m_lastPoint = point;
      Repaint();
    }
    return 1;
  }
  if (m_drawMode != IMAGE_DRAW_PEN && m_drawMode != IMAGE_DRAW_ERASER) return 1;
  auto layer = std::make_unique<EDITLAYER_INFO>();
  layer->type = m_drawMode == IMAGE_DRAW_PEN ? 2 : 3;
  layer->size = m_penWidth;
  layer->color = m_drawMode == IMAGE_DRAW_PEN ? OpaqueFromColorref(m_color) : ScreenColorAt(point);
  layer->points[0] = point;
  layer->pointCount = 1;
  {
    CriticalSectionLock guard(m_layerLock);
    m_current = static_cast<int>(m_layers.size());
    m_layers.push_back(std::move(layer));
  }
  m_lastPoint = point;
  Repaint();
  return 1;
}

int ImageView::OnControlMouseMove(unsigned flags, CPoint point) {
  if (m_preview) return 0;
  if (!m_rcControl.PtInRect(point)) {
    ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
    return 0;
  }
  if (!(flags & MK_LBUTTON) && !m_bPressed) return 0;
  const int dx = std::abs(point.x - m_lastPoint.x), dy = std::abs(point.y - m_lastPoint.y);
  if (m_drawMode == IMAGE_DRAW_SELECT) {
    if (dx <= kTextMoveSlack && dy <= kTextMoveSlack) return 0;
    m_dirty = 1;
    CriticalSectionLock guard(m_layerLock);
    if (EDITLAYER_INFO* layer = CurrentLayer()) {
      const int x = layer->x + static_cast<int>(point.x - m_lastPoint.x);
      const int y = layer->y + static_cast<int>(point.y - m_lastPoint.y);
      layer->x = std::clamp(x, static_cast<int>(m_rcControl.left), static_cast<int>(m_rcControl.right));
      layer->y = std::clamp(y, static_cast<int>(m_rcControl.top), static_cast<int>(m_rcControl.bottom));
    }
  } else if (m_drawMode == IMAGE_DRAW_PEN || m_drawMode == IMAGE_DRAW_ERASER) {
    if (dx <= kStrokeMoveSlack && dy <= kStrokeMoveSlack) return 0;
    CriticalSectionLock guard(m_layerLock);
    EDITLAYER_INFO* layer = CurrentLayer();
    if (layer && layer->type != 1) {
      m_dirty = 1;
      if (layer->pointCount < EDITLAYER_INFO::kMaxPoints) layer->points[layer->pointCount++] = point;
    }
  } else {
    return 0;
  }
  Repaint();
  m_lastPoint = point;
  return 0;
}

int ImageView::OnControlLButtonUp(unsigned, CPoint) {
  if (m_preview) return 0;
  Repaint();
  if (m_dirty) {
    m_dirty = 0;
    SaveCurrentImage();
  }
  return 0;
}

int ImageView::OnControlScroll(int, unsigned direction, CPoint) {
  if (m_preview) return 0;
  bool changed = false;
  {
    CriticalSectionLock guard(m_layerLock);
    if (EDITLAYER_INFO* layer = CurrentLayer()) {
      layer->size = std::clamp(layer->size + (direction == 1 ? -2 : 2), kMinLayerSize, kMaxLayerSize);
      changed = true;
    }
  }
  if (changed) {
    m_dirty = 0;
    SaveCurrentImage();
  }
  Repaint();
  return 1;
}

int ImageView::OnControlRButtonDown(unsigned, CPoint) { return 0; }

int ImageView::OnControlRButtonUp(unsigned, CPoint point) {
  if (m_preview || !m_rcControl.PtInRect(point)) return 0;
  SendMessageW(NOTIFY_RBUTTONUP, 0, 0);
  return 1;
}

// ---- painting ----

void ImageView::DrawLayer(Gdiplus::Graphics& g, const CRect& origin, bool highlight) {
  Gdiplus::StringFormat format;
  format.SetAlignment(Gdiplus::StringAlignmentNear);
  format.SetLineAlignment(Gdiplus::StringAlignmentCenter);
  format.SetFormatFlags(Gdiplus::StringFormatFlagsNoWrap | Gdiplus::StringFormatFlagsMeasureTrailingSpaces);
  CriticalSectionLock guard(m_layerLock);
  for (size_t i = 0; i < m_layers.size(); ++i) {
    EDITLAYER_INFO& layer = *m_layers[i];
    if (layer.type == 1) {
      if (layer.text.IsEmpty()) continue;
      std::unique_ptr<Gdiplus::Font> font = MakeFont(layer.size);
      const Gdiplus::PointF at(static_cast<Gdiplus::REAL>(layer.x - origin.left),
                               static_cast<Gdiplus::REAL>(layer.y - origin.top));
      Gdiplus::RectF measured;
      g.MeasureString(layer.text, layer.text.GetLength(), font.get(), at, &format, &measured);
      const int w = static_cast<int>(std::lround(measured.Width)) + 6;
      const int h = static_cast<int>(std::lround(measured.Height)) + 6;
      layer.bounds = CRect(layer.x, layer.y, layer.x + w, layer.y + h);
      const CRect box(layer.x - origin.left, layer.y - origin.top, layer.x - origin.left + w, layer.y - origin.top + h);
      Gdiplus::SolidBrush brush{Gdiplus::Color(layer.color)};
      g.DrawString(layer.text, layer.text.GetLength(), font.get(), ToRectF(box), &format, &brush);
      if (highlight && static_cast<int>(i) == m_current) {
        Gdiplus::Pen pen(Gdiplus::Color(kHighlight), 3.0f);
        g.DrawRectangle(&pen, box.left, box.top, box.Width(), box.Height());
      }
    } else if (layer.pointCount >= 2) {
      std::vector<Gdiplus::Point> points(layer.pointCount);
      for (int p = 0; p < layer.pointCount; ++p)
        points[p] = Gdiplus::Point(layer.points[p].x - origin.left, layer.points[p].y - origin.top);
      Gdiplus::Pen pen(Gdiplus::Color(layer.color), static_cast<Gdiplus::REAL>(layer.size));
      g.DrawCurve(&pen, points.data(), static_cast<INT>(points.size()));
    }
  }
}

// Draws the layers mapped into another box: text anchors proportionally, font sizes by
// the box's width over the fitted picture's width, strokes with the plain offset.
void ImageView::DrawLayer2(Gdiplus::Graphics& g, const CRect& box, int) {
  if (m_pictureRect.Width() <= 0 || m_rcControl.Width() <= 0 || m_rcControl.Height() <= 0) return;
  const double scale = static_cast<double>(box.Width()) / m_pictureRect.Width();
  Gdiplus::StringFormat format;
  format.SetFormatFlags(Gdiplus::StringFormatFlagsNoWrap | Gdiplus::StringFormatFlagsMeasureTrailingSpaces);
  CriticalSectionLock guard(m_layerLock);
  for (const auto& layer : m_layers) {
    if (layer->type == 1 && !layer->text.IsEmpty()) {
      const double fx = static_cast<double>(layer->x - m_rcControl.left) / m_rcControl.Width();
      const double fy = static_cast<double>(layer->y - m_rcControl.top) / m_rcControl.Height();
      std::unique_ptr<Gdiplus::Font> font = MakeFont(std::max(1, static_cast<int>(std::lround(layer->size * scale))));
      Gdiplus::SolidBrush brush{Gdiplus::Color(layer->color)};
      g.DrawString(layer->text, layer->text.GetLength(), font.get(),
                   Gdiplus::PointF(static_cast<Gdiplus::REAL>(box.left + fx * box.Width()),
                                   static_cast<Gdiplus::REAL>(box.top + fy * box.Height())),
                   &format, &brush);
    } else if (layer->type != 1 && layer->pointCount >= 2) {
      std::vector<Gdiplus::Point> points(layer->pointCount);
      for (int p = 0; p < layer->pointCount; ++p)
        points[p] = Gdiplus::Point(layer->points[p].x - m_rcControl.left, layer->points[p].y - m_rcControl.top);
      Gdiplus::Pen pen(Gdiplus::Color(layer->color), static_cast<Gdiplus::REAL>(layer->size));
      g.DrawCurve(&pen, points.data(), static_cast<INT>(points.size()));
    }
  }
}

void ImageView::DrawControl(HDC& hdc, CRect) {
  const int w = m_rcControl.Width(), h = m_rcControl.Height();
  if (w <= 0 || h <= 0) return;
  if (!m_bUpdate || !m_hMemDC) {
    UpdateMemDC(hdc, w, h);
    ::PatBlt(m_hMemDC, 0, 0, w, h, BLACKNESS);
    Gdiplus::Graphics g(m_hMemDC);
    g.SetTextRenderingHint(Gdiplus::TextRenderingHintClearTypeGridFit);
    g.SetSmoothingMode(Gdiplus::SmoothingModeHighQuality);
    const CRect view(0, 0, w, h);
    if (!m_preview) {
      if (m_picture) {
        m_pictureRect = GetImageRect(m_imageWidth, m_imageHeight, view);
        g.DrawImage(m_picture.get(), Gdiplus::Rect(m_pictureRect.left, m_pictureRect.top, m_pictureRect.Width(),
                                                   m_pictureRect.Height()));
      }
      DrawLayer(g, m_rcControl, true);
    } else {
      CriticalSectionLock guard(m_previewLock);
      if (m_previewIndex >= 0 && m_previewIndex < static_cast<int>(m_frames.size())) {
        const PREVIEWITEM_INFO& frame = *m_frames[m_previewIndex];
        if (frame.thumbnail) {
          const CRect fit = GetImageRect(frame.width, frame.height, view);
          g.DrawImage(frame.thumbnail.get(), Gdiplus::Rect(fit.left, fit.top, fit.Width(), fit.Height()));
        }
      }
    }
    if (m_grid) {
      Gdiplus::Pen pen{Gdiplus::Color(kGridColor), 1.0f};
      pen.SetDashStyle(Gdiplus::DashStyleDashDot);
      for (int x = 0; x < w; x += 10) g.DrawLine(&pen, x, 0, x, h);
      for (int y = 0; y < h; y += 10) g.DrawLine(&pen, 0, y, w, y);
    }
  }
  ::BitBlt(hdc, m_rcControl.left, m_rcControl.top, w, h, m_hMemDC, 0, 0, SRCCOPY);
}
