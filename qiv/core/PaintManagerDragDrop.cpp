// Paint manager: the window as an OLE drop target (dropped pictures handed to the window
// with STM_SETIMAGE) and as the drag source of a control's snapshot.
#include <windows.h>
#include <shellapi.h>
#include "core/DataObject.h"
#include "core/DragSource.h"
#include "core/PaintManager.h"

namespace {
FORMATETC Format(CLIPFORMAT format, DWORD tymed) { return {format, nullptr, DVASPECT_CONTENT, -1, tymed}; }

// Hands `bitmap` to the window, which keeps it; the image it held before is deleted.
void HandOver(HWND window, HBITMAP bitmap) {
  auto previous = reinterpret_cast<HGDIOBJ>(
      ::SendMessageW(window, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)));
  if (previous && previous != bitmap) ::DeleteObject(previous);
}

// Bytes a packed DIB needs after its header: colour table and (uncompressed) pixels.
size_t DibBytes(const BITMAPINFOHEADER* h) {
  size_t bytes = h->biSize + GetDibPaletteSize(h);
  if (h->biSize == sizeof(BITMAPCOREHEADER)) {
    auto* core = reinterpret_cast<const BITMAPCOREHEADER*>(h);
    return bytes + static_cast<size_t>((core->bcWidth * core->bcBitCount + 31) / 32) * 4 * core->bcHeight;
  }
  if (h->biCompression == BI_RGB || h->biCompression == BI_BITFIELDS) {
    const long long stride = (static_cast<long long>(h->biWidth) * h->biBitCount + 31) / 32 * 4;
    const long long rows = h->biHeight < 0 ? -static_cast<long long>(h->biHeight) : h->biHeight;
    return bytes + static_cast<size_t>(stride * rows);
  }
  return bytes + h->biSizeImage;
}

HBITMAP BitmapFromDib(HGLOBAL memory) {
  const SIZE_T available = ::GlobalSize(memory);
  auto* header = static_cast<BITMAPINFOHEADER*>(::GlobalLock(memory));
  if (!header) return nullptr;
  HBITMAP bitmap = nullptr;
  // A header or size that does not fit the block is refused rather than read past.
  if (available >= sizeof(BITMAPCOREHEADER) && header->biSize <= available &&
      (header->biSize == sizeof(BITMAPCOREHEADER) || header->biSize >= sizeof(BITMAPINFOHEADER)) &&
      header->biWidth > 0 && DibBytes(header) <= available) {
    const BYTE* bits = reinterpret_cast<const BYTE*>(header) + header->biSize + GetDibPaletteSize(header);
    HDC screen = ::GetDC(nullptr);
    bitmap = ::CreateDIBitmap(screen, header, CBM_INIT, bits, reinterpret_cast<BITMAPINFO*>(header), DIB_RGB_COLORS);
    ::ReleaseDC(nullptr, screen);
  }
  ::GlobalUnlock(memory);
  return bitmap;
}

HBITMAP BitmapFromMetafile(HWND window, HENHMETAFILE metafile) {
  ENHMETAHEADER header = {};
  if (!::GetEnhMetaFileHeader(metafile, sizeof(header), &header)) return nullptr;
  HDC dc = ::GetDC(window);
  const float hres = static_cast<float>(::GetDeviceCaps(dc, HORZRES));
  const float vres = static_cast<float>(::GetDeviceCaps(dc, VERTRES));
  const float hsize = static_cast<float>(::GetDeviceCaps(dc, HORZSIZE)) * 100.0f;
  const float vsize = static_cast<float>(::GetDeviceCaps(dc, VERTSIZE)) * 100.0f;
  RECT pixels = {static_cast<LONG>(header.rclFrame.left * hres / hsize),
                 static_cast<LONG>(header.rclFrame.top * vres / vsize),
                 static_cast<LONG>(header.rclFrame.right * hres / hsize),
                 static_cast<LONG>(header.rclFrame.bottom * vres / vsize)};
  HBITMAP bitmap = nullptr;
  if (header.rclBounds.right > 0 && header.rclBounds.bottom > 0)
    bitmap = ::CreateCompatibleBitmap(dc, header.rclBounds.right, header.rclBounds.bottom);
  if (bitmap) {
    HDC mem = ::CreateCompatibleDC(dc);
    HGDIOBJ old = ::SelectObject(mem, bitmap);
    ::PlayEnhMetaFile(mem, metafile, &pixels);
    ::SelectObject(mem, old);
    ::DeleteDC(mem);
  }
  ::ReleaseDC(window, dc);
  return bitmap;
}

HBITMAP BitmapFromFileDrop(HGLOBAL memory) {
  HBITMAP bitmap = nullptr;
  if (!::GlobalLock(memory)) return nullptr;
  auto drop = static_cast<HDROP>(memory);
  if (::DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0) >= 1) {
    wchar_t name[520] = {};
    ::DragQueryFileW(drop, 0, name, 520);
    bitmap = static_cast<HBITMAP>(
        ::LoadImageW(nullptr, name, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_DEFAULTSIZE));
  }
  ::GlobalUnlock(memory);
  return bitmap;
}
}  // namespace

