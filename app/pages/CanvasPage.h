// The lighting-canvas tab's mode switch: which source the canvas takes its key colours
// from (1 the visualiser's colour map, 2 music light layers, 3 screen capture, 5 a
// picture or animation file), which control groups the tab then shows, and whether the
// visualiser renders. The mode is stored per profile ("zephra_mode").
#pragma once
#include <vector>
#include "audio/Visualizer.h"
#include "core/CString.h"
#include "store/KeyboardDataStore.h"

// What a mode change does to the tab's controls and the canvas.
struct CanvasModeUpdate {
  int canvasMode = 0;        // handed to the canvas
  std::vector<int> hidden;   // control ids, hidden first
  std::vector<int> shown;    // then these shown
};

class CanvasPage {
public:
  struct ModeItem {
    int textId;
    int mode;
  };
  // The mode tab's items, in order (modes 4, 6 and 7 have none).
  static const std::vector<ModeItem>& Modes();

  // The control groups of the tab (ids).
  static std::vector<int> VisualizerGroup();
  static std::vector<int> MusicLayerGroup();
  static std::vector<int> MusicColourGroup();
  static std::vector<int> CanvasColourGroup();
  static std::vector<int> MediaFileGroup();

  CanvasPage(KeyboardDataStore& store, Visualizer& visualizer);

  // The mode tab's choice (0 when it has none). Every choice, the same one again too,
  // repeats every step: the store included.
  CanvasModeUpdate OnModeChanged(int profile, int tabMode);
  // The canvas's mode (2 until the first choice).
  int Mode() const { return m_mode; }

  // A picture or animation chosen for mode 5 is taken only when the file exists.
  static bool MediaFileUsable(const CString& path);

private:
  KeyboardDataStore& m_store;
  Visualizer& m_visualizer;
  int m_mode = 2;
};
