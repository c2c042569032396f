// The windowless rich edit and the controls built on it. The paint manager draws its
// caret in the edit's text colour while the edit holds the focus.
#pragma once
#include "core/MPanel.h"

class QIV_API MRichEdit : public MPanel {
public:
  MRichEdit(MObject* parent, unsigned id, CRect rect, const wchar_t* text, int visible, int enabled);
  ~MRichEdit() override;
  const wchar_t* GetClassNameW() const override;
  // Keeps the colour also as a COLORREF, the caret's colour.
  void SetTextColor(Gdiplus::Color color) override;
  COLORREF GetTextColorRef() const { return m_crText; }
  // Focus as the edit takes it (the caret is drawn only while it is set).
  int SetControlFocus(int focus) override;

protected:
  COLORREF m_crText = 0;
};

class QIV_API MEditEx : public MRichEdit {
public:
  MEditEx(MObject* parent, unsigned id, CRect rect, const wchar_t* text, int visible, int enabled);
  ~MEditEx() override;
  const wchar_t* GetClassNameW() const override;
};

class QIV_API CSpinButton : public MRichEdit {
public:
  CSpinButton(MObject* parent, unsigned id, CRect rect, int visible, int enabled);
  ~CSpinButton() override;
  const wchar_t* GetClassNameW() const override;
};
