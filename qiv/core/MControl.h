// The owner-drawn control: place, visibility, two owned child lists (areas drawn below,
// controls drawn above and routed input), input routing down the child tree, drawing
// with a cached memory bitmap, notifications and repaint requests up to the parent.
#pragma once
#include <windows.h>
#include <vector>
#include "core/CString.h"
#include "core/CriticalSection.h"
#include "core/Geometry.h"
#include "core/MObject.h"
#include "qiv_export.h"

class PaintManager;

class QIV_API MControl : public MObject {
public:
  // Cursor names that SetCursorEx recognises, by address.
  static const wchar_t CursorArrow[];
  static const wchar_t CursorWait[];
  static const wchar_t CursorCross[];
  static const wchar_t CursorSizeWE[];
  static const wchar_t CursorSizeNS[];
  static const wchar_t CursorHand[];
  static const wchar_t CursorHelp[];

  MControl(MObject* parent, unsigned id, CRect rect, int visible, int enabled, int response);
  ~MControl() override;
  MControl(const MControl&) = delete;
  MControl& operator=(const MControl&) = delete;

  const wchar_t* GetClassNameW() const override;

  virtual void InitControl(PaintManager* manager);
  virtual int IsDragDrop();
  virtual int PtInRect(CPoint point);
  virtual void DrawControl(HDC& hdc, CRect paint) = 0;
  virtual int DrawSubControls(HDC& hdc, CRect paint);
  virtual int IsDraw(CPoint point);
  virtual void SetUpdate(int valid, DWORD color);
  virtual void SetUpdateEx(int valid);
  virtual int SetControlFocus(int focus);
  virtual void InitUI(CRect rect);
  virtual int OnMousePointChange(CPoint& point);
  virtual int OnCheckMouseResponse(unsigned flags, CPoint point);
  virtual long OnWindowMessage(unsigned msg, unsigned wParam, long lParam);
  virtual long OnMessage(unsigned id, unsigned code, unsigned wParam, long lParam);
  virtual void SetControlRect(CRect rect);
  virtual void SetControlVisible(int visible);
  virtual void SetControlWndVisible(int visible);
  virtual void SetControlEnabled(int enabled);
  virtual int OnControlTimer();
  virtual HBITMAP GetControlDropBitmap();
  virtual int OnControlMouseMove(unsigned flags, CPoint point);
  virtual int OnControlSetCursor(unsigned flags, CPoint point);
  virtual int OnControlLButtonDown(unsigned flags, CPoint point);
  virtual int OnControlLButtonUp(unsigned flags, CPoint point);
  virtual int OnControlLButtonDblClk(unsigned flags, CPoint point);
  // direction 1: the wheel turned towards the user (scrolling down).
  virtual int OnControlScroll(int delta, unsigned direction, CPoint point);
  virtual int OnControlRButtonDown(unsigned flags, CPoint point);
  virtual int OnControlRButtonUp(unsigned flags, CPoint point);
  virtual int OnControlRButtonDblClk(unsigned flags, CPoint point);
  virtual int OnControlKeyDown(unsigned key, unsigned repeat, unsigned modifiers);
  virtual void OnPositionChange();
  virtual void InvalidateRect(const RECT* rect, int erase);

  void SetManager(PaintManager* manager);
  PaintManager* GetManager() const { return m_pManager; }
  MObject* GetParantObject() const { return m_pParent; }
  void SetParent(MObject* parent) { m_pParent = parent; }
  unsigned GetControlID() const { return m_uID; }
  CRect GetRect() const { return m_rcControl; }
  int IsVisible() const { return m_bVisible; }
  int IsEnabled() const { return m_bEnabled; }
  std::vector<MControl*>* GetControls() { return &m_controls; }
  std::vector<MControl*>* GetAreas() { return &m_areas; }
  int GetUpdate() const { return m_bUpdate; }
  int GetDblClk() const { return m_bDblClk; }
  int IsFocused() const { return m_bFocused; }
  int IsRunTimer() const { return m_bRunTimer; }
  void SetRunTimer(int run) { m_bRunTimer = run; }
  int GetRresponse() const { return m_bResponse; }
  void SetRresponse(int response) { m_bResponse = response; }
  void SetDragDrop(int drag) { m_bDragDrop = drag; }
  void SetTabStop(int tabStop) { m_bTabStop = tabStop; }
  int IsTabStop() const { return m_bTabStop; }
  CString GetTooltip() const { return m_tooltip; }
  MControl* GetHotChild() const { return m_pHotChild; }
  int IsPressed() const { return m_bPressed; }

  void SetRect(CRect rect);
  void SetRect(int x, int y, int width, int height);
  void SetVisible(int visible);
  void SetVisible(int visible, int repaint);
  void SetEnabled(int enabled);
  int IsParentVisible() const;
  void UpdateControl(int redraw, int force);
  void UpdateControl(CRect rect, int force, int redraw);
  void UpdateAControl(int keep, int force);
  long SendMessageW(unsigned code, unsigned wParam, long lParam);

