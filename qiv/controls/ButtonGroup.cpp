#include "controls/ButtonGroup.h"
#include <algorithm>
#include "core/PaintManager.h"

namespace ButtonGroup {

std::vector<MControl*>* SiblingList(MControl& member) {
  MObject* parent = member.GetParantObject();
  if (auto* control = dynamic_cast<MControl*>(parent)) return control->GetControls();
  // A window parent: its controls are the paint manager's list, which holds the member.
  PaintManager* manager = member.GetManager();
  if (!manager) return nullptr;
  std::vector<MControl*>* list = manager->GetControls();
  return std::find(list->begin(), list->end(), &member) != list->end() ? list : nullptr;
}

}  // namespace ButtonGroup
