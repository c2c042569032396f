#include "controls/MPalette.h"

MPalette::MPalette(MObject* parent, unsigned id, CRect rect, int visible) : MControlFont(parent, id, rect, L"", visible, 1, 1) {}
MPalette::~MPalette() = default;
const wchar_t* MPalette::GetClassNameW() const { return L"MPalette"; }
void MPalette::DrawControl(HDC&, CRect) {}

CirclePalette::CirclePalette(MObject* parent, unsigned id, CRect rect, int visible, int enabled) : MControlFont(parent, id, rect, L"", visible, enabled, 1) {}
CirclePalette::~CirclePalette() = default;
const wchar_t* CirclePalette::GetClassNameW() const { return L"CirclePalette"; }
void CirclePalette::DrawControl(HDC&, CRect) {}
