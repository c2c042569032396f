#include "core/MDialog.h"
#include "controls/MAirBladder.h"

MDialog::MDialog() = default;
MDialog::~MDialog() = default;

int MDialog::PreTranslateMessage(MSG* msg) { return m_pm.PreTranslateMessage(msg) ? 1 : 0; }

int MDialog::OnInitDialog() {
  m_pm.Init(m_hWnd, this);
  if (HasWindow()) ::GetClientRect(m_hWnd, &m_rcClient);
  InitUI(HasWindow() ? m_rcClient : CRect());
  return 1;
}

void MDialog::OnDestroyMessage(HWND oldWindow) {
  if (oldWindow && oldWindow == m_pm.GetPaintWnd()) m_pm.DestroyData();
  PostNcDestroy();
}

POINT MDialog::GetAirBladderPoint(MControl* control, UINT where) {
  POINT point = {0, 0};
  if (!control) return point;
  const CRect r = control->GetRect();
  point.x = where == 1 ? r.left + r.Width() / 2 : where == 2 ? r.right : r.left;
  point.y = r.bottom;
  ClientToScreen(&point);
  return point;
}

void MDialog::OnMinimize() { ShowWindow(SW_MINIMIZE); }

void MDialog::OnMaximize() { ShowWindow(HasWindow() && ::IsZoomed(m_hWnd) ? SW_RESTORE : SW_MAXIMIZE); }

int MDialog::OnSize(UINT, int, int) {
  if (!HasWindow() || !::IsIconic(m_hWnd)) SetupBackTranslucent();
  if (HasWindow()) ::GetClientRect(m_hWnd, &m_rcClient);
  if (m_rcClient.Width() > 1 && m_rcClient.Height() > 1) UISize(m_rcClient);
  if (HasWindow()) ::InvalidateRect(m_hWnd, &m_rcClient, FALSE);
  return 0;
}

const wchar_t* MDialog::GetClassNameW() const { return L"MDialog"; }

void MDialog::PostClose(WPARAM result) {
  if (HasHandle()) ::PostMessageW(m_hWnd, UM_CLOSEWINDOW, result, 0);
}

void MDialog::DoOK() { PostClose(1); }
void MDialog::DoCancel() { PostClose(2); }
void MDialog::DoClose() { PostClose(2); }
void MDialog::DoYes() { PostClose(6); }
void MDialog::DoNo() { PostClose(7); }

std::vector<MControl*> MDialog::GetControls() { return *m_pm.GetControls(); }
void MDialog::SetFocusControl(MControl* control) { m_pm.SetFocusControl(control); }
void MDialog::SetMTimer(UINT periodMs) { m_pm.SetMTimer(periodMs); }
void MDialog::KillMTimer(UINT id) { m_pm.KillMTimer(id); }
void MDialog::EnableWndDrag(int enable) { m_pm.EnableWndDrag(enable); }
void MDialog::SetTooltip(CString text, CRect rect) { m_pm.SetTooltip(text, rect); }
void MDialog::ClearTooltip() { m_pm.ClearTooltip(); }

CRect MDialog::GetDefaultMessageRect() const {
  CRect r;
  if (HasWindow()) ::GetClientRect(m_hWnd, &r);
  const int bottom = r.bottom;
  r.left = (r.right - r.left) / 2 - 100;
  r.right = r.left + 200;
  r.top = bottom - 60;
  r.bottom = bottom - 2;
  r.OffsetRect(0, m_nMsgOffset);
  return r;
}

void MDialog::SetMessage(CString text, CRect rect, MsgLevel level) {
  if (rect.IsRectEmpty() || rect.IsRectNull()) rect = GetDefaultMessageRect();
  m_pm.SetMessage(text, rect, level);
}

void MDialog::SetProgress(int percent, CString text, CRect rect) { m_pm.SetProgress(percent, text, rect); }

int MDialog::SetAirBladderMsg(const wchar_t* text, POINT at, AIRBLADDER_TYPE type) {
  if (at.x == 0 || at.y == 0) return 0;
  m_pm.SetAirBladderMsg(text, at, type, AIRBLADDER_MODE_BOTTOM);
  if (MAirBladder* balloon = m_pm.GetAirBladder()) balloon->ShowWindow(SW_SHOW);
  return 1;
}

void MDialog::CreateShadow(int show, bool force) { m_pm.CreateShadow(show, force); }
int MDialog::SetSize(int size) { return m_pm.SetSize(size); }
int MDialog::SetSharpness(UINT sharpness) { return m_pm.SetSharpness(sharpness); }
int MDialog::SetDarkness(UINT darkness) { return m_pm.SetDarkness(darkness); }
int MDialog::SetPosition(int x, int y) { return m_pm.SetPosition(x, y); }
int MDialog::SetShadowColor(COLORREF color) { return m_pm.SetShadowColor(color); }
void MDialog::SetShadowImage(const wchar_t* file, CRect corners) { m_pm.SetShadowImage(file, corners); }
void MDialog::SetShadowImage(UINT resourceId, CRect corners) { m_pm.SetShadowImage(resourceId, corners); }
void MDialog::SetShadowShow(int show) { m_pm.SetShadowShow(show); }
void MDialog::SetupRegion(int) {}
