// The logic objects of the main window's lighting pages, owned by the window together.
// The window keeps the state the worker reads (m_lightZone, m_lightMode, m_matrixMode
// ...); each handler hands it to the page before the call and takes it back after.
#pragma once
#include <atomic>
#include "pages/CanvasPage.h"
#include "pages/LightingPage.h"
#include "pages/MatrixPage.h"
#include "pages/MusicSettings.h"
#include "pages/VisualizerGeometry.h"
#include "pages/VisualizerPause.h"

struct LightingPages {
  LightingPages(KeyboardDataStore& store, TaskQueue& tasks, Visualizer& visualizer, std::atomic<int>& waveGain)
      : lighting(store, tasks), matrix(store, tasks), canvas(store, visualizer), pause(visualizer),
        music(store, pause, waveGain) {}

  LightingPage lighting;
  MatrixPage matrix;
  CanvasPage canvas;
  VisualizerPause pause;
  MusicSettings music;
  // Where the worker samples the visualiser's frame (set at each profile reload).
  VisualizerGeometry geometry;
  // The bar brightness slider's position, for the worker's light strips.
  std::atomic<int> stripBrightness{100};
  // The profile and model the lighting page was last filled for (-1: never).
  int lightingProfile = -1;
  int lightingModel = -1;
};
