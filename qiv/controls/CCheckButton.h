// Check boxes: CCheckButton (box image at the left, title right of it) and
// TextCheckButton (title on the image, one text colour per look). A click toggles them
// (code 2), Space on the focused box toggles it and sends code 7 with the new value.
#pragma once
#include "controls/CheckableButton.h"

class QIV_API CCheckButton : public CheckableButton {
public:
  CCheckButton(MObject* parent, unsigned id, CRect rect, const wchar_t* title, int visible, int enabled);
  ~CCheckButton() override;
  const wchar_t* GetClassNameW() const override;
  void DrawControl(HDC& hdc, CRect paint) override;

  // While enabled: the flag and the normal look, a repaint on a change; no notification.
  int SetCheck(int check);

protected:
  void OnClickRelease() override;
  void OnSpace() override;
};

class QIV_API TextCheckButton : public CheckableButton {
public:
  TextCheckButton(MObject* parent, unsigned id, CRect rect, const wchar_t* title, int visible, int enabled);
  ~TextCheckButton() override;
  const wchar_t* GetClassNameW() const override;
  void DrawControl(HDC& hdc, CRect paint) override;
  // The inherited image setters, which repaint.
  int SetImage(const wchar_t* file, int count) override;
  int SetImage(unsigned resId, CString type, int count) override;

  int SetCheck(int check);
  // Normal (into the text colour), hover, pressed and disabled colours; no repaint.
  void SetTextButtonColor(Gdiplus::Color normal, Gdiplus::Color hover, Gdiplus::Color pressed,
                          Gdiplus::Color disabled);

protected:
  void OnClickRelease() override;
  void OnSpace() override;

private:
  Gdiplus::Color m_hoverColor{0xFEC95100};
  Gdiplus::Color m_pressedColor{0xFEC95100};
  Gdiplus::Color m_disabledColor{0xFE808080};
};
