#include <gtest/gtest.h>
#include <cstdio>
#include <vector>
#include "QivTestSupport.h"
#include "SkinFiles.h"
#include "canvas/MatrixScreen.h"
#include "canvas/ZephraEffect.h"
#include "core/MImageList.h"
#include "core/MRender.h"
#include "core/MTimer.h"
#include "core/PaintManager.h"

using namespace qivtest;

namespace {
const wchar_t kRoboto[] = L"Z:\\usr\\share\\fonts\\truetype\\roboto\\unhinted\\RobotoTTF\\";

CString FamilyName(Gdiplus::FontFamily* family) {
  wchar_t name[LF_FACESIZE] = {};
  if (family) family->GetFamilyName(name);
  return name;
}

bool IsRoboto(Gdiplus::FontFamily* family) { return FamilyName(family).Left(6) == L"Roboto"; }

int CALLBACK TakeFirstFace(const LOGFONTW* lf, const TEXTMETRICW*, DWORD type, LPARAM out) {
  if (!(type & TRUETYPE_FONTTYPE) || lf->lfFaceName[0] == L'@') return 1;
  *reinterpret_cast<CString*>(out) = lf->lfFaceName;
  return 0;
}

// Any TrueType face the system has installed.
CString InstalledFace() {
  CString face;
  LOGFONTW lf = {};
  lf.lfCharSet = DEFAULT_CHARSET;
  HDC screen = ::GetDC(nullptr);
  ::EnumFontFamiliesExW(screen, &lf, TakeFirstFace, reinterpret_cast<LPARAM>(&face), 0);
  ::ReleaseDC(nullptr, screen);
  return face;
}
}  // namespace

TEST(ImageCache, EntriesAreKeyedByFileAndSplitIntoFrames) {
  SkinFolder skins;
  skins.Solid(L"w200.png", 200, 10, 0xFF00FF00);
  skins.Solid(L"w201.png", 201, 12, 0xFF00FF00);
  PaintManager manager;
  ImgResInfo* a = manager.AddImgResInfo(L"w200.png", 4);
  ASSERT_NE(nullptr, a);
  EXPECT_EQ(50, a->frameWidth);
  EXPECT_EQ(10, a->height);
  EXPECT_EQ(CString(L"w200.png"), a->name);
  EXPECT_EQ(a, manager.AddImgResInfo(L"w200.png", 4)) << "one entry per file";
  EXPECT_EQ(a, manager.AddImgResInfo(L"w200.png", 2)) << "the frame count is not part of the key";
  EXPECT_EQ(4, a->count);
  EXPECT_EQ(50, manager.AddImgResInfo(L"w201.png", 4)->frameWidth);
  EXPECT_EQ(nullptr, manager.AddImgResInfo(L"missing.png", 4));
  EXPECT_EQ(nullptr, manager.AddImgResInfo(L"w201.png", 0)) << "a frame count below 1 is refused";
}

TEST(ImageCache, ResourcesAreKeyedByModuleAndId) {
  PaintManager manager;
  ImgResInfo* lib = manager.AddImgResInfo(101, L"PNG", 4, 0);
  ASSERT_NE(nullptr, lib) << "the library's own horizontal thumb strip";
  EXPECT_EQ(5, lib->frameWidth) << "22 px split into 4 frames";
  EXPECT_EQ(20, lib->height);
  EXPECT_EQ(101u, lib->resId);
  EXPECT_EQ(lib, manager.AddImgResInfo(101, L"OTHER", 4, 0)) << "the type is not part of the key";
  HINSTANCE program = Manager::GetInstance();
  Manager::SetInstance(Manager::GetResourceInstance());
  ImgResInfo* app = manager.AddImgResInfo(101, L"PNG", 4, 1);
  Manager::SetInstance(program);
  ASSERT_NE(nullptr, app);
  EXPECT_NE(lib, app) << "each module has its own cache";
  ImgResInfo* vertical = manager.AddImgResInfo(102, L"PNG", 3, 0);
  ASSERT_NE(nullptr, vertical);
  EXPECT_EQ(4, vertical->frameWidth);
  EXPECT_EQ(72, vertical->height);
}

