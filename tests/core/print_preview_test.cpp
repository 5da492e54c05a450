// The print dialog's preview geometry: the sheet fitted into the box, the
// printable area and the picture placed on it edge by edge.
#include <gtest/gtest.h>

#include "core/print_preview.h"

using core::PageGeometry;
using core::PrintRect;

TEST(PrintPreview, SheetPrintableAreaAndPicture) {
  // The PostScript driver's letter page at 300 dpi: 2550 x 3300 with 50 pixels
  // unprintable on every side.
  const PageGeometry letter{2550, 3300, 50, 50, 2450, 3200};
  const struct {
    const char* what;
    PageGeometry page;
    PrintRect placed;
    int32_t box, margin;
    PrintRect sheet, printable, picture;
  } cases[] = {
      // 182 high: 182 * 2550 / 3300 = 140 wide, centred (21 left over each side) inside the margin of 4;
      // the printable area's edges at 25 + 50 * 140 / 2550 and 25 + 2500 * 140 / 2550, rounded down.
      {"whole printable area", letter, {0, 0, 2450, 3200}, 190, 4, {25, 4, 140, 182}, {27, 6, 135, 177},
       {27, 6, 135, 177}},
      {"top-left quarter", letter, {0, 0, 1225, 1600}, 190, 4, {25, 4, 140, 182}, {27, 6, 135, 177},
       {27, 6, 68, 89}},
      {"a dot keeps a pixel", letter, {1000, 1000, 1, 1}, 190, 4, {25, 4, 140, 182}, {27, 6, 135, 177},
       {82, 61, 1, 1}},
      {"nothing placed", letter, {0, 0, 0, 0}, 190, 4, {25, 4, 140, 182}, {27, 6, 135, 177}, {}},
      // A landscape sheet fills the width instead.
      {"landscape", {3300, 2550, 0, 0, 3300, 2550}, {0, 0, 3300, 2550}, 190, 0, {0, 22, 190, 146},
       {0, 22, 190, 146}, {0, 22, 190, 146}},
      {"no sheet", {0, 0, 0, 0, 0, 0}, {0, 0, 10, 10}, 190, 4, {}, {}, {}},
      {"margins eat the box", letter, {0, 0, 10, 10}, 8, 4, {}, {}, {}},
  };
  for (const auto& c : cases) {
    const core::PagePreview p = core::PreviewPage(c.page, c.placed, c.box, c.box, c.margin);
    EXPECT_EQ(p.page, c.sheet) << c.what;
    EXPECT_EQ(p.printable, c.printable) << c.what;
    EXPECT_EQ(p.picture, c.picture) << c.what;
  }
}

TEST(PrintPreview, NeighboursOnThePageTouchInThePreview) {
  // Two halves of the printable area, split at every column: their preview
  // rectangles never overlap and never leave a gap, at a sheet size far
  // beyond 32-bit products.
  const PageGeometry huge{2000000000, 1500000000, 7, 9, 1999999980, 1499999980};
  for (int32_t split : {1, 999, 1000000000, 1999999979}) {
    const auto left = core::PreviewPage(huge, {0, 0, split, 100000}, 190, 190, 4).picture;
    const auto right = core::PreviewPage(huge, {split, 0, 1999999980 - split, 100000}, 190, 190, 4).picture;
    EXPECT_LE(left.x + left.width, right.x + (left.width == 1 ? 1 : 0)) << split;
    EXPECT_GE(left.x + left.width, right.x) << split;
  }
}
