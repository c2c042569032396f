// The per-window engine: binds to the native window, owns its top-level controls in two
// ordered lists (areas, controls), creates them by class name, turns repaint requests
// into invalidation, paints double-buffered, routes input, runs the window's multimedia
// and window timers, and caches images and fonts. Every window of the library embeds one.
#pragma once
#include <windows.h>
#include <gdiplus.h>
#include <map>
#include <memory>
#include <set>
#include <vector>
#include "core/CString.h"
#include "core/CriticalSection.h"
#include "core/DibSection.h"
#include "core/DropTarget.h"
#include "core/Geometry.h"
#include "core/ImgResInfo.h"
#include "core/MControl.h"
#include "core/MShadow.h"
#include "core/MTimer.h"
#include "core/PictureMemo.h"
#include "core/RenderCanvas.h"
#include "qiv_export.h"

class MWindow;
class MRichEdit;
class MAirBladder;
enum AIRBLADDER_TYPE : int;
enum AIRBLADDER_MODE : int;

enum enumBackMode { BACKMODE_NORMAL = 0, BACKMODE_NINEGRID = 1 };
enum MsgLevel { MSG_LEVEL_INFO = 0, MSG_LEVEL_WARNING = 1, MSG_LEVEL_ERROR = 2 };

// One window timer of a control, kept for reuse after it is killed.
struct ControlTimerRecord {
  HWND window = nullptr;
  unsigned key = 0;
  unsigned id = 0;
  int killed = 0;
  MControl* control = nullptr;
};

class QIV_API PaintManager : public MTimer, public CIDropTarget {
public:
  enum : unsigned {
    // Fixed window-timer ids of the paint manager itself.
    kCaretTimer = 6553,
    kMessageHoldTimer = 66,
    kFadeTimer = 88,
    kProgressTimer = 99,
    // Control window timers take ids from this range, never one of the fixed ids.
    kFirstControlTimerId = 4097,
    kLastControlTimerId = 0x7FFF,
  };

  PaintManager();
  ~PaintManager() override;

  // ---- window binding, lists and repaint requests ----
  void Init(HWND window, MWindow* owner);
  void DestroyData();
  void OnDestroyMessage(HWND window);
  int PostNcDestroy();

  MControl* CreateArea(MObject* parent, const wchar_t* className, unsigned id, CRect rect, const wchar_t* title,
                       int a, int b);
  MControl* CreateControl(MObject* parent, const wchar_t* className, unsigned id, CRect rect, const wchar_t* title,
                          int a, int b);
  // The window factory: list type 0 areas, 1 controls, any other value no list.
  MControl* CreateControl(unsigned listType, MObject* parent, const wchar_t* className, unsigned id, CRect rect,
                          const wchar_t* title, int a, int b);
  MControl* GetControl(unsigned id);
  std::vector<MControl*>* GetControls() { return &m_controls; }
  std::vector<MControl*>* GetAreas() { return &m_areas; }
  void RemoveControl(MControl* control);
  void ClearAreaControls();
  void ClearControls();
  void ClearAllControls();
  void RefreshControls();
  // Drops every reference to a control that is being deleted (hover, focus, tooltip
  // owner, caret owner, multimedia clients, window timers), also for its descendants.
  void ForgetControl(MControl* control);

  long OnControlUpdate(CRect rect, int redraw, MControl* control);
  void Invalidate();
  void InvalidateRect(CRect rect, int erase);

  HWND GetPaintWnd() const { return m_hPaintWnd; }
  HDC GetPaintDC() const { return m_hPaintDC; }
  MWindow* GetMDialog() const { return m_pOwner; }
  HWND GetToolTipWnd() const { return m_hToolTip; }
  int IsInitialised() const { return m_bInit; }
  void GetClientRect(CRect& rect) const;
  void GetWindowRect(CRect& rect) const;
  void GetClientSize(int& width, int& height) const;
  LRESULT SendMessageW(UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT PostMessageW(UINT msg, WPARAM wParam, LPARAM lParam);
  void SetCaptionRect(CRect rect) { m_rcCaption = rect; }
  void GetCaptionRect(CRect& rect) const { rect = m_rcCaption; }
  void SetWindowMaxSize(int w, int h);
  void GetWindowManSize(int& w, int& h) const;
  void SetWindowMixSize(int w, int h);
  void GetWindowMinSize(int& w, int& h) const;
  void SetLayeredWindow(int layered) { m_bLayered = layered; }
  int IsLayered() const { return m_bLayered; }
  void EnableWndDrag(int enable) { m_bWndDrag = enable; }
  void SetScrollResID(unsigned vertical, unsigned horizontal);
  unsigned GetScrollVID() const { return m_uScrollVID; }
  unsigned GetScrollHID() const { return m_uScrollHID; }
  void SetDefaultEnabledColor(COLORREF color) { m_crDefaultEnabled = color; }
  COLORREF GetDefaultEnabledColor() const { return m_crDefaultEnabled; }
  void SetBackColor(COLORREF back, COLORREF frame);
  LRESULT OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam);
  int PreTranslateMessage(MSG* msg);

