// A picture sent to a printer in bands: how many rows a band holds and where
// each band lands, so that the bands cover the destination exactly once.
#include "core/print_bands.h"

#include <gtest/gtest.h>

#include <vector>

using core::PrintBand;

TEST(PrintBands, RowsOfABand) {
  struct Case {
    int64_t bytesPerRow;
    int32_t height;
    int64_t maxBytes;
    int32_t expected;
  } const cases[] = {
      {3000, 10000, 4'000'000, 1333},   // whole rows only
      {3000, 100, 4'000'000, 100},      // never more than the picture
      {90'000, 5000, 4'000'000, 44},    // a 30000 pixel wide row
      {8'000'000, 50, 4'000'000, 1},    // a row larger than the limit still goes, alone
      {3000, 0, 4'000'000, 0},          // an empty picture has no bands
      // A 32-bit size_t would wrap this product; the band is still 1 row.
      {int64_t{1} << 33, 7, 4'000'000, 1},
  };
  for (const Case& c : cases)
    EXPECT_EQ(core::PrintBandRows(c.bytesPerRow, c.height, c.maxBytes), c.expected)
        << c.bytesPerRow << " bytes a row, " << c.height << " rows";
}

TEST(PrintBands, BandsWhereTheyLand) {
  struct Case {
    const char* name;
    int32_t srcHeight, destHeight, rowsPerBand;
    std::vector<PrintBand> expected;
  } const cases[] = {
      {"enlarged 4 times", 10, 40, 4, {{0, 4, 0, 16}, {4, 4, 16, 16}, {8, 2, 32, 8}}},
      // 10 -> 25: row 4 starts at floor(4 * 2.5) = 10, row 8 at 20.
      {"enlarged 2.5 times", 10, 25, 4, {{0, 4, 0, 10}, {4, 4, 10, 10}, {8, 2, 20, 5}}},
      // 7 -> 3: rows 0..2 start at 0, 0, 0; 3 at 1 (floor 9/7); 6 at 2.
      {"shrunk", 7, 3, 3, {{0, 3, 0, 1}, {3, 3, 1, 1}, {6, 1, 2, 1}}},
      // A band that covers no destination row is left out, the next one
      // starts where the last drawn one ended.
      {"shrunk past a band", 10, 2, 2, {{4, 2, 0, 1}, {8, 2, 1, 1}}},
      {"one band", 5, 9, 100, {{0, 5, 0, 9}}},
      {"empty source", 0, 9, 4, {}},
      {"empty destination", 5, 0, 4, {}},
      {"no rows a band", 5, 9, 0, {}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(core::PrintBands(c.srcHeight, c.destHeight, c.rowsPerBand), c.expected) << c.name;
  }
}

// Large sizes: the bands cover every destination row exactly once, in order,
// where 32-bit products would have wrapped.
TEST(PrintBands, LargeSizesAbutExactly) {
  struct Case {
    int32_t srcHeight, destHeight, rowsPerBand;
  } const cases[] = {{30000, 99999, 44}, {30000, 7001, 1333}, {1'000'000, 2'000'000'000, 777}, {12345, 12345, 1}};
  for (const Case& c : cases) {
    const std::vector<PrintBand> bands = core::PrintBands(c.srcHeight, c.destHeight, c.rowsPerBand);
    ASSERT_FALSE(bands.empty());
    int32_t nextDest = 0;
    for (const PrintBand& b : bands) {
      ASSERT_EQ(b.destTop, nextDest) << c.srcHeight << " -> " << c.destHeight << " at source row " << b.srcTop;
      ASSERT_GT(b.destRows, 0);
      nextDest = b.destTop + b.destRows;
    }
    EXPECT_EQ(nextDest, c.destHeight);
    EXPECT_EQ(bands.back().srcTop + bands.back().srcRows, c.srcHeight);
  }
}
