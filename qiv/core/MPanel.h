// The container control: creates children by class name, keeps them in its two lists,
// owns a vertical (id 1) and a horizontal (id 2) scroll bar, measures its content from
// its children, moves the mouse point into its scrolled content and scrolls by wheel.
#pragma once
#include <cstdint>
#include "core/MControlFont.h"

class CScrollVertical;
class CScrollHorizontal;

class QIV_API MPanel : public MControlFont {
public:
  MPanel(MObject* parent, unsigned id, CRect rect, int visible);
  ~MPanel() override;

  const wchar_t* GetClassNameW() const override;
  long OnBaseMessage(unsigned id, unsigned code, unsigned wParam, long lParam) override;
  long OnControlUpdate(CRect rect, int redraw, MControl* control) override;
  void InitControl(PaintManager* manager) override;
  int IsDragDrop() override;
  void DrawControl(HDC& hdc, CRect paint) override;
  int DrawSubControls(HDC& hdc, CRect paint) override;
  int OnMousePointChange(CPoint& point) override;
  int OnCheckMouseResponse(unsigned flags, CPoint point) override;
  long OnWindowMessage(unsigned msg, unsigned wParam, long lParam) override;
  long OnMessage(unsigned id, unsigned code, unsigned wParam, long lParam) override;
  void SetControlRect(CRect rect) override;
  void SetControlVisible(int visible) override;
  void SetControlWndVisible(int visible) override;
  void SetControlEnabled(int enabled) override;
  int OnControlTimer() override;
  int OnControlMouseMove(unsigned flags, CPoint point) override;
  int OnControlLButtonDown(unsigned flags, CPoint point) override;
  int OnControlLButtonUp(unsigned flags, CPoint point) override;
  int OnControlLButtonDblClk(unsigned flags, CPoint point) override;
  int OnControlRButtonDown(unsigned flags, CPoint point) override;
  int OnControlRButtonUp(unsigned flags, CPoint point) override;
  int OnControlRButtonDblClk(unsigned flags, CPoint point) override;
  int OnControlKeyDown(unsigned key, unsigned repeat, unsigned modifiers) override;
  int OnControlScroll(int delta, unsigned direction, CPoint point) override;

  virtual MControl* CreateArea(const wchar_t* className, unsigned id, CRect rect, const wchar_t* text, int a, int b);
  // The panel's class-name factory: list type 0 areas, 1 controls, other values no list.
  virtual MControl* CreateControl(unsigned listType, MObject* parent, const wchar_t* className, unsigned id,
                                  CRect rect, const wchar_t* text, int a, int b);
  virtual MControl* CreateControl(const wchar_t* className, unsigned id, CRect rect, const wchar_t* text, int a,
                                  int b);
  virtual int OnControlKeyUp(unsigned key, unsigned repeat, unsigned modifiers);

  CScrollVertical* GetScrollVertical() const { return m_pScrollV; }
  CScrollHorizontal* GetScrollHorizontal() const { return m_pScrollH; }
  void SetVirtualHeight(int height) { m_virtualHeight = height; }
  void SetVirtualWidth(int width) { m_virtualWidth = width; }
  int GetVirtualHeight() const { return m_virtualHeight; }
  int GetVirtualWidth() const { return m_virtualWidth; }
  void SetEnableScroll(int enable) { m_bEnableScroll = enable; }
  int GetEnableScroll() const { return m_bEnableScroll; }
  int IsInitialised() const { return m_bInit; }
  // The content offsets of the current scroll positions (0, 0 when the content fits).
  CPoint GetScrollOffset() const;

protected:
  bool ContentOverflows() const;

  int m_bInit = 0;
  int m_virtualHeight = 0;
  int m_virtualWidth = 0;
  CScrollVertical* m_pScrollV = nullptr;
  CScrollHorizontal* m_pScrollH = nullptr;
  int m_scrollThickness = 5;
  int64_t m_contentExtent = 0;
  int m_bEnableScroll = 1;
};
