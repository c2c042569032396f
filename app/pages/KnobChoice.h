// A choice made in the knob dialog, carried by value: which of the three knob actions
// changed, on which Fn layer, and the three action records as the dialog left them.
// It travels to the main window inside UM_KNOB_SELECTED as a heap copy that the
// receiver takes over, so the dialog may be gone by the time it is read.
#pragma once
#include <windows.h>
#include <memory>
#include "store/StoreRecords.h"

// The main window's UM_KNOB_SELECTED.
constexpr UINT kKnobSelectedMessage = 0x722;

struct KnobChoice {
  static constexpr int kActions = 3;
  static constexpr int kLayers = 4;

  int action = 0;  // 0-2
  int layer = 0;   // 0-3
  KeyMacroRecord actions[kActions];

  // Copies the three records into the main window's knob table at this choice's layer.
  // A choice outside the table changes nothing; answers whether it applied.
  bool ApplyTo(KeyMacroRecord (&knob)[kActions][kLayers]) const;
};

// Posts a copy of `choice` (wParam = the action, lParam = the copy). False, with the copy
// freed, when the post fails.
bool PostKnobChoice(HWND window, const KnobChoice& choice);
// Takes over the copy of a UM_KNOB_SELECTED message; null for a message without one.
std::unique_ptr<KnobChoice> TakeKnobChoice(LPARAM lParam);
