// The drag source side of OLE drag and drop: the IDropSource that ends the drag when the
// mouse buttons are released, and a wrapper of the shell's drag-image helper.
#pragma once
#include <ole2.h>
#include <shlobj.h>
#include "qiv_export.h"

class QIV_API CIDropSource : public IDropSource {
public:
  CIDropSource();
  virtual ~CIDropSource();

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escape, DWORD keyState) override;
  HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD effect) override;

  bool IsDropped() const { return m_dropped; }

private:
  LONG m_refCount = 0;
  bool m_dropped = false;
};

// The shell's IDragSourceHelper, absent (null) when it cannot be created.
class QIV_API CDragSourceHelper {
public:
  CDragSourceHelper();
  virtual ~CDragSourceHelper();
  CDragSourceHelper(const CDragSourceHelper&) = delete;
  CDragSourceHelper& operator=(const CDragSourceHelper&) = delete;

  // The drag image is `bitmap`, held at `point` relative to `rect`'s top-left corner.
  HRESULT InitializeFromBitmap(HBITMAP bitmap, POINT& point, RECT& rect, IDataObject* data, COLORREF key);
  HRESULT InitializeFromWindow(HWND window, POINT& point, IDataObject* data);
  bool IsAvailable() const { return m_helper != nullptr; }

private:
  IDragSourceHelper* m_helper = nullptr;
};
