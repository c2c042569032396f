#include "widgets/ImageViewList.h"
#include <algorithm>
#include "controls/MScroll.h"
#include "core/MRender.h"
#include "core/Manager.h"
#include "widgets/GifAnimationWriter.h"
#include "widgets/PanelBars.h"
#include "widgets/PictureFit.h"

namespace {
constexpr int kCardWidth = 182;
constexpr int kCardHeight = 106;
constexpr int kCardTop = 10;
constexpr double kThumbRatio = 176.0 / 102.0;  // the thumbnail box's aspect ratio
}  // namespace

ImageViewList::ImageViewList(MObject* parent, unsigned id, CRect rect, int visible)
    : TileListPanel(parent, id, rect, visible) {}

ImageViewList::~ImageViewList() {
  CriticalSectionLock guard(m_lock);
  m_items.clear();
}

const wchar_t* ImageViewList::GetClassNameW() const { return L"ImageViewList"; }

CRect ImageViewList::GetImageRect(int width, int height, const CRect& box) const {
  return FitPictureRect(width, height, box, kThumbRatio);
}

void ImageViewList::UpdateBar() { UpdatePanelBar(m_pScrollH, GetItemCount() * kColumnWidth, m_rcControl.Width()); }

// ---- frames ----

std::unique_ptr<IMGITEM_INFO> ImageViewList::MakeFrame(CString file, int delay, int frameId, CString name) {
  auto frame = std::make_unique<IMGITEM_INFO>();
  frame->file = file;
  frame->editFile = file;
  SetThumbnail(*frame, LoadPictureCopy(file));
  frame->delay = delay;
  frame->frameId = frameId;
  frame->name = name;
  return frame;
}

int ImageViewList::AddString(CString file, int delay, int frameId, CString name) {
  auto frame = MakeFrame(file, delay, frameId, name);
  int index;
  {
    CriticalSectionLock guard(m_lock);
    m_items.push_back(std::move(frame));
    index = static_cast<int>(m_items.size()) - 1;
  }
  UpdateBar();
  Repaint();
  return index;
}

int ImageViewList::AddString(int index, CString file, int delay, int frameId, CString name) {
  {
    CriticalSectionLock guard(m_lock);
    if (index < -1 || index >= static_cast<int>(m_items.size())) return -1;
  }
  auto frame = MakeFrame(file, delay, frameId, name);
  int last;
  {
    CriticalSectionLock guard(m_lock);
    m_items.insert(m_items.begin() + (index + 1), std::move(frame));
    last = static_cast<int>(m_items.size()) - 1;
  }
  UpdateBar();
  Repaint();
  return last;
}

int ImageViewList::GetFrameID(int index) {
  CriticalSectionLock guard(m_lock);
  const IMGITEM_INFO* frame = ItemAt(index);
  return frame ? frame->frameId : 0;
}

CString ImageViewList::GetFrameItemName(int index) {
  CriticalSectionLock guard(m_lock);
  const IMGITEM_INFO* frame = ItemAt(index);
  return frame ? frame->name : CString();
}

bool ImageViewList::SetItemDelayTime(int index, int delay) {
  {
    CriticalSectionLock guard(m_lock);
    IMGITEM_INFO* frame = ItemAt(index);
    if (!frame) return false;
    frame->delay = delay;
  }
  Repaint();
  return true;
}

bool ImageViewList::SetDelayTime(int delay) {
  {
    CriticalSectionLock guard(m_lock);
    for (auto& frame : m_items) frame->delay = delay;
  }
  Repaint();
  return true;
}

int ImageViewList::GetItemDelayTime(int index) {
  CriticalSectionLock guard(m_lock);
  const IMGITEM_INFO* frame = ItemAt(index);
  return frame ? frame->delay : 0;
}

void ImageViewList::UpdateItemImageFile(int index, CString file) {
  {
    CriticalSectionLock guard(m_lock);
    IMGITEM_INFO* frame = ItemAt(index);
    if (!frame) return;
    std::unique_ptr<Gdiplus::Image> thumbnail = LoadPictureCopy(file);
    if (thumbnail) {
      frame->editFile = file;
      SetThumbnail(*frame, std::move(thumbnail));
    }
  }
  Repaint();
}

CString ImageViewList::GetItemImageFile(int index) {
  CriticalSectionLock guard(m_lock);
  const IMGITEM_INFO* frame = ItemAt(index);
  return frame ? frame->file : CString();
}

CString ImageViewList::GetItemEditImageFile(int index) {
  CriticalSectionLock guard(m_lock);
  const IMGITEM_INFO* frame = ItemAt(index);
  return frame ? frame->editFile : CString();
}

int ImageViewList::DeleteAllItems() {
  {
    CriticalSectionLock guard(m_lock);
    m_items.clear();
  }
  m_hover = m_selected = m_first = m_last = -1;
  if (m_pScrollH) {
    if (m_pScrollH->IsVisible()) {
      m_pScrollH->SetControlVisible(0);
      OnControlUpdate(m_pScrollH->GetRect(), 1, m_pScrollH);
    }
    m_pScrollH->m_nMaxRange = 0;
    m_pScrollH->m_nCurPos = 0;
    m_pScrollH->SetRange();
  }
  Repaint();
  return 1;
}

std::vector<IMGITEM_INFO*> ImageViewList::GetImageViewItems() {
  std::vector<IMGITEM_INFO*> out;
  out.reserve(m_items.size());
  for (auto& frame : m_items) out.push_back(frame.get());
  return out;
}

int ImageViewList::SaveGIFImageFile(CString file, int width, int height) {
  GifAnimationWriter writer;
  return SaveGIFImageFile(writer, file, width, height);
}

