#include "widgets/LCDViewCtrl.h"
#include <shlwapi.h>
#include "controls/LEDFrameTips.h"
#include "core/MRender.h"
#include "core/Manager.h"
#include "core/PaintManager.h"
#include "widgets/PictureFit.h"
#include "widgets/SkinPicture.h"

namespace {
constexpr int kTilePitch = LCDViewCtrl::kTileSize + 10;
constexpr COLORREF kBadgeText = 0x050505;
constexpr UINT kBadgeFormat = 0x40025;  // centred, vertically centred, single line, word ellipsis
}  // namespace

LCDViewCtrl::LCDViewCtrl(MObject* parent, unsigned id, CRect rect, int visible) : MPanel(parent, id, rect, visible) {}

// No repaint requests from here: the window may be going with the grid.
LCDViewCtrl::~LCDViewCtrl() {
  {
    CriticalSectionLock guard(m_lock);
    m_items.clear();
  }
  if (m_tips) m_tips->DestroyWindow();
}

const wchar_t* LCDViewCtrl::GetClassNameW() const { return L"LCDViewCtrl"; }

void LCDViewCtrl::Repaint() {
  if (m_bVisible) UpdateControl(1, 0);
}

LCDSLOT_INFO* LCDViewCtrl::ItemAt(int index) const {
  return index >= 0 && index < static_cast<int>(m_items.size()) ? m_items[index].get() : nullptr;
}

CRect LCDViewCtrl::GetImageRect(int width, int height, const CRect& box) { return FitPictureRect(width, height, box, 1.0); }

std::unique_ptr<Gdiplus::Image> LCDViewCtrl::LoadThumbnail(const CString& path, int& width, int& height) {
  std::unique_ptr<Gdiplus::Image> picture = LoadPictureCopy(path);
  width = picture ? static_cast<int>(picture->GetWidth()) : 0;
  height = picture ? static_cast<int>(picture->GetHeight()) : 0;
  return picture;
}

void LCDViewCtrl::AddItem(CString picturePath, CString title, CString text) {
  auto item = std::make_unique<LCDSLOT_INFO>();
  item->title = title;
  item->text = text;
  if (!picturePath.IsEmpty() && ::PathFileExistsW(picturePath))
    item->thumbnail = LoadThumbnail(picturePath, item->width, item->height);
  {
    CriticalSectionLock guard(m_lock);
    m_items.push_back(std::move(item));
  }
  Repaint();
}

void LCDViewCtrl::SetItemInfo(int index, CString picturePath, CString title, CString text) {
  {
    CriticalSectionLock guard(m_lock);
    LCDSLOT_INFO* item = ItemAt(index);
    if (!item) return;
    item->thumbnail = LoadThumbnail(picturePath, item->width, item->height);
    item->title = title;
    item->text = text;
  }
  Repaint();
}

int LCDViewCtrl::GetItemCount() {
  CriticalSectionLock guard(m_lock);
  return static_cast<int>(m_items.size());
}

CRect LCDViewCtrl::GetItemRect(int index) {
  CriticalSectionLock guard(m_lock);
  const LCDSLOT_INFO* item = ItemAt(index);
  return item ? CRect(item->rect) : CRect();
}

int LCDViewCtrl::SetCurSel(int index) {
  if (index < -1 || index >= GetItemCount()) return 0;
  if (index != m_selected) {
    m_selected = index;
    Repaint();
  }
  return 1;
}

int LCDViewCtrl::DeleteAllItems() {
  {
    CriticalSectionLock guard(m_lock);
    m_items.clear();
  }
  m_hover = m_selected = -1;
  Repaint();
  return 1;
}

void LCDViewCtrl::ResetTips() {
  {
    CriticalSectionLock guard(m_lock);
    for (auto& item : m_items) {
      item->title.Empty();
      item->text.Empty();
    }
  }
  Repaint();
}

void LCDViewCtrl::SetTips(CString title, CString text, CRect rect) {
  if (title.IsEmpty() && text.IsEmpty()) {
    if (m_tips) m_tips->ShowWindow(SW_HIDE);
    return;
  }
  HWND host = m_pManager ? m_pManager->GetPaintWnd() : nullptr;
  if (!m_tips) {
    if (!host) return;
    m_tips = std::make_unique<LEDFrameTips>();
    m_tips->Create(host, L"LED Frame Window", 0x96020080, 0, CRect(), nullptr);
    m_tips->LoadBKImage(L"img_tip_bk.png");
  }
  POINT anchor = {rect.left, rect.top};
  if (host) ::ClientToScreen(host, &anchor);
  m_tips->SetAirBladderMsg(title, text, anchor);
  m_tips->ShowWindow(SW_SHOW);
}

