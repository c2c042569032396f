// The picture editor on real files: the working copy in a data folder and a picture
// folder whose names hold Chinese characters, pen strokes and text layers found again
// in the written PNG, failed writes that keep the old copy, layer sizes, and preview.
#include <gtest/gtest.h>
#include <algorithm>
#include "PictureTestSupport.h"
#include "core/PaintManager.h"
#include "qiv/core/QivTestSupport.h"
#include "qiv/windows/RobotoFont.h"
#include "widgets/ImageView.h"

namespace {

using pictest::TempFolder;

DWORD g_now = 0;
DWORD FakeTick() { return g_now; }

// A 400 x 300 editor at (10, 20) on its window, editing a white 100 x 80 picture that
// the view shows unscaled at (150, 110) - (250, 190), i.e. at (160, 130) on the window.
class PictureEditor : public ::testing::Test {
protected:
  void SetUp() override {
    qivwin::RegisterRoboto(fonts);  // text layers are drawn in the program's face
    view.SetManager(&fonts);
    ASSERT_TRUE(pictest::WriteSolidPng(source, 100, 80, 0xFFFFFFFF));
    working = view.SetImage(source);
  }
  // A point of the picture on the window.
  static CPoint OnPicture(int x, int y) { return CPoint(160 + x, 130 + y); }
  void Stroke(std::initializer_list<CPoint> points) {
    auto p = points.begin();
    view.OnControlLButtonDown(MK_LBUTTON, *p);
    for (++p; p != points.end(); ++p) view.OnControlMouseMove(MK_LBUTTON, *p);
    view.OnControlLButtonUp(0, *(points.end() - 1));
  }
  int Saved() const {
    return static_cast<int>(std::count_if(parent.notices.begin(), parent.notices.end(),
                                          [](const qivtest::Notice& n) { return n.code == 32; }));
  }
  pictest::DataFolderScope data;
  TempFolder folder;
  const CString source = folder.File(L"\u6e90 1.png");
  CString working;
  PaintManager fonts;
  qivtest::RecordingParent parent;
  ImageView view{&parent, 380, CRect(10, 20, 410, 320), 1, 1};
};

// Another program holds a file open for reading and lets nobody replace or delete it.
class HeldFile {
public:
  explicit HeldFile(const CString& path)
      : h_(::CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr)) {}
  ~HeldFile() {
    if (h_ != INVALID_HANDLE_VALUE) ::CloseHandle(h_);
  }
  bool Ok() const { return h_ != INVALID_HANDLE_VALUE; }

private:
  HANDLE h_;
};

TEST_F(PictureEditor, OpeningCreatesTheEditFolderWithACopyOfTheSource) {
  EXPECT_EQ(working, data.Folder() + L"edit\\edit_\u6e90 1.png");
  EXPECT_EQ(view.GetEditImageFile(), working);
  ASSERT_TRUE(pictest::Exists(working));
  EXPECT_EQ(pictest::FileBytes(working), pictest::FileBytes(source));
  EXPECT_EQ(view.GetImageSize(), CSize(100, 80));
  EXPECT_EQ(view.GetPictureRect(), CRect(150, 110, 250, 190));
}

TEST_F(PictureEditor, PenStrokeAndTextLayerAreFoundInTheSavedPicture) {
  view.SetColorValue(RGB(0, 0, 255));
  view.SetFontSize(40);
  view.AddText(L"W");  // anchored at the view's centre: (50, 40) on the picture
  view.SetColorValue(RGB(255, 0, 0));  // no current layer: only the colour of new layers
  view.SetPenSize(6);
  view.SetDrawMode(IMAGE_DRAW_PEN);
  Stroke({OnPicture(10, 15), OnPicture(30, 15), OnPicture(50, 15), OnPicture(70, 15), OnPicture(90, 15)});
  EXPECT_EQ(Saved(), 4);
  ASSERT_EQ(view.GetLayerCount(), 2);
  EXPECT_EQ(view.GetLayer(1).pointCount, 5);

  const pictest::Picture saved = pictest::ReadPng(working);
  ASSERT_TRUE(saved.Ok());
  EXPECT_EQ(saved.width, 100u);
  EXPECT_EQ(saved.height, 80u);
  for (unsigned x : {20u, 40u, 60u, 80u}) EXPECT_EQ(saved.At(x, 15), 0xFFFF0000u) << x;
  EXPECT_EQ(saved.At(50, 5), 0xFFFFFFFFu);
  int blue = 0;
  for (unsigned y = 40; y < 80; ++y)
    for (unsigned x = 50; x < 100; ++x) blue += (saved.At(x, y) & 0xFFFF00) == 0 ? 1 : 0;
  EXPECT_GT(blue, 20);
  EXPECT_EQ(saved.At(20, 60), 0xFFFFFFFFu);  // nothing left of the text's anchor

  view.SaveImageData();  // the owner commits the working copy
  EXPECT_EQ(pictest::FileBytes(source), pictest::FileBytes(working));
}

