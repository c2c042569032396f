// The key test (keys and buttons held, from raw input, in the key-test list) and the
// key-capture edit of the modifier combinations (the next key, from the keyboard hook).
#include <windows.h>
#include <imm.h>
#include "controls/MEdit.h"
#include "device/KeyCodeConverter.h"
#include "pages/RawInputSink.h"
#include "shell/KeyboardDlg.h"
#include "shell/LanguageText.h"
#include "widgets/CKeyTestCtrl.h"

int KeyboardDlg::OnKeyTestInput(LPARAM input) {
  if (!m_rawInputToken) return 0;
  InputEvent event;
  m_rawInputDecoder.Decode(reinterpret_cast<HRAWINPUT>(input), event);
  int key = 0;
  CString name;
  if (event.kind == kInputKeyboard) {
    const uint32_t virtualKey = uint32_t(event.code);
    key = int(KeyCodeConverter::Instance().VirtualKeyToHidUsage(&virtualKey));
    name = KeyCodeConverter::Instance().HidUsageName(unsigned(key));
    if (name.IsEmpty()) name = event.name;
  } else if (event.kind == kInputMouse && !event.name.IsEmpty()) {
    key = event.code;
    switch (event.code) {
      case 1: name = LoadLangString(220); break;
      case 2: name = LoadLangString(222); break;
      case 3: name = LoadLangString(223); break;
      default: name = event.name; break;
    }
  }
  if (name.IsEmpty()) return 0;
  auto* tester = dynamic_cast<CKeyTestCtrl*>(Control(57));
  if (!event.up) {
    // A key already held is an auto-repeat: it keeps its one entry.
    if (!m_pressedKeys.emplace(key, 1).second) return 1;
    if (tester) tester->AddKey(name, key);
  } else {
    m_pressedKeys.erase(key);
    if (tester) tester->RemoveKey(key);
  }
  return 1;
}

int KeyboardDlg::OnKeyCaptureEdit(UINT code, WPARAM, LPARAM) {
  auto* edit = dynamic_cast<MEdit*>(Control(115));
  auto* tester = dynamic_cast<CKeyTestCtrl*>(Control(57));
  if (code == 30) {
    m_captureKeyCode = 0;
    m_captureKeyName.Empty();
    m_hookConsumer = 2;
    if (edit) {
      edit->SetTitle(L"");
      // Typed keys must arrive as keys: no input method, no composition window.
      if (HWND native = edit->GetEditHwnd()) {
        if (HIMC context = ImmGetContext(native)) {
          ImmSetOpenStatus(context, FALSE);
          ImmReleaseContext(native, context);
        }
        ImmAssociateContext(native, nullptr);
      }
    }
    if (m_rawInputToken) {
      if (GetSafeHwnd()) UnregisterRawInput(GetSafeHwnd());
      m_rawInputRegistered = false;
      m_rawInputToken = false;
    }
    if (tester) tester->ClearList();
    m_hookManager = std::make_unique<InputHookManager>();
    m_hookManager->Subscribe(GetSafeHwnd(), InputHookManager::kKeyboardEvents, UM_HOOK_KEYBOARD);
    m_hookManager->Install();
  } else if (code == 29) {
    m_hookConsumer = 0;
    m_hookManager.reset();
    m_rawInputToken = true;
    if (GetSafeHwnd()) {
      RegisterRawInputSink(GetSafeHwnd());
      m_rawInputRegistered = true;
    }
    if (tester) tester->ClearList();
  }
  return 1;
}
