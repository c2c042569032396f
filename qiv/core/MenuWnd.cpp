#include "core/MenuWnd.h"
#include <cwchar>
#include "controls/MenuItem.h"
#include "core/MRender.h"
#include "widgets/KeyFuncType.h"

namespace {
constexpr wchar_t kMenuTitle[] = L"Menu Window";
constexpr DWORD kMenuStyle = 0x80B;
}  // namespace

MenuWnd::MenuWnd(MObject* parent) {
  m_pParent = parent;
  m_crKey = 0xFFFFFF;
}

MenuWnd::~MenuWnd() = default;

void MenuWnd::OnDestroyMessage(HWND) { PostNcDestroy(); }

int MenuWnd::PostNcDestroy() {
  delete this;
  return 1;
}

void MenuWnd::InitUI(CRect) {
  for (MControl* control : *m_pm.GetControls())
    if (auto* item = dynamic_cast<MenuItem*>(control)) ApplyItemStates(item);
  SetMenuPoint();
}

void MenuWnd::UISize(CRect) {}

LRESULT MenuWnd::OnMessage(UINT id, UINT code, WPARAM wParam, LPARAM) {
  if (m_hOwner) ::PostMessageW(m_hOwner, m_uMessage, wParam, static_cast<LPARAM>(id));
  if (code == NOTIFY_CLICK) CloseWindow();
  return 1;
}

LRESULT MenuWnd::SendMessageToParent(UINT id, UINT code, WPARAM wParam, LPARAM lParam) {
  return OnMessage(id, code, wParam, lParam);
}

int MenuWnd::CreateMenuWindow(HWND owner, CPoint at, UINT message) {
  m_uMessage = message;
  m_hOwner = owner;
  return MWindow::Create(owner, kMenuTitle, kMenuStyle, 0, CRect(at.x, at.y, at.x + m_nWidth, at.y + m_nWidth))
             ? 1
             : 0;
}

int MenuWnd::Create(HWND owner, CPoint at, UINT message, CString imageFile, int corner, int width,
                    enumBackMode mode) {
  m_nWidth = width;
  m_pm.LoadBKImage(imageFile);
  m_pm.SetBackMode(mode, corner);
  m_pm.SetLayeredWindow(1);
  return CreateMenuWindow(owner, at, message);
}

int MenuWnd::Create(HWND owner, CPoint at, UINT message, UINT resourceId, int corner, int width,
                    enumBackMode mode) {
  m_nWidth = width;
  m_pm.LoadBKImage(resourceId, L"PNG");
  m_pm.SetBackMode(mode, corner);
  m_pm.SetLayeredWindow(1);
  return CreateMenuWindow(owner, at, message);
}

int MenuWnd::Create(HWND owner, CPoint at, UINT message) { return CreateMenuWindow(owner, at, message); }

void MenuWnd::SetItemFont(const CString& face, int size, int style) {
  m_fontFace = face;
  m_nFontSize = size;
  m_nFontStyle = style;
}

MenuItem* MenuWnd::CreateItem(UINT id, const CString& title) {
  return dynamic_cast<MenuItem*>(CreateControl(L"MenuItem", id, CRect(), title, 1, 1));
}

MenuItem* MenuWnd::AddItem(const CString& title, UINT id) {
  Gdiplus::FontFamily* family = m_pm.FindTempFont(m_fontFace);
  Gdiplus::Font font(family ? family : Gdiplus::FontFamily::GenericSansSerif(), static_cast<Gdiplus::REAL>(m_nFontSize),
                     m_nFontStyle, Gdiplus::UnitPixel);
  Gdiplus::StringFormat format;
  format.SetAlignment(Gdiplus::StringAlignmentNear);
  format.SetFormatFlags(0x1800);
  const int measured = MRender::GetTextBounds(font, format, title).Width;
  if (m_nWidth - m_nTextIndent - 4 < measured) m_nWidth = measured + m_nTextIndent + 4;

  // Without an item (the factory made none) there is nothing to configure.
  MenuItem* item = CreateItem(id, title);
  if (!item) return nullptr;
  item->SetFont(m_fontFace, m_nFontSize, static_cast<Gdiplus::FontStyle>(m_nFontStyle));
  ApplyItemStates(item);
  return item;
}

int MenuWnd::AddMenu(CString title, UINT id, CString imageFile, int, int) {
  MenuItem* item = AddItem(title, id);
  if (item && !imageFile.IsEmpty()) item->SetImage(imageFile.GetString(), 4);
  SetMenuPoint();
  return -1;
}

