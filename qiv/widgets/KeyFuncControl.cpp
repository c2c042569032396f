#include "widgets/KeyFuncControl.h"
#include "core/MRender.h"
#include "core/Manager.h"
#include "widgets/KeyPickerTable.h"
#include "widgets/PanelBars.h"
#include "widgets/SkinPicture.h"

namespace {
const Gdiplus::Color kKeyFill(0xFF515151);
const Gdiplus::Color kKeyOutline(0xFFB4B4B4);
}  // namespace

KeyFuncControl::KeyFuncControl(MObject* parent, unsigned id, CRect rect, int visible)
    : MPanel(parent, id, rect, visible) {}

KeyFuncControl::~KeyFuncControl() { ClearItems(); }

const wchar_t* KeyFuncControl::GetClassNameW() const { return L"KeyFuncControl"; }

void KeyFuncControl::InitControl(PaintManager* manager) {
  MPanel::InitControl(manager);
  SetControlRect(m_rcControl);
}

void KeyFuncControl::SetControlRect(CRect rect) {
  m_rcControl = rect;
  PlacePanelBars(*this, rect, m_scrollThickness);
}

long KeyFuncControl::OnMessage(unsigned id, unsigned code, unsigned wParam, long lParam) {
  return MPanel::OnMessage(id, code, wParam, lParam);
}

int KeyFuncControl::SetImage(const wchar_t* file, int count) {
  const bool loaded = m_stateImage.Load(file, count);
  m_pImage = m_stateImage.image.get();
  m_imageCount = m_stateImage.frames;
  m_frameWidth = m_stateImage.frameWidth;
  m_frameHeight = m_stateImage.frameHeight;
  return loaded ? 1 : 0;
}

void KeyFuncControl::AddKeyItem(CString label, int code, CRect rect, CString picture) {
  auto key = std::make_unique<PICKERKEY_INFO>();
  key->label = label;
  key->code = code;
  key->rect = rect;
  if (!picture.IsEmpty()) key->picture = LoadSkinPicture(picture);
  CriticalSectionLock guard(m_lock);
  m_keys.push_back(std::move(key));
}

void KeyFuncControl::InitItemInfo() {
  ClearItems();
  const PickerKeyDef* table = GetPickerKeyTable();
  for (int i = 0; i < kPickerKeyCount; ++i) AddKeyItem(table[i].label, table[i].code, table[i].rect, CString());
}

void KeyFuncControl::ClearItems() {
  CriticalSectionLock guard(m_lock);
  m_keys.clear();
}

int KeyFuncControl::GetItemCount() {
  CriticalSectionLock guard(m_lock);
  return static_cast<int>(m_keys.size());
}

PICKERKEY_INFO* KeyFuncControl::KeyAt(int index) const {
  return index >= 0 && index < static_cast<int>(m_keys.size()) ? m_keys[index].get() : nullptr;
}

CRect KeyFuncControl::WindowRect(const PICKERKEY_INFO& key) const {
  CRect r(key.rect);
  r.OffsetRect(m_rcControl.left, m_rcControl.top);
  return r;
}

void KeyFuncControl::Repaint() {
  if (m_bVisible) UpdateControl(1, 0);
}

void KeyFuncControl::SetItemDesc(int code, CString text) {
  CriticalSectionLock guard(m_lock);
  for (auto& key : m_keys) {
    if (key->code == code) {
      key->label = text;
      return;
    }
  }
}

void KeyFuncControl::SetItemCheckByItemData(int code, int value2, int value3) {
  m_checked = -1;
  if (code != 0) {
    CriticalSectionLock guard(m_lock);
    for (size_t i = 0; i < m_keys.size(); ++i) {
      const auto& key = m_keys[i];
      if (key->code == code && key->value2 == value2 && key->value3 == value3) {
        m_checked = static_cast<int>(i);
        break;
      }
    }
  }
  Repaint();
}

bool KeyFuncControl::GetCurItemData(int&, int& code, int& value2, int& value3, CString& label) {
  CriticalSectionLock guard(m_lock);
  const PICKERKEY_INFO* key = KeyAt(m_pressed);
  if (!key) return false;
  code = key->code;
  value2 = key->value2;
  value3 = key->value3;
  label = key->label;
  return true;
}

