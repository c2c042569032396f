#include "controls/RowRenameEdit.h"
#include "core/PaintManager.h"

void RowRenameEdit::Open(MControlFont* owner, CRect rect, const CString& text, COLORREF back, COLORREF fore) {
  if (window) {
    PaintManager* manager = owner->GetManager();
    if (manager && manager->IsLayered()) {
      POINT origin = {0, 0};
      ::ClientToScreen(manager->GetPaintWnd(), &origin);
      rect.OffsetRect(origin.x, origin.y);
    }
    window->MoveWindow(&rect, 1);
  } else {
    window = new CEditWindow();  // deletes itself when its window is destroyed
    window->SetColors(back, fore);
    window->ShowAt(owner, rect);
    window->SetOwnerSlot(&window);
  }
  window->SetWindowTextW(text);
  window->ShowWindow(SW_SHOW);
  window->SendMessageW(EM_SETSEL, static_cast<WPARAM>(text.GetLength()), -1);
  window->SetFocus();
}

void RowRenameEdit::Destroy() {
  if (!window) return;
  CEditWindow* edit = window;
  window = nullptr;
  edit->Detach();
}

void ReturnFocusToPaintWindow(PaintManager* manager) {
  if (manager && manager->GetPaintWnd()) ::SetFocus(manager->GetPaintWnd());
}
