// Picture fitting, PNG files through wide-character paths, the screen's RGB565 pixels and
// the splitting of a GIF into numbered PNG frames.
#include <gtest/gtest.h>
#include "GifTestEncoder.h"
#include "PictureTestSupport.h"
#include "qiv/core/QivTestSupport.h"
#include "widgets/FileWrite.h"
#include "widgets/ImageViewList.h"
#include "widgets/LCDViewCtrl.h"
#include "widgets/LCDViewList.h"
#include "widgets/PictureFit.h"
#include "widgets/PngFile.h"

namespace {

using pictest::TempFolder;

TEST(PictureFit, NeverEnlargesAndScalesAlongTheOverflowingSide) {
  const struct {
    int w, h;
    CRect box;
    double ratio;
    CRect expected;
  } cases[] = {
      {200, 100, CRect(0, 0, 96, 96), 1.0, CRect(0, 24, 96, 72)},     // wider: to the box width
      {100, 200, CRect(0, 0, 96, 96), 1.0, CRect(24, 0, 72, 96)},     // taller: to the box height
      {50, 200, CRect(0, 0, 96, 96), 1.0, CRect(36, 0, 60, 96)},      // only taller
      {60, 40, CRect(0, 0, 96, 96), 1.0, CRect(18, 28, 78, 68)},      // fits: kept and centred
      {1300, 400, CRect(0, 0, 1300, 100), 13.0, CRect(487, 0, 812, 100)},
      {400, 500, CRect(0, 0, 400, 300), 400.0 / 300, CRect(80, 0, 320, 300)},  // as wide as the view
      {340, 100, CRect(3, 2, 179, 104), 176.0 / 102, CRect(3, 27, 179, 78)},
      {500, 500, CRect(10, 10, 110, 60), 2.0, CRect(35, 10, 85, 60)},
      {0, 10, CRect(0, 0, 10, 10), 1.0, CRect(5, 5, 5, 5)},  // no picture
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FitPictureRect(c.w, c.h, c.box, c.ratio), c.expected) << c.w << "x" << c.h;
  }
  EXPECT_EQ(LCDViewCtrl::GetImageRect(200, 100, CRect(0, 0, 96, 96)), CRect(0, 24, 96, 72));
}

TEST(PngFiles, WriteAndReadBackInAFolderWithChineseCharacters) {
  TempFolder folder;
  const CString path = folder.File(L"\u5e27 1.png");
  ASSERT_TRUE(pictest::WritePng(path, 3, 2, [](unsigned x, unsigned y) { return 0xFF000000u | (x * 80u << 16) | y * 90u; }));
  const pictest::Picture back = pictest::ReadPng(path);
  ASSERT_TRUE(back.Ok());
  EXPECT_EQ(back.width, 3u);
  EXPECT_EQ(back.height, 2u);
  EXPECT_EQ(back.At(2, 1), 0xFFA0005Au);
  // No temporary file stays beside it.
  WIN32_FIND_DATAW found;
  HANDLE h = ::FindFirstFileW((folder.Path() + L"\\*.tmp").c_str(), &found);
  EXPECT_EQ(h, INVALID_HANDLE_VALUE);
  if (h != INVALID_HANDLE_VALUE) ::FindClose(h);
}

TEST(PngFiles, AFailedWriteLeavesTheOldFileWhole) {
  TempFolder folder;
  const CString path = folder.File(L"old.png");
  ASSERT_TRUE(pictest::WriteSolidPng(path, 4, 4, 0xFF112233));
  const std::vector<uint8_t> before = pictest::FileBytes(path);
  {
    // Another program holds the file without letting it be replaced.
    HANDLE held = ::CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(pictest::WriteSolidPng(path, 8, 8, 0xFFFFFFFF));
    ::CloseHandle(held);
  }
  EXPECT_EQ(pictest::FileBytes(path), before);
  EXPECT_FALSE(pictest::WriteSolidPng(folder.File(L"missing\\x.png"), 2, 2, 0xFF000000));
  EXPECT_FALSE(PngFile::WriteRgba(folder.File(L"empty.png"), nullptr, 0, 0));
  EXPECT_FALSE(pictest::Exists(folder.File(L"empty.png")));
  std::vector<uint8_t> rgba;
  unsigned w, h;
  ASSERT_TRUE(WriteFileReplacing(folder.File(L"garbage.png"), "not a png", 9));
  EXPECT_FALSE(PngFile::ReadRgba(folder.File(L"garbage.png"), rgba, w, h));
}

