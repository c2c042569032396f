// Implicit button groups: buttons of one class name with equal group names under one
// parent uncheck each other. A parent control lends its child list; a parent window its
// paint manager's control list. Any other parent gives no list, so nothing is read that
// is not a control list.
#pragma once
#include <vector>
#include "core/MControl.h"

namespace ButtonGroup {

// The list `member` and its group siblings live in; null when there is none.
std::vector<MControl*>* SiblingList(MControl& member);

// Calls `uncheck(other)` on every other member of `self`'s group: an entry of the same
// class name (exact) and type T whose GetGroupName() equals `self`'s; with `activeOnly`
// only visible and enabled ones. 1, or 0 without a parent or a list.
template <class T, class Uncheck>
int Reset(T& self, bool activeOnly, Uncheck uncheck) {
  if (!self.GetParantObject()) return 0;
  std::vector<MControl*>* list = SiblingList(self);
  if (!list) return 0;
  const CString group = self.GetGroupName();
  // By index: an unchecked member may repaint, which never changes the list.
  for (size_t i = 0; i < list->size(); ++i) {
    MControl* entry = (*list)[i];
    if (!entry || entry == &self || !entry->IsClass(self.GetClassNameW())) continue;
    T* other = dynamic_cast<T*>(entry);
    if (!other || other->GetGroupName() != group) continue;
    if (activeOnly && (!other->IsVisible() || !other->IsEnabled())) continue;
    uncheck(*other);
  }
  return 1;
}

}  // namespace ButtonGroup
