// Paint manager: composing the window into a 32-bit buffer, layered presentation, the
// painted caret, the message and progress overlay and control snapshots.
#include <algorithm>
#include <cstdint>
#include "controls/MRichEdit.h"
#include "core/MRender.h"
#include "core/Manager.h"
#include "core/PaintManager.h"

namespace {
// Background fills and the caret use alpha 254.
Gdiplus::Color FromColorRef(COLORREF c) { return Gdiplus::Color(254, GetRValue(c), GetGValue(c), GetBValue(c)); }

// A GDI+ bitmap over the rows of a bottom-up 32-bit DIB, so that GDI+ writes alpha too.
std::unique_ptr<Gdiplus::Bitmap> WrapDib(BYTE* bits, int w, int h) {
  const INT stride = w * 4;
  return std::make_unique<Gdiplus::Bitmap>(w, h, -stride, PixelFormat32bppARGB, bits + (h - 1) * stride);
}

// Calls `pixel` on each BGRA pixel of the rectangle (top-down coordinates).
template <class F>
void ForEachPixel(BYTE* bits, int w, int h, CRect r, F pixel) {
  r.IntersectRect(r, CRect(0, 0, w, h));
  for (int y = r.top; y < r.bottom; ++y) {
    BYTE* row = bits + static_cast<size_t>(h - 1 - y) * w * 4;
    for (int x = r.left; x < r.right; ++x) pixel(row + x * 4);
  }
}
}  // namespace

int PaintManager::LoadBKImage(CString file) {
  m_pBkImage.reset(MRender::LoadImageFromFile(GetSkinsFolder() + file));
  m_bkWidth = m_pBkImage ? static_cast<int>(m_pBkImage->GetWidth()) : 0;
  m_bkHeight = m_pBkImage ? static_cast<int>(m_pBkImage->GetHeight()) : 0;
  return m_pBkImage ? 1 : 0;
}

int PaintManager::LoadBKImage(unsigned id, CString type) {
  m_pBkImage.reset(MRender::LoadImageFromIDResource(id, type, Manager::GetInstance()));
  m_bkWidth = m_pBkImage ? static_cast<int>(m_pBkImage->GetWidth()) : 0;
  m_bkHeight = m_pBkImage ? static_cast<int>(m_pBkImage->GetHeight()) : 0;
  return m_pBkImage ? 1 : 0;
}

void PaintManager::SetBackMode(enumBackMode mode, int corner) {
  m_backMode = mode;
  m_corner = corner;
}

void PaintManager::DrawBackImage(Gdiplus::Graphics& g, CRect client) {
  if (!m_pBkImage) return;
  if (m_backMode == BACKMODE_NORMAL) {
    g.DrawImage(m_pBkImage.get(), Gdiplus::Rect(0, 0, m_bkWidth, m_bkHeight), 0, 0, m_bkWidth, m_bkHeight,
                Gdiplus::UnitPixel);
  } else if (m_backMode == BACKMODE_NINEGRID) {
    MRender::DrawImageFrame(g, m_pBkImage.get(), client, 0, 0, m_bkWidth, m_bkHeight, m_corner);
  }
}

void PaintManager::DrawControl(HDC& dc, CRect rect) {
  {
    CriticalSectionLock lock(m_areasLock);
    for (size_t i = 0; i < m_areas.size(); ++i)
      if (m_areas[i]) m_areas[i]->Draw(dc, rect);
  }
  WalkControls([&](MControl* control) {
    control->Draw(dc, rect);
    return false;
  });
}

