// Scroll bars: the scroll model of a panel (content extent, visible page, position),
// a flat track with a thumb that can be dragged or paged, and position notifications
// (code 8) to the parent. Every panel owns one vertical (id 1) and one horizontal (id 2).
#pragma once
#include "core/MControlFont.h"

class QIV_API MScroll : public MControlFont {
public:
  MScroll(MObject* parent, unsigned id, CRect rect, int visible);
  ~MScroll() override;

  const wchar_t* GetClassNameW() const override;
  void DrawControl(HDC& hdc, CRect paint) override;
  long OnMessage(unsigned id, unsigned code, unsigned wParam, long lParam) override;
  void SetControlRect(CRect rect) override;

  // Moves the thumb by `delta` pixels and derives the position; answers the applied delta.
  virtual int MoveRange(int delta);
  // Recomputes the thumb from range, position and page; answers the position.
  virtual int SetRange();
  // SetRange with the position measured in content pixels.
  virtual int SetRangeEx();

  int SetScrollMaxRange(int range);
  int SetScrollSize(int size, int row);
  int SetScrollInfo(int range, int pos, int size, int row);
  int SetScrollCurrentPos(int pos);
  int SetScrollCurrentPosEx(int pos);
  int SetScrollBeginPos();
  int SetScrollFinalPos();
  int ScrollRow(int rows);
  int IsChangeing() const { return m_bChanging; }
  int GetScrollMaxRange() const { return m_nMaxRange; }
  int GetScrollCurrentPos() const { return m_nCurPos; }
  int IsScrollable() const { return m_bScrollable; }
  int GetThumbState() const { return m_nThumbState; }
  CRect GetThumbRect() const { return m_rcThumb; }

  // The scroll model; panels and list controls read and write these directly.
  int m_nThumbState = 0;
  int m_bHover = 0;
  int m_bScrollable = 0;
  int m_nMargin = 0;
  int m_nMaxRange = 1000;
  int m_nCurPos = 0;
  int m_nScrollSize = 0;
  int m_nRowStep = 10;
  CRect m_rcThumb;
  int m_bAutoSize = 0;
  int m_bChanging = 0;

protected:
  // Geometry along the bar: start, end and length of the bar's rectangle.
  struct Axis {
    int start, end, length;
  };
  virtual bool IsVertical() const { return true; }
  Axis GetAxis() const;
  int Coordinate(CPoint point) const { return IsVertical() ? point.y : point.x; }
  // Thumb length for a track, with the 100 px minimum (or track - 50 on short tracks).
  int ThumbLength(int track) const;
  // The layout of SetRange; `contentPixels` measures the position in content pixels.
  int Layout(bool contentPixels);
  void ShiftThumb(int delta);
  // MoveRange of both bars: shifts the thumb, derives and notifies the position.
  int MoveThumb(int delta);
  int ThumbStart() const { return IsVertical() ? m_rcThumb.top : m_rcThumb.left; }
  int ThumbEnd() const { return IsVertical() ? m_rcThumb.bottom : m_rcThumb.right; }
  // Draws a thumb from the picture strip in three slices (two 6 px caps and a middle).
  void DrawRange(HDC hdc, CRect rect, int frameOffset);
  int HandleButtonDown(CPoint point);
  int HandleMouseMove(unsigned flags, CPoint point);
  int HandleButtonUp(CPoint point);
  // The flat track and thumb, through the cached picture.
  void PaintBar(HDC& hdc);
  int LoadThumbImage(unsigned resId, CString type, int count, int resourceWidthDiv, int resourceHeightDiv);

  int m_nDragAnchor = -1;
};

class QIV_API CScrollVertical : public MScroll {
public:
  CScrollVertical(MObject* parent, unsigned id, CRect rect, int visible);
  ~CScrollVertical() override;
  const wchar_t* GetClassNameW() const override;
  void InitControl(PaintManager* manager) override;
  void DrawControl(HDC& hdc, CRect paint) override;
  int OnControlMouseMove(unsigned flags, CPoint point) override;
  int OnControlLButtonDown(unsigned flags, CPoint point) override;
  int OnControlLButtonUp(unsigned flags, CPoint point) override;
  int SetImage(unsigned resId, CString type, int count) override;
  int SetImage(const wchar_t* file, int count) override;
  int MoveRange(int delta) override;
  int SetRange() override;
  int SetRangeEx() override;
};

class QIV_API CScrollHorizontal : public MScroll {
public:
  CScrollHorizontal(MObject* parent, unsigned id, CRect rect, int visible);
  ~CScrollHorizontal() override;
  const wchar_t* GetClassNameW() const override;
  void InitControl(PaintManager* manager) override;
  void DrawControl(HDC& hdc, CRect paint) override;
  int OnControlMouseMove(unsigned flags, CPoint point) override;
  int OnControlLButtonDown(unsigned flags, CPoint point) override;
  int OnControlLButtonUp(unsigned flags, CPoint point) override;
  int SetImage(unsigned resId, CString type, int count) override;
  int SetImage(const wchar_t* file, int count) override;
  int MoveRange(int delta) override;
  int SetRange() override;

protected:
  bool IsVertical() const override { return false; }
};
