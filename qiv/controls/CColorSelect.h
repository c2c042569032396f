// A column of seven preset colour buttons that reports the picked button's index and
// colour (code 27, wParam = index, lParam = COLORREF).
#pragma once
#include <array>
#include "core/MPanel.h"

class CColorButton;

class QIV_API CColorSelect : public MPanel {
public:
  enum : unsigned { kFirstPresetId = 631, kPresets = 7 };

  CColorSelect(MObject* parent, unsigned id, CRect rect, int visible);
  ~CColorSelect() override;
  const wchar_t* GetClassNameW() const override;

  void InitControl(PaintManager* manager) override;
  void DrawControl(HDC& hdc, CRect paint) override;
  long OnMessage(unsigned id, unsigned code, unsigned wParam, long lParam) override;
  void SetControlRect(CRect rect) override;
  void SetControlEnabled(int enabled) override;
  int OnControlMouseMove(unsigned flags, CPoint point) override;
  int OnControlLButtonDown(unsigned flags, CPoint point) override;
  int OnControlLButtonUp(unsigned flags, CPoint point) override;
  int OnControlScroll(int delta, unsigned direction, CPoint point) override;

  // 0 .. 6 checks that preset; -1 unchecks all seven; other values do nothing.
  void SetColorIndex(int index);
  unsigned long GetSelectColor() const { return 0; }
  void SetSelectColor(unsigned long) {}
  CColorButton* GetPreset(int index) const;

private:
  void PlacePresets();

  std::array<CColorButton*, kPresets> m_presets{};  // owned by the panel
};
