#include <gtest/gtest.h>
#include <shlobj.h>
#include <cstring>
#include <string>
#include "WindowsTestSupport.h"
#include "core/DataObject.h"
#include "core/MRender.h"
#include "lodepng.h"
#include "qiv/core/QivTestSupport.h"

using namespace qivwin;

namespace {
FORMATETC Fmt(CLIPFORMAT cf, DWORD tymed) { return {cf, nullptr, DVASPECT_CONTENT, -1, tymed}; }

HBITMAP SolidBitmap(int w, int h, COLORREF color) {
  HDC screen = ::GetDC(nullptr);
  HBITMAP bitmap = ::CreateCompatibleBitmap(screen, w, h);
  HDC mem = ::CreateCompatibleDC(screen);
  HGDIOBJ old = ::SelectObject(mem, bitmap);
  RECT r = {0, 0, w, h};
  HBRUSH brush = ::CreateSolidBrush(color);
  ::FillRect(mem, &r, brush);
  ::DeleteObject(brush);
  ::SelectObject(mem, old);
  ::DeleteDC(mem);
  ::ReleaseDC(nullptr, screen);
  return bitmap;
}

CSize SizeOf(HBITMAP bitmap) {
  BITMAP info = {};
  ::GetObjectW(bitmap, sizeof(info), &info);
  return CSize(info.bmWidth, info.bmHeight);
}

// A packed DIB of w x h 32-bit pixels; `claimedHeight` lets a test lie about its size.
HGLOBAL PackedDib(int w, int h, int claimedHeight) {
  const size_t bytes = sizeof(BITMAPINFOHEADER) + static_cast<size_t>(w) * h * 4;
  HGLOBAL g = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
  auto* header = static_cast<BITMAPINFOHEADER*>(::GlobalLock(g));
  header->biSize = sizeof(BITMAPINFOHEADER);
  header->biWidth = w;
  header->biHeight = claimedHeight;
  header->biPlanes = 1;
  header->biBitCount = 32;
  header->biCompression = BI_RGB;
  ::GlobalUnlock(g);
  return g;
}

// A CF_HDROP block naming one file.
HGLOBAL FileDrop(const std::wstring& path) {
  const size_t bytes = sizeof(DROPFILES) + (path.size() + 2) * sizeof(wchar_t);
  HGLOBAL g = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
  auto* drop = static_cast<DROPFILES*>(::GlobalLock(g));
  drop->pFiles = sizeof(DROPFILES);
  drop->fWide = TRUE;
  std::memcpy(reinterpret_cast<BYTE*>(drop) + sizeof(DROPFILES), path.c_str(), path.size() * sizeof(wchar_t));
  ::GlobalUnlock(g);
  return g;
}

std::wstring TempPath(const wchar_t* name) {
  wchar_t dir[MAX_PATH];
  ::GetTempPathW(MAX_PATH, dir);
  return std::wstring(dir) + name;
}

// A dialog that keeps the pictures handed to it, as the program's window does.
class PictureDialog : public RecordingDialog {
public:
  HBITMAP image = nullptr;
  std::vector<UINT> order;  // the drop-related messages, in arrival order
  ~PictureDialog() override {
    if (image) ::DeleteObject(image);
  }
  LRESULT OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
    if (msg == STM_SETIMAGE || msg == UM_DROPPED || msg == UM_DRAGOVER || msg == WM_LBUTTONUP) order.push_back(msg);
    if (msg == STM_SETIMAGE) {
      HBITMAP previous = image;
      image = reinterpret_cast<HBITMAP>(lParam);
      return reinterpret_cast<LRESULT>(previous);
    }
    return RecordingDialog::OnWindowMessage(msg, wParam, lParam);
  }
};

struct Data {
  CIDataObject* p;
  Data() : p(new CIDataObject(nullptr)) { p->AddRef(); }
  ~Data() { p->Release(); }
  void Put(CLIPFORMAT cf, DWORD tymed, HANDLE handle) {
    FORMATETC f = Fmt(cf, tymed);
    STGMEDIUM m = {};
    m.tymed = tymed;
    m.hGlobal = static_cast<HGLOBAL>(handle);
    p->SetData(&f, &m, TRUE);
  }
};

class DragDropTest : public ::testing::Test {
protected:
  void SetUp() override { ASSERT_NE(nullptr, dialog.CreatePopup(nullptr, CRect(100, 100, 400, 300))); }
  void TearDown() override {
    dialog.DestroyWindow();
    Pump();
  }
  // One drag over the window and a drop, as OLE would drive it; answers the effects.
  std::pair<DWORD, DWORD> DragAndDrop(IDataObject* data, DWORD keys = 0) {
    PaintManager* pm = dialog.GetPaintManager();
    DWORD enter = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    pm->DragEnter(data, keys, POINTL{150, 150}, &enter);
    DWORD over = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    pm->DragOver(keys, POINTL{160, 170}, &over);
    DWORD drop = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    pm->Drop(data, keys, POINTL{160, 170}, &drop);
    Pump();
    return {enter, drop};
  }
  int Count(UINT msg) const { return static_cast<int>(std::count(dialog.order.begin(), dialog.order.end(), msg)); }
  PictureDialog dialog;
};
}  // namespace

