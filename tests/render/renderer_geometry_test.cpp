// The renderer's arithmetic and byte work, without any handle.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "render/renderer/pixel_rows.h"
#include "render/renderer/render_geometry.h"

using namespace render;

namespace {

RenderSettings Framed(int32_t w, int32_t h, int32_t l, int32_t t, int32_t r, int32_t b) {
  RenderSettings s;
  s.width = w;
  s.height = h;
  s.border = true;
  s.left = l;
  s.top = t;
  s.right = r;
  s.bottom = b;
  return s;
}

}  // namespace

TEST(RendererGeometry, FrameTruncatesEverySide) {
  FrameGeometry f = ComputeFrame(Framed(750, 1000, 5, 5, 5, 5));
  EXPECT_EQ(f.totalWidth, 825);
  EXPECT_EQ(f.totalHeight, 1100);
  EXPECT_EQ(f.leftOffset, 37);  // 37.5, not rounded
  EXPECT_EQ(f.topOffset, 50);
  EXPECT_EQ(f.totalWidth - f.leftOffset - 750, 38);

  f = ComputeFrame(Framed(3, 7, 50, 0, 0, 0));
  EXPECT_EQ(f.leftOffset, 1);
  EXPECT_EQ(f.totalWidth, 4);  // 150 x 3 / 100 = 4.5

  // The sum first, then the product: 1 % + 1 % of 50 rows is one row, not zero.
  f = ComputeFrame(Framed(50, 50, 1, 1, 1, 1));
  EXPECT_EQ(f.totalWidth, 51);
  EXPECT_EQ(f.leftOffset, 0);
}

TEST(RendererGeometry, LargestFramesStayExact) {
  FrameGeometry f = ComputeFrame(Framed(30000, 30000, 100, 100, 100, 1000));
  EXPECT_EQ(f.totalWidth, 90000);
  EXPECT_EQ(f.totalHeight, 360000);
  EXPECT_EQ(f.topOffset, 30000);
  f = ComputeFrame(Framed(777, 999, 100, 100, 0, 1000));
  EXPECT_EQ(f.totalHeight, 11988);  // 12 x H, the picture in rows H .. 2H-1
  EXPECT_EQ(f.topOffset, 999);
  EXPECT_EQ(f.totalWidth, 1554);
}

TEST(RendererGeometry, BorderOffIgnoresPercentages) {
  RenderSettings s = Framed(640, 480, 10, 20, 30, 40);
  s.border = false;
  const FrameGeometry f = ComputeFrame(s);
  EXPECT_EQ(f.totalWidth, 640);
  EXPECT_EQ(f.totalHeight, 480);
  EXPECT_EQ(f.leftOffset, 0);
  EXPECT_EQ(f.topOffset, 0);
}

TEST(RendererGeometry, SettingsOutsideTheFieldsAreClamped) {
  RenderSettings s = Framed(0, 40000, -5, 101, 200, 1001);
  const RenderSettings c = ClampedSettings(s);
  EXPECT_EQ(c.width, 1);
  EXPECT_EQ(c.height, 30000);
  EXPECT_EQ(c.left, 0);
  EXPECT_EQ(c.top, 100);
  EXPECT_EQ(c.right, 100);
  EXPECT_EQ(c.bottom, 1000);
  const RenderSettings same = ClampedSettings(Framed(30000, 1, 100, 0, 0, 1000));
  EXPECT_EQ(same.width, 30000);
  EXPECT_EQ(same.bottom, 1000);
}

TEST(RendererGeometry, StripSequenceAndProgress) {
  struct Case {
    int32_t height;
    std::vector<int32_t> rows, progress;
  };
  const Case cases[] = {
      {500, {500}, {100}},
      {1001, {500, 500, 1}, {49, 99, 100}},
      {1, {1}, {100}},
      {499, {499}, {100}},
      {1500, {500, 500, 500}, {33, 66, 100}},
  };
  for (const Case& c : cases) {
    std::vector<int32_t> rows, progress;
    for (int32_t done = 0; done < c.height;) {
      const int32_t h = StripRows(c.height, done);
      rows.push_back(h);
      progress.push_back(StripProgress(done, h, c.height));
      done += h;
    }
    EXPECT_EQ(rows, c.rows) << c.height;
    EXPECT_EQ(progress, c.progress) << c.height;
  }
  // 28 x 500 + 142: the last strip is short.
  int32_t n = 0, last = 0;
  for (int32_t done = 0; done < 14142; done += last, ++n) last = StripRows(14142, done);
  EXPECT_EQ(n, 29);
  EXPECT_EQ(last, 142);
  EXPECT_EQ(StripProgress(29500, 500, 30000), 100);
}

TEST(RendererGeometry, DibStrideIsRoundedToFourBytes) {
  EXPECT_EQ(DibStride(1, 24), 4);
  EXPECT_EQ(DibStride(999, 24), 3000);
  EXPECT_EQ(DibStride(9999, 24), 30000);
  EXPECT_EQ(DibStride(1000, 24), 3000);
  EXPECT_EQ(DibStride(33000, 24) * 33000, int64_t{3267000000});  // beyond INT32_MAX
  EXPECT_EQ(DibStride(90000, 24) * 360000, int64_t{97200000000});
}

