// A picture revealed step by step from one edge on the control timer (one hundredth of
// the control per tick); it shows itself only while it runs and hides when it stops.
#pragma once
#include <windows.h>
#include <gdiplus.h>
#include <memory>
#include "controls/PictureDraw.h"
#include "core/MControlFont.h"

class QIV_API CSliderPicture : public MControlFont {
public:
  CSliderPicture(MObject* parent, unsigned id, CRect rect, int visible, int enabled);
  ~CSliderPicture() override;
  const wchar_t* GetClassNameW() const override;

  void InitControl(PaintManager* manager) override;
  void DrawControl(HDC& hdc, CRect paint) override;
  int OnControlTimer() override;

  // The picture (skin file or program resource, `count` frames); no repaint.
  int SetImage(const wchar_t* file, int count) override;
  int SetImage(unsigned resId, CString type, int count) override;
  int SetShowMode(enumShowMode mode, int param);
  int SetShowModeMID(int left, int top, int right, int bottom);
  // Starts (1) or stops the reveal from the given edge; a disabled picture only answers
  // its running flag.
  int SetRun(int run, SLIDER_MODE mode);
  int IsRunning() const { return m_bRun; }
  int GetPosition() const { return m_position; }
  int GetEndPosition() const { return m_endPosition; }

private:
  int TakeImage(Gdiplus::Image* image, int count);

  PictureLayout m_layout;
  SLIDER_MODE m_sliderMode = SLIDER_LEFT_TO_RIGHT;
  int m_tick = 0;
  int m_ticksPerStep = 1;
  int m_position = 0;
  int m_endPosition = 0;
  std::unique_ptr<Gdiplus::Image> m_owned;
};
