#include "shell/KeyboardDef.h"
#include "core/MControlFont.h"

void KeyboardDef::ShowControl(int id, int show) const {
  if (MControl* control = Control(id)) control->SetVisible(show);
}

int KeyboardDef::IsControlVisible(int id) const {
  MControl* control = Control(id);
  return control && control->IsVisible();
}

void KeyboardDef::SetControlTitle(int id, const wchar_t* title) const {
  // Every titled control of the window is a text control.
  if (auto* text = dynamic_cast<MControlFont*>(Control(id))) text->SetTitle(title);
}
