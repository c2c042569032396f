#include "core/DataObject.h"
#include <cstring>
#include <cwchar>
#include <new>
#include "core/EnumFormatEtc.h"

CIDataObject::CIDataObject(CIDropSource* source) : m_source(source) {}

CIDataObject::~CIDataObject() {
  for (STGMEDIUM& medium : m_media) ::ReleaseStgMedium(&medium);
}

HRESULT CIDataObject::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDataObject)) {
    *object = static_cast<IDataObject*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

ULONG CIDataObject::AddRef() { return static_cast<ULONG>(++m_refCount); }

ULONG CIDataObject::Release() {
  const LONG count = --m_refCount;
  if (count == 0) delete this;
  return static_cast<ULONG>(count);
}

HRESULT CIDataObject::GetData(FORMATETC* format, STGMEDIUM* medium) {
  if (!format || !medium) return E_INVALIDARG;
  medium->hGlobal = nullptr;
  for (size_t i = 0; i < m_formats.size(); ++i) {
    const FORMATETC& f = m_formats[i];
    if ((f.tymed & format->tymed) && f.dwAspect == format->dwAspect && f.cfFormat == format->cfFormat) {
      CopyMedium(medium, &m_media[i], &m_formats[i]);
      return S_OK;
    }
  }
  return DV_E_FORMATETC;
}

HRESULT CIDataObject::GetDataHere(FORMATETC*, STGMEDIUM*) { return E_NOTIMPL; }

HRESULT CIDataObject::QueryGetData(FORMATETC* format) {
  if (!format) return E_INVALIDARG;
  if (!(format->dwAspect & DVASPECT_CONTENT)) return DV_E_DVASPECT;
  if (m_formats.empty()) return DV_E_TYMED;
  HRESULT answer = DV_E_TYMED;
  for (const FORMATETC& f : m_formats) {
    if (f.tymed & format->tymed) {
      if (f.cfFormat == format->cfFormat) return S_OK;
      answer = DV_E_CLIPFORMAT;
    } else {
      answer = DV_E_TYMED;
    }
  }
  return answer;
}

HRESULT CIDataObject::GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) {
  return out ? DATA_S_SAMEFORMATETC : E_INVALIDARG;
}

HRESULT CIDataObject::SetData(FORMATETC* format, STGMEDIUM* medium, BOOL release) {
  if (!format || !medium) return E_INVALIDARG;
  STGMEDIUM stored = {};
  if (release) stored = *medium;
  else CopyMedium(&stored, medium, format);
  try {
    m_formats.reserve(m_formats.size() + 1);
    m_media.reserve(m_media.size() + 1);
  } catch (const std::bad_alloc&) {
    if (!release) ::ReleaseStgMedium(&stored);
    return E_OUTOFMEMORY;
  }
  m_formats.push_back(*format);
  m_media.push_back(stored);
  return S_OK;
}

HRESULT CIDataObject::EnumFormatEtc(DWORD direction, IEnumFORMATETC** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (direction != DATADIR_GET) return E_NOTIMPL;
  CEnumFormatEtc* enumerator = nullptr;
  try {
    enumerator = new CEnumFormatEtc(m_formats);
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
  enumerator->AddRef();
  *out = enumerator;
  return S_OK;
}

HRESULT CIDataObject::DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) { return OLE_E_ADVISENOTSUPPORTED; }
HRESULT CIDataObject::DUnadvise(DWORD) { return E_NOTIMPL; }
HRESULT CIDataObject::EnumDAdvise(IEnumSTATDATA**) { return OLE_E_ADVISENOTSUPPORTED; }

void CIDataObject::CopyMedium(STGMEDIUM* to, STGMEDIUM* from, FORMATETC* format) {
  if (!to || !from || !format) return;
  switch (from->tymed) {
    case TYMED_FILE:
      // The union holds a file name here, not a handle: copy the string.
      if (from->lpszFileName) {
        const size_t bytes = (std::wcslen(from->lpszFileName) + 1) * sizeof(wchar_t);
        to->lpszFileName = static_cast<LPOLESTR>(::CoTaskMemAlloc(bytes));
        if (to->lpszFileName) std::memcpy(to->lpszFileName, from->lpszFileName, bytes);
      } else {
        to->lpszFileName = nullptr;
      }
      break;
    case TYMED_HGLOBAL:
    case TYMED_GDI:
    case TYMED_MFPICT:
    case TYMED_ENHMF:
      to->hGlobal = static_cast<HGLOBAL>(::OleDuplicateData(from->hGlobal, format->cfFormat, 0));
      break;
    case TYMED_ISTREAM:
      to->pstm = from->pstm;
      if (to->pstm) to->pstm->AddRef();
      break;
    case TYMED_ISTORAGE:
      to->pstg = from->pstg;
      if (to->pstg) to->pstg->AddRef();
      break;
    default:
      break;
  }
  to->tymed = from->tymed;
  to->pUnkForRelease = from->pUnkForRelease;
  if (to->pUnkForRelease) to->pUnkForRelease->AddRef();
}
