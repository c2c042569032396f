#include "controls/MPicture.h"

MPicture::MPicture(MObject* parent, unsigned id, CRect rect, int visible, int enabled) : MControlFont(parent, id, rect, L"", visible, enabled, 1) { m_imageCount = 1; }
MPicture::~MPicture() = default;
const wchar_t* MPicture::GetClassNameW() const { return L"MPicture"; }
void MPicture::DrawControl(HDC&, CRect) {}

CPhotoFrame::CPhotoFrame(MObject* parent, unsigned id, CRect rect, int visible, int enabled) : MControlFont(parent, id, rect, L"", visible, enabled, 1) { m_imageCount = 1; }
CPhotoFrame::~CPhotoFrame() = default;
const wchar_t* CPhotoFrame::GetClassNameW() const { return L"CPhotoFrame"; }
void CPhotoFrame::DrawControl(HDC&, CRect) {}

CSliderPicture::CSliderPicture(MObject* parent, unsigned id, CRect rect, int visible, int enabled) : MControlFont(parent, id, rect, L"", visible, enabled, 1) { m_imageCount = 1; }
CSliderPicture::~CSliderPicture() = default;
const wchar_t* CSliderPicture::GetClassNameW() const { return L"CSliderPicture"; }
void CSliderPicture::DrawControl(HDC&, CRect) {}

CGifPicture::CGifPicture(MObject* parent, unsigned id, CRect rect, int visible, int enabled) : MControlFont(parent, id, rect, L"", visible, enabled, 1) { m_imageCount = 1; }
CGifPicture::~CGifPicture() = default;
const wchar_t* CGifPicture::GetClassNameW() const { return L"CGifPicture"; }
void CGifPicture::DrawControl(HDC&, CRect) {}
