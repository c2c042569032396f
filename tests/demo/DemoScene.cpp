#include "DemoScene.h"
#include <string>
#include <vector>
#include "controls/MScroll.h"
#include "controls/MText.h"
#include "controls/MenuItem.h"
#include "core/Manager.h"
#include "lodepng.h"

namespace demo {
namespace {
constexpr wchar_t kBackImage[] = L"demo_back.png";
constexpr wchar_t kMenuImage[] = L"demo_menu.png";

// A w x h picture of a filled rounded panel with a border of `border` pixels.
void WritePanel(const wchar_t* name, unsigned w, unsigned h, DWORD fill, DWORD edge, unsigned border) {
  std::vector<unsigned char> rgba(static_cast<size_t>(w) * h * 4);
  for (unsigned y = 0; y < h; ++y)
    for (unsigned x = 0; x < w; ++x) {
      const bool onEdge = x < border || y < border || x >= w - border || y >= h - border;
      const DWORD c = onEdge ? edge : fill;
      unsigned char* p = &rgba[(static_cast<size_t>(y) * w + x) * 4];
      p[0] = (c >> 16) & 0xFF;
      p[1] = (c >> 8) & 0xFF;
      p[2] = c & 0xFF;
      p[3] = (c >> 24) & 0xFF;
    }
  const CString wide = GetSkinsFolder() + name;
  std::string path;
  for (wchar_t ch : wide.str()) path += static_cast<char>(ch);
  lodepng::encode(path, rgba, w, h);
}

MText* AddText(MDialog& dialog, unsigned id, CRect rect, const wchar_t* text, int size, DWORD argb) {
  auto* label = dynamic_cast<MText*>(dialog.CreateControl(L"MText", id, rect, text, 1, 1));
  if (label) {
    label->SetFont(L"Roboto-Medium", size, Gdiplus::FontStyleRegular);
    label->SetTextColor(Gdiplus::Color(argb));
  }
  return label;
}

// The COLORREF (blue-green-red) of an 0xAARRGGBB colour.
COLORREF Ref(DWORD argb) { return RGB((argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF); }

void AddArea(PaintManager* pm, MObject* owner, unsigned id, CRect rect, DWORD argb) {
  auto* swatch = new Swatch(owner, id, rect, argb);
  swatch->SetManager(pm);
  pm->GetAreas()->push_back(swatch);
}
}  // namespace

Swatch::Swatch(MObject* parent, unsigned id, CRect rect, DWORD argb)
    : MControl(parent, id, rect, 1, 1, 0), m_argb(argb) {}

void Swatch::DrawControl(HDC& hdc, CRect) {
  Gdiplus::Graphics g(hdc);
  Gdiplus::SolidBrush brush{Gdiplus::Color(m_argb)};
  g.FillRectangle(&brush, INT(m_rcControl.left), INT(m_rcControl.top), INT(m_rcControl.Width()),
                  INT(m_rcControl.Height()));
}

int ScrollPanel::DrawSubControls(HDC& hdc, CRect paint) {
  const CPoint offset = GetScrollOffset();
  const int saved = ::SaveDC(hdc);
  ::IntersectClipRect(hdc, m_rcControl.left, m_rcControl.top, m_rcControl.right, m_rcControl.bottom);
  POINT origin;
  ::OffsetViewportOrgEx(hdc, -offset.x, -offset.y, &origin);
  CRect content = paint;
  content.OffsetRect(offset.x, offset.y);
  for (MControl* child : *GetControls())
    if (child && child != GetScrollVertical() && child != GetScrollHorizontal()) child->Draw(hdc, content);
  ::RestoreDC(hdc, saved);
  for (MControl* bar : {static_cast<MControl*>(GetScrollVertical()), static_cast<MControl*>(GetScrollHorizontal())})
    if (bar) bar->Draw(hdc, paint);
  return 1;
}

void WriteSkins() {
  ::CreateDirectoryW(GetExeFolder() + L"skins", nullptr);
  ::CreateDirectoryW(GetSkinsFolder(), nullptr);
  WritePanel(kBackImage, 48, 48, kBackground, kBorder, 2);
  WritePanel(kMenuImage, 40, 40, kMenuBack, 0xFFD0D6DE, 1);
}

void Pump(int ms) {
  const DWORD start = ::GetTickCount();
  do {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
    ::Sleep(1);
  } while (::GetTickCount() - start < static_cast<DWORD>(ms));
}

void MainDialog::InitUI(CRect) {
  PaintManager* pm = GetPaintManager();
  AddArea(pm, this, 901, Layout::Header(), kHeader);
  AddArea(pm, this, 902, Layout::GreenArea(), kGreen);
  AddArea(pm, this, 903, Layout::OrangeArea(), kOrange);
  AddText(*this, 10, Layout::Title(), L"Quenby UI library", 24, 0xFFFFFFFF);
  AddText(*this, 11, CRect(24, 84, 380, 112), L"Skinned dialog: nine-grid background", 15, 0xFF333333);
  AddText(*this, 12, CRect(24, 116, 380, 144), L"Areas, texts and a scrolling panel", 15, 0xFF333333);
  AddText(*this, 13, CRect(24, 148, 380, 176), L"Menus, popups and drop shadows", 15, 0xFF333333);
  AddText(*this, 14, CRect(400, 184, 740, 208), L"Areas: header, green and orange", 13, 0xFF5A6B7C);

  // The panel itself has no name in the window factory; it goes in the controls list.
  const CRect box = Layout::Panel();
  m_panel = new ScrollPanel(this, 20, box);
  m_panel->SetManager(pm);
  pm->GetControls()->push_back(m_panel);
  for (int row = 0; row < 12; ++row) {
    CString text;
    text.Format(L"Panel row %d: content taller and wider than the panel", row + 1);
    auto* line = dynamic_cast<MText*>(
        m_panel->CreateControl(L"MText", 100 + row, CRect(box.left + 8, box.top + 8 + row * 36, box.left + 460,
                                                          box.top + 40 + row * 36),
                               text, 1, 1));
    if (line) {
      line->SetFont(L"Roboto-Regular", 14, Gdiplus::FontStyleRegular);
      line->SetTextColor(Gdiplus::Color(0xFF26323E));
    }
  }
  m_panel->SetRect(box);
}

LRESULT MainDialog::OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == kMenuChoice) {
    ++choices;
    lastChoice = static_cast<UINT>(lParam);
    if (lastChoice == 5) DoOK();  // "Exit"
    return 0;
  }
  return MDialog::OnWindowMessage(msg, wParam, lParam);
}

