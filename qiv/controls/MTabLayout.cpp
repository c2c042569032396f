#include "controls/MTabLayout.h"

MTabLayout::MTabLayout(MObject* parent, unsigned id, CRect rect, int visible) : MPanel(parent, id, rect, visible) {
  m_imageCount = 1;
  m_bRunTimer = 1;
}

MTabLayout::~MTabLayout() = default;
const wchar_t* MTabLayout::GetClassNameW() const { return L"MTabLayout"; }
void MTabLayout::DrawControl(HDC&, CRect) {}
int MTabLayout::DrawSubControls(HDC& hdc, CRect paint) { return MPanel::DrawSubControls(hdc, paint); }

int MTabLayout::OnCheckMouseResponse(unsigned, CPoint point) {
  int hit = 0;
  WalkControls([&](MControl* child) {
    hit = child->PtInRect(point) ? 1 : 0;
    return hit != 0;
  });
  return hit;
}