TEST(ControlFontImage, SetImageNeedsAManagerAndAValidFrameCount) {
  SkinFolder skins;
  skins.Solid(L"strip.png", 120, 30, 0xFF0000FF);
  RecordingParent owner;
  ProbeControl probe(&owner, 1, CRect(0, 0, 10, 10));
  EXPECT_EQ(0, probe.SetImage(L"strip.png", 4)) << "no manager yet";
  PaintManager manager;
  probe.SetManager(&manager);
  EXPECT_EQ(0, probe.SetImage(L"strip.png", 0));
  EXPECT_EQ(4, probe.GetImageCount());
  EXPECT_EQ(1, probe.SetImage(L"strip.png", 3));
  EXPECT_EQ(CSize(40, 30), probe.GetImageSize());
  EXPECT_EQ(0, probe.SetImage(L"missing.png", 3));
  EXPECT_EQ(CSize(40, 30), probe.GetImageSize()) << "a failed load keeps the previous image";
}

TEST(Fonts, PrivateFontsByFaceAndInstalledFallback) {
  PaintManager manager;
  Gdiplus::FontFamily* bold = manager.AddTempFont(L"Roboto-Bold", CString(kRoboto) + L"Roboto-Bold.ttf");
  ASSERT_NE(nullptr, bold);
  EXPECT_EQ(bold, manager.FindTempFont(L"Roboto-Bold"));
  EXPECT_TRUE(IsRoboto(bold));
  EXPECT_TRUE(bold->IsStyleAvailable(Gdiplus::FontStyleBold));
  // A replaced face frees the old family and answers the new one.
  Gdiplus::FontFamily* again = manager.AddTempFont(L"Roboto-Bold", CString(kRoboto) + L"Roboto-Regular.ttf");
  EXPECT_EQ(again, manager.FindTempFont(L"Roboto-Bold"));
  EXPECT_EQ(nullptr, manager.AddTempFont(L"Nothing", L"Z:\\no\\such.ttf"));
  EXPECT_EQ(nullptr, manager.FindTempFont(L"Nothing"));
  const CString face = InstalledFace();
  ASSERT_FALSE(face.IsEmpty());
  Gdiplus::FontFamily* installed = manager.FindTempFont(face);
  ASSERT_NE(nullptr, installed) << face.GetString();
  EXPECT_EQ(installed, manager.FindTempFont(face)) << "an installed family is cached";
  EXPECT_EQ(nullptr, manager.FindTempFont(L"No Such Face 123"));
  Gdiplus::FontFamily* tip = manager.AddTempFont(L"Tip", 106u);
  ASSERT_NE(nullptr, tip) << "the library's own typeface resource";
  EXPECT_TRUE(IsRoboto(tip));
  // The private family draws: a string measured with it has a size.
  Gdiplus::Font font(tip, 14.0f, Gdiplus::FontStyleRegular, Gdiplus::UnitPixel);
  EXPECT_GT(MRender::GetTextBounds(font, L"Quenby").Width, 20);
  manager.AddGDITempFont(106);
}

TEST(Fonts, ControlFontFamilyAndGdiFont) {
  PaintManager manager;
  manager.AddTempFont(L"Roboto-Medium", CString(kRoboto) + L"Roboto-Medium.ttf");
  RecordingParent owner;
  ProbeControl probe(&owner, 1, CRect());
  EXPECT_EQ(nullptr, probe.GetFontFamily(L"Roboto-Medium")) << "no manager";
  probe.SetManager(&manager);
  for (int i = 0; i < 3; ++i) {  // repeated drawing replaces the control's own family
    Gdiplus::FontFamily* family = probe.GetFontFamily(probe.GetTextFont());
    ASSERT_NE(nullptr, family);
    EXPECT_TRUE(IsRoboto(family));
  }
  EXPECT_EQ(14, probe.GetFontWidth());
  probe.SetFont(L"Roboto-Medium", 20, Gdiplus::FontStyleBold);
  LOGFONTW lf = {};
  HFONT first = probe.GetGDIFont();
  ::GetObjectW(first, sizeof(lf), &lf);
  EXPECT_EQ(-20, lf.lfHeight);
  EXPECT_GE(lf.lfWeight, 700);
  EXPECT_EQ(DEFAULT_CHARSET, lf.lfCharSet);
  probe.SetTitle(L"new");
  LOGFONTW again = {};
  EXPECT_NE(0, ::GetObjectW(probe.GetGDIFont(), sizeof(again), &again)) << "a new font after the title changed";
}

