// Shared pieces of the window-class tests: a message pump, a dialog that records what its
// handlers see, and a control that records the messages a popup sends to it.
#pragma once
#include <windows.h>
#include <algorithm>
#include <functional>
#include <vector>
#include "core/MDialog.h"
#include "core/MControlFont.h"
#include "core/Manager.h"
#include "qiv/core/WindowTestSupport.h"

namespace qivwin {

using qivtest::Pump;

struct Seen {
  UINT msg;
  WPARAM wParam;
  LPARAM lParam;
};

// A dialog that records its handler calls, notifications and selected window messages.
class RecordingDialog : public MDialog {
public:
  std::vector<CRect> initRects, sizeRects;
  std::vector<Seen> messages;  // every message OnWindowMessage saw
  std::vector<UINT> notices;   // control ids that notified
  int closeCalls = 0, destroyCalls = 0, ncDestroyCalls = 0;
  bool* deleted = nullptr;
  std::function<LRESULT(UINT, WPARAM, LPARAM)> intercept;  // answers a message itself when set

  ~RecordingDialog() override {
    if (deleted) *deleted = true;
  }
  void InitUI(CRect client) override { initRects.push_back(client); }
  void UISize(CRect client) override { sizeRects.push_back(client); }
  LRESULT OnMessage(UINT id, UINT, WPARAM, LPARAM) override {
    notices.push_back(id);
    return 0;
  }
  int OnClose() override {
    ++closeCalls;
    return 1;
  }
  int OnDestroy() override {
    ++destroyCalls;
    return 0;
  }
  int PostNcDestroy() override {
    ++ncDestroyCalls;
    return 0;
  }
  LRESULT OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
    messages.push_back({msg, wParam, lParam});
    if (intercept)
      if (LRESULT r = intercept(msg, wParam, lParam)) return r;
    return MDialog::OnWindowMessage(msg, wParam, lParam);
  }
  int Count(UINT msg) const {
    return static_cast<int>(std::count_if(messages.begin(), messages.end(), [&](const Seen& s) { return s.msg == msg; }));
  }
  void SetAlpha(int alpha) { m_nAlpha = alpha; }
  void SetColorKey(COLORREF key) { m_crKey = key; }
  void SetMessageOffset(int offset) { m_nMsgOffset = offset; }

  HWND CreatePopup(HWND owner = nullptr, CRect rect = CRect(100, 100, 500, 400), DWORD style = WS_POPUP) {
    return Create(owner, L"RecordingDialog", style, 0, rect);
  }
};

// A control that records what reaches it as a popup's parent (OnMessage).
class ParentControl : public MControlFont {
public:
  struct Call {
    unsigned id, code, wParam;
    long lParam;
  };
  std::vector<Call> calls;
  ParentControl() : MControlFont(nullptr, 7, CRect(0, 0, 10, 10), L"", 1, 1, 1) {}
  const wchar_t* GetClassNameW() const override { return L"ParentControl"; }
  void DrawControl(HDC&, CRect) override {}
  long OnMessage(unsigned id, unsigned code, unsigned wParam, long lParam) override {
    calls.push_back({id, code, wParam, lParam});
    return 5;
  }
};

}  // namespace qivwin
