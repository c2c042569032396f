#include "pages/KnobChoice.h"

bool KnobChoice::ApplyTo(KeyMacroRecord (&knob)[kActions][kLayers]) const {
  if (layer < 0 || layer >= kLayers) return false;
  for (int a = 0; a < kActions; ++a) knob[a][layer] = actions[a];
  return true;
}

bool PostKnobChoice(HWND window, const KnobChoice& choice) {
  auto copy = std::make_unique<KnobChoice>(choice);
  if (!PostMessageW(window, kKnobSelectedMessage, WPARAM(choice.action), reinterpret_cast<LPARAM>(copy.get())))
    return false;
  copy.release();  // the receiver owns it now
  return true;
}

std::unique_ptr<KnobChoice> TakeKnobChoice(LPARAM lParam) {
  return std::unique_ptr<KnobChoice>(reinterpret_cast<KnobChoice*>(lParam));
}
