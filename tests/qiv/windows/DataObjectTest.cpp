#include <gtest/gtest.h>
#include <cstring>
#include "core/DataObject.h"
#include "core/DragSource.h"
#include "core/DropTarget.h"
#include "core/EnumFormatEtc.h"

namespace {
FORMATETC Fmt(CLIPFORMAT cf, DWORD tymed, DWORD aspect = DVASPECT_CONTENT) { return {cf, nullptr, aspect, -1, tymed}; }

HBITMAP SmallBitmap(int w = 4, int h = 3) {
  HDC screen = ::GetDC(nullptr);
  HBITMAP b = ::CreateCompatibleBitmap(screen, w, h);
  ::ReleaseDC(nullptr, screen);
  return b;
}

HGLOBAL Text(const char* s) {
  HGLOBAL g = ::GlobalAlloc(GMEM_MOVEABLE, std::strlen(s) + 1);
  std::memcpy(::GlobalLock(g), s, std::strlen(s) + 1);
  ::GlobalUnlock(g);
  return g;
}

// A counted data object released at scope end.
struct Data {
  CIDataObject* p;
  Data() : p(new CIDataObject(nullptr)) { p->AddRef(); }
  ~Data() { p->Release(); }
  CIDataObject* operator->() { return p; }
};

// A drop target that records what reaches the derived side.
class ProbeTarget : public CIDropTarget {
public:
  bool* destroyed = nullptr;
  int drops = 0, overs = 0;
  CLIPFORMAT dropped = 0;
  ~ProbeTarget() override {
    if (destroyed) *destroyed = true;
  }
  bool OnDrop(FORMATETC* format, STGMEDIUM&, DWORD*) override {
    ++drops;
    dropped = format->cfFormat;
    return true;
  }
  void OnDragOver(POINTL) override { ++overs; }
};
}  // namespace

TEST(DataObjectTest, QueryGetDataAnswers) {
  Data data;
  FORMATETC bitmap = Fmt(CF_BITMAP, TYMED_GDI);
  EXPECT_EQ(DV_E_TYMED, data->QueryGetData(&bitmap)) << "nothing stored";
  STGMEDIUM medium = {TYMED_GDI};
  medium.hBitmap = SmallBitmap();
  ASSERT_EQ(S_OK, data->SetData(&bitmap, &medium, TRUE));

  struct Case {
    FORMATETC query;
    HRESULT expected;
  } cases[] = {
      {Fmt(CF_BITMAP, TYMED_GDI), S_OK},
      {Fmt(CF_BITMAP, TYMED_GDI | TYMED_HGLOBAL), S_OK},
      {Fmt(CF_TEXT, TYMED_HGLOBAL), DV_E_TYMED},
      {Fmt(CF_TEXT, TYMED_GDI), DV_E_CLIPFORMAT},
      {Fmt(CF_BITMAP, TYMED_GDI, DVASPECT_THUMBNAIL), DV_E_DVASPECT},
  };
  for (Case& c : cases) EXPECT_EQ(c.expected, data->QueryGetData(&c.query)) << c.query.cfFormat;
  EXPECT_EQ(E_INVALIDARG, data->QueryGetData(nullptr));
}

TEST(DataObjectTest, SetAndGetDataDuplicateTheMedium) {
  Data data;
  FORMATETC text = Fmt(CF_TEXT, TYMED_HGLOBAL);
  STGMEDIUM medium = {TYMED_HGLOBAL};
  medium.hGlobal = Text("quenby");
  ASSERT_EQ(S_OK, data->SetData(&text, &medium, FALSE)) << "kept as a copy";
  ::ReleaseStgMedium(&medium);  // the caller's own medium goes; the copy stays

  STGMEDIUM out = {};
  ASSERT_EQ(S_OK, data->GetData(&text, &out));
  EXPECT_EQ(static_cast<DWORD>(TYMED_HGLOBAL), out.tymed);
  EXPECT_STREQ("quenby", static_cast<const char*>(::GlobalLock(out.hGlobal)));
  ::GlobalUnlock(out.hGlobal);
  ::ReleaseStgMedium(&out);
  STGMEDIUM again = {};
  ASSERT_EQ(S_OK, data->GetData(&text, &again)) << "each GetData hands out its own duplicate";
  ::ReleaseStgMedium(&again);

  FORMATETC other = Fmt(CF_BITMAP, TYMED_GDI);
  EXPECT_EQ(DV_E_FORMATETC, data->GetData(&other, &out));
  EXPECT_EQ(E_INVALIDARG, data->GetData(nullptr, &out));
  EXPECT_EQ(E_INVALIDARG, data->SetData(nullptr, &out, TRUE));
  EXPECT_EQ(E_NOTIMPL, data->GetDataHere(&text, &out));
  FORMATETC canonical;
  EXPECT_EQ(DATA_S_SAMEFORMATETC, data->GetCanonicalFormatEtc(&text, &canonical));
  EXPECT_EQ(E_INVALIDARG, data->GetCanonicalFormatEtc(&text, nullptr));
  DWORD connection = 0;
  EXPECT_EQ(OLE_E_ADVISENOTSUPPORTED, data->DAdvise(&text, 0, nullptr, &connection));
  EXPECT_EQ(E_NOTIMPL, data->DUnadvise(0));
  EXPECT_EQ(OLE_E_ADVISENOTSUPPORTED, data->EnumDAdvise(nullptr));
}

