#include "controls/CPhotoFrame.h"
#include "controls/ControlPaint.h"
#include "core/MRender.h"
#include "core/Manager.h"

using namespace ControlPaint;

namespace {
Gdiplus::Image* LoadPicture(const wchar_t* file) {
  return file ? MRender::LoadImageFromFile(GetSkinsFolder() + file) : nullptr;
}
Gdiplus::Image* LoadPicture(unsigned resId, const CString& type) {
  return MRender::LoadImageFromIDResource(resId, type, Manager::GetInstance());
}
}  // namespace

CPhotoFrame::CPhotoFrame(MObject* parent, unsigned id, CRect rect, int visible, int enabled)
    : MControlFont(parent, id, rect, L"", visible, enabled, 1) {
  m_imageCount = 1;
  m_layout.param = 4;
}

CPhotoFrame::~CPhotoFrame() { m_pImage = nullptr; }

const wchar_t* CPhotoFrame::GetClassNameW() const { return L"CPhotoFrame"; }

int CPhotoFrame::SetPhotoFrame(const wchar_t* file, int count) {
  if (count < 1) return 0;
  m_picture.reset(LoadPicture(file));
  if (!m_picture) return 0;
  m_pictureWidth = static_cast<int>(m_picture->GetWidth()) / count;
  m_pictureHeight = static_cast<int>(m_picture->GetHeight());
  return 1;
}

int CPhotoFrame::SetPhotoFrame(unsigned resId, CString type, int count) {
  if (count < 1) return 0;
  m_picture.reset(LoadPicture(resId, type));
  if (!m_picture) return 0;
  m_pictureWidth = static_cast<int>(m_picture->GetWidth()) / count;
  m_pictureHeight = static_cast<int>(m_picture->GetHeight());
  return 1;
}

int CPhotoFrame::SetImage(const wchar_t* file, int count) {
  if (count < 1) return 0;
  m_overlay.reset(LoadPicture(file));
  m_pImage = m_overlay.get();
  if (!m_overlay) return 0;
  m_frameWidth = static_cast<int>(m_overlay->GetWidth()) / count;
  m_frameHeight = static_cast<int>(m_overlay->GetHeight());
  m_imageCount = count;
  return 1;
}

int CPhotoFrame::SetImage(unsigned resId, CString type, int count) {
  if (count < 1) return 0;
  m_overlay.reset(LoadPicture(resId, type));
  m_pImage = m_overlay.get();
  if (!m_overlay) return 0;
  m_frameWidth = static_cast<int>(m_overlay->GetWidth()) / count;
  m_frameHeight = static_cast<int>(m_overlay->GetHeight());
  m_imageCount = count;
  return 1;
}

int CPhotoFrame::SetShowMode(enumShowMode mode, int param) {
  if (!m_layout.SetMode(mode, param)) return 0;
  UpdateControl(1, 0);
  return 1;
}

int CPhotoFrame::SetShowModeMID(int left, int top, int right, int bottom) {
  m_layout.SetNineGridBorders(left, top, right, bottom);
  UpdateControl(1, 0);
  return 1;
}

int CPhotoFrame::ChangeState(int state) {
  if (state == m_state) return 0;
  m_state = state;
  UpdateControl(0, 0);
  return 1;
}

int CPhotoFrame::OnControlMouseMove(unsigned, CPoint point) {
  if (!m_bEnabled || m_state == 2) return 0;
  return ChangeState(m_rcControl.PtInRect(point) ? 1 : 0);
}

int CPhotoFrame::OnControlLButtonDown(unsigned, CPoint point) {
  if (!m_bEnabled || !m_rcControl.PtInRect(point)) return 0;
  const int previous = m_state;
  m_state = 2;
  SendMessageW(NOTIFY_LBUTTONDOWN, 0, 0);
  if (previous == m_state) return 0;
  UpdateControl(0, 0);
  return 1;
}

int CPhotoFrame::OnControlLButtonUp(unsigned, CPoint point) {
  if (!m_bEnabled) return 0;
  const bool inside = m_rcControl.PtInRect(point);
  const bool click = inside && m_state == 2;
  if (!ChangeState(inside ? 1 : 0)) return 0;
  if (click) SendMessageW(NOTIFY_CLICK, 0, 0);
  return 1;
}

// Every slice holds the picture (also without an overlay, so that hover and press never
// show an unpainted slice); slices 1-3 also carry the overlay's second frame.
void CPhotoFrame::DrawControl(HDC& hdc, CRect) {
  PaintSlices(*this, hdc, 4, m_state, [&](Gdiplus::Graphics& g, int w, int h) {
    m_layout.hAlign = m_hAlign;
    m_layout.vAlign = m_vAlign;
    for (int i = 0; i < 4; ++i)
      DrawPicture(g, m_picture.get(), m_pictureWidth, m_pictureHeight, i * w, w, h, m_layout);
    if (!m_overlay) return;
    for (int i = 1; i < 4; ++i)
      MRender::DrawImageFrame(g, m_overlay.get(), CRect(i * w, 0, i * w + w, h), m_frameWidth, 0, m_frameWidth,
                              m_frameHeight, 12);
  });
}