int PaintManager::InitDragDrop() {
  AddRef();
  const int registered = RegisterTarget(m_hPaintWnd);
  Release();
  if (!registered) return 0;
  if (GetSupportedFormatCount() == 0) {
    FORMATETC formats[] = {Format(CF_BITMAP, TYMED_GDI), Format(CF_DIB, TYMED_HGLOBAL),
                           Format(CF_HDROP, TYMED_HGLOBAL), Format(CF_ENHMETAFILE, TYMED_ENHMF)};
    for (FORMATETC& f : formats) AddSuportedFormat(f);
  }
  return 1;
}

void PaintManager::OnDragOver(POINTL point) {
  HWND target = GetTargetWnd();
  if (target && ::IsWindow(target))
    ::PostMessageW(target, UM_DRAGOVER, 0, MAKELPARAM(static_cast<short>(point.x), static_cast<short>(point.y)));
}

bool PaintManager::OnDrop(FORMATETC* format, STGMEDIUM& medium, DWORD*) {
  HWND target = GetTargetWnd();
  const bool window = target && ::IsWindow(target);
  if (window) {
    // Ends the press that started an in-window drag.
    POINT cursor = {0, 0};
    ::GetCursorPos(&cursor);
    ::ScreenToClient(target, &cursor);
    ::SendMessageW(target, WM_LBUTTONUP, 0, MAKELPARAM(static_cast<short>(cursor.x), static_cast<short>(cursor.y)));
  }
  if (window) ::PostMessageW(target, UM_DROPPED, 0, 0);
  if (!format) return true;

  if (format->cfFormat == CF_DIB && medium.tymed == TYMED_HGLOBAL) {
    HBITMAP bitmap = BitmapFromDib(medium.hGlobal);
    if (bitmap && IsWindowAlive()) HandOver(m_hPaintWnd, bitmap);
    else if (bitmap) ::DeleteObject(bitmap);
    return true;
  }
  if (format->cfFormat == CF_BITMAP && medium.tymed == TYMED_GDI && medium.hBitmap) {
    if (!window) return true;
    HandOver(target, medium.hBitmap);
    return false;  // the window owns the bitmap now
  }
  if (format->cfFormat == CF_ENHMETAFILE && medium.tymed == TYMED_ENHMF) {
    HBITMAP bitmap = window ? BitmapFromMetafile(target, medium.hEnhMetaFile) : nullptr;
    if (bitmap) HandOver(target, bitmap);
    return true;
  }
  if (format->cfFormat == CF_HDROP && medium.tymed == TYMED_HGLOBAL) {
    HBITMAP bitmap = BitmapFromFileDrop(medium.hGlobal);
    if (bitmap && IsWindowAlive()) HandOver(m_hPaintWnd, bitmap);
    else if (bitmap) ::DeleteObject(bitmap);
    return true;
  }
  return true;
}

int PaintManager::StartDrag() {
  if (IsWindowAlive()) {
    RECT window;
    ::GetWindowRect(m_hPaintWnd, &window);
    ::ClipCursor(&window);
  }
  ReleaseCapture();
  m_bCaptured = 0;

  auto* source = new CIDropSource();
  source->AddRef();
  auto* data = new CIDataObject(source);
  data->AddRef();

  auto copy = static_cast<HBITMAP>(::OleDuplicateData(m_hDragBitmap, CF_BITMAP, 0));
  BITMAP info = {};
  if (copy) ::GetObjectW(copy, sizeof(info), &info);
  if (copy) {
    FORMATETC bitmapFormat = Format(CF_BITMAP, TYMED_GDI);
    STGMEDIUM medium = {};
    medium.tymed = TYMED_GDI;
    medium.hBitmap = copy;
    data->SetData(&bitmapFormat, &medium, FALSE);

    HDC record = ::CreateEnhMetaFileW(m_hPaintDC, nullptr, nullptr, nullptr);
    if (record) {
      HDC mem = ::CreateCompatibleDC(m_hPaintDC);
      HGDIOBJ old = ::SelectObject(mem, copy);
      ::BitBlt(record, 0, 0, info.bmWidth, info.bmHeight, mem, 0, 0, SRCCOPY);
      ::SelectObject(mem, old);
      ::DeleteDC(mem);
      STGMEDIUM metafile = {};
      metafile.tymed = TYMED_ENHMF;
      metafile.hEnhMetaFile = ::CloseEnhMetaFile(record);
      FORMATETC metafileFormat = Format(CF_ENHMETAFILE, TYMED_ENHMF);
      if (metafile.hEnhMetaFile) data->SetData(&metafileFormat, &metafile, TRUE);
    }
  }

  {
    CDragSourceHelper helper;
    if (copy) {
      POINT point = {info.bmWidth / 2, info.bmHeight / 2};
      RECT rect = {0, 0, info.bmWidth, info.bmHeight};
      // The helper takes the bitmap when it accepts it.
      if (FAILED(helper.InitializeFromBitmap(copy, point, rect, data, ::GetSysColor(COLOR_WINDOW))))
        ::DeleteObject(copy);
    }
    DWORD effect = DROPEFFECT_NONE;
    ::DoDragDrop(data, source, DROPEFFECT_COPY | DROPEFFECT_MOVE, &effect);
    source->Release();
    data->Release();
    m_bDragArmed = 0;
    m_bLButtonDown = 0;
    ::ClipCursor(nullptr);
  }
  return 1;
}
