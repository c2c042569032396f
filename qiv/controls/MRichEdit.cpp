#include "controls/MRichEdit.h"
#include <algorithm>
#include <cstdio>
#include <imm.h>
#include "controls/DrawHelpers.h"
#include "controls/MScroll.h"
#include "core/MRender.h"
#include "core/Manager.h"
#include "core/PaintManager.h"

using namespace qiv_paint;

namespace {
enum MenuCommand : UINT { kUndo = 101, kCut, kCopy, kPaste, kClear, kSelectAll, kRedo };

bool IsMouseMessage(unsigned msg) { return msg >= WM_MOUSEFIRST && msg <= 0x20D; }
}  // namespace

MRichEdit::MRichEdit(MObject* parent, unsigned id, CRect rect, const wchar_t* text, int visible, int)
    : MPanel(parent, id, rect, visible), m_tip(text) {}

MRichEdit::~MRichEdit() {
  if (m_host) {
    m_host->ReleaseServices();
    m_host->Release();
    m_host = nullptr;
  }
}

const wchar_t* MRichEdit::GetClassNameW() const { return L"MRichEdit"; }

void MRichEdit::Repaint(int redraw) {
  if (m_bVisible && m_pParent) m_pParent->OnControlUpdate(m_rcControl, redraw, this);
}

// ---- set-up ----

void MRichEdit::InitControl(PaintManager* manager) {
  MPanel::InitControl(manager);
  if (m_bInitialised) return;
  m_bInitialised = 1;
  CREATESTRUCTW create = {};
  create.style = static_cast<LONG>(m_style);
  create.lpszName = m_title.GetString();
  m_host = new CTxtWinHost();
  // Transparent before the services exist too: some read the back style only when they
  // are created and would otherwise paint the text area over the control's picture.
  m_host->SetTransparent();
  if (!m_host->Init(this, &create)) {
    m_host->ReleaseServices();
    m_host->Release();
    m_host = nullptr;
    return;
  }
  m_host->SetTransparent();
  Send(EM_SETLANGOPTIONS, 0, 0);
  Send(EM_SETEVENTMASK, 0, ENM_CHANGE | ENM_DROPFILES | ENM_LINK);
  m_host->Activate();
  SetControlRect(m_rcControl);
}

void MRichEdit::SetTextPadding(RECT padding) {
  m_padding = padding;
  Repaint(1);
}

void MRichEdit::SetMultiLine(int multi) {
  if (multi) m_style |= ES_MULTILINE;
  else m_style &= ~static_cast<DWORD>(ES_MULTILINE);
}

void MRichEdit::SetRich(int rich) {
  m_bRich = rich;
  if (m_host) m_host->SetRichText(rich != 0);
}

void MRichEdit::SetReadOnly(int readOnly) {
  m_bReadOnly = readOnly;
  if (m_host) m_host->SetReadOnly(readOnly != 0);
}

void MRichEdit::SetWordWrap(int wrap) {
  m_bWordWrap = wrap;
  if (m_host) m_host->SetWordWrap(wrap != 0);
}

void MRichEdit::SetPassword(int password) {
  m_bPassword = password;
  if (password) m_style |= ES_PASSWORD;
  else m_style &= ~static_cast<DWORD>(ES_PASSWORD);
  if (m_host) m_host->SetPassword(password != 0);
}

void MRichEdit::SetLimitText(int limit) {
  m_limit = limit;
  if (m_host) m_host->SetMaxLength(limit);
}

int MRichEdit::SetIconImage(const wchar_t* file, int frames) {
  if (!m_pManager || frames < 1) return 0;
  ImgResInfo* info = m_pManager->AddImgResInfo(file, frames);
  if (!info || !info->image) return 0;
  m_icon = info->image;
  m_iconWidth = info->frameWidth;
  m_iconHeight = info->height;
  m_iconFrames = frames;
  Repaint(1);
  return 1;
}

void MRichEdit::SetTextColor(Gdiplus::Color colour) {
  MPanel::SetTextColor(colour);
  m_crText = colour.ToCOLORREF();
  if (m_host) m_host->SetColor(m_crText);
}

void MRichEdit::SetTextFont(CString name) {
  m_fontName = name;
  SetFont();
}

