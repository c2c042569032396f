// How the pages change a setting of the running visualiser: its renderer is switched
// off, given 150 ms to leave the frame it is drawing, the setting is written, and the
// renderer is switched on again - also when it was off before.
#pragma once
#include <windows.h>
#include <functional>
#include "audio/Visualizer.h"

class VisualizerPause {
public:
  static constexpr DWORD kPauseMs = 150;
  using Sleep = std::function<void(DWORD ms)>;

  // `sleep` is ::Sleep unless a test gives its own.
  explicit VisualizerPause(Visualizer& visualizer, Sleep sleep = nullptr);

  void Write(const std::function<void()>& write);
  Visualizer& Target() { return m_visualizer; }
  void Pause() { m_sleep(kPauseMs); }

private:
  Visualizer& m_visualizer;
  Sleep m_sleep;
};
