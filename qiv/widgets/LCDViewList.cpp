#include "widgets/LCDViewList.h"

LCDViewList::LCDViewList(MObject* parent, unsigned id, CRect rect, int visible) : MPanel(parent, id, rect, visible) {}
LCDViewList::~LCDViewList() = default;
const wchar_t* LCDViewList::GetClassNameW() const { return L"LCDViewList"; }