LOGFONTW MRichEdit::MakeLogFont(const wchar_t* face, int size, int bold, int underline, int italic) {
  LOGFONTW lf = {};
  ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf);
  // The face field holds 31 characters and the terminating null.
  const size_t room = sizeof(lf.lfFaceName) / sizeof(lf.lfFaceName[0]);
  std::fill(std::begin(lf.lfFaceName), std::end(lf.lfFaceName), L'\0');
  if (face) lstrcpynW(lf.lfFaceName, face, static_cast<int>(room));
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfHeight = -size;
  if (bold) lf.lfWeight += 700;
  lf.lfUnderline = underline ? TRUE : FALSE;
  lf.lfItalic = italic ? TRUE : FALSE;
  return lf;
}

HFONT MRichEdit::GetDefaultFont() {
  const int style = static_cast<int>(m_fontStyle);
  const LOGFONTW lf = MakeLogFont(m_fontName, m_fontSize, style & 1, style & 4, style & 2);
  return ::CreateFontIndirectW(&lf);
}

void MRichEdit::SetFont() {
  const int style = static_cast<int>(m_fontStyle);
  SetFont(m_fontName, m_fontSize, style & 1, style & 4, style & 2);
}

void MRichEdit::SetFont(const wchar_t* face, int size, int bold, int underline, int italic) {
  if (!m_host) return;
  const LOGFONTW lf = MakeLogFont(face, size, bold, underline, italic);
  HFONT font = ::CreateFontIndirectW(&lf);
  m_host->SetFont(font);
  ::DeleteObject(font);
}

void MRichEdit::NoteTimer(UINT id, bool running) {
  auto it = std::find(m_timers.begin(), m_timers.end(), id);
  if (running && it == m_timers.end()) m_timers.push_back(id);
  if (!running && it != m_timers.end()) m_timers.erase(it);
}

int MRichEdit::OnControlTimer() {
  // A window timer of this control does not tell which of the services' timers it is:
  // each running one is given its tick.
  const std::vector<UINT> timers = m_timers;
  for (UINT id : timers) Send(WM_TIMER, id, 0);
  return 0;
}

// ---- text ----

void MRichEdit::NoteTitle(const CString& title) {
  if (!m_tip.IsEmpty() && title.IsEmpty() != m_title.IsEmpty()) Repaint(1);
}

void MRichEdit::SetControlTitle(const wchar_t* title) {
  const CString text(title);
  NoteTitle(text);
  m_title = text;
  if (!m_host) return;
  CHARRANGE all = {0, -1};
  Send(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&all));
  Send(EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.GetString()));
}

CString MRichEdit::GetControlTitle() {
  if (!m_host) return m_title;
  GETTEXTLENGTHEX length = {GTL_DEFAULT, 1200};
  const LRESULT n = Send(EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&length), 0);
  if (n <= 0) return CString();
  std::vector<wchar_t> buffer(static_cast<size_t>(n) + 1, L'\0');
  GETTEXTEX get = {};
  get.cb = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
  get.flags = GT_DEFAULT;
  get.codepage = 1200;
  Send(EM_GETTEXTEX, reinterpret_cast<WPARAM>(&get), reinterpret_cast<LPARAM>(buffer.data()));
  return CString(buffer.data());
}

HRESULT MRichEdit::TxSendMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  if (!m_host || !m_host->GetTextServices()) {
    if (result) *result = 0;
    return 1;
  }
  LRESULT r = 0;
  const HRESULT hr = m_host->GetTextServices()->TxSendMessage(msg, wParam, lParam, &r);
  if (result) *result = r;
  return hr;
}

LRESULT MRichEdit::Send(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (!m_host) return 0;
  LRESULT r = 0;
  TxSendMessage(msg, wParam, lParam, &r);
  return r;
}

int MRichEdit::OnTxViewChanged(int) { return 1; }

HRESULT MRichEdit::OnTxNotify(DWORD code, void*) {
  if (code == EN_CHANGE) {
    const CString text = GetControlTitle();
    NoteTitle(text);
    m_title = text;
  }
  return S_OK;
}

int MRichEdit::SaveRtf(const wchar_t* file) {
  FILE* f = file ? _wfopen(file, L"wb") : nullptr;
  if (!f) return 0;
  EDITSTREAM stream = {reinterpret_cast<DWORD_PTR>(f), 0, &CTxtWinHost::WriteStream};
  const long r = StreamOut(SF_RTF, stream);
  std::fclose(f);
  return static_cast<int>(r);
}

