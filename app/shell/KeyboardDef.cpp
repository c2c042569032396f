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

void KeyboardDef::ShowDeviceFrame(int show) const {
  for (int id : {38, 35, 51, 52, 54, 55, 53, 48, 49, 50, 46, 64}) ShowControl(id, show);
  if (m_aboutCaption) m_aboutCaption->SetVisible(show);
  for (int id : {66, 67, 32, 33, 58}) ShowControl(id, show);
}

void KeyboardDef::ShowKeyPageGroup(int show) const {
  for (int id : {56, 57, 60, 61}) ShowControl(id, show);
}
