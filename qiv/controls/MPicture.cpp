#include "controls/MPicture.h"
#include "controls/ControlPaint.h"
#include "core/MRender.h"
#include "core/Manager.h"

using namespace ControlPaint;

MPicture::MPicture(MObject* parent, unsigned id, CRect rect, int visible, int enabled)
    : MControlFont(parent, id, rect, L"", visible, enabled, 1) {
  m_imageCount = 1;
}

MPicture::~MPicture() { m_pImage = nullptr; }

const wchar_t* MPicture::GetClassNameW() const { return L"MPicture"; }

void MPicture::TakeImage(Gdiplus::Image* image) {
  m_owned.reset(image);
  m_pImage = image;
}

int MPicture::SetImage(const wchar_t* file, int count) {
  if (!file || count < 1) return 0;
  TakeImage(MRender::LoadImageFromFile(GetSkinsFolder() + file));
  if (m_pImage) {
    m_frameWidth = static_cast<int>(m_pImage->GetWidth()) / count;
    m_frameHeight = static_cast<int>(m_pImage->GetHeight());
    m_imageCount = count;
  }
  UpdateControl(1, 0);
  return m_pImage ? 1 : 0;
}

int MPicture::SetImage(unsigned resId, CString type, int count) {
  if (count < 1) return 0;
  TakeImage(MRender::LoadImageFromIDResource(resId, type, Manager::GetInstance()));
  if (!m_pImage) return 0;
  m_frameWidth = static_cast<int>(m_pImage->GetWidth()) / count;
  m_frameHeight = static_cast<int>(m_pImage->GetHeight());
  m_imageCount = count;
  UpdateControl(1, 0);
  return 1;
}

int MPicture::SetImageFile(const wchar_t* path) {
  TakeImage(path ? MRender::LoadImageFromFile(path) : nullptr);
  if (m_pImage) {
    m_frameWidth = static_cast<int>(m_pImage->GetWidth());
    m_frameHeight = static_cast<int>(m_pImage->GetHeight());
  }
  UpdateControl(1, 0);
  return m_pImage ? 1 : 0;
}

int MPicture::SetImageFile(const wchar_t* path, int width, int height) {
  if (!path || ::GetFileAttributesW(path) == INVALID_FILE_ATTRIBUTES) return 0;
  TakeImage(MRender::LoadImageFromFileEx(path, width, height));
  if (m_pImage) {
    m_frameWidth = static_cast<int>(m_pImage->GetWidth());
    m_frameHeight = static_cast<int>(m_pImage->GetHeight());
    m_imageCount = 1;
  }
  UpdateControl(1, 0);
  return m_pImage ? 1 : 0;
}

int MPicture::SetShowMode(enumShowMode mode, int param) {
  if (!m_layout.SetMode(mode, param)) return 0;
  UpdateControl(1, 0);
  return 1;
}

int MPicture::SetShowModeMID(int left, int top, int right, int bottom) {
  m_layout.SetNineGridBorders(left, top, right, bottom);
  UpdateControl(1, 0);
  return 1;
}

void MPicture::DrawControl(HDC& hdc, CRect) {
  PaintSlices(*this, hdc, 1, 0, [&](Gdiplus::Graphics& g, int w, int h) {
    m_layout.hAlign = m_hAlign;
    m_layout.vAlign = m_vAlign;
    DrawPicture(g, m_pImage, m_frameWidth, m_frameHeight, 0, w, h, m_layout);
  });
}
