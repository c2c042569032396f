#include "widgets/InPlaceRowEdit.h"
#include "controls/CEditWindow.h"
#include "core/PaintManager.h"

InPlaceRowEdit::~InPlaceRowEdit() {
  if (window) window->Detach();
}

void InPlaceRowEdit::Open(MControlFont* owner, CRect textRect, const CString& text, COLORREF back, COLORREF fore,
                          int limit) {
  if (!owner) return;
  // The edit copies every change into the owner's title and reports it; starting from the
  // row's own text, showing it is no change.
  owner->SetControlTitle(text);
  if (!window) {
    window = new CEditWindow();
    window->SetColors(back, fore);
    if (limit > 0) window->SetTextLimit(limit);
    window->SetOwnerSlot(&window);
    window->ShowAt(owner, textRect);
  } else {
    PaintManager* manager = owner->GetManager();
    if (manager && manager->IsLayered()) {
      POINT origin = {0, 0};
      ::ClientToScreen(manager->GetPaintWnd(), &origin);
      textRect.OffsetRect(origin.x, origin.y);
    }
    window->MoveWindow(&textRect);
    window->SetWindowTextW(text);
    window->ShowWindow(SW_SHOW);
    window->SetFocus();
  }
  if (!window) return;
  const int end = text.GetLength();
  window->SendMessageW(EM_SETSEL, static_cast<WPARAM>(end), static_cast<LPARAM>(end));
}

bool InPlaceRowEdit::IsShown() const { return window && window->IsWindowVisible(); }

CString InPlaceRowEdit::Text() const {
  CString text;
  if (window) window->GetWindowTextW(text);
  return text;
}

void InPlaceRowEdit::SetText(const CString& text) {
  if (window) window->SetWindowTextW(text);
}

void InPlaceRowEdit::Hide() {
  if (window) window->ShowWindow(SW_HIDE);
}
