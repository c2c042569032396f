// Paint manager: the window's multimedia-timer clients and the controls' window timers.
#include <algorithm>
#include "core/PaintManager.h"

void PaintManager::SetMTimer(unsigned period) { m_uMTimerID = MTimer::SetTimer(period, L"", 0); }
int PaintManager::KillMTimer(unsigned id) { return MTimer::KillTimer(id); }
void PaintManager::KillMTimer() { MTimer::KillTimer(); }

int PaintManager::AddMTimer(MControl* control) {
  CriticalSectionLock lock(m_clientsLock);
  m_mtimerClients.push_back(control);
  return 1;
}

int PaintManager::DeleteFSTimer(MControl* control) {
  CriticalSectionLock lock(m_clientsLock);
  auto it = std::find(m_mtimerClients.begin(), m_mtimerClients.end(), control);
  if (it == m_mtimerClients.end()) return 0;
  m_mtimerClients.erase(it);
  return 1;
}

void PaintManager::OnMTimer(unsigned id) {
  const DWORD now = m_tickSource();
  // A burst of late callbacks collapses into one step.
  if (now - m_lastMTick < 3) return;
  m_lastMTick = now;
  if (id != m_uMTimerID) return;
  CriticalSectionLock lock(m_clientsLock);
  for (size_t i = 0; i < m_mtimerClients.size(); ++i) {
    MControl* client = m_mtimerClients[i];
    if (!client || !client->IsRunTimer()) continue;
    if (TryLockTickChain(client)) {
      client->OnTimer();
      UnlockTickChain(client);
    }
  }
}

// The tick never blocks on a list lock: it takes, without waiting, every lock its
// client's repaint requests will need, from the window down (the order the interface
// thread uses), and tries again for a few milliseconds while one is busy. So the
// interface thread may hold any of them while it waits for the tick to end; at worst
// the client misses one tick.
bool PaintManager::TryLockTickChain(MControl* client) {
  MControl* chain[32];
  int depth = 0;
  for (MControl* c = client; c && depth < 32; c = dynamic_cast<MControl*>(c->GetParantObject())) chain[depth++] = c;
  const DWORD start = ::GetTickCount();
  do {
    if (m_areasLock.TryLock()) {
      if (m_controlsLock.TryLock()) {
        int held = 0;
        while (held < depth && chain[depth - 1 - held]->TryLockControls()) ++held;
        if (held == depth) return true;
        while (held > 0) chain[depth - held--]->UnlockControls();
        m_controlsLock.Unlock();
      }
      m_areasLock.Unlock();
    }
    ::Sleep(0);
  } while (::GetTickCount() - start < 5);
  return false;
}

void PaintManager::UnlockTickChain(MControl* client) {
  for (MControl* c = client; c; c = dynamic_cast<MControl*>(c->GetParantObject())) c->UnlockControls();
  m_controlsLock.Unlock();
  m_areasLock.Unlock();
}

int PaintManager::SetTimer(MControl* control, unsigned key, unsigned elapse) {
  CriticalSectionLock lock(m_timerLock);
  for (auto& r : m_timerRecords) {
    if (r->control != control || r->window != m_hPaintWnd || r->key != key) continue;
    if (!r->killed) return 0;
    if (!::SetTimer(m_hPaintWnd, r->id, elapse, nullptr)) return 0;
    r->killed = 0;
    return 1;
  }
  // Next id of the control range that no record holds; the range never meets the
  // paint manager's own ids.
  unsigned id = 0;
  const unsigned span = kLastControlTimerId - kFirstControlTimerId + 1;
  for (unsigned tries = 0; tries < span && !id; ++tries) {
    m_uTimerCounter = m_uTimerCounter >= kLastControlTimerId ? kFirstControlTimerId : m_uTimerCounter + 1;
    const unsigned candidate = m_uTimerCounter;
    bool used = std::any_of(m_timerRecords.begin(), m_timerRecords.end(),
                            [&](const auto& r) { return r->id == candidate && r->window == m_hPaintWnd; });
    if (!used) id = candidate;
  }
  if (!id || !::SetTimer(m_hPaintWnd, id, elapse, nullptr)) return 0;
  auto record = std::make_unique<ControlTimerRecord>();
  record->window = m_hPaintWnd;
  record->key = key;
  record->id = id;
  record->control = control;
  m_timerRecords.push_back(std::move(record));
  return 1;
}

int PaintManager::KillTimer(MControl* control, unsigned key) {
  CriticalSectionLock lock(m_timerLock);
  for (auto& r : m_timerRecords) {
    if (r->control != control || r->window != m_hPaintWnd || r->key != key || r->killed) continue;
    if (IsWindowAlive()) ::KillTimer(r->window, r->id);
    r->killed = 1;
    return 1;
  }
  return 0;
}

void PaintManager::KillTimer(MControl* control) {
  CriticalSectionLock lock(m_timerLock);
  std::erase_if(m_timerRecords, [&](const std::unique_ptr<ControlTimerRecord>& r) {
    if (r->control != control || r->window != m_hPaintWnd) return false;
    if (!r->killed && IsWindowAlive()) ::KillTimer(r->window, r->id);
    return true;
  });
}

void PaintManager::ClearTimers() {
  CriticalSectionLock lock(m_timerLock);
  for (auto& r : m_timerRecords)
    if (r->window == m_hPaintWnd && !r->killed && IsWindowAlive()) ::KillTimer(r->window, r->id);
  m_timerRecords.clear();
}

unsigned PaintManager::GetControlTimerID(MControl* control, unsigned key) {
  CriticalSectionLock lock(m_timerLock);
  for (auto& r : m_timerRecords)
    if (r->control == control && r->key == key && r->window == m_hPaintWnd) return r->id;
  return 0;
}

void PaintManager::OnTimer(unsigned id) {
  switch (id) {
    case kCaretTimer:
      OnCaretTimer();
      return;
    case kMessageHoldTimer:
    case kFadeTimer:
    case kProgressTimer:
      OnOverlayTimer(id);
      return;
    default:
      break;
  }
  // A ticked control may kill or delete timers: tick a snapshot of the live records.
  std::vector<MControl*> ticked;
  {
    CriticalSectionLock lock(m_timerLock);
    for (auto& r : m_timerRecords)
      if (r->window == m_hPaintWnd && r->id == id && !r->killed) ticked.push_back(r->control);
  }
  for (MControl* control : ticked) {
    CriticalSectionLock lock(m_timerLock);
    bool alive = std::any_of(m_timerRecords.begin(), m_timerRecords.end(),
                             [&](const auto& r) { return r->control == control && r->id == id && !r->killed; });
    if (alive) control->OnTimer();
  }
}
