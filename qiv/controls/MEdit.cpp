#include "controls/MEdit.h"
#include "controls/CEditWnd.h"
#include "controls/ControlPaint.h"
#include "core/MRender.h"
#include "core/PaintManager.h"

using namespace ControlPaint;

MEdit::MEdit(MObject* parent, unsigned id, CRect rect, const wchar_t* placeholder, int visible, int enabled)
    : MControlFont(parent, id, rect, L"", visible, enabled, 1), m_placeholder(placeholder ? placeholder : L"") {
  SetTextColor(Gdiplus::Color(0xFE050505));
  m_bTabStop = 1;
}

MEdit::~MEdit() {
  DropEditWindow();
  if (m_editFont) ::DeleteObject(m_editFont);
}

const wchar_t* MEdit::GetClassNameW() const { return L"MEdit"; }

// The edit window ends its own object; detached first, it reaches back to nothing.
void MEdit::DropEditWindow() {
  CEditWnd* window = m_pEditWnd;
  m_pEditWnd = nullptr;
  if (window) window->Detach();
}

void MEdit::SetControlTitle(const wchar_t* title) {
  const CString text = title ? title : L"";
  if (text == m_title) return;
  m_title = text;
  if (m_pEditWnd) m_pEditWnd->SetWindowTextW(m_title);
  UpdateControl(1, 0);
}

CString MEdit::GetControlTitle() {
  HideEdit();
  return m_title;
}

void MEdit::SetEditText(const wchar_t* text) {
  const CString value = text ? text : L"";
  if (value != m_title) m_title = value;
}

CString MEdit::GetEditText() {
  if (GetEditHwnd()) {
    CString text;
    m_pEditWnd->GetWindowTextW(text);
    return text;
  }
  return m_title;
}

void MEdit::SetEditBKColor(COLORREF color) {
  if (color == m_backColor) return;
  DropEditWindow();
  m_backColor = color;
  UpdateControl(1, 0);
}

COLORREF MEdit::GetEditTextColor() const { return ToColorRef(m_textColor); }

void MEdit::SetEditFont() {
  const int style = static_cast<int>(m_fontStyle);
  SetEditFont(m_fontName, m_fontSize, style & Gdiplus::FontStyleBold, style & Gdiplus::FontStyleUnderline,
              style & Gdiplus::FontStyleItalic);
}

void MEdit::SetEditFont(const wchar_t* face, int size, int bold, int underline, int italic) {
  if (m_editFont) ::DeleteObject(m_editFont);
  LOGFONTW lf = {};
  ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf);
  lstrcpynW(lf.lfFaceName, face ? face : L"", LF_FACESIZE);
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfHeight = -size;
  if (bold) lf.lfWeight += 700;
  lf.lfUnderline = underline ? TRUE : FALSE;
  lf.lfItalic = italic ? TRUE : FALSE;
  m_editFont = ::CreateFontIndirectW(&lf);
}

HFONT MEdit::GetDefaultFont() {
  if (!m_editFont) SetEditFont();
  return m_editFont;
}

void MEdit::SetTextRect(CRect rect) {
  m_textRect = rect;
  m_customTextRect = 1;
}

CRect MEdit::GetTextRect() { return m_customTextRect ? m_textRect : CalcTextRect(1); }

CRect MEdit::CalcTextRect(int recompute) {
  if (!m_textRect.IsRectEmpty() && !recompute) return m_textRect;
  const CRect c = m_rcControl;
  CRect r;
  if (m_multiLine) {
    r = CRect(c.left + 6, c.top + 5, c.right - 6, c.bottom - 5);
  } else {
    const int band = m_fontSize == 10 ? 14 : m_fontSize == 14 ? 16 : m_fontSize + 6;
    r.left = c.left + 6;
    r.right = c.right - 6;
    r.top = c.top + (c.Height() - band) / 2;
    r.bottom = r.top + band;
  }
  if (m_icon) r.right = c.right - 6 - m_iconFrameWidth - 6;
  m_textRect = r;
  return r;
}

void MEdit::PlaceIcon() {
  const CRect c = m_rcControl;
  m_iconRect.left = c.right - m_iconFrameWidth - 9;
  m_iconRect.right = c.right - 9;
  m_iconRect.top = c.top + (c.Height() - m_iconHeight) / 2;
  m_iconRect.bottom = m_iconRect.top + m_iconHeight;
}