int MRichEdit::LoadRtf(const wchar_t* file) {
  FILE* f = file ? _wfopen(file, L"rb") : nullptr;
  if (!f) return 0;
  EDITSTREAM stream = {reinterpret_cast<DWORD_PTR>(f), 0, &CTxtWinHost::ReadStream};
  const long r = StreamIn(SF_RTF, stream);
  std::fclose(f);
  return static_cast<int>(r);
}

long MRichEdit::StreamOut(int format, EDITSTREAM& stream) {
  return static_cast<long>(Send(EM_STREAMOUT, static_cast<WPARAM>(format), reinterpret_cast<LPARAM>(&stream)));
}

long MRichEdit::StreamIn(int format, EDITSTREAM& stream) {
  return static_cast<long>(Send(EM_STREAMIN, static_cast<WPARAM>(format), reinterpret_cast<LPARAM>(&stream)));
}

IDropTarget* MRichEdit::GetTxDropTarget() {
  IDropTarget* target = nullptr;
  if (!m_host || !m_host->GetTextServices()) return nullptr;
  if (FAILED(m_host->GetTextServices()->TxGetDropTarget(&target))) return nullptr;
  return target;
}

int MRichEdit::SetDropAcceptFile(int) { return Send(EM_SETEVENTMASK, 0, ENM_DROPFILES | ENM_LINK) == 0 ? 1 : 0; }

// ---- focus, state and input ----

void MRichEdit::ActivateAndFocus() {
  if (!m_host) return;
  m_host->Activate();
  Send(WM_SETFOCUS, 0, 0);
  m_bFocused = 1;
}

int MRichEdit::SetControlFocus(int focus) {
  const int state = focus ? 2 : 0;
  if (m_host) {
    m_host->Activate();
    Send(focus ? WM_SETFOCUS : WM_KILLFOCUS, 0, 0);
  }
  m_bFocused = focus ? 1 : 0;
  MPanel::SetControlFocus(focus);
  if (state == m_state) return 0;
  m_state = state;
  Repaint(1);
  return 1;
}

void MRichEdit::SetControlEnabled(int enabled) {
  if ((enabled != 0) == (m_bEnabled != 0)) return;
  m_bEnabled = enabled;
  m_state = enabled ? 0 : 3;
  if (m_host)
    m_host->SetColor(enabled ? m_crText : (m_pManager ? m_pManager->GetDefaultEnabledColor() : m_crText));
  Repaint(0);
}

int MRichEdit::OnControlMouseMove(unsigned, CPoint point) {
  if (m_bReadOnly || !m_bEnabled || m_state == 2) return 0;
  const int state = m_rcControl.PtInRect(point) ? 1 : 0;
  if (state == m_state) return 0;
  m_state = state;
  Repaint(0);
  return 1;
}

int MRichEdit::OnControlLButtonDown(unsigned, CPoint point) {
  if (m_bReadOnly || !m_bEnabled || !m_rcControl.PtInRect(point)) return 0;
  const bool changed = m_state != 2;
  m_state = 2;
  SendMessageW(NOTIFY_LBUTTONDOWN, 0, 0);
  ActivateAndFocus();
  if (changed) Repaint(0);
  return 1;
}

int MRichEdit::OnControlLButtonUp(unsigned, CPoint point) {
  if (m_bReadOnly || !m_bEnabled) return 0;
  const int before = m_state;
  m_state = m_rcControl.PtInRect(point) ? 1 : 0;
  if (m_state != before) Repaint(0);
  if (m_state == 1 && before == 2) SendMessageW(NOTIFY_CLICK, 0, 0);
  return m_state != before ? 1 : 0;
}

int MRichEdit::OnControlScroll(int, unsigned direction, CPoint) {
  if (m_pScrollV && m_pScrollV->IsVisible()) {
    Send(WM_VSCROLL, direction == 1 ? SB_LINEDOWN : SB_LINEUP, 0);
    return 1;
  }
  return m_pScrollH && m_pScrollH->IsVisible() ? 1 : 0;
}

int MRichEdit::OnControlKeyDown(unsigned key, unsigned repeat, unsigned modifiers) {
  return MControl::OnControlKeyDown(key, repeat, modifiers);
}

