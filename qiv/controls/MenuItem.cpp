#include "controls/MenuItem.h"

MenuItem::MenuItem(MObject* parent, unsigned id, CRect rect, const wchar_t* text, int visible, int enabled) : MControlFont(parent, id, rect, text, visible, enabled, 1) {}
MenuItem::~MenuItem() = default;
const wchar_t* MenuItem::GetClassNameW() const { return L"MenuItem"; }
void MenuItem::DrawControl(HDC&, CRect) {}
