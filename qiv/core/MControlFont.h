// The text control base: title, font description, text colour with its brush,
// alignment, GDI+ text settings, a cached GDI font and one state image (a horizontal
// strip of equal frames from the window's image cache). Draws nothing itself.
#pragma once
#include <windows.h>
#include <gdiplus.h>
#include <memory>
#include "core/MControl.h"

class QIV_API MControlFont : public MControl {
public:
  MControlFont(MObject* parent, unsigned id, CRect rect, const wchar_t* title, int visible, int enabled,
               int response);
  ~MControlFont() override;

  virtual void SetTextFont(CString name);
  virtual void SetTextColor(Gdiplus::Color color);
  // Resource `resId` of `type` from the program module, split into `count` frames.
  virtual int SetImage(unsigned resId, CString type, int count);
  // A skin image file, looked up in the skins folder.
  virtual int SetImage(const wchar_t* file, int count);
  virtual void SetControlTitle(const wchar_t* title);
  virtual CString GetControlTitle();

  void SetTitle(const wchar_t* title);
  CString GetTitle() { return GetControlTitle(); }
  void SetAlignment(unsigned horizontal);
  void SetVAlignment(unsigned vertical);
  void SetAlignment(unsigned horizontal, unsigned vertical);
  void GetAlignment(unsigned& horizontal, unsigned& vertical) const;
  void SetFont(const wchar_t* name, int size, Gdiplus::FontStyle style);
  void SetFontWidth(int size) { m_fontSize = size; }
  int GetFontWidth() const { return m_fontSize; }
  void SetFontStyle(Gdiplus::FontStyle style) { m_fontStyle = style; }
  Gdiplus::FontStyle GetFontStyle() const { return m_fontStyle; }
  CString GetTextFont() const { return m_fontName; }
  Gdiplus::Color GetTextColor() const { return m_textColor; }
  void SetTextRenderingHint(Gdiplus::TextRenderingHint hint) { m_textRenderingHint = hint; }
  void SetImageCount(int count) { m_imageCount = count; }
  int GetImageCount() const { return m_imageCount; }
  CString GetImagePath() const { return m_imagePath; }
  CSize GetImageSize() const { return CSize(m_frameWidth, m_frameHeight); }
  Gdiplus::Image* GetImage() const { return m_pImage; }

  // The family of that face (a private font of the window or an installed one). The
  // control owns the returned family: it is replaced by the next call and freed with the
  // control. Callers never delete it. Null without a manager or when the face is unknown.
  Gdiplus::FontFamily* GetFontFamily(const wchar_t* name);
  // The GDI+ font of the control's face, size and style, kept by the window's paint
  // manager (so it is made once per window, not per drawing). Null without a manager.
  const Gdiplus::Font* GetFont();
  HFONT GetGDIFont();
  void ClearGDIFont();

protected:
  CString m_title;
  CString m_fontName;
  CString m_imagePath;
  int m_fontSize = 14;
  Gdiplus::Color m_textColor;
  std::unique_ptr<Gdiplus::SolidBrush> m_textBrush;
  Gdiplus::FontStyle m_fontStyle = Gdiplus::FontStyleRegular;
  std::unique_ptr<Gdiplus::FontFamily> m_fontFamily;
  unsigned m_hAlign = 0;
  unsigned m_vAlign = 4;
  Gdiplus::TextRenderingHint m_textRenderingHint = Gdiplus::TextRenderingHintAntiAliasGridFit;
  Gdiplus::SmoothingMode m_smoothingMode = Gdiplus::SmoothingModeHighQuality;
  HFONT m_hGdiFont = nullptr;
  Gdiplus::Image* m_pImage = nullptr;  // owned by the window's image cache
  int m_frameWidth = 0;
  int m_frameHeight = 0;
  int m_imageCount = 4;

private:
  void Repaint();
};
