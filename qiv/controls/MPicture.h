// A picture inside the control's rectangle in one of six show modes: natural size by
// the alignment, tiled, stretched, two nine-grids or a custom source rectangle.
#pragma once
#include <windows.h>
#include <gdiplus.h>
#include <memory>
#include "controls/PictureDraw.h"
#include "core/MControlFont.h"

class QIV_API MPicture : public MControlFont {
public:
  MPicture(MObject* parent, unsigned id, CRect rect, int visible, int enabled);
  ~MPicture() override;
  const wchar_t* GetClassNameW() const override;
  void DrawControl(HDC& hdc, CRect paint) override;

  // A skin file split into `count` frames (not cached); repaints. 1 when it loaded; a
  // count below 1 is refused and changes nothing.
  int SetImage(const wchar_t* file, int count) override;
  // A resource of the program's module; repaints and answers 1 when it loaded, else 0.
  int SetImage(unsigned resId, CString type, int count) override;
  // A full path at the image's size (the frame count is kept); repaints. 1 when it loaded.
  int SetImageFile(const wchar_t* path);
  // A thumbnail of width x height (the natural size for 0 x 0); a missing file answers 0
  // and keeps the current picture.
  int SetImageFile(const wchar_t* path, int width, int height);
  // 0 when nothing changes (the same mode other than 3, or 3 with the same corner).
  int SetShowMode(enumShowMode mode, int param);
  int SetShowModeMID(int left, int top, int right, int bottom);
  void SetCustomRect(CRect rect) { m_layout.custom = rect; }
  enumShowMode GetShowMode() const { return m_layout.mode; }
  int GetModeParam() const { return m_layout.param; }

private:
  void TakeImage(Gdiplus::Image* image);

  PictureLayout m_layout;
  std::unique_ptr<Gdiplus::Image> m_owned;
};