TEST(DataObjectTest, FileNameMediaAreCopiedAsStrings) {
  // The union holds a string for TYMED_FILE; it is duplicated, never treated as a handle.
  Data data;
  FORMATETC file = Fmt(CF_TEXT, TYMED_FILE);
  STGMEDIUM medium = {TYMED_FILE};
  wchar_t name[] = L"C:\\pictures\\key.bmp";
  medium.lpszFileName = name;
  ASSERT_EQ(S_OK, data->SetData(&file, &medium, FALSE));
  STGMEDIUM out = {};
  ASSERT_EQ(S_OK, data->GetData(&file, &out));
  ASSERT_NE(nullptr, out.lpszFileName);
  EXPECT_NE(name, out.lpszFileName);
  EXPECT_STREQ(name, out.lpszFileName);
  ::ReleaseStgMedium(&out);
}

TEST(DataObjectTest, StreamsAreSharedAndCounted) {
  Data data;
  IStream* stream = nullptr;
  ASSERT_EQ(S_OK, ::CreateStreamOnHGlobal(nullptr, TRUE, &stream));
  FORMATETC fmt = Fmt(CF_TEXT, TYMED_ISTREAM);
  STGMEDIUM medium = {TYMED_ISTREAM};
  medium.pstm = stream;
  ASSERT_EQ(S_OK, data->SetData(&fmt, &medium, FALSE));
  STGMEDIUM out = {};
  ASSERT_EQ(S_OK, data->GetData(&fmt, &out));
  EXPECT_EQ(stream, out.pstm);
  ::ReleaseStgMedium(&out);
  stream->AddRef();
  EXPECT_EQ(2u, stream->Release()) << "ours and the data object's";
  stream->Release();
}

TEST(DataObjectTest, FormatEnumerator) {
  Data data;
  EXPECT_EQ(E_POINTER, data->EnumFormatEtc(DATADIR_GET, nullptr));
  IEnumFORMATETC* e = nullptr;
  EXPECT_EQ(E_NOTIMPL, data->EnumFormatEtc(DATADIR_SET, &e));
  for (CLIPFORMAT cf : {CF_TEXT, CF_DIB, CF_HDROP}) {
    FORMATETC f = Fmt(cf, TYMED_HGLOBAL);
    STGMEDIUM m = {TYMED_HGLOBAL};
    m.hGlobal = Text("x");
    ASSERT_EQ(S_OK, data->SetData(&f, &m, TRUE));
  }
  ASSERT_EQ(S_OK, data->EnumFormatEtc(DATADIR_GET, &e));
  FORMATETC out[4] = {};
  ULONG fetched = 99;
  EXPECT_EQ(S_FALSE, e->Next(0, out, &fetched));
  EXPECT_EQ(0u, fetched);
  EXPECT_EQ(S_FALSE, e->Next(2, out, nullptr)) << "more than one needs a fetched count";
  EXPECT_EQ(S_OK, e->Next(1, out, nullptr));
  EXPECT_EQ(CF_TEXT, out[0].cfFormat);
  EXPECT_EQ(S_FALSE, e->Skip(2)) << "skipping to exactly the end";
  EXPECT_EQ(S_OK, e->Skip(1));
  EXPECT_EQ(S_FALSE, e->Next(4, out, &fetched)) << "fewer than asked";
  EXPECT_EQ(1u, fetched);
  EXPECT_EQ(CF_HDROP, out[0].cfFormat);
  EXPECT_EQ(S_FALSE, e->Next(1, out, &fetched));
  EXPECT_EQ(0u, fetched);
  EXPECT_EQ(S_OK, e->Reset());
  EXPECT_EQ(S_OK, e->Skip(1));
  IEnumFORMATETC* clone = nullptr;
  EXPECT_EQ(E_POINTER, e->Clone(nullptr));
  ASSERT_EQ(S_OK, e->Clone(&clone));
  EXPECT_EQ(S_OK, clone->Next(2, out, &fetched)) << "the clone keeps the index";
  EXPECT_EQ(CF_DIB, out[0].cfFormat);
  EXPECT_EQ(CF_HDROP, out[1].cfFormat);
  IUnknown* unknown = nullptr;
  EXPECT_EQ(S_OK, clone->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unknown)));
  unknown->Release();
  EXPECT_EQ(E_NOINTERFACE, clone->QueryInterface(IID_IDataObject, reinterpret_cast<void**>(&unknown)));
  EXPECT_EQ(0u, clone->Release());
  EXPECT_EQ(0u, e->Release());
}

