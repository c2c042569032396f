#include "widgets/LCDViewList.h"
#include <algorithm>
#include <cstdint>
#include "controls/MScroll.h"
#include "core/MRender.h"
#include "core/Manager.h"
#include "core/PaintManager.h"
#include "widgets/DibCanvas.h"
#include "widgets/FileWrite.h"
#include "widgets/PanelBars.h"
#include "widgets/PictureFit.h"
#include "widgets/PngFile.h"
#include "widgets/Rgb565.h"

namespace {
constexpr double kThumbRatio = 1.69;  // the thumbnail box, 169 x 100
DWORD SystemTick() { return ::GetTickCount(); }
}  // namespace

LCDViewList::LCDViewList(MObject* parent, unsigned id, CRect rect, int visible)
    : TileListPanel(parent, id, rect, visible), m_frameDimension(Gdiplus::FrameDimensionTime), m_tick(&SystemTick) {}

// No repaint requests from here: the window may be going with the list.
LCDViewList::~LCDViewList() {
  CriticalSectionLock guard(m_lock);
  m_previewPicture = nullptr;
  m_previewFrames.clear();
  m_items.clear();
}

const wchar_t* LCDViewList::GetClassNameW() const { return L"LCDViewList"; }

CRect LCDViewList::GetImageRect(int width, int height, const CRect& box) const {
  return FitPictureRect(width, height, box, kThumbRatio);
}

void LCDViewList::UpdateBar() { UpdatePanelBar(m_pScrollV, kItemHeight * GetItemCount(), m_rcControl.Height()); }

// ---- items ----

int LCDViewList::AddString(CString text, CString picturePath, int frameSize, int ledId) {
  auto item = std::make_unique<LCDVIEWITEM_INFO>();
  item->text = text;
  item->frameSize = frameSize;
  item->ledId = ledId;
  SetThumbnail(*item, LoadPictureCopy(picturePath));
  int index;
  {
    CriticalSectionLock guard(m_lock);
    m_items.push_back(std::move(item));
    index = static_cast<int>(m_items.size()) - 1;
  }
  UpdateBar();
  Repaint();
  return index;
}

int LCDViewList::SetFrameData(int index, CString picturePath, int frameSize) {
  CriticalSectionLock guard(m_lock);
  LCDVIEWITEM_INFO* item = ItemAt(index);
  if (!item) return 0;
  SetThumbnail(*item, LoadPictureCopy(picturePath));
  item->frameSize = frameSize;
  return 1;
}

int LCDViewList::SetFrameSize(int index, int frameSize) {
  CriticalSectionLock guard(m_lock);
  LCDVIEWITEM_INFO* item = ItemAt(index);
  if (!item) return 0;
  item->frameSize = frameSize;
  return 1;
}

int LCDViewList::SetItemLEDId(int index, int ledId) {
  CriticalSectionLock guard(m_lock);
  LCDVIEWITEM_INFO* item = ItemAt(index);
  if (!item) return 0;
  item->ledId = ledId;
  return 1;
}

int LCDViewList::GetItemFrameSize(int index) {
  CriticalSectionLock guard(m_lock);
  const LCDVIEWITEM_INFO* item = ItemAt(index);
  return item ? item->frameSize : 0;
}

int LCDViewList::GetItemLEDId(int index) {
  CriticalSectionLock guard(m_lock);
  const LCDVIEWITEM_INFO* item = ItemAt(index);
  return item ? item->ledId : 0;
}

void LCDViewList::SetItemLEDIdSelect(int ledId) {
  {
    CriticalSectionLock guard(m_lock);
    for (size_t i = 0; i < m_items.size(); ++i) {
      if (m_items[i]->ledId == ledId) {
        m_selected = static_cast<int>(i);
        break;
      }
    }
  }
  Repaint();
}

CString LCDViewList::GetItemText(int index) {
  CriticalSectionLock guard(m_lock);
  const LCDVIEWITEM_INFO* item = ItemAt(index);
  return item ? item->text : CString();
}

int LCDViewList::GetCurImageFrameSize() { return GetItemFrameSize(m_selected); }

int LCDViewList::DeleteAllItems() {
  {
    CriticalSectionLock guard(m_lock);
    m_items.clear();
  }
  m_hover = m_selected = m_first = m_last = -1;
  if (m_pScrollV) {
    if (m_pScrollV->IsVisible()) {
      m_pScrollV->SetControlVisible(0);
      OnControlUpdate(m_pScrollV->GetRect(), 1, m_pScrollV);
    }
    m_pScrollV->m_nMaxRange = 0;
    if (m_pScrollV->m_bAutoSize) m_pScrollV->m_nScrollSize = 0;
    m_pScrollV->SetRange();
  }
  Repaint();
  return 1;
}

