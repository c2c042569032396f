// The rename edit that MListBox and ProfileList lay over one of their rows: a CEditWindow
// made on the first opening, moved over the row on later ones and kept hidden between
// them. The window deletes itself with its native window and then clears `window`.
#pragma once
#include <windows.h>
#include "controls/CEditWindow.h"
#include "core/CString.h"
#include "core/Geometry.h"

class PaintManager;

class RowRenameEdit {
public:
  RowRenameEdit() = default;
  ~RowRenameEdit() { Destroy(); }
  RowRenameEdit(const RowRenameEdit&) = delete;
  RowRenameEdit& operator=(const RowRenameEdit&) = delete;

  // Shows the edit over `rect` (window coordinates; a new window takes the colours) with
  // `text`, the caret after its last character, and gives it the keyboard focus.
  void Open(MControlFont* owner, CRect rect, const CString& text, COLORREF back, COLORREF fore);
  // Ends an opening: with `commit`, `keep` receives the typed text; then the edit hides.
  // Nothing without a live window.
  template <class Keep>
  void Close(bool commit, Keep keep) {
    if (!window || !window->GetSafeHwnd()) return;
    if (commit) {
      CString text;
      window->GetWindowTextW(text);
      keep(text);
    }
    window->ShowWindow(SW_HIDE);
  }
  // Forgets the window and destroys it.
  void Destroy();

  CEditWindow* window = nullptr;
};

// After an edit was ended with a key, the keyboard focus goes back to the list's window.
void ReturnFocusToPaintWindow(PaintManager* manager);
