#include "core/size_math.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace {

constexpr uint64_t kMax = std::numeric_limits<uint64_t>::max();

TEST(SizeMath, ProductsAndSumsAreExactOrRefused) {
  struct Case {
    uint64_t a, b, c;
    std::optional<uint64_t> product3;
  } cases[] = {
      {0, kMax, kMax, 0},
      {30000, 30000, 3, 2700000000ull},                // past 2 GB: wraps a 32-bit int
      {60000, 60000, 3, 10800000000ull},               // past 4 GB: wraps a 32-bit size_t
      {1ull << 32, 1ull << 31, 2, std::nullopt},       // exactly 2^64
      {(1ull << 32) - 1, (1ull << 32) + 1, 1, kMax},  // the largest product there is
  };
  for (const auto& c : cases) {
    EXPECT_EQ(core::CheckedMul(c.a, c.b, c.c), c.product3) << c.a << " " << c.b << " " << c.c;
  }
  EXPECT_EQ(core::CheckedAdd(kMax - 1, 1), kMax);
  EXPECT_EQ(core::CheckedAdd(kMax, 1), std::nullopt);
}

TEST(SizeMath, SizesPastTheTargetsAddressSpaceDoNotFitSizeT) {
  EXPECT_EQ(core::ToSize(0xFFFFFFFFull), size_t{0xFFFFFFFFu});
  if (sizeof(size_t) == 4)
    EXPECT_EQ(core::ToSize(0x100000000ull), std::nullopt);
  else
    EXPECT_EQ(core::ToSize(0x100000000ull), size_t(0x100000000ull));
}

}  // namespace
