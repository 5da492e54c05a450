// The renderer's byte work on pixel rows, without any handle.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "render/renderer/pixel_rows.h"

using namespace render;
using core::FrameGeometry;
using core::PixelBytes;

TEST(RendererPixelRows, FillLeavesRowZeroPaddingAsItWas) {
  // 5 pixels of 3 bytes: 15 bytes and one padding byte per row.
  std::vector<uint8_t> mem(16 * 3, 0xEE);
  FillWithPixel(RowImage{mem.data(), 16, 5, 3}, PixelBytes{1, 2, 3});
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 5; ++x) EXPECT_EQ(mem[16 * y + 3 * x] + 10 * mem[16 * y + 3 * x + 1] + 100 * mem[16 * y + 3 * x + 2], 321);
    EXPECT_EQ(mem[16 * y + 15], 0xEE) << y;  // copied from row 0, never written
  }
}

TEST(RendererPixelRows, PlacementWithAndWithoutFrame) {
  // Target 6 x 5 (stride 20), strip 4 x 2 (stride 12) at left 1, top 1.
  std::vector<uint8_t> target(20 * 5, 0), strip(12 * 2);
  for (size_t i = 0; i < strip.size(); ++i) strip[i] = uint8_t(i + 1);
  const RowImage t{target.data(), 20, 6, 5}, s{strip.data(), 12, 4, 2};
  // Picture rows 1..2 are frame rows 2..3 from the top, memory rows 2..1.
  ASSERT_TRUE(PlaceStrip(s, t, FrameGeometry{6, 5, 1, 1}, true, 1));
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(0, memcmp(&target[20 * (1 + i) + 3], &strip[12 * i], 12)) << i;
    EXPECT_EQ(target[20 * (1 + i) + 2], 0);   // left border untouched
    EXPECT_EQ(target[20 * (1 + i) + 15], 0);  // right border untouched
  }
  EXPECT_EQ(std::count(target.begin(), target.begin() + 20, 0), 20);

  // Without a frame: one block, padding included, at the top.
  std::vector<uint8_t> plain(12 * 4, 0);
  ASSERT_TRUE(PlaceStrip(s, RowImage{plain.data(), 12, 4, 4}, FrameGeometry{4, 4, 0, 0}, false, 0));
  EXPECT_EQ(0, memcmp(&plain[12 * 2], strip.data(), strip.size()));
  EXPECT_EQ(std::count(plain.begin(), plain.begin() + 24, 0), 24);

  // A strip that does not fit where the frame says is refused, nothing copied.
  std::vector<uint8_t> full(12 * 4, 7);
  const RowImage f{full.data(), 12, 4, 4};
  EXPECT_FALSE(PlaceStrip(s, f, FrameGeometry{4, 4, 0, 0}, false, 3));  // past the top
  EXPECT_FALSE(PlaceStrip(s, f, FrameGeometry{4, 4, 1, 0}, true, 0));   // past the right edge
  EXPECT_FALSE(PlaceStrip(RowImage{strip.data(), 8, 4, 2}, f, FrameGeometry{4, 4, 0, 0}, false, 0));
  EXPECT_EQ(std::count(full.begin(), full.end(), 7), int(full.size()));
}
