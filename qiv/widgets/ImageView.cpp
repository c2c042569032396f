#include "widgets/ImageView.h"

ImageView::ImageView(MObject* parent, unsigned id, CRect rect, int visible, int enabled) : MControlFont(parent, id, rect, L"", visible, enabled, 1) {}
ImageView::~ImageView() = default;
const wchar_t* ImageView::GetClassNameW() const { return L"ImageView"; }
void ImageView::DrawControl(HDC&, CRect) {}