void PaintManager::Compose(HDC dc, BYTE* bits, CSize size, CRect update) {
  const int w = size.cx, h = size.cy;
  const CRect client(0, 0, w, h);
  if (m_bLayered) ForEachPixel(bits, w, h, update, [](BYTE* p) { p[0] = p[1] = p[2] = p[3] = 0; });
  if (m_pBkImage) {
    auto canvas = WrapDib(bits, w, h);
    Gdiplus::Graphics g(canvas.get());
    g.SetClip(Gdiplus::Rect(update.left, update.top, update.Width(), update.Height()));
    DrawBackImage(g, client);
  } else {
    // The frame colour on the outermost pixel ring, the back colour inside; written
    // straight into the buffer (both opaque but for alpha 254, so no blending is needed).
    const auto pack = [](COLORREF c) {
      return 0xFE000000u | (uint32_t(GetRValue(c)) << 16) | (uint32_t(GetGValue(c)) << 8) | GetBValue(c);
    };
    const uint32_t frame = pack(m_crFrame), back = pack(m_crBack);
    CRect area;
    area.IntersectRect(update, client);
    for (int y = area.top; y < area.bottom; ++y) {
      auto* row = reinterpret_cast<uint32_t*>(bits + static_cast<size_t>(h - 1 - y) * w * 4);
      const bool edgeRow = y == 0 || y == h - 1;
      for (int x = area.left; x < area.right; ++x) row[x] = edgeRow || x == 0 || x == w - 1 ? frame : back;
    }
  }
  const CRect paint = m_bLayered ? client : update;
  DrawControl(dc, paint);
  DrawCaret(dc, paint);
  ::GdiFlush();
  if (m_bLayered) {
    // Pixels written by GDI carry alpha 0; black ones with alpha 0 stay transparent.
    ForEachPixel(bits, w, h, update, [](BYTE* p) {
      if (p[3] == 0 && (p[0] || p[1] || p[2])) p[3] = 255;
    });
  }
  if (m_msgAlpha > 10 && !m_msgText.IsEmpty()) {
    auto canvas = WrapDib(bits, w, h);
    Gdiplus::Graphics g(canvas.get());
    const BYTE a = static_cast<BYTE>(m_msgAlpha);
    const CRect& r = m_rcMessage;
    Gdiplus::SolidBrush outer(Gdiplus::Color(a, 0xE6, 0xE6, 0xE6)), inner(Gdiplus::Color(a, 0xFE, 0xFE, 0xFE));
    g.FillRectangle(&outer, INT(r.left), INT(r.top), INT(r.Width()), INT(r.Height()));
    g.FillRectangle(&inner, INT(r.left + 2), INT(r.top + 2), INT(r.Width() - 4), INT(r.Height() - 4));
    Gdiplus::FontFamily* family = FindTempFont(m_msgFontName);
    Gdiplus::Font font(family ? family : Gdiplus::FontFamily::GenericSansSerif(), 12.0f, Gdiplus::FontStyleRegular,
                       Gdiplus::UnitPixel);
    g.SetTextRenderingHint(Gdiplus::TextRenderingHintClearTypeGridFit);
    Gdiplus::StringFormat format;
    format.SetAlignment(Gdiplus::StringAlignmentNear);
    format.SetLineAlignment(Gdiplus::StringAlignmentCenter);
    Gdiplus::SolidBrush text(Gdiplus::Color(a, 0x05, 0x05, 0x05));
    const wchar_t* s = m_msgText.GetString();
    if (m_progressShown <= 0) {
      g.DrawString(s, m_msgText.GetLength(), &font, Gdiplus::RectF(r.left + 5.0f, r.top + 5.0f, 190.0f, 50.0f),
                   &format, &text);
    } else {
      format.SetAlignment(Gdiplus::StringAlignmentCenter);
      g.DrawString(s, m_msgText.GetLength(), &font,
                   Gdiplus::RectF(r.left + 5.0f, r.top + 5.0f, r.Width() - 10.0f, 30.0f), &format, &text);
      Gdiplus::Pen line(Gdiplus::Color(0xC8C8C8C8), 1.0f);
      g.DrawLine(&line, INT(r.left + 10), INT(r.bottom - 15), INT(r.right - 20), INT(r.bottom - 15));
      Gdiplus::SolidBrush bar(Gdiplus::Color(0xFEFFE100));
      g.FillRectangle(&bar, INT(r.left + 10), INT(r.bottom - 16), INT((r.Width() - 20) * m_progressShown / 100),
                      INT(3));
    }
  }
}