  int OnCreate();
  int OnSize();
  int OnMouseHover();
  int OnNcHitTest();
  int OnNcCalcSize();
  int OnWindowPosChanging();
  int OnNcPaint();
  int OnDestroy();
  int OnGetMinMaxInfo(MINMAXINFO* info);
  int OnWindowPosChanged(WINDOWPOS* pos);

  // ---- painting, layered windows, caret and overlay ----
  int LoadBKImage(CString file);
  int LoadBKImage(unsigned id, CString type);
  void SetBackMode(enumBackMode mode, int corner);
  int OnPaint();
  // Composes the window as a paint does into `dc`, which holds a bottom-up 32-bit DIB
  // of `size` whose pixels are `bits`; `update` is the rectangle to recompose.
  void Compose(HDC dc, BYTE* bits, CSize size, CRect update);
  void DrawBackImage(Gdiplus::Graphics& g, CRect client);
  void DrawControl(HDC& dc, CRect rect);
  int CreateCaret(HBITMAP bitmap, int width, int height);
  int SetCaretPos(MRichEdit* owner, int x, int y);
  int ShowCaret(int show);
  MRichEdit* GetCurrentCaretObject() const { return m_pCaretOwner; }
  void DrawCaret(HDC dc, const CRect& rect);
  CRect GetCaretRect() const { return m_rcCaret; }
  int GetCaretPhase() const { return m_bCaretPhase; }
  void SetMessage(CString text, CRect rect, MsgLevel level);
  void SetProgress(int value, CString text, CRect rect);
  int GetMessageAlpha() const { return m_msgAlpha; }
  int GetProgressShown() const { return m_progressShown; }
  CRect GetMessageRect() const { return m_rcMessage; }
  HBITMAP GetDropBitmap(MControl* control, const CRect& part, COLORREF color);
  // The window's kept back buffer (bottom-up 32-bit DIB of the client size), made on the
  // first paint and again only when the client size changes; empty before.
  const DibSection& GetBackBuffer() const { return m_backBuffer; }
  // The scratch canvas of this window's renders (RenderCanvas), lent to one at a time:
  // null while it is lent. UnlockCanvas gives it back.
  CanvasStore* LockCanvas();
  void UnlockCanvas(CanvasStore* store);
  // Pictures and text masks this window has drawn (PictureMemo).
  PictureMemo& GetPictureMemo() { return m_memo; }

  // ---- timers ----
  void OnMTimer(unsigned id) override;
  // The millisecond clock the tick guard reads; tests hand in their own.
  using TickSource = DWORD(WINAPI*)();
  void SetTickSource(TickSource source) { m_tickSource = source ? source : &::GetTickCount; }
  using MTimer::OnMTimer;
  void SetMTimer(unsigned period);
  unsigned GetMTimerID() const { return m_uMTimerID; }
  int KillMTimer(unsigned id);
  void KillMTimer();
  int AddMTimer(MControl* control);
  int DeleteFSTimer(MControl* control);
  int SetTimer(MControl* control, unsigned key, unsigned elapse);
  int KillTimer(MControl* control, unsigned key);
  void KillTimer(MControl* control);
  void ClearTimers();
  void OnTimer(unsigned id);
  // The window-timer id of a control's key; 0 when it has none.
  unsigned GetControlTimerID(MControl* control, unsigned key);

