#include "controls/CEditWnd.h"
#include "controls/MEdit.h"
#include "core/PaintManager.h"

namespace {
constexpr UINT kReflectedCommand = WM_COMMAND + 0x2000;
constexpr UINT kReflectedColorEdit = WM_CTLCOLOREDIT + 0x2000;
constexpr UINT kReflectedColorStatic = WM_CTLCOLORSTATIC + 0x2000;
}  // namespace

CEditWnd::CEditWnd() = default;

CEditWnd::~CEditWnd() {
  if (m_hBrush) ::DeleteObject(m_hBrush);
}

const wchar_t* CEditWnd::GetWindowClassName() const { return L"ZKEditWindow"; }
const wchar_t* CEditWnd::GetSuperClassName() const { return L"Edit"; }

bool CEditWnd::HostIsLayered() const {
  PaintManager* manager = m_pEdit ? m_pEdit->GetManager() : nullptr;
  return manager && manager->IsLayered();
}

void CEditWnd::ShowAt(MEdit* edit) {
  m_pEdit = edit;
  if (!edit) return;
  const CRect control = edit->GetRect();
  CRect rect = edit->HasCustomTextRect() ? edit->GetTextRect() : edit->CalcTextRect(1);
  if (rect.IsRectEmpty()) {
    const int size = edit->GetFontWidth();
    rect = control;
    rect.left += 6;
    rect.right -= 6;
    if (edit->IsMultLineMode()) {
      rect.top += 6;
      rect.bottom -= 6;
    } else {
      rect.top = control.top + 1 + (control.Height() - size - 2) / 2;
      rect.bottom = rect.top + size + 2;
    }
  }
  PaintManager* manager = edit->GetManager();
  const HWND host = manager ? manager->GetPaintWnd() : nullptr;
  DWORD style = edit->IsMultLineMode() ? (ES_MULTILINE | ES_AUTOVSCROLL) : ES_AUTOHSCROLL;
  if (HostIsLayered()) {
    POINT origin = {0, 0};
    if (host) ::ClientToScreen(host, &origin);
    rect.OffsetRect(origin.x, origin.y);
    style |= WS_POPUP | WS_VISIBLE;
  } else {
    style |= WS_CHILD;
  }
  unsigned hAlign = 0, vAlign = 0;
  edit->GetAlignment(hAlign, vAlign);
  if (hAlign == 1) style |= ES_CENTER;
  if (hAlign == 2) style |= ES_RIGHT;
  if (edit->IsPassWordMode()) style |= ES_PASSWORD;

  if (!Create(host, L"", style, 0, rect)) return;
  SendMessageW(WM_SETFONT, reinterpret_cast<WPARAM>(edit->GetDefaultFont()), TRUE);
  SendMessageW(EM_LIMITTEXT, static_cast<WPARAM>(edit->GetLimitText()), 0);
  if (edit->IsPassWordMode()) SendMessageW(EM_SETPASSWORDCHAR, edit->GetPassWordChar(), 0);
  SetWindowTextW(edit->GetTitleEx());
  SendMessageW(EM_SETMODIFY, 0, 0);
  SendMessageW(EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
  EnableWindow(edit->IsEnabled());
  if (edit->IsReadOnly()) SendMessageW(EM_SETREADONLY, TRUE, 0);
  if (edit->IsNumberOnly()) ModifyStyle(0, ES_NUMBER);
  ShowWindow(SW_SHOWNOACTIVATE);
  SetFocus();
  SendMessageW(EM_SETSEL, 0, -1);
  m_bShown = 1;
}

void CEditWnd::Detach() {
  m_pEdit = nullptr;
  if (HasWindow()) DestroyWindow();  // OnDestroyMessage ends this object
  else delete this;
}

LRESULT CEditWnd::OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_KILLFOCUS:
      if (m_pEdit && m_pEdit->GetParantObject())
        m_pEdit->GetParantObject()->OnBaseMessage(m_pEdit->GetControlID(), NOTIFY_EDIT_END, 0, 0);
      ::DefWindowProcW(m_hWnd, msg, wParam, lParam);
      break;
    case WM_CHAR:
      if (m_pEdit && !m_pEdit->GetCharMessage()) return 1;
      break;
    case WM_PRINT:
      if (HostIsLayered()) return 0;
      break;
    case kReflectedCommand:
      if (HIWORD(wParam) == EN_CHANGE && m_bShown && m_pEdit) {
        CString text;
        GetWindowTextW(text);
        if (text != m_pEdit->GetTitleEx()) {
          m_pEdit->SetEditText(text);
          if (MObject* owner = m_pEdit->GetParantObject())
            owner->OnBaseMessage(m_pEdit->GetControlID(), NOTIFY_TEXT_CHANGED, 0, 0);
          // The owner may have closed or replaced the edit; only a control still here repaints.
          if (m_pEdit && m_pEdit->IsVisible()) m_pEdit->UpdateControl(1, 0);
        }
      } else if (HIWORD(wParam) == EN_UPDATE) {
        ::InvalidateRect(m_hWnd, nullptr, FALSE);
      }
      break;
    case kReflectedColorEdit:
    case kReflectedColorStatic: {
      if (!m_pEdit || m_pEdit->GetEditBKColor() == 0xFFFFFFFF) return 0;
      HDC dc = reinterpret_cast<HDC>(wParam);
      ::SetBkMode(dc, TRANSPARENT);
      ::SetTextColor(dc, m_pEdit->GetEditTextColor());
      if (!m_hBrush) m_hBrush = ::CreateSolidBrush(m_pEdit->GetEditBKColor());
      return reinterpret_cast<LRESULT>(m_hBrush);
    }
    default:
      break;
  }
  return ::CallWindowProcW(m_OldWndProc, m_hWnd, msg, wParam, lParam);
}

void CEditWnd::OnDestroyMessage(HWND) {
  if (m_pEdit) {
    if (m_pEdit->IsVisible()) m_pEdit->UpdateControl(1, 0);
    if (m_pEdit->GetEditWindow() == this) m_pEdit->SetEditWindow(nullptr);
  }
  if (m_hBrush) {
    ::DeleteObject(m_hBrush);
    m_hBrush = nullptr;
  }
  delete this;
}