int PaintManager::OnPaint() {
  if (!IsWindowAlive()) return 0;
  if (::IsIconic(m_hPaintWnd)) return 1;
  CRect update;
  if (!::GetUpdateRect(m_hPaintWnd, &update, FALSE)) return 0;
  CRect client;
  ::GetClientRect(m_hPaintWnd, &client);
  const int w = client.Width(), h = client.Height();
  PAINTSTRUCT ps;
  HDC paintDC = ::BeginPaint(m_hPaintWnd, &ps);
  HDC windowDC = ::GetDC(m_hPaintWnd);
  // The back buffer is kept between paints: a window-sized DIB section costs more to make
  // than most paints take. Only the update rectangle is composed and shown from it.
  if (w > 0 && h > 0 && m_backBuffer.Fit(windowDC, w, h)) {
    HDC memDC = m_backBuffer.Dc();
    int saved = ::SaveDC(memDC);
    Compose(memDC, m_backBuffer.Bits(), CSize(w, h), update);
    ::RestoreDC(memDC, saved);
    if (m_bLayered) {
      ::SetWindowLongW(m_hPaintWnd, GWL_EXSTYLE, ::GetWindowLongW(m_hPaintWnd, GWL_EXSTYLE) | WS_EX_LAYERED);
      SIZE sz = {w, h};
      POINT src = {0, 0};
      BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
      ::UpdateLayeredWindow(m_hPaintWnd, windowDC, nullptr, &sz, memDC, &src, 0, &blend, ULW_ALPHA);
    } else {
      ::BitBlt(paintDC, update.left, update.top, update.Width(), update.Height(), memDC, update.left, update.top,
               SRCCOPY);
    }
  }
  ::ReleaseDC(m_hPaintWnd, windowDC);
  ::EndPaint(m_hPaintWnd, &ps);
  return 1;
}

CanvasStore* PaintManager::LockCanvas() {
  m_canvasLock.Lock();
  if (!m_canvas) m_canvas = std::make_unique<CanvasStore>();
  if (m_canvas->lent) {
    // Taken again inside a render on this thread: that render keeps it.
    m_canvasLock.Unlock();
    return nullptr;
  }
  m_canvas->lent = true;
  return m_canvas.get();
}

void PaintManager::UnlockCanvas(CanvasStore* store) {
  if (!store) return;
  store->lent = false;
  m_canvasLock.Unlock();
}

void PaintManager::ReleasePaintBuffers() {
  m_backBuffer.Release();
  {
    CriticalSectionLock lock(m_canvasLock);
    if (m_canvas && !m_canvas->lent) m_canvas.reset();
  }
  m_memo.Clear();
}

void PaintManager::InvalidateCaret() { InvalidateRect(m_rcCaret, 1); }

int PaintManager::CreateCaret(HBITMAP bitmap, int width, int height) {
  if (IsWindowAlive()) ::CreateCaret(m_hPaintWnd, bitmap, width, height);
  m_rcCaret.right = m_rcCaret.left + width;
  m_rcCaret.bottom = m_rcCaret.top + height;
  return 1;
}

int PaintManager::SetCaretPos(MRichEdit* owner, int x, int y) {
  if (!::SetCaretPos(x, y)) return 0;
  m_pCaretOwner = owner;
  InvalidateCaret();
  m_rcCaret.MoveToXY(x, y);
  InvalidateCaret();
  return 1;
}

int PaintManager::ShowCaret(int show) {
  if ((show != 0) == (m_bCaretShown != 0)) return 1;
  m_bCaretShown = show ? 1 : 0;
  if (show) {
    if (IsWindowAlive()) ::SetTimer(m_hPaintWnd, kCaretTimer, ::GetCaretBlinkTime(), nullptr);
    if (!m_bCaretPhase) {
      InvalidateCaret();
      m_bCaretPhase = 1;
    }
  } else {
    if (IsWindowAlive()) ::KillTimer(m_hPaintWnd, kCaretTimer);
    if (m_bCaretPhase) InvalidateCaret();
    m_bCaretPhase = 0;
  }
  return 1;
}

void PaintManager::OnCaretTimer() {
  InvalidateCaret();
  m_bCaretPhase = m_bCaretPhase ? 0 : 1;
}

void PaintManager::DrawCaret(HDC dc, const CRect& rect) {
  if (m_pCaretOwner && (!m_pCaretOwner->IsFocused() || ::GetFocus() != m_hPaintWnd)) {
    if (IsWindowAlive()) ::KillTimer(m_hPaintWnd, kCaretTimer);
    if (m_bCaretPhase) InvalidateCaret();
    m_bCaretPhase = 0;
    return;
  }
  if (!m_bCaretPhase || !m_bCaretShown || !m_pCaretOwner) return;
  CRect part;
  if (!part.IntersectRect(m_rcCaret, rect)) return;
  Gdiplus::Graphics g(dc);
  Gdiplus::SolidBrush brush(FromColorRef(m_pCaretOwner->GetTextColorRef()));
  g.FillRectangle(&brush, INT(part.left), INT(part.top), INT(part.Width()), INT(part.Height()));
}