TEST_F(PictureEditor, ShortMovesAreIgnoredAndStrokesStopAtFiveHundredPoints) {
  view.SetDrawMode(IMAGE_DRAW_PEN);
  view.OnControlLButtonDown(MK_LBUTTON, OnPicture(0, 0));
  view.OnControlMouseMove(MK_LBUTTON, OnPicture(6, 6));  // within 6 px: ignored
  EXPECT_EQ(view.GetLayer(0).pointCount, 1);
  for (int i = 1; i <= 600; ++i) view.OnControlMouseMove(MK_LBUTTON, CPoint(20 + (i % 2) * 100, 30 + (i % 3) * 10));
  EXPECT_EQ(view.GetLayer(0).pointCount, EDITLAYER_INFO::kMaxPoints);
  view.OnControlMouseMove(0, CPoint(500, 500));  // outside: nothing
  view.OnControlLButtonUp(0, CPoint(500, 500));
  EXPECT_EQ(Saved(), 1);
  // A press and release without a move: a one-point stroke, stored, not drawn, not saved.
  view.OnControlLButtonDown(MK_LBUTTON, OnPicture(5, 5));
  view.OnControlLButtonUp(0, OnPicture(5, 5));
  EXPECT_EQ(view.GetLayerCount(), 2);
  EXPECT_EQ(Saved(), 1);
}

