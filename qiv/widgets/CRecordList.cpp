#include "widgets/CRecordList.h"

CRecordList::CRecordList(MObject* parent, unsigned id, CRect rect, int visible) : MPanel(parent, id, rect, visible) {}
CRecordList::~CRecordList() = default;
const wchar_t* CRecordList::GetClassNameW() const { return L"CRecordList"; }
