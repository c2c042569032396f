#include "controls/MAirBladder.h"
#include <algorithm>
#include <vector>
#include "core/MRender.h"

namespace {
constexpr float kTextSize = 14.0f;

void ResetFormat(Gdiplus::StringFormat& format) {
  format.SetFormatFlags(Gdiplus::StringFormatFlagsNoWrap | Gdiplus::StringFormatFlagsMeasureTrailingSpaces);
  format.SetAlignment(Gdiplus::StringAlignmentNear);
  format.SetLineAlignment(Gdiplus::StringAlignmentNear);
}
}  // namespace

CRect BalloonRect(POINT anchor, int w, int h, int lines, AIRBLADDER_MODE mode) {
  const int x = anchor.x, y = anchor.y, c = lines * h;
  switch (mode) {
    case AIRBLADDER_MODE_RIGHT:
      return CRect(x, y, x + w + 40, y + c + 20);
    case AIRBLADDER_MODE_LEFT:
      return CRect(x - w - 40, y - 27, x, y + c - 7);
    case AIRBLADDER_MODE_BOTTOM:
      return CRect(x - 25, y, x + w + 15, y + c + 30);
    case AIRBLADDER_MODE_TOP: {
      const int left = x - (w + 30) / 2;
      return CRect(left, y - c - 20, left + w + 30, y);
    }
    case AIRBLADDER_MODE_RIGHT_RAISED:
      return CRect(x, y - 10, x + w + 40, y + c - 45);
    default:
      return CRect();
  }
}

CRect KeepInside(CRect rect, const CRect& area) {
  if (rect.right > area.right) rect.OffsetRect(area.right - rect.right, 0);
  if (rect.bottom > area.bottom) rect.OffsetRect(0, area.bottom - rect.bottom);
  if (rect.left < area.left) rect.OffsetRect(area.left - rect.left, 0);
  if (rect.top < area.top) rect.OffsetRect(0, area.top - rect.top);
  return rect;
}

MAirBladder::MAirBladder() : m_format(std::make_unique<Gdiplus::StringFormat>()) { ResetFormat(*m_format); }

MAirBladder::~MAirBladder() = default;

int MAirBladder::LoadArrowLImage(CString file) {
  m_arrowLeft = LoadTipImage(file, m_arrowLeftW, m_arrowLeftH);
  return m_arrowLeft ? 1 : 0;
}
int MAirBladder::LoadArrowLImage(unsigned id, CString type) {
  m_arrowLeft = LoadTipImage(id, type, m_arrowLeftW, m_arrowLeftH);
  return m_arrowLeft ? 1 : 0;
}
int MAirBladder::LoadArrowRImage(CString file) {
  m_arrowRight = LoadTipImage(file, m_arrowRightW, m_arrowRightH);
  return m_arrowRight ? 1 : 0;
}
int MAirBladder::LoadArrowRImage(unsigned id, CString type) {
  m_arrowRight = LoadTipImage(id, type, m_arrowRightW, m_arrowRightH);
  return m_arrowRight ? 1 : 0;
}
int MAirBladder::LoadArrowTImage(CString file) {
  m_arrowTop = LoadTipImage(file, m_arrowTopW, m_arrowTopH);
  return m_arrowTop ? 1 : 0;
}
int MAirBladder::LoadArrowTImage(unsigned id, CString type) {
  m_arrowTop = LoadTipImage(id, type, m_arrowTopW, m_arrowTopH);
  return m_arrowTop ? 1 : 0;
}

int MAirBladder::IsCentred() const {
  return m_format->GetAlignment() == Gdiplus::StringAlignmentCenter ? 1 : 0;
}

int MAirBladder::SetAirBladderMsg(const wchar_t* text, POINT anchor, AIRBLADDER_TYPE type, AIRBLADDER_MODE mode) {
  const CString next = text ? text : L"";
  if (next == m_text && anchor.x == m_anchor.x && anchor.y == m_anchor.y && type == m_type && mode == m_mode) return 1;
  ResetFormat(*m_format);
  m_text = next;
  m_anchor = anchor;
  m_type = type;
  m_mode = mode;
  AutoFit();
  if (m_type != AIRBLADDER_TYPE_KEEP) ArmHideTimer();
  return 1;
}

