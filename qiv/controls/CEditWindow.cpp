#include "controls/CEditWindow.h"
#include <cwchar>
#include "core/PaintManager.h"

namespace {
constexpr UINT kReflectedCommand = WM_COMMAND + 0x2000;
constexpr UINT kReflectedColorEdit = WM_CTLCOLOREDIT + 0x2000;
constexpr UINT kReflectedColorStatic = WM_CTLCOLORSTATIC + 0x2000;
constexpr COLORREF kSystemColors = 0xFFFFFFFF;

bool HostIsLayered(MControl* owner) {
  PaintManager* manager = owner ? owner->GetManager() : nullptr;
  return manager && manager->IsLayered();
}
}  // namespace

CEditWindowOwner::~CEditWindowOwner() = default;

CEditWindow::CEditWindow() = default;

CEditWindow::~CEditWindow() {
  if (m_font) ::DeleteObject(m_font);
  if (m_backBrush) ::DeleteObject(m_backBrush);
}

const wchar_t* CEditWindow::GetWindowClassName() const { return L"ZKEditWindow"; }
const wchar_t* CEditWindow::GetSuperClassName() const { return L"Edit"; }

LOGFONTW CEditWindow::MakeEditFont(const wchar_t* face, int pixelSize, int style) {
  LOGFONTW font = {};
  ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof(font), &font);
  const size_t room = sizeof(font.lfFaceName) / sizeof(font.lfFaceName[0]);
  std::wmemset(font.lfFaceName, 0, room);
  if (face) std::wcsncpy(font.lfFaceName, face, room - 1);
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfHeight = pixelSize + 6;
  if (style & 1) font.lfWeight += 700;
  font.lfItalic = (style & 2) ? 1 : 0;
  font.lfUnderline = (style & 4) ? 1 : 0;
  return font;
}

void CEditWindow::ShowAt(MControlFont* owner, CRect rect) {
  m_owner = owner;
  if (!owner) return;
  const int fontSize = owner->GetFontWidth();
  if (rect.IsRectEmpty()) {
    const CRect o = owner->GetRect();
    rect.left = o.left + 6;
    rect.right = o.right - 6;
    rect.top = o.top + (o.Height() - fontSize - 2) / 2;
    rect.bottom = rect.top + fontSize + 2;
  }
  PaintManager* manager = owner->GetManager();
  const HWND host = manager ? manager->GetPaintWnd() : nullptr;
  DWORD style = WS_CHILD | ES_AUTOHSCROLL;
  if (HostIsLayered(owner)) {
    style = WS_POPUP | WS_VISIBLE | ES_AUTOHSCROLL;
    POINT origin = {0, 0};
    if (host) ::ClientToScreen(host, &origin);
    rect.OffsetRect(origin.x, origin.y);
  }
  unsigned hAlign = 0, vAlign = 0;
  owner->GetAlignment(hAlign, vAlign);
  if (hAlign == 1) style |= ES_CENTER;
  if (hAlign == 2) style |= ES_RIGHT;
  if (m_password) style |= ES_PASSWORD;

  Create(host, L"", style, 0, rect);
  if (!m_font) {
    const LOGFONTW font = MakeEditFont(owner->GetTextFont(), fontSize, static_cast<int>(owner->GetFontStyle()));
    m_font = ::CreateFontIndirectW(&font);
  }
  SendMessageW(WM_SETFONT, reinterpret_cast<WPARAM>(m_font), TRUE);
  SendMessageW(EM_LIMITTEXT, static_cast<WPARAM>(m_textLimit), 0);
  if (m_password) SendMessageW(EM_SETPASSWORDCHAR, m_passwordChar, 0);
  SetWindowTextW(owner->GetTitle());
  SendMessageW(EM_SETMODIFY, 0, 0);
  SendMessageW(EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
  EnableWindow(owner->IsEnabled());
  SendMessageW(EM_SETREADONLY, m_readOnly ? TRUE : FALSE, 0);
  if (m_number) ModifyStyle(0, ES_NUMBER);
  ShowWindow(SW_SHOWNOACTIVATE);
  SetFocus();
  SendMessageW(EM_SETSEL, 0, -1);
  m_editing = 1;
}

void CEditWindow::Detach() {
  m_owner = nullptr;
  m_ownerSlot = nullptr;
  if (HasWindow()) {
    DestroyWindow();  // OnDestroyMessage deletes this object
  } else {
    delete this;
  }
}

int CEditWindow::SetColors(COLORREF back, COLORREF text) {
  m_backColor = back;
  m_textColor = text;
  if (m_backBrush) {
    ::DeleteObject(m_backBrush);
    m_backBrush = nullptr;
  }
  return 1;
}

LRESULT CEditWindow::OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case kReflectedCommand:
      if (HIWORD(wParam) == EN_CHANGE) HandTextOver();
      if (HIWORD(wParam) == EN_UPDATE) ::InvalidateRect(m_hWnd, nullptr, FALSE);
      break;
    case kReflectedColorEdit:
    case kReflectedColorStatic: {
      if (m_backColor == kSystemColors) return 0;
      HDC dc = reinterpret_cast<HDC>(wParam);
      ::SetBkMode(dc, TRANSPARENT);
      ::SetTextColor(dc, m_textColor);
      if (!m_backBrush) m_backBrush = ::CreateSolidBrush(m_backColor);
      return reinterpret_cast<LRESULT>(m_backBrush);
    }
    case WM_PRINT:
      if (HostIsLayered(m_owner)) return 0;
      break;
    case WM_KEYDOWN:
    case WM_CHAR:
      if (wParam == VK_RETURN || wParam == VK_ESCAPE) {
        if (auto* owner = dynamic_cast<CEditWindowOwner*>(m_owner)) {
          // The character of the key is swallowed too: a single-line edit would beep.
          if (msg == WM_KEYDOWN) owner->OnEditKey(static_cast<unsigned>(wParam));
          return 0;
        }
      }
      break;
    case WM_KILLFOCUS:
      ::DefWindowProcW(m_hWnd, msg, wParam, lParam);
      break;
    default:
      break;
  }
  return ::CallWindowProcW(m_OldWndProc, m_hWnd, msg, wParam, lParam);
}

void CEditWindow::HandTextOver() {
  if (!m_editing || !m_owner) return;
  CString text;
  GetWindowTextW(text);
  if (text == m_owner->GetTitle()) return;
  m_owner->SetTitle(text);
  if (MObject* parent = m_owner->GetParantObject())
    parent->OnBaseMessage(m_owner->GetControlID(), NOTIFY_TEXT_CHANGED, 0, 0);
  RepaintOwner();
}

void CEditWindow::RepaintOwner() {
  if (m_owner && m_owner->IsVisible()) m_owner->UpdateControl(1, 1);
}

void CEditWindow::OnDestroyMessage(HWND) {
  RepaintOwner();
  if (m_backBrush) {
    ::DeleteObject(m_backBrush);
    m_backBrush = nullptr;
  }
  if (m_ownerSlot) *m_ownerSlot = nullptr;
  delete this;
}
