// The region-mode drop-shadow picture as pure functions over 32-bit premultiplied pixels
// (0xAARRGGBB): the parent's row spans, the soft-edge kernel and the composed picture.
#pragma once
#include <windows.h>
#include <functional>
#include <vector>
#include "qiv_export.h"

struct ShadowSpan {
  int left;   // first pixel inside
  int right;  // one past the last pixel inside; right <= left means empty
};

struct ShadowParams {
  int size = 0;        // how far the shadow reaches beyond the parent on every side
  int sharpness = 5;   // width of the soft edge
  int darkness = 150;  // alpha of the solid part
  int xOffset = 5;
  int yOffset = 5;
  DWORD color = 0;     // 0x00RRGGBB
};

namespace ShadowPicture {

// Each colour channel times alpha / 255 (integer division), alpha bits left 0.
QIV_API DWORD PreMultiply(DWORD color, BYTE alpha);

// Alpha of the kernel at distance `d` from its centre.
QIV_API int KernelAlpha(double d, int size, int sharpness, int darkness);

// The (2l + 1) x (2l + 1) kernel, l = max(size, sharpness), row by row; `radius` gets l.
QIV_API std::vector<DWORD> MakeKernel(const ShadowParams& p, int& radius);

// One span per parent row from an inside test; an empty row is {width, 0}.
QIV_API std::vector<ShadowSpan> ParentSpans(int width, int height, const std::function<bool(int, int)>& inside);

// Every row fully inside: the spans of a parent without a window region of its own.
QIV_API std::vector<ShadowSpan> RectSpans(int width, int height);

// Composes the shadow of a parent of `parentWidth` x `parentHeight` with `parentSpans`
// into `pixels`, a top-down (width + 2 size) x (height + 2 size) buffer cleared to 0.
QIV_API void MakeShadow(DWORD* pixels, const std::vector<ShadowSpan>& parentSpans, int parentWidth,
                        int parentHeight, const ShadowParams& p);

}  // namespace ShadowPicture
