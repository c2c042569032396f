// The library's windows as they stand, opened together: a skinned dialog (nine-grid
// background, areas, texts, a scrolling panel), a popup menu with a hovered item, a
// popup window and a dialog with a drop shadow. qiv_demo.exe shows it; its tests render
// it in process and take a screenshot of it.
#pragma once
#include <windows.h>
#include "core/MDialog.h"
#include "core/MPanel.h"
#include "core/MPopupWnd.h"
#include "core/MenuWnd.h"

namespace demo {

// Colours the pictures are checked against (0xAARRGGBB).
constexpr DWORD kBackground = 0xFFF4F6F8;
constexpr DWORD kBorder = 0xFF3A4E60;
constexpr DWORD kHeader = 0xFF4977E5;
constexpr DWORD kGreen = 0xFF2EAD6B;
constexpr DWORD kOrange = 0xFFF08A24;
constexpr DWORD kPopupBack = 0xFFFFF4D6;
constexpr DWORD kShadowedBack = 0xFFE8F0FF;
constexpr DWORD kMenuBack = 0xFFFFFFFF;
constexpr DWORD kShadowColor = 0x00283C78;  // 0x00RRGGBB
constexpr BYTE kShadowDarkness = 120;
constexpr UINT kMenuChoice = WM_APP + 10;

// Places of the windows on the screen and of the parts that are checked.
struct Layout {
  static CRect Main() { return CRect(40, 40, 800, 560); }
  static CRect Header() { return CRect(0, 0, 760, 64); }
  static CRect GreenArea() { return CRect(400, 96, 560, 176); }
  static CRect OrangeArea() { return CRect(580, 96, 740, 176); }
  static CRect Panel() { return CRect(24, 200, 364, 496); }
  static CRect Title() { return CRect(24, 12, 520, 52); }
  static CPoint MenuAt() { return CPoint(830, 60); }
  static CRect Popup() { return CRect(830, 330, 1070, 470); }
  static CRect Shadowed() { return CRect(1110, 330, 1390, 510); }
};

// A plain coloured rectangle for the areas layer.
class Swatch : public MControl {
public:
  Swatch(MObject* parent, unsigned id, CRect rect, DWORD argb);
  const wchar_t* GetClassNameW() const override { return L"DemoSwatch"; }
  void DrawControl(HDC& hdc, CRect paint) override;

private:
  DWORD m_argb;
};

// A panel that shows its content through the panel's rectangle, moved by the scroll
// position, with its scroll bars over it (the library's scrolling lists draw themselves
// this way; the bare panel draws nothing while its content overflows).
class ScrollPanel : public MPanel {
public:
  ScrollPanel(MObject* parent, unsigned id, CRect rect) : MPanel(parent, id, rect, 1) {}
  int DrawSubControls(HDC& hdc, CRect paint) override;
};

class MainDialog : public MDialog {
public:
  int choices = 0;
  UINT lastChoice = 0;
  void InitUI(CRect client) override;
  LRESULT OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  MPanel* GetPanel() const { return m_panel; }

private:
  MPanel* m_panel = nullptr;
};

class Popup : public MPopupWnd {
public:
  void InitUI(CRect client) override;
};

class Shadowed : public MDialog {
public:
  void InitUI(CRect client) override;
};

class Scene {
public:
  Scene();
  ~Scene();
  // Writes the skin pictures, creates and shows every window; false when one failed.
  bool Open();
  // Closes the windows that are still open.
  void Close();

  MainDialog main;
  Popup popup;
  Shadowed shadowed;
  MenuWnd* menu = nullptr;  // deletes itself with its window
  HWND menuWindow = nullptr;
};

// Writes the demo's skin pictures into the skins folder.
void WriteSkins();
// Dispatches queued messages for `ms` milliseconds.
void Pump(int ms);

}  // namespace demo
