// The lighting page's logic: for each light zone a mode with its brightness, speed,
// direction and colour, and on zone 0 the five per-key colour sets. Every setting lives in
// the lighting row of (profile, zone, mode); a change is written to the row at once and a
// worker task hands it to the keyboard (13 the zone's mode, 12 a colour set as zone 0's
// mode, 18 reads a set's colours from the keyboard, 19 writes the stored set).
//
// The page holds no control: each handler takes what the controls report and answers a
// LightingUpdate, which the window applies to its controls. Handlers run on the
// user-interface thread; Load also runs on the worker inside a profile change.
#pragma once
#include <windows.h>
#include <functional>
#include <optional>
#include <utility>
#include <vector>
#include "core/CString.h"
#include "device/DeviceInfo.h"
#include "device/TaskQueue.h"
#include "pages/ColourSetPictures.h"
#include "pages/LightControls.h"
#include "store/KeyboardDataStore.h"

struct LightingState {
  // The main window's state that the page reads.
  int profile = 1;
  int deviceType = 0;
  bool pageCurrent = false;  // the lighting page is the main window's current page
  DeviceInfo device;
  // The page's own: the zone shown, its mode (0 while lighting is switched off), that
  // mode's config_func and the live key-colour view.
  int zone = 0;
  int mode = 0;
  int configFunc = 0;
  bool liveKeyColours = false;
};

// The mode list and slider ranges of the zone shown.
struct LightModeList {
  std::vector<std::pair<CString, int>> items;  // text, mode
  int selectedMode = 0;
  std::optional<int> brightnessMax;  // slider 129; kept as it was when not given
  std::optional<int> speedMax;       // slider 131
  int thirdZoneTextId = 172;         // text of the zone tab's item 2
};

// What a handler changes on screen; fields left empty stay as they are.
struct LightingUpdate {
  int result = 1;
  std::optional<LightModeList> modeList;
  std::optional<LightControls> controls;
  std::optional<bool> lightingOn;       // switch 123
  std::optional<bool> liveViewShown;    // label 124 and switch 125
  std::optional<bool> liveViewOn;       // switch 125
  std::optional<int> keyboardMode;      // on-screen keyboard: 100 plain, 103 keys in their colours
  std::optional<int> colourSetChoice;   // list 159 selects the item with this set
  bool clearKeyChecks = false;
  bool repaintKeyboard = false;
  std::optional<COLORREF> swatch;       // 137
  std::optional<COLORREF> rgbEdits;     // 145-147 show its bytes
  std::optional<std::pair<int, int>> editText;  // (edit id, value) shown after a clamp
  std::optional<bool> colourfulChecked;  // 138
  std::optional<COLORREF> paintColour;   // the on-screen keyboard's select colour
  std::optional<KeyPicture> keyColours;  // every on-screen key's colour
};

class LightingPage {
public:
  static constexpr int kKeyboardPlain = 100;
  static constexpr int kKeyboardColours = 103;

  LightingPage(KeyboardDataStore& store, TaskQueue& tasks);

  LightingState& State() { return m_state; }
  const LightingState& State() const { return m_state; }
  // The on-screen keyboard's keys and colours, read when a colour set is saved or filled.
  void SetKeyPicture(std::function<KeyPicture()> picture) { m_picture = std::move(picture); }

  // Refills the page from the store for the profile and zone (seeding a new profile).
  LightingUpdate Load();
  // What the mode's row offers; none unless the page is current or without the row.
  std::optional<LightControls> UpdateControls();

  LightingUpdate OnZoneChanged(int zone, int colourSetChoice);
  LightingUpdate OnLightingSwitch(bool on);
  LightingUpdate OnLiveViewSwitch(bool on);
  // `shownMode` is the mode list's selection; only code 2 acts.
  LightingUpdate OnModeSelected(int code, int shownMode);
  // Entering the lighting page: the keys' checks cleared, the live view off, and the
  // shown mode applied again (not while a device switch is in progress).
  LightingUpdate OnPageEntered(int shownMode, bool switchingDevice);
  LightingUpdate OnColourfulCheck(bool checked);
  LightingUpdate OnBrightness(int value);
  LightingUpdate OnSpeed(int value);
  // Radio 133-136.
  LightingUpdate OnDirection(int radioId);
  LightingUpdate OnApply();
  // An RGB edit (145, 146 or 147) changed; `texts` are the three edits' texts and
  // `colourful` the colourful check's state. Only code 26 acts.
  LightingUpdate OnRgbEdit(int code, int editId, const CString (&texts)[3], bool colourful);
  LightingUpdate OnPalette(COLORREF colour, bool colourful);
  // A preset colour button; no colour when no control has the button's id (result 0).
  LightingUpdate OnColourButton(std::optional<COLORREF> colour, bool colourful);
  LightingUpdate ApplyColour(COLORREF colour);

  // A click (2) or right-button release (5) on the on-screen keyboard; `selectedKey` is
  // the key code it reported (-1 or 0 away from the keys).
  LightingUpdate OnColourKeys(int code, int selectedKey);
  LightingUpdate OnColourSetSelected(int set);

private:
  bool ReadRow(LightRecord& row);
  void WriteRow(const LightRecord& row);
  void ApplyColour(COLORREF colour, LightingUpdate& update);
  void ColourfulCheck(bool checked, LightingUpdate& update);
  // A colour picked while the colourful check is set clears the check.
  void ClearColourful(bool colourful, LightingUpdate& update);
  void ShowColour(COLORREF colour, bool colourful, LightingUpdate& update);
  void SaveColourSet();
  // A colour set entered shows its stored colours on the keys.
  void FillKeys(LightingUpdate& update);
  LightingUpdate& Finish(LightingUpdate& update);

  KeyboardDataStore& m_store;
  TaskQueue& m_tasks;
  ColourSetPictures m_sets;
  LightingState m_state;
  std::function<KeyPicture()> m_picture;
};