int MEdit::SetIconImage(const wchar_t* file, int frames) {
  m_icon = LoadSkinStrip(file, frames, m_iconFrameWidth, m_iconHeight);
  if (!m_icon) return 0;
  m_iconFrames = frames;
  if (!m_rcControl.IsRectEmpty()) PlaceIcon();
  return 1;
}

// No repaint of its own; a text area that was computed follows the control.
void MEdit::SetControlRect(CRect rect) {
  const bool changed = !::EqualRect(&rect, &m_rcControl);
  m_rcControl = rect;
  if (!changed) return;
  if (m_icon) PlaceIcon();
  if (!m_customTextRect && !m_textRect.IsRectEmpty()) CalcTextRect(1);
}

int MEdit::IsEditFocused() const {
  HWND hwnd = GetEditHwnd();
  return hwnd && ::GetFocus() == hwnd ? 1 : 0;
}

HWND MEdit::GetEditHwnd() const {
  if (!m_pEditWnd) return nullptr;
  HWND hwnd = m_pEditWnd->GetSafeHwnd();
  return hwnd && ::IsWindow(hwnd) && ::IsWindowVisible(hwnd) ? hwnd : nullptr;
}

void MEdit::ShowEdit() {
  if (m_readOnly || !m_bEnabled) return;
  if (m_pEditWnd && m_pEditWnd->GetSafeHwnd()) {
    CRect rect = m_customTextRect ? m_textRect : CalcTextRect(1);
    if (m_pManager && m_pManager->IsLayered()) {
      POINT origin = {0, 0};
      ::ClientToScreen(m_pManager->GetPaintWnd(), &origin);
      rect.OffsetRect(origin.x, origin.y);
    }
    m_pEditWnd->MoveWindow(&rect, 1);
  } else {
    DropEditWindow();
    m_pEditWnd = new CEditWnd();
    m_pEditWnd->ShowAt(this);
  }
  if (!m_pEditWnd || !m_pEditWnd->GetSafeHwnd()) {
    DropEditWindow();
    return;
  }
  m_pEditWnd->SetWindowTextW(m_title);
  m_pEditWnd->ShowWindow(SW_SHOW);
  m_pEditWnd->SendMessageW(EM_SETSEL, static_cast<WPARAM>(m_title.GetLength()), -1);
  m_pEditWnd->SetFocus();
  m_bFocused = 1;
  SendMessageW(NOTIFY_EDIT_BEGIN, 0, 0);
}

void MEdit::HideEdit() {
  m_bFocused = 0;
  if (!GetEditHwnd()) return;
  CString text;
  m_pEditWnd->GetWindowTextW(text);
  if (text != m_title) {
    m_title = text;
    UpdateControl(1, 0);
  }
  m_pEditWnd->ShowWindow(SW_HIDE);
  SendMessageW(NOTIFY_EDIT_END, 0, 0);
}

int MEdit::SetControlFocus(int focus) {
  if (!m_bEnabled) return 0;
  const int previous = m_state;
  if (focus) {
    m_state = 2;
    ShowEdit();
  } else {
    m_state = 0;
    HideEdit();
  }
  if (previous == m_state) return 0;
  UpdateControl(1, 0);
  return 1;
}

void MEdit::SetControlEnabled(int enabled) {
  m_bEnabled = enabled;
  m_state = enabled ? 0 : 3;
  UpdateControl(1, 0);
}

int MEdit::OnControlMouseMove(unsigned, CPoint point) {
  if (!m_bEnabled || m_state == 2) return 0;
  const int state = m_rcControl.PtInRect(point) ? 1 : 0;
  const int icon = OnIcon(point) ? 1 : 0;
  if (state == m_state && icon == m_iconState) return 0;
  m_state = state;
  m_iconState = icon;
  UpdateControl(0, 0);
  return 1;
}

