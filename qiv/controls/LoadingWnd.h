// The splash window for long operations: a per-pixel-alpha popup showing a background, a
// logo, an animated GIF and a close button, animated by its own window timer. A click on
// the close button posts UM_LOADING_CLOSE to the parent window; the owner destroys it.
#pragma once
#include <windows.h>
#include <gdiplus.h>
#include <array>
#include <memory>
#include "core/MWindow.h"
#include "core/PaintManager.h"
#include "core/WindowDispatch.h"

constexpr UINT UM_LOADING_CLOSE = 0x5F4;

class QIV_API LoadingWnd : public MWindow {
public:
  enum : UINT { kAnimationTimer = 100, kAnimationPeriod = 18 };
  enum : int { kGifWidth = 232, kGifHeight = 58, kExtraSlots = 19 };

  LoadingWnd();
  ~LoadingWnd() override;

  LRESULT OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  int PreTranslateMessage(MSG* msg) override;
  int OnInitDialog() override;
  // The library's close request is answered and ignored: the owner destroys the window.
  virtual LRESULT OnUserCloseWindow(WPARAM wParam, LPARAM lParam);
  virtual void CloseWindow();
  virtual int OnCreate(CREATESTRUCTW* create);
  virtual int OnSize(UINT type, int cx, int cy);
  virtual int OnMouseMove(UINT flags, CPoint point);
  virtual int OnMouseLeave(WPARAM wParam, LPARAM lParam);
  virtual int OnLButtonDown(UINT flags, CPoint point);
  virtual int OnLButtonUp(UINT flags, CPoint point);
  virtual int OnPaint();
  virtual void OnTimer(UINT id);
  virtual int OnClose();
  virtual int OnDestroy();

  // Loads the animation and the logo and creates the window; its handle, null on failure.
  HWND CreateDlg(HWND parent, CRect rect);
  int LoadBKImage(CString file);
  int LoadBKImage(unsigned id, CString type);
  void SetBackMode(enumBackMode mode, int corner);
  int LoadAnimateImage(CString file, int index);
  // Loads the GIF and counts its frames; answers 0 either way.
  int LoadGifImage(CString file);

  int GetFrameCount() const { return m_frameCount; }
  int GetCurrentFrame() const { return m_frame; }
  int GetCloseState() const { return m_closeState; }
  CRect GetCloseRect() const { return m_rcClose; }
  int IsRunning() const { return m_bRunning; }
  // Draws the window's picture into a 32-bit top-down-addressed DIB of `size`.
  void Render(HDC dc, CSize size);

private:
  struct Picture {
    std::unique_ptr<Gdiplus::Image> image;
    int width = 0, height = 0;
    bool Load(Gdiplus::Image* loaded);
  };
  // One timer tick: a new frame every `m_ticksPerFrame` ticks; true when one began.
  bool Tick();
  void DrawWindow();
  void SetCloseState(CPoint point, int over, int elsewhere);

  CString m_fontName = L"Arial";
  Gdiplus::StringFormat m_format;
  Picture m_background, m_logo;
  enumBackMode m_backMode = BACKMODE_NINEGRID;
  int m_corner = 18;
  std::unique_ptr<Gdiplus::Image> m_gif;
  int m_frameCount = 0;
  int m_bRunning = 0;
  std::array<Picture, kExtraSlots> m_extra;
  int m_bTracking = 0;
  CRect m_rcClose;
  int m_closeState = 0;
  Picture m_close;
  int m_closeFrameWidth = 0;
  int m_frame = 0;
  int m_wrap = 18;
  int m_ticks = 0;
  int m_ticksPerFrame = 2;
};
