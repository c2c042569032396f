#include "widgets/LCDPalette.h"

LCDPalette::LCDPalette(MObject* parent, unsigned id, CRect rect, int visible) : MControlFont(parent, id, rect, L"", visible, 1, 1) {}
LCDPalette::~LCDPalette() = default;
const wchar_t* LCDPalette::GetClassNameW() const { return L"LCDPalette"; }
void LCDPalette::DrawControl(HDC&, CRect) {}

LCDPalette2::LCDPalette2(MObject* parent, unsigned id, CRect rect, int visible) : MControlFont(parent, id, rect, L"", visible, 1, 1) {}
LCDPalette2::~LCDPalette2() = default;
const wchar_t* LCDPalette2::GetClassNameW() const { return L"LCDPalette2"; }
void LCDPalette2::DrawControl(HDC&, CRect) {}

LCDPalette3::LCDPalette3(MObject* parent, unsigned id, CRect rect, int visible) : MControlFont(parent, id, rect, L"", visible, 1, 1) {}
LCDPalette3::~LCDPalette3() = default;
const wchar_t* LCDPalette3::GetClassNameW() const { return L"LCDPalette3"; }
void LCDPalette3::DrawControl(HDC&, CRect) {}
