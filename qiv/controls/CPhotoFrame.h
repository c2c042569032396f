// A picture with a state overlay that reacts to hover and click like a button: the
// overlay's second frame lies over the picture while hovered or pressed.
#pragma once
#include <windows.h>
#include <gdiplus.h>
#include <memory>
#include "controls/PictureDraw.h"
#include "core/MControlFont.h"

class QIV_API CPhotoFrame : public MControlFont {
public:
  CPhotoFrame(MObject* parent, unsigned id, CRect rect, int visible, int enabled);
  ~CPhotoFrame() override;
  const wchar_t* GetClassNameW() const override;

  void DrawControl(HDC& hdc, CRect paint) override;
  int OnControlMouseMove(unsigned flags, CPoint point) override;
  int OnControlLButtonDown(unsigned flags, CPoint point) override;
  int OnControlLButtonUp(unsigned flags, CPoint point) override;

  // The picture: a skin file or a resource of the program's module, `count` frames; no repaint.
  int SetPhotoFrame(const wchar_t* file, int count);
  int SetPhotoFrame(unsigned resId, CString type, int count);
  // The state overlay, the same two ways; no repaint.
  int SetImage(const wchar_t* file, int count) override;
  int SetImage(unsigned resId, CString type, int count) override;
  int SetShowMode(enumShowMode mode, int param);
  int SetShowModeMID(int left, int top, int right, int bottom);
  int GetState() const { return m_state; }

private:
  int ChangeState(int state);

  std::unique_ptr<Gdiplus::Image> m_picture;
  int m_pictureWidth = 0;
  int m_pictureHeight = 0;
  int m_state = 0;
  PictureLayout m_layout;
  std::unique_ptr<Gdiplus::Image> m_overlay;
};
