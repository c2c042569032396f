#include "controls/CColorPalette.h"

CColorPalette::CColorPalette(MObject* parent, unsigned id, CRect rect, int visible) : MPanel(parent, id, rect, visible) {}
CColorPalette::~CColorPalette() = default;
const wchar_t* CColorPalette::GetClassNameW() const { return L"CColorPalette"; }

CColorSelect::CColorSelect(MObject* parent, unsigned id, CRect rect, int visible) : MPanel(parent, id, rect, visible) {}
CColorSelect::~CColorSelect() = default;
const wchar_t* CColorSelect::GetClassNameW() const { return L"CColorSelect"; }