  // ---- image cache and fonts ----
  ImgResInfo* AddImgResInfo(const wchar_t* file, int count);
  ImgResInfo* AddImgResInfo(unsigned id, CString type, int count, int applicationFlag);
  void ClearImgResInfo();
  Gdiplus::FontFamily* AddTempFont(const wchar_t* face, const wchar_t* path);
  Gdiplus::FontFamily* AddTempFont(const wchar_t* face, unsigned id);
  void AddGDITempFont(unsigned id);
  // The family of a face: a registered private font or an installed one. The paint
  // manager owns it; callers keep it no longer than the window's data.
  Gdiplus::FontFamily* FindTempFont(const wchar_t* face);
  void ClearTempFont();
  // A GDI+ font of the face (FindTempFont; the generic sans-serif family when the face is
  // unknown), pixel size and style, made once and owned by the paint manager until its
  // fonts are cleared. Null when it cannot be made.
  const Gdiplus::Font* GetFont(const wchar_t* face, int pixelSize, Gdiplus::FontStyle style);
  // Whether `image` belongs to this window's image cache (and so lives until it is cleared).
  bool IsCachedImage(const Gdiplus::Image* image);

  // ---- drag and drop ----
  // Registers the paint window as the OLE drop target of four picture formats; 1 on success.
  int InitDragDrop();
  void OnDragOver(POINTL point) override;
  bool OnDrop(FORMATETC* format, STGMEDIUM& medium, DWORD* effect) override;

  // ---- drop shadow ----
  void CreateShadow(int show, bool force);
  int SetSize(int size);
  int SetSharpness(unsigned sharpness);
  int SetDarkness(unsigned darkness);
  int SetPosition(int x, int y);
  int SetShadowColor(COLORREF color);
  void SetShadowImage(const wchar_t* file, CRect corners);
  void SetShadowImage(unsigned resourceId, CRect corners);
  void SetShadowShow(int show);
  void DisableShadow(int disable);
  MShadow& GetShadow() { return m_shadow; }

  // ---- mouse, keyboard, focus, tooltip and balloon ----
  int OnMouseMove(unsigned flags, CPoint point);
  int OnMouseLeave(unsigned flags, long lParam);
  int OnLButtonDown(unsigned flags, CPoint point);
  int OnLButtonUp(unsigned flags, CPoint point);
  int OnLButtonDblClk(unsigned flags, CPoint point);
  int OnRButtonDown(unsigned flags, CPoint point);
  int OnRButtonUp(unsigned flags, CPoint point);
  int OnRButtonDblClk(unsigned flags, CPoint point);
  int OnMouseWheel(unsigned flags, short delta, CPoint screenPoint);
  int OnKeyDown(unsigned key, long lParam);
  int OnKeyUp(unsigned key, long lParam);
  int OnNcActivate(int active);
  void SetFocusControl(MControl* control);
  MControl* GetFocusControl() const { return m_pFocus; }
  MControl* GetHoverControl() const { return m_pHover; }
  MControl* GetNextFocusableControl();
  MControl* GetPrevFocusableControl();
  HWND SetCapture();
  int ReleaseCapture();
  int IsCaptured() const { return m_bCaptured; }
  void SetTooltip(const wchar_t* text, CRect rect);
  void ClearTooltip();
  int GetTooltipCtrlID() const { return m_nTooltipOwner; }
  void SetTooltipCtrlID(int id) { m_nTooltipOwner = id; }
  int SetAirBladderMsg(const wchar_t* text, POINT point, AIRBLADDER_TYPE type, AIRBLADDER_MODE mode);
  int ShowAirBladder(int show, int key);
  MAirBladder* GetAirBladder() const { return m_pAirBladder.get(); }
  // The modifier code of the keys held now: 0x12 Alt, 0x11 Ctrl, 0x10 Shift, OR-ed.
  static unsigned ModifierCode();

private:
  void DeliverToHover(int (MControl::*handler)(unsigned, CPoint), unsigned flags, CPoint point);
  bool IsWindowAlive() const { return m_hPaintWnd && ::IsWindow(m_hPaintWnd); }
  void InvalidateCaret();
  void InvalidateMessage();
  // Runs `visit` over the controls list under its lock; removals meanwhile are deferred.
  template <class Visit>
  void WalkControls(Visit visit);
  void FlushDeferred();
  struct RoutingScope {
    explicit RoutingScope(PaintManager& m) : manager(m), lock(m.m_controlsLock) { ++manager.m_walkDepth; }
    ~RoutingScope() {
      if (--manager.m_walkDepth == 0) manager.FlushDeferred();
    }
    PaintManager& manager;
    CriticalSectionLock lock;
  };
  void DeleteListed(MControl* control);
  void OnOverlayTimer(unsigned id);
  bool TryLockTickChain(MControl* client);
  void UnlockTickChain(MControl* client);
  void OnCaretTimer();
  // Frees the back buffer, the render canvas and the memo of drawn pictures.
  void ReleasePaintBuffers();
  int StartDrag();
  Gdiplus::FontFamily* KeepFamily(const wchar_t* face, std::unique_ptr<Gdiplus::PrivateFontCollection> collection);
  // Keeps `family` (owned) for the face, with its collection when the window owns one.
  Gdiplus::FontFamily* KeepFamily(const wchar_t* face, Gdiplus::FontFamily* family,
                                  std::unique_ptr<Gdiplus::PrivateFontCollection> collection);