void PaintManager::InvalidateMessage() { InvalidateRect(m_rcMessage, 1); }

void PaintManager::SetMessage(CString text, CRect rect, MsgLevel level) {
  if (IsWindowAlive()) {
    ::KillTimer(m_hPaintWnd, kMessageHoldTimer);
    ::KillTimer(m_hPaintWnd, kFadeTimer);
  }
  m_msgAlpha = 255;
  m_msgText = text;
  m_msgLevel = level;
  m_progressShown = 0;
  m_rcMessage = rect;
  InvalidateMessage();
  if (IsWindowAlive()) ::SetTimer(m_hPaintWnd, kMessageHoldTimer, 3000, nullptr);
}

void PaintManager::SetProgress(int value, CString text, CRect rect) {
  if (value == m_progressTarget) return;
  if (value < 5 && IsWindowAlive()) ::KillTimer(m_hPaintWnd, kFadeTimer);
  m_msgAlpha = 255;
  m_msgText = text;
  m_progressTarget = value;
  if (rect.IsRectEmpty()) {
    CRect client;
    GetClientRect(client);
    rect = CRect(client.left, client.bottom - 60, client.right, client.bottom - 2);
  }
  m_rcMessage = rect;
  if (m_progressTarget - m_progressShown < 6) {
    m_progressShown = m_progressTarget;
    InvalidateMessage();
    if (m_progressShown > 99 && IsWindowAlive()) ::SetTimer(m_hPaintWnd, kFadeTimer, 50, nullptr);
  } else if (IsWindowAlive()) {
    ::SetTimer(m_hPaintWnd, kProgressTimer, 10, nullptr);
  }
}

void PaintManager::OnOverlayTimer(unsigned id) {
  const bool alive = IsWindowAlive();
  if (id == kMessageHoldTimer) {
    if (alive) {
      ::KillTimer(m_hPaintWnd, kMessageHoldTimer);
      ::SetTimer(m_hPaintWnd, kFadeTimer, 50, nullptr);
    }
  } else if (id == kFadeTimer) {
    m_msgAlpha -= 10;
    if (m_msgAlpha < 20) {
      if (alive) ::KillTimer(m_hPaintWnd, kFadeTimer);
      m_msgAlpha = 0;
      m_progressShown = 0;
    }
    InvalidateMessage();
  } else if (id == kProgressTimer) {
    m_progressShown += 2;
    if (m_progressShown >= m_progressTarget) {
      m_progressShown = std::max(m_progressShown, m_progressTarget);
      if (alive) ::KillTimer(m_hPaintWnd, kProgressTimer);
    }
    InvalidateMessage();
    if (m_progressShown >= 100 && alive) ::SetTimer(m_hPaintWnd, kFadeTimer, 50, nullptr);
  }
}

HBITMAP PaintManager::GetDropBitmap(MControl* control, const CRect& part, COLORREF) {
  if (!control) return nullptr;
  const CRect r = control->GetRect();
  HDC reference = m_hPaintDC ? m_hPaintDC : ::GetDC(nullptr);
  HDC memDC = ::CreateCompatibleDC(reference);
  HBITMAP full = ::CreateCompatibleBitmap(reference, std::max<int>(r.right, 1), std::max<int>(r.bottom, 1));
  HGDIOBJ oldFull = ::SelectObject(memDC, full);
  control->Draw(memDC, r);
  HDC cutDC = ::CreateCompatibleDC(reference);
  BYTE* bits = nullptr;
  HBITMAP cut = MRender::CreateARGB32Bitmap(reference, part.Width(), part.Height(), &bits);
  if (cut) {
    HGDIOBJ oldCut = ::SelectObject(cutDC, cut);
    ::BitBlt(cutDC, 0, 0, part.Width(), part.Height(), memDC, r.left + part.left, r.top + part.top, SRCCOPY);
    ::GdiFlush();
    ::SelectObject(cutDC, oldCut);
  }
  ::DeleteDC(cutDC);
  ::SelectObject(memDC, oldFull);
  ::DeleteObject(full);
  ::DeleteDC(memDC);
  if (!m_hPaintDC) ::ReleaseDC(nullptr, reference);
  return cut;
}