TEST_F(DragDropTest, TheWindowIsRegisteredForFourFormatsAndRevokedBeforeItGoes) {
  PaintManager* pm = dialog.GetPaintManager();
  EXPECT_EQ(dialog.GetSafeHwnd(), pm->GetRegisteredWnd());
  EXPECT_EQ(dialog.GetSafeHwnd(), pm->GetTargetWnd());
  EXPECT_EQ(4u, pm->GetSupportedFormatCount());
  pm->AddRef();
  EXPECT_GE(pm->Release(), 1u) << "OLE holds the registered target";
  EXPECT_EQ(1, pm->InitDragDrop()) << "registering again is harmless";
  EXPECT_EQ(4u, pm->GetSupportedFormatCount());
  dialog.DestroyWindow();
  EXPECT_EQ(nullptr, pm->GetRegisteredWnd());
  pm->AddRef();
  EXPECT_EQ(0u, pm->Release()) << "the registration was taken back with the window";
}

TEST_F(DragDropTest, ABitmapDropIsHandedToTheWindow) {
  Data data;
  data.Put(CF_BITMAP, TYMED_GDI, SolidBitmap(8, 6, RGB(255, 0, 0)));
  HDC record = ::CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
  data.Put(CF_ENHMETAFILE, TYMED_ENHMF, ::CloseEnhMetaFile(record));
  const auto [enter, drop] = DragAndDrop(data.p);
  EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_COPY), enter);
  EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_NONE), drop) << "nothing is ever moved or copied for the source";
  ASSERT_NE(nullptr, dialog.image);
  EXPECT_EQ(CSize(8, 6), SizeOf(dialog.image)) << "taken as CF_BITMAP, the first format registered";
  // The press ends and the picture arrives at once; the posted notices come after.
  const std::vector<UINT> expected = {WM_LBUTTONUP, STM_SETIMAGE, UM_DRAGOVER, UM_DROPPED};
  EXPECT_EQ(expected, dialog.order);
}

TEST_F(DragDropTest, DragOverPostsTheScreenPoint) {
  Data data;
  data.Put(CF_BITMAP, TYMED_GDI, SolidBitmap(2, 2, 0));
  PaintManager* pm = dialog.GetPaintManager();
  DWORD effect = DROPEFFECT_COPY;
  pm->DragEnter(data.p, 0, POINTL{150, 150}, &effect);
  pm->DragOver(0, POINTL{321, 234}, &effect);
  pm->DragLeave();
  Pump();
  ASSERT_EQ(1, dialog.Count(UM_DRAGOVER));
  for (const Seen& s : dialog.messages)
    if (s.msg == UM_DRAGOVER) {
      EXPECT_EQ(0u, s.wParam);
      EXPECT_EQ(MAKELPARAM(321, 234), s.lParam);
    }
  EXPECT_EQ(0, dialog.Count(UM_DROPPED));
}

TEST_F(DragDropTest, AFileListDropLoadsABitmapFile) {
  const std::wstring bmp = TempPath(L"qiv_drop_test.bmp");
  HBITMAP source = SolidBitmap(12, 7, RGB(0, 0, 255));
  ASSERT_EQ(1, MRender::SaveBitmapToFile(source, bmp.c_str()));
  ::DeleteObject(source);
  Data data;
  data.Put(CF_HDROP, TYMED_HGLOBAL, FileDrop(bmp));
  DragAndDrop(data.p);
  ASSERT_NE(nullptr, dialog.image);
  EXPECT_EQ(CSize(12, 7), SizeOf(dialog.image));
  EXPECT_EQ(1, dialog.Count(UM_DROPPED));
  ::DeleteFileW(bmp.c_str());
}

TEST_F(DragDropTest, AFileThatIsNoBitmapLeavesTheImageButStillTellsOfTheDrop) {
  const std::wstring png = TempPath(L"qiv_drop_test.png");
  std::vector<unsigned char> rgba(4 * 4 * 4, 0xFF);
  std::string narrow(png.begin(), png.end());
  ASSERT_EQ(0u, lodepng::encode(narrow, rgba, 4, 4));
  Data data;
  data.Put(CF_HDROP, TYMED_HGLOBAL, FileDrop(png));
  DragAndDrop(data.p);
  EXPECT_EQ(nullptr, dialog.image);
  EXPECT_EQ(1, dialog.Count(UM_DROPPED));
  EXPECT_EQ(1, dialog.Count(WM_LBUTTONUP));
  ::DeleteFileW(png.c_str());
}

