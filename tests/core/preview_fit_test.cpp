// The preview fit: the document's aspect kept, centred with the smaller half
// of the leftover first, products in 64 bits.
#include <gtest/gtest.h>

#include "core/preview_fit.h"

using core::FitPreview;
using core::PreviewRect;

namespace {
constexpr int32_t kA4W = 21000, kA4H = 29700;
}  // namespace

TEST(PreviewFit, KeepsTheRatioAndCentresWithTheSmallerHalfFirst) {
  EXPECT_EQ(FitPreview(200, 300, kA4W, kA4H), (PreviewRect{0, 9, 200, 282}));
  EXPECT_EQ(FitPreview(400, 100, kA4W, kA4H), (PreviewRect{165, 0, 70, 100}));
  EXPECT_EQ(FitPreview(105, 100, 100, 100), (PreviewRect{2, 0, 100, 100}));  // leftover 5 -> 2
  EXPECT_EQ(FitPreview(100, 105, 100, 100), (PreviewRect{0, 2, 100, 100}));
  EXPECT_EQ(FitPreview(100, 100, 100, 100), (PreviewRect{0, 0, 100, 100}));
  // Extents beyond what 32-bit products hold.
  EXPECT_EQ(FitPreview(30000, 20000, 2000000000, 1000000000), (PreviewRect{0, 2500, 30000, 15000}));
}

TEST(PreviewFit, DegenerateExtents) {
  EXPECT_EQ(FitPreview(200, 300, 0, 500), (PreviewRect{100, 0, 0, 300}));  // empty width
  EXPECT_EQ(FitPreview(200, 300, 500, 0), (PreviewRect{0, 150, 200, 0}));  // empty height
  EXPECT_FALSE(FitPreview(200, 300, 0, 0));  // no ratio at all
  EXPECT_FALSE(FitPreview(200, 300, -21000, 29700));
  EXPECT_FALSE(FitPreview(200, 300, 21000, -29700));
  EXPECT_EQ(FitPreview(0, 0, kA4W, kA4H), (PreviewRect{0, 0, 0, 0}));
}

TEST(PreviewFit, StaysInsideTheAreaForEveryShape) {
  // Brute force over small areas and extents: the rectangle is inside the
  // area, touches it on two opposite sides, and keeps the ratio to within
  // the truncation of one pixel.
  for (int32_t w = 0; w <= 12; ++w)
    for (int32_t h = 0; h <= 12; ++h)
      for (int32_t cx = 0; cx <= 9; ++cx)
        for (int32_t cy = 0; cy <= 9; ++cy) {
          const auto r = FitPreview(w, h, cx, cy);
          // No ratio, or an empty-width extent in an area without width: nothing.
          const bool nothing = cx == 0 && (cy == 0 || w == 0);
          ASSERT_EQ(r.has_value(), !nothing) << w << " " << h << " " << cx << " " << cy;
          if (!r) continue;
          ASSERT_GE(r->x, 0);
          ASSERT_GE(r->y, 0);
          ASSERT_LE(r->x + r->width, w);
          ASSERT_LE(r->y + r->height, h);
          ASSERT_TRUE(r->width == w || r->height == h);
          ASSERT_EQ(r->x, (w - r->width) / 2);
          ASSERT_EQ(r->y, (h - r->height) / 2);
          // width / height against cx / cy, cross-multiplied in whole numbers.
          const int64_t lhs = int64_t{r->width} * cy, rhs = int64_t{r->height} * cx;
          if (r->height == h && cy > 0) {
            ASSERT_TRUE(lhs <= rhs && rhs < lhs + cy) << w << " " << h << " " << cx << " " << cy;
          }
          if (r->width == w && r->height != h) {
            ASSERT_TRUE(rhs <= lhs && lhs < rhs + cx) << w << " " << h << " " << cx << " " << cy;
          }
        }
}
