// The owner-drawn tab strip: a row or column of image tabs, each tied to one page control
// that the strip shows while its tab is selected and hides otherwise. The main window
// uses a vertical strip as its page selector; its pages are MTabLayout panels.
#pragma once
#include <windows.h>
#include <gdiplus.h>
#include <vector>
#include "controls/MTabLayout.h"
#include "core/CString.h"
#include "core/CriticalSection.h"
#include "core/MControlFont.h"

// One tab. The program reads and writes tabs through GetItemInfo, so the field order is
// part of the library's interface.
struct TabItemInfo {
  int visible = 1;
  Gdiplus::Image* icon = nullptr;  // owned by the strip
  int frameWidth = 0;
  int frameHeight = 0;
  int frameCount = 0;
  RECT rect = {};  // host-window coordinates; empty while hidden
  CString text;
  unsigned id = 0;
  RECT buttonRect = {};  // always empty: no button is drawn inside a tab
  int buttonState = 0;
  int customTooltip = 0;
  MControl* page = nullptr;  // owned by its own parent (or by the strip for CreatePanel pages)
};

enum TAB_TYPE : int { TAB_TYPE_HORIZONTAL = 0, TAB_TYPE_VERTICAL = 1 };

class QIV_API MTabCtrl : public MControlFont {
public:
  enum : unsigned { kSlideTimer = 100, kSlidePeriod = 30 };

  MTabCtrl(MObject* parent, unsigned id, CRect rect, int visible, int enabled);
  ~MTabCtrl() override;
  const wchar_t* GetClassNameW() const override;

  long OnBaseMessage(unsigned id, unsigned code, unsigned wParam, long lParam) override;
  void DrawControl(HDC& hdc, CRect paint) override;
  int DrawSubControls(HDC& hdc, CRect paint) override;
  int OnCheckMouseResponse(unsigned flags, CPoint point) override;
  long OnMessage(unsigned id, unsigned code, unsigned wParam, long lParam) override;
  void SetControlRect(CRect rect) override;
  void SetControlVisible(int visible) override;
  void SetControlWndVisible(int visible) override;
  int OnControlTimer() override;
  int OnControlMouseMove(unsigned flags, CPoint point) override;
  int OnControlLButtonDown(unsigned flags, CPoint point) override;
  int OnControlLButtonUp(unsigned flags, CPoint point) override;
  int OnControlScroll(int delta, unsigned direction, CPoint point) override;
  int OnControlKeyDown(unsigned key, unsigned repeat, unsigned modifiers) override;
  virtual int OnControlKeyUp(unsigned key, unsigned repeat, unsigned modifiers);

  // Appends a visible tab showing `page` while it is selected; answers 1.
  int InsertItem(unsigned id, const wchar_t* text, const wchar_t* image, MControl* page, int frames, int width);
  int GetItemCount();
  // Valid until the next insertion or deletion; null for a bad index.
  TabItemInfo* GetItemInfo(int index);
  // Selects the tab at `index` (hidden tabs too), tells the parent (code 2, the index)
  // and shows that tab's page only. The current index or one outside the tabs changes
  // nothing. Answers the previous selection.
  int SetSelectItem(int index);
  int GetSelectItem();
  // A bad index is ignored (setter) or answers 0 (getters).
  void SetItemVisible(int index, int visible);
  int GetItemVisible(int index);
  int GetItemID(int index);
  int SetItemText(int index, CString text);
  void SetItemImage(int index, CString image);
  void DeleteItem(int index);
  void SetTabType(TAB_TYPE type) { m_type = type; }
  TAB_TYPE GetTabType() const { return m_type; }
  void SetTabCtrlWidth(int width) { m_stripWidth = width; }
  int GetCtrlWidth() const { return m_stripWidth; }
  void SetTabCtrlHeight(int height) { m_stripHeight = height; }
  int GetCtrlHeight() const { return m_stripHeight; }
  void SetItemWidth(int width, int minimum, int refresh);
  void SetItemHeight(int height, int minimum, int refresh);
  int GetItemWidth() const { return m_fittedWidth; }
  int GetItemHeight() const { return m_fittedHeight; }
  void SetLeftRightPading(int left, int right);
  void SetTopBottomPading(int top, int bottom);
  void RefreshItems();
  void EnableAnimateChangeTab(int enable) { m_bSlide = enable; }
  void SetUpdataRect(CRect rect) { m_rcUpdate = rect; }
  int PtInTabButton(CPoint point, TabItemInfo& info);
  void SetTabTooltip(int index, CString text);
  void ClearTabTooltip();
  MControl* CreatePanel(const wchar_t* className, unsigned id, CRect rect);
  int GetHoverItem() const { return m_hovered; }
  int IsSliding() const { return m_bRun; }
  CPoint GetSlideOffset() const { return CPoint(m_slideX, m_slideY); }

  // The tab size a fit gives: the requested size, or with a positive minimum the share of
  // `span` per tab, not below the minimum and not above the request.
  static int FitTabExtent(int requested, int minimum, int span, int count);

private:
  void Fit(bool horizontal, int requested, int minimum, int refresh);
  void LayoutForInsert();
  void ShowSelectedPage();
  void Repaint(int redraw);
  bool Valid(int index) const { return index >= 0 && index < static_cast<int>(m_items.size()); }
  void DrawVertical(HDC& hdc);
  void DrawHorizontal(HDC& hdc);
  static Gdiplus::Image* LoadIcon(const wchar_t* image);

  TAB_TYPE m_type = TAB_TYPE_HORIZONTAL;
  // The worker thread selects and shows tabs too.
  CriticalSection m_itemsLock;
  std::vector<TabItemInfo> m_items;
  int m_fittedWidth = 0, m_requestedWidth = 0, m_minWidth = 0;
  int m_stripHeight = 0;
  int m_fittedHeight = 0, m_requestedHeight = 0, m_minHeight = 0;
  int m_stripWidth = 0;
  int m_hovered = -1;
  int m_selected = -1;
  int m_bSlide = 0;
  int m_previous = -1;
  int m_steps = 10;
  int m_slideX = 0, m_slideY = 0;
  int m_padLeft = 0, m_padRight = 0, m_padTop = 0, m_padBottom = 0;
  int m_lastTooltipTab = -1;
  CRect m_rcUpdate;
};
