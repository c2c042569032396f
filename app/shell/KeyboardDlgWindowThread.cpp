// Calls the worker hands to the window thread, and the control changes of the device
// link that go that way (the rule is written beside OnWindowThread in KeyboardDlg.h).
#include "shell/KeyboardDlg.h"
#include "controls/MTabCtrl.h"
#include "widgets/CDeviceList.h"

void KeyboardDlg::OnWindowThread(std::function<void()> call) {
  if (!call) return;
  bool wake = false;
  {
    std::unique_lock<std::mutex> hold(m_windowCallsLock);
    if (m_windowCallsClosed) return;  // the window and its controls are gone
    if (m_windowThreadId == 0 || m_windowThreadId == GetCurrentThreadId()) {
      hold.unlock();
      call();
      return;
    }
    wake = m_windowCalls.empty();
    m_windowCalls.push_back(std::move(call));
  }
  // One message wakes the window thread for all the calls that gather before it runs.
  if (wake && !::PostMessageW(GetSafeHwnd(), UM_WINDOW_CALLS, 0, 0)) {
    std::lock_guard<std::mutex> hold(m_windowCallsLock);
    m_windowCalls.clear();
  }
}

void KeyboardDlg::RunWindowCalls() {
  for (;;) {
    std::deque<std::function<void()>> calls;
    {
      std::lock_guard<std::mutex> hold(m_windowCallsLock);
      calls.swap(m_windowCalls);
    }
    if (calls.empty()) return;
    for (auto& call : calls) call();
  }
}

void KeyboardDlg::ShowControl(int id, int show) {
  OnWindowThread([this, id, show] { KeyboardDef::ShowControl(id, show); });
}

void KeyboardDlg::SetControlTitle(int id, const wchar_t* title) {
  OnWindowThread([this, id, text = CString(title ? title : L"")] { KeyboardDef::SetControlTitle(id, text.GetString()); });
}

void KeyboardDlg::SelectHomeTab() {
  OnWindowThread([this] {
    if (m_mainTab) m_mainTab->SetSelectItem(0);
  });
}

void KeyboardDlg::SetTabVisible(int position, int visible) {
  OnWindowThread([this, position, visible] {
    if (m_mainTab) m_mainTab->SetItemVisible(position, visible);
  });
}

void KeyboardDlg::SetListDeviceStates(int state) {
  m_deviceChoice.SetAllDeviceState(state);
  OnWindowThread([this, state] {
    if (m_deviceList) m_deviceList->SetAllDeviceState(state);
  });
}

void KeyboardDlg::SetListDeviceState(int model, int linkMode, int state) {
  m_deviceChoice.SetDeviceState(model, linkMode, state);
  OnWindowThread([this, model, linkMode, state] {
    if (m_deviceList) m_deviceList->SetDeviceState(model, linkMode, state);
  });
}

void KeyboardDlg::SetListDeviceBattery(int model, int linkMode, int level, int state) {
  OnWindowThread([this, model, linkMode, level, state] {
    if (m_deviceList) m_deviceList->SetDeviceBattery(model, linkMode, level, state);
  });
}

void KeyboardDlg::SelectListDevice(int model) {
  m_deviceChoice.SetSelectDevice(model);
  OnWindowThread([this, model] {
    if (m_deviceList) m_deviceList->SetSelectDevice(model);
  });
}
