#include "core/MControlFont.h"
#include "core/Manager.h"
#include "core/PaintManager.h"

MControlFont::MControlFont(MObject* parent, unsigned id, CRect rect, const wchar_t* title, int visible,
                           int enabled, int response)
    : MControl(parent, id, rect, visible, enabled, response),
      m_title(title ? title : L""),
      m_fontName(Manager::GetFontName()),
      m_fontSize(Manager::GetFontWidth()),
      m_textColor(Manager::GetTextColor()),
      m_textBrush(new Gdiplus::SolidBrush(m_textColor)) {}

MControlFont::~MControlFont() { ClearGDIFont(); }

void MControlFont::Repaint() {
  if (m_bVisible && m_pParent) m_pParent->OnControlUpdate(m_rcControl, 1, this);
}

void MControlFont::SetTextFont(CString name) { m_fontName = name; }

void MControlFont::SetTextColor(Gdiplus::Color color) {
  m_textBrush.reset();
  m_textColor = color;
  m_textBrush.reset(new Gdiplus::SolidBrush(color));
}

int MControlFont::SetImage(unsigned resId, CString type, int count) {
  if (!m_pManager || count < 1) return 0;
  ImgResInfo* info = m_pManager->AddImgResInfo(resId, type, count, 1);
  if (!info) return 0;
  m_imageCount = count;
  m_pImage = info->image;
  m_frameWidth = info->frameWidth;
  m_frameHeight = info->height;
  Repaint();
  return 1;
}

int MControlFont::SetImage(const wchar_t* file, int count) {
  if (!m_pManager || count < 1) return 0;
  ImgResInfo* info = m_pManager->AddImgResInfo(file, count);
  if (!info) return 0;
  m_imageCount = count;
  m_pImage = info->image;
  m_frameWidth = info->frameWidth;
  m_frameHeight = info->height;
  Repaint();
  return 1;
}

void MControlFont::SetControlTitle(const wchar_t* title) { m_title = title ? title : L""; }
CString MControlFont::GetControlTitle() { return m_title; }

void MControlFont::SetTitle(const wchar_t* title) {
  ClearGDIFont();
  SetControlTitle(title);
  Repaint();
}

void MControlFont::SetAlignment(unsigned horizontal) {
  if (horizontal == m_hAlign) return;
  m_hAlign = horizontal;
  Repaint();
}

void MControlFont::SetVAlignment(unsigned vertical) {
  if (vertical == m_vAlign) return;
  m_vAlign = vertical;
  Repaint();
}

void MControlFont::SetAlignment(unsigned horizontal, unsigned vertical) {
  if (horizontal == m_hAlign && vertical == m_vAlign) return;
  m_hAlign = horizontal;
  m_vAlign = vertical;
  Repaint();
}

void MControlFont::GetAlignment(unsigned& horizontal, unsigned& vertical) const {
  horizontal = m_hAlign;
  vertical = m_vAlign;
}

void MControlFont::SetFont(const wchar_t* name, int size, Gdiplus::FontStyle style) {
  m_fontName = name ? name : L"";
  m_fontSize = size;
  m_fontStyle = style;
}

Gdiplus::FontFamily* MControlFont::GetFontFamily(const wchar_t* name) {
  if (!m_pManager) return nullptr;
  Gdiplus::FontFamily* shared = m_pManager->FindTempFont(name);
  m_fontFamily.reset(shared ? shared->Clone() : nullptr);
  return m_fontFamily.get();
}

const Gdiplus::Font* MControlFont::GetFont() {
  return m_pManager ? m_pManager->GetFont(m_fontName, m_fontSize, m_fontStyle) : nullptr;
}

HFONT MControlFont::GetGDIFont() {
  if (m_hGdiFont) return m_hGdiFont;
  LOGFONTW lf = {};
  ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf);
  lstrcpynW(lf.lfFaceName, Manager::GetFontName(), LF_FACESIZE);
  lf.lfHeight = -m_fontSize;
  lf.lfCharSet = DEFAULT_CHARSET;
  if (m_fontStyle & Gdiplus::FontStyleBold) lf.lfWeight += 700;
  if (m_fontStyle & Gdiplus::FontStyleItalic) lf.lfItalic = TRUE;
  if (m_fontStyle & Gdiplus::FontStyleUnderline) lf.lfUnderline = TRUE;
  m_hGdiFont = ::CreateFontIndirectW(&lf);
  return m_hGdiFont;
}

void MControlFont::ClearGDIFont() {
  if (m_hGdiFont) ::DeleteObject(m_hGdiFont);
  m_hGdiFont = nullptr;
}
