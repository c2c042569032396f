// An IEnumFORMATETC over copies of a data object's formats (target-device pointers are
// copied as they are, not duplicated).
#pragma once
#include <ole2.h>
#include <vector>
#include "qiv_export.h"

class QIV_API CEnumFormatEtc : public IEnumFORMATETC {
public:
  explicit CEnumFormatEtc(const std::vector<FORMATETC>& formats);
  explicit CEnumFormatEtc(const std::vector<FORMATETC*>& formats);
  virtual ~CEnumFormatEtc();

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  HRESULT STDMETHODCALLTYPE Next(ULONG count, FORMATETC* out, ULONG* fetched) override;
  HRESULT STDMETHODCALLTYPE Skip(ULONG count) override;
  HRESULT STDMETHODCALLTYPE Reset() override;
  HRESULT STDMETHODCALLTYPE Clone(IEnumFORMATETC** out) override;

private:
  LONG m_refCount = 0;
  std::vector<FORMATETC> m_formats;
  size_t m_index = 0;
};