TEST(ImageList, InsertLookupAndDraw) {
  SkinFolder skins;
  skins.Write(L"four.png", 40, 10, [](unsigned x, unsigned) { return x < 20 ? 0xFFFF0000u : 0xFF0000FFu; });
  const CString path = GetSkinsFolder() + L"four.png";
  MImageList list;
  EXPECT_EQ(0, list.AddImage(path, 7, 4));
  EXPECT_EQ(1, list.AddImage(L"Z:\\missing.png", 8, 1)) << "an image that does not load still makes an entry";
  EXPECT_EQ(-1, list.InsertImage(5, path, 9, 1));
  EXPECT_EQ(-1, list.InsertImage(0, path, 9, 0)) << "a frame count below 1 adds nothing";
  EXPECT_EQ(2, list.GetImageCount());
  EXPECT_EQ(-1, list.InsertImage(1, path, 10, 2));
  EXPECT_EQ(10, list.GetItemImageData(1)->id);
  EXPECT_EQ(20, list.GetItemImageData(1)->frameWidth);
  EXPECT_EQ(CString(), list.GetImagePath(17)) << "a bad index answers an empty path";
  EXPECT_EQ(CString(), list.GetImagePathByID(99));
  EXPECT_EQ(path, list.GetImagePathByID(7));
  EXPECT_EQ(nullptr, list.GetItemImageData(-1));

  Gdiplus::Bitmap target(10, 10, PixelFormat32bppARGB);
  Gdiplus::Graphics g(&target);
  list.DrawItemIcon(g, CRect(0, 0, 10, 10), 0, 2);  // third frame (x 20..30): blue
  Gdiplus::Color c;
  target.GetPixel(5, 5, &c);
  EXPECT_EQ(0xFF0000FFu, c.GetValue());
  EXPECT_EQ(1, list.DelAllImages());
  EXPECT_EQ(0, list.GetImageCount());
}

TEST(Render, ColoursOriginsAndRadii) {
  DWORD black = 0xFF000000, red = 0xFFFF0000;
  MRender::CheckAlphaColor(black);
  MRender::CheckAlphaColor(red);
  EXPECT_EQ(0xFF000001u, black);
  EXPECT_EQ(0xFFFF0000u, red);
  EXPECT_EQ(CPoint(0, 5), MRender::GetOriginPoint(100, 20, 40, 10, 3, 4));
  EXPECT_EQ(CPoint(30, 10), MRender::GetOriginPoint(100, 20, 40, 10, 1, 8));
  EXPECT_EQ(CPoint(60, 0), MRender::GetOriginPoint(100, 20, 40, 10, 2, 0));
  EXPECT_EQ(CPoint(40, 27), MRender::GetOriginPoint(CRect(10, 20, 110, 40), 40, 10, 1, 4));
  float rx = 0, ry = 0;
  MRender::RoundRadii(100, 20, 2, rx, ry);
  EXPECT_FLOAT_EQ(5, rx);
  EXPECT_FLOAT_EQ(5, ry);
}

