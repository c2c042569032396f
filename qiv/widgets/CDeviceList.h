// The device list: one large tile per online keyboard with its name, picture, battery and
// link; keyboards with several colour pictures slide from one to the next every 3 s and
// can be stepped with two arrows. A click on a tile selects that keyboard. The worker
// thread sets states and batteries while the window paints and the timer slides.
#pragma once
#include <windows.h>
#include <gdiplus.h>
#include <functional>
#include <memory>
#include <utility>
#include <vector>
#include "core/CString.h"
#include "core/CriticalSection.h"
#include "core/MPanel.h"
#include "widgets/CDeviceCtrl.h"

// One row of the device list: a keyboard model of the catalogue.
struct DEVICE_INFO {
  CString name;
  int id = 0;        // the caller's device id (the keyboard model number)
  int link = 0;      // 0 USB cable, 1 2.4G receiver
  int state = 0;     // 0 offline, above 0 online
  int battery = 0;   // 0-100
  int charging = 0;  // 1 charging
  std::unique_ptr<Gdiplus::Image> offlinePicture;
  int offlineWidth = 0, offlineHeight = 0;
  std::unique_ptr<Gdiplus::Image> onlinePicture;
  int onlineWidth = 0, onlineHeight = 0;
  CRect tile;  // control coordinates, written by each redraw
  std::vector<std::unique_ptr<Gdiplus::Image>> colorPictures;
  std::vector<std::pair<int, int>> colorSizes;  // (width, height), parallel to colorPictures
  int current = 0;  // colour picture shown
  CRect leftArrow, rightArrow;
  int previous = 0;  // colour picture sliding out
  int progress = 255;
  BYTE sliding = 0;
  int direction = 1;
};

class QIV_API CDeviceList : public MPanel {
public:
  // `enabled` is ignored: the list starts enabled.
  CDeviceList(MObject* parent, unsigned id, CRect rect, int visible, int enabled);
  ~CDeviceList() override;
  const wchar_t* GetClassNameW() const override;

  void DrawControl(HDC& hdc, CRect paint) override;
  long OnMessage(unsigned id, unsigned code, unsigned wParam, long lParam) override;
  void SetControlRect(CRect rect) override;
  int OnControlTimer() override;
  int OnControlMouseMove(unsigned flags, CPoint point) override;
  int OnControlLButtonDown(unsigned flags, CPoint point) override;
  int OnControlLButtonUp(unsigned flags, CPoint point) override;
  int OnControlScroll(int delta, unsigned direction, CPoint point) override;

  // Appends a row for a keyboard model with its offline and online pictures; answers its
  // index. Pictures that cannot be loaded are left out.
  int AddDevice(CString name, int id, CString offlinePicture, CString onlinePicture);
  // A colour picture of the first row with that id.
  void AddColorImage(int id, CString picture);
  void ClearList();
  // Every row takes the state; battery and charging go to 0.
  void SetAllDeviceState(int state);
  // kind 0 (cable) always sets state and link; kind 1 (receiver) only while offline.
  void SetDeviceState(int id, int kind, int state);
  // kind 0 always, kind 1 only while the row has no battery level; the level is held at 100.
  void SetDeviceBattery(int id, int kind, int level, int charging);
  int GetDeviceState(int id);
  // The first online row of that model, else the first online row, else none (-1).
  void SetSelectDevice(int id);
  // The id of the selected row (row 0 when the selection is not a row); 0 for an empty list.
  int GetSelectDevice();
  int GetSelectItem() const { return m_selected; }
  int GetItemCount();
  int GetOnlineCount();
  CRect GetImageRect(int width, int height, CRect area);

  // A row in place (null for a bad index); it stays the list's and lives until ClearList.
  using DeviceItem = DEVICE_INFO;
  const DEVICE_INFO* GetItem(int index);
  // What a row shows, read under the lock (false for a bad index).
  struct RowStatus {
    int id = 0, link = 0, state = 0, battery = 0, charging = 0;
    int current = 0, sliding = 0, progress = 0, direction = 0;
  };
  bool GetRowStatus(int index, RowStatus& status);
  int GetHoverItem() const { return m_hovered; }
  CRect GetTileRect(int index);
  // The clock of the automatic picture switch (the performance counter by default).
  void SetClock(std::function<LONGLONG()> counter, LONGLONG frequency);

private:
  void Repaint();
  DEVICE_INFO* FindRow(int id);
  int OnlineCountLocked() const;
  CRect WindowRect(const CRect& controlRect) const;
  void DrawTile(Gdiplus::Graphics& g, DEVICE_INFO& row, int x, int top, CSize size, Gdiplus::Font* nameFont,
                Gdiplus::Font* textFont);
  void DrawPicture(Gdiplus::Graphics& g, DEVICE_INFO& row, const CRect& area);
  void DrawStatusFrame(Gdiplus::Graphics& g, int frame, int x, int y);
  LONGLONG Now() const;

  std::vector<std::unique_ptr<DEVICE_INFO>> m_rows;
  CriticalSection m_rowLock;
  int m_hovered = -1;
  int m_selected = 0;
  int m_hitOffset = 0;
  int m_rowExtent = 200;
  double m_switchInterval = 3000.0;
  std::function<LONGLONG()> m_counter;
  LONGLONG m_frequency = 1;
  LONGLONG m_lastSwitch = 0;
};
