// The progress bar: drawn from background and foreground pictures, from its own 2-frame
// strip, or as a line with a filled part; with optional centred text and an optional
// self-running animation (one step every few control-timer ticks, wrapping at the end).
#pragma once
#include "core/MControlFont.h"

class QIV_API MProgress : public MControlFont {
public:
  MProgress(MObject* parent, unsigned id, CRect rect, int visible, int enabled);
  ~MProgress() override;
  const wchar_t* GetClassNameW() const override;

  void DrawControl(HDC& hdc, CRect paint) override;
  int OnControlTimer() override;

  // Only while enabled: cut to the maximum; negative or unchanged changes nothing.
  int SetProgress(int value);
  // Only while enabled: sets the running flag, and the progress when 0 <= value <= maximum.
  int SetRun(int run, int value);
  bool SetBackGroundImage(CString file);
  bool SetBackGroundImage(unsigned id);
  bool SetForeGroundImage(CString file);
  bool SetForeGroundImage(unsigned id);
  int GetProgress() const { return m_progress; }
  void SetMaxProgress(int maximum) { m_max = maximum; }
  int GetMaxProgress() const { return m_max; }
  void EnableShowText(int show) { m_bShowText = show; }
  int IsRunning() const { return m_bRunning; }
  CString GetValueText() const;

  // Filled pixels of a bar `width` wide; 0 for a maximum of 0 or less.
  static int FillWidth(int width, int progress, int maximum);

private:
  struct Picture {
    Gdiplus::Image* image = nullptr;  // owned by the window's image cache
    int width = 0, height = 0;
  };
  bool LoadPicture(Picture& slot, const CString* file, unsigned id);
  void Repaint(int redraw);

  int m_progress = 0;
  int m_max = 100;
  int m_ticks = 0;
  int m_ticksPerStep = 3;
  int m_margin = 12;
  int m_bShowText = 0;
  int m_stripHeight = 14;
  Gdiplus::Color m_line{0x64050505};
  Gdiplus::Color m_fill{0xFFFF3A32};
  Picture m_back, m_fore;
  int m_bRunning = 0;
};
