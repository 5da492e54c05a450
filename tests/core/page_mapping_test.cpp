// Page units to pixels: corners land on the target's corners in either row
// order, strips of one target share one map up to whole rows, bands cover an
// area exactly, and page sizes become HIMETRIC extents or are refused.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "core/page_mapping.h"

using namespace core;

namespace {

struct Point {
  double x, y;
};

Point Apply(const Affine& m, double x, double y) { return {m.a * x + m.c * y + m.e, m.b * x + m.d * y + m.f}; }

}  // namespace

TEST(PageMapping, PageCornersLandOnTargetCorners) {
  struct Case {
    PageBox page;
    PixelRect target;
    int64_t flip;
  };
  const Case cases[] = {
      {{0, 0, 612, 792}, {0, 0, 750, 970}, 0},
      {{0, 0, 612, 792}, {10, -500, 760, 470}, 0},        // a strip 500 rows down
      {{-20, 30, 580, 830}, {5, 7, 605, 807}, 0},         // page box not at the origin
      {{0, 0, 612, 792}, {0, 0, 750, 970}, 970},          // bottom-up grid
      {{0, 0, 612, 792}, {3, -1000, 753, -30}, 500},      // bottom-up strip
      {{0, 0, 100, 50}, {0, 0, 30000, 15000}, 15000},
  };
  for (const Case& c : cases) {
    const Affine m = PageToPixels(c.page, c.target, c.flip);
    const Point tl = Apply(m, c.page.x0, c.page.y0), br = Apply(m, c.page.x1, c.page.y1);
    const double top = c.flip ? double(c.flip - c.target.top) : double(c.target.top);
    const double bottom = c.flip ? double(c.flip - c.target.bottom) : double(c.target.bottom);
    EXPECT_NEAR(tl.x, double(c.target.left), 1e-6);
    EXPECT_NEAR(br.x, double(c.target.right), 1e-6);
    EXPECT_NEAR(tl.y, top, 1e-6);
    EXPECT_NEAR(br.y, bottom, 1e-6);
    EXPECT_EQ(m.b, 0);
    EXPECT_EQ(m.c, 0);
  }
}

TEST(PageMapping, StripsOfOneTargetDifferByWholeRowsOnly) {
  // A picture 1000 rows high drawn whole, and as strips whose grids start at
  // `top`: every page point lands `top` rows apart, in either row order.
  const PageBox page{0, 0, 612, 792};
  const PixelRect whole{0, 0, 800, 1000};
  for (int64_t top : {0, 1, 333, 500, 999}) {
    const PixelRect shifted{whole.left, whole.top - top, whole.right, whole.bottom - top};
    const int64_t rows = 500;
    const Affine one = PageToPixels(page, whole), strip = PageToPixels(page, shifted);
    const Affine oneUp = PageToPixels(page, whole, 1000), stripUp = PageToPixels(page, shifted, rows);
    for (const Point p : {Point{0, 0}, Point{100.25, 700.5}, Point{612, 792}}) {
      EXPECT_DOUBLE_EQ(Apply(strip, p.x, p.y).x, Apply(one, p.x, p.y).x);
      EXPECT_NEAR(Apply(strip, p.x, p.y).y, Apply(one, p.x, p.y).y - double(top), 1e-9);
      // Bottom-up: grid row of the strip = rows - (top-down row - top).
      EXPECT_NEAR(Apply(stripUp, p.x, p.y).y, double(rows) - (Apply(one, p.x, p.y).y - double(top)), 1e-9);
      EXPECT_NEAR(Apply(oneUp, p.x, p.y).y, 1000.0 - Apply(one, p.x, p.y).y, 1e-9);
    }
  }
}

TEST(PageMapping, FlipAndIntersect) {
  EXPECT_EQ(FlipRows({2, 0, 9, 10}, 10).top, 0);
  EXPECT_EQ(FlipRows({2, 0, 9, 10}, 10).bottom, 10);
  const PixelRect f = FlipRows({2, 3, 9, 5}, 10);
  EXPECT_EQ(f.left, 2);
  EXPECT_EQ(f.right, 9);
  EXPECT_EQ(f.top, 5);
  EXPECT_EQ(f.bottom, 7);
  const PixelRect i = Intersect({0, -500, 800, 500}, {0, 0, 800, 120});
  EXPECT_EQ(i.top, 0);
  EXPECT_EQ(i.bottom, 120);
  EXPECT_TRUE(Intersect({0, 0, 10, 10}, {10, 0, 20, 10}).Empty());
  EXPECT_TRUE(Intersect({0, 0, 10, 10}, {0, 20, 10, 30}).Empty());
}

TEST(PageMapping, HimetricFromPoints) {
  struct Case {
    double points;
    int32_t himetric;
  };
  const Case cases[] = {
      {72, 2540},          {612, 21590},  {842, 29704},  {0.01, 1},
      {0, 0},              {-5, 0},       {1e12, 0},     {std::numeric_limits<double>::infinity(), 0},
      {std::numeric_limits<double>::quiet_NaN(), 0},
  };
  for (const Case& c : cases) EXPECT_EQ(HimetricFromPoints(c.points), c.himetric) << c.points;
}

TEST(PageMapping, BandsCoverTheAreaExactly) {
  struct Case {
    PixelRect area;
    int64_t bytesPerPixel, maxBytes;
    size_t bands;
  };
  const Case cases[] = {
      {{0, 0, 100, 100}, 3, 3000, 10},    // ten rows a band
      {{0, 0, 100, 101}, 3, 3000, 11},    // the last band one row
      {{5, -7, 30005, 30000}, 3, 4 << 20, 653},
      {{0, 0, 100000, 3}, 3, 1000, 3},    // a row wider than the limit: one row a band
      {{0, 0, 0, 10}, 3, 1000, 0},
  };
  for (const Case& c : cases) {
    const auto bands = Bands(c.area, c.bytesPerPixel, c.maxBytes);
    ASSERT_EQ(bands.size(), c.bands);
    int64_t next = c.area.top;
    for (const PixelRect& b : bands) {
      EXPECT_EQ(b.top, next);
      EXPECT_EQ(b.left, c.area.left);
      EXPECT_EQ(b.right, c.area.right);
      EXPECT_TRUE((b.bottom - b.top) * (b.right - b.left) * c.bytesPerPixel <= c.maxBytes || b.bottom - b.top == 1);
      next = b.bottom;
    }
    if (!bands.empty()) {
      EXPECT_EQ(next, c.area.bottom);
    }
  }
}
