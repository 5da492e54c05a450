// Resampling of decoded images: any part of an axis maps like the same part of
// the whole, reduction averages, transparency blends over white paper.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/image_scaler.h"

using core::MapAxis;

TEST(ImageScaler, AnyPartOfAnAxisMapsLikeTheSamePartOfTheWhole) {
  for (int64_t source : {1, 3, 7, 320}) {
    for (int64_t dest : {1, 2, 5, 13, 320, 641, 1000}) {
      const auto whole = MapAxis(source, dest, 0, dest);
      ASSERT_EQ(int64_t(whole.size()), dest);
      for (int64_t from = 0; from < dest; from += 1 + dest / 7) {
        const int64_t to = std::min(dest, from + 1 + dest / 3);
        const auto part = MapAxis(source, dest, from, to);
        ASSERT_EQ(int64_t(part.size()), to - from);
        for (int64_t i = 0; i < to - from; ++i) {
          EXPECT_EQ(part[i].first, whole[from + i].first);
          EXPECT_EQ(part[i].count, whole[from + i].count);
        }
      }
      // Reducing covers every source pixel exactly once; enlarging only picks
      // source pixels in order and inside the image.
      int64_t next = 0;
      for (const auto& s : whole) {
        ASSERT_GE(s.first, 0);
        ASSERT_LE(s.first + s.count, source);
        if (dest < source) {
          EXPECT_EQ(s.first, next);
          next = s.first + s.count;
        } else {
          EXPECT_EQ(s.count, 1);
          EXPECT_GE(s.first, next);
          next = s.first;
        }
      }
      if (dest < source) {
        EXPECT_EQ(next, source);
      }
    }
  }
}

TEST(ImageScaler, ReductionAveragesAndTransparencyBlendsOverWhite) {
  core::ImagePixels src{2, 2, {0x000A0000, 0x00140000, 0x001E0000, 0x00290000}};
  uint32_t out = 0;
  core::ScaleBlock(src, MapAxis(2, 1, 0, 1), MapAxis(2, 1, 0, 1), &out);
  EXPECT_EQ(out, 0x00190000u);  // (10 + 20 + 30 + 41) / 4 = 25.25 -> 25
  uint32_t px[] = {0x00000000, 0xFF123456, 0x80000000};
  core::CompositeOverWhite(px, 3);
  EXPECT_EQ(px[0], 0x00FFFFFFu);
  EXPECT_EQ(px[1], 0x00123456u);
  EXPECT_EQ(px[2], 0x007F7F7Fu);
}
