// The knob key of the key assignment page: the knob dialog and its choices on their way
// to worker task 8.
#include "pages/KnobConfigDlg.h"
#include "shell/KeyboardDlg.h"

int KeyboardDlg::RunKnobDialog() {
  KeyboardDef::ShowControl(65, 1);
  {
    KnobConfigDlg dialog;
    dialog.m_ownerWindow = GetSafeHwnd();
    dialog.SetKnobActions(m_knobActions, m_fnLayer);
    if (dialog.Create(GetSafeHwnd(), L"KnobConfigDlg", 0x96020000, 0, CRect(0, 0, 500, 380))) {
      dialog.CenterWindow();
      dialog.ShowModal(SW_SHOW);
      dialog.DestroyWindow();
    }
  }
  KeyboardDef::ShowControl(65, 0);
  return 1;
}

int KeyboardDlg::CopyKnobDialogActions(LPARAM message) {
  // The message carries its own copy of the records: the dialog may be gone by now.
  std::unique_ptr<KnobChoice> choice = TakeKnobChoice(message);
  if (!choice || !choice->ApplyTo(m_knobActions)) return 0;
  // Every choice is kept for the worker; task 8 is queued unless one already waits for it.
  if (m_knobWrites.Add(*choice)) m_taskQueue.Push(kTaskKnobKey);
  return 1;
}