  MWindow* m_pOwner = nullptr;
  int m_bInit = 0;
  HWND m_hPaintWnd = nullptr;
  HDC m_hPaintDC = nullptr;
  COLORREF m_crBack = 0xFCFCFC;
  COLORREF m_crFrame = 0xFCFCFC;
  CRect m_rcCaption;
  int m_maxWidth = 0, m_maxHeight = 0;
  int m_minWidth = 0, m_minHeight = 0;
  CPoint m_lastDragPoint;
  int m_bDragArmed = 0;
  HBITMAP m_hDragBitmap = nullptr;
  int m_bLayered = 0;
  std::unique_ptr<Gdiplus::Image> m_pBkImage;
  int m_bkWidth = 0, m_bkHeight = 0;
  CString m_msgText;
  MsgLevel m_msgLevel = MSG_LEVEL_INFO;
  int m_msgAlpha = 0;
  int m_progressShown = 0;
  int m_progressTarget = 0;
  CString m_msgFontName = L"Roboto-Medium";
  CRect m_rcMessage;
  unsigned m_uMTimerID = 0;
  unsigned m_uTimerCounter = kFirstControlTimerId - 1;
  DWORD m_lastMTick = 0;
  TickSource m_tickSource = &::GetTickCount;
  int m_bMouseTracking = 0;
  int m_bLButtonDown = 0;
  int m_bCaptured = 0;
  int m_bWndDrag = 1;
  unsigned m_uScrollVID = 0;
  unsigned m_uScrollHID = 0;
  COLORREF m_crDefaultEnabled = 0x808080;
  MControl* m_pHover = nullptr;
  MControl* m_pFocus = nullptr;
  int m_nTooltipOwner = 0;
  HWND m_hToolTip = nullptr;
  std::unique_ptr<MAirBladder> m_pAirBladder;
  int m_nAirBladderKey = 0;
  std::vector<MControl*> m_areas;
  std::vector<MControl*> m_controls;
  std::vector<MControl*> m_mtimerClients;
  CriticalSection m_areasLock;
  CriticalSection m_controlsLock;
  CriticalSection m_clientsLock;
  enumBackMode m_backMode = BACKMODE_NORMAL;
  int m_corner = 4;
  CRect m_rcCaret;
  int m_bCaretPhase = 0;
  int m_bCaretShown = 0;
  MRichEdit* m_pCaretOwner = nullptr;
  std::map<CString, std::unique_ptr<ImgResInfo>> m_skinImages;
  std::map<unsigned, std::unique_ptr<ImgResInfo>> m_appImages;
  std::map<unsigned, std::unique_ptr<ImgResInfo>> m_libImages;
  CriticalSection m_imageLock;
  std::vector<std::unique_ptr<ControlTimerRecord>> m_timerRecords;
  CriticalSection m_timerLock;
  std::map<CString, std::unique_ptr<Gdiplus::FontFamily>> m_fonts;
  std::map<CString, std::unique_ptr<Gdiplus::PrivateFontCollection>> m_fontCollections;
  std::vector<HANDLE> m_memFonts;
  std::map<CString, std::unique_ptr<Gdiplus::Font>> m_gdipFonts;
  CriticalSection m_fontLock;
  std::set<const Gdiplus::Image*> m_cachedImages;
  DibSection m_backBuffer{DibSection::Rows::BottomUp};
  std::unique_ptr<CanvasStore> m_canvas;
  CriticalSection m_canvasLock;
  PictureMemo m_memo;
  int m_walkDepth = 0;
  std::vector<MControl*> m_deferred;
  MShadow m_shadow;
};

template <class Visit>
void PaintManager::WalkControls(Visit visit) {
  CriticalSectionLock lock(m_controlsLock);
  ++m_walkDepth;
  for (size_t i = 0; i < m_controls.size(); ++i) {
    MControl* control = m_controls[i];
    if (control && visit(control)) break;
  }
  if (--m_walkDepth == 0) FlushDeferred();
}
