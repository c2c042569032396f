// The window pattern of the library's tip windows (balloon, key tip, frame tip): a
// borderless tool popup with a rounded region, the typeface of the library's resources,
// a background picture, a hide timer, hiding when it loses the focus (unless placed
// "right and raised") and the library's close request turned into WM_CLOSE.
#pragma once
#include <windows.h>
#include <gdiplus.h>
#include <memory>
#include "core/MWindow.h"
#include "core/PaintManager.h"

// Placement of a tip relative to its anchor.
enum AIRBLADDER_MODE : int {
  AIRBLADDER_MODE_RIGHT = 1,
  AIRBLADDER_MODE_LEFT = 2,
  AIRBLADDER_MODE_BOTTOM = 3,
  AIRBLADDER_MODE_TOP = 4,
  AIRBLADDER_MODE_RIGHT_RAISED = 5,
};

// 4 keeps the tip until it is hidden; any other kind hides it after 5000 ms.
enum AIRBLADDER_TYPE : int {
  AIRBLADDER_TYPE_TIMED = 1,
  AIRBLADDER_TYPE_KEEP = 4,
  AIRBLADDER_TYPE_HOVER = 5,
};

class QIV_API MTipWindow : public MWindow {
public:
  static constexpr UINT kHideTimer = 10;

  MTipWindow();
  ~MTipWindow() override;

  LRESULT OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  int PreTranslateMessage(MSG* msg) override;
  // Loads the typeface of the library's resources ("ttf" 106).
  int OnInitDialog() override;

  // The library's close request: posts WM_CLOSE with the same values; 1.
  virtual LRESULT OnUserCloseWindow(WPARAM wParam, LPARAM lParam);
  // Posts WM_CLOSE.
  virtual void CloseWindow();
  // Clears caption and sizing frame, adds clipping, makes a tool window; 0.
  virtual int OnCreate(CREATESTRUCTW* create);
  // A rounded region of the window size; invalidates without erase.
  virtual int OnSize(UINT type, int cx, int cy);
  // Hides the tip unless it is placed "right and raised"; stops the hide timer.
  virtual int OnKillFocus(HWND next);
  virtual int OnPaint();
  // The hide timer: stops itself and hides a visible tip.
  virtual void OnTimer(UINT id);

  int LoadBKImage(CString file);
  int LoadBKImage(unsigned id, CString type);
  void SetBackMode(enumBackMode mode, int corner);
  Gdiplus::Image* GetBKImage() const { return m_background.get(); }
  AIRBLADDER_TYPE GetType() const { return m_type; }
  AIRBLADDER_MODE GetMode() const { return m_mode; }
  POINT GetAnchor() const { return m_anchor; }
  // The delay of the hide timer (5000 ms).
  void SetHideDelay(UINT ms) { m_hideDelay = ms; }

protected:
  // The tip's typeface: the resource family, or a generic one when it is missing.
  const Gdiplus::FontFamily* TipFamily() const;
  void ArmHideTimer();

  POINT m_anchor = {0, 0};
  AIRBLADDER_TYPE m_type = AIRBLADDER_TYPE_TIMED;
  AIRBLADDER_MODE m_mode = AIRBLADDER_MODE_BOTTOM;
  std::unique_ptr<Gdiplus::PrivateFontCollection> m_collection;
  std::unique_ptr<Gdiplus::FontFamily> m_family;
  std::unique_ptr<Gdiplus::Image> m_background;
  int m_bkWidth = 0;
  int m_bkHeight = 0;
  enumBackMode m_backMode = BACKMODE_NINEGRID;
  int m_backCorner = 18;
  UINT m_hideDelay = 5000;
};

// Loads an image for a tip: a skins-folder file or a resource of the program's module.
std::unique_ptr<Gdiplus::Image> LoadTipImage(const CString& file, int& width, int& height);
std::unique_ptr<Gdiplus::Image> LoadTipImage(unsigned id, const CString& type, int& width, int& height);
