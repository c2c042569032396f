// Test doubles for the control model: a parent that records what reaches it, and small
// controls that record their hooks and paint one solid colour through the cached picture.
#pragma once
#include <windows.h>
#include <gdiplus.h>
#include <functional>
#include <vector>
#include "core/MControlFont.h"
#include "core/MObject.h"
#include "core/MPanel.h"

namespace qivtest {

struct Notice {
  unsigned id, code, wParam;
  long lParam;
};

struct UpdateRequest {
  CRect rect;
  int redraw;
  MControl* control;
};

// An owner that records notifications and repaint requests.
class RecordingParent : public MObject {
public:
  std::vector<Notice> notices;
  std::vector<UpdateRequest> updates;
  long OnBaseMessage(unsigned id, unsigned code, unsigned wParam, long lParam) override {
    notices.push_back({id, code, wParam, lParam});
    return 0;
  }
  long OnControlUpdate(CRect rect, int redraw, MControl* control) override {
    updates.push_back({rect, redraw, control});
    return 0;
  }
};

// A control that records the points its hooks receive and answers with `handles`.
class ProbeControl : public MControlFont {
public:
  ProbeControl(MObject* parent, unsigned id, CRect rect, COLORREF color = RGB(200, 0, 0))
      : MControlFont(parent, id, rect, L"", 1, 1, 1), color(color) {}
  const wchar_t* GetClassNameW() const override { return L"ProbeControl"; }

  COLORREF color;
  int handles = 1;
  int dblClk = 0;
  std::vector<CPoint> moves, downs, ups, dblClicks, rdowns, scrolls;
  std::vector<unsigned> keys;
  int timerTicks = 0;
  std::function<void()> onDown;  // runs inside the press hook
  std::function<void()> onMove;  // runs inside the move hook
  bool* destroyed = nullptr;     // set by the destructor
  ~ProbeControl() override {
    if (destroyed) *destroyed = true;
  }
  int focusCalls = 0;

  void SetDblClkFlag(int v) { m_bDblClk = v; }
  void SetFocusedFlag(int v) { m_bFocused = v; }

  int OnControlMouseMove(unsigned, CPoint p) override {
    moves.push_back(p);
    if (onMove) onMove();
    return handles;
  }
  int OnControlLButtonDown(unsigned, CPoint p) override {
    downs.push_back(p);
    if (onDown) onDown();
    return handles;
  }
  int OnControlLButtonUp(unsigned, CPoint p) override {
    ups.push_back(p);
    return handles;
  }
  int OnControlLButtonDblClk(unsigned, CPoint p) override {
    dblClicks.push_back(p);
    return handles;
  }
  int OnControlRButtonDown(unsigned, CPoint p) override {
    rdowns.push_back(p);
    return handles;
  }
  int OnControlScroll(int, unsigned, CPoint p) override {
    scrolls.push_back(p);
    return handles;
  }
  int OnControlKeyDown(unsigned key, unsigned, unsigned) override {
    keys.push_back(key);
    return handles;
  }
  int OnControlTimer() override {
    ++timerTicks;
    return 1;
  }
  int SetControlFocus(int focus) override {
    ++focusCalls;
    m_bFocused = focus;
    return MControlFont::SetControlFocus(focus);
  }
  // The cached picture convention: render into the memory bitmap when stale, then copy.
  void DrawControl(HDC& hdc, CRect) override {
    const int w = m_rcControl.Width(), h = m_rcControl.Height();
    if (!m_bUpdate || !GetMemDC()) {
      UpdateMemDC(hdc, w, h);
      RECT all = {0, 0, w, h};
      HBRUSH brush = ::CreateSolidBrush(color);
      ::FillRect(GetMemDC(), &all, brush);
      ::DeleteObject(brush);
      ++renders;
    }
    ::BitBlt(hdc, m_rcControl.left, m_rcControl.top, w, h, GetMemDC(), 0, 0, SRCCOPY);
  }
  int renders = 0;
};

// A panel whose children are plain probes; exposes the protected list walk for tests.
class ProbePanel : public MPanel {
public:
  ProbePanel(MObject* parent, unsigned id, CRect rect) : MPanel(parent, id, rect, 1) {}
  const wchar_t* GetClassNameW() const override { return L"ProbePanel"; }
  ProbeControl* AddProbe(unsigned id, CRect rect) {
    auto* probe = new ProbeControl(this, id, rect);
    AppendChild(1, probe);
    return probe;
  }
};

}  // namespace qivtest
