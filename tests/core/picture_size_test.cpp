// The picture size rules: the lock's truncated 64-bit ratio, and how a batch
// render derives the side it is not given.
#include <gtest/gtest.h>

#include "core/picture_size.h"

using namespace core;

namespace {

void ExpectSize(std::optional<int32_t> w, std::optional<int32_t> h, Extent extent, int32_t ew, int32_t eh) {
  const PictureSize s = ResolvePictureSize(w, h, extent);
  EXPECT_EQ(s.width, ew) << "extent " << extent.x << "x" << extent.y;
  EXPECT_EQ(s.height, eh) << "extent " << extent.x << "x" << extent.y;
}

}  // namespace

TEST(LockedSide, TruncatesTowardZeroWithA64BitProduct) {
  EXPECT_EQ(LockedSide(751, 4, 3), 1001);
  EXPECT_EQ(LockedSide(1001, 3, 4), 750);
  EXPECT_EQ(LockedSide(-7, 1, 2), -3);
  EXPECT_EQ(LockedSide(7, -1, 2), -3);
  EXPECT_EQ(LockedSide(30000, 2147483647, 1), 64424509410000LL);
  EXPECT_EQ(LockedSide(30000, 1999999999, 2000000000), 29999);
  EXPECT_EQ(LockedSide(30000, 297000, 210000), 42428);  // 8910000000: past 2^32 on the way
  EXPECT_EQ(LockedSide(2147483647, -2147483647 - 1, -1), INT64_C(4611686016279904256));
}

TEST(PictureSize, OneSideDerivesTheOtherTruncated) {
  const Extent e{3, 4};
  ExpectSize(750, std::nullopt, e, 750, 1000);
  ExpectSize(751, std::nullopt, e, 751, 1001);   // 1001.33
  ExpectSize(std::nullopt, 1001, e, 750, 1001);  // 750.75
  ExpectSize(std::nullopt, std::nullopt, e, 750, 1000);
  ExpectSize(1, std::nullopt, Extent{21000, 29700}, 1, 1);
  ExpectSize(400, std::nullopt, Extent{21000, 29700}, 400, 565);  // 565.7
}

TEST(PictureSize, DerivedSideIsClampedToTheField) {
  ExpectSize(30000, std::nullopt, Extent{1, 2}, 30000, 30000);
  ExpectSize(std::nullopt, 30000, Extent{2, 1}, 30000, 30000);
  ExpectSize(5, std::nullopt, Extent{5, 0}, 5, 1);        // 0 becomes the minimum
  ExpectSize(std::nullopt, 7, Extent{0, 5}, 1, 7);
  // The 64-bit product: 30000 x 2000000000 does not wrap.
  ExpectSize(30000, std::nullopt, Extent{2000000000, 2000000000}, 30000, 30000);
  ExpectSize(30000, std::nullopt, Extent{2000000000, 1}, 30000, 1);
}

TEST(PictureSize, ZeroExtentLeavesTheDefaults) {
  ExpectSize(600, std::nullopt, Extent{0, 0}, 600, 1000);
  ExpectSize(std::nullopt, 600, Extent{0, 0}, 750, 600);
  ExpectSize(std::nullopt, std::nullopt, Extent{0, 0}, 750, 1000);
  ExpectSize(std::nullopt, 600, Extent{5, 0}, 750, 600);  // no height to divide by
  ExpectSize(600, std::nullopt, Extent{0, 5}, 600, 1000);
}

TEST(PictureSize, BothGivenAreTakenAsGiven) {
  ExpectSize(123, 4567, Extent{3, 4}, 123, 4567);
  ExpectSize(1, 30000, Extent{0, 0}, 1, 30000);
}

TEST(PictureSize, ExtremeExtentsStayInTheField) {
  // Every combination of extreme extents and sides: a derived side is 1..30000.
  const int32_t extents[] = {INT32_MIN, -29700, -1, 0, 1, 3, 21000, 29700, INT32_MAX};
  const std::optional<int32_t> sides[] = {std::nullopt, 1, 750, 30000};
  for (int32_t x : extents)
    for (int32_t y : extents)
      for (const auto& w : sides)
        for (const auto& h : sides) {
          const PictureSize s = ResolvePictureSize(w, h, Extent{x, y});
          ASSERT_TRUE(s.width >= 1 && s.width <= 30000 && s.height >= 1 && s.height <= 30000)
              << x << " " << y << " -> " << s.width << " x " << s.height;
          EXPECT_EQ(s.width, w.value_or(s.width));
          EXPECT_EQ(s.height, h.value_or(s.height));
        }
}