int MenuWnd::AddMenu(CString title, UINT id, int imageResourceId, int, int) {
  MenuItem* item = AddItem(title, id);
  if (item && imageResourceId != -1) item->SetImage(static_cast<unsigned>(imageResourceId), L"PNG", 4);
  SetMenuPoint();
  return -1;
}

int MenuWnd::AddSeparator(UINT id, CString imageFile) {
  MenuItem* item = CreateItem(id, L"");
  if (item) {
    item->SetSeparator(1);
    if (!imageFile.IsEmpty()) item->SetImage(imageFile.GetString(), 1);
  }
  SetMenuPoint();
  return -1;
}

void MenuWnd::SetMenuPoint() {
  int y = m_nTopMargin ? m_nTopMargin : 2;
  for (MControl* control : *m_pm.GetControls()) {
    if (!control) continue;
    auto* item = dynamic_cast<MenuItem*>(control);
    CRect place;
    if (!control->IsVisible()) {
      place = CRect(0, 0, 0, 0);
    } else if (item && item->IsSeparator()) {
      place = CRect(m_nTextIndent + 1, y + 1, m_nWidth - 10, y + 2);
      y += 4;
    } else {
      place = CRect(5, y, m_nWidth - 10, y + m_nItemHeight);
      if (item) item->SetTextIndent(m_nTextIndent);
      y += m_nItemHeight;
    }
    control->SetRect(place);
  }
  if (HasWindow()) {
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, m_nWidth, y + (m_nBottomMargin ? m_nBottomMargin : 2),
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ::InvalidateRect(m_hWnd, nullptr, FALSE);
  }
}

void MenuWnd::SetItemTitle(CString key, CString title) { m_itemStates.push_back({0, key, title, 1, 1, -1}); }
void MenuWnd::SetItemVisible(CString key, int visible) { m_itemStates.push_back({0, key, L"", visible, 1, -1}); }
void MenuWnd::SetItemEnable(CString key, int enabled) { m_itemStates.push_back({0, key, L"", 1, enabled, -1}); }
void MenuWnd::SetItemCheck(CString key, int check) { m_itemStates.push_back({0, key, L"", 1, 1, check}); }

void MenuWnd::ApplyItemStates(MenuItem* item) {
  if (!item) return;
  CString id;
  id.Format(L"%u", item->GetControlID());
  for (const ItemState& state : m_itemStates) {
    if (state.key != id && state.key != item->GetTitle()) continue;
    if (!state.title.IsEmpty()) item->SetTitle(state.title);
    if (!state.visible) item->SetVisible(0, 0);
    if (!state.enabled && item->IsEnabled()) item->SetControlEnabled(0);
    if (state.check != -1 && item->IsEnabled()) item->SetCheck(state.check);
  }
}

MenuExWnd::MenuExWnd(MObject* parent) : MenuWnd(parent) {}
MenuExWnd::~MenuExWnd() = default;
void MenuExWnd::InitUI(CRect) {}
void MenuExWnd::UISize(CRect) {}

int MenuExWnd::Create(HWND owner, CRect rect, UINT message, CString imageFile) {
  m_uMessage = message;
  m_hOwner = owner;
  m_pm.LoadBKImage(imageFile);
  m_pm.SetBackMode(BACKMODE_NINEGRID, 10);
  m_pm.SetLayeredWindow(1);
  MWindow::Create(owner, kMenuTitle, kMenuStyle, 0, rect);
  m_pList = dynamic_cast<KeyMenuFuncType*>(
      CreateControl(L"KeyMenuFuncType", kListId, CRect(10, 10, rect.Width() - 10, rect.Height() - 10), L"", 1, 1));
  return HasWindow() ? 1 : 0;
}

void MenuExWnd::AddItem(CString text, CString description, int data, CString iconFile) {
  if (m_pList) m_pList->AddItem(text, description, data, iconFile);
}

KeyMenuWnd::KeyMenuWnd(MObject* parent) : MenuExWnd(parent) {}
KeyMenuWnd::~KeyMenuWnd() = default;
void KeyMenuWnd::InitUI(CRect) {}
void KeyMenuWnd::UISize(CRect) {}
LRESULT KeyMenuWnd::OnMessage(UINT id, UINT code, WPARAM wParam, LPARAM lParam) {
  return MenuExWnd::OnMessage(id, code, wParam, lParam);
}
