// The text host of a windowless rich edit: owns the edit's text services and answers
// every call they make back, mapping them onto the edit's window (through its paint
// manager), the window's timers and caret, the edit's scroll bars and its notification
// entry. It keeps the default character and paragraph formats and the edit styles.
#pragma once
#include "controls/TextHost.h"
#include "core/Geometry.h"
#include "qiv_export.h"

class MRichEdit;

// The services' factory: CreateTextServices of Msftedit.dll, or a stand-in.
using CreateTextServicesFn = HRESULT(WINAPI*)(IUnknown* outer, ::ITextHost* host, IUnknown** services);

class QIV_API CTxtWinHost : public Qiv::ITextHost {
public:
  // Flag bits of the host.
  enum : unsigned {
    kAutoWordSelect = 0x1,
    kWordWrap = 0x2,
    kAllowBeep = 0x4,
    kRich = 0x8,
    kSaveSelection = 0x10,
    kInPlaceActive = 0x20,
    kTransparent = 0x40,
    kTimer = 0x80,
    kCapture = 0x100,
    kCaretShown = 0x200,
  };

  CTxtWinHost();
  // Null restores the system's text services (Msftedit.dll, loaded at run time).
  static void SetServicesFactory(CreateTextServicesFn factory);

  // Sets the host up for `owner` from a creation block (style, initial text) and creates
  // the text services; false when they cannot be had or refuse the text.
  bool Init(MRichEdit* owner, const CREATESTRUCTW* create);
  // Deactivates and releases the text services (also done by the last Release).
  void ReleaseServices();

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  // Qiv::ITextHost
  HDC TxGetDC() override;
  INT TxReleaseDC(HDC hdc) override;
  WINBOOL TxShowScrollBar(INT bar, WINBOOL show) override;
  WINBOOL TxEnableScrollBar(INT bars, INT arrows) override;
  WINBOOL TxSetScrollRange(INT bar, LONG minimum, INT maximum, WINBOOL redraw) override;
  WINBOOL TxSetScrollPos(INT bar, INT pos, WINBOOL redraw) override;
  void TxInvalidateRect(LPCRECT rect, WINBOOL mode) override;
  void TxViewChange(WINBOOL update) override;
  WINBOOL TxCreateCaret(HBITMAP bitmap, INT width, INT height) override;
  WINBOOL TxShowCaret(WINBOOL show) override;
  WINBOOL TxSetCaretPos(INT x, INT y) override;
  WINBOOL TxSetTimer(UINT id, UINT timeout) override;
  void TxKillTimer(UINT id) override;
  void TxScrollWindowEx(INT dx, INT dy, LPCRECT scroll, LPCRECT clip, HRGN update, LPRECT updateRect,
                        UINT flags) override;
  void TxSetCapture(WINBOOL capture) override;
  void TxSetFocus() override;
  void TxSetCursor(HCURSOR cursor, WINBOOL text) override;
  WINBOOL TxScreenToClient(LPPOINT point) override;
  WINBOOL TxClientToScreen(LPPOINT point) override;
  HRESULT TxActivate(LONG* oldState) override;
  HRESULT TxDeactivate(LONG newState) override;
  HRESULT TxGetClientRect(LPRECT rect) override;
  HRESULT TxGetViewInset(LPRECT rect) override;
  HRESULT TxGetCharFormat(const CHARFORMATW** format) override;
  HRESULT TxGetParaFormat(const PARAFORMAT** format) override;
  COLORREF TxGetSysColor(int index) override;
  HRESULT TxGetBackStyle(TXTBACKSTYLE* style) override;
  HRESULT TxGetMaxLength(DWORD* length) override;
  HRESULT TxGetScrollBars(DWORD* bars) override;
  HRESULT TxGetPasswordChar(TCHAR* ch) override;
  HRESULT TxGetAcceleratorPos(LONG* pos) override;
  HRESULT TxGetExtent(LPSIZEL extent) override;
  HRESULT OnTxCharFormatChange(const CHARFORMATW* format) override;
  HRESULT OnTxParaFormatChange(const PARAFORMAT* format) override;
  HRESULT TxGetPropertyBits(DWORD mask, DWORD* bits) override;
  HRESULT TxNotify(DWORD code, void* data) override;
  HIMC TxImmGetContext() override;
  void TxImmReleaseContext(HIMC context) override;
  HRESULT TxGetSelectionBarWidth(LONG* width) override;

  virtual ~CTxtWinHost();

  // ---- what the edit uses directly ----
  ITextServices* GetTextServices() const { return m_services; }
  void SetClientRect(const RECT& rect);
  CRect GetClientRect() const { return m_rcClient; }
  SIZEL GetExtent() const { return m_extent; }
  // The default character format's face, height, effects and charset from a GDI font.
  void SetFont(HFONT font);
  void SetWordWrap(bool wrap);
  void SetReadOnly(bool readOnly);
  void SetPassword(bool password);
  void SetColor(COLORREF colour);
  // 0 or less gives 32767.
  void SetMaxLength(int length);
  void SetRichText(bool rich);
  void SetTransparent();
  // Activates in place (flag 0x20); the flag is cleared again when that fails.
  bool Activate();
  void SetCharFormat(const CHARFORMAT2W& format);
  void SetParaFormat(const PARAFORMAT2& format);
  bool HasCapture() const { return (m_flags & kCapture) != 0; }
  DWORD GetStyle() const { return m_style; }
  void SetStyleBits(DWORD bits, bool on);
  unsigned GetFlags() const { return m_flags; }
  int GetMaxLength() const { return m_maxLength; }
  const CHARFORMAT2W& GetCharFormat() const { return m_charFormat; }
  const PARAFORMAT2& GetParaFormat() const { return m_paraFormat; }
  // A pure black raised to red 1 (the services read 0 as "automatic colour").
  static COLORREF NonBlack(COLORREF colour) { return colour == 0 ? 1 : colour; }

  // The stream callbacks of LoadRtf and SaveRtf; the cookie is a C file handle.
  static DWORD CALLBACK ReadStream(DWORD_PTR cookie, LPBYTE buffer, LONG count, LONG* done);
  static DWORD CALLBACK WriteStream(DWORD_PTR cookie, LPBYTE buffer, LONG count, LONG* done);

private:
  HWND Window() const;
  bool Layered() const;
  void Report(DWORD mask, DWORD bits);
  void Invalidate(const RECT* rect);

  MRichEdit* m_owner = nullptr;
  LONG m_refs = 0;
  ITextServices* m_services = nullptr;
  DWORD m_style = ES_MULTILINE;
  unsigned m_flags = 0;
  int m_caretWidth = 0, m_caretHeight = 0;
  LONG m_selectionBarWidth = 0;
  int m_maxLength = 0x7FFF;
  CRect m_rcClient;
  SIZEL m_extent = {0, 0};
  CHARFORMAT2W m_charFormat = {};
  PARAFORMAT2 m_paraFormat = {};
  LONG m_acceleratorPos = -1;
  WCHAR m_passwordChar = 0;
  bool m_bLayingOut = false;
};
