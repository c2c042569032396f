// The windowless rich edit: a panel whose text, caret, selection, undo and formatting are
// the system's text services (through CTxtWinHost), drawn over a 4-state background
// picture (normal, hover, focused or pressed, disabled). The paint manager draws its
// caret in the edit's text colour while the edit holds the focus (layered windows).
#pragma once
#include <vector>
#include "controls/CTxtWinHost.h"
#include "core/MPanel.h"

class QIV_API MRichEdit : public MPanel {
public:
  MRichEdit(MObject* parent, unsigned id, CRect rect, const wchar_t* text, int visible, int enabled);
  ~MRichEdit() override;
  const wchar_t* GetClassNameW() const override;

  void InitControl(PaintManager* manager) override;
  void DrawControl(HDC& hdc, CRect paint) override;
  int SetControlFocus(int focus) override;
  long OnWindowMessage(unsigned msg, unsigned wParam, long lParam) override;
  long OnMessage(unsigned id, unsigned code, unsigned wParam, long lParam) override;
  void SetControlRect(CRect rect) override;
  void SetControlEnabled(int enabled) override;
  int OnControlTimer() override;
  int OnControlMouseMove(unsigned flags, CPoint point) override;
  int OnControlLButtonDown(unsigned flags, CPoint point) override;
  int OnControlLButtonUp(unsigned flags, CPoint point) override;
  int OnControlScroll(int delta, unsigned direction, CPoint point) override;
  int OnControlKeyDown(unsigned key, unsigned repeat, unsigned modifiers) override;
  void SetTextFont(CString name) override;
  // Keeps the colour also as a COLORREF, the caret's and the services' text colour.
  void SetTextColor(Gdiplus::Color colour) override;
  void SetControlTitle(const wchar_t* title) override;
  CString GetControlTitle() override;

