#include "widgets/CDeviceCtrl.h"
#include "core/MRender.h"
#include "core/PaintManager.h"

CDeviceCtrl::CDeviceCtrl(MObject* parent, unsigned id, CRect rect, int visible, int enabled)
    : MControlFont(parent, id, rect, L"", visible, enabled, 1) {
  SetTextColor(Gdiplus::Color(0xFFFFFFFF));
}

CDeviceCtrl::~CDeviceCtrl() { m_pImage = nullptr; }
const wchar_t* CDeviceCtrl::GetClassNameW() const { return L"CDeviceCtrl"; }

int CDeviceCtrl::SetImage(const wchar_t* file, int frames) {
  m_pImage = nullptr;
  m_picture.reset();
  m_frameWidth = m_frameHeight = 0;
  if (frames < 1) return 0;
  m_picture.reset(MRender::LoadImageFromFile(file ? file : L""));
  if (!m_picture) return 0;
  m_pImage = m_picture.get();
  m_imageCount = frames;
  m_frameHeight = static_cast<int>(m_picture->GetHeight());
  m_frameWidth = static_cast<int>(m_picture->GetWidth()) / frames;
  UpdateControl(1, 0);
  return 1;
}

void CDeviceCtrl::SetDeviceStatus(int status) {
  m_status = status;
  UpdateControl(1, 0);
}

void CDeviceCtrl::SetShowMode(int mode) {
  if (mode == m_showMode) return;
  m_showMode = mode;
  UpdateControl(1, 0);
}

void CDeviceCtrl::DrawCopy(Gdiplus::Graphics& g, HDC hdc, int offset, int shift) {
  const int w = m_rcControl.Width(), h = m_rcControl.Height();
  ::BitBlt(m_hMemDC, offset, 0, w, h, hdc, m_rcControl.left, m_rcControl.top, SRCCOPY);
  if (m_showMode != 0) {
    Gdiplus::SolidBrush back(m_backColor);
    g.FillRectangle(&back, offset, 0, w, h);
  }
  const int x0 = offset + shift, y0 = shift;
  auto picture = [&](int x, int y) {
    if (m_pImage && m_frameWidth > 0)
      g.DrawImage(m_pImage, Gdiplus::Rect(x, y, m_frameWidth, m_frameHeight), 0, 0, m_frameWidth, m_frameHeight,
                  Gdiplus::UnitPixel);
  };
  if (m_title.IsEmpty()) {
    picture(x0 + (w - m_frameWidth) / 2, y0 + (h - m_frameHeight) / 2);
    return;
  }
  Gdiplus::FontFamily* family = m_pManager ? m_pManager->FindTempFont(m_fontName) : nullptr;
  Gdiplus::StringFormat format(0x1800);
  Gdiplus::RectF box;
  Gdiplus::Color colour = m_textColor;
  if (m_showMode != 0) {
    picture(x0 + 5, y0);
    format.SetAlignment(Gdiplus::StringAlignmentNear);
    format.SetLineAlignment(Gdiplus::StringAlignmentCenter);
    box = Gdiplus::RectF(static_cast<Gdiplus::REAL>(x0 + 238), static_cast<Gdiplus::REAL>(y0 + 60), 190, 30);
    if (m_status == 0) colour = Gdiplus::Color(0xFFC8C8C8);
  } else {
    picture(x0 + (w - m_frameWidth) / 2, y0 + (h - m_frameHeight - 30) / 2);
    format.SetAlignment(Gdiplus::StringAlignmentCenter);
    format.SetLineAlignment(Gdiplus::StringAlignmentCenter);
    box = Gdiplus::RectF(static_cast<Gdiplus::REAL>(x0), static_cast<Gdiplus::REAL>(y0 + h - 35),
                         static_cast<Gdiplus::REAL>(w), 30);
    if (m_status == 0) colour = Gdiplus::Color(0xFF808080);
  }
  if (!family) return;
  Gdiplus::Font font(family, static_cast<Gdiplus::REAL>(m_fontSize), m_fontStyle, Gdiplus::UnitPixel);
  Gdiplus::SolidBrush brush(colour);
  g.DrawString(m_title.GetString(), m_title.GetLength(), &font, box, &format, &brush);
}

void CDeviceCtrl::DrawControl(HDC& hdc, CRect) {
  const int w = m_rcControl.Width(), h = m_rcControl.Height();
  if (w <= 0 || h <= 0) return;
  if (!m_bUpdate || !m_hMemDC) {
    UpdateMemDC(hdc, 2 * w, h);
    Gdiplus::Graphics g(m_hMemDC);
    g.SetTextRenderingHint(m_textRenderingHint);
    g.SetSmoothingMode(m_smoothingMode);
    DrawCopy(g, hdc, 0, 0);
    DrawCopy(g, hdc, w, 1);
  }
  const int shown = (m_mouseState == 1 || m_mouseState == 2) ? w : 0;
  ::BitBlt(hdc, m_rcControl.left, m_rcControl.top, w, h, m_hMemDC, shown, 0, SRCCOPY);
}

void CDeviceCtrl::SetMouseState(int state) {
  if (state == m_mouseState) return;
  m_mouseState = state;
  UpdateControl(0, 0);
}

int CDeviceCtrl::OnControlMouseMove(unsigned, CPoint point) {
  if (!Responds()) return 0;
  if (m_mouseState != 2) SetMouseState(m_rcControl.PtInRect(point) ? 1 : 0);
  return 1;
}

int CDeviceCtrl::OnControlLButtonDown(unsigned, CPoint point) {
  if (!Responds()) return 0;
  if (m_rcControl.PtInRect(point)) {
    SetMouseState(2);
    SendMessageW(NOTIFY_LBUTTONDOWN, 0, 0);
  }
  return 1;
}

int CDeviceCtrl::OnControlLButtonUp(unsigned, CPoint point) {
  if (!Responds()) return 0;
  if (m_rcControl.PtInRect(point)) {
    SetMouseState(0);
    SendMessageW(NOTIFY_CLICK, 0, 0);
  }
  return 1;
}
