// Creating a page's controls inside its panel of the main window, each kept in the
// window's control block under its id, and the small control calls the pages share
// (typed lookup, visibility of a group, colour edits).
#pragma once
#include <windows.h>
#include <gdiplus.h>
#include <initializer_list>
#include "core/CString.h"
#include "core/MControl.h"
#include "core/MPanel.h"
#include "shell/KeyboardDef.h"

class PageBuilder {
public:
  // `panel` may be null (a dialog without its window): nothing is then created.
  PageBuilder(KeyboardDef& controls, MControl* panel) : m_controls(controls), m_panel(dynamic_cast<MPanel*>(panel)) {}

  // A control (or, with `area`, a picture, area or text) with an empty rectangle,
  // visible and enabled; null when the panel or the class is missing.
  template <typename T>
  T* Make(bool area, const wchar_t* className, int id, const wchar_t* title = L"") {
    if (!m_panel) return nullptr;
    MControl* c = area ? m_panel->CreateArea(className, unsigned(id), CRect(), title, 1, 1)
                       : m_panel->CreateControl(className, unsigned(id), CRect(), title, 1, 1);
    m_controls.SetControl(id, c);
    return dynamic_cast<T*>(c);
  }

private:
  KeyboardDef& m_controls;
  MPanel* m_panel;
};

namespace pagecontrols {

inline Gdiplus::Color Argb(uint32_t argb) { return Gdiplus::Color(Gdiplus::ARGB(argb)); }

template <typename T>
T* Get(const KeyboardDef& controls, int id) {
  return dynamic_cast<T*>(controls.Control(id));
}

inline void Show(const KeyboardDef& controls, std::initializer_list<int> ids, bool show) {
  for (int id : ids)
    if (MControl* c = controls.Control(id)) c->SetVisible(show ? 1 : 0);
}

inline void Enable(const KeyboardDef& controls, int first, int last, bool enable) {
  for (int id = first; id <= last; ++id)
    if (MControl* c = controls.Control(id)) c->SetEnabled(enable ? 1 : 0);
}

inline void Place(const KeyboardDef& controls, int id, CRect rect) {
  if (MControl* c = controls.Control(id)) c->SetRect(rect);
}

}  // namespace pagecontrols