long MRichEdit::OnMessage(unsigned id, unsigned code, unsigned wParam, long lParam) {
  if (id == 1 && code == NOTIFY_POSITION && m_pScrollV)
    Send(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, static_cast<WORD>(m_pScrollV->m_nCurPos)), 0);
  return m_pParent ? m_pParent->OnBaseMessage(id, code, wParam, lParam) : 0;
}

long MRichEdit::OnWindowMessage(unsigned msg, unsigned wParam, long lParam) {
  if (!m_bVisible || !m_bEnabled || !m_host) return 0;
  if (IsMouseMessage(msg) && !m_bResponse) return 0;
  const HWND window = m_pManager ? m_pManager->GetPaintWnd() : nullptr;
  LRESULT result = 0;
  if (msg == WM_IME_COMPOSITION) {
    if (HIMC context = window ? ::ImmGetContext(window) : nullptr) {
      POINT caret = {0, 0};
      ::GetCaretPos(&caret);
      COMPOSITIONFORM form = {CFS_POINT, caret, {0, 0, 0, 0}};
      ::ImmSetCompositionWindow(context, &form);
      ::ImmReleaseContext(window, context);
    }
    return 0;
  }
  if (IsMouseMessage(msg) || msg == WM_SETCURSOR) {
    if (msg == WM_MOUSEWHEEL && !(LOWORD(wParam) & MK_CONTROL)) return 0;
    if (!m_host->HasCapture()) {
      POINT point = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
      if (msg == WM_MOUSEWHEEL && window) ::ScreenToClient(window, &point);
      const bool press = msg == WM_LBUTTONDOWN || msg == WM_LBUTTONUP || msg == WM_LBUTTONDBLCLK || msg == WM_RBUTTONDOWN;
      if (press && !m_rcControl.PtInRect(point)) return 0;
      if (msg == WM_RBUTTONUP) return 1;  // the menu comes from WM_CONTEXTMENU
      if (!m_host->GetClientRect().PtInRect(point) || (m_pManager && m_pManager->IsCaptured())) return 0;
    }
    if (msg == WM_LBUTTONDOWN || msg == WM_LBUTTONDBLCLK || msg == WM_RBUTTONDOWN) SetControlFocus(1);
  } else if (msg >= WM_KEYFIRST && msg <= 0x109) {
    if (!m_bFocused) return 0;
  } else if (msg == WM_CONTEXTMENU) {
    POINT screen = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    POINT local = screen;
    if (window) ::ScreenToClient(window, &local);
    if (window && m_rcControl.PtInRect(local)) {
      HMENU menu = CreateContextMenu();
      ::TrackPopupMenu(menu, TPM_RIGHTBUTTON, screen.x, screen.y, 0, window, nullptr);
      ::DestroyMenu(menu);
    }
  } else if (msg == WM_COMMAND) {
    if (!m_bFocused) return 0;
    switch (LOWORD(wParam)) {
      case kUndo: Undo(); break;
      case kCut: Cut(); break;
      case kCopy: Copy(); break;
      case kPaste: Paste(); break;
      case kClear: Clear(); break;
      case kSelectAll: SetSelAll(); break;
      case kRedo: Redo(); break;
      default: break;
    }
  } else if (msg != WM_HELP) {
    return 0;
  }
  TxSendMessage(msg, wParam, lParam, &result);
  return static_cast<long>(result);
}

HMENU MRichEdit::CreateContextMenu() {
  const bool empty = GetSelectionType() == SEL_EMPTY;
  HMENU menu = ::CreatePopupMenu();
  auto add = [&](UINT id, const wchar_t* text, bool grey) {
    ::AppendMenuW(menu, MF_STRING | (grey ? MF_GRAYED : 0), id, text);
  };
  add(kUndo, L"Undo(&U)", !CanUndo());
  add(kRedo, L"Redo(&R)", !CanRedo());
  ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  add(kCut, L"Cut(&X)", m_bReadOnly || empty);
  add(kCopy, L"Copy(&C)", empty);
  add(kPaste, L"Paste(&V)", m_bReadOnly != 0);
  add(kClear, L"Clear(&L)", m_bReadOnly || empty);
  ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  add(kSelectAll, L"SelectAll(&A)", false);
  return menu;
}