int MEdit::OnControlLButtonDown(unsigned, CPoint point) {
  if (!m_bEnabled || !m_rcControl.PtInRect(point)) return 0;
  const int state = m_state, icon = m_iconState;
  if (OnIcon(point)) {
    m_iconState = 2;
    HideEdit();
    SendMessageW(NOTIFY_ITEM_BUTTON, 0, 0);
  } else {
    m_state = 2;
    ShowEdit();
    SendMessageW(NOTIFY_LBUTTONDOWN, 0, 0);
  }
  if (state == m_state && icon == m_iconState) return 0;
  UpdateControl(0, 0);
  return 1;
}

int MEdit::OnControlLButtonUp(unsigned, CPoint point) {
  if (!m_bEnabled) return 0;
  const int state = m_state, icon = m_iconState;
  bool click = false;
  if (m_rcControl.PtInRect(point)) {
    if (OnIcon(point)) {
      m_iconState = 1;
      HideEdit();
      SendMessageW(NOTIFY_EDIT_ICON, 0, 0);
    } else {
      m_iconState = 0;
    }
    click = m_state == 2;
    m_state = 1;
  } else {
    m_state = 0;
    m_iconState = 0;
  }
  if (state == m_state && icon == m_iconState) return 0;
  UpdateControl(0, 0);
  if (click) SendMessageW(NOTIFY_CLICK, 0, 0);
  return 1;
}

int MEdit::OnControlKeyDown(unsigned key, unsigned repeat, unsigned modifiers) {
  if (m_bFocused && key == VK_SPACE && modifiers == 0) {
    SendMessageW(NOTIFY_LBUTTONDOWN, 0, 0);
    SendMessageW(NOTIFY_CLICK, 0, 0);
    return 1;
  }
  return MControlFont::OnControlKeyDown(key, repeat, modifiers);
}

void MEdit::RenderLooks(HDC& hdc, int w, int h) {
  const bool titled = !(m_title.IsEmpty() && m_placeholder.IsEmpty());
  const unsigned format = m_hAlign == 1 ? 0x40025u : m_multiLine ? 0x2014u : 0x40024u;
  const CString text =
      m_title.IsEmpty() ? m_placeholder : m_password ? CString(m_passwordChar, m_title.GetLength()) : m_title;
  const COLORREF colour = m_title.IsEmpty() ? 0x808080 : GetEditTextColor();
  CRect area = CalcTextRect(0);
  area.OffsetRect(-m_rcControl.left, -m_rcControl.top);
  auto texts = [&](HDC dc) {
    for (int i = 0; i < 4; ++i) {
      CRect slice = area;
      slice.OffsetRect(i * w, 0);
      MRender::DrawTextW(dc, slice, text, i == 3 ? 0x808080 : colour, GetDefaultFont(), format);
    }
  };
  bool textsDrawn = false;
  const bool drawn = RenderSlices(*this, hdc, 4, [&](Gdiplus::Graphics& g, int, int) {
    for (int i = 0; i < 4; ++i)
      MRender::DrawImageFrame(g, m_pImage, CRect(i * w, 0, i * w + w, h), i * m_frameWidth, 0, m_frameWidth,
                              m_frameHeight, m_skinCorner);
    // The text on the same canvas, where the window's memo keeps it.
    if (RenderCanvas* canvas = titled ? RenderCanvas::PlainOf(g) : nullptr) {
      texts(canvas->Dc());
      textsDrawn = true;
    }
  });
  HDC mem = GetMemDC();
  if (!drawn || !mem || !titled || textsDrawn) return;
  texts(mem);
}

void MEdit::DrawControl(HDC& hdc, CRect) {
  const int w = m_rcControl.Width(), h = m_rcControl.Height();
  if (w <= 0 || h <= 0) return;
  if (!m_bUpdate || !GetMemDC()) RenderLooks(hdc, w, h);
  if (!GetMemDC()) return;
  ::BitBlt(hdc, m_rcControl.left, m_rcControl.top, w, h, GetMemDC(), m_state * w, 0, SRCCOPY);
  if (!m_icon) return;
  Gdiplus::Graphics g(hdc);
  g.DrawImage(m_icon.get(), Gdiplus::Rect(m_iconRect.left, m_iconRect.top, m_iconFrameWidth, m_iconHeight),
              m_iconState * m_iconFrameWidth, 0, m_iconFrameWidth, m_iconHeight, Gdiplus::UnitPixel);
}
