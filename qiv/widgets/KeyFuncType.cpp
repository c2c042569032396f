#include "widgets/KeyFuncType.h"

KeyFuncType::KeyFuncType(MObject* parent, unsigned id, CRect rect, int visible, int enabled) : MPanel(parent, id, rect, visible) {}
KeyFuncType::~KeyFuncType() = default;
const wchar_t* KeyFuncType::GetClassNameW() const { return L"KeyFuncType"; }

KeyFuncValue::KeyFuncValue(MObject* parent, unsigned id, CRect rect, int visible, int enabled) : MPanel(parent, id, rect, visible) {}
KeyFuncValue::~KeyFuncValue() = default;
const wchar_t* KeyFuncValue::GetClassNameW() const { return L"KeyFuncValue"; }

KeyMenuFuncType::KeyMenuFuncType(MObject* parent, unsigned id, CRect rect, int visible, int enabled) : MControlFont(parent, id, rect, L"", visible, 1, 1) {}
KeyMenuFuncType::~KeyMenuFuncType() = default;
const wchar_t* KeyMenuFuncType::GetClassNameW() const { return L"KeyMenuFuncType"; }
void KeyMenuFuncType::DrawControl(HDC&, CRect) {}
