// The picture size of a batch render follows the size band's lock.
#include <gtest/gtest.h>

#include "app/cli/picture_size.h"

using cli::ResolvePictureSize;

namespace {

void ExpectSize(std::optional<int32_t> w, std::optional<int32_t> h, POINT extent, int32_t ew, int32_t eh) {
  const cli::PictureSize s = ResolvePictureSize(w, h, extent);
  EXPECT_EQ(s.width, ew) << "extent " << extent.x << "x" << extent.y;
  EXPECT_EQ(s.height, eh) << "extent " << extent.x << "x" << extent.y;
}

}  // namespace

TEST(PictureSize, OneSideDerivesTheOtherTruncated) {
  const POINT e{3, 4};
  ExpectSize(750, std::nullopt, e, 750, 1000);
  ExpectSize(751, std::nullopt, e, 751, 1001);   // 1001.33
  ExpectSize(std::nullopt, 1001, e, 750, 1001);  // 750.75
  ExpectSize(std::nullopt, std::nullopt, e, 750, 1000);
  ExpectSize(1, std::nullopt, POINT{21000, 29700}, 1, 1);
  ExpectSize(400, std::nullopt, POINT{21000, 29700}, 400, 565);  // 565.7
}

TEST(PictureSize, DerivedSideIsClampedToTheField) {
  ExpectSize(30000, std::nullopt, POINT{1, 2}, 30000, 30000);
  ExpectSize(std::nullopt, 30000, POINT{2, 1}, 30000, 30000);
  ExpectSize(5, std::nullopt, POINT{5, 0}, 5, 1);        // 0 becomes the minimum
  ExpectSize(std::nullopt, 7, POINT{0, 5}, 1, 7);
  // The 64-bit product: 30000 x 2000000000 does not wrap.
  ExpectSize(30000, std::nullopt, POINT{2000000000, 2000000000}, 30000, 30000);
  ExpectSize(30000, std::nullopt, POINT{2000000000, 1}, 30000, 1);
}

TEST(PictureSize, ZeroExtentLeavesTheDefaults) {
  ExpectSize(600, std::nullopt, POINT{0, 0}, 600, 1000);
  ExpectSize(std::nullopt, 600, POINT{0, 0}, 750, 600);
  ExpectSize(std::nullopt, std::nullopt, POINT{0, 0}, 750, 1000);
  ExpectSize(std::nullopt, 600, POINT{5, 0}, 750, 600);  // no height to divide by
  ExpectSize(600, std::nullopt, POINT{0, 5}, 600, 1000);
}

TEST(PictureSize, BothGivenAreTakenAsGiven) {
  ExpectSize(123, 4567, POINT{3, 4}, 123, 4567);
  ExpectSize(1, 30000, POINT{0, 0}, 1, 30000);
}
