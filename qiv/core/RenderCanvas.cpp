#include "core/RenderCanvas.h"
#include <algorithm>
#include "core/PaintManager.h"

namespace {
// The innermost lease of this thread; each lease links to the one it was taken inside.
thread_local RenderCanvas* t_current = nullptr;
}  // namespace

CanvasStore::CanvasStore() = default;
CanvasStore::~CanvasStore() { Release(); }

void CanvasStore::Release() {
  graphics_.reset();
  bitmap_.reset();
  dib_.Release();
}

bool CanvasStore::Grow(HDC like, int width, int height) {
  // The GDI+ objects draw into the DIB's pixels: they go before a larger DIB replaces it.
  if (width > dib_.Width() || height > dib_.Height()) {
    graphics_.reset();
    bitmap_.reset();
  }
  bool created = false;
  if (!dib_.Grow(like, width, height, &created)) {
    Release();
    return false;
  }
  if (!created && graphics_) return true;
  graphics_.reset();
  // Alpha is not read: the canvas holds opaque window pixels, as GDI+ treats an RGB bitmap.
  bitmap_ = std::make_unique<Gdiplus::Bitmap>(dib_.Width(), dib_.Height(), dib_.Stride(), PixelFormat32bppRGB,
                                              dib_.Bits());
  if (bitmap_->GetLastStatus() == Gdiplus::Ok) {
    graphics_ = std::make_unique<Gdiplus::Graphics>(bitmap_.get());
    if (graphics_->GetLastStatus() == Gdiplus::Ok) return true;
  }
  Release();
  return false;
}

RenderCanvas::RenderCanvas(PaintManager* manager, HDC like, int width, int height)
    : manager_(manager), width_(width), height_(height) {
  if (width <= 0 || height <= 0) return;
  if (manager) {
    if (CanvasStore* store = manager->LockCanvas()) {
      if (store->Grow(like, width, height)) store_ = store;
      else manager->UnlockCanvas(store);
    }
  }
  if (!store_) {
    own_ = std::make_unique<CanvasStore>();
    if (!own_->Grow(like, width, height)) {
      own_.reset();
      return;
    }
  }
  CanvasStore* use = store_ ? store_ : own_.get();
  dib_ = &use->Dib();
  graphics_ = use->Graphics();
  saved_ = graphics_->Save();
  graphics_->ResetClip();
  outer_ = t_current;
  t_current = this;
}

RenderCanvas::~RenderCanvas() {
  if (graphics_) {
    graphics_->Restore(saved_);
    t_current = outer_;
  }
  if (store_) manager_->UnlockCanvas(store_);
}

PixelBlend::Surface RenderCanvas::Surface() const {
  PixelBlend::Surface s = dib_ ? dib_->Surface() : PixelBlend::Surface{};
  s.width = std::min(s.width, width_);
  s.height = std::min(s.height, height_);
  return s;
}

PictureMemo* RenderCanvas::Memo() const { return manager_ ? &manager_->GetPictureMemo() : nullptr; }

RenderCanvas* RenderCanvas::PlainOf(Gdiplus::Graphics& g) {
  RenderCanvas* lease = t_current;
  while (lease && lease->graphics_ != &g) lease = lease->outer_;
  if (!lease) return nullptr;
  const Gdiplus::Unit unit = g.GetPageUnit();
  if ((unit != Gdiplus::UnitDisplay && unit != Gdiplus::UnitPixel) || g.GetPageScale() != 1.0f) return nullptr;
  if (g.GetCompositingMode() != Gdiplus::CompositingModeSourceOver) return nullptr;
  Gdiplus::Matrix transform;
  if (g.GetTransform(&transform) != Gdiplus::Ok || !transform.IsIdentity()) return nullptr;
  // The clip is not read back: Wine's GDI+ crashed reading a saved graphics' clip after a
  // while. The lease hands the graphics out unclipped and no renderer clips it.
  return lease;
}

RenderCanvas* RenderCanvas::PlainOf(HDC dc) {
  RenderCanvas* lease = t_current;
  while (lease && lease->Dc() != dc) lease = lease->outer_;
  if (!lease || !dc) return nullptr;
  if (::GetMapMode(dc) != MM_TEXT || ::GetGraphicsMode(dc) != GM_COMPATIBLE) return nullptr;
  POINT viewport = {}, window = {};
  ::GetViewportOrgEx(dc, &viewport);
  ::GetWindowOrgEx(dc, &window);
  if (viewport.x || viewport.y || window.x || window.y) return nullptr;
  HRGN clip = ::CreateRectRgn(0, 0, 0, 0);
  const int clipped = clip ? ::GetClipRgn(dc, clip) : -1;
  if (clip) ::DeleteObject(clip);
  if (clipped != 0) return nullptr;
  if (::GetTextAlign(dc) != (TA_LEFT | TA_TOP | TA_NOUPDATECP) || ::GetTextCharacterExtra(dc) != 0 ||
      ::GetROP2(dc) != R2_COPYPEN)
    return nullptr;
  return lease;
}
