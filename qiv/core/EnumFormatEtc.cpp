#include "core/EnumFormatEtc.h"
#include <new>

CEnumFormatEtc::CEnumFormatEtc(const std::vector<FORMATETC>& formats) : m_formats(formats) {}

CEnumFormatEtc::CEnumFormatEtc(const std::vector<FORMATETC*>& formats) {
  for (const FORMATETC* f : formats)
    if (f) m_formats.push_back(*f);
}

CEnumFormatEtc::~CEnumFormatEtc() = default;

HRESULT CEnumFormatEtc::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IEnumFORMATETC)) {
    *object = static_cast<IEnumFORMATETC*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

ULONG CEnumFormatEtc::AddRef() { return static_cast<ULONG>(++m_refCount); }

ULONG CEnumFormatEtc::Release() {
  const LONG count = --m_refCount;
  if (count == 0) delete this;
  return static_cast<ULONG>(count);
}

HRESULT CEnumFormatEtc::Next(ULONG count, FORMATETC* out, ULONG* fetched) {
  if (fetched) *fetched = 0;
  if (count == 0 || !out) return S_FALSE;
  if (m_index >= m_formats.size() || (!fetched && count != 1)) return S_FALSE;
  ULONG copied = 0;
  while (copied < count && m_index < m_formats.size()) out[copied++] = m_formats[m_index++];
  if (fetched) *fetched = copied;
  return copied == count ? S_OK : S_FALSE;
}

HRESULT CEnumFormatEtc::Skip(ULONG count) {
  if (m_index + count >= m_formats.size()) return S_FALSE;
  m_index += count;
  return S_OK;
}

HRESULT CEnumFormatEtc::Reset() {
  m_index = 0;
  return S_OK;
}

HRESULT CEnumFormatEtc::Clone(IEnumFORMATETC** out) {
  if (!out) return E_POINTER;
  auto* clone = new (std::nothrow) CEnumFormatEtc(m_formats);
  if (!clone) return E_OUTOFMEMORY;
  clone->m_index = m_index;
  clone->AddRef();
  *out = clone;
  return S_OK;
}
