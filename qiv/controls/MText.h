// The static text label: the title in the control's font, colour and alignment,
// optionally on a solid background and with a one-pixel shadow, with one marked
// substring (the first occurrence of the mark text from a start position) drawn in its
// own colour between the unmarked parts. Takes no input.
#pragma once
#include "core/MControlFont.h"

class QIV_API MText : public MControlFont {
public:
  MText(MObject* parent, unsigned id, CRect rect, const wchar_t* text, int visible);
  ~MText() override;
  const wchar_t* GetClassNameW() const override;

  long OnBaseMessage(unsigned id, unsigned code, unsigned wParam, long lParam) override;
  void DrawControl(HDC& hdc, CRect paint) override;
  long OnMessage(unsigned id, unsigned code, unsigned wParam, long lParam) override;
  void SetControlRect(CRect rect) override;
  int OnControlScroll(int delta, unsigned direction, CPoint point) override;

  void SetMarkText(const wchar_t* mark);
  void SetMarkText(const wchar_t* mark, Gdiplus::Color colour, int start);
  void SetTitleMarkText(const wchar_t* title, const wchar_t* mark, int ignored);
  void SetMarkText(const wchar_t* title, const wchar_t* mark, Gdiplus::Color colour, int start);
  void EnableTextBack(int enable, Gdiplus::Color colour);
  void EnableShadow(int enable) { m_bShadow = enable; }
  void EnableMultiLine(int enable) { m_bMultiLine = enable; }
  void EnableVCenter(int enable) { m_bVCenter = enable; }
  int GetVirtualHeight() { return 0; }

  CString GetMarkText() const { return m_mark; }
  Gdiplus::Color GetMarkColor() const { return m_markColour; }
  int GetMarkStart() const { return m_markStart; }
  int IsTextBack() const { return m_bBack; }
  Gdiplus::Color GetBackColor() const { return m_backColour; }

  // Index of the first occurrence of `mark` in `title` at or after `start`; -1 when the
  // start is negative or past the title, the mark is empty or does not occur.
  static int FindMark(const CString& title, const CString& mark, int start);

private:
  void Repaint();

  int m_bShadow = 0;
  int m_bBack = 0;
  Gdiplus::Color m_backColour{0xFF008000};
  Gdiplus::Color m_shadowColour{0xFF505050};
  Gdiplus::Color m_markColour{0xFFED801B};
  CString m_mark;
  int m_markStart = 0;
  int m_bMultiLine = 0;
  int m_bVCenter = 0;
};