TEST(DataObjectTest, DropSourceEndsOnReleaseAndCancelsOnEscape) {
  auto* source = new CIDropSource();
  source->AddRef();
  EXPECT_EQ(DRAGDROP_S_CANCEL, source->QueryContinueDrag(TRUE, MK_LBUTTON));
  EXPECT_EQ(S_OK, source->QueryContinueDrag(FALSE, MK_LBUTTON));
  EXPECT_EQ(S_OK, source->QueryContinueDrag(FALSE, MK_RBUTTON | MK_CONTROL));
  EXPECT_FALSE(source->IsDropped());
  EXPECT_EQ(DRAGDROP_S_DROP, source->QueryContinueDrag(FALSE, MK_CONTROL));
  EXPECT_TRUE(source->IsDropped());
  EXPECT_EQ(DRAGDROP_S_USEDEFAULTCURSORS, source->GiveFeedback(DROPEFFECT_COPY));
  EXPECT_EQ(0u, source->Release());
}

TEST(DataObjectTest, QueryDropEffectTable) {
  ProbeTarget target;
  Data data;
  FORMATETC bitmap = Fmt(CF_BITMAP, TYMED_GDI);
  target.AddSuportedFormat(bitmap);
  STGMEDIUM medium = {TYMED_GDI};
  medium.hBitmap = SmallBitmap();
  data->SetData(&bitmap, &medium, TRUE);
  DWORD effect = DROPEFFECT_COPY;
  ASSERT_EQ(S_OK, target.DragEnter(data.p, 0, POINTL{0, 0}, &effect));
  ASSERT_TRUE(target.IsAccepting());

  const DWORD all = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
  struct Case {
    DWORD keys, allowed, effect;
    bool accepted;
  } cases[] = {
      {MK_CONTROL | MK_SHIFT, all, DROPEFFECT_LINK, true},
      {MK_CONTROL, all, DROPEFFECT_COPY, true},
      {MK_SHIFT, all, DROPEFFECT_MOVE, true},
      {0, all, DROPEFFECT_COPY, true},
      {0, DROPEFFECT_MOVE | DROPEFFECT_LINK, DROPEFFECT_MOVE, true},
      {0, DROPEFFECT_LINK, DROPEFFECT_LINK, true},
      {0, DROPEFFECT_NONE, DROPEFFECT_NONE, false},
      {MK_CONTROL, DROPEFFECT_MOVE, DROPEFFECT_NONE, false},  // Ctrl on a move-only source
      {0, DROPEFFECT_MOVE, DROPEFFECT_MOVE, true},
      {MK_SHIFT, DROPEFFECT_COPY, DROPEFFECT_NONE, false},
  };
  for (const Case& c : cases) {
    DWORD e = c.allowed;
    EXPECT_EQ(c.accepted, target.QueryDrop(c.keys, &e)) << c.keys << " " << c.allowed;
    EXPECT_EQ(c.effect, e) << c.keys << " " << c.allowed;
  }
  target.DragLeave();
  DWORD e = all;
  EXPECT_FALSE(target.QueryDrop(0, &e)) << "nothing accepted after the drag left";
  EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_NONE), e);
}

