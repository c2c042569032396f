#include "controls/CTxtWinHost.h"
#include <cstdio>
#include <cstring>
#include "controls/MRichEdit.h"
#include "controls/MScroll.h"
#include "core/PaintManager.h"

namespace {
// {C5BDD8D0-D26E-11CE-A89E-00AA006CADC5} and {8D33F740-CF58-11CE-A89D-00AA006CADC5}.
const IID kTextHostId = {0xC5BDD8D0, 0xD26E, 0x11CE, {0xA8, 0x9E, 0x00, 0xAA, 0x00, 0x6C, 0xAD, 0xC5}};
const IID kTextServicesId = {0x8D33F740, 0xCF58, 0x11CE, {0xA8, 0x9D, 0x00, 0xAA, 0x00, 0x6C, 0xAD, 0xC5}};

CreateTextServicesFn g_factory = nullptr;

// CreateTextServices of Msftedit.dll, loaded once; null when it cannot be had.
CreateTextServicesFn SystemFactory() {
  static const CreateTextServicesFn fn = [] {
    HMODULE module = ::LoadLibraryW(L"Msftedit.dll");
    return module ? reinterpret_cast<CreateTextServicesFn>(
                        reinterpret_cast<void*>(::GetProcAddress(module, "CreateTextServices")))
                  : nullptr;
  }();
  return fn;
}

int DeviceDpi(HDC dc, int index) {
  if (dc) return ::GetDeviceCaps(dc, index);
  HDC screen = ::GetDC(nullptr);
  const int dpi = ::GetDeviceCaps(screen, index);
  ::ReleaseDC(nullptr, screen);
  return dpi;
}
}  // namespace

CTxtWinHost::CTxtWinHost() = default;

CTxtWinHost::~CTxtWinHost() { ReleaseServices(); }

void CTxtWinHost::SetServicesFactory(CreateTextServicesFn factory) { g_factory = factory; }

void CTxtWinHost::ReleaseServices() {
  if (!m_services) return;
  ITextServices* services = m_services;
  m_services = nullptr;
  services->OnTxInPlaceDeactivate();
  services->Release();
}

HWND CTxtWinHost::Window() const {
  PaintManager* pm = m_owner ? m_owner->GetManager() : nullptr;
  HWND window = pm ? pm->GetPaintWnd() : nullptr;
  return window && ::IsWindow(window) ? window : nullptr;
}

bool CTxtWinHost::Layered() const {
  PaintManager* pm = m_owner ? m_owner->GetManager() : nullptr;
  return pm && pm->IsLayered();
}

void CTxtWinHost::Report(DWORD mask, DWORD bits) {
  if (m_services) m_services->OnTxPropertyBitsChange(mask, bits);
}