TEST(ScreenPixels, Rgb565OfKnownColoursLowByteFirst) {
  TempFolder folder;
  const uint32_t colours[] = {0xFFFF0000, 0xFFFFFFFF, 0xFF00FF00, 0xFF0000FF, 0xFF000000, 0xFF123456};
  const uint8_t expected[][2] = {{0x00, 0xF8}, {0xFF, 0xFF}, {0xE0, 0x07}, {0x1F, 0x00}, {0x00, 0x00}, {0xAA, 0x11}};
  const CString path = folder.File(L"\u989c\u8272.png");
  ASSERT_TRUE(pictest::WritePng(path, 6, 1, [&](unsigned x, unsigned) { return colours[x]; }));
  qivtest::RecordingParent parent;
  LCDViewList list(&parent, 371, CRect(0, 0, 200, 400), 1);
  uint8_t buffer[12] = {};
  ASSERT_TRUE(list.GetImageRGB565Data(path, buffer, 6, 1));
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(buffer[2 * i], expected[i][0]) << i;
    EXPECT_EQ(buffer[2 * i + 1], expected[i][1]) << i;
  }
  EXPECT_FALSE(list.GetImageRGB565Data(folder.File(L"none.png"), buffer, 6, 1));
  EXPECT_FALSE(list.GetImageRGB565Data(path, nullptr, 6, 1));
  EXPECT_FALSE(list.GetImageRGB565Data(path, buffer, 0, 1));
}

TEST(ScreenPixels, APictureOfOtherProportionsIsLetterboxedNotCut) {
  TempFolder folder;
  const CString path = folder.File(L"wide.png");
  ASSERT_TRUE(pictest::WriteSolidPng(path, 40, 20, 0xFFFF0000));  // 2:1 into a square
  qivtest::RecordingParent parent;
  LCDViewList list(&parent, 371, CRect(0, 0, 200, 400), 1);
  std::vector<uint8_t> buffer(10 * 10 * 2);
  ASSERT_TRUE(list.GetImageRGB565Data(path, buffer.data(), 10, 10));
  auto pixel = [&](int x, int y) { return buffer[(y * 10 + x) * 2] | (buffer[(y * 10 + x) * 2 + 1] << 8); };
  EXPECT_EQ(pixel(0, 5), 0xF800);  // the whole width is the picture
  EXPECT_EQ(pixel(9, 5), 0xF800);
  EXPECT_EQ(pixel(5, 0), 0x0000);  // black above and below
  EXPECT_EQ(pixel(5, 9), 0x0000);
}

// ---- splitting a GIF ----

class GifSplit : public ::testing::Test {
protected:
  CString WriteGif(const wchar_t* name, const std::vector<giftest::Frame>& frames) {
    const std::vector<uint8_t> bytes = giftest::Encode(frames);
    const CString path = folder.File(name);
    EXPECT_TRUE(WriteFileReplacing(path, bytes.data(), bytes.size()));
    return path;
  }
  TempFolder folder;
  qivtest::RecordingParent parent;
  LCDViewList list{&parent, 371, CRect(0, 0, 200, 400), 1};
};

