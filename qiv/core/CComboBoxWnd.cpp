#include "core/CComboBoxWnd.h"
#include "controls/MComboBox.h"

CComboBoxWnd::CComboBoxWnd() {
  // The theme is read as the skin does everywhere; the drop-down looks the same for all.
  ReadRegistryInt(L"theme_type");
  m_pm.SetBackColor(0xFBFBFB, 0xE57749);
}

CComboBoxWnd::~CComboBoxWnd() = default;

void CComboBoxWnd::InitUI(CRect client) {
  m_pm.SetLayeredWindow(1);
  CRect inner = client;
  inner.DeflateRect(3, 3);
  m_pList = dynamic_cast<CComboBoxList*>(CreateControl(L"CComboBoxList", kListId, inner, L"", 1, 1));
}

void CComboBoxWnd::UISize(CRect) {}

LRESULT CComboBoxWnd::OnMessage(UINT id, UINT code, WPARAM wParam, LPARAM lParam) {
  if (id != kListId || code != NOTIFY_CLICK) return 0;
  SendMessageToParent(NOTIFY_CLICK, wParam, lParam);
  CloseWindow();
  return 1;
}

int CComboBoxWnd::OnDestroy() {
  SendMessageToParent(NOTIFY_DROPDOWN_CLOSED, 0, 0);
  return 0;
}

int CComboBoxWnd::LoadBKImage(CString file) {
  SetBackMode(BACKMODE_NINEGRID, 6);
  return m_pm.LoadBKImage(file);
}

int CComboBoxWnd::LoadBKImage(UINT resourceId, CString type) {
  SetBackMode(BACKMODE_NINEGRID, 6);
  return m_pm.LoadBKImage(resourceId, type);
}

int CComboBoxWnd::AddItem(const wchar_t* text, long data, const wchar_t* icon, Gdiplus::Color colour) {
  return m_pList ? m_pList->AddItem(text, data, icon, colour) : -1;
}

void CComboBoxWnd::RefreshList() {
  if (m_pList) m_pList->UpdateControl(1, 0);
}

void CComboBoxWnd::SetTextColor(Gdiplus::Color color) {
  if (m_pList) m_pList->SetTextColor(color);
}
