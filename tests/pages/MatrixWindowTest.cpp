// The matrix screen page in the real main window on the simulated keyboard with the
// matrix (model 102): the PC effects offered, the painted picture reaching the keyboard's
// matrix colours and the effect streamed frame by frame.
#include <gtest/gtest.h>
#include <vector>
#include "LightingWindowRig.h"
#include "canvas/MatrixScreen.h"
#include "controls/MComboBox.h"
#include "controls/MSlider.h"
#include "pages/MatrixPage.h"

using namespace lightingwindow;

namespace {

struct MatrixPageWindow : LightingWindow {
  void ChooseMode(int mode) {
    auto* modes = Get<MComboBox>(289);
    ASSERT_NE(modes, nullptr);
    ASSERT_GE(modes->FindData(mode), 0) << mode;
    modes->SelectData(mode);
    EXPECT_EQ(Notify(289), 1);
  }
  CString Config(const wchar_t* key) {
    CString value;
    store.GetConfigValue(dlg->m_profileId, key, value);
    return value;
  }
  // The 0x3C reports written to the keyboard so far, as (offset, length).
  std::vector<std::pair<int, int>> MatrixFrameWrites() {
    std::vector<std::pair<int, int>> out;
    for (const sim::LogEntry& e : Writes())
      if (Command(e) == 0x3C) out.emplace_back(Offset(e), Length(e));
    return out;
  }
};

TEST_F(MatrixPageWindow, EachPresetRunsInThePreviewAndIsStored) {
  OpenOn(102);
  ShowTab(3);
  auto* modes = Get<MComboBox>(289);
  ASSERT_NE(modes, nullptr);
  EXPECT_EQ(modes->GetItemCount(), 8) << "modes 0-6 and the PC effect";
  ChooseMode(128);
  EXPECT_EQ(dlg->m_matrixMode, 128);
  EXPECT_EQ(dlg->m_matrixStreaming, 1);
  EXPECT_TRUE(dlg->IsControlVisible(279)) << "the preset list";

  auto* presets = Get<MComboBox>(279);
  ASSERT_NE(presets, nullptr);
  ASSERT_EQ(presets->GetItemCount(), int(MatrixPage::Presets().size()));
  for (const MatrixPage::Preset& p : MatrixPage::Presets()) {
    SCOPED_TRACE(p.preset);
    presets->SelectData(p.preset);
    EXPECT_EQ(Notify(279), 1);
    EXPECT_EQ(dlg->m_matrixScreen->GetPresetMode(), p.preset);
    EXPECT_EQ(Config(L"matrixlight_preset_mode"), Text(p.preset));
    // The music effects swap the speed slider for the amplitude slider.
    const bool music = p.preset >= MatrixPage::kFirstMusicPreset;
    EXPECT_EQ(dlg->IsControlVisible(321) != 0, music);
    EXPECT_EQ(dlg->IsControlVisible(294) != 0, !music);
  }
  EXPECT_TRUE(dlg->m_taskQueue.IsEmpty()) << "the stream carries the effect; nothing is written";
}

TEST_F(MatrixPageWindow, PaintedCellsReachTheKeyboardsMatrixColours) {
  OpenOn(102);
  ShowTab(3);
  ChooseMode(5);
  Drain();
  EXPECT_EQ(dlg->m_matrixScreen->GetPresetMode(), 1) << "the paint preset";
  EXPECT_EQ(Notify(315), 1) << "the blue preset colour paints";

  // A click on cell 10 (row 1, column 3) of the preview.
  MATRIXITEM_INFO* target = nullptr;
  for (MATRIXITEM_INFO* cell : dlg->m_matrixScreen->GetKeyItems())
    if (cell->id == 10) target = cell;
  ASSERT_NE(target, nullptr);
  CRect r = target->rect;
  r.OffsetRect(dlg->m_matrixScreen->GetRect().TopLeft());
  Click(r.CenterPoint());
  Drain();
  auto cellIsBlue = [] {
    const std::vector<uint8_t> colours = Table("k102", sim::Table::MatrixColours);
    return colours.size() == 147 && colours[30] == 0 && colours[31] == 0 && colours[32] == 255;
  };
  EXPECT_TRUE(PumpUntil(cellIsBlue, 20000)) << "task 16 wrote the preview's 49 colours";

  // Painting in a mode the keyboard runs itself writes nothing.
  ChooseMode(2);
  Drain();
  Notify(277);
  EXPECT_TRUE(dlg->m_taskQueue.IsEmpty());
}

TEST_F(MatrixPageWindow, ThePcEffectIsStreamedFrameByFrameInOrder) {
  OpenOn(102);
  ShowTab(3);
  ChooseMode(128);
  Drain();
  sim::ClearLog();
  ASSERT_TRUE(PumpUntil([&] { return MatrixFrameWrites().size() >= 12; }, 30000)) << "the worker streams the preview";
  const std::vector<std::pair<int, int>> writes = MatrixFrameWrites();
  // Each frame goes out as its reports in offset order, and the next frame starts over.
  int frames = 0;
  int expectedOffset = 0;
  for (const auto& [offset, length] : writes) {
    if (offset == 0) {
      ++frames;
      expectedOffset = 0;
    }
    EXPECT_EQ(offset, expectedOffset);
    expectedOffset = offset + length;
  }
  EXPECT_GE(frames, 3);
  EXPECT_EQ(Table("k102", sim::Table::MatrixFrame).size(), 98u);
}

}  // namespace
