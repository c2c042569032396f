#include "controls/CKeyboardTips.h"
#include <vector>
#include "core/MRender.h"

CKeyboardTips::CKeyboardTips() : m_format(std::make_unique<Gdiplus::StringFormat>()) {
  m_format->SetFormatFlags(Gdiplus::StringFormatFlagsNoWrap | Gdiplus::StringFormatFlagsMeasureTrailingSpaces);
  m_format->SetAlignment(Gdiplus::StringAlignmentCenter);
  m_format->SetLineAlignment(Gdiplus::StringAlignmentCenter);
}

CKeyboardTips::~CKeyboardTips() = default;

CString CKeyboardTips::GetLine(int index) const { return index >= 0 && index < 4 ? m_lines[index] : CString(); }

int CKeyboardTips::SetAirBladderMsg(const wchar_t* line1, const wchar_t* line2, const wchar_t* line3,
                                    const wchar_t* line4, POINT anchor) {
  const CString first = line1 ? line1 : L"";
  if (first == m_lines[0] && anchor.x == m_anchor.x && anchor.y == m_anchor.y) return 1;
  m_lines[0] = first;
  m_lines[1] = line2 ? line2 : L"";
  m_lines[2] = line3 ? line3 : L"";
  m_lines[3] = line4 ? line4 : L"";
  m_anchor = anchor;
  m_type = AIRBLADDER_TYPE_HOVER;
  m_mode = AIRBLADDER_MODE_TOP;
  AutoFit();
  return 1;
}

// 190 x 80, centred above the anchor with its bottom edge on it.
void CKeyboardTips::AutoFit() {
  if (m_lines[0].IsEmpty()) return;
  MoveWindow(m_anchor.x - 95, m_anchor.y - 80, 190, 80, 1);
  OnPaint();
}

void CKeyboardTips::Render(BYTE* bits, int width, int height) {
  Gdiplus::Bitmap canvas(width, height, width * 4, PixelFormat32bppARGB, bits);
  Gdiplus::Graphics g(&canvas);
  if (m_background && m_background->GetLastStatus() == Gdiplus::Ok)
    MRender::DrawImageFrame(g, m_background.get(), CRect(0, 0, width - 1, height - 1), 0, 0, m_bkWidth, m_bkHeight, 6);
  if (m_lines[0].IsEmpty()) return;
  g.SetTextRenderingHint(Gdiplus::TextRenderingHintClearTypeGridFit);
  const float w = static_cast<float>(width - 20);
  Gdiplus::Font heading(TipFamily(), 14.0f, Gdiplus::FontStyleRegular, Gdiplus::UnitPixel);
  Gdiplus::SolidBrush grey(Gdiplus::Color(0xFF333333));
  g.DrawString(m_lines[0].GetString(), m_lines[0].GetLength(), &heading, Gdiplus::RectF(10, 8, w, 20), m_format.get(),
               &grey);
  Gdiplus::Font text(TipFamily(), 18.0f, Gdiplus::FontStyleRegular, Gdiplus::UnitPixel);
  Gdiplus::SolidBrush dark(Gdiplus::Color(0xFF141414));
  g.DrawString(m_lines[1].GetString(), m_lines[1].GetLength(), &text, Gdiplus::RectF(10, 35, w, 20), m_format.get(),
               &dark);
}

int CKeyboardTips::OnPaint() {
  if (!HasWindow() || IsIconic()) return 0;
  CRect client;
  GetClientRect(&client);
  const int w = client.Width(), h = client.Height();
  if (w <= 0 || h <= 0) return 0;
  std::vector<BYTE> pixels(static_cast<size_t>(w) * h * 4, 0);
  Render(pixels.data(), w, h);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = w;
  info.bmiHeader.biHeight = -h;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  HDC dc = ::GetDC(m_hWnd);
  ::SetDIBitsToDevice(dc, 0, 0, w, h, 0, 0, 0, h, pixels.data(), &info, DIB_RGB_COLORS);
  ::ReleaseDC(m_hWnd, dc);
  return 0;
}
