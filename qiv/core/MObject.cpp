#include "core/MObject.h"
#include <cwchar>

MObject::~MObject() = default;

int MObject::IsClass(const wchar_t* name) const {
  const wchar_t* own = GetClassNameW();
  if (!name || !own) return 0;
  return std::wcscmp(name, own) == 0 ? 1 : 0;
}

const wchar_t* MObject::GetClassNameW() const { return nullptr; }
const wchar_t* MObject::GetObjectClass() const { return nullptr; }
const wchar_t* MObject::BaseObjectClassName() const { return nullptr; }
long MObject::OnBaseMessage(unsigned, unsigned, unsigned, long) { return 0; }
long MObject::OnControlUpdate(CRect, int, MControl*) { return 0; }