TEST_F(GifSplit, ThreeFramesGiveThreeFilesAndTheirDelays) {
  const uint32_t colours[] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF};
  const CString gif = WriteGif(L"\u52a8\u753b.gif", {giftest::Solid(8, 6, colours[0], 5), giftest::Solid(8, 6, colours[1], 0),
                                                     giftest::Solid(8, 6, colours[2], 12)});
  const CString out = folder.File(L"\u5e27");  // not there yet: the split creates it
  ASSERT_EQ(list.LoadGIFImageFile(gif, out), 3);
  EXPECT_EQ(list.GetDelayTimes(), (std::vector<unsigned long>{50, 10, 120}));
  for (int i = 0; i < 3; ++i) {
    CString file;
    file.Format(L"%s\\%d.png", out.GetString(), i);
    const pictest::Picture frame = pictest::ReadPng(file);
    ASSERT_TRUE(frame.Ok()) << i;
    EXPECT_EQ(frame.width, 8u);
    EXPECT_EQ(frame.At(4, 3), colours[i]) << i;
  }
  EXPECT_FALSE(pictest::Exists(out + L"\\3.png"));
}

TEST_F(GifSplit, AFrameWithoutDelayGetsTenMilliseconds) {
  giftest::Frame bare = giftest::Solid(4, 4, 0xFF808080, 0);
  bare.control = false;
  const CString gif = WriteGif(L"bare.gif", {giftest::Solid(4, 4, 0xFFFFFFFF, 7), bare});
  ASSERT_EQ(list.LoadGIFImageFile(gif, folder.File(L"out")), 2);
  EXPECT_EQ(list.GetDelayTimes(), (std::vector<unsigned long>{70, 10}));
}

TEST_F(GifSplit, ASingleFrameRecordsNoDelay) {
  const CString gif = WriteGif(L"one.gif", {giftest::Solid(5, 5, 0xFF00FFFF, 30)});
  ASSERT_EQ(list.LoadGIFImageFile(gif, folder.File(L"one")), 1);
  EXPECT_TRUE(list.GetDelayTimes().empty());
  EXPECT_TRUE(pictest::ReadPng(folder.File(L"one\\0.png")).Ok());
}

TEST_F(GifSplit, DelayPropertyShorterThanTheFramesIsReadOnlyAsFarAsItGoes) {
  LONG values[2] = {4, 0};
  Gdiplus::PropertyItem item{};
  item.id = PropertyTagFrameDelay;
  item.type = PropertyTagTypeLong;
  item.length = sizeof(values);
  item.value = values;
  EXPECT_EQ(LCDViewList::FrameDelaysMs(&item, 4), (std::vector<unsigned long>{40, 10, 10, 10}));
  EXPECT_EQ(LCDViewList::FrameDelaysMs(&item, 1), (std::vector<unsigned long>{40}));
  EXPECT_EQ(LCDViewList::FrameDelaysMs(nullptr, 2), (std::vector<unsigned long>{10, 10}));
}

TEST_F(GifSplit, UnreadableGifOrFolderWritesNothingAndAnswersZero) {
  ASSERT_TRUE(WriteFileReplacing(folder.File(L"bad.gif"), "GIF89a garbage", 14));
  EXPECT_EQ(list.LoadGIFImageFile(folder.File(L"bad.gif"), folder.File(L"x")), 0);
  EXPECT_EQ(list.LoadGIFImageFile(folder.File(L"missing.gif"), folder.File(L"x")), 0);
  EXPECT_TRUE(list.GetDelayTimes().empty());
  EXPECT_FALSE(pictest::Exists(folder.File(L"x")));

  // The folder's name is taken by a file: nothing can be written there.
  const CString gif = WriteGif(L"ok.gif", {giftest::Solid(4, 4, 0xFFFF0000, 5), giftest::Solid(4, 4, 0xFF0000FF, 5)});
  ASSERT_TRUE(WriteFileReplacing(folder.File(L"taken"), "x", 1));
  EXPECT_EQ(list.LoadGIFImageFile(gif, folder.File(L"taken")), 0);
  EXPECT_TRUE(list.GetDelayTimes().empty());
  HDC none = nullptr;
  EXPECT_EQ(list.SavePNGImageFile(none, folder.File(L"dc.png")), 0);
  EXPECT_EQ(list.SavePNGImageFile(static_cast<Gdiplus::Image*>(nullptr), folder.File(L"null.png")), 0);
}

}  // namespace