TEST(RendererGeometry, StripRowsLandBottomUpBelowTheTopBorder) {
  const FrameGeometry f{825, 1100, 37, 50};
  // The top picture row is memory row TotalHeight - 1 - TopOffset.
  EXPECT_EQ(TargetRowForStripRow(f, 0, 500, 499), 1049);
  EXPECT_EQ(TargetRowForStripRow(f, 0, 500, 0), 550);
  // The last strip of 1000 rows ends just above the bottom border.
  EXPECT_EQ(TargetRowForStripRow(f, 500, 500, 0), 50);
  const FrameGeometry big{90000, 360000, 30000, 30000};
  EXPECT_EQ(TargetRowForStripRow(big, 29500, 500, 0), 360000 - 30000 - 30000);
}

TEST(RendererGeometry, BorderPixelIsBlueGreenRed) {
  const PixelBytes p = BorderPixel(0x00332211);
  EXPECT_EQ(p.b, 0x33);
  EXPECT_EQ(p.g, 0x22);
  EXPECT_EQ(p.r, 0x11);
  const PixelBytes sys = BorderPixel(0xFF0000FF);  // only the low three bytes count
  EXPECT_EQ(sys.b, 0x00);
  EXPECT_EQ(sys.r, 0xFF);
}

TEST(RendererPixelRows, FillLeavesRowZeroPaddingAsItWas) {
  // 5 pixels of 3 bytes: 15 bytes and one padding byte per row.
  std::vector<uint8_t> mem(16 * 3, 0xEE);
  const RowImage img{mem.data(), 16, 5, 3};
  FillWithPixel(img, PixelBytes{1, 2, 3});
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 5; ++x) {
      EXPECT_EQ(mem[16 * y + 3 * x], 1);
      EXPECT_EQ(mem[16 * y + 3 * x + 1], 2);
      EXPECT_EQ(mem[16 * y + 3 * x + 2], 3);
    }
    EXPECT_EQ(mem[16 * y + 15], 0xEE) << y;  // copied from row 0, never written
  }
}

TEST(RendererPixelRows, PlacementWithAndWithoutFrame) {
  // Target 6 x 5 (stride 20), strip 4 x 2 (stride 12) at left 1, top 1.
  std::vector<uint8_t> target(20 * 5, 0), strip(12 * 2);
  for (size_t i = 0; i < strip.size(); ++i) strip[i] = uint8_t(i + 1);
  const FrameGeometry f{6, 5, 1, 1};
  const RowImage t{target.data(), 20, 6, 5}, s{strip.data(), 12, 4, 2};
  ASSERT_TRUE(PlaceStrip(s, t, f, true, 1));  // picture rows 1..2 -> frame rows 2..3 -> memory rows 2..1
  for (int i = 0; i < 2; ++i) {
    const int row = 1 + i;
    EXPECT_EQ(0, memcmp(&target[20 * row + 3], &strip[12 * i], 12)) << i;
    EXPECT_EQ(target[20 * row + 2], 0);   // left border untouched
    EXPECT_EQ(target[20 * row + 15], 0);  // right border untouched
  }
  EXPECT_EQ(std::count(target.begin(), target.begin() + 20, 0), 20);

  // Without a frame: one block, padding included.
  std::vector<uint8_t> plain(12 * 4, 0);
  const RowImage p{plain.data(), 12, 4, 4};
  ASSERT_TRUE(PlaceStrip(s, p, FrameGeometry{4, 4, 0, 0}, false, 0));
  EXPECT_EQ(0, memcmp(&plain[12 * 2], strip.data(), strip.size()));
  EXPECT_EQ(std::count(plain.begin(), plain.begin() + 24, 0), 24);
}

TEST(RendererPixelRows, StripThatDoesNotFitIsRefusedUntouched) {
  std::vector<uint8_t> target(12 * 4, 7), strip(12 * 2, 1);
  const RowImage t{target.data(), 12, 4, 4}, s{strip.data(), 12, 4, 2};
  EXPECT_FALSE(PlaceStrip(s, t, FrameGeometry{4, 4, 0, 0}, false, 3));   // past the top
  EXPECT_FALSE(PlaceStrip(s, t, FrameGeometry{4, 4, 1, 0}, true, 0));    // past the right edge
  EXPECT_FALSE(PlaceStrip(RowImage{strip.data(), 8, 4, 2}, t, FrameGeometry{4, 4, 0, 0}, false, 0));
  EXPECT_FALSE(PlaceStrip(RowImage{nullptr, 12, 4, 2}, t, FrameGeometry{4, 4, 0, 0}, false, 0));
  EXPECT_EQ(std::count(target.begin(), target.end(), 7), int(target.size()));
}