TEST(Render, DrawColorAndGradientRespectAlpha) {
  HDC screen = ::GetDC(nullptr);
  HDC dc = ::CreateCompatibleDC(screen);
  BYTE* bits = nullptr;
  HBITMAP dib = MRender::CreateARGB32Bitmap(screen, 8, 8, &bits);
  HGDIOBJ old = ::SelectObject(dc, dib);
  RECT all = {0, 0, 8, 8};
  MRender::DrawColor(dc, all, 0x00FF0000);
  ::GdiFlush();
  EXPECT_EQ(0, bits[2]) << "alpha 0: nothing drawn";
  MRender::DrawColor(dc, all, 0x01FF0000);
  ::GdiFlush();
  EXPECT_GT(bits[2], 0) << "alpha 1: filled";
  std::fill(bits, bits + 8 * 8 * 4, 0);
  MRender::DrawGradient(dc, all, 0x00FFFFFF, 0x00FFFFFF, true, 10);
  ::GdiFlush();
  EXPECT_EQ(0, bits[0] + bits[1] + bits[2]) << "two transparent colours draw nothing";
  MRender::DrawGradient(dc, all, 0xFF0000FF, 0xFF0000FF, true, 10);
  ::GdiFlush();
  EXPECT_EQ(255, bits[0]) << "an opaque gradient fills directly";
  ::SelectObject(dc, old);
  ::DeleteObject(dib);
  ::DeleteDC(dc);
  ::ReleaseDC(nullptr, screen);
}

TEST(Render, TransitionsBlendRowByRow) {
  HDC screen = ::GetDC(nullptr);
  HDC dst = ::CreateCompatibleDC(screen), src = ::CreateCompatibleDC(screen);
  BYTE *dstBits = nullptr, *srcBits = nullptr;
  HBITMAP dstDib = MRender::CreateARGB32Bitmap(screen, 10, 10, &dstBits);
  HBITMAP srcDib = MRender::CreateARGB32Bitmap(screen, 10, 10, &srcBits);
  ::ReleaseDC(nullptr, screen);
  HGDIOBJ oldDst = ::SelectObject(dst, dstDib), oldSrc = ::SelectObject(src, srcDib);
  for (int i = 0; i < 100; ++i) {  // opaque grey 200
    srcBits[i * 4] = srcBits[i * 4 + 1] = srcBits[i * 4 + 2] = 200;
    srcBits[i * 4 + 3] = 255;
  }
  const CRect all(0, 0, 10, 10);
  EXPECT_EQ(255, MRender::DrawVerticalTransition(dst, src, all, all, 0, 0));
  ::GdiFlush();
  EXPECT_EQ(200, dstBits[0]) << "0 and 0: an opaque copy";
  std::fill(dstBits, dstBits + 400, 0);
  const int last = MRender::DrawVerticalTransition(dst, src, all, all, 0, 100);
  EXPECT_LT(last, 255);
  EXPECT_GT(last, 0);
  ::GdiFlush();
  const BYTE topRow = dstBits[9 * 40], bottomRow = dstBits[0];  // bottom-up rows
  EXPECT_GT(topRow, bottomRow) << "the top row is the most opaque";
  EXPECT_EQ(255, MRender::DrawHorizontalTransition(dst, src, CRect(), CRect(), 0, 50)) << "no columns";
  ::SelectObject(dst, oldDst);
  ::SelectObject(src, oldSrc);
  ::DeleteObject(dstDib);
  ::DeleteObject(srcDib);
  ::DeleteDC(dst);
  ::DeleteDC(src);
}

// The file is 24-bit whatever the display depth, so nothing is written past the buffer.
TEST(Render, SaveBitmapToFileWritesA24BitFile) {
  HDC screen = ::GetDC(nullptr);
  HBITMAP bitmap = ::CreateCompatibleBitmap(screen, 5, 3);
  ::ReleaseDC(nullptr, screen);
  const CString path = GetExeFolder() + L"qiv_save_test.bmp";
  ASSERT_EQ(1, MRender::SaveBitmapToFile(bitmap, path));
  ::DeleteObject(bitmap);
  HANDLE file = ::CreateFileW(path, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, file);
  std::vector<unsigned char> data(200);
  DWORD read = 0;
  ::ReadFile(file, data.data(), 200, &read, nullptr);
  ::CloseHandle(file);
  ::DeleteFileW(path);
  const DWORD imageSize = 3 * ((24 * 5 + 31) / 32) * 4;
  EXPECT_EQ(54 + imageSize, read);
  EXPECT_EQ('B', data[0]);
  EXPECT_EQ('M', data[1]);
  EXPECT_EQ(24, data[28]);
  EXPECT_EQ(0, MRender::SaveBitmapToFile(nullptr, path));
}