// ---- preview ----

void LCDViewList::AddFrameData(std::vector<VIEW_INFO> frames) {
  CriticalSectionLock guard(m_lock);
  // The preview picture points into these frames: let it go with them.
  m_previewPicture = nullptr;
  m_previewFrames.clear();
  for (const VIEW_INFO& info : frames) {
    auto frame = std::make_unique<LCDPREVIEW_INFO>();
    SetThumbnail(*frame, LoadPictureCopy(info.file));
    frame->delay = info.delay > 0 ? static_cast<unsigned long>(info.delay) : 0;
    m_previewFrames.push_back(std::move(frame));
  }
}

void LCDViewList::ResetPreview() {
  m_previewPicture = nullptr;
  m_previewIndex = m_previewCount = 0;
  m_previewTick = 0;
}

int LCDViewList::OnControlTimer() {
  if (!m_bVisible || m_hover < 0) return 0;
  {
    CriticalSectionLock guard(m_lock);
    if (m_previewFrames.size() < 2) return 0;
    m_previewCount = static_cast<int>(m_previewFrames.size());
    if (m_previewIndex < 0 || m_previewIndex >= m_previewCount) m_previewIndex = 0;
    const DWORD now = m_tick();
    if (now - m_previewTick <= m_previewFrames[m_previewIndex]->delay) return 0;
    m_previewIndex = (m_previewIndex + 1) % m_previewCount;
    const LCDPREVIEW_INFO& frame = *m_previewFrames[m_previewIndex];
    m_previewPicture = frame.thumbnail.get();
    m_previewWidth = frame.width;
    m_previewHeight = frame.height;
    m_previewTick = now;
  }
  Repaint();
  return 1;
}

// ---- GIF splitting and conversions ----

std::vector<unsigned long> LCDViewList::FrameDelaysMs(const Gdiplus::PropertyItem* item, unsigned frameCount) {
  std::vector<unsigned long> delays(frameCount, 10);
  if (!item || !item->value) return delays;
  const size_t present = std::min<size_t>(item->length / 4, frameCount);
  const BYTE* values = static_cast<const BYTE*>(item->value);
  for (size_t i = 0; i < present; ++i) {
    // One 32-bit little-endian value per frame, in hundredths of a second.
    const uint32_t v = static_cast<uint32_t>(values[4 * i]) | (static_cast<uint32_t>(values[4 * i + 1]) << 8) |
                       (static_cast<uint32_t>(values[4 * i + 2]) << 16) | (static_cast<uint32_t>(values[4 * i + 3]) << 24);
    delays[i] = v == 0 ? 10 : static_cast<unsigned long>(v) * 10;
  }
  return delays;
}

void LCDViewList::SelectActiveFrame(Gdiplus::Image* image, int index) {
  if (image && m_previewCount > 1 && index < m_previewCount) image->SelectActiveFrame(&m_frameDimension, index);
}

int LCDViewList::LoadGIFImageFile(CString gifPath, CString folder) {
  m_delays.clear();
  if (gifPath.IsEmpty()) return 0;
  Gdiplus::Image image(gifPath);
  if (image.GetLastStatus() != Gdiplus::Ok) return 0;
  const UINT dimensions = image.GetFrameDimensionsCount();
  if (dimensions == 0) return 0;
  std::vector<GUID> ids(dimensions);
  if (image.GetFrameDimensionsList(ids.data(), dimensions) != Gdiplus::Ok) return 0;
  const UINT frames = image.GetFrameCount(&ids[0]);
  if (frames == 0) return 0;

  std::vector<unsigned long> delays;
  if (frames > 1) {
    const UINT size = image.GetPropertyItemSize(PropertyTagFrameDelay);
    if (size > 0) {
      std::vector<BYTE> buffer(size);
      auto* item = reinterpret_cast<Gdiplus::PropertyItem*>(buffer.data());
      if (image.GetPropertyItem(PropertyTagFrameDelay, size, item) == Gdiplus::Ok) delays = FrameDelaysMs(item, frames);
    }
  }
  if (!EnsureFolder(folder)) return 0;

  int written = 0;
  GUID time = Gdiplus::FrameDimensionTime;
  for (UINT i = 0; i < frames; ++i) {
    if (frames > 1 && image.SelectActiveFrame(&time, i) != Gdiplus::Ok) break;
    CString path;
    path.Format(L"%s\\%d.png", folder.GetString(), static_cast<int>(i));
    if (!SavePNGImageFile(&image, path)) break;
    ++written;
  }
  // Delays only for the frames that exist on disk.
  if (delays.size() > static_cast<size_t>(written)) delays.resize(written);
  m_delays = delays;
  return written;
}

