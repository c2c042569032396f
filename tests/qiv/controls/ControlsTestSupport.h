// Shared by the control tests: a host window whose paint manager owns the controls, an
// in-process render of it, a panel that records its children's notifications, the
// message pump and the build-time picture fixtures.
#pragma once
#include <windows.h>
#include <gdiplus.h>
#include <vector>
#include "core/MPanel.h"
#include "qiv/core/QivTestSupport.h"
#include "qiv/core/WindowTestSupport.h"

namespace ctltest {

using qivtest::Notice;
using qivtest::Pump;
using qivtest::Render;

// The native edits' commands and colours are the paint manager's to answer.
class Host : public qivtest::PaintHostWindow {
public:
  // Takes `control` (made with this window as parent) into the controls list.
  template <class T>
  T* Add(T* control) {
    control->SetManager(&pm);
    pm.GetControls()->push_back(control);
    return control;
  }
  std::vector<unsigned> Codes() const {
    std::vector<unsigned> codes;
    for (const Notice& n : notices) codes.push_back(n.code);
    return codes;
  }

protected:
  bool KeepsAnswer(UINT msg, LRESULT r) const override {
    return (msg == WM_COMMAND || msg == WM_CTLCOLOREDIT || msg == WM_CTLCOLORSTATIC) && r;
  }
};

// A panel that records what its children tell it.
class RecordingPanel : public MPanel {
public:
  RecordingPanel(MObject* parent, unsigned id, CRect rect) : MPanel(parent, id, rect, 1) {}
  const wchar_t* GetClassNameW() const override { return L"RecordingPanel"; }
  std::vector<Notice> notices;
  long OnBaseMessage(unsigned id, unsigned code, unsigned wParam, long lParam) override {
    notices.push_back({id, code, wParam, lParam});
    return 0;
  }
  template <class T>
  T* Add(T* child) {
    AppendChild(1, child);
    return child;
  }
};

inline CString FixturePath(const wchar_t* name) { return GetExeFolder() + L"qiv_controls_fixtures\\" + name; }

}  // namespace ctltest
