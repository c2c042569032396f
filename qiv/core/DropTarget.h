// The drop target side of OLE drag and drop: accepts data in the first supported format
// the data offers (registration order is preference order), chooses the drop effect from
// the keys held, and hands the data to the derived class. The shell's drag-image helper
// draws the drag image over the target when it is available.
#pragma once
#include <ole2.h>
#include <shlobj.h>
#include <vector>
#include "qiv_export.h"

// Posted to the target window at every DragOver; lParam = cursor in screen coordinates.
constexpr UINT UM_DRAGOVER = WM_USER + 1001;
// Posted to the target window at the start of every drop that reaches OnDrop.
constexpr UINT UM_DROPPED = WM_USER + 1002;

class QIV_API CIDropTarget : public IDropTarget {
public:
  explicit CIDropTarget(HWND target = nullptr);
  virtual ~CIDropTarget();
  CIDropTarget(const CIDropTarget&) = delete;
  CIDropTarget& operator=(const CIDropTarget&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  // Counts down only. The object is a base part of a paint manager that its window
  // object owns, so OLE's references never decide its lifetime.
  ULONG STDMETHODCALLTYPE Release() override;
  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragOver(DWORD keyState, POINTL point, DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragLeave() override;
  HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect) override;

  // Takes the dropped medium; true when the caller is to release it.
  virtual bool OnDrop(FORMATETC* format, STGMEDIUM& medium, DWORD* effect) = 0;
  virtual void OnDragOver(POINTL point) = 0;

  void AddSuportedFormat(FORMATETC& format);
  void SetTargetWnd(HWND window) { m_hTargetWnd = window; }
  HWND GetTargetWnd() const { return m_hTargetWnd; }
  // Chooses the effect for the keys held from the set the source allows (`*effect` on
  // entry); false, with DROPEFFECT_NONE, when nothing is accepted.
  bool QueryDrop(DWORD keyState, DWORD* effect);
  // The format found at DragEnter; null when the data offered none.
  const FORMATETC* GetCurrentFormat() const;
  bool IsAccepting() const { return m_bAccept; }
  size_t GetSupportedFormatCount() const { return m_formats.size(); }

  // Registers `window` with OLE as this target's window, once; 1 on success.
  int RegisterTarget(HWND window);
  // Takes the registration back while the window still exists; nothing when none.
  void RevokeTarget();
  HWND GetRegisteredWnd() const { return m_hRegistered; }

protected:
  void CreateDragImageHelper();
  void ReleaseDragImageHelper();

private:
  LONG m_refCount = 0;
  bool m_bAccept = false;
  IDropTargetHelper* m_pDropHelper = nullptr;
  std::vector<FORMATETC> m_formats;
  int m_current = -1;  // index into m_formats
  HWND m_hTargetWnd = nullptr;
  HWND m_hRegistered = nullptr;
};

// Colours in a DIB's colour table (core or info header).
QIV_API unsigned GetDibColorCount(const BITMAPINFOHEADER* header);
// Bytes between a DIB's header and its bits: the colour table and, for BI_BITFIELDS,
// the three masks.
QIV_API unsigned GetDibPaletteSize(const BITMAPINFOHEADER* header);
