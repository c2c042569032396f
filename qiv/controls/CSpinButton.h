// A numeric rich edit with up and down image buttons (ids 30 and 31): the buttons step
// the value with wrapping and notify code 28; typed text is clamped to the range.
#pragma once
#include "controls/MRichEdit.h"

class QIV_API CSpinButton : public MRichEdit {
public:
  enum : unsigned { kUpId = 30, kDownId = 31 };

  CSpinButton(MObject* parent, unsigned id, CRect rect, int visible, int enabled);
  ~CSpinButton() override;
  const wchar_t* GetClassNameW() const override;

  void InitControl(PaintManager* manager) override;
  void DrawControl(HDC& hdc, CRect paint) override;
  long OnMessage(unsigned id, unsigned code, unsigned wParam, long lParam) override;
  void SetControlRect(CRect rect) override;
  void SetControlEnabled(int enabled) override;
  HRESULT OnTxNotify(DWORD code, void* data) override;

  void SetCurValue(int value);
  int GetCurValue() const { return m_value; }
  void SetRange(int minimum, int maximum);
  int GetMinValue() const { return m_min; }
  int GetMaxValue() const { return m_max; }

private:
  void PlaceButtons();

  int m_value = 0;
  int m_min = 0;
  int m_max = 100;
  MControlFont* m_up = nullptr;  // children of the panel
  MControlFont* m_down = nullptr;
  bool m_bApplying = false;
};