int LCDViewList::SavePNGImageFile(Gdiplus::Image* image, CString path) {
  if (!image) return 0;
  const int w = static_cast<int>(image->GetWidth()), h = static_cast<int>(image->GetHeight());
  DibCanvas canvas(m_pManager ? m_pManager->GetPaintDC() : nullptr, w, h);
  if (!canvas.IsValid()) return 0;
  {
    Gdiplus::Graphics g(canvas.GetDC());
    g.DrawImage(image, Gdiplus::Rect(0, 0, w, h));
  }
  const std::vector<uint8_t> rgba = canvas.ToOpaqueRgba();
  return PngFile::WriteRgba(path, rgba.data(), static_cast<unsigned>(w), static_cast<unsigned>(h)) ? 1 : 0;
}

int LCDViewList::SavePNGImageFile(HDC&, CString) { return 0; }

bool LCDViewList::GetImageRGB565Data(CString path, unsigned char* buffer, int width, int height) {
  Gdiplus::Image* image = MRender::LoadImageFromFile(path);
  if (!image) return false;
  return GetImageRGB565Data(image, buffer, width, height);
}

bool LCDViewList::GetImageRGB565Data(Gdiplus::Image* image, unsigned char* buffer, int width, int height) {
  std::unique_ptr<Gdiplus::Image> owned(image);
  if (!owned || !buffer || width <= 0 || height <= 0) return false;
  DibCanvas canvas(m_pManager ? m_pManager->GetPaintDC() : nullptr, width, height);
  if (!canvas.IsValid()) return false;
  {
    Gdiplus::Graphics g(canvas.GetDC());
    // Fitted by the target's own proportions, so that no picture is cut at its edges.
    const CRect fit = FitPictureRect(static_cast<int>(owned->GetWidth()), static_cast<int>(owned->GetHeight()),
                                     CRect(0, 0, width, height));
    g.DrawImage(owned.get(), Gdiplus::Rect(fit.left, fit.top, fit.Width(), fit.Height()));
  }
  ::GdiFlush();
  ConvertBgraToRgb565(canvas.Bits(), static_cast<size_t>(width) * height, buffer);
  return true;
}

// ---- mouse ----

CRect LCDViewList::ScreenRect(const LCDVIEWITEM_INFO& item) const {
  CRect r(item.rect);
  r.OffsetRect(m_rcControl.left, m_rcControl.top - m_yOffset);
  return r;
}

int LCDViewList::OnControlMouseMove(unsigned, CPoint point) {
  if (!m_bEnabled || m_first < 0 || m_last < 0) return 0;
  const int old = m_hover;
  bool resting = false;
  int restingLedId = 0;
  {
    CriticalSectionLock guard(m_lock);
    if (m_items.empty()) return 0;
    if (!m_rcControl.PtInRect(point)) {
      m_hover = -1;
      ResetPreview();
    } else {
      if (const LCDVIEWITEM_INFO* hovered = ItemAt(m_hover)) {
        m_previewPicture = nullptr;
        if (ScreenRect(*hovered).PtInRect(point)) {
          resting = true;
          restingLedId = hovered->ledId;
        } else {
          m_hover = -1;
          ResetPreview();
        }
      }
      if (!resting && m_hover < 0) {
        m_hover = HitItem(point);
        if (m_hover >= 0) {
          m_previewIndex = 0;
          m_previewTick = m_tick();
          m_previewCount = m_items[m_hover]->frameSize;
        }
      }
    }
  }
  if (resting) {
    SendMessageW(NOTIFY_HOVER_ITEM, static_cast<unsigned>(restingLedId), 0);
    return 1;
  }
  if (m_hover != old) Repaint();
  return 0;
}

int LCDViewList::OnControlLButtonDown(unsigned, CPoint) { return 1; }

