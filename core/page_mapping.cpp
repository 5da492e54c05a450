#include "core/page_mapping.h"

#include <algorithm>
#include <cmath>

namespace core {

Affine PageToPixels(const PageBox& page, const PixelRect& target, int64_t flipHeight) {
  const double sx = double(target.right - target.left) / (page.x1 - page.x0);
  const double sy = double(target.bottom - target.top) / (page.y1 - page.y0);
  Affine m;
  m.a = sx;
  m.e = double(target.left) - page.x0 * sx;
  m.d = sy;
  m.f = double(target.top) - page.y0 * sy;
  if (flipHeight > 0) {
    m.d = -m.d;
    m.f = double(flipHeight) - m.f;
  }
  return m;
}

PixelRect FlipRows(const PixelRect& area, int64_t flipHeight) {
  return {area.left, flipHeight - area.bottom, area.right, flipHeight - area.top};
}

PixelRect Intersect(const PixelRect& a, const PixelRect& b) {
  PixelRect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
              std::min(a.bottom, b.bottom)};
  if (r.Empty()) r = {};
  return r;
}

int32_t HimetricFromPoints(double points) {
  if (!std::isfinite(points) || points <= 0) return 0;
  const double himetric = std::round(points * 2540.0 / 72.0);
  if (himetric < 1) return 1;
  if (himetric > 2147483647.0) return 0;
  return static_cast<int32_t>(himetric);
}

std::vector<PixelRect> Bands(const PixelRect& area, int64_t bytesPerPixel, int64_t maxBytes) {
  std::vector<PixelRect> bands;
  if (area.Empty()) return bands;
  const int64_t rowBytes = (area.right - area.left) * std::max<int64_t>(1, bytesPerPixel);
  const int64_t rows = std::max<int64_t>(1, maxBytes / rowBytes);
  for (int64_t top = area.top; top < area.bottom; top += rows)
    bands.push_back({area.left, top, area.right, std::min(area.bottom, top + rows)});
  return bands;
}

}  // namespace core