bool CTxtWinHost::Init(MRichEdit* owner, const CREATESTRUCTW* create) {
  m_owner = owner;
  m_refs = 1;
  PaintManager* pm = owner ? owner->GetManager() : nullptr;
  const HDC dc = pm ? pm->GetPaintDC() : nullptr;

  std::memset(&m_charFormat, 0, sizeof(m_charFormat));
  m_charFormat.cbSize = sizeof(m_charFormat);
  m_charFormat.dwMask = CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_SIZE | CFM_COLOR | CFM_FACE | CFM_OFFSET |
                        CFM_CHARSET;
  if (owner) {
    if (HFONT font = owner->GetDefaultFont()) {
      LOGFONTW lf = {};
      ::GetObjectW(font, sizeof(lf), &lf);
      ::DeleteObject(font);
      m_charFormat.yHeight = -lf.lfHeight * 1440 / DeviceDpi(dc, LOGPIXELSY);
      if (lf.lfWeight >= FW_BOLD) m_charFormat.dwEffects |= CFE_BOLD;
      if (lf.lfItalic) m_charFormat.dwEffects |= CFE_ITALIC;
      if (lf.lfUnderline) m_charFormat.dwEffects |= CFE_UNDERLINE;
      m_charFormat.bCharSet = lf.lfCharSet;
      m_charFormat.bPitchAndFamily = lf.lfPitchAndFamily;
      lstrcpynW(m_charFormat.szFaceName, lf.lfFaceName, LF_FACESIZE);
    }
    const COLORREF colour = owner->GetTextColorRef();
    m_charFormat.crTextColor = Layered() ? NonBlack(colour) : colour;
  }

  std::memset(&m_paraFormat, 0, sizeof(m_paraFormat));
  m_paraFormat.cbSize = sizeof(m_paraFormat);
  m_paraFormat.dwMask = PFM_STARTINDENT | PFM_RIGHTINDENT | PFM_OFFSET | PFM_ALIGNMENT | PFM_TABSTOPS |
                        PFM_NUMBERING | PFM_RTLPARA | PFM_OFFSETINDENT;
  m_paraFormat.wAlignment = PFA_LEFT;
  m_paraFormat.cTabCount = 1;
  m_paraFormat.rgxTabs[0] = 720;

  m_style = ES_MULTILINE;
  if (owner && owner->IsRich()) m_flags |= kRich;
  if (owner) SetMaxLength(owner->GetLimitText());
  if (create) {
    m_style = static_cast<DWORD>(create->style);
    if (!(m_style & (ES_AUTOHSCROLL | WS_HSCROLL))) m_flags |= kWordWrap;
    if (m_style & ES_CENTER) m_paraFormat.wAlignment = PFA_CENTER;
    else if (m_style & ES_RIGHT) m_paraFormat.wAlignment = PFA_RIGHT;
  }
  m_flags |= kInPlaceActive;

  CreateTextServicesFn factory = g_factory ? g_factory : SystemFactory();
  if (!factory) return false;
  IUnknown* unknown = nullptr;
  if (FAILED(factory(nullptr, reinterpret_cast<::ITextHost*>(static_cast<Qiv::ITextHost*>(this)), &unknown)) ||
      !unknown)
    return false;
  void* services = nullptr;
  const HRESULT hr = unknown->QueryInterface(kTextServicesId, &services);
  unknown->Release();
  if (FAILED(hr) || !services) return false;
  m_services = static_cast<ITextServices*>(services);
  if (create && create->lpszName && *create->lpszName && FAILED(m_services->TxSetText(create->lpszName)))
    return false;
  return true;
}

// ---- IUnknown ----