int LCDViewList::OnControlLButtonUp(unsigned, CPoint point) {
  if (!m_bEnabled) return 0;
  if (m_rcControl.PtInRect(point) && m_hover >= 0 && m_hover < GetItemCount()) {
    m_selected = m_hover;
    SendMessageW(NOTIFY_CLICK, static_cast<unsigned>(m_selected), 0);
  }
  Repaint();
  return 0;
}

int LCDViewList::OnControlScroll(int, unsigned direction, CPoint) {
  return WheelTiles(m_pScrollV, kItemHeight * GetItemCount(), m_rcControl.Height(), direction);
}

// ---- painting ----

void LCDViewList::DrawControl(HDC& hdc, CRect) {
  const int barWidth = (m_pScrollV && m_pScrollV->IsVisible()) ? m_scrollThickness : 0;
  const int w = m_rcControl.Width() - barWidth, v = m_rcControl.Height();
  if (w <= 0 || v <= 0) return;
  CriticalSectionLock guard(m_lock);
  const int count = static_cast<int>(m_items.size());
  const TileSpan span = ShownSpan(m_pScrollV, kItemHeight, v);
  const int imageHeight = span.bitmapExtent;
  m_yOffset = span.bitmapOffset;

  if (!m_bUpdate || !m_hMemDC) {
    UpdateMemDC(hdc, w, imageHeight);
    HDC mem = m_hMemDC;
    ::PatBlt(mem, 0, 0, w, imageHeight, WHITENESS);
    MRender::DrawVerticalTransition(mem, hdc, CRect(0, m_yOffset, w, imageHeight), m_rcControl, 0, 0);
    if (count > 0) {
      Gdiplus::Graphics g(mem);
      g.SetTextRenderingHint(Gdiplus::TextRenderingHintClearTypeGridFit);
      g.SetSmoothingMode(Gdiplus::SmoothingModeHighQuality);
      const std::unique_ptr<Gdiplus::Font> font = LabelFont();
      Gdiplus::StringFormat format;
      CentreLabels(format);
      Gdiplus::SolidBrush text(m_textColor);
      const Gdiplus::Color normal = Manager::m_normal_color, hover = Manager::m_hover_color, down = Manager::m_down_color;
      int y = 0;
      for (int i = m_first; i <= m_last && i < count; ++i, y += kItemHeight) {
        LCDVIEWITEM_INFO& item = *m_items[i];
        item.rect = CRect(15, y + 10, w - 15, y + 141);
        const bool hot = i == m_hover || i == m_selected;
        MRender::DrawRoundRectange(g, 15.0f, static_cast<float>(y + 10), 175.0f, 131.0f, 10.0f, hot ? down : normal, 1.0f,
                                   true, normal);
        MRender::DrawRoundRectange(g, 15.0f, static_cast<float>(y + 113), 175.0f, 28.0f, 10.0f, hot ? down : hover, 1.0f,
                                   true, hot ? down : hover);
        CRect box = m_thumbBox;
        box.OffsetRect(item.rect.left, item.rect.top + 1);
        if (item.frameSize == 0) {
          if (m_pImage && m_frameWidth > 0 && m_frameHeight > 0) {
            const CRect fit = GetImageRect(m_frameWidth, m_frameHeight, box);
            g.DrawImage(m_pImage, Gdiplus::Rect(fit.left, fit.top, fit.Width(), fit.Height()), 0, 0, m_frameWidth,
                        m_frameHeight, Gdiplus::UnitPixel);
          }
        } else if (i == m_hover && m_previewPicture) {
          const CRect fit = GetImageRect(m_previewWidth, m_previewHeight, box);
          g.DrawImage(m_previewPicture, Gdiplus::Rect(fit.left, fit.top, fit.Width(), fit.Height()));
        } else if (item.thumbnail) {
          const CRect fit = GetImageRect(item.width, item.height, box);
          g.DrawImage(item.thumbnail.get(), Gdiplus::Rect(fit.left, fit.top, fit.Width(), fit.Height()));
        }
        CString label;
        label.Format(L"%s: %d", m_title.GetString(), item.frameSize);
        g.DrawString(label, label.GetLength(), font.get(),
                     Gdiplus::RectF(15.0f, static_cast<Gdiplus::REAL>(y + 119), static_cast<Gdiplus::REAL>(w - 45), 20.0f),
                     &format, &text);
      }
    }
  }
  ::BitBlt(hdc, m_rcControl.left, m_rcControl.top, w, v, m_hMemDC, 0, m_yOffset, SRCCOPY);
}
