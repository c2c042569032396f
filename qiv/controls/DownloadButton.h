// A skinned push button that turns into a progress bar with a percentage while a
// download runs (a progress above 0).
#pragma once
#include <windows.h>
#include <gdiplus.h>
#include <memory>
#include "core/MControlFont.h"

class QIV_API DownloadButton : public MControlFont {
public:
  DownloadButton(MObject* parent, unsigned id, CRect rect, const wchar_t* title, int visible, int enabled);
  ~DownloadButton() override;
  const wchar_t* GetClassNameW() const override;

  void DrawControl(HDC& hdc, CRect paint) override;
  void SetControlEnabled(int enabled) override;
  int OnControlMouseMove(unsigned flags, CPoint point) override;
  int OnControlLButtonDown(unsigned flags, CPoint point) override;
  int OnControlLButtonUp(unsigned flags, CPoint point) override;
  int OnControlKeyDown(unsigned key, unsigned repeat, unsigned modifiers) override;

  // The percentage shown; 0 or less shows the button. A change repaints.
  void SetDownloadProcess(int percent);
  int GetDownloadProcess() const { return m_progress; }
  // Held as MButton holds them; not drawn. A count below 1 is refused (0).
  int SetIconImage(const wchar_t* file, int frames);
  void SetFrameSize(int size) { m_frameSize = size; }
  void SetTextRect(CRect rect) { m_textRect = rect; }
  int GetState() const { return m_state; }

private:
  int m_state = 0;
  int m_frameSize = 8;
  std::unique_ptr<Gdiplus::Image> m_icon;
  int m_iconFrameWidth = 0;
  int m_iconFrameHeight = 0;
  int m_iconFrameCount = 4;
  CRect m_textRect;
  int m_progress = 0;
};