namespace {
class CountingTimer : public MTimer {
public:
  std::atomic<int> ticks{0};
  void OnMTimer(unsigned) override { ++ticks; }
};
}  // namespace

TEST(MultimediaTimer, RecordsNamesAndCounts) {
  CountingTimer timer;
  unsigned a = timer.SetTimer(5, L"a", 1);
  unsigned b = timer.SetTimer(5, L"b", 0);
  ASSERT_NE(0u, a);
  EXPECT_EQ(1, timer.GetTimerIsRun(a));
  EXPECT_EQ(1, timer.GetTimerIsRun(CString(L"b")));
  EXPECT_EQ(0, timer.GetTimerIsRun(CString(L"B"))) << "names are case-sensitive";
  EXPECT_EQ(CString(L"a"), timer.GetTimerName(a));
  EXPECT_EQ(1, timer.IsAppTimer(a));
  EXPECT_EQ(&timer, MTimer::GetMTimer(b));
  // A loaded machine can delay the first tick well past the period: wait for it.
  for (int i = 0; i < 500 && timer.ticks.load() == 0; ++i) ::Sleep(10);
  EXPECT_GT(timer.ticks.load(), 0);
  EXPECT_EQ(1, timer.KillTimer(a));
  EXPECT_EQ(0, timer.KillTimer(CString(L"b")));
  EXPECT_EQ(nullptr, MTimer::GetMTimer(b));
}

TEST(CanvasAudio, SettersStoreWhatTheyAreGiven) {
  RecordingParent owner;
  MatrixScreen matrix(&owner, 1, CRect(), 1);
  const float bands[3] = {0.8f, 0.1f, -1.0f};
  matrix.SetAudioData(bands, 3);
  EXPECT_FLOAT_EQ(1.0f, matrix.GetAudioLevel(0));
  EXPECT_FLOAT_EQ(0.2f, matrix.GetAudioLevel(1));
  EXPECT_FLOAT_EQ(0.0f, matrix.GetAudioLevel(2));
  EXPECT_FLOAT_EQ(0.0f, matrix.GetAudioLevel(6));
  matrix.SetMasterVolume(5.0f);
  EXPECT_FLOAT_EQ(2.0f, matrix.GetMasterVolume());
  std::vector<float> wave(100, 0.5f);
  matrix.SetInputWave(wave.data(), 100);
  EXPECT_FLOAT_EQ(0.5f, matrix.GetInputWave(99));
  EXPECT_FLOAT_EQ(0.0f, matrix.GetInputWave(100));
  matrix.SetInputWave(nullptr, 100);
  EXPECT_FLOAT_EQ(0.0f, matrix.GetInputWave(0));

  ZephraEffect canvas(&owner, 2, CRect(), 1);
  canvas.Initialize();
  canvas.SetExternalAudioData(1.5f, 0.5f, -0.5f, 150, -3.0f);
  EXPECT_FLOAT_EQ(1.0f, canvas.GetCurrentVolume());
  EXPECT_FLOAT_EQ(0.0f, canvas.GetAverageVolume());
  EXPECT_EQ(100, canvas.GetMusicAmplitude());
  EXPECT_FLOAT_EQ(0.0f, canvas.GetAudioLevel());
  EXPECT_TRUE(canvas.IsVolumeTriggered());
  canvas.SetExternalAudioData(0.05f, 0, 0, 5, 1);
  canvas.SetExternalAudioData(0.9f, 0, 0, 90, 1);
  EXPECT_EQ(2, canvas.GetTriggerCount()) << "one count per rise above the threshold";
  float spectrum[32] = {};
  canvas.SetFFTSpectrum(spectrum, nullptr);
  canvas.SetBeatData(true, 0.5f, 120, 2, 0.5f, 0.25f);
}
