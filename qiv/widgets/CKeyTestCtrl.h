// The key tester: the keys the user presses as a strip of key pictures, newest first. A key
// stays while held and for about four seconds after its release; ten seconds without a
// new key empty the strip.
#pragma once
#include <functional>
#include <memory>
#include <vector>
#include "core/CriticalSection.h"
#include "core/MControlFont.h"
// The key-layer tabs and the battery indicator came with this header before they had
// their own; the program still finds them here.
#include "widgets/BatteryCtrl.h"
#include "widgets/KeyLayerCtrl.h"

struct KEYTEST_INFO {
  CString name;
  int code = 0;
  int countdown = 255;  // 255 while held; 251 after the release, then down by 5 per run
  CRect rect;           // where it was drawn last, control coordinates
};

class QIV_API CKeyTestCtrl : public MControlFont {
public:
  CKeyTestCtrl(MObject* parent, unsigned id, CRect rect, int visible, int enabled);
  ~CKeyTestCtrl() override;
  const wchar_t* GetClassNameW() const override;

  void DrawControl(HDC& hdc, CRect paint) override;
  // Runs its countdown on every 6th tick of the multimedia timer.
  int OnControlTimer() override;

  // A pressed key: appended held, and the idle clock restarts. Repeats are not merged.
  void AddKey(CString name, int code);
  // Releases the first held entry with that code.
  void RemoveKey(int code);
  void ClearList();

  // A copy of the entries in press order, for the owner's checks.
  std::vector<KEYTEST_INFO> GetEntries();
  // The millisecond clock of the idle clear (GetTickCount by default).
  void SetClock(std::function<DWORD()> clock);

private:
  void Repaint() { UpdateControl(1, 0); }
  DWORD Now() const { return m_clock ? m_clock() : 0; }

  std::vector<std::unique_ptr<KEYTEST_INFO>> m_entries;
  CriticalSection m_lock;
  int m_tick = 0;
  int m_tickDivisor = 5;
  DWORD m_lastKeyTime = 0;
  std::function<DWORD()> m_clock;
};
