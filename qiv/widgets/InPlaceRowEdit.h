// The in-place edit a list lays over one of its rows: a CEditWindow made on first use and
// kept (hidden) between openings. The window clears `window` when it is destroyed.
#pragma once
#include <windows.h>
#include "core/CString.h"
#include "core/Geometry.h"
#include "qiv_export.h"

class CEditWindow;
class MControlFont;

class QIV_API InPlaceRowEdit {
public:
  InPlaceRowEdit() = default;
  ~InPlaceRowEdit();
  InPlaceRowEdit(const InPlaceRowEdit&) = delete;
  InPlaceRowEdit& operator=(const InPlaceRowEdit&) = delete;

  // Shows the edit over `textRect` (window coordinates) with `text`, the caret after its
  // last character, and gives it the keyboard focus. `limit` 0 keeps the window's own.
  void Open(MControlFont* owner, CRect textRect, const CString& text, COLORREF back, COLORREF fore, int limit);
  bool Exists() const { return window != nullptr; }
  bool IsShown() const;
  CString Text() const;
  void SetText(const CString& text);
  void Hide();

  CEditWindow* window = nullptr;
};
