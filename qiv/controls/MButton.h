// The push button: a skin strip of four frames (normal, hover, pressed, disabled) drawn as
// a nine-grid under a centred title. A press inside sends code 1 to the parent, the
// release inside after that press code 2.
#pragma once
#include <windows.h>
#include <gdiplus.h>
#include <memory>
#include "core/MControlFont.h"

class QIV_API MButton : public MControlFont {
public:
  MButton(MObject* parent, unsigned id, CRect rect, const wchar_t* title, int visible, int enabled);
  ~MButton() override;
  const wchar_t* GetClassNameW() const override;

  void DrawControl(HDC& hdc, CRect paint) override;
  void SetControlEnabled(int enabled) override;
  int OnControlMouseMove(unsigned flags, CPoint point) override;
  int OnControlLButtonDown(unsigned flags, CPoint point) override;
  int OnControlLButtonUp(unsigned flags, CPoint point) override;
  int OnControlKeyDown(unsigned key, unsigned repeat, unsigned modifiers) override;

  // Loads an icon strip of `frames` frames from the skins folder; 0 (and no icon) when it
  // does not load or the count is below 1. Not drawn by the push button itself.
  int SetIconImage(const wchar_t* file, int frames);
  void SetFrameSize(int size) { m_frameSize = size; }
  void SetTextRect(CRect rect) { m_textRect = rect; }

  int GetState() const { return m_state; }
  int GetFrameSize() const { return m_frameSize; }
  Gdiplus::Image* GetIconImage() const { return m_icon.get(); }
  CSize GetIconFrameSize() const { return CSize(m_iconFrameWidth, m_iconFrameHeight); }
  int GetIconFrameCount() const { return m_iconFrameCount; }

protected:
  // Sets the state and asks for a repaint (redraw 0) when it changed; 1 on a change.
  int ChangeState(int state);
  // The title of slice i into a strip of width w: grey when disabled, pressed one pixel
  // right and down, laid out in the text rectangle when there is one.
  void DrawSliceTitle(Gdiplus::Graphics& g, const Gdiplus::Font& font, int slice, int w, int h,
                      Gdiplus::Color colour, bool useTextRect);

  int m_state = 0;
  int m_frameSize = 8;
  std::unique_ptr<Gdiplus::Image> m_icon;
  int m_iconFrameWidth = 0;
  int m_iconFrameHeight = 0;
  int m_iconFrameCount = 4;
  CRect m_textRect;
};
