// The renderer's size arithmetic: frame, strips, progress, strides and where
// strip rows land. Cases include sizes whose products wrap in 32 bits, so the
// 32-bit run proves the 64-bit arithmetic.
#include <gtest/gtest.h>

#include <algorithm>

#include <vector>

#include "core/render_geometry.h"

using namespace core;

TEST(RenderGeometry, FrameSidesTruncate) {
  struct Case {
    int32_t w, h, l, t, r, b;
    FrameGeometry expected;
  };
  const Case cases[] = {
      {750, 1000, 5, 5, 5, 5, {825, 1100, 37, 50}},  // 37.5 and 82.5 truncated
      {3, 7, 50, 0, 0, 0, {4, 7, 1, 0}},
      {50, 50, 1, 1, 1, 1, {51, 51, 0, 0}},           // the sum first: 102 % of 50
      {777, 999, 100, 100, 0, 1000, {1554, 11988, 777, 999}},
      {30000, 30000, 100, 100, 100, 1000, {90000, 360000, 30000, 30000}},
  };
  for (const Case& c : cases) {
    const FrameGeometry f = ComputeFrame(RenderSettings{c.w, c.h, true, c.l, c.r, c.t, c.b});
    EXPECT_EQ(f.totalWidth, c.expected.totalWidth) << c.w << "x" << c.h;
    EXPECT_EQ(f.totalHeight, c.expected.totalHeight) << c.w << "x" << c.h;
    EXPECT_EQ(f.leftOffset, c.expected.leftOffset) << c.w << "x" << c.h;
    EXPECT_EQ(f.topOffset, c.expected.topOffset) << c.w << "x" << c.h;
  }
  const FrameGeometry off = ComputeFrame(RenderSettings{640, 480, false, 10, 20, 30, 40});
  EXPECT_TRUE(off.totalWidth == 640 && off.totalHeight == 480 && off.leftOffset == 0 && off.topOffset == 0);
}

TEST(RenderGeometry, SettingsOutsideTheFieldsAreClamped) {
  const RenderSettings c = ClampedSettings(RenderSettings{0, 40000, true, -5, 200, 101, 1001});
  EXPECT_EQ(c.width, 1);
  EXPECT_EQ(c.height, 30000);
  EXPECT_EQ(c.left, 0);
  EXPECT_EQ(c.right, 100);
  EXPECT_EQ(c.top, 100);
  EXPECT_EQ(c.bottom, 1000);
}

TEST(RenderGeometry, StripSequenceAndProgress) {
  struct Case {
    int32_t height;
    std::vector<int32_t> rows, progress;
  };
  const Case cases[] = {
      {500, {500}, {100}},
      {1001, {500, 500, 1}, {49, 99, 100}},
      {1, {1}, {100}},
      {1500, {500, 500, 500}, {33, 66, 100}},
  };
  for (const Case& c : cases) {
    std::vector<int32_t> rows, progress;
    for (int32_t done = 0; done < c.height; done += rows.back()) {
      rows.push_back(StripRows(c.height, done));
      progress.push_back(StripProgress(done, rows.back(), c.height));
    }
    EXPECT_EQ(rows, c.rows) << c.height;
    EXPECT_EQ(progress, c.progress) << c.height;
  }
}

// A file stored bottom row first gets the same strips in the opposite order.
TEST(RenderGeometry, StripSequenceFromEitherEnd) {
  const struct {
    int32_t height;
    std::vector<std::pair<int32_t, int32_t>> topFirst;
  } cases[] = {
      {1, {{0, 1}}},
      {500, {{0, 500}}},
      {1001, {{0, 500}, {500, 500}, {1000, 1}}},
      {1500, {{0, 500}, {500, 500}, {1000, 500}}},
      {0, {}},
  };
  for (const auto& c : cases) {
    std::vector<std::pair<int32_t, int32_t>> down, up;
    for (const StripSpan& s : StripSequence(c.height, false)) down.emplace_back(s.top, s.rows);
    for (const StripSpan& s : StripSequence(c.height, true)) up.emplace_back(s.top, s.rows);
    EXPECT_EQ(down, c.topFirst) << c.height;
    std::reverse(up.begin(), up.end());
    EXPECT_EQ(up, c.topFirst) << c.height;
  }
  EXPECT_EQ(StripSequence(kMaxSide * 12, true).size(), 720u);
}

