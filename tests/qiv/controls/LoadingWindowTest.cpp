// The loading window: its GIF frames on its own timer, its close button and its picture.
#include <gtest/gtest.h>
#include "ControlsWindowSupport.h"
#include "SkinFiles.h"
#include "TinyGif.h"
#include "controls/LoadingWnd.h"

using namespace qivtest;

namespace {
class LoadingWindow : public DialogFixture {
protected:
  void SetUp() override {
    DialogFixture::SetUp();
    std::vector<uint32_t> colours;
    for (int i = 0; i < 10; ++i) colours.push_back(0x102030u * static_cast<uint32_t>(i + 1));
    gifPath = GetSkinsFolder() + L"anim.gif";
    ASSERT_TRUE(WriteFileBytes(gifPath, SolidFramesGif(8, 8, colours)));
    skins.Write(L"img_sys_close.png", 4 * 20, 20, [](unsigned x, unsigned) {
      const uint32_t frames[] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFF000000};
      return frames[x / 20];
    });
    ASSERT_NE(nullptr, loading.CreateDlg(Hwnd(), CRect(100, 100, 500, 400)));
    loading.LoadGifImage(L"anim.gif");
  }
  void TearDown() override {
    loading.DestroyWindow();
    ::DeleteFileW(gifPath);
    DialogFixture::TearDown();
  }
  void Tick(int n) {
    for (int i = 0; i < n; ++i) ::SendMessageW(loading.GetSafeHwnd(), WM_TIMER, LoadingWnd::kAnimationTimer, 0);
  }
  uint32_t PixelAt(int x, int y) {
    HDC screen = ::GetDC(nullptr);
    HDC dc = ::CreateCompatibleDC(screen);
    BYTE* bits = nullptr;
    HBITMAP dib = MRender::CreateARGB32Bitmap(screen, 400, 300, &bits);
    HGDIOBJ old = ::SelectObject(dc, dib);
    loading.Render(dc, CSize(400, 300));
    ::GdiFlush();
    const BYTE* p = bits + (static_cast<size_t>(299 - y) * 400 + x) * 4;
    const uint32_t argb = (uint32_t(p[3]) << 24) | (uint32_t(p[2]) << 16) | (uint32_t(p[1]) << 8) | p[0];
    ::SelectObject(dc, old);
    ::DeleteObject(dib);
    ::DeleteDC(dc);
    ::ReleaseDC(nullptr, screen);
    return argb;
  }
  bool ClosePosted() {
    MSG msg;
    return ::PeekMessageW(&msg, Hwnd(), UM_LOADING_CLOSE, UM_LOADING_CLOSE, PM_REMOVE) != 0;
  }
  SkinFolder skins;
  CString gifPath;
  LoadingWnd loading;
};
}  // namespace

TEST_F(LoadingWindow, GifFramesCycleOneEveryTwoTicks) {
  ASSERT_EQ(10, loading.GetFrameCount());
  EXPECT_TRUE(loading.IsRunning());
  std::vector<int> frames;
  for (int i = 0; i < 22; ++i) {
    Tick(1);
    frames.push_back(loading.GetCurrentFrame());
  }
  const std::vector<int> expected = {0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6, 7, 7, 8, 8, 9, 9, 0, 0, 1};
  EXPECT_EQ(expected, frames);
  // The GIF is drawn 232 x 58 in the middle, in the colour of the current frame.
  EXPECT_EQ(0xFF000000u | (0x102030u * 2), PixelAt(200, 150)) << "frame 1";
  Tick(2);
  EXPECT_EQ(0xFF000000u | (0x102030u * 3), PixelAt(200, 150)) << "frame 2";
}

TEST_F(LoadingWindow, PictureWithoutBackgroundAndCloseButton) {
  EXPECT_EQ(0xF0F0F0F0u, PixelAt(10, 150)) << "no background: white at alpha 240 (premultiplied)";
  const CRect close = loading.GetCloseRect();
  EXPECT_EQ(CRect(400 - 39, 10, 400 - 39 + 20, 30), close);
  EXPECT_EQ(0xFFFF0000u, PixelAt(close.left + 10, 20)) << "normal frame";
  const HWND w = loading.GetSafeHwnd();
  const LPARAM on = MAKELPARAM(close.left + 5, 15), off = MAKELPARAM(50, 200);
  ::SendMessageW(w, WM_MOUSEMOVE, 0, on);
  EXPECT_EQ(0xFF00FF00u, PixelAt(close.left + 10, 20)) << "hover frame";

  ::SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, on);
  EXPECT_EQ(2, loading.GetCloseState());
  ::SendMessageW(w, WM_LBUTTONUP, 0, off);
  EXPECT_EQ(0, loading.GetCloseState());
  EXPECT_FALSE(ClosePosted()) << "released elsewhere: nothing";
  ::SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, on);
  ::SendMessageW(w, WM_LBUTTONUP, 0, on);
  EXPECT_TRUE(ClosePosted()) << "released on the button: the parent is told";

  EXPECT_EQ(1, ::SendMessageW(w, UM_CLOSEWINDOW, 0, 0));
  Pump(20);
  EXPECT_TRUE(::IsWindow(w)) << "the close request leaves the window to its owner";
}
