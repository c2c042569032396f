#include "widgets/DPIControl.h"
#include "controls/CCheckButton.h"
#include "controls/CColorButton.h"
#include "core/MDialog.h"
#include "core/MRender.h"
#include "core/PaintManager.h"

namespace {
constexpr unsigned kCheckId = 30;
constexpr unsigned kColourId = 31;
}  // namespace

DPIControl::DPIControl(MObject* parent, unsigned id, CRect rect, int visible) : MPanel(parent, id, rect, visible) {}

DPIControl::~DPIControl() = default;
const wchar_t* DPIControl::GetClassNameW() const { return L"DPIControl"; }

void DPIControl::InitControl(PaintManager* manager) {
  MPanel::InitControl(manager);
  if (!m_checkButton) {
    m_checkButton = dynamic_cast<CCheckButton*>(CreateControl(L"CCheckButton", kCheckId, CRect(), L"", 1, 1));
    if (m_checkButton) {
      m_checkButton->SetImage(L"btn_checkbox.png", 8);
      m_checkButton->SetCheck(1);
    }
  }
  if (!m_colorButton) {
    m_colorButton = dynamic_cast<CColorButton*>(CreateControl(L"CColorButton", kColourId, CRect(), L"", 1, 1));
    if (m_colorButton) {
      m_colorButton->SetImage(L"btn_checkbox.png", 4);
      m_colorButton->SetCheck(1);
      m_colorButton->SetColor(m_colour);  // a colour given before the swatch existed
    }
  }
  SetControlRect(m_rcControl);
}

void DPIControl::SetControlRect(CRect rect) {
  m_rcControl = rect;
  if (m_checkButton) m_checkButton->SetRect(CRect(rect.left, rect.top + 30, rect.left + 24, rect.bottom));
  if (m_colorButton) m_colorButton->SetRect(CRect(rect.right - 20, rect.top + 35, rect.right, rect.bottom - 5));
}

long DPIControl::OnMessage(unsigned id, unsigned code, unsigned wParam, long lParam) {
  if (m_pParent && (id == kCheckId || id == kColourId))
    m_pParent->OnBaseMessage(m_uID, code, 0, id == kCheckId ? 1 : 2);
  return m_pParent ? m_pParent->OnBaseMessage(id, code, wParam, lParam) : 0;
}

int DPIControl::SetCheck(int check) {
  if (check != m_check) {
    m_check = check;
    UpdateControl(0, 0);
  }
  return 1;
}

int DPIControl::ResetGroupCheck() {
  if (!m_pParent) return 0;
  // The siblings: a dialog parent's controls, else the parent control's children.
  std::vector<MControl*> siblings;
  if (m_pParent->IsClass(L"MDialog")) {
    if (auto* dialog = dynamic_cast<MDialog*>(m_pParent)) siblings = dialog->GetControls();
  } else if (auto* control = dynamic_cast<MControl*>(m_pParent)) {
    siblings = *control->GetControls();
  }
  for (MControl* sibling : siblings) {
    if (!sibling || sibling == this || !sibling->IsClass(L"DPIControl")) continue;
    auto* tile = dynamic_cast<DPIControl*>(sibling);
    if (!tile || tile->m_group != m_group || !tile->m_check) continue;
    tile->m_check = 0;
    tile->UpdateControl(0, 0);
  }
  return 1;
}

void DPIControl::SetDPIValue(int dpi) {
  if (dpi == m_dpi) return;
  m_dpi = dpi;
  UpdateControl(1, 0);
}

void DPIControl::SetColor(unsigned long colour) {
  m_colour = colour;
  if (m_colorButton && m_colorButton->GetColor() != colour) m_colorButton->SetColor(colour);
}

void DPIControl::DrawLook(Gdiplus::Graphics& g, HDC hdc, int offset, int look) {
  const int w = m_rcControl.Width(), h = m_rcControl.Height();
  ::BitBlt(m_hMemDC, offset, 0, w, h, hdc, m_rcControl.left, m_rcControl.top, SRCCOPY);
  if (m_pImage && m_frameWidth > 0)
    MRender::DrawImageFrame(g, m_pImage, CRect(offset + 22, 35, offset + w - 22, h - 5), look * m_frameWidth, 0,
                            m_frameWidth, m_frameHeight, 4);
  if (m_title.IsEmpty()) return;
  Gdiplus::FontFamily* family = m_pManager ? m_pManager->FindTempFont(m_fontName) : nullptr;
  if (!family) return;
  Gdiplus::Font font(family, static_cast<Gdiplus::REAL>(m_fontSize - 2), m_fontStyle, Gdiplus::UnitPixel);
  Gdiplus::StringFormat format(0x1800);
  format.SetAlignment(Gdiplus::StringAlignmentCenter);
  format.SetLineAlignment(Gdiplus::StringAlignmentCenter);
  Gdiplus::SolidBrush text(m_textColor);
  Gdiplus::SolidBrush checked(Gdiplus::Color(0xFECA5180));
  g.DrawString(m_title.GetString(), m_title.GetLength(), &font,
               Gdiplus::RectF(static_cast<Gdiplus::REAL>(offset), 10, static_cast<Gdiplus::REAL>(w), 20), &format, &text);
  CString value;
  value.Format(L"%d", m_dpi);
  g.DrawString(value.GetString(), value.GetLength(), &font,
               Gdiplus::RectF(static_cast<Gdiplus::REAL>(offset + 22), 35, static_cast<Gdiplus::REAL>(w - 44), 20),
               &format, look ? &checked : &text);
}

void DPIControl::DrawControl(HDC& hdc, CRect) {
  const int w = m_rcControl.Width(), h = m_rcControl.Height();
  if (w <= 0 || h <= 0) return;
  if (!m_bUpdate || !m_hMemDC) {
    UpdateMemDC(hdc, 2 * w, h);
    Gdiplus::Graphics g(m_hMemDC);
    g.SetTextRenderingHint(m_textRenderingHint);
    DrawLook(g, hdc, 0, 0);
    DrawLook(g, hdc, w, 1);
  }
  ::BitBlt(hdc, m_rcControl.left, m_rcControl.top, w, h, m_hMemDC, m_check ? w : 0, 0, SRCCOPY);
}

int DPIControl::OnControlMouseMove(unsigned, CPoint) { return 0; }

int DPIControl::OnControlLButtonDown(unsigned, CPoint point) {
  if (m_bEnabled && m_rcControl.PtInRect(point)) {
    m_check = 1;
    ResetGroupCheck();
    UpdateControl(0, 0);
  }
  return 0;
}

int DPIControl::OnControlLButtonUp(unsigned, CPoint) { return 0; }
