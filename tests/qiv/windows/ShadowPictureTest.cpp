#include <gtest/gtest.h>
#include <cmath>
#include "core/ShadowPicture.h"

using namespace ShadowPicture;

namespace {
BYTE Alpha(DWORD pixel) { return static_cast<BYTE>(pixel >> 24); }

struct Picture {
  int w, h;
  std::vector<DWORD> pixels;
  DWORD at(int x, int y) const { return pixels[static_cast<size_t>(y) * w + x]; }
};

Picture Make(const std::vector<ShadowSpan>& spans, int pw, int ph, const ShadowParams& p) {
  Picture pic{pw + 2 * p.size, ph + 2 * p.size, {}};
  pic.pixels.assign(static_cast<size_t>(pic.w) * pic.h, 0);
  MakeShadow(pic.pixels.data(), spans, pw, ph, p);
  return pic;
}
}  // namespace

TEST(ShadowPictureTest, PreMultiplyScalesEachChannelAndLeavesAlphaClear) {
  struct Case {
    DWORD color;
    BYTE alpha;
    DWORD expected;
  } cases[] = {
      {0x00FFFFFF, 255, 0x00FFFFFF}, {0x00FFFFFF, 0, 0x00000000}, {0x00FF8040, 128, 0x00804020},
      {0x00010203, 150, 0x00000101}, {0xFF123456, 255, 0x00123456},  // stray alpha bits are dropped
  };
  for (const Case& c : cases) EXPECT_EQ(c.expected, PreMultiply(c.color, c.alpha)) << std::hex << c.color;
}

TEST(ShadowPictureTest, KernelAlphaHasASolidCoreAndALinearEdge) {
  // darkness 150, sharpness 5, size 10: l = 10, core radius c = 5
  EXPECT_EQ(150, KernelAlpha(0.0, 10, 5, 150));
  EXPECT_EQ(150, KernelAlpha(4.99, 10, 5, 150));
  EXPECT_EQ(150, KernelAlpha(5.0, 10, 5, 150));
  EXPECT_EQ(87, KernelAlpha(7.5, 10, 5, 150));  // trunc((1 - 2.5 / 6) x 150)
  EXPECT_EQ(24, KernelAlpha(10.0, 10, 5, 150));  // (1 - 5 / 6) x 150 falls just short of 25
  EXPECT_EQ(0, KernelAlpha(10.01, 10, 5, 150));
  // sharper than large: no solid core, the edge starts at the centre
  EXPECT_EQ(100, KernelAlpha(0.0, 3, 8, 100));
  EXPECT_EQ(66, KernelAlpha(3.0, 3, 8, 100));  // trunc((1 - 3 / 9) x 100)

  ShadowParams p;
  p.size = 10;
  p.sharpness = 5;
  p.darkness = 150;
  p.color = 0x00FF0000;
  int radius = 0;
  const std::vector<DWORD> kernel = MakeKernel(p, radius);
  ASSERT_EQ(10, radius);
  ASSERT_EQ(21u * 21u, kernel.size());
  EXPECT_EQ((150u << 24) | PreMultiply(0xFF0000, 150), kernel[10 * 21 + 10]);
  EXPECT_EQ(0u, kernel[0]) << "the corner lies beyond l";
  EXPECT_EQ(static_cast<BYTE>(KernelAlpha(7.0, 10, 5, 150)), Alpha(kernel[10 * 21 + 17]));
}

TEST(ShadowPictureTest, ParentSpansFromAnInsideTest) {
  // A diamond-ish shape: row y covers |x - 4| <= y, on a 9 x 4 parent; row 0 only x = 4.
  auto spans = ParentSpans(9, 4, [](int x, int y) { return std::abs(x - 4) <= y; });
  ASSERT_EQ(4u, spans.size());
  EXPECT_EQ(4, spans[0].left);
  EXPECT_EQ(5, spans[0].right);
  EXPECT_EQ(1, spans[3].left);
  EXPECT_EQ(8, spans[3].right);
  auto none = ParentSpans(9, 2, [](int, int) { return false; });
  EXPECT_EQ(9, none[1].left);
  EXPECT_EQ(0, none[1].right);
  auto rect = RectSpans(9, 2);
  EXPECT_EQ(0, rect[1].left);
  EXPECT_EQ(9, rect[1].right);
}

TEST(ShadowPictureTest, RectangleShadowHasASolidBodyAHoleUnderTheParentAndSoftEdges) {
  ShadowParams p;
  p.size = 6;
  p.sharpness = 3;
  p.darkness = 200;
  p.xOffset = 4;
  p.yOffset = 4;
  p.color = 0x00204060;
  const int pw = 40, ph = 30;
  Picture pic = Make(RectSpans(pw, ph), pw, ph, p);
  ASSERT_EQ(52, pic.w);
  ASSERT_EQ(42, pic.h);
  const DWORD solid = (200u << 24) | PreMultiply(0x204060, 200);
  // The parent covers shadow columns [size - x offset, ... + pw) and rows likewise: a hole.
  EXPECT_EQ(0u, pic.at(20, 20));
  EXPECT_EQ(0u, pic.at(2, 2));
  // Below and right of the parent the shadow is solid.
  EXPECT_EQ(solid, pic.at(pw + 4, 20));
  EXPECT_EQ(solid, pic.at(20, ph + 4));
  // The outermost row and column fade out; corners are empty.
  EXPECT_EQ(0u, pic.at(0, 0));
  EXPECT_LT(Alpha(pic.at(pic.w - 1, 20)), Alpha(pic.at(pic.w - 4, 20)));
  EXPECT_LT(Alpha(pic.at(20, pic.h - 1)), 200);
  // Premultiplied: no channel exceeds alpha.
  for (DWORD px : pic.pixels) {
    const BYTE a = Alpha(px);
    EXPECT_LE((px >> 16) & 0xFF, a);
    EXPECT_LE(px & 0xFF, a);
  }
}

TEST(ShadowPictureTest, AParentWithoutSpansCastsNothingAndOneWithSpansCastsAShadow) {
  ShadowParams p;
  p.size = 5;
  const int pw = 20, ph = 10;
  Picture empty = Make(ParentSpans(pw, ph, [](int, int) { return false; }), pw, ph, p);
  for (DWORD px : empty.pixels) ASSERT_EQ(0u, px);
  Picture full = Make(RectSpans(pw, ph), pw, ph, p);
  int opaque = 0;
  for (DWORD px : full.pixels) opaque += Alpha(px) > 0;
  EXPECT_GT(opaque, 100);
}

TEST(ShadowPictureTest, ErosionNarrowsTheCoreWhenSharpnessExceedsSize) {
  ShadowParams soft;
  soft.size = 4;
  soft.sharpness = 10;  // 6 erosion passes, kernel radius 10
  soft.darkness = 255;
  soft.xOffset = soft.yOffset = 0;
  const int pw = 60, ph = 40;
  Picture pic = Make(RectSpans(pw, ph), pw, ph, soft);
  // Without any offset the parent hides the whole shadow body; only the fringe shows.
  EXPECT_EQ(0u, pic.at(pic.w / 2, pic.h / 2));
  EXPECT_GT(Alpha(pic.at(2, pic.h / 2)), 0);
  EXPECT_LT(Alpha(pic.at(0, pic.h / 2)), Alpha(pic.at(3, pic.h / 2)));
}
