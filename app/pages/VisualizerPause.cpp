#include "pages/VisualizerPause.h"

VisualizerPause::VisualizerPause(Visualizer& visualizer, Sleep sleep)
    : m_visualizer(visualizer), m_sleep(sleep ? std::move(sleep) : Sleep([](DWORD ms) { ::Sleep(ms); })) {}

void VisualizerPause::Write(const std::function<void()>& write) {
  m_visualizer.m_enabled = false;
  m_sleep(kPauseMs);
  write();
  m_visualizer.m_enabled = true;
}
