// Where a picture lands on the printed page for each combination of the print
// dialog's options.
#include "core/print_layout.h"

#include <gtest/gtest.h>

#include <string>

using core::PrintOptions;
using core::PrintRect;

namespace {

PrintOptions Options(bool fully, int32_t w, int32_t h, bool aspect, bool centred) {
  PrintOptions o;
  o.useFully = fully;
  o.widthPercent = w;
  o.heightPercent = h;
  o.keepAspect = aspect;
  o.centered = centred;
  return o;
}

}  // namespace

// A landscape picture of 3000 x 2000 on a portrait printable area of
// 4800 x 6800 (A4 at 600 dpi less the margins).
TEST(PrintLayout, EachCombinationOfTheOptions) {
  struct Case {
    const char* name;
    PrintOptions options;
    PrintRect expected;
  } const cases[] = {
      {"fully, aspect, centred", Options(true, 50, 50, true, true), {0, 1800, 4800, 3200}},
      {"fully, aspect, top-left", Options(true, 50, 50, true, false), {0, 0, 4800, 3200}},
      {"fully, stretched", Options(true, 50, 50, false, true), {0, 0, 4800, 6800}},
      {"50 x 30, stretched, centred", Options(false, 50, 30, false, true), {1200, 2380, 2400, 2040}},
      {"50 x 30, stretched, top-left", Options(false, 50, 30, false, false), {0, 0, 2400, 2040}},
      // The box is 2400 x 2040; the picture's shape fits it 2400 wide.
      {"50 x 30, aspect, centred", Options(false, 50, 30, true, true), {1200, 2600, 2400, 1600}},
      {"50 x 30, aspect, top-left", Options(false, 50, 30, true, false), {0, 0, 2400, 1600}},
      // Percentages outside 1..100 are taken as their nearest bound.
      {"0 and 250 percent", Options(false, 0, 250, false, false), {0, 0, 48, 6800}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(core::PlaceOnPage(3000, 2000, 4800, 6800, c.options), c.expected);
  }
}

// The picture always lies inside the printable area, however extreme the
// sizes, and nothing is placed for an empty picture or page.
TEST(PrintLayout, ExtremeAndEmptySizes) {
  const int32_t sides[] = {1, 2, 7, 500, 30000, 90000, 2147483647};
  for (int32_t pw : sides)
    for (int32_t ph : sides)
      for (bool fully : {true, false})
        for (bool aspect : {true, false}) {
          const PrintRect r = core::PlaceOnPage(pw, ph, 4961, 7016, Options(fully, 100, 1, aspect, true));
          SCOPED_TRACE(std::to_string(pw) + " x " + std::to_string(ph));
          EXPECT_GE(r.x, 0);
          EXPECT_GE(r.y, 0);
          EXPECT_LE(int64_t{r.x} + r.width, 4961);
          EXPECT_LE(int64_t{r.y} + r.height, 7016);
          EXPECT_GE(r.width, 0);
          EXPECT_GE(r.height, 0);
        }
  const int32_t empty[][4] = {{0, 10, 100, 100}, {10, -1, 100, 100}, {10, 10, 0, 100}, {10, 10, 100, -5}};
  for (const auto& e : empty)
    EXPECT_EQ(core::PlaceOnPage(e[0], e[1], e[2], e[3], Options(true, 50, 50, true, true)), PrintRect{});
}

// With the aspect kept, the other percentage follows the edited one so that the
// picture keeps its shape on the page.
TEST(PrintLayout, TheOtherPercentageFollows) {
  // 3000 x 2000 picture on 4800 x 6800: width 50 % = 2400 dots, so 1600 high,
  // 23.53 % of 6800.
  EXPECT_EQ(core::FollowingPercent(50, true, 3000, 2000, 4800, 6800), 24);
  // Height 30 % = 2040 dots, so 3060 wide, 63.75 % of 4800.
  EXPECT_EQ(core::FollowingPercent(30, false, 3000, 2000, 4800, 6800), 64);
  // A wide picture asked to be half the page high would need more than the page is wide.
  EXPECT_EQ(core::FollowingPercent(50, false, 3000, 1000, 4800, 6800), 100);
  EXPECT_EQ(core::FollowingPercent(1, true, 3000, 2000, 4800, 6800), 1);
  // The edited value is clamped first; an empty picture leaves it as it is.
  EXPECT_EQ(core::FollowingPercent(400, true, 100, 100, 100, 100), 100);
  EXPECT_EQ(core::FollowingPercent(40, true, 0, 100, 100, 100), 40);
  // Sizes whose product passes 64 bits still give a percentage.
  EXPECT_EQ(core::FollowingPercent(100, true, 2147483647, 2147483647, 2147483647, 2147483647), 100);
}
