// A real window for the widget tests: the shared paint host window, which creates its
// controls by class name as the program's dialogs do, with the render and the pump.
#pragma once
#include <windows.h>
#include <vector>
#include "QivTestSupport.h"
#include "qiv/core/WindowTestSupport.h"

namespace widgettest {

using qivtest::Pump;
using qivtest::Render;

class HostWindow : public qivtest::PaintHostWindow {
public:
  // Creates a control of the window by class name, as the program's dialogs do.
  template <class T>
  T* Make(const wchar_t* className, unsigned id, CRect rect) {
    return dynamic_cast<T*>(pm.CreateControl(this, className, id, rect, L"", 1, 1));
  }
  std::vector<unsigned> Codes(unsigned id) const {
    std::vector<unsigned> codes;
    for (const auto& n : notices)
      if (n.id == id) codes.push_back(n.code);
    return codes;
  }
};

}  // namespace widgettest