TEST(RenderGeometry, StridesOfWideRowsAndBitDepths) {
  const struct { int32_t width, bits; int64_t stride; } cases[] = {
      {1, 24, 4},          {3, 24, 12},           {5, 24, 16},
      {750, 24, 2252},     {1, 1, 4},             {33, 1, 8},
      {60000, 24, 180000}, {90000, 24, 270000},   {2147483647, 24, 6442450944},  // width x bits past 2^32
      {2147483647, 32, 8589934588},
  };
  for (const auto& c : cases) EXPECT_EQ(DibStride(c.width, c.bits), c.stride) << c.width << " x " << c.bits;
  // A whole 30000 x 30000 picture with the largest frame: 90000 x 360000 pixels.
  const FrameGeometry f = ComputeFrame(RenderSettings{30000, 30000, true, 100, 100, 100, 1000});
  EXPECT_EQ(DibStride(f.totalWidth, 24) * f.totalHeight, INT64_C(97200000000));
}

TEST(RenderGeometry, ProgressOfTallPicturesReachesExactlyOneHundred) {
  // Every strip of a 30000-row picture: progress never falls and ends at 100.
  int32_t last = 0, strips = 0;
  for (int32_t done = 0; done < kMaxSide; ++strips) {
    const int32_t rows = StripRows(kMaxSide, done);
    const int32_t p = StripProgress(done, rows, kMaxSide);
    EXPECT_GE(p, last);
    EXPECT_EQ(p, (done + rows) / 300);  // 300 rows per percent
    last = p;
    done += rows;
  }
  EXPECT_EQ(last, 100);
  EXPECT_EQ(strips, 60);
  // Row counts near the 32-bit limit: the sum and the product stay exact.
  EXPECT_EQ(StripProgress(2147483647 - 500, 500, 2147483647), 100);
  EXPECT_EQ(StripProgress(1073741823, 1, 2147483647), 50);
  EXPECT_EQ(StripProgress(5, 5, 0), 0);
}

TEST(RenderGeometry, StripRowsLandBottomUpInsideTheFrame) {
  // 10 rows tall with a frame of 2 above and 3 below: 15 target rows.
  const FrameGeometry f{8, 15, 1, 2};
  // The first strip (rows 0..3 of the picture) holds target rows 2..5 from the
  // top, which are memory rows 12..9; strip memory row 0 is its bottom row.
  EXPECT_EQ(TargetRowForStripRow(f, 0, 4, 0), 9);
  EXPECT_EQ(TargetRowForStripRow(f, 0, 4, 3), 12);
  // The last strip's bottom row is the picture's bottom row: memory row 3.
  EXPECT_EQ(TargetRowForStripRow(f, 8, 2, 0), 3);
  // The tallest frame: the first strip's top row is memory row 359999 - 30000.
  const FrameGeometry tall = ComputeFrame(RenderSettings{30000, 30000, true, 100, 100, 100, 1000});
  EXPECT_EQ(TargetRowForStripRow(tall, 0, kStripRows, kStripRows - 1), 359999 - 30000);
}

TEST(RenderGeometry, BorderColourBecomesBlueGreenRedBytes) {
  const PixelBytes p = BorderPixel(0x00332211);
  EXPECT_EQ(p.b, 0x33);
  EXPECT_EQ(p.g, 0x22);
  EXPECT_EQ(p.r, 0x11);
  const PixelBytes high = BorderPixel(0xFF000000);  // a stray high byte is no colour
  EXPECT_EQ(high.b + high.g + high.r, 0);
}
