// Writes a list of picture files with their delays as one looping animated GIF. Each
// picture is drawn, fitted and centred, onto a transparent canvas of one fixed size; the
// canvases go to a GifFrameEncoder at the end, and the file is replaced only by a
// complete animation.
//
// States: new (size may change) -> Begin (started) -> AddFrame ... (the first frame fixes
// the size) -> End (written; the frames stay for a later Begin).
#pragma once
#include <windows.h>
#include <gdiplus.h>
#include <memory>
#include <vector>
#include "core/CString.h"
#include "core/Geometry.h"
#include "widgets/GifFrameEncoder.h"

class QIV_API GifAnimationWriter {
public:
  // Writes through the GDI+ GIF encoder.
  GifAnimationWriter();
  explicit GifAnimationWriter(std::unique_ptr<GifFrameEncoder> encoder);
  ~GifAnimationWriter();
  GifAnimationWriter(const GifAnimationWriter&) = delete;
  GifAnimationWriter& operator=(const GifAnimationWriter&) = delete;

  // Ignored once the first frame exists; a width of 0 or less becomes 320.
  void SetSize(int width, int height);
  bool Begin(const wchar_t* path);
  // False when not started or when no canvas could be made; a picture that does not load
  // still adds a transparent frame with its delay.
  bool AddFrame(const wchar_t* path, int delayMs);
  // Encodes every frame and replaces the file with the animation. False when not
  // started, without frames, or when encoding or writing failed (the old file stays and
  // the writer stays started, so End may be tried again).
  bool End();

  // The picture's place on the canvas: never enlarged, scaled to the rectangle's width
  // when its aspect ratio exceeds the canvas's, else to its height; centred.
  CRect FitRect(int w, int h, const CRect& rect) const;

  int GetWidth() const { return m_width; }
  int GetHeight() const { return m_height; }
  int GetLoopCount() const { return m_loopCount; }
  bool IsStarted() const { return m_started; }
  bool HasFirstFrame() const { return m_hasFirstFrame; }
  // The frame delays in 1/100 s, one per frame.
  const std::vector<int>& GetDelays() const { return m_delays; }
  int GetFrameCount() const { return static_cast<int>(m_delays.size()); }

private:
  std::unique_ptr<GifFrameEncoder> m_encoder;
  int m_width = 1300;
  int m_height = 100;
  int m_loopCount = 0;
  bool m_started = false;
  bool m_hasFirstFrame = false;
  CString m_path;
  std::unique_ptr<Gdiplus::Bitmap> m_first;
  std::vector<std::unique_ptr<Gdiplus::Bitmap>> m_further;
  std::vector<int> m_delays;
};
