// Passive areas: CArea (a filled rectangle with rounded corners or a one-pixel frame),
// CRoundArea (a filled rounded rectangle in a colour with alpha, e.g. the translucent
// overlay under a modal dialog) and CTextArea (a framed or plain rectangle with a centred
// title). None reacts to the mouse or sends notifications.
#pragma once
#include <windows.h>
#include <gdiplus.h>
#include "core/MControl.h"
#include "core/MControlFont.h"

class QIV_API CArea : public MControl {
public:
  CArea(MObject* parent, unsigned id, CRect rect, int visible, int enabled);
  ~CArea() override;
  const wchar_t* GetClassNameW() const override;
  void DrawControl(HDC& hdc, CRect paint) override;

  // Stores the two values (not drawn) and the fill colour (COLORREF); repaints.
  void SetTransparent(int first, int second, unsigned long fill);
  // A width other than 0 draws a one-pixel frame in `colour`; repaints.
  void SetFrame(int width, Gdiplus::Color colour, int unused);
  COLORREF GetFillColor() const { return m_fill; }

private:
  int m_transparent[2] = {80, 80};
  COLORREF m_fill = 0xFFFFFF;
  int m_frameWidth = 0;
  Gdiplus::Color m_frameColor{0xFE050505};
};

class QIV_API CRoundArea : public MControl {
public:
  CRoundArea(MObject* parent, unsigned id, CRect rect, int visible, int enabled);
  ~CRoundArea() override;
  const wchar_t* GetClassNameW() const override;
  void DrawControl(HDC& hdc, CRect paint) override;

  void SetColor(Gdiplus::Color colour);
  // Rounded corners on (1) or off; used at the next rendering.
  void SetRound(int round) { m_round = round; }
  Gdiplus::Color GetColor() const { return m_colour; }

private:
  Gdiplus::Color m_colour{0xC82B2B2B};
  int m_round = 1;
};

class QIV_API CTextArea : public MControlFont {
public:
  CTextArea(MObject* parent, unsigned id, CRect rect, const wchar_t* title, int visible, int enabled);
  ~CTextArea() override;
  const wchar_t* GetClassNameW() const override;
  void DrawControl(HDC& hdc, CRect paint) override;

  void SetTransparent(int first, int second, unsigned long fill);
  void SetFrame(int width, Gdiplus::Color colour, int unused);

private:
  int m_transparent[2] = {80, 80};
  COLORREF m_fill = 0xFFFFFF;
  int m_frameWidth = 0;
  Gdiplus::Color m_frameColor{0xFF050505};
};
