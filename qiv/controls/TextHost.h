// The library's declaration of the windowless text-host interface: the operations the
// system's text services call back, in the published order and with the compiler's
// default member calling convention, as the published interface declares them.
#pragma once
#include <windows.h>
#include <imm.h>
#include <ole2.h>
#include <richedit.h>
#include <textserv.h>

namespace Qiv {

class ITextHost : public IUnknown {
public:
  virtual HDC TxGetDC() = 0;
  virtual INT TxReleaseDC(HDC hdc) = 0;
  virtual WINBOOL TxShowScrollBar(INT bar, WINBOOL show) = 0;
  virtual WINBOOL TxEnableScrollBar(INT bars, INT arrows) = 0;
  virtual WINBOOL TxSetScrollRange(INT bar, LONG minimum, INT maximum, WINBOOL redraw) = 0;
  virtual WINBOOL TxSetScrollPos(INT bar, INT pos, WINBOOL redraw) = 0;
  virtual void TxInvalidateRect(LPCRECT rect, WINBOOL mode) = 0;
  virtual void TxViewChange(WINBOOL update) = 0;
  virtual WINBOOL TxCreateCaret(HBITMAP bitmap, INT width, INT height) = 0;
  virtual WINBOOL TxShowCaret(WINBOOL show) = 0;
  virtual WINBOOL TxSetCaretPos(INT x, INT y) = 0;
  virtual WINBOOL TxSetTimer(UINT id, UINT timeout) = 0;
  virtual void TxKillTimer(UINT id) = 0;
  virtual void TxScrollWindowEx(INT dx, INT dy, LPCRECT scroll, LPCRECT clip, HRGN update, LPRECT updateRect,
                                UINT flags) = 0;
  virtual void TxSetCapture(WINBOOL capture) = 0;
  virtual void TxSetFocus() = 0;
  virtual void TxSetCursor(HCURSOR cursor, WINBOOL text) = 0;
  virtual WINBOOL TxScreenToClient(LPPOINT point) = 0;
  virtual WINBOOL TxClientToScreen(LPPOINT point) = 0;
  virtual HRESULT TxActivate(LONG* oldState) = 0;
  virtual HRESULT TxDeactivate(LONG newState) = 0;
  virtual HRESULT TxGetClientRect(LPRECT rect) = 0;
  virtual HRESULT TxGetViewInset(LPRECT rect) = 0;
  virtual HRESULT TxGetCharFormat(const CHARFORMATW** format) = 0;
  virtual HRESULT TxGetParaFormat(const PARAFORMAT** format) = 0;
  virtual COLORREF TxGetSysColor(int index) = 0;
  virtual HRESULT TxGetBackStyle(TXTBACKSTYLE* style) = 0;
  virtual HRESULT TxGetMaxLength(DWORD* length) = 0;
  virtual HRESULT TxGetScrollBars(DWORD* bars) = 0;
  virtual HRESULT TxGetPasswordChar(TCHAR* ch) = 0;
  virtual HRESULT TxGetAcceleratorPos(LONG* pos) = 0;
  virtual HRESULT TxGetExtent(LPSIZEL extent) = 0;
  virtual HRESULT OnTxCharFormatChange(const CHARFORMATW* format) = 0;
  virtual HRESULT OnTxParaFormatChange(const PARAFORMAT* format) = 0;
  virtual HRESULT TxGetPropertyBits(DWORD mask, DWORD* bits) = 0;
  virtual HRESULT TxNotify(DWORD code, void* data) = 0;
  virtual HIMC TxImmGetContext() = 0;
  virtual void TxImmReleaseContext(HIMC context) = 0;
  virtual HRESULT TxGetSelectionBarWidth(LONG* width) = 0;
};

}  // namespace Qiv
