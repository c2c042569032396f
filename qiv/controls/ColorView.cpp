#include "controls/ColorView.h"

ColorView::ColorView(MObject* parent, unsigned id, CRect rect, int visible, int enabled) : MControlFont(parent, id, rect, L"", visible, enabled, 1) {}
ColorView::~ColorView() = default;
const wchar_t* ColorView::GetClassNameW() const { return L"ColorView"; }
void ColorView::DrawControl(HDC&, CRect) {}
