// An animated multi-frame picture stretched over the control, stepped one frame every
// fifth control-timer tick while it runs (the delays stored in the file are not used).
#pragma once
#include <windows.h>
#include <gdiplus.h>
#include "core/MControlFont.h"

class QIV_API CGifPicture : public MControlFont {
public:
  CGifPicture(MObject* parent, unsigned id, CRect rect, int visible, int enabled);
  ~CGifPicture() override;
  const wchar_t* GetClassNameW() const override;

  void DrawControl(HDC& hdc, CRect paint) override;
  int OnControlTimer() override;
  int OnControlMouseMove(unsigned flags, CPoint point) override;

  // A full path, owned by the control; 1 when it loaded (no repaint), else a repaint and 0.
  int SetImageFile(const wchar_t* path);
  // A skin file through the window's image cache (the count is not used); answers 0.
  int SetImage(const wchar_t* file, int count) override;
  // Starts (1) or stops the animation at `frame`; 0 for a picture of one frame or none.
  int SetRunState(int run, int frame);
  // Runs the animation while the pointer is over the picture.
  void SetMouseMoveActive(bool active) { m_hoverAnimate = active ? 1 : 0; }
  int GetFrameCount() const { return m_frameCount; }
  int GetCurrentFrame() const { return m_currentFrame; }
  int IsRunning() const { return m_bRun; }

protected:
  void OnSetImage(Gdiplus::Image* image);
  int IsAnimate() const { return m_frameCount > 1 ? 1 : 0; }
  void SelectActiveFrame(int index);
  void ActiveNextFrame();

private:
  void ReleaseImage();

  int m_frameCount = 0;
  int m_secondIndex = 0;
  GUID m_dimension;
  int m_currentFrame = 0;
  unsigned char m_hoverAnimate = 0;
  int m_tick = 0;
  bool m_owned = false;
};
