#include "controls/CGifPicture.h"
#include <vector>
#include "controls/ControlPaint.h"
#include "core/MRender.h"

using namespace ControlPaint;

CGifPicture::CGifPicture(MObject* parent, unsigned id, CRect rect, int visible, int enabled)
    : MControlFont(parent, id, rect, L"", visible, enabled, 1), m_dimension(Gdiplus::FrameDimensionTime) {
  m_imageCount = 1;
  m_bRunTimer = 1;
}

CGifPicture::~CGifPicture() { ReleaseImage(); }

const wchar_t* CGifPicture::GetClassNameW() const { return L"CGifPicture"; }

// An image of the window's cache stays the cache's.
void CGifPicture::ReleaseImage() {
  if (m_owned) delete m_pImage;
  m_pImage = nullptr;
  m_owned = false;
}

int CGifPicture::SetImageFile(const wchar_t* path) {
  m_frameCount = 0;
  m_secondIndex = 0;
  m_currentFrame = 0;
  ReleaseImage();
  m_pImage = path ? MRender::LoadImageFromFile(path) : nullptr;
  if (!m_pImage) {
    UpdateControl(1, 0);
    return 0;
  }
  m_owned = true;
  m_frameWidth = static_cast<int>(m_pImage->GetWidth());
  m_frameHeight = static_cast<int>(m_pImage->GetHeight());
  OnSetImage(m_pImage);
  return m_pImage ? 1 : 0;
}

int CGifPicture::SetImage(const wchar_t* file, int) {
  Gdiplus::Image* previous = m_owned ? m_pImage : nullptr;
  if (!MControlFont::SetImage(file, 4)) return 0;
  delete previous;
  m_owned = false;
  OnSetImage(m_pImage);
  return 0;
}

void CGifPicture::OnSetImage(Gdiplus::Image* image) {
  const UINT dimensions = image ? image->GetFrameDimensionsCount() : 0;
  if (dimensions == 0) {
    m_frameCount = 0;
    ReleaseImage();
    return;
  }
  std::vector<GUID> list(dimensions);
  image->GetFrameDimensionsList(list.data(), dimensions);
  m_dimension = list[0];
  m_frameCount = static_cast<int>(image->GetFrameCount(&m_dimension));
}

int CGifPicture::SetRunState(int run, int frame) {
  if (m_frameCount <= 1) return 0;
  m_currentFrame = frame;
  m_bRun = run ? 1 : 0;
  UpdateControl(0, 0);
  return 1;
}

void CGifPicture::SelectActiveFrame(int index) {
  if (m_pImage && m_frameCount > 1 && index >= 0 && index < m_frameCount)
    m_pImage->SelectActiveFrame(&m_dimension, static_cast<UINT>(index));
}

void CGifPicture::ActiveNextFrame() {
  if (m_frameCount < 2) return;
  m_secondIndex = (m_secondIndex + 1) % m_frameCount;
  SelectActiveFrame(m_secondIndex);
}

int CGifPicture::OnControlTimer() {
  if (!m_bRun || !m_bVisible || !m_pImage) return 0;
  if (++m_tick <= 4) return 0;
  m_tick = 0;
  m_currentFrame = m_currentFrame + 1 >= m_frameCount ? 0 : m_currentFrame + 1;
  UpdateControl(1, 0);
  return 0;
}

int CGifPicture::OnControlMouseMove(unsigned, CPoint point) {
  if (!m_bEnabled || m_bPressed || !m_hoverAnimate || m_frameCount <= 1) return 0;
  m_bRun = m_rcControl.PtInRect(point) ? 1 : 0;
  m_currentFrame = 0;
  UpdateControl(0, 0);
  return 0;
}

void CGifPicture::DrawControl(HDC& hdc, CRect) {
  PaintSlices(*this, hdc, 1, 0, [&](Gdiplus::Graphics& g, int w, int h) {
    if (!m_pImage) return;
    SelectActiveFrame(m_currentFrame);
    g.DrawImage(m_pImage, Gdiplus::Rect(0, 0, w, h), 0, 0, static_cast<INT>(m_pImage->GetWidth()),
                static_cast<INT>(m_pImage->GetHeight()), Gdiplus::UnitPixel);
  });
}
