// The matrix-screen page's logic: one of the keyboard's own matrix modes with brightness,
// speed and colour (task 14 writes it), the picture painted cell by cell (mode 5: task 15
// reads it into the preview, task 16 writes the preview back), or an effect of the
// preview that the worker streams (mode 128; its preset and music amplitude are profile
// settings). The settings live in the profile's matrix rows (type 16).
//
// Like the lighting page it holds no control: handlers take what the controls report and
// answer a MatrixUpdate for the window to apply, preview changes included.
#pragma once
#include <windows.h>
#include <optional>
#include <utility>
#include <vector>
#include "core/CString.h"
#include "device/DeviceInfo.h"
#include "device/TaskQueue.h"
#include "pages/MatrixControls.h"
#include "store/KeyboardDataStore.h"

struct MatrixState {
  // The main window's state that the page reads.
  int profile = 1;
  DeviceInfo device;
  // The page's own: the current mode (0 while the matrix switch is off), whether the
  // worker streams the preview, and the preset list's choice.
  int mode = 0;
  bool streaming = false;
  int presetChoice = 4;  // the list's first item
};

// What the preview control is told; empty fields stay as they are.
struct MatrixPreview {
  std::optional<int> preset;
  std::optional<float> brightness;
  std::optional<float> speed;
  std::optional<bool> colourful;
  std::optional<COLORREF> colour;
  std::optional<float> amplitude;
};

struct MatrixModeList {
  std::vector<std::pair<CString, int>> items;  // text, mode
  int selectedMode = 0;
  int brightnessMax = 0;  // slider 292's maximum
  int speedMax = 0;       // slider 294's maximum
};

// Which of the two sliders in the speed place shows.
struct MatrixAmplitudeControls {
  bool amplitudeShown = false;     // label 320 and slider 321
  std::optional<bool> speedShown;  // label 293 and slider 294; unchanged when empty
  std::optional<int> amplitude;    // slider 321
};

struct MatrixUpdate {
  int result = 1;
  std::optional<MatrixModeList> modeList;
  std::optional<MatrixControls> controls;
  std::optional<MatrixAmplitudeControls> amplitude;
  std::optional<bool> presetsShown;  // label 278 and list 279
  std::optional<int> presetChoice;   // list 279 selects the item with this preset
  std::optional<bool> matrixOn;      // switch 286
  std::optional<COLORREF> swatch;    // 300
  std::optional<COLORREF> rgbEdits;  // 308-310
  std::optional<std::pair<int, int>> editText;  // (edit id, value) shown after a clamp
  std::optional<bool> colourfulChecked;  // 301
  MatrixPreview preview;
};

class MatrixPage {
public:
  struct Preset {
    int textId;
    int preset;
  };
  // The preset list in its order; presets 22-27 follow the music.
  static const std::vector<Preset>& Presets();
  static constexpr int kFirstMusicPreset = 22;

  MatrixPage(KeyboardDataStore& store, TaskQueue& tasks);

  MatrixState& State() { return m_state; }
  const MatrixState& State() const { return m_state; }

  // Refills the page from the store (seeding the rows of a profile that has none).
  MatrixUpdate Load();
  std::optional<MatrixControls> UpdateControls(MatrixUpdate& update);
  MatrixAmplitudeControls UpdateAmplitudeControls();

  // Only code 2 acts; `mode` is the selected item's data.
  MatrixUpdate OnModeSelected(int code, int mode);
  MatrixUpdate OnPresetSelected(int preset);
  // The user painted a cell of the preview.
  MatrixUpdate OnPreviewPainted();
  MatrixUpdate OnMatrixSwitch(bool on);
  MatrixUpdate OnColourfulCheck(bool checked);
  MatrixUpdate OnBrightness(int value);
  MatrixUpdate OnSpeed(int value);
  // Radio 296-299.
  MatrixUpdate OnDirection(int radioId);
  MatrixUpdate OnAmplitude(int value);
  // RGB edit 308, 309 or 310 changed (code 26 acts); `texts` are the three edits' texts.
  MatrixUpdate OnRgbEdit(int code, int editId, const CString (&texts)[3], bool colourful);
  MatrixUpdate OnPalette(COLORREF colour, bool colourful);
  // No colour when no control has the button's id (result 0).
  MatrixUpdate OnColourButton(std::optional<COLORREF> colour, bool colourful);
  MatrixUpdate ApplyColour(COLORREF colour);

private:
  bool ReadRow(LightRecord& row);
  void WriteRow(const LightRecord& row);
  int StoredInt(const wchar_t* key);
  void StoreInt(const wchar_t* key, int value);
  // Selects `preset` in the list when an item carries it.
  void ChoosePreset(int preset, MatrixUpdate& update);
  void ApplyColour(COLORREF colour, MatrixUpdate& update);
  void ColourfulCheck(bool checked, MatrixUpdate& update);
  void ClearColourful(bool colourful, MatrixUpdate& update);
  // The keyboard runs the mode itself (below 128): a change goes to it.
  bool KeyboardMode() const { return m_state.mode < 128; }

  KeyboardDataStore& m_store;
  TaskQueue& m_tasks;
  MatrixState m_state;
};
