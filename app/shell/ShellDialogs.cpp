#include "shell/ShellDialogs.h"
#include <memory>
#include "controls/CGifPicture.h"
#include "controls/MButton.h"
#include "controls/MProgress.h"
#include "controls/MText.h"
#include "shell/AppSettings.h"
#include "shell/LanguageText.h"

namespace {

constexpr DWORD kDialogStyle = 0x96020000;

// The light or dark fill and frame of the small dialogs ("theme_type" 1 is dark).
void SetThemeColours(PaintManager* pm) {
  if (ReadAppRegInt(L"theme_type") == 1) pm->SetBackColor(0x110B06, 0xCCB9AF);
  else pm->SetBackColor(0xFBFBFB, 0x6C4CF7);
}

}  // namespace

// ---- message box ----

CUIMessageBox::~CUIMessageBox() = default;

int CUIMessageBox::OnInitDialog() {
  MDialog::OnInitDialog();
  ::SetWindowPos(GetSafeHwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  return 1;
}

void CUIMessageBox::InitUI(CRect client) {
  SetLayeredWindow(1);
  SetThemeColours(GetPaintManager());
  const int h = client.bottom - client.top;
  if (auto* caption = dynamic_cast<MText*>(CreateArea(L"MText", 31, CRect(20, 15, client.right - 20, 40),
                                                      m_caption.GetString(), 1, 1))) {
    caption->SetFontWidth(20);
    caption->SetAlignment(1);
  }
  if (auto* body = dynamic_cast<MText*>(CreateArea(L"MText", 32, CRect(20, h / 2 - 30, client.right - 20, h / 2 + 30),
                                                   m_text.GetString(), 1, 1))) {
    body->SetFontWidth(18);
    body->SetVAlignment(4);
    body->SetAlignment(1);
    body->EnableMultiLine(1);
    body->EnableVCenter(1);
  }
  auto button = [this](UINT id, int text, CRect rect) {
    if (auto* b = dynamic_cast<MButton*>(CreateControl(L"MButton", id, rect, LoadLangString(text).GetString(), 1, 1)))
      b->SetImage(L"img_button.png", 4);
  };
  if (m_type == kMessageBoxOk) {
    button(33, 20, CRect(100, client.bottom - 50, client.right - 100, client.bottom - 14));
  } else if (m_type == kMessageBoxOkCancel) {
    const int c = (client.right - client.left) / 2;
    button(33, 23, CRect(c - 120, client.bottom - 50, c - 20, client.bottom - 14));
    button(34, 25, CRect(c + 20, client.bottom - 50, c + 120, client.bottom - 14));
  }
}

void CUIMessageBox::UISize(CRect) {}

LRESULT CUIMessageBox::OnMessage(UINT id, UINT code, WPARAM, LPARAM) {
  if (code != 2) return 0;
  if (id == 33) {
    DoOK();
    return 1;
  }
  if (id == 34) {
    DoCancel();
    return 1;
  }
  return 0;
}

int ShowMessageBox(HWND owner, const wchar_t* text, const wchar_t* caption, int type) {
  auto box = std::make_unique<CUIMessageBox>();
  box->m_caption = caption ? caption : L"";
  box->m_text = text ? text : L"";
  box->LoadBKImage(L"bk_msgbox.png");
  box->SetBackMode(BACKMODE_NINEGRID, 30);
  box->m_type = type;
  if (!box->Create(owner, L"MessageBox", kDialogStyle, WS_EX_TOOLWINDOW, CRect(0, 0, 500, 260))) return 2;
  box->CenterWindow(nullptr);
  const UINT result = box->ShowModal(SW_SHOWNORMAL);
  box->DestroyWindow();
  return int(result);
}

// ---- busy dialogs ----

WaitDlg::~WaitDlg() = default;
LEDWaitDlg::~LEDWaitDlg() = default;

CRect WaitDlg::CenteredOn(const RECT& owner) {
  const int left = owner.left + (owner.right - owner.left - 102) / 2;
  const int top = owner.top + (owner.bottom - owner.top - 102) / 2;
  return CRect(left, top, left + 102, top + 102);
}

void WaitDlg::ShowCentered(HWND owner) {
  RECT rect = {};
  if (owner) ::GetWindowRect(owner, &rect);
  if (!Create(owner, L"WaitDlg", kDialogStyle, WS_EX_TOOLWINDOW, CenteredOn(rect))) return;
  ShowModal(SW_SHOW);
}

int WaitDlg::OnInitDialog() {
  MDialog::OnInitDialog();
  SetThemeColours(GetPaintManager());
  ::SetWindowPos(GetSafeHwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  SetMTimer(10);
  EnableWndDrag(1);
  return 1;
}

void WaitDlg::InitUI(CRect) {
  SetLayeredWindow(1);
  LoadBKImage(L"loading.png");
  if (RoundedBackground()) SetBackMode(BACKMODE_NINEGRID, 12);
  if (auto* spinner = dynamic_cast<CGifPicture*>(CreateControl(L"CGifPicture", 30, CRect(1, 1, 101, 101), L"", 1, 1))) {
    spinner->SetImage(L"loading.gif", 1);
    spinner->SetRunState(1, 0);
    spinner->AddMTimer();
  }
}

void WaitDlg::UISize(CRect) {}

LRESULT WaitDlg::OnMessage(UINT, UINT, WPARAM, LPARAM) { return 0; }

LEDWaitDlg2::~LEDWaitDlg2() = default;

void LEDWaitDlg2::ShowCentered() {
  if (!Create(nullptr, L"LEDWaitDlg", kDialogStyle, WS_EX_TOOLWINDOW, CRect(0, 0, 395, 150))) return;
  CenterWindow(nullptr);
  LoadBKImage(L"img_loading_bkg.png");
  ShowModal(SW_SHOW);
}

int LEDWaitDlg2::OnInitDialog() {
  MDialog::OnInitDialog();
  GetPaintManager()->SetBackColor(0x351806, 0x351806);
  ::SetWindowPos(GetSafeHwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  SetMTimer(10);
  EnableWndDrag(1);
  return 1;
}

void LEDWaitDlg2::InitUI(CRect client) {
  m_title = dynamic_cast<MText*>(CreateArea(L"MText", 30, CRect(17, 15, 167, 35), LoadLangString(861).GetString(), 1, 1));
  if (m_title) m_title->SetTextColor(Gdiplus::Color(0xFFEE6E01));
  m_status = dynamic_cast<MText*>(CreateArea(L"MText", 31, CRect(30, 60, 190, 80), L"Loading: 1%", 1, 1));
  if (m_status) m_status->SetTextColor(Gdiplus::Color(0xFF969696));
  m_progress = dynamic_cast<MProgress*>(CreateControl(L"MProgress", 32, CRect(30, 80, client.right - 30, 90), L"", 1, 1));
}

void LEDWaitDlg2::UISize(CRect) {}

LRESULT LEDWaitDlg2::OnMessage(UINT, UINT, WPARAM, LPARAM) { return 0; }
