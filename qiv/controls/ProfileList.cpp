#include "controls/ProfileList.h"

ProfileList::ProfileList(MObject* parent, unsigned id, CRect rect, int visible, int enabled) : MPanel(parent, id, rect, visible) {}
ProfileList::~ProfileList() = default;
const wchar_t* ProfileList::GetClassNameW() const { return L"ProfileList"; }