TEST_F(DragDropTest, DeviceIndependentBitmapsAndMetafilesBecomeBitmaps) {
  {
    Data data;
    data.Put(CF_DIB, TYMED_HGLOBAL, PackedDib(5, 3, 3));
    DragAndDrop(data.p);
    ASSERT_NE(nullptr, dialog.image);
    EXPECT_EQ(CSize(5, 3), SizeOf(dialog.image));
  }
  {
    HDC record = ::CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
    ::Rectangle(record, 0, 0, 30, 20);
    Data data;
    data.Put(CF_ENHMETAFILE, TYMED_ENHMF, ::CloseEnhMetaFile(record));
    DragAndDrop(data.p);
    ASSERT_NE(nullptr, dialog.image);
    EXPECT_GT(SizeOf(dialog.image).cx, 5) << "the metafile's bounds";
  }
  EXPECT_EQ(2, dialog.Count(UM_DROPPED));
}

TEST_F(DragDropTest, ADibThatClaimsMoreThanItHoldsIsRefused) {
  Data data;
  data.Put(CF_DIB, TYMED_HGLOBAL, PackedDib(5, 3, 4000));
  DragAndDrop(data.p);
  EXPECT_EQ(nullptr, dialog.image);
  EXPECT_EQ(1, dialog.Count(UM_DROPPED)) << "the drop is still announced";
}

TEST_F(DragDropTest, DataWithoutAPictureIsRefusedAndNothingArrives) {
  Data data;
  HGLOBAL text = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 8);
  data.Put(CF_TEXT, TYMED_HGLOBAL, text);
  const auto [enter, drop] = DragAndDrop(data.p);
  EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_NONE), enter);
  EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_NONE), drop);
  EXPECT_EQ(0, dialog.Count(UM_DROPPED));
  EXPECT_EQ(0, dialog.Count(STM_SETIMAGE));
  EXPECT_EQ(1, dialog.Count(UM_DRAGOVER)) << "the drag is reported whether or not it would be accepted";
}

TEST_F(DragDropTest, CtrlOnAMoveOnlySourceIsRefusedPlainGivesMove) {
  Data data;
  data.Put(CF_BITMAP, TYMED_GDI, SolidBitmap(2, 2, 0));
  PaintManager* pm = dialog.GetPaintManager();
  DWORD effect = DROPEFFECT_MOVE;
  pm->DragEnter(data.p, MK_CONTROL, POINTL{150, 150}, &effect);
  EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_NONE), effect);
  effect = DROPEFFECT_MOVE;
  pm->DragOver(0, POINTL{150, 150}, &effect);
  EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_MOVE), effect);
  effect = DROPEFFECT_MOVE;
  pm->Drop(data.p, MK_CONTROL, POINTL{150, 150}, &effect);
  Pump();
  EXPECT_EQ(nullptr, dialog.image) << "refused at the drop";
  EXPECT_EQ(0, dialog.Count(UM_DROPPED));
}

namespace {
// A control that can be dragged: its snapshot is the drag image.
class DraggableProbe : public qivtest::ProbeControl {
public:
  using ProbeControl::ProbeControl;
  HBITMAP GetControlDropBitmap() override {
    const CRect r = GetRect();
    return GetManager() ? GetManager()->GetDropBitmap(this, CRect(0, 0, r.Width(), r.Height()), 0) : nullptr;
  }
};
}  // namespace

TEST_F(DragDropTest, AControlSnapshotDraggedInsideItsWindowIsDroppedThere) {
  // The drag runs OLE's loop, which ends at once without a held button: the drop lands
  // where the cursor is, which is on the dragged control's own window.
  auto* probe = new DraggableProbe(&dialog, 40, CRect(40, 30, 100, 70), RGB(0, 160, 0));
  probe->SetDragDrop(1);
  PaintManager* pm = dialog.GetPaintManager();
  probe->SetManager(pm);
  pm->GetControls()->push_back(probe);
  dialog.ShowWindow(SW_SHOWNA);
  Pump();
  POINT centre = {70, 50};
  ::ClientToScreen(dialog.GetSafeHwnd(), &centre);
  ::SetCursorPos(centre.x, centre.y);

  dialog.SendMessageW(WM_MOUSEMOVE, 0, MAKELPARAM(70, 50));
  dialog.SendMessageW(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(70, 50));
  dialog.SendMessageW(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(90, 60));  // far from the last drag point
  dialog.SendMessageW(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(91, 60));  // within 2 px: the drag runs
  Pump();
  ASSERT_NE(nullptr, dialog.image) << "the snapshot arrived as the window's picture";
  EXPECT_EQ(CSize(60, 40), SizeOf(dialog.image));
  EXPECT_EQ(1, Count(UM_DROPPED));
  RECT clip, screen = {::GetSystemMetrics(SM_XVIRTUALSCREEN), ::GetSystemMetrics(SM_YVIRTUALSCREEN), 0, 0};
  screen.right = screen.left + ::GetSystemMetrics(SM_CXVIRTUALSCREEN);
  screen.bottom = screen.top + ::GetSystemMetrics(SM_CYVIRTUALSCREEN);
  ::GetClipCursor(&clip);
  EXPECT_EQ(CRect(screen), CRect(clip)) << "the cursor is free again";
}
