// The animated GIF writer: delays, canvas size and fitting, its states, and animations
// written through the encoder seam and read back frame by frame.
#include <gtest/gtest.h>
#include "GifTestEncoder.h"
#include "PictureTestSupport.h"
#include "widgets/GifAnimationWriter.h"

namespace {

using pictest::TempFolder;

std::unique_ptr<GifAnimationWriter> TestWriter(giftest::TestGifEncoder** encoder = nullptr) {
  auto owned = std::make_unique<giftest::TestGifEncoder>();
  if (encoder) *encoder = owned.get();
  return std::make_unique<GifAnimationWriter>(std::move(owned));
}

TEST(GifWriter, DelaysAreHundredthsOfASecondTruncated) {
  TempFolder folder;
  auto writer = TestWriter();
  writer->SetSize(4, 4);
  writer->Begin(folder.File(L"d.gif"));
  const int ms[] = {45, 9, 0, 100, 1234, -50};
  for (int d : ms) ASSERT_TRUE(writer->AddFrame(folder.File(L"none.png"), d));
  EXPECT_EQ(writer->GetDelays(), (std::vector<int>{4, 0, 0, 10, 123, 0}));
}

TEST(GifWriter, SizeIsFixedByTheFirstFrameAndPicturesAreFittedIntoIt) {
  GifAnimationWriter writer;
  EXPECT_EQ(writer.GetWidth(), 1300);
  EXPECT_EQ(writer.GetHeight(), 100);
  EXPECT_EQ(writer.FitRect(1300, 400, CRect(0, 0, 1300, 100)), CRect(487, 0, 812, 100));
  EXPECT_EQ(writer.FitRect(200, 50, CRect(0, 0, 1300, 100)), CRect(550, 25, 750, 75));
  writer.SetSize(0, 200);
  EXPECT_EQ(writer.GetWidth(), 320);
  EXPECT_EQ(writer.GetHeight(), 200);
  writer.SetSize(-3, 50);
  EXPECT_EQ(writer.GetWidth(), 320);
  TempFolder folder;
  writer.Begin(folder.File(L"s.gif"));
  writer.AddFrame(folder.File(L"none.png"), 10);
  writer.SetSize(64, 64);
  EXPECT_EQ(writer.GetWidth(), 320);
  EXPECT_EQ(writer.GetHeight(), 50);
}

TEST(GifWriter, StatesDecideWhatAddAndEndDo) {
  TempFolder folder;
  giftest::TestGifEncoder* encoder = nullptr;
  auto writer = TestWriter(&encoder);
  const CString path = folder.File(L"states.gif");
  EXPECT_FALSE(writer->AddFrame(path, 10));  // not begun
  EXPECT_FALSE(writer->End());
  EXPECT_TRUE(writer->Begin(path));
  EXPECT_FALSE(writer->End());  // no frame: nothing written
  EXPECT_FALSE(pictest::Exists(path));
  EXPECT_EQ(encoder->calls, 0);
  ASSERT_TRUE(writer->AddFrame(folder.File(L"none.png"), 10));
  EXPECT_TRUE(writer->End());
  EXPECT_FALSE(writer->IsStarted());
  EXPECT_FALSE(writer->End());  // ended
  // A second file keeps the frames already added.
  const CString second = folder.File(L"second.gif");
  writer->Begin(second);
  writer->AddFrame(folder.File(L"none.png"), 20);
  EXPECT_TRUE(writer->End());
  const giftest::Decoded d = giftest::Decode(second);
  ASSERT_TRUE(d.ok);
  EXPECT_EQ(d.frames.size(), 2u);
}

TEST(GifWriter, AnimationReadsBackFrameByFrameAndDelayByDelay) {
  TempFolder folder;
  const CString red = folder.File(L"\u7ea2.png"), green = folder.File(L"\u7eff.png"), blue = folder.File(L"\u84dd.png");
  ASSERT_TRUE(pictest::WriteSolidPng(red, 40, 20, 0xFFFF0000));
  ASSERT_TRUE(pictest::WriteSolidPng(green, 20, 20, 0xFF00FF00));
  ASSERT_TRUE(pictest::WriteSolidPng(blue, 40, 40, 0xFF0000FF));  // taller: scaled to 20 x 20
  giftest::TestGifEncoder* encoder = nullptr;
  auto writer = TestWriter(&encoder);
  writer->SetSize(40, 20);
  const CString path = folder.File(L"\u52a8\u753b.gif");
  writer->Begin(path);
  writer->AddFrame(red, 50);
  writer->AddFrame(green, 120);
  writer->AddFrame(blue, 5);
  writer->AddFrame(folder.File(L"missing.png"), 30);  // still a (transparent) frame
  ASSERT_TRUE(writer->End());

  // The canvases: each picture fitted and centred, transparent where it does not reach.
  ASSERT_EQ(encoder->received.size(), 4u);
  auto canvas = [&](size_t f, int x, int y) { return encoder->received[f].argb[static_cast<size_t>(y) * 40 + x]; };
  EXPECT_EQ(canvas(0, 0, 0), 0xFFFF0000u);
  EXPECT_EQ(canvas(1, 20, 10), 0xFF00FF00u);
  EXPECT_EQ(canvas(1, 5, 10), 0u);
  EXPECT_EQ(canvas(1, 34, 10), 0u);
  EXPECT_EQ(canvas(2, 20, 10), 0xFF0000FFu);
  EXPECT_EQ(canvas(2, 35, 10), 0u);
  EXPECT_EQ(canvas(3, 20, 10), 0u);

  // The file: four frames with their delays and pictures.
  const giftest::Decoded d = giftest::Decode(path);
  ASSERT_TRUE(d.ok);
  EXPECT_EQ(d.width, 40);
  EXPECT_EQ(d.height, 20);
  ASSERT_EQ(d.frames.size(), 4u);
  EXPECT_EQ(d.delays, (std::vector<long>{5, 12, 0, 3}));
  EXPECT_EQ(d.Pixel(0, 2, 2), 0xFFFF0000u);
  EXPECT_EQ(d.Pixel(0, 37, 17), 0xFFFF0000u);
  EXPECT_EQ(d.Pixel(1, 20, 10), 0xFF00FF00u);
  EXPECT_NE(d.Pixel(1, 2, 10), 0xFF00FF00u);
  EXPECT_EQ(d.Pixel(2, 20, 10), 0xFF0000FFu);
  EXPECT_NE(d.Pixel(2, 35, 10), 0xFF0000FFu);
}

TEST(GifWriter, AFailedEncodingLeavesTheOldFileAndReportsIt) {
  TempFolder folder;
  const CString path = folder.File(L"keep.gif");
  ASSERT_TRUE(WriteFileReplacing(path, "old animation", 13));
  GifAnimationWriter writer(std::make_unique<giftest::FailingGifEncoder>());
  writer.Begin(path);
  writer.AddFrame(folder.File(L"none.png"), 10);
  EXPECT_FALSE(writer.End());
  EXPECT_TRUE(writer.IsStarted());  // may be tried again
  EXPECT_EQ(pictest::FileBytes(path), (std::vector<uint8_t>{'o', 'l', 'd', ' ', 'a', 'n', 'i', 'm', 'a', 't', 'i', 'o', 'n'}));
}

// GDI+'s own encoder: where it can write animations the file holds every frame; where it
// cannot (Wine), End says so and the old file stays.
TEST(GifWriter, GdiplusEncoderNeverReportsAnIncompleteFile) {
  TempFolder folder;
  const CString picture = folder.File(L"p.png");
  ASSERT_TRUE(pictest::WriteSolidPng(picture, 16, 16, 0xFFFF8000));
  const CString path = folder.File(L"gdiplus.gif");
  ASSERT_TRUE(WriteFileReplacing(path, "old", 3));
  GifAnimationWriter writer;
  writer.SetSize(16, 16);
  writer.Begin(path);
  for (int i = 0; i < 3; ++i) writer.AddFrame(picture, 100);
  if (writer.End()) {
    const giftest::Decoded d = giftest::Decode(path);
    ASSERT_TRUE(d.ok);
    EXPECT_EQ(d.frames.size(), 3u);
    EXPECT_EQ(d.delays, (std::vector<long>{10, 10, 10}));
  } else {
    EXPECT_EQ(pictest::FileBytes(path), (std::vector<uint8_t>{'o', 'l', 'd'}));
  }
}

}  // namespace
