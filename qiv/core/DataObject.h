// An IDataObject that holds the formats and media a drag source offers, one medium per
// format at the same index. It owns its media and releases them when it goes.
#pragma once
#include <ole2.h>
#include <vector>
#include "qiv_export.h"

class CIDropSource;

class QIV_API CIDataObject : public IDataObject {
public:
  explicit CIDataObject(CIDropSource* source);
  virtual ~CIDataObject();
  CIDataObject(const CIDataObject&) = delete;
  CIDataObject& operator=(const CIDataObject&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override;
  HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC* format, STGMEDIUM* medium) override;
  HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override;
  HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC* in, FORMATETC* out) override;
  HRESULT STDMETHODCALLTYPE SetData(FORMATETC* format, STGMEDIUM* medium, BOOL release) override;
  HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** out) override;
  HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC* format, DWORD flags, IAdviseSink* sink, DWORD* connection) override;
  HRESULT STDMETHODCALLTYPE DUnadvise(DWORD connection) override;
  HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA** out) override;

  // Duplicates `from` into `to` for `format`: handles are duplicated, stream and storage
  // interfaces and the release object are shared and counted.
  static void CopyMedium(STGMEDIUM* to, STGMEDIUM* from, FORMATETC* format);
  CIDropSource* GetSource() const { return m_source; }

private:
  CIDropSource* m_source;  // not counted
  LONG m_refCount = 0;
  std::vector<FORMATETC> m_formats;
  std::vector<STGMEDIUM> m_media;
};
