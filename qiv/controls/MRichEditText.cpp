// The text-services wrappers of MRichEdit: each sends one rich-edit or window message.
#include <vector>
#include "controls/MRichEdit.h"

namespace {
LPARAM Ptr(const void* p) { return reinterpret_cast<LPARAM>(p); }
}  // namespace

long MRichEdit::GetTextLength(DWORD flags) {
  GETTEXTLENGTHEX length = {flags, 1200};
  return static_cast<long>(Send(EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&length), 0));
}

int MRichEdit::GetModify() { return m_host && Send(EM_GETMODIFY) == 1 ? 1 : 0; }
void MRichEdit::SetModify(int modified) { Send(EM_SETMODIFY, static_cast<WPARAM>(modified), 0); }

void MRichEdit::GetSel(CHARRANGE& range) {
  range = CHARRANGE{0, 0};
  Send(EM_EXGETSEL, 0, Ptr(&range));
}

void MRichEdit::GetSel(long& start, long& end) {
  CHARRANGE range;
  GetSel(range);
  start = range.cpMin;
  end = range.cpMax;
}

int MRichEdit::SetSel(CHARRANGE& range) { return static_cast<int>(Send(EM_EXSETSEL, 0, Ptr(&range))); }

int MRichEdit::SetSel(long start, long end) {
  CHARRANGE range = {start, end};
  return SetSel(range);
}

void MRichEdit::ReplaceSel(const wchar_t* text, int undo) { Send(EM_REPLACESEL, static_cast<WPARAM>(undo), Ptr(text)); }
void MRichEdit::ReplaceSelW(const wchar_t* text, int undo) { ReplaceSel(text, undo); }

CString MRichEdit::GetSelText() {
  if (!m_host) return CString();
  CHARRANGE range;
  GetSel(range);
  const long count = range.cpMax - range.cpMin;
  if (count <= 0) return CString();
  std::vector<wchar_t> buffer(static_cast<size_t>(count) + 1, L'\0');
  Send(EM_GETSELTEXT, 0, Ptr(buffer.data()));
  buffer.back() = L'\0';
  return CString(buffer.data());
}

int MRichEdit::SetSelAll() { return SetSel(0, -1); }
int MRichEdit::SetSelNone() { return SetSel(-1, 0); }

bool MRichEdit::GetZoom(int& numerator, int& denominator) {
  WPARAM n = 0;
  LPARAM d = 0;
  const bool ok = Send(EM_GETZOOM, reinterpret_cast<WPARAM>(&n), Ptr(&d)) == 1;
  numerator = static_cast<int>(n);
  denominator = static_cast<int>(d);
  return ok;
}

bool MRichEdit::SetZoom(int numerator, int denominator) {
  if (numerator > 64 || denominator > 64) return false;
  return Send(EM_SETZOOM, static_cast<WPARAM>(numerator), denominator) == 1;
}

bool MRichEdit::SetZoomOff() { return Send(EM_SETZOOM, 0, 0) == 1; }
WORD MRichEdit::GetSelectionType() { return static_cast<WORD>(Send(EM_SELECTIONTYPE)); }
bool MRichEdit::GetAutoURLDetect() { return Send(EM_GETAUTOURLDETECT) == 1; }
bool MRichEdit::SetAutoURLDetect(int enable) { return Send(EM_AUTOURLDETECT, static_cast<WPARAM>(enable), 0) == 0; }
DWORD MRichEdit::GetEventMask() { return static_cast<DWORD>(Send(EM_GETEVENTMASK)); }
DWORD MRichEdit::SetEventMask(DWORD mask) { return static_cast<DWORD>(Send(EM_SETEVENTMASK, 0, mask)); }

CString MRichEdit::GetTextRange(long start, long end) {
  if (!m_host || start < 0) return CString();
  if (end == -1) end = GetTextLength();
  if (end <= start) return CString();
  std::vector<wchar_t> buffer(static_cast<size_t>(end - start) + 1, L'\0');
  TEXTRANGEW range = {{start, end}, buffer.data()};
  Send(EM_GETTEXTRANGE, 0, Ptr(&range));
  buffer.back() = L'\0';
  return CString(buffer.data());
}

void MRichEdit::HideSelection(int hide, int permanent) {
  Send(EM_HIDESELECTION, static_cast<WPARAM>(hide), permanent);
}

void MRichEdit::ScrollCaret() { Send(EM_SCROLLCARET); }

int MRichEdit::InsertText(long pos, const wchar_t* text, int undo) {
  const int r = SetSel(pos, pos);
  ReplaceSel(text, undo);
  return r;
}

int MRichEdit::AppendText(const wchar_t* text, int undo) {
  const int r = SetSel(-1, -1);
  ReplaceSel(text, undo);
  return r;
}

DWORD MRichEdit::GetDefaultCharFormat(CHARFORMAT2W& format) {
  format.cbSize = sizeof(format);
  return static_cast<DWORD>(Send(EM_GETCHARFORMAT, 0, Ptr(&format)));
}

DWORD MRichEdit::GetSelectionCharFormat(CHARFORMAT2W& format) {
  format.cbSize = sizeof(format);
  return static_cast<DWORD>(Send(EM_GETCHARFORMAT, 1, Ptr(&format)));
}

