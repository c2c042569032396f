#include "pages/CanvasPage.h"
#include <windows.h>

namespace {
std::vector<int> Range(int first, int last) {
  std::vector<int> ids;
  for (int id = first; id <= last; ++id) ids.push_back(id);
  return ids;
}
void Append(std::vector<int>& to, const std::vector<int>& ids) { to.insert(to.end(), ids.begin(), ids.end()); }
}  // namespace

const std::vector<CanvasPage::ModeItem>& CanvasPage::Modes() {
  static const std::vector<ModeItem> items = {{600, 1}, {601, 2}, {602, 3}, {604, 5}};
  return items;
}

std::vector<int> CanvasPage::VisualizerGroup() { return {160, 193, 194, 195, 196, 199, 200, 201, 202, 197, 198}; }
std::vector<int> CanvasPage::MusicLayerGroup() { return Range(161, 172); }
std::vector<int> CanvasPage::MusicColourGroup() { return Range(173, 192); }
std::vector<int> CanvasPage::CanvasColourGroup() { return Range(244, 267); }
std::vector<int> CanvasPage::MediaFileGroup() { return {270, 271, 272}; }

CanvasPage::CanvasPage(KeyboardDataStore& store, Visualizer& visualizer) : m_store(store), m_visualizer(visualizer) {}

CanvasModeUpdate CanvasPage::OnModeChanged(int profile, int tabMode) {
  if (m_mode == 1) m_visualizer.m_enabled = false;
  m_mode = tabMode;
  CString text;
  text.Format(L"%d", tabMode);
  m_store.SetConfigValue(profile, L"zephra_mode", text);

  CanvasModeUpdate update;
  update.canvasMode = tabMode;
  Append(update.hidden, VisualizerGroup());
  Append(update.hidden, CanvasColourGroup());
  Append(update.hidden, MusicLayerGroup());
  Append(update.hidden, MusicColourGroup());
  Append(update.hidden, {268, 269, 270, 271, 272, 275, 276, 273, 274});
  switch (tabMode) {
    case 1:
      update.shown = VisualizerGroup();
      m_visualizer.m_enabled = true;
      break;
    case 2:
      update.shown = MusicLayerGroup();
      Append(update.shown, MusicColourGroup());
      break;
    case 5:
      update.shown = MediaFileGroup();
      break;
    default:  // screen capture (3) shows no group
      break;
  }
  return update;
}

bool CanvasPage::MediaFileUsable(const CString& path) {
  if (path.IsEmpty()) return false;
  const DWORD attributes = ::GetFileAttributesW(path.GetString());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}
