// Where a page of a page document lands in pixels: the affine map from page
// units to a pixel grid, the pixel grid's rows possibly counted upwards (the
// memory of a bottom-up bitmap), and the bands a large area is drawn in. The
// map depends only on the whole target rectangle, never on the part being
// drawn, so a picture drawn in strips matches one drawn in one pass.
#pragma once
#include <cstdint>
#include <vector>

namespace core {

// x' = a x + c y + e, y' = b x + d y + f.
struct Affine {
  double a = 1, b = 0, c = 0, d = 1, e = 0, f = 0;
};

struct PageBox {
  double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
};

// Integer pixel rectangle, right and bottom exclusive.
struct PixelRect {
  int64_t left = 0, top = 0, right = 0, bottom = 0;
  bool Empty() const { return right <= left || bottom <= top; }
};

// Maps `page` onto `target` (top-down pixels). With flipHeight > 0 the result
// is in the rows of a grid of that height counted from its bottom: pixel row
// r there is row flipHeight - 1 - r of the top-down grid.
Affine PageToPixels(const PageBox& page, const PixelRect& target, int64_t flipHeight = 0);

// The same rows of a grid of `flipHeight` rows, counted from the bottom.
PixelRect FlipRows(const PixelRect& area, int64_t flipHeight);

PixelRect Intersect(const PixelRect& a, const PixelRect& b);

// The natural size of a page of `points` (1/72 inch) in HIMETRIC (0.01 mm),
// rounded; 0 for a size that is not positive, not finite, or above what a
// 32-bit extent can hold.
int32_t HimetricFromPoints(double points);

// Splits `area` into bands of whole rows, top first, each at most `maxBytes`
// of `bytesPerPixel` pixels (at least one row each).
std::vector<PixelRect> Bands(const PixelRect& area, int64_t bytesPerPixel, int64_t maxBytes);

}  // namespace core
