#include "core/DropTarget.h"

CIDropTarget::CIDropTarget(HWND target) : m_hTargetWnd(target) { CreateDragImageHelper(); }

CIDropTarget::~CIDropTarget() {
  RevokeTarget();
  ReleaseDragImageHelper();
}

void CIDropTarget::CreateDragImageHelper() {
  if (m_pDropHelper) return;
  if (FAILED(::CoCreateInstance(CLSID_DragDropHelper, nullptr, CLSCTX_INPROC_SERVER, IID_IDropTargetHelper,
                                reinterpret_cast<void**>(&m_pDropHelper))))
    m_pDropHelper = nullptr;
}

void CIDropTarget::ReleaseDragImageHelper() {
  if (m_pDropHelper) m_pDropHelper->Release();
  m_pDropHelper = nullptr;
}

HRESULT CIDropTarget::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDropTarget)) {
    *object = static_cast<IDropTarget*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

ULONG CIDropTarget::AddRef() { return static_cast<ULONG>(++m_refCount); }

ULONG CIDropTarget::Release() {
  if (m_refCount > 0) --m_refCount;
  return static_cast<ULONG>(m_refCount);
}

void CIDropTarget::AddSuportedFormat(FORMATETC& format) { m_formats.push_back(format); }

const FORMATETC* CIDropTarget::GetCurrentFormat() const {
  return m_current >= 0 ? &m_formats[static_cast<size_t>(m_current)] : nullptr;
}

bool CIDropTarget::QueryDrop(DWORD keyState, DWORD* effect) {
  if (!effect) return false;
  const DWORD allowed = *effect;
  *effect = DROPEFFECT_NONE;
  if (!m_bAccept) return false;
  const bool ctrl = keyState & MK_CONTROL, shift = keyState & MK_SHIFT;
  DWORD requested = DROPEFFECT_NONE;
  if (ctrl && shift) requested = DROPEFFECT_LINK;
  else if (ctrl) requested = DROPEFFECT_COPY;
  else if (shift) requested = DROPEFFECT_MOVE;
  if (requested != DROPEFFECT_NONE) {
    if (!(allowed & requested)) return false;
    *effect = requested;
    return true;
  }
  for (DWORD candidate : {DROPEFFECT_COPY, DROPEFFECT_MOVE, DROPEFFECT_LINK}) {
    if (allowed & candidate) {
      *effect = candidate;
      return true;
    }
  }
  return false;
}

HRESULT CIDropTarget::DragEnter(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect) {
  if (!data) return E_INVALIDARG;
  if (m_pDropHelper) {
    POINT pt = {point.x, point.y};
    m_pDropHelper->DragEnter(m_hTargetWnd, data, &pt, effect ? *effect : DROPEFFECT_NONE);
  }
  m_current = -1;
  for (size_t i = 0; i < m_formats.size(); ++i) {
    if (data->QueryGetData(&m_formats[i]) == S_OK) {
      m_current = static_cast<int>(i);
      break;
    }
  }
  m_bAccept = m_current >= 0;
  QueryDrop(keyState, effect);
  return S_OK;
}

HRESULT CIDropTarget::DragOver(DWORD keyState, POINTL point, DWORD* effect) {
  if (m_pDropHelper) {
    POINT pt = {point.x, point.y};
    m_pDropHelper->DragOver(&pt, effect ? *effect : DROPEFFECT_NONE);
  }
  QueryDrop(keyState, effect);
  OnDragOver(point);
  return S_OK;
}

HRESULT CIDropTarget::DragLeave() {
  if (m_pDropHelper) m_pDropHelper->DragLeave();
  m_bAccept = false;
  m_current = -1;
  return S_OK;
}

HRESULT CIDropTarget::Drop(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect) {
  if (!data) return E_INVALIDARG;
  if (m_pDropHelper) {
    POINT pt = {point.x, point.y};
    m_pDropHelper->Drop(data, &pt, effect ? *effect : DROPEFFECT_NONE);
  }
  if (QueryDrop(keyState, effect) && m_bAccept && m_current >= 0) {
    FORMATETC format = m_formats[static_cast<size_t>(m_current)];
    STGMEDIUM medium = {};
    if (data->GetData(&format, &medium) == S_OK) {
      if (OnDrop(&m_formats[static_cast<size_t>(m_current)], medium, effect)) ::ReleaseStgMedium(&medium);
    }
  }
  m_bAccept = false;
  if (effect) *effect = DROPEFFECT_NONE;
  m_current = -1;
  return S_OK;
}

int CIDropTarget::RegisterTarget(HWND window) {
  if (!window || !::IsWindow(window)) return 0;
  if (m_hRegistered == window) return 1;
  RevokeTarget();
  CreateDragImageHelper();
  if (FAILED(::RegisterDragDrop(window, static_cast<IDropTarget*>(this)))) return 0;
  m_hRegistered = window;
  return 1;
}

void CIDropTarget::RevokeTarget() {
  if (!m_hRegistered) return;
  if (::IsWindow(m_hRegistered)) ::RevokeDragDrop(m_hRegistered);
  m_hRegistered = nullptr;
  // The helper is only needed while a window takes drops; it is let go before OLE may
  // be shut down.
  ReleaseDragImageHelper();
}

unsigned GetDibColorCount(const BITMAPINFOHEADER* header) {
  if (!header) return 0;
  unsigned bits;
  if (header->biSize == sizeof(BITMAPCOREHEADER)) {
    bits = reinterpret_cast<const BITMAPCOREHEADER*>(header)->bcBitCount;
  } else {
    if (header->biClrUsed) return header->biClrUsed & 0xFFFF;
    bits = header->biBitCount;
  }
  switch (bits) {
    case 1: return 2;
    case 4: return 16;
    case 8: return 256;
    default: return 0;
  }
}

unsigned GetDibPaletteSize(const BITMAPINFOHEADER* header) {
  if (!header) return 0;
  if (header->biSize == sizeof(BITMAPCOREHEADER)) return GetDibColorCount(header) * 3;
  unsigned size = GetDibColorCount(header) * 4;
  if (header->biCompression == BI_BITFIELDS) size += 12;
  return size;
}
