// The display routine's arithmetic, checked directly and, where a brute-force
// answer is independent of the formula, exhaustively over small ranges.
#include <gtest/gtest.h>

#include "core/draw_geometry.h"

using namespace core;

TEST(RoundHalfEven, RoundsHalvesToTheEvenNeighbour) {
  const struct { int64_t num, den, expected; } cases[] = {
      {1, 2, 0},   {3, 2, 2},   {5, 2, 2},   {7, 2, 4},  {-1, 2, 0}, {-3, 2, -2}, {-5, 2, -2},
      {1, 3, 0},   {2, 3, 1},   {-2, 3, -1}, {5, -2, -2}, {-7, -2, 4}, {10, 5, 2}, {0, 7, 0},
      {5000000001, 2, 2500000000}, {-7, 1, -7},
      // A remainder past 2^62: doubling it would overflow.
      {-1, INT64_C(9000000000000000000), 0}, {INT64_C(4500000000000000001), INT64_C(9000000000000000000), 1}};
  for (const auto& c : cases) EXPECT_EQ(RoundHalfEven(c.num, c.den), c.expected) << c.num << "/" << c.den;
  EXPECT_EQ(ScaleRound(INT64_C(3037000500), INT64_C(3037000500), INT64_C(3037000500)), INT64_C(3037000500));
  EXPECT_EQ(ScaleRound(50000, 50000, 3), 833333333);  // beyond 2^31 on the way
}

TEST(ClipToImage, RightEdgeNarrowsTheDestinationInProportion) {
  // 10-pixel image, source 6..13 drawn 2:1 into 16 pixels: 4 of 8 remain.
  const DrawRect r = ClipToImage({100, 50, 16, 20, 6, 0, 8, 10}, 10, 10);
  EXPECT_EQ(r, (DrawRect{100, 50, 8, 20, 6, 0, 4, 10}));
  // 3 of 4 columns into 10: 7.5 rounds to 8, 2.5 to 2.
  EXPECT_EQ(ClipToImage({0, 0, 10, 5, 7, 0, 4, 5}, 10, 5).destWidth, 8);
  EXPECT_EQ(ClipToImage({0, 0, 5, 5, 9, 0, 2, 5}, 10, 5).destWidth, 2);
}

TEST(ClipToImage, LeftEdgeAlsoMovesTheDestinationRight) {
  const DrawRect r = ClipToImage({100, 0, 30, 10, -5, 0, 15, 10}, 40, 10);
  EXPECT_EQ(r, (DrawRect{110, 0, 20, 10, 0, 0, 10, 10}));
}

TEST(ClipToImage, BottomEdgeShortensAndTopEdgeMovesDown) {
  // srcY counts up from the bottom; -3 cuts three rows below the image.
  EXPECT_EQ(ClipToImage({0, 0, 10, 20, 0, -3, 10, 10}, 10, 10), (DrawRect{0, 0, 10, 14, 0, 0, 10, 7}));
  // Rows 6..11 of an 8-row image: the top 4 rows of 6 are cut, 2 remain.
  EXPECT_EQ(ClipToImage({0, 100, 10, 12, 0, 6, 10, 6}, 10, 8), (DrawRect{0, 108, 10, 4, 0, 6, 10, 2}));
}

TEST(ClipToImage, EdgesRunInOrderOnTheValuesBeforeThem) {
  // Source larger than the image on all four sides.
  const DrawRect r = ClipToImage({0, 0, 40, 40, -10, -10, 40, 40}, 20, 20);
  // Right: 40*30/40 = 30 wide, src width 30. Bottom: 30*40/40 = 30 high, src 30.
  // Top: k = round(30*20/30) = 20, y moves 10. Left: k = round(20*30/30) = 20, x moves 10.
  EXPECT_EQ(r, (DrawRect{10, 10, 20, 20, 0, 0, 20, 20}));
  // Inside the image nothing changes.
  const DrawRect inside{3, 4, 7, 9, 1, 2, 5, 6};
  EXPECT_EQ(ClipToImage(inside, 20, 20), inside);
}

TEST(ClipToImage, LeavesTheSourceInsideTheImageWhenTheyOverlap) {
  for (int sx = -6; sx <= 6; ++sx)
    for (int sw = 1; sw <= 12; ++sw)
      for (int sy = -6; sy <= 6; ++sy)
        for (int sh = 1; sh <= 12; sh += 3) {
          if (sx + sw <= 0 || sx >= 6 || sy + sh <= 0 || sy >= 5) continue;  // no overlap
          const DrawRect r = ClipToImage({0, 0, 2 * sw, 3 * sh, sx, sy, sw, sh}, 6, 5);
          ASSERT_GE(r.srcX, 0);
          ASSERT_LE(r.srcX + r.srcWidth, 6);
          ASSERT_GE(r.srcY, 0);
          ASSERT_LE(r.srcY + r.srcHeight, 5);
          ASSERT_GT(r.srcWidth, 0);
          ASSERT_GT(r.srcHeight, 0);
          // Whole-number scales stay exact, and the destination stays where the
          // uncut source rectangle would have put the visible part.
          ASSERT_EQ(r.destWidth, 2 * r.srcWidth);
          ASSERT_EQ(r.destHeight, 3 * r.srcHeight);
          ASSERT_EQ(r.destX, 2 * (r.srcX - sx));
          ASSERT_EQ(r.destY, 3 * ((sy + sh) - (r.srcY + r.srcHeight)));
        }
}