TEST(DataObjectTest, DropTargetPrefersTheFirstRegisteredFormatAndReportsNoEffect) {
  ProbeTarget target;
  FORMATETC formats[] = {Fmt(CF_BITMAP, TYMED_GDI), Fmt(CF_DIB, TYMED_HGLOBAL), Fmt(CF_ENHMETAFILE, TYMED_ENHMF)};
  for (FORMATETC& f : formats) target.AddSuportedFormat(f);
  Data data;
  {  // offered in the other order: metafile first, bitmap second
    HDC record = ::CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
    STGMEDIUM m = {TYMED_ENHMF};
    m.hEnhMetaFile = ::CloseEnhMetaFile(record);
    data->SetData(&formats[2], &m, TRUE);
    STGMEDIUM b = {TYMED_GDI};
    b.hBitmap = SmallBitmap();
    data->SetData(&formats[0], &b, TRUE);
  }
  DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
  EXPECT_EQ(S_OK, target.DragEnter(data.p, 0, POINTL{1, 2}, &effect));
  ASSERT_NE(nullptr, target.GetCurrentFormat());
  EXPECT_EQ(CF_BITMAP, target.GetCurrentFormat()->cfFormat);
  EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_COPY), effect);
  effect = DROPEFFECT_MOVE;
  EXPECT_EQ(S_OK, target.DragOver(0, POINTL{3, 4}, &effect));
  EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_MOVE), effect);
  EXPECT_EQ(1, target.overs);
  effect = DROPEFFECT_COPY;
  EXPECT_EQ(S_OK, target.Drop(data.p, 0, POINTL{3, 4}, &effect));
  EXPECT_EQ(1, target.drops);
  EXPECT_EQ(CF_BITMAP, target.dropped);
  EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_NONE), effect) << "the source always learns nothing moved";
  EXPECT_EQ(nullptr, target.GetCurrentFormat());
  EXPECT_EQ(E_INVALIDARG, target.DragEnter(nullptr, 0, POINTL{0, 0}, &effect));
  EXPECT_EQ(E_INVALIDARG, target.Drop(nullptr, 0, POINTL{0, 0}, &effect));

  Data text;
  FORMATETC t = Fmt(CF_TEXT, TYMED_HGLOBAL);
  STGMEDIUM m = {TYMED_HGLOBAL};
  m.hGlobal = Text("no picture");
  text->SetData(&t, &m, TRUE);
  effect = DROPEFFECT_COPY;
  target.DragEnter(text.p, 0, POINTL{0, 0}, &effect);
  EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_NONE), effect) << "refused at every stage";
  effect = DROPEFFECT_COPY;
  target.DragOver(0, POINTL{0, 0}, &effect);
  EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_NONE), effect);
  target.Drop(text.p, 0, POINTL{0, 0}, &effect);
  EXPECT_EQ(1, target.drops);
}

TEST(DataObjectTest, TheDropTargetsCountNeverDestroysItsOwner) {
  // The target is a base part of an object that someone else owns (the paint manager of
  // a window object); OLE's last Release must not delete it.
  bool destroyed = false;
  {
    ProbeTarget target;
    target.destroyed = &destroyed;
    EXPECT_EQ(1u, target.AddRef());
    EXPECT_EQ(0u, target.Release());
    EXPECT_FALSE(destroyed);
    EXPECT_EQ(0u, target.Release()) << "never below zero";
    IUnknown* unknown = nullptr;
    EXPECT_EQ(S_OK, target.QueryInterface(IID_IDropTarget, reinterpret_cast<void**>(&unknown)));
    EXPECT_EQ(0u, unknown->Release());
    EXPECT_EQ(E_NOINTERFACE, target.QueryInterface(IID_IDataObject, reinterpret_cast<void**>(&unknown)));
    EXPECT_EQ(nullptr, unknown);
    EXPECT_FALSE(destroyed);
  }
  EXPECT_TRUE(destroyed);
}

TEST(DataObjectTest, DibColourTableSizes) {
  struct Case {
    DWORD size;
    WORD bits;
    DWORD used, compression;
    unsigned colors, palette;
  } cases[] = {
      {sizeof(BITMAPINFOHEADER), 1, 0, BI_RGB, 2, 8},          {sizeof(BITMAPINFOHEADER), 4, 0, BI_RGB, 16, 64},
      {sizeof(BITMAPINFOHEADER), 8, 0, BI_RGB, 256, 1024},     {sizeof(BITMAPINFOHEADER), 8, 20, BI_RGB, 20, 80},
      {sizeof(BITMAPINFOHEADER), 24, 0, BI_RGB, 0, 0},         {sizeof(BITMAPINFOHEADER), 32, 0, BI_BITFIELDS, 0, 12},
      {sizeof(BITMAPINFOHEADER), 8, 0x10005, BI_RGB, 5, 20},  // only the low 16 bits of biClrUsed
  };
  for (const Case& c : cases) {
    BITMAPINFOHEADER h = {};
    h.biSize = c.size;
    h.biBitCount = c.bits;
    h.biClrUsed = c.used;
    h.biCompression = c.compression;
    EXPECT_EQ(c.colors, GetDibColorCount(&h)) << c.bits << " " << c.used;
    EXPECT_EQ(c.palette, GetDibPaletteSize(&h)) << c.bits << " " << c.used;
  }
  BITMAPCOREHEADER core = {sizeof(core), 4, 4, 1, 8};
  EXPECT_EQ(256u, GetDibColorCount(reinterpret_cast<BITMAPINFOHEADER*>(&core)));
  EXPECT_EQ(768u, GetDibPaletteSize(reinterpret_cast<BITMAPINFOHEADER*>(&core)));
}