HRESULT CTxtWinHost::QueryInterface(REFIID riid, void** object) {
  if (!object) return E_POINTER;
  if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, kTextHostId)) {
    *object = static_cast<Qiv::ITextHost*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

ULONG CTxtWinHost::AddRef() { return static_cast<ULONG>(::InterlockedIncrement(&m_refs)); }

ULONG CTxtWinHost::Release() {
  const LONG left = ::InterlockedDecrement(&m_refs);
  if (left == 0) delete this;
  return static_cast<ULONG>(left < 0 ? 0 : left);
}

// ---- text-host callbacks ----

HDC CTxtWinHost::TxGetDC() {
  PaintManager* pm = m_owner ? m_owner->GetManager() : nullptr;
  return pm ? pm->GetPaintDC() : nullptr;
}

INT CTxtWinHost::TxReleaseDC(HDC) { return 1; }

WINBOOL CTxtWinHost::TxShowScrollBar(INT bar, WINBOOL show) {
  if (!m_owner) return 1;
  MScroll* vertical = m_owner->GetScrollVertical();
  MScroll* horizontal = m_owner->GetScrollHorizontal();
  if ((bar == SB_VERT || bar == SB_BOTH) && vertical) vertical->SetVisible(show ? 1 : 0);
  if ((bar == SB_HORZ || bar == SB_BOTH) && horizontal) horizontal->SetVisible(show ? 1 : 0);
  // The new layout reports a new extent, to which the services may answer with another
  // bar change: that one is not laid out again.
  if ((bar == SB_VERT || bar == SB_HORZ) && !m_bLayingOut) {
    m_bLayingOut = true;
    m_owner->SetRect(m_owner->GetRect());
    m_bLayingOut = false;
  }
  return 1;
}

WINBOOL CTxtWinHost::TxEnableScrollBar(INT bars, INT arrows) {
  if (!m_owner) return 1;
  const int show = arrows == ESB_DISABLE_BOTH ? 0 : 1;
  MScroll* vertical = m_owner->GetScrollVertical();
  MScroll* horizontal = m_owner->GetScrollHorizontal();
  if ((bars == SB_VERT || bars == SB_BOTH) && vertical) vertical->SetVisible(show);
  if ((bars == SB_HORZ || bars == SB_BOTH) && horizontal) horizontal->SetVisible(show);
  return 1;
}

WINBOOL CTxtWinHost::TxSetScrollRange(INT bar, LONG minimum, INT maximum, WINBOOL) {
  if (!m_owner) return 1;
  const long long span = static_cast<long long>(maximum) - minimum;
  if (bar == SB_VERT) {
    MScroll* v = m_owner->GetScrollVertical();
    if (!v) return 1;
    if (span > m_rcClient.Height()) {
      v->m_nMaxRange = static_cast<int>(span);
      if (v->m_bAutoSize) v->m_nScrollSize = 0;
      v->SetRange();
      if (!v->IsVisible()) v->SetVisible(1);
      else v->UpdateControl(1, 0);
    } else if (v->IsVisible()) {
      v->SetVisible(0);
    }
  } else if (bar == SB_HORZ) {
    MScroll* h = m_owner->GetScrollHorizontal();
    if (!h) return 1;
    if (span > m_rcClient.Width()) {
      h->SetScrollMaxRange(static_cast<int>(span));
      if (!h->IsVisible()) h->SetVisible(1);
      else h->UpdateControl(1, 0);
    } else if (h->IsVisible()) {
      h->SetVisible(0);
    }
  }
  return 1;
}

WINBOOL CTxtWinHost::TxSetScrollPos(INT bar, INT pos, WINBOOL) {
  if (!m_owner) return 1;
  if (bar == SB_VERT) {
    MScroll* v = m_owner->GetScrollVertical();
    if (!v || v->IsChangeing()) return 1;
    v->m_nCurPos = pos;
    v->SetRangeEx();
    if (v->IsVisible()) v->UpdateControl(1, 0);
    else v->SetVisible(1);
  } else if (bar == SB_HORZ) {
    MScroll* h = m_owner->GetScrollHorizontal();
    if (!h || h->IsChangeing()) return 1;
    h->m_nCurPos = pos;
    h->SetRange();
    if (h->IsVisible()) h->UpdateControl(1, 0);
  }
  return 1;
}

void CTxtWinHost::Invalidate(const RECT* rect) {
  PaintManager* pm = m_owner ? m_owner->GetManager() : nullptr;
  if (!pm || !Window()) return;
  if (pm->IsLayered()) pm->Invalidate();
  else pm->InvalidateRect(rect ? CRect(*rect) : m_rcClient, 0);
}

void CTxtWinHost::TxInvalidateRect(LPCRECT rect, WINBOOL) { Invalidate(rect); }

void CTxtWinHost::TxViewChange(WINBOOL update) {
  if (m_owner && m_owner->OnTxViewChanged(update)) Invalidate(nullptr);
}

WINBOOL CTxtWinHost::TxCreateCaret(HBITMAP bitmap, INT width, INT height) {
  m_caretWidth = width;
  m_caretHeight = height;
  const HWND window = Window();
  if (!window) return FALSE;
  if (Layered()) return m_owner->GetManager()->CreateCaret(bitmap, width, height);
  return ::CreateCaret(window, bitmap, width, height);
}

WINBOOL CTxtWinHost::TxShowCaret(WINBOOL show) {
  if (show) m_flags |= kCaretShown;
  else m_flags &= ~kCaretShown;
  const HWND window = Window();
  if (!window) return FALSE;
  if (!Layered()) return show ? ::ShowCaret(window) : ::HideCaret(window);
  PaintManager* pm = m_owner->GetManager();
  if (pm->GetCurrentCaretObject() != m_owner ||
      (!m_owner->IsReadOnly() && m_owner->IsVisible() && m_owner->IsEnabled()))
    return pm->ShowCaret(show == 1 ? 1 : 0);
  return pm->ShowCaret(0);
}

WINBOOL CTxtWinHost::TxSetCaretPos(INT x, INT y) {
  if (!Window()) return 1;
  if (Layered()) m_owner->GetManager()->SetCaretPos(m_owner, x, y);
  else ::SetCaretPos(x, y);
  return 1;
}

WINBOOL CTxtWinHost::TxSetTimer(UINT id, UINT timeout) {
  m_flags |= kTimer;
  PaintManager* pm = m_owner ? m_owner->GetManager() : nullptr;
  if (!pm) return FALSE;
  m_owner->NoteTimer(id, true);
  pm->KillTimer(m_owner, id);  // the services re-arm running timers with a new period
  return pm->SetTimer(m_owner, id, timeout) == 1;
}

void CTxtWinHost::TxKillTimer(UINT id) {
  if (PaintManager* pm = m_owner ? m_owner->GetManager() : nullptr) pm->KillTimer(m_owner, id);
  if (m_owner) m_owner->NoteTimer(id, false);
  m_flags &= ~kTimer;
}

void CTxtWinHost::TxScrollWindowEx(INT, INT, LPCRECT, LPCRECT, HRGN, LPRECT, UINT) {}

void CTxtWinHost::TxSetCapture(WINBOOL capture) {
  const HWND window = Window();
  if (window) {
    if (capture) ::SetCapture(window);
    else ::ReleaseCapture();
  }
  if (capture) m_flags |= kCapture;
  else m_flags &= ~kCapture;
}

void CTxtWinHost::TxSetFocus() {
  if (m_owner) m_owner->SetControlFocus(1);
}

void CTxtWinHost::TxSetCursor(HCURSOR cursor, WINBOOL) { ::SetCursor(cursor); }

WINBOOL CTxtWinHost::TxScreenToClient(LPPOINT point) {
  const HWND window = Window();
  return window ? ::ScreenToClient(window, point) : FALSE;
}

WINBOOL CTxtWinHost::TxClientToScreen(LPPOINT point) {
  const HWND window = Window();
  return window ? ::ClientToScreen(window, point) : FALSE;
}

HRESULT CTxtWinHost::TxActivate(LONG*) { return S_OK; }
HRESULT CTxtWinHost::TxDeactivate(LONG) { return S_OK; }

HRESULT CTxtWinHost::TxGetClientRect(LPRECT rect) {
  if (rect) *rect = m_rcClient;
  return S_OK;
}

HRESULT CTxtWinHost::TxGetViewInset(LPRECT rect) {
  if (rect) *rect = RECT{0, 0, 0, 0};
  return S_OK;
}

HRESULT CTxtWinHost::TxGetCharFormat(const CHARFORMATW** format) {
  if (format) *format = reinterpret_cast<const CHARFORMATW*>(&m_charFormat);
  return S_OK;
}

HRESULT CTxtWinHost::TxGetParaFormat(const PARAFORMAT** format) {
  if (format) *format = reinterpret_cast<const PARAFORMAT*>(&m_paraFormat);
  return S_OK;
}

COLORREF CTxtWinHost::TxGetSysColor(int index) { return NonBlack(::GetSysColor(index)); }

HRESULT CTxtWinHost::TxGetBackStyle(TXTBACKSTYLE* style) {
  if (style) *style = (m_flags & kTransparent) ? TXTBACK_TRANSPARENT : TXTBACK_OPAQUE;
  return S_OK;
}

HRESULT CTxtWinHost::TxGetMaxLength(DWORD* length) {
  if (length) *length = static_cast<DWORD>(m_maxLength);
  return S_OK;
}

HRESULT CTxtWinHost::TxGetScrollBars(DWORD* bars) {
  if (bars) *bars = m_style & 0x3020C0;
  return S_OK;
}

HRESULT CTxtWinHost::TxGetPasswordChar(TCHAR* ch) {
  if (ch) *ch = m_passwordChar;
  return S_OK;
}

HRESULT CTxtWinHost::TxGetAcceleratorPos(LONG* pos) {
  if (pos) *pos = m_acceleratorPos;
  return S_OK;
}

HRESULT CTxtWinHost::TxGetExtent(LPSIZEL extent) {
  if (extent) *extent = m_extent;
  return S_OK;
}

HRESULT CTxtWinHost::OnTxCharFormatChange(const CHARFORMATW*) { return S_OK; }
HRESULT CTxtWinHost::OnTxParaFormatChange(const PARAFORMAT*) { return S_OK; }

HRESULT CTxtWinHost::TxGetPropertyBits(DWORD mask, DWORD* bits) {
  DWORD b = 0;
  if (m_flags & kRich) b |= TXTBIT_RICHTEXT;
  if (m_style & ES_MULTILINE) b |= TXTBIT_MULTILINE;
  if (m_style & ES_READONLY) b |= TXTBIT_READONLY;
  if (m_style & ES_PASSWORD) b |= TXTBIT_USEPASSWORD;
  if (!(m_style & ES_NOHIDESEL)) b |= TXTBIT_HIDESELECTION;
  if (m_flags & kAutoWordSelect) b |= TXTBIT_AUTOWORDSEL;
  if (m_flags & kWordWrap) b |= TXTBIT_WORDWRAP;
  if (m_flags & kAllowBeep) b |= TXTBIT_ALLOWBEEP;
  if (m_flags & kSaveSelection) b |= TXTBIT_SAVESELECTION;
  if (bits) *bits = mask & b;
  return S_OK;
}

HRESULT CTxtWinHost::TxNotify(DWORD code, void* data) {
  if (code == EN_REQUESTRESIZE && data) {
    const RECT& wanted = static_cast<REQRESIZE*>(data)->rc;
    SetClientRect(CRect(m_rcClient.left, m_rcClient.top, m_rcClient.left + wanted.right,
                        m_rcClient.top + wanted.bottom));
  }
  if (m_owner) m_owner->OnTxNotify(code, data);
  return S_OK;
}

HIMC CTxtWinHost::TxImmGetContext() { return nullptr; }
void CTxtWinHost::TxImmReleaseContext(HIMC) {}

HRESULT CTxtWinHost::TxGetSelectionBarWidth(LONG* width) {
  if (width) *width = m_selectionBarWidth;
  return S_OK;
}

// ---- what the edit uses directly ----

void CTxtWinHost::SetClientRect(const RECT& rect) {
  m_rcClient = rect;
  PaintManager* pm = m_owner ? m_owner->GetManager() : nullptr;
  const HDC dc = pm ? pm->GetPaintDC() : nullptr;
  m_extent.cx = ::MulDiv(m_rcClient.Width(), 2540, DeviceDpi(dc, LOGPIXELSX));
  m_extent.cy = ::MulDiv(m_rcClient.Height(), 2540, DeviceDpi(dc, LOGPIXELSY));
  Report(TXTBIT_EXTENTCHANGE, TXTBIT_EXTENTCHANGE);
}

void CTxtWinHost::SetFont(HFONT font) {
  if (!font) return;
  LOGFONTW lf = {};
  ::GetObjectW(font, sizeof(lf), &lf);
  PaintManager* pm = m_owner ? m_owner->GetManager() : nullptr;
  m_charFormat.yHeight = -lf.lfHeight * 1440 / DeviceDpi(pm ? pm->GetPaintDC() : nullptr, LOGPIXELSY);
  m_charFormat.dwEffects &= ~(CFE_BOLD | CFE_ITALIC | CFE_UNDERLINE);
  if (lf.lfWeight >= FW_BOLD) m_charFormat.dwEffects |= CFE_BOLD;
  if (lf.lfItalic) m_charFormat.dwEffects |= CFE_ITALIC;
  if (lf.lfUnderline) m_charFormat.dwEffects |= CFE_UNDERLINE;
  m_charFormat.bCharSet = lf.lfCharSet;
  m_charFormat.bPitchAndFamily = lf.lfPitchAndFamily;
  lstrcpynW(m_charFormat.szFaceName, lf.lfFaceName, LF_FACESIZE);
  Report(TXTBIT_CHARFORMATCHANGE, TXTBIT_CHARFORMATCHANGE);
}

void CTxtWinHost::SetWordWrap(bool wrap) { Report(TXTBIT_WORDWRAP, wrap ? TXTBIT_WORDWRAP : 0); }

void CTxtWinHost::SetStyleBits(DWORD bits, bool on) {
  if (on) m_style |= bits;
  else m_style &= ~bits;
}

void CTxtWinHost::SetReadOnly(bool readOnly) {
  SetStyleBits(ES_READONLY, readOnly);
  Report(TXTBIT_READONLY, readOnly ? TXTBIT_READONLY : 0);
}

void CTxtWinHost::SetPassword(bool password) {
  SetStyleBits(ES_PASSWORD, password);
  Report(TXTBIT_USEPASSWORD, password ? TXTBIT_USEPASSWORD : 0);
}

void CTxtWinHost::SetColor(COLORREF colour) {
  m_charFormat.crTextColor = NonBlack(colour);
  Report(TXTBIT_CHARFORMATCHANGE, TXTBIT_CHARFORMATCHANGE);
}

void CTxtWinHost::SetMaxLength(int length) {
  m_maxLength = length > 0 ? length : 0x7FFF;
  Report(TXTBIT_MAXLENGTHCHANGE, TXTBIT_MAXLENGTHCHANGE);
}

void CTxtWinHost::SetRichText(bool rich) {
  if (rich) m_flags |= kRich;
  else m_flags &= ~kRich;
  Report(TXTBIT_RICHTEXT, rich ? TXTBIT_RICHTEXT : 0);
}

void CTxtWinHost::SetTransparent() {
  m_flags |= kTransparent;
  Report(TXTBIT_BACKSTYLECHANGE, 0);
}

bool CTxtWinHost::Activate() {
  m_flags |= kInPlaceActive;
  if (m_services && SUCCEEDED(m_services->OnTxInPlaceActivate(nullptr))) return true;
  m_flags &= ~kInPlaceActive;
  return false;
}

void CTxtWinHost::SetCharFormat(const CHARFORMAT2W& format) { std::memcpy(&m_charFormat, &format, sizeof(format)); }
void CTxtWinHost::SetParaFormat(const PARAFORMAT2& format) { std::memcpy(&m_paraFormat, &format, sizeof(format)); }

DWORD CALLBACK CTxtWinHost::ReadStream(DWORD_PTR cookie, LPBYTE buffer, LONG count, LONG* done) {
  const size_t n = std::fread(buffer, 1, static_cast<size_t>(count > 0 ? count : 0), reinterpret_cast<FILE*>(cookie));
  if (done) *done = static_cast<LONG>(n);
  return 0;
}

DWORD CALLBACK CTxtWinHost::WriteStream(DWORD_PTR cookie, LPBYTE buffer, LONG count, LONG* done) {
  const size_t n = std::fwrite(buffer, 1, static_cast<size_t>(count > 0 ? count : 0), reinterpret_cast<FILE*>(cookie));
  if (done) *done = static_cast<LONG>(n);
  return 0;
}