// ---- layout and drawing ----

CRect MRichEdit::PaddedArea() const {
  CRect area = m_rcControl;
  area.DeflateRect(m_padding.left, m_padding.top, m_padding.right, m_padding.bottom);
  return area;
}

void MRichEdit::LayOut(CRect rect, int top, int bottom) {
  m_rcControl = rect;
  m_padding.top = top;
  m_padding.bottom = bottom;
  if (!m_host) return;
  CRect text = PaddedArea();
  const int t = m_scrollThickness;
  if ((m_style & ES_MULTILINE) && m_pScrollV) {
    m_pScrollV->SetControlRect(CRect(text.right - t, text.top, text.right, text.bottom));
    text.right -= t;
  }
  if ((m_style & (WS_HSCROLL | ES_AUTOHSCROLL)) && m_pScrollH)
    m_pScrollH->SetControlRect(CRect(text.left, text.bottom - t, text.right, text.bottom));
  m_host->SetClientRect(text);
}

void MRichEdit::SetControlRect(CRect rect) {
  m_rcControl = rect;
  if (!m_host) return;
  CRect text = PaddedArea();
  const int t = m_scrollThickness;
  if ((m_style & ES_MULTILINE) && m_pScrollV && m_pScrollV->IsVisible()) {
    m_pScrollV->SetControlRect(CRect(text.right - t, text.top, text.right, text.bottom));
    text.right -= t + 10;
  }
  if ((m_style & (WS_HSCROLL | ES_AUTOHSCROLL)) && m_pScrollH)
    m_pScrollH->SetControlRect(CRect(text.left, text.bottom - t, text.right, text.bottom));
  m_host->SetClientRect(text);
}

void MRichEdit::DrawBackground(HDC& hdc, int frameWidth, bool withTip, bool vCentre, int nudge) {
  const int w = m_rcControl.Width(), h = m_rcControl.Height();
  if (!m_pImage || m_pImage->GetLastStatus() != Gdiplus::Ok) return;
  if (!m_bUpdate || !m_hMemDC) {
    UpdateMemDC(hdc, 4 * w, h);
    Gdiplus::Graphics g(m_hMemDC);
    for (int i = 0; i < 4; ++i) {
      qiv_paint::Copy(m_hMemDC, i * w, 0, w, h, hdc, m_rcControl.left, m_rcControl.top);
      MRender::DrawImageFrame(g, m_pImage, CRect(i * w, 0, i * w + frameWidth, h), i * m_frameWidth, 0, m_frameWidth,
                              m_frameHeight, 4);
    }
    if (withTip && m_title.IsEmpty() && !m_tip.IsEmpty()) {
      g.SetTextRenderingHint(m_textRenderingHint);
      auto font = ControlFont(*this);
      Gdiplus::StringFormat format;
      SetFormat(format, Gdiplus::StringAlignmentNear,
                vCentre ? Gdiplus::StringAlignmentCenter : Gdiplus::StringAlignmentNear);
      const CRect area(m_padding.left, m_padding.top, w - m_padding.right, h - m_padding.bottom);
      for (int i = 0; i < 4; ++i)
        Text(g, m_tip, *font, RectF(i * w + area.left, area.top + nudge, area.Width(), area.Height()), format,
             Gdiplus::Color(0xFF808080));
    }
  }
  qiv_paint::Copy(hdc, m_rcControl.left, m_rcControl.top, w, h, m_hMemDC, std::clamp(m_state, 0, 3) * w, 0);
}

void MRichEdit::DrawServices(HDC& hdc, CRect paint) {
  if (!m_host || !m_host->GetTextServices()) return;
  const CRect client = m_host->GetClientRect();
  RECTL bounds = {client.left, client.top, client.right, client.bottom};
  RECT update = paint;
  m_host->GetTextServices()->TxDraw(DVASPECT_CONTENT, 0, nullptr, nullptr, hdc, nullptr, &bounds, nullptr, &update,
                                     nullptr, 0, TXTVIEW_ACTIVE);
}

void MRichEdit::DrawControl(HDC& hdc, CRect paint) {
  if (m_rcControl.IsRectEmpty()) return;
  DrawBackground(hdc, m_rcControl.Width(), true, false, 0);
  DrawServices(hdc, paint);
}
