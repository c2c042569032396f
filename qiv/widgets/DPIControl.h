// A selectable tile for one sensitivity stage of a pointing device: a framed picture with
// a caption and the stage's DPI value, a check box at its left edge and a colour swatch at
// its right. Tiles of one group under one parent behave like radio buttons.
#pragma once
#include "core/MPanel.h"

class CCheckButton;
class CColorButton;

class QIV_API DPIControl : public MPanel {
public:
  DPIControl(MObject* parent, unsigned id, CRect rect, int visible);
  ~DPIControl() override;
  const wchar_t* GetClassNameW() const override;

  // Makes the two children once the tile has its window.
  void InitControl(PaintManager* manager) override;
  void DrawControl(HDC& hdc, CRect paint) override;
  // A child's notification reaches the parent as the tile's own (lParam 1 check box,
  // 2 colour swatch), then unchanged as the child's.
  long OnMessage(unsigned id, unsigned code, unsigned wParam, long lParam) override;
  void SetControlRect(CRect rect) override;
  int OnControlMouseMove(unsigned flags, CPoint point) override;
  int OnControlLButtonDown(unsigned flags, CPoint point) override;
  int OnControlLButtonUp(unsigned flags, CPoint point) override;

  int GetCheck() const { return m_check; }
  // Leaves the group alone; 1.
  int SetCheck(int check);
  // Unchecks the other tiles of the group; 0 without a parent.
  int ResetGroupCheck();
  int GetDPIValue() const { return m_dpi; }
  void SetDPIValue(int dpi);
  unsigned long GetColor() const { return m_colour; }
  void SetColor(unsigned long colour);
  CString GetGroupName() const { return m_group; }
  void SetGroupName(const wchar_t* name) { m_group = name ? name : L""; }
  CCheckButton* GetCheckButton() const { return m_checkButton; }
  CColorButton* GetColorButton() const { return m_colorButton; }

private:
  void DrawLook(Gdiplus::Graphics& g, HDC hdc, int offset, int look);

  // Children of the panel, made by class name: the check box and the colour swatch.
  CCheckButton* m_checkButton = nullptr;
  CColorButton* m_colorButton = nullptr;
  int m_check = 0;
  int m_dpi = 500;
  unsigned long m_colour = 255;
  CString m_group = L"DPIControl";
};
