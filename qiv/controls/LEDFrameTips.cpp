#include "controls/LEDFrameTips.h"
#include "core/MRender.h"
#include "core/Manager.h"

namespace {
void Solid(HDC dc, const RECT& rect, COLORREF colour) {
  ::SetBkColor(dc, colour);
  ::ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
}
}  // namespace

LEDFrameTips::LEDFrameTips() = default;

LEDFrameTips::~LEDFrameTips() {
  if (m_font) ::DeleteObject(m_font);
}

int LEDFrameTips::SetAirBladderMsg(const wchar_t* title, const wchar_t* text, POINT anchor) {
  const CString t = title ? title : L"", x = text ? text : L"";
  if (t == m_title && x == m_text && anchor.x == m_anchor.x && anchor.y == m_anchor.y) return 1;
  m_title = t;
  m_text = x;
  m_anchor = anchor;
  m_type = AIRBLADDER_TYPE_HOVER;
  m_mode = AIRBLADDER_MODE_TOP;
  AutoFit();
  return 1;
}

// 70 pixels high with the bottom edge on the anchor; wider for a frame count title.
void LEDFrameTips::AutoFit() {
  if (m_title.IsEmpty()) return;
  const int width = m_title.Find(L"Frames") >= 0 ? 240 : 160;
  MoveWindow(m_anchor.x, m_anchor.y - 70, width, 70, 1);
  OnPaint();
}

void LEDFrameTips::Render(HDC dc, int width, int height) {
  Solid(dc, RECT{0, 0, width, height}, 0x646464);
  Solid(dc, RECT{1, 1, width - 1, height - 1}, 0x141414);
  if (m_title.IsEmpty()) return;
  if (!m_font) {
    LOGFONTW lf = {};
    ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf);
    lstrcpynW(lf.lfFaceName, Manager::GetFontName(), LF_FACESIZE);
    lf.lfHeight = -16;
    lf.lfCharSet = DEFAULT_CHARSET;
    m_font = ::CreateFontIndirectW(&lf);
  }
  CRect title(10, 8, width - 20, 28), text(10, 43, width - 20, 63);
  MRender::DrawTextW(dc, title, m_title, 0xFFFFFF, m_font, 0x40024);
  MRender::DrawTextW(dc, text, m_text, 0xFFFFFF, m_font, 0x40024);
}

int LEDFrameTips::OnPaint() {
  if (!HasWindow() || IsIconic()) return 0;
  CRect client;
  GetClientRect(&client);
  const int w = client.Width(), h = client.Height();
  if (w <= 0 || h <= 0) return 0;
  ++m_paints;
  HDC window = ::GetDC(m_hWnd);
  HDC dc = ::CreateCompatibleDC(window);
  BYTE* bits = nullptr;
  HBITMAP dib = MRender::CreateARGB32Bitmap(window, w, h, &bits);
  HGDIOBJ old = ::SelectObject(dc, dib);
  Render(dc, w, h);
  ::BitBlt(window, 0, 0, w, h, dc, 0, 0, SRCCOPY);
  ::SelectObject(dc, old);
  ::DeleteObject(dib);
  ::DeleteDC(dc);
  ::ReleaseDC(m_hWnd, window);
  return 0;
}