TEST(ClipToImage, KeepsExactProductsForPicturesBeyond46341Pixels) {
  const DrawRect r = ClipToImage({0, 0, 90000, 2, 10000, 0, 90000, 2}, 90000, 2);
  EXPECT_EQ(r.destWidth, 80000);
  EXPECT_TRUE(FitsGdi(r));
  EXPECT_FALSE(FitsGdi(DrawRect{0, 0, INT64_C(1) << 31, 1, 0, 0, 1, 1}));
}

TEST(ChooseWay, FollowsDepthScreenAndDevice) {
  for (int bits : {1, 4, 8, 16, 24, 32})
    for (int screen : {4, 8, 16, 24, 32})
      for (bool halftone : {false, true})
        for (bool printer : {false, true}) {
          Way expected = Way::DeviceStretch;
          if (bits == 24 && screen <= 8 && halftone) expected = Way::Halftone;
          else if (bits == 24 && !printer) expected = Way::Rows24;
          else if (bits == 8 && !printer) expected = Way::Rows8;
          ASSERT_EQ(ChooseWay(bits, screen, halftone, printer), expected)
              << bits << " " << screen << " " << halftone << " " << printer;
        }
}

TEST(ColumnMap, MapsEachDestinationColumnToItsSourceBytes) {
  const ColumnMap same = BuildColumnMap(0, 4, 4, 4, 3);
  EXPECT_EQ(same.offsets, (std::vector<int64_t>{0, 3, 6, 9}));
  EXPECT_EQ(same.first, 0);
  EXPECT_EQ(same.last, 3);
  const ColumnMap twice = BuildColumnMap(1, 3, 6, 4, 1);
  EXPECT_EQ(twice.offsets, (std::vector<int64_t>{1, 1, 2, 2, 3, 3}));
  // Columns left and right of a 3-pixel image.
  const ColumnMap outside = BuildColumnMap(-2, 7, 7, 3, 3);
  EXPECT_EQ(outside.first, 2);
  EXPECT_EQ(outside.last, 4);
  const ColumnMap none = BuildColumnMap(5, 2, 2, 3, 3);
  EXPECT_GT(none.first, none.last);
  // 50000 wide at 1:1: SrcWidth * i passes 2^31 from i = 42950 on.
  const ColumnMap wide = BuildColumnMap(0, 50000, 50000, 50000, 3);
  EXPECT_EQ(wide.offsets[49999], 3 * 49999);
  EXPECT_EQ(wide.last, 49999);
}

TEST(RowMapping, SourceRowsAndEndpointMapping) {
  EXPECT_EQ(SourceRowFromTop(10, 3, 6, 0), 10);
  EXPECT_EQ(SourceRowFromTop(10, 3, 6, 5), 12);
  EXPECT_EQ(SourceRowFromTop(0, 100000, 100000, 99999), 99999);
  EXPECT_EQ(EndpointIndex(2, 4, 7, 0), 2);
  EXPECT_EQ(EndpointIndex(2, 4, 7, 6), 5);
  EXPECT_EQ(EndpointIndex(2, 4, 7, 3), 3);
  EXPECT_EQ(EndpointIndex(2, 4, 1, 0), 2);  // one pixel: the first source pixel
  EXPECT_EQ(EndpointIndex(0, 60000, 60000, 59999), 59999);
}

TEST(VisibleRange, MatchesAMembershipTestForEveryPlacement) {
  for (int start = -5; start <= 5; ++start)
    for (int count = 0; count <= 6; ++count)
      for (int c0 = -3; c0 <= 8; ++c0)
        for (int c1 = c0 - 1; c1 <= 9; ++c1) {
          int64_t first = -1, last = -1;
          for (int i = 0; i < count; ++i)
            if (start + i >= c0 && start + i < c1) {
              if (first < 0) first = i;
              last = i;
            }
          const IndexRange r = VisibleRange(start, count, c0, c1);
          if (first < 0) {
            ASSERT_TRUE(r.empty()) << start << " " << count << " " << c0 << " " << c1;
          } else {
            ASSERT_EQ(r.begin, first);
            ASSERT_EQ(r.end, last + 1);
          }
        }
}