void LCDViewCtrl::SetControlRect(CRect rect) {
  m_rcControl = rect;
  Repaint();
}

int LCDViewCtrl::OnControlMouseMove(unsigned, CPoint point) {
  if (!m_bEnabled) return 0;
  const int old = m_hover;
  CString title, text;
  CRect tile;
  bool resting = false;
  {
    CriticalSectionLock guard(m_lock);
    if (m_items.empty()) return 0;
    if (!m_rcControl.PtInRect(point)) {
      m_hover = -1;
    } else {
      if (const LCDSLOT_INFO* hovered = ItemAt(m_hover)) {
        tile = CRect(hovered->rect);
        tile.OffsetRect(m_rcControl.left, m_rcControl.top);
        if (tile.PtInRect(point)) {
          resting = true;
          title = hovered->title;
          text = hovered->text;
        } else {
          m_hover = -1;
        }
      }
      if (!resting) {
        for (size_t i = 0; i < m_items.size(); ++i) {
          CRect r(m_items[i]->rect);
          r.OffsetRect(m_rcControl.left, m_rcControl.top);
          if (r.PtInRect(point)) {
            m_hover = static_cast<int>(i);
            break;
          }
        }
      }
    }
  }
  if (resting) {
    SetTips(title, text, tile);
    return 1;
  }
  SetTips(CString(), CString(), CRect());
  if (m_hover != old) Repaint();
  return 0;
}

int LCDViewCtrl::OnControlLButtonDown(unsigned, CPoint) { return 1; }

int LCDViewCtrl::OnControlLButtonUp(unsigned, CPoint point) {
  if (!m_bEnabled) return 0;
  if (m_rcControl.PtInRect(point) && m_hover >= 0 && m_hover < GetItemCount()) {
    m_selected = m_hover;
    SendMessageW(NOTIFY_CLICK, static_cast<unsigned>(m_selected), 0);
  }
  Repaint();
  return 0;
}

void LCDViewCtrl::DrawControl(HDC& hdc, CRect) {
  const int w = m_rcControl.Width(), h = m_rcControl.Height();
  if (w <= 0 || h <= 0) return;
  if (!m_bUpdate || !m_hMemDC) {
    UpdateMemDC(hdc, w, h);
    HDC mem = m_hMemDC;
    ::BitBlt(mem, 0, 0, w, h, hdc, m_rcControl.left, m_rcControl.top, SRCCOPY);
    CriticalSectionLock guard(m_lock);
    if (!m_items.empty()) {
      Gdiplus::Graphics g(mem);
      g.SetTextRenderingHint(Gdiplus::TextRenderingHintClearTypeGridFit);
      g.SetSmoothingMode(Gdiplus::SmoothingModeHighQuality);
      Gdiplus::Pen pen(Manager::m_normal_color, 2.0f);
      Gdiplus::SolidBrush brush(Manager::m_normal_color);
      Gdiplus::SolidBrush black(Gdiplus::Color(0xFF000000));
      int x = 0, y = 0;
      const int t = kTileSize;
      for (size_t i = 0; i < m_items.size(); ++i) {
        LCDSLOT_INFO& item = *m_items[i];
        const int index = static_cast<int>(i);
        item.rect = CRect(x, y, x + t, y + t);
        g.FillRectangle(&black, x, y, t, t);
        if (item.thumbnail) {
          CRect fit = GetImageRect(item.width, item.height, CRect(item.rect));
          g.DrawImage(item.thumbnail.get(), Gdiplus::Rect(fit.left, fit.top + 1, fit.Width(), fit.Height()));
        }
        const Gdiplus::Color colour =
            (index == m_hover || index == m_selected) ? Manager::m_select_color : Manager::m_normal_color;
        pen.SetColor(colour);
        brush.SetColor(colour);
        g.DrawRectangle(&pen, x, y, t, t);
        g.FillEllipse(&brush, x + t - 22, y + 2, 20, 20);
        {
          // The number is drawn with GDI into the same DC; GDI+ must hand it over first.
          HDC dc = g.GetHDC();
          CString number;
          number.Format(L"%d", index + 1);
          CRect badge(x + t - 22, y + 2, x + t - 2, y + 22);
          MRender::DrawTextW(dc, badge, number, kBadgeText, GetGDIFont(), kBadgeFormat);
          g.ReleaseHDC(dc);
        }
        x += kTilePitch;
        if (index == 1 || index == 3) {
          x = 0;
          y += kTilePitch;
        }
      }
    }
  }
  ::BitBlt(hdc, m_rcControl.left, m_rcControl.top, w, h, m_hMemDC, 0, 0, SRCCOPY);
}