int KeyFuncControl::OnControlMouseMove(unsigned, CPoint point) {
  if (!m_bEnabled) return 0;
  const int old = m_hover;
  if (!m_rcControl.PtInRect(point)) {
    ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
    ClearTooltip();
    m_hover = -1;
  } else {
    {
      CriticalSectionLock guard(m_lock);
      if (const PICKERKEY_INFO* hovered = KeyAt(m_hover)) {
        if (WindowRect(*hovered).PtInRect(point)) {
          ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
          return 1;
        }
      }
    }
    if (m_hover != -1) {
      m_hover = -1;
      ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
      ClearTooltip();
    }
    CriticalSectionLock guard(m_lock);
    for (size_t i = 0; i < m_keys.size(); ++i) {
      if (WindowRect(*m_keys[i]).PtInRect(point)) {
        m_hover = static_cast<int>(i);
        break;
      }
    }
  }
  if (m_hover != old) Repaint();
  return 0;
}

int KeyFuncControl::OnControlLButtonDown(unsigned, CPoint) {
  if (!m_bEnabled) return 1;
  m_pressed = m_hover;
  SendMessageW(NOTIFY_LBUTTONDOWN, static_cast<unsigned>(m_pressed), 0);
  Repaint();
  return 1;
}

int KeyFuncControl::OnControlLButtonUp(unsigned, CPoint) { return 0; }

// The wheel is taken so that no container behind the picker scrolls; nothing moves.
int KeyFuncControl::OnControlScroll(int, unsigned, CPoint) { return 1; }

void KeyFuncControl::DrawControl(HDC& hdc, CRect) {
  const int w = m_rcControl.Width(), h = m_rcControl.Height();
  if (w <= 0 || h <= 0) return;
  if (!m_bUpdate || !m_hMemDC) {
    UpdateMemDC(hdc, w, h);
    ::BitBlt(m_hMemDC, 0, 0, w, h, hdc, m_rcControl.left, m_rcControl.top, SRCCOPY);
    Gdiplus::Graphics g(m_hMemDC);
    g.SetTextRenderingHint(Gdiplus::TextRenderingHintClearTypeGridFit);
    g.SetSmoothingMode(Gdiplus::SmoothingModeHighQuality);
    Gdiplus::FontFamily* family = GetFontFamily(m_fontName);
    Gdiplus::Font font(family ? family : Gdiplus::FontFamily::GenericSansSerif(), static_cast<Gdiplus::REAL>(m_fontSize),
                       Gdiplus::FontStyleRegular, Gdiplus::UnitPixel);
    Gdiplus::StringFormat format;
    format.SetAlignment(Gdiplus::StringAlignmentCenter);
    format.SetLineAlignment(Gdiplus::StringAlignmentCenter);
    format.SetFormatFlags(Gdiplus::StringFormatFlagsNoWrap | Gdiplus::StringFormatFlagsMeasureTrailingSpaces);
    Gdiplus::SolidBrush text(m_textColor);
    const Gdiplus::Color select = Manager::GetSelectColor();
    Gdiplus::SolidBrush selectFill(select), normalFill(kKeyFill);
    Gdiplus::Pen outline(kKeyOutline, 1.0f), selectPen(select, 1.0f);

    CriticalSectionLock guard(m_lock);
    for (size_t i = 0; i < m_keys.size(); ++i) {
      const PICKERKEY_INFO& key = *m_keys[i];
      const int index = static_cast<int>(i);
      CRect r(key.rect);
      Gdiplus::Rect box(r.left, r.top, r.Width() - 1, r.Height() - 1);
      g.FillRectangle(index == m_checked ? &selectFill : &normalFill, r.left, r.top, r.Width(), r.Height());
      g.DrawRectangle(&outline, box);
      if (index == m_hover || index == m_pressed) {
        g.DrawRectangle(&outline, box);
        r.OffsetRect(1, 1);
        box.X += 1;
        box.Y += 1;
        g.DrawRectangle(&selectPen, box);
      }
      if (key.picture) {
        g.DrawImage(key.picture.get(), Gdiplus::Rect(r.left + (r.Width() - 20) / 2, r.top + (r.Height() - 20) / 2, 20, 20),
                    0, 0, 20, 20, Gdiplus::UnitPixel);
      } else {
        Gdiplus::RectF layout(static_cast<Gdiplus::REAL>(r.left), static_cast<Gdiplus::REAL>(r.top),
                              static_cast<Gdiplus::REAL>(r.Width()), static_cast<Gdiplus::REAL>(r.Height()));
        g.DrawString(key.label, key.label.GetLength(), &font, layout, &format, &text);
      }
    }
  }
  ::BitBlt(hdc, m_rcControl.left, m_rcControl.top, w, h, m_hMemDC, 0, 0, SRCCOPY);
}