int MRichEdit::SetDefaultCharFormat(CHARFORMAT2W& format) {
  if (!m_host || Send(EM_SETCHARFORMAT, 0, Ptr(&format)) != 1) return 0;
  CHARFORMAT2W current = {};
  current.cbSize = sizeof(current);
  Send(EM_GETCHARFORMAT, 1, Ptr(&current));
  m_host->SetCharFormat(current);
  return 1;
}

bool MRichEdit::SetSelectionCharFormat(CHARFORMAT2W& format) {
  return m_host && Send(EM_SETCHARFORMAT, SCF_SELECTION, Ptr(&format)) == 1;
}

bool MRichEdit::SetWordCharFormat(CHARFORMAT2W& format) {
  return m_host && Send(EM_SETCHARFORMAT, SCF_SELECTION | SCF_WORD, Ptr(&format)) == 1;
}

DWORD MRichEdit::GetParaFormat(PARAFORMAT2& format) {
  format.cbSize = sizeof(format);
  return static_cast<DWORD>(Send(EM_GETPARAFORMAT, 0, Ptr(&format)));
}

int MRichEdit::SetParaFormat(PARAFORMAT2& format) {
  if (!m_host || Send(EM_SETPARAFORMAT, 0, Ptr(&format)) != 1) return 0;
  m_host->SetParaFormat(format);
  return 1;
}

bool MRichEdit::CanUndo() { return m_host && Send(EM_CANUNDO) == 1; }
bool MRichEdit::CanRedo() { return m_host && Send(EM_CANREDO) == 1; }
bool MRichEdit::CanPaste(UINT format) { return m_host && Send(EM_CANPASTE, format, 0) == 1; }
bool MRichEdit::Undo() { return m_host && Send(EM_UNDO) == 1; }
bool MRichEdit::Redo() { return m_host && Send(EM_REDO) == 1; }

void MRichEdit::Clear() {
  SetSel(0, -1);
  Send(WM_CLEAR);
}

void MRichEdit::Copy() { Send(WM_COPY); }
void MRichEdit::Cut() { Send(WM_CUT); }
void MRichEdit::Paste() { Send(WM_PASTE); }

int MRichEdit::GetLineCount() { return m_host ? static_cast<int>(Send(EM_GETLINECOUNT)) : 0; }
int MRichEdit::LineIndex(int line) { return static_cast<int>(Send(EM_LINEINDEX, static_cast<WPARAM>(line), 0)); }
int MRichEdit::LineLength(int line) { return static_cast<int>(Send(EM_LINELENGTH, static_cast<WPARAM>(line), 0)); }
long MRichEdit::LineFromChar(long ch) { return m_host ? static_cast<long>(Send(EM_EXLINEFROMCHAR, 0, ch)) : 0; }

CString MRichEdit::GetLine(int line, int maxLength) {
  if (!m_host || maxLength <= 0) return CString();
  std::vector<wchar_t> buffer(static_cast<size_t>(maxLength) + 1, L'\0');
  buffer[0] = static_cast<wchar_t>(maxLength);
  const LRESULT n = Send(EM_GETLINE, static_cast<WPARAM>(line), Ptr(buffer.data()));
  if (n <= 0) return CString();
  buffer[std::min<size_t>(static_cast<size_t>(n), buffer.size() - 1)] = L'\0';
  return CString(buffer.data());
}

bool MRichEdit::LineScroll(int lines, int chars) { return Send(EM_LINESCROLL, static_cast<WPARAM>(chars), lines) == 1; }

CPoint MRichEdit::PosFromChar(long ch) {
  POINTL point = {0, 0};
  Send(EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&point), ch);
  return CPoint(point.x, point.y);
}

int MRichEdit::CharFromPos(CPoint point) {
  if (!m_host) return 0;
  POINTL p = {point.x, point.y};
  return static_cast<int>(Send(EM_CHARFROMPOS, 0, Ptr(&p)));
}

void MRichEdit::EmptyUndoBuffer() { Send(EM_EMPTYUNDOBUFFER); }
DWORD MRichEdit::SetUndoLimit(DWORD limit) { return m_host ? static_cast<DWORD>(Send(EM_SETUNDOLIMIT, limit, 0)) : 0; }

void MRichEdit::LineUp() { Send(WM_VSCROLL, SB_LINEUP, 0); }
void MRichEdit::LineDown() { Send(WM_VSCROLL, SB_LINEDOWN, 0); }
void MRichEdit::PageUp() { Send(WM_VSCROLL, SB_PAGEUP, 0); }
void MRichEdit::PageDown() { Send(WM_VSCROLL, SB_PAGEDOWN, 0); }
void MRichEdit::HomeUp() { Send(WM_VSCROLL, SB_TOP, 0); }
void MRichEdit::EndDown() { Send(WM_VSCROLL, SB_BOTTOM, 0); }
void MRichEdit::LineLeft() { Send(WM_HSCROLL, SB_LINEUP, 0); }
void MRichEdit::LineRight() { Send(WM_HSCROLL, SB_LINEDOWN, 0); }
void MRichEdit::PageLeft() { Send(WM_HSCROLL, SB_PAGEUP, 0); }
void MRichEdit::PageRight() { Send(WM_HSCROLL, SB_PAGEDOWN, 0); }
void MRichEdit::HomeLeft() { Send(WM_HSCROLL, SB_TOP, 0); }
void MRichEdit::EndRight() { Send(WM_HSCROLL, SB_BOTTOM, 0); }