TEST_F(PictureEditor, AFailedSaveKeepsThePreviousWorkingCopyAndStillNotifies) {
  view.SetDrawMode(IMAGE_DRAW_PEN);
  Stroke({OnPicture(10, 10), OnPicture(50, 10), OnPicture(90, 10)});
  const std::vector<uint8_t> before = pictest::FileBytes(working);
  ASSERT_FALSE(before.empty());
  const CString edit = data.Folder() + L"edit";
  // The folder refuses new files (where the system enforces it) and the copy is held open.
  ::SetFileAttributesW(edit, FILE_ATTRIBUTE_READONLY);
  {
    HeldFile held(working);
    ASSERT_TRUE(held.Ok());
    Stroke({OnPicture(10, 60), OnPicture(50, 60), OnPicture(90, 60)});
  }
  ::SetFileAttributesW(edit, FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(Saved(), 2);
  EXPECT_EQ(pictest::FileBytes(working), before);
}

TEST_F(PictureEditor, WithoutAPictureNothingIsWrittenButTheOwnerIsTold) {
  const CString junk = folder.File(L"junk.png");
  ASSERT_TRUE(WriteFileReplacing(junk, "not a picture", 13));
  const CString copy = view.SetImage(junk);
  EXPECT_EQ(view.GetImageSize(), CSize(0, 0));
  view.SaveCurrentImage();
  EXPECT_EQ(Saved(), 1);
  EXPECT_EQ(pictest::FileBytes(copy), pictest::FileBytes(junk));  // the copy is not touched
}

TEST_F(PictureEditor, LayerSizesStayWithinSixToSixty) {
  view.SetDrawMode(IMAGE_DRAW_PEN);
  view.SetPenSize(10);
  view.OnControlLButtonDown(MK_LBUTTON, OnPicture(10, 10));
  view.OnControlLButtonUp(0, OnPicture(10, 10));
  const struct {
    unsigned direction;
    int notches, size;
  } steps[] = {{1, 1, 8}, {1, 10, 6}, {0, 1, 8}, {0, 40, 60}, {1, 2, 56}};
  for (const auto& s : steps) {
    for (int i = 0; i < s.notches; ++i) EXPECT_EQ(view.OnControlScroll(120, s.direction, OnPicture(10, 10)), 1);
    EXPECT_EQ(view.GetLayer(0).size, s.size);
  }
  const int saves = Saved();
  // After undo there is no current layer: the wheel and the setters change no layer.
  view.RecoverCurEdit();
  EXPECT_EQ(view.GetLayerCount(), 0);
  EXPECT_EQ(Saved(), saves + 1);
  view.RecoverCurEdit();  // nothing left: only rewrites the copy and tells the owner
  EXPECT_EQ(Saved(), saves + 2);
  view.AddText(L"T");
  view.OnControlScroll(120, 0, OnPicture(10, 10));
  view.SetFontSize(33);
  view.SetColorValue(RGB(1, 2, 3));
  EXPECT_EQ(view.GetLayer(0).size, 14);  // the font size when it was added
  EXPECT_NE(view.GetLayer(0).color, 0xFF010203u);
}

TEST_F(PictureEditor, TextIsPickedAndDraggedButStaysInsideTheView) {
  view.AddText(L"Hi");  // at (210, 170), its bounds measured by the save
  const EDITLAYER_INFO text = view.GetLayer(0);
  ASSERT_GT(text.bounds.right, text.bounds.left + 6);
  view.SetDrawMode(IMAGE_DRAW_SELECT);
  const CPoint grip(text.bounds.right - 2, text.bounds.top + 2);  // its right end
  view.OnControlLButtonDown(MK_LBUTTON, grip);
  EXPECT_EQ(view.GetCurrentLayer(), 0);
  view.OnControlMouseMove(MK_LBUTTON, CPoint(grip.x + 1, grip.y + 2));  // within 2 px: ignored
  EXPECT_EQ(view.GetLayer(0).x, 210);
  view.OnControlMouseMove(MK_LBUTTON, CPoint(grip.x - 100, grip.y - 50));
  EXPECT_EQ(view.GetLayer(0).x, 110);
  EXPECT_EQ(view.GetLayer(0).y, 120);
  view.OnControlMouseMove(MK_LBUTTON, CPoint(12, grip.y - 60));  // the anchor would pass the left edge
  view.OnControlLButtonUp(0, CPoint(12, grip.y - 60));
  EXPECT_EQ(view.GetLayer(0).x, 10);  // the view's left edge
  EXPECT_EQ(view.GetLayer(0).y, 110);
  view.SetFontSize(24);
  EXPECT_EQ(view.GetLayer(0).size, 24);

  // A drag on empty canvas in this mode still counts as an edit.
  const int saves = Saved();
  view.OnControlLButtonDown(MK_LBUTTON, OnPicture(1, 70));
  EXPECT_EQ(view.GetCurrentLayer(), -1);
  view.OnControlMouseMove(MK_LBUTTON, OnPicture(40, 75));
  view.OnControlLButtonUp(0, OnPicture(40, 75));
  EXPECT_EQ(Saved(), saves + 1);
}

TEST_F(PictureEditor, ShrinksABigPictureFileInPlaceAndLeavesSmallOnes) {
  const CString big = folder.File(L"\u5927.png"), small = folder.File(L"\u5c0f.png");
  ASSERT_TRUE(pictest::WriteSolidPng(big, 800, 450, 0xFF00FF00));
  ASSERT_TRUE(pictest::WriteSolidPng(small, 120, 90, 0xFF00FF00));
  const std::vector<uint8_t> smallBefore = pictest::FileBytes(small);
  view.SaveCurrentImage(big);
  view.SaveCurrentImage(small);
  const pictest::Picture shrunk = pictest::ReadPng(big);
  ASSERT_TRUE(shrunk.Ok());
  EXPECT_EQ(shrunk.width, 400u);
  EXPECT_EQ(shrunk.height, 225u);
  EXPECT_EQ(shrunk.At(200, 100), 0xFF00FF00u);
  EXPECT_EQ(pictest::FileBytes(small), smallBefore);
  EXPECT_EQ(Saved(), 0);

  // A file that cannot be replaced stays as it was.
  ASSERT_TRUE(pictest::WriteSolidPng(big, 800, 450, 0xFF00FF00));
  const std::vector<uint8_t> bigBefore = pictest::FileBytes(big);
  {
    HeldFile held(big);
    view.SaveCurrentImage(big);
  }
  EXPECT_EQ(pictest::FileBytes(big), bigBefore);
}

TEST_F(PictureEditor, PreviewPlaysFramesByTheirDelaysAndSurvivesARefill) {
  g_now = 1000;
  view.SetTickSource(&FakeTick);
  for (int i = 0; i < 3; ++i) view.AddString(source, 100, i);
  view.AddString(folder.File(L"missing.png"), 100, 3);
  EXPECT_EQ(view.GetItemCount(), 4);
  view.SetImagePreviewMode(true);
  EXPECT_EQ(view.OnControlLButtonDown(MK_LBUTTON, OnPicture(5, 5)), 0);  // no editing in preview
  EXPECT_EQ(view.GetLayerCount(), 0);
  g_now += 100;
  EXPECT_EQ(view.OnControlTimer(), 0);  // the delay is not yet exceeded
  const int expected[] = {1, 2, 3, 0, 1, 2};
  for (int e : expected) {
    g_now += 101;
    EXPECT_EQ(view.OnControlTimer(), 1);
    EXPECT_EQ(view.GetPreviewIndex(), e);
  }
  // Emptied and refilled with fewer frames while playing: the index must not run past them.
  view.DeleteAllItems();
  EXPECT_EQ(view.OnControlTimer(), 0);
  view.AddString(source, 50, 9);
  g_now += 500;
  pictest::Render render(420, 330);
  render.Draw(view);
  EXPECT_EQ(view.OnControlTimer(), 1);
  EXPECT_EQ(view.GetPreviewIndex(), 0);
  EXPECT_EQ(view.GetItemImageFile(0), source);
  EXPECT_TRUE(view.GetItemImageFile(1).IsEmpty());
}

TEST_F(PictureEditor, DrawsThePictureFittedOnBlackWithItsGrid) {
  pictest::Render render(420, 330);
  render.Draw(view);
  EXPECT_EQ(render.At(10 + 200, 20 + 150), 0xFFFFFFu);  // picture
  EXPECT_EQ(render.At(10 + 50, 20 + 150), 0x000000u);   // black around it
  view.SetShowGridLine(1);
  render.Draw(view);
  int lit = 0;
  for (int y = 30; y < 60; ++y) lit += render.At(10 + 0, 20 + y) != 0 ? 1 : 0;  // the line at x = 0
  EXPECT_GT(lit, 10);
  EXPECT_EQ(render.At(10 + 5, 20 + 5), 0x000000u);  // between lines
}

}  // namespace