  // Passes a message to the text services; 1 without them.
  virtual HRESULT TxSendMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result);
  virtual int OnTxViewChanged(int update);
  virtual HRESULT OnTxNotify(DWORD code, void* data);

  // ---- set-up and state ----
  void SetTipInfo(const wchar_t* tip) { m_tip = tip; }
  CString GetTipInfo() const { return m_tip; }
  int SetIconImage(const wchar_t* file, int frames);
  Gdiplus::Color GetTextColor() const { return m_textColor; }
  COLORREF GetTextColorRef() const { return m_crText; }
  int IsMultiLine() const { return (m_style & ES_MULTILINE) ? 1 : 0; }
  void SetMultiLine(int multi);
  int IsWantTab() const { return m_bWantTab; }
  void SetWantTab(int want) { m_bWantTab = want; }
  int IsWantReturn() const { return m_bWantReturn; }
  void SetWantReturn(int want) { m_bWantReturn = want; }
  int IsWantCtrlReturn() const { return m_bWantCtrlReturn; }
  void SetWantCtrlReturn(int want) { m_bWantCtrlReturn = want; }
  int IsAccumulateDBCMode() const { return m_bAccumulateDBC; }
  void SetAccumulateDBCMode(int mode) { m_bAccumulateDBC = mode; }
  long GetWinStyle() const { return static_cast<long>(m_style); }
  void SetWinStyle(long style) { m_style = static_cast<DWORD>(style); }
  wchar_t GetPassWordChar() const { return m_passwordChar; }
  void SetPassWordChar(wchar_t ch) { m_passwordChar = ch; }
  RECT GetTextPadding() const { return m_padding; }
  void SetTextPadding(RECT padding);
  int IsRich() const { return m_bRich; }
  void SetRich(int rich);
  int IsReadOnly() const { return m_bReadOnly; }
  void SetReadOnly(int readOnly);
  int GetWordWrap() const { return m_bWordWrap; }
  void SetWordWrap(int wrap);
  int GetPassword() const { return m_bPassword; }
  void SetPassword(int password);
  int GetLimitText() const { return m_limit; }
  void SetLimitText(int limit);
  void SetFont();
  void SetFont(const wchar_t* face, int size, int bold, int underline, int italic);
  // A new GDI font from the control font; the caller deletes it.
  HFONT GetDefaultFont();
  int SaveRtf(const wchar_t* file);
  int LoadRtf(const wchar_t* file);
  long StreamOut(int format, EDITSTREAM& stream);
  long StreamIn(int format, EDITSTREAM& stream);
  IDropTarget* GetTxDropTarget();
  int SetDropAcceptFile(int accept);
  CTxtWinHost* GetHost() const { return m_host; }
  int GetState() const { return m_state; }
  // The text area (the rectangle inset by the padding, less the scroll bars).
  CRect GetTextRect() const { return m_host ? m_host->GetClientRect() : CRect(); }
  // The edit's context menu (commands 101-107), greyed as the text and selection allow;
  // the caller destroys it.
  HMENU CreateContextMenu();
  // The host records the text services' timers here; their ticks go back as WM_TIMER.
  void NoteTimer(UINT id, bool running);

  // ---- text-services wrappers ----
  long GetTextLength(DWORD flags = GTL_DEFAULT);
  int GetModify();
  void SetModify(int modified = 1);
  void GetSel(CHARRANGE& range);
  void GetSel(long& start, long& end);
  int SetSel(CHARRANGE& range);
  int SetSel(long start, long end);
  void ReplaceSel(const wchar_t* text, int undo = 0);
  void ReplaceSelW(const wchar_t* text, int undo = 0);
  CString GetSelText();
  int SetSelAll();
  int SetSelNone();
  bool GetZoom(int& numerator, int& denominator);
  bool SetZoom(int numerator, int denominator);
  bool SetZoomOff();
  WORD GetSelectionType();
  bool GetAutoURLDetect();
  bool SetAutoURLDetect(int enable = 1);
  DWORD GetEventMask();
  DWORD SetEventMask(DWORD mask);
  // Characters start .. end; an end of -1 means the end of the text, an end before the
  // start gives an empty text.
  CString GetTextRange(long start, long end);
  void HideSelection(int hide = 1, int permanent = 0);
  void ScrollCaret();
  int InsertText(long pos, const wchar_t* text, int undo = 0);
  int AppendText(const wchar_t* text, int undo = 0);
  DWORD GetDefaultCharFormat(CHARFORMAT2W& format);
  DWORD GetSelectionCharFormat(CHARFORMAT2W& format);
  int SetDefaultCharFormat(CHARFORMAT2W& format);
  bool SetSelectionCharFormat(CHARFORMAT2W& format);
  bool SetWordCharFormat(CHARFORMAT2W& format);
  DWORD GetParaFormat(PARAFORMAT2& format);
  int SetParaFormat(PARAFORMAT2& format);
  bool CanUndo();
  bool CanRedo();
  bool CanPaste(UINT format = 0);
  bool Undo();
  bool Redo();
  void Clear();
  void Copy();
  void Cut();
  void Paste();
  int GetLineCount();
  int LineIndex(int line = -1);
  int LineLength(int line = -1);
  long LineFromChar(long ch);
  CString GetLine(int line, int maxLength);
  bool LineScroll(int lines, int chars = 0);
  CPoint PosFromChar(long ch);
  int CharFromPos(CPoint point);
  void EmptyUndoBuffer();
  DWORD SetUndoLimit(DWORD limit);
  void LineUp();
  void LineDown();
  void PageUp();
  void PageDown();
  void HomeUp();
  void EndDown();
  void LineLeft();
  void LineRight();
  void PageLeft();
  void PageRight();
  void HomeLeft();
  void EndRight();

  // The LOGFONT of a GDI font for `face`: DEFAULT_GUI_FONT's description with the face
  // (terminated, at most 31 characters), DEFAULT_CHARSET, height -size and the styles.
  static LOGFONTW MakeLogFont(const wchar_t* face, int size, int bold, int underline, int italic);

protected:
  // Sends and answers the result; 0 without a host.
  LRESULT Send(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
  void Repaint(int redraw);
  void ActivateAndFocus();
  // Placeholder repaint when a tip exists and the text turns empty or not empty.
  void NoteTitle(const CString& title);
  // Draws the four background frames and the tip; `vCentre` and `nudge` place the tip.
  void DrawBackground(HDC& hdc, int frameWidth, bool withTip, bool vCentre, int nudge);
  void DrawServices(HDC& hdc, CRect paint);
  CRect PaddedArea() const;
  // The one-line edits' layout (MEditEx, CLogonEdit): the rectangle with the given top and
  // bottom padding, the bars inside the padded area whatever their visibility.
  void LayOut(CRect rect, int top, int bottom);

  int m_state = 0;
  CTxtWinHost* m_host = nullptr;
  int m_bWantTab = 1, m_bWantReturn = 1, m_bWantCtrlReturn = 1;
  int m_bRich = 1;
  int m_bReadOnly = 0;
  int m_bPassword = 0;
  int m_bWordWrap = 0;
  COLORREF m_crText = 0x141414;
  int m_limit = 256;
  DWORD m_style = 0x200044;
  int m_bInitialised = 0;
  int m_bAccumulateDBC = 0;
  CString m_tip;
  RECT m_padding = {5, 5, 5, 5};
  wchar_t m_passwordChar = static_cast<wchar_t>(0xA1F1);
  Gdiplus::Image* m_icon = nullptr;  // owned by the window's image cache
  int m_iconWidth = 0, m_iconHeight = 0, m_iconFrames = 1;
  std::vector<UINT> m_timers;
};
