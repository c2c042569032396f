#include "core/DragSource.h"

CIDropSource::CIDropSource() = default;
CIDropSource::~CIDropSource() = default;

HRESULT CIDropSource::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDropSource)) {
    *object = static_cast<IDropSource*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

ULONG CIDropSource::AddRef() { return static_cast<ULONG>(++m_refCount); }

ULONG CIDropSource::Release() {
  const LONG count = --m_refCount;
  if (count == 0) delete this;
  return static_cast<ULONG>(count);
}

HRESULT CIDropSource::QueryContinueDrag(BOOL escape, DWORD keyState) {
  if (escape) return DRAGDROP_S_CANCEL;
  if (!(keyState & (MK_LBUTTON | MK_RBUTTON))) {
    m_dropped = true;
    return DRAGDROP_S_DROP;
  }
  return S_OK;
}

HRESULT CIDropSource::GiveFeedback(DWORD) { return DRAGDROP_S_USEDEFAULTCURSORS; }

CDragSourceHelper::CDragSourceHelper() {
  if (FAILED(::CoCreateInstance(CLSID_DragDropHelper, nullptr, CLSCTX_INPROC_SERVER, IID_IDragSourceHelper,
                                reinterpret_cast<void**>(&m_helper))))
    m_helper = nullptr;
}

CDragSourceHelper::~CDragSourceHelper() {
  if (m_helper) m_helper->Release();
}

HRESULT CDragSourceHelper::InitializeFromBitmap(HBITMAP bitmap, POINT& point, RECT& rect, IDataObject* data,
                                                COLORREF key) {
  if (!m_helper) return E_FAIL;
  BITMAP info = {};
  ::GetObjectW(bitmap, sizeof(info), &info);
  SHDRAGIMAGE image = {};
  image.sizeDragImage.cx = info.bmWidth;
  image.sizeDragImage.cy = info.bmHeight;
  image.ptOffset.x = point.x - rect.left;
  image.ptOffset.y = point.y - rect.top;
  image.hbmpDragImage = bitmap;
  image.crColorKey = key;
  return m_helper->InitializeFromBitmap(&image, data);
}

HRESULT CDragSourceHelper::InitializeFromWindow(HWND window, POINT& point, IDataObject* data) {
  if (!m_helper) return E_FAIL;
  return m_helper->InitializeFromWindow(window, &point, data);
}