int ImageViewList::SaveGIFImageFile(GifAnimationWriter& writer, CString file, int width, int height) {
  writer.SetSize(width, height);
  writer.Begin(file);
  CriticalSectionLock guard(m_lock);
  for (auto& frame : m_items) writer.AddFrame(frame->file, frame->delay);
  return writer.End() ? 1 : 0;
}

// ---- hit tests and mouse ----

CRect ImageViewList::ScreenRect(const IMGITEM_INFO& frame) const {
  CRect r(frame.rect);
  r.OffsetRect(m_rcControl.left - m_bitmapOffset, m_rcControl.top);
  return r;
}

CRect ImageViewList::BadgeArea(const CRect& screen) {
  return CRect(screen.right - 40, screen.bottom - 39, screen.right - 1, screen.bottom - 20);
}

int ImageViewList::OnControlMouseMove(unsigned, CPoint point) {
  if (!m_bEnabled || m_first < 0) return 0;
  const int old = m_hover;
  {
    CriticalSectionLock guard(m_lock);
    if (m_items.empty()) return 0;
    if (m_rcControl.PtInRect(point)) {
      if (const IMGITEM_INFO* hovered = ItemAt(m_hover)) {
        if (ScreenRect(*hovered).PtInRect(point)) return 1;
      }
      m_hover = HitItem(point);
    } else {
      m_hover = -1;
    }
  }
  if (m_hover != old) Repaint();
  return 0;
}

int ImageViewList::OnControlLButtonDown(unsigned, CPoint point) {
  if (!m_bEnabled) return 1;
  if (m_rcControl.PtInRect(point) && m_hover >= 0 && m_hover < GetItemCount()) m_selected = m_hover;
  Repaint();
  return 1;
}

int ImageViewList::OnControlLButtonUp(unsigned, CPoint point) {
  if (!m_rcControl.PtInRect(point)) return 0;
  unsigned code = 0;
  {
    CriticalSectionLock guard(m_lock);
    const IMGITEM_INFO* selected = ItemAt(m_selected);
    if (!selected) return 0;
    code = BadgeArea(ScreenRect(*selected)).PtInRect(point) ? NOTIFY_ITEM_BUTTON : NOTIFY_CLICK;
  }
  SendMessageW(code, static_cast<unsigned>(m_selected), 0);
  return 0;
}

int ImageViewList::OnControlScroll(int, unsigned direction, CPoint) {
  return WheelTiles(m_pScrollH, GetItemCount() * kColumnWidth, m_rcControl.Width(), direction);
}

// ---- painting ----

void ImageViewList::DrawControl(HDC& hdc, CRect) {
  const int w = m_rcControl.Width(), h = m_rcControl.Height();
  if (w <= 0 || h <= 0) return;
  CriticalSectionLock guard(m_lock);
  const int count = static_cast<int>(m_items.size());
  const TileSpan span = ShownSpan(m_pScrollH, kColumnWidth, w);
  const int bitmapWidth = span.bitmapExtent;
  m_bitmapOffset = span.bitmapOffset;

  if (!m_bUpdate || !m_hMemDC) {
    UpdateMemDC(hdc, bitmapWidth, h);
    HDC mem = m_hMemDC;
    ::PatBlt(mem, 0, 0, bitmapWidth, h, WHITENESS);
    MRender::DrawVerticalTransition(mem, hdc, CRect(m_bitmapOffset, 0, m_bitmapOffset + w, h), m_rcControl, 0, 0);
    if (count > 0) {
      Gdiplus::Graphics g(mem);
      g.SetTextRenderingHint(Gdiplus::TextRenderingHintClearTypeGridFit);
      g.SetSmoothingMode(Gdiplus::SmoothingModeHighQuality);
      const std::unique_ptr<Gdiplus::Font> font = LabelFont();
      Gdiplus::StringFormat format;
      CentreLabels(format);
      Gdiplus::SolidBrush text(m_textColor);
      const Gdiplus::Color normal = Manager::m_normal_color, down = Manager::m_down_color;
      for (int i = m_first; i <= m_last && i < count; ++i) {
        IMGITEM_INFO& frame = *m_items[i];
        const int left = (i - m_first) * kColumnWidth;
        frame.rect = CRect(left, 0, left + kCardWidth, h);
        const bool hot = i == m_hover || i == m_selected;
        MRender::DrawRoundRectange(g, static_cast<float>(left), static_cast<float>(kCardTop), static_cast<float>(kCardWidth),
                                   static_cast<float>(kCardHeight), 10.0f, hot ? down : normal, 1.0f, true, normal);
        if (frame.thumbnail) {
          const CRect fit = GetImageRect(frame.width, frame.height, m_thumbBox);
          g.DrawImage(frame.thumbnail.get(),
                      Gdiplus::Rect(left + fit.left, kCardTop + fit.top + 1, fit.Width(), fit.Height()));
        }
        if (frame.delay > 0) {
          MRender::DrawRoundRectange(g, static_cast<float>(left + 142), static_cast<float>(h - 39), 40.0f, 20.0f, 6.0f,
                                     down, 1.0f, true, down);
          CString label;
          label.Format(L"%d", frame.delay);
          g.DrawString(label, label.GetLength(), font.get(),
                       Gdiplus::RectF(static_cast<Gdiplus::REAL>(left + 142), static_cast<Gdiplus::REAL>(h - 39), 38.0f,
                                      20.0f),
                       &format, &text);
        }
      }
    }
  }
  ::BitBlt(hdc, m_rcControl.left, m_rcControl.top, w, h, m_hMemDC, m_bitmapOffset, 0, SRCCOPY);
}
