#include "widgets/ImageViewList.h"

ImageViewList::ImageViewList(MObject* parent, unsigned id, CRect rect, int visible) : MPanel(parent, id, rect, visible) {}
ImageViewList::~ImageViewList() = default;
const wchar_t* ImageViewList::GetClassNameW() const { return L"ImageViewList"; }
