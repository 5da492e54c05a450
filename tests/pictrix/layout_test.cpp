// Size arithmetic and the memory rule, at their boundaries.
#include <gtest/gtest.h>

#include "pictrix/layout.h"

using pictrix::ComputeLayout;
using pictrix::FitsInMemory;
using pictrix::MemoryFigures;

TEST(Layout, RowsAreDwordAlignedAtEveryDepth) {
  struct Case { int w, bpp, stride; } cases[] = {
      {1, 1, 4},  {32, 1, 4},  {33, 1, 8},  {1, 4, 4},   {8, 4, 4},   {9, 4, 8},  {1, 8, 4},
      {4, 8, 4},  {5, 8, 8},   {1, 24, 4},  {3, 24, 12}, {4, 24, 12}, {5, 24, 16}, {1, 16, 4},
      {3, 16, 8}, {1, 32, 4},  {30000, 24, 90000}, {30001, 24, 90004}};
  for (const Case& c : cases) {
    const auto l = ComputeLayout(c.w, 7, c.bpp);
    ASSERT_TRUE(l) << c.w << "x" << c.bpp;
    EXPECT_EQ(l->bytesPerRow, c.stride) << c.w << "x" << c.bpp;
    EXPECT_EQ(l->sizeImage, static_cast<uint32_t>(c.stride) * 7u);
  }
  EXPECT_EQ(ComputeLayout(1, 1, 1)->tableEntries, 2);
  EXPECT_EQ(ComputeLayout(1, 1, 4)->tableEntries, 16);
  EXPECT_EQ(ComputeLayout(1, 1, 8)->tableEntries, 256);
  EXPECT_EQ(ComputeLayout(1, 1, 24)->tableEntries, 0);
}

TEST(Layout, RefusesEmptySizesUnknownDepthsAndOverflow) {
  EXPECT_FALSE(ComputeLayout(0, 1, 24));
  EXPECT_FALSE(ComputeLayout(1, 0, 24));
  EXPECT_FALSE(ComputeLayout(-5, 10, 24));
  EXPECT_FALSE(ComputeLayout(10, INT32_MIN, 24));
  for (int bpp : {0, 2, 3, 5, 7, 12, 48, -8}) EXPECT_FALSE(ComputeLayout(10, 10, bpp)) << bpp;
  // Row stride beyond a signed 32-bit field.
  EXPECT_FALSE(ComputeLayout(INT32_MAX, 1, 24));
  EXPECT_FALSE(ComputeLayout(715827883, 1, 24));  // 3 bytes each: just past 2^31
  // 90000-byte rows. On 64-bit Windows the limit is biSizeImage's 32 bits
  // (47721 rows fit); a 32-bit process stops at 2 GB, since pointer arithmetic
  // over a larger object is undefined (23860 rows fit).
  const int32_t lastRows = sizeof(size_t) == 4 ? 23860 : 47721;
  EXPECT_TRUE(ComputeLayout(30000, lastRows, 24));
  EXPECT_FALSE(ComputeLayout(30000, lastRows + 1, 24));
  EXPECT_FALSE(ComputeLayout(90000, 360000, 24));  // the largest bordered render
}

TEST(Layout, TableEntriesFollowClrUsedWithinTheDepth) {
  EXPECT_EQ(pictrix::TableEntries(8, 0), 256);
  EXPECT_EQ(pictrix::TableEntries(8, 12), 12);
  EXPECT_EQ(pictrix::TableEntries(4, 300), 16);
  EXPECT_EQ(pictrix::TableEntries(24, 0), 0);
  EXPECT_EQ(pictrix::TableEntries(0, 0), 0);
}

TEST(MemoryRule, KeepsTheMarginFreeOfPhysicalMemoryAndCommit) {
  const uint64_t GiB = uint64_t{1} << 30;
  MemoryFigures m{16 * GiB, 10 * GiB, 12 * GiB, 128 * 1024 * GiB};
  EXPECT_EQ(pictrix::SafetyMargin(m), 2 * GiB);  // an eighth of 16 GiB
  EXPECT_TRUE(FitsInMemory(8 * GiB, m));         // 10 - 2
  EXPECT_FALSE(FitsInMemory(8 * GiB + 1, m));
  m.availPageFile = 5 * GiB;  // commit is the smaller figure now
  EXPECT_TRUE(FitsInMemory(3 * GiB, m));
  EXPECT_FALSE(FitsInMemory(3 * GiB + 1, m));
  // A small machine keeps at least 256 MiB back.
  MemoryFigures small{GiB, 300u << 20, 300u << 20, 2 * GiB};
  EXPECT_EQ(pictrix::SafetyMargin(small), uint64_t{256} << 20);
  EXPECT_TRUE(FitsInMemory(44u << 20, small));
  EXPECT_FALSE(FitsInMemory(45u << 20, small));
  // Nothing available at all, or figures unknown (all zero).
  EXPECT_FALSE(FitsInMemory(1, MemoryFigures{16 * GiB, 1 * GiB, 1 * GiB, 64 * GiB}));
  EXPECT_FALSE(FitsInMemory(1, MemoryFigures{}));
}

TEST(MemoryRule, AddressSpaceOfA32BitProcessLimitsOnItsOwn) {
  const uint64_t GiB = uint64_t{1} << 30;
  const MemoryFigures m{32 * GiB, 20 * GiB, 40 * GiB, 2 * GiB};
  EXPECT_TRUE(FitsInMemory(2 * GiB - pictrix::kAddressSpaceReserve, m));
  EXPECT_FALSE(FitsInMemory(2 * GiB - pictrix::kAddressSpaceReserve + 1, m));
}
