// The scratch picture a control renders its looks in before they go to its memory bitmap.
// Each window keeps one (a top-down 32-bit DIB section with its DC, a GDI+ bitmap over its
// pixels and a GDI+ graphics on that bitmap), grown as needed and lent to one renderer at
// a time: making these per render cost more than most drawing. A lease without a window,
// or one taken while the window's canvas is lent, gets a picture of its own.
// While a lease lives, the MRender routines recognise its graphics and lay down what the
// window has drawn before (PictureMemo) straight into its pixels.
#pragma once
#include <windows.h>
#include <gdiplus.h>
#include <memory>
#include "core/DibSection.h"
#include "core/Geometry.h"
#include "core/PixelBlend.h"
#include "qiv_export.h"

class PaintManager;
class PictureMemo;

// The kept picture of one window.
class QIV_API CanvasStore {
public:
  CanvasStore();
  ~CanvasStore();
  CanvasStore(const CanvasStore&) = delete;
  CanvasStore& operator=(const CanvasStore&) = delete;
  // At least width x height with its GDI+ objects; false when it cannot be made.
  bool Grow(HDC like, int width, int height);
  void Release();
  DibSection& Dib() { return dib_; }
  Gdiplus::Graphics* Graphics() const { return graphics_.get(); }
  bool lent = false;

private:
  DibSection dib_{DibSection::Rows::TopDown};
  std::unique_ptr<Gdiplus::Bitmap> bitmap_;
  std::unique_ptr<Gdiplus::Graphics> graphics_;
};

class QIV_API RenderCanvas {
public:
  RenderCanvas(PaintManager* manager, HDC like, int width, int height);
  ~RenderCanvas();
  RenderCanvas(const RenderCanvas&) = delete;
  RenderCanvas& operator=(const RenderCanvas&) = delete;

  bool Ok() const { return graphics_ != nullptr; }
  // The DC of the picture; the lent part is its top-left width x height.
  HDC Dc() const { return dib_ ? dib_->Dc() : nullptr; }
  // GDI+ graphics over the picture, in its default state for every lease.
  Gdiplus::Graphics& Graphics() const {
    ::GdiFlush();  // GDI blits into the picture land before GDI+ reads it
    return *graphics_;
  }
  PixelBlend::Surface Surface() const;
  CRect Area() const { return CRect(0, 0, width_, height_); }
  PaintManager* Manager() const { return manager_; }
  // The window's memo of drawn pictures; null without a window.
  PictureMemo* Memo() const;

  // The lease on this thread whose graphics is `g`, when `g` draws plainly: no
  // transform, no clip, pixel units, source-over. Null otherwise.
  static RenderCanvas* PlainOf(Gdiplus::Graphics& g);
  // The lease on this thread whose picture `dc` is, when GDI draws on it plainly: no
  // clip region, no transform or moved origin, text-mode defaults. Null otherwise.
  static RenderCanvas* PlainOf(HDC dc);

private:
  PaintManager* manager_;
  CanvasStore* store_ = nullptr;  // the window's, while lent
  std::unique_ptr<CanvasStore> own_;
  DibSection* dib_ = nullptr;
  Gdiplus::Graphics* graphics_ = nullptr;
  Gdiplus::GraphicsState saved_ = 0;
  int width_ = 0;
  int height_ = 0;
  RenderCanvas* outer_ = nullptr;  // the lease this one was taken inside, on this thread
};
