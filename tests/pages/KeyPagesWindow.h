// The main window on the simulated keyboard with the knob (K102), for the key and macro
// pages: the worker runs on its own thread, clicks travel as mouse messages through the
// window's paint manager to the dispatcher, and the checks read the profile database and
// the simulated keyboard's tables.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>
#include <gdiplus.h>
#include <memory>
#include <string>
#include <vector>
#include "controls/MTabCtrl.h"
#include "core/Manager.h"
#include "device/TransportRig.h"
#include "shell/MainWindowRig.h"
#include "shell/KeyboardDlg.h"
#include "shell/LanguageText.h"
#include "store/KeyboardDataStore.h"
#include "widgets/CDeviceList.h"
#include "widgets/KeyboardCtrl.h"

namespace keypages {

using namespace simtest;

template <typename Done>
bool PumpUntil(Done done, int ms = 15000) {
  return mainwindow::PumpUntil(done, ms);
}
using mainwindow::Pump;
using mainwindow::SourceDataFolder;

inline const char* kKnobKeyboard = R"(
[keyboard k102]
model = matrix
vid = 0x3F1D
pid = 0x1102
[usb cable-k102]
keyboard = k102
vid = 0x3F1D
pid = 0x1102
product = Quenby K102
)";

constexpr wchar_t kSoftware[] = L"QuenbyKeyPagesTest";

class KeyPagesWindow : public ::testing::Test, public mainwindow::MainWindowRig {
protected:
  KeyPagesWindow() : MainWindowRig(kKnobKeyboard, kSoftware) {}
  void SetUp() override {
    ASSERT_TRUE(world.Loaded());
    // The program's own English texts from the source tree.
    SetLanguageFolder((SourceDataFolder() + L"language\\").c_str());
    CurrentLanguageId = 1033;
    MakeDialog();
    dlg->m_pageMessageBox = [this](const CString& text, const CString&, int) {
      boxes.push_back(text);
      return boxAnswer;
    };
    ASSERT_TRUE(Open());
    Show();
    ASSERT_TRUE(WaitForDevices());
    ASSERT_TRUE(Choose(102));
    Pump(200);
  }
  void TearDown() override {
    Close();
    SetLanguageFolder(CString());
  }

  // Shows the page of main tab item `item` as a click on the strip does.
  void ShowPage(int item) {
    ASSERT_TRUE(MainWindowRig::ShowPage(item));
    Pump(100);
  }
  // A left click at a client point of the main window.
  void ClickAt(CPoint p) {
    HWND window = dlg->GetSafeHwnd();
    SendMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(p.x, p.y));
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
    SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
    Pump(30);
  }
  // The middle of a rectangle given in the control's own coordinates.
  void ClickIn(int controlId, CRect inside) {
    const CRect at = dlg->Control(controlId)->GetRect();
    ClickAt(CPoint(at.left + (inside.left + inside.right) / 2, at.top + (inside.top + inside.bottom) / 2));
  }
  void ClickControl(int controlId) {
    const CRect r = dlg->Control(controlId)->GetRect();
    ClickAt(r.CenterPoint());
  }
  KEY_INFO* Key(int keyCode) {
    for (KEY_INFO* key : dlg->m_keyboardCtrl->GetKeyItems())
      if (key->keyCode == keyCode) return key;
    return nullptr;
  }
  // A key of the on-screen keyboard.
  void ClickKey(int keyCode) {
    KeyboardCtrl* keyboard = dlg->m_keyboardCtrl;
    KEY_INFO* key = Key(keyCode);
    ASSERT_NE(key, nullptr) << keyCode;
    CRect r = keyboard->GetRealRect(key->rect);
    r.OffsetRect(keyboard->GetRect().TopLeft());
    ClickAt(r.CenterPoint());
    ASSERT_EQ(dlg->m_selectedKey, keyCode);
  }
  // The worker has written everything queued.
  void Settle() {
    ASSERT_TRUE(PumpUntil([&] { return dlg->IsWorkerIdle(); }));
    Pump(150);  // the task taken last may still run
    ASSERT_TRUE(PumpUntil([&] { return dlg->IsWorkerIdle(); }));
  }
  // The action bytes of a key in the keyboard's map of `layer`.
  std::vector<uint8_t> KeyAction(int layer, int keyCode) {
    const int index = dlg->m_keyIndexByCode.at(keyCode);
    const std::vector<uint8_t> map = Table("k102", sim::Table::KeyMap, layer);
    return std::vector<uint8_t>(map.begin() + index * 3, map.begin() + index * 3 + 3);
  }
  std::vector<uint8_t> DefaultAction(int layer, int keyCode) {
    const int index = dlg->m_keyIndexByCode.at(keyCode);
    const uint8_t* table = dlg->m_defaultKeyActions[layer];
    return std::vector<uint8_t>(table + index * 3, table + index * 3 + 3);
  }
  KeyMacroRecord Row(int layer, int keyCode) {
    KeyMacroRecord row;
    EXPECT_TRUE(store.GetKeyMacro(dlg->m_profileId, layer, keyCode, row)) << layer << " " << keyCode;
    return row;
  }

  std::vector<CString> boxes;
  int boxAnswer = 1;
};

}  // namespace keypages