  int OnMouseMove(unsigned flags, CPoint point);
  int OnLButtonDown(unsigned flags, CPoint point);
  int OnLButtonUp(unsigned flags, CPoint point);
  int OnLButtonDblClk(unsigned flags, CPoint point);
  int OnRButtonDown(unsigned flags, CPoint point);
  int OnRButtonUp(unsigned flags, CPoint point);
  int OnRButtonDblClk(unsigned flags, CPoint point);
  int OnScroll(int delta, unsigned direction, CPoint point);
  int OnKeyDown(unsigned key, unsigned repeat, unsigned modifiers);
  int OnKeyUp(unsigned key, unsigned repeat, unsigned modifiers);
  int OnTimer();
  int OnFocus(int focus);
  int IsFocusControl() const;
  MControl* GetFocusControl(MControl* from);
  MControl* GetNextFocusableControl(MControl* from);
  MControl* GetPrevFocusableControl(MControl* from);

  MControl* GetControl(unsigned id);
  // Deletes the child (controls list). A child removed while this control routes an
  // event through its list is taken out at once but deleted when the walk has ended.
  int RemoveControl(MControl* child);
  void RemoveAllControl();
  // Appends an owned child (0 areas, 1 controls) under that list's lock.
  void AppendChild(unsigned listType, MControl* child);
  void AddMTimer();
  // The controls lock, for a caller that must not block on it (the timer thread).
  bool TryLockControls() { return m_controlsLock.TryLock(); }
  void UnlockControls() { m_controlsLock.Unlock(); }

  void Draw(HDC& hdc, CRect paint);
  void UpdateMemDC(HDC& hdc, int width, int height);
  void UpdateAnimateDC(HDC& hdc, int width, int height);
  HBITMAP GetDropBitmap();
  HDC GetMemDC() const { return m_hMemDC; }

  void SetTooltip(const wchar_t* text);
  void SetTooltip(CString text, CRect rect);
  void ClearTooltip();
  void SetTooltipCtrlID(int id);
  int GetTooltipCtrlID() const;
  long SetCursorEx(const wchar_t* name);
  HCURSOR GetCursor() const { return m_hCursor; }

  // Resolves a position descriptor against the span from a to b.
  static int PositionItem2Value(const ZK_POSITION_ITEM& item, int a, int b);

protected:
  int UseImageECM() const { return m_bImageECM; }
  int IsKeyDown() const { return m_bKeyDown; }
  // The point a child receives: the outer point for a panel's own bars (ids 1 and 2).
  static CPoint ChildPoint(const MControl* child, CPoint outer, CPoint changed);
  // Runs `visit` on every non-null child of the controls list under the controls lock;
  // removals made meanwhile are deferred until the outermost walk ends.
  template <class Visit>
  void WalkControls(Visit visit);
  // Forgets every pointer this control keeps to `gone` (about to be deleted).
  void ForgetChild(MControl* gone);

  MObject* m_pParent = nullptr;
  PaintManager* m_pManager = nullptr;
  unsigned m_uID = 0;
  CRect m_rcControl;
  int m_bVisible = 0;
  int m_bEnabled = 0;
  int m_bDragDrop = 0;
  int m_bResponse = 0;
  int m_bTabStop = 0;
  int m_bDblClk = 0;
  int m_bPressed = 0;
  int m_bKeyDown = 0;
  int m_bFocused = 0;
  unsigned m_uShortcutKey = 0;
  unsigned m_uShortcutModifiers = 0;
  int m_bUpdate = 0;
  int m_bAnimateUpdate = 0;
  int m_bRunTimer = 0;
  int m_bRun = 0;
  int m_bImageECM = 0;
  std::vector<MControl*> m_areas;
  std::vector<MControl*> m_controls;
  CriticalSection m_areasLock;
  CriticalSection m_controlsLock;
  MControl* m_pHotChild = nullptr;
  int m_memWidth = 0;
  int m_memHeight = 0;
  HBITMAP m_hMemBitmap = nullptr;
  HDC m_hMemDC = nullptr;
  HGDIOBJ m_hOldBitmap = nullptr;
  int m_animWidth = 0;
  int m_animHeight = 0;
  HBITMAP m_hAnimBitmap = nullptr;
  HDC m_hAnimDC = nullptr;
  HGDIOBJ m_hOldAnimBitmap = nullptr;
  CString m_tooltip;
  HCURSOR m_hCursor = nullptr;

private:
  int RouteButtonDown(unsigned flags, CPoint point, bool left);
  int RouteButtonUp(unsigned flags, CPoint point, bool left);
  int RouteDblClk(unsigned flags, CPoint point, bool left);
  void FlushDeferred();
  // Holds the controls lock and defers deletions for the length of one routing call, so
  // that a handler may remove any child, even the one being called.
  struct RoutingScope {
    explicit RoutingScope(MControl& c) : control(c), lock(c.m_controlsLock) { ++control.m_walkDepth; }
    ~RoutingScope() {
      if (--control.m_walkDepth == 0) control.FlushDeferred();
    }
    MControl& control;
    CriticalSectionLock lock;
  };

  int m_walkDepth = 0;
  std::vector<MControl*> m_deferred;
};

template <class Visit>
void MControl::WalkControls(Visit visit) {
  CriticalSectionLock lock(m_controlsLock);
  ++m_walkDepth;
  // By index: a handler may append children (the vector can grow) while we walk.
  for (size_t i = 0; i < m_controls.size(); ++i) {
    MControl* child = m_controls[i];
    if (child && visit(child)) break;
  }
  if (--m_walkDepth == 0) FlushDeferred();
}
