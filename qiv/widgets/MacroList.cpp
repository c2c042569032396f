#include "widgets/MacroList.h"

MacroList::MacroList(MObject* parent, unsigned id, CRect rect, int visible) : MPanel(parent, id, rect, visible) {}
MacroList::~MacroList() = default;
const wchar_t* MacroList::GetClassNameW() const { return L"MacroList"; }