void Popup::InitUI(CRect client) {
  m_pm.SetBackColor(Ref(kPopupBack), Ref(kBorder));
  AddArea(&m_pm, this, 950, CRect(16, 60, 224, 120), kOrange);
  auto* label = dynamic_cast<MText*>(CreateControl(L"MText", 951, CRect(16, 12, client.right - 16, 48),
                                                   L"Popup window", 1, 1));
  if (label) {
    label->SetFont(L"Roboto-Medium", 18, Gdiplus::FontStyleRegular);
    label->SetTextColor(Gdiplus::Color(0xFF333333));
  }
}

void Shadowed::InitUI(CRect client) {
  GetPaintManager()->SetBackColor(Ref(kShadowedBack), Ref(kBorder));
  AddText(*this, 960, CRect(20, 20, client.right - 20, 60), L"Drop shadow", 20, 0xFF333333);
  AddText(*this, 961, CRect(20, 70, client.right - 20, 150), L"Size 14, sharpness 10", 14, 0xFF5A6B7C);
}

Scene::Scene() = default;

Scene::~Scene() { Close(); }

bool Scene::Open() {
  WriteSkins();
  main.LoadBKImage(kBackImage);
  main.SetBackMode(BACKMODE_NINEGRID, 12);
  if (!main.Create(nullptr, L"Quenby UI demo", WS_POPUP | WS_MINIMIZEBOX, 0, Layout::Main())) return false;

  popup.SetParent(nullptr);
  if (!popup.Create(main.GetSafeHwnd(), L"Popup", WS_POPUP, 0, Layout::Popup())) return false;

  if (!shadowed.Create(main.GetSafeHwnd(), L"Shadowed", WS_POPUP, 0, Layout::Shadowed())) return false;

  menu = new MenuWnd(&main);
  if (!menu->Create(main.GetSafeHwnd(), Layout::MenuAt(), kMenuChoice, kMenuImage, 10, 220, BACKMODE_NINEGRID)) {
    delete menu;
    menu = nullptr;
    return false;
  }
  menuWindow = menu->GetSafeHwnd();
  menu->AddMenu(L"Open profile", 1, L"", 0, -1);
  menu->AddMenu(L"Save profile", 2, L"", 0, -1);
  menu->AddSeparator(3, L"");
  menu->AddMenu(L"Export key assignments", 4, L"", 0, -1);
  menu->AddMenu(L"Exit", 5, L"", 0, -1);
  // Show the second row as hovered, as the pointer would.
  if (MControl* hovered = menu->GetControl(2)) {
    const CRect r = hovered->GetRect();
    hovered->OnControlMouseMove(0, CPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2));
  }

  // The shadow is set up before its window is shown, and shown with it.
  shadowed.CreateShadow(1, true);
  shadowed.SetSharpness(10);
  shadowed.SetDarkness(kShadowDarkness);
  shadowed.SetPosition(6, 6);
  shadowed.SetShadowColor(Ref(kShadowColor));
  shadowed.SetSize(14);
  main.ShowWindow(SW_SHOWNA);
  popup.ShowWindow(SW_SHOWNA);
  shadowed.ShowWindow(SW_SHOWNA);
  menu->ShowWindow(SW_SHOWNA);
  Pump(300);
  return true;
}

void Scene::Close() {
  if (menuWindow && ::IsWindow(menuWindow)) ::DestroyWindow(menuWindow);
  menuWindow = nullptr;
  menu = nullptr;
  shadowed.DestroyWindow();
  popup.DestroyWindow();
  main.DestroyWindow();
}

}  // namespace demo
