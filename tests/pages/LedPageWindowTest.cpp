// The LED animation page in the real main window (built and loaded, though no tab shows
// it), driven through its handlers and controls: the first-run import of the shipped GIF,
// animations added, a frame copied and saved, an animation deleted, and the wait dialogs
// of the tasks no worker step carries out closing by themselves.
#include <gtest/gtest.h>
#include <vector>
#include "LightingWindowRig.h"
#include "widgets/ImageViewList.h"
#include "widgets/LCDViewCtrl.h"
#include "widgets/LCDViewList.h"

using namespace lightingwindow;

namespace {

struct LedPageWindow : LightingWindow {
  void Load() {
    dlg->LoadLedPage();
    Pump(200);
  }
  int Layers() {
    KeyboardDataStore::RecordList<LedLayerRecord> layers;
    store.GetLedLayers(dlg->m_profileId, layers);
    return int(layers.size());
  }
  LedLayerRecord Layer(int ledId) {
    LedLayerRecord row;
    EXPECT_TRUE(store.GetLedLayer(ledId, row));
    return row;
  }
  std::wstring AnimationFolder(const LedLayerRecord& row) {
    return user.Path() + L"led\\" + std::wstring(dlg->m_deviceName.GetString()) + L"\\" +
           std::wstring(row.file_dir.GetString()) + L"\\";
  }
  static bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }
  std::vector<int> answers;  // what the message boxes are answered, first to last
  std::vector<CString> shown;
};

TEST_F(LedPageWindow, ImportAddCopySaveAndDeleteOnRealFiles) {
  OpenOn(102);
  dlg->m_ledMessageBox = [this](const CString& text, const CString&, int) {
    shown.push_back(text);
    if (answers.empty()) return 1;
    const int answer = answers.front();
    answers.erase(answers.begin());
    return answer;
  };
  Load();
  // The shipped GIF of slot 0 became the slot's default animation: a row, never listed.
  auto* slots = Get<LCDViewCtrl>(369);
  auto* list = Get<LCDViewList>(371);
  auto* strip = Get<ImageViewList>(384);
  ASSERT_TRUE(slots && list && strip);
  EXPECT_EQ(slots->GetItemCount(), 1);
  EXPECT_EQ(list->GetItemCount(), 0);
  ASSERT_EQ(Layers(), 1);
  Load();
  EXPECT_EQ(Layers(), 1) << "imported once";

  // A new animation: listed, its own folder, empty.
  EXPECT_EQ(dlg->OnMessage(372, 2, 0, 0), 1);
  ASSERT_EQ(list->GetItemCount(), 1);
  const int id = dlg->m_ledAnimationId;
  ASSERT_GT(id, 0);
  const LedLayerRecord made = Layer(id);
  EXPECT_TRUE(Exists(AnimationFolder(made)));
  EXPECT_EQ(strip->GetItemCount(), 0);

  // A frame from the slot's first frame, copied, and the strip saved: two frame files of
  // their own in the animation's folder, two rows, the summary on the row.
  KeyboardDataStore::RecordList<LedLayerRecord> layers;
  store.GetLedLayers(dlg->m_profileId, layers);
  const std::wstring slotFrame = AnimationFolder(*layers.front()) + L"0.png";
  ASSERT_TRUE(Exists(slotFrame));
  strip->AddString(slotFrame.c_str(), 120, 0, L"0.png");
  strip->SetCurSel(0);
  list->SetCurSel(0);
  EXPECT_EQ(dlg->OnMessage(393, 2, 0, 0), 1) << "copy the frame";
  ASSERT_EQ(strip->GetItemCount(), 2);
  EXPECT_TRUE(dlg->m_ledEdited);
  const CString copyName = strip->GetFrameItemName(1);
  EXPECT_TRUE(Exists(AnimationFolder(made) + std::wstring(copyName.GetString())));
  EXPECT_EQ(dlg->OnMessage(414, 2, 0, 0), 1) << "save";
  EXPECT_FALSE(dlg->m_ledEdited);
  EXPECT_EQ(store.GetLedFrameCount(id), 2);
  EXPECT_EQ(Layer(id).frame_size, 2);
  EXPECT_EQ(strip->GetItemDelayTime(1), 120);

  // The delete asks first; the second answer keeps everything.
  answers = {2};
  EXPECT_EQ(dlg->OnMessage(374, 2, 0, 0), 1);
  EXPECT_EQ(list->GetItemCount(), 1);
  answers = {1};
  EXPECT_EQ(dlg->OnMessage(374, 2, 0, 0), 1);
  EXPECT_EQ(list->GetItemCount(), 0);
  EXPECT_FALSE(Exists(AnimationFolder(made)));
  EXPECT_TRUE(Exists(slotFrame)) << "other animations keep their files";
  EXPECT_EQ(store.GetLedFrameCount(id), 0);
  EXPECT_EQ(dlg->m_ledAnimationId, 0);
}

TEST_F(LedPageWindow, WaitDialogsOfUnhandledTasksClose) {
  OpenOn(102);
  dlg->m_ledMessageBox = [this](const CString& text, const CString&, int) {
    shown.push_back(text);
    return 1;
  };
  Load();
  EXPECT_EQ(dlg->OnMessage(372, 2, 0, 0), 1);
  auto* strip = Get<ImageViewList>(384);
  KeyboardDataStore::RecordList<LedLayerRecord> layers;
  store.GetLedLayers(dlg->m_profileId, layers);
  const std::wstring slotFrame = user.Path() + L"led\\" + std::wstring(dlg->m_deviceName.GetString()) + L"\\" +
                                 std::wstring(layers.front()->file_dir.GetString()) + L"\\0.png";
  strip->AddString(slotFrame.c_str(), 100, 0, L"0.png");
  Get<LCDViewList>(371)->SetCurSel(0);
  dlg->SaveLedFrames();

  // The download (task 26) runs its progress window until the worker has taken the task;
  // with no slot chosen the limit is 0, so the user is asked first.
  EXPECT_EQ(dlg->OnMessage(416, 2, 0, 0), 1);
  EXPECT_EQ(shown.size(), 1u) << "more frames than the limit";
  EXPECT_TRUE(dlg->m_taskQueue.IsEmpty());
  ASSERT_NE(dlg->m_ledProgressDlg, nullptr);
  EXPECT_FALSE(IsWindow(dlg->m_ledProgressDlg->GetSafeHwnd()));
  EXPECT_EQ(dlg->OnMessage(413, 2, 0, 0), 1);
  Drain();
}

}  // namespace