// Sizes and places the window for the text, kept on the anchor's monitor, and paints.
void MAirBladder::AutoFit() {
  if (m_text.IsEmpty()) return;
  Gdiplus::Font font(TipFamily(), kTextSize, Gdiplus::FontStyleRegular, Gdiplus::UnitPixel);
  const Gdiplus::Size size = MRender::GetTextBounds(font, *m_format, m_text);
  const int lines = 1 + static_cast<int>(std::count(m_text.str().begin(), m_text.str().end(), L'\n'));
  if (lines == 1 || m_mode == AIRBLADDER_MODE_TOP) {
    m_format->SetAlignment(Gdiplus::StringAlignmentCenter);
    m_format->SetLineAlignment(Gdiplus::StringAlignmentCenter);
  }
  CRect rect = BalloonRect(m_anchor, size.Width, size.Height, lines, m_mode);
  m_lines = m_mode == AIRBLADDER_MODE_RIGHT_RAISED ? std::max(1, lines - 2) : lines;
  if (rect.bottom < rect.top) rect.bottom = rect.top;
  MONITORINFO info = {sizeof(info)};
  if (::GetMonitorInfoW(::MonitorFromPoint(m_anchor, MONITOR_DEFAULTTONEAREST), &info))
    rect = KeepInside(rect, info.rcWork);
  MoveWindow(&rect, 1);
  OnPaint();
}

void MAirBladder::Render(BYTE* bits, int width, int height) {
  Gdiplus::Bitmap canvas(width, height, width * 4, PixelFormat32bppPARGB, bits);
  Gdiplus::Graphics g(&canvas);
  if (m_background && m_background->GetLastStatus() == Gdiplus::Ok)
    MRender::DrawImageFrame(g, m_background.get(), CRect(0, 0, width - 1, height - 1), 0, 0, m_bkWidth, m_bkHeight, 6);
  if (m_text.IsEmpty()) return;
  Gdiplus::Font font(TipFamily(), kTextSize, Gdiplus::FontStyleRegular, Gdiplus::UnitPixel);
  g.SetTextRenderingHint(Gdiplus::TextRenderingHintClearTypeGridFit);
  const float h = static_cast<float>(MRender::GetTextBounds(font, *m_format, m_text).Height);
  const float lines = static_cast<float>(m_lines);
  const Gdiplus::RectF layout(8.0f, (height - lines * h) / 2.0f + lines - 1.0f, width - 16.0f, lines * h + 2.0f);
  Gdiplus::SolidBrush white(Gdiplus::Color(0xFFFFFFFF));
  g.DrawString(m_text.GetString(), m_text.GetLength(), &font, layout, m_format.get(), &white);
}

// A layered window: the picture goes to the screen through UpdateLayeredWindow.
int MAirBladder::OnPaint() {
  if (!HasWindow() || IsIconic()) return 0;
  CRect client, place;
  GetClientRect(&client);
  GetWindowRect(&place);
  const int w = client.Width(), h = client.Height();
  if (w <= 0 || h <= 0) return 0;
  HDC screen = ::GetDC(nullptr);
  HDC dc = ::CreateCompatibleDC(screen);
  BYTE* bits = nullptr;
  HBITMAP dib = MRender::CreateARGB32Bitmap(screen, w, h, &bits);
  if (dib && bits) {
    HGDIOBJ old = ::SelectObject(dc, dib);
    // Rendered top-down, then turned into the bottom-up rows of the DIB.
    {
      std::vector<BYTE> top(static_cast<size_t>(w) * h * 4, 0);
      Render(top.data(), w, h);
      for (int y = 0; y < h; ++y)
        std::copy_n(top.data() + static_cast<size_t>(y) * w * 4, w * 4, bits + static_cast<size_t>(h - 1 - y) * w * 4);
    }
    ModifyExStyle(0, WS_EX_LAYERED);
    POINT source = {0, 0}, topLeft = {place.left, place.top};
    SIZE size = {w, h};
    BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    ::UpdateLayeredWindow(m_hWnd, screen, &topLeft, &size, dc, &source, 0, &blend, ULW_ALPHA);
    ::SelectObject(dc, old);
  }
  if (dib) ::DeleteObject(dib);
  ::DeleteDC(dc);
  ::ReleaseDC(nullptr, screen);
  return 0;
}
