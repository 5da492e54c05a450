#include "core/picture_size.h"

#include <algorithm>

#include "core/render_geometry.h"

namespace core {
namespace {

// The size field clamps what it is given into its range.
int32_t ClampSide(int64_t v) { return static_cast<int32_t>(std::clamp<int64_t>(v, 1, kMaxSide)); }

}  // namespace

int64_t LockedSide(int32_t side, int32_t num, int32_t den) {
  // C++ division truncates toward zero, as the lock requires.
  return int64_t{side} * num / den;
}

PictureSize ResolvePictureSize(std::optional<int32_t> width, std::optional<int32_t> height, Extent extent) {
  if (width && height) return PictureSize{*width, *height};
  if (height) {
    const int32_t w = extent.y != 0 ? ClampSide(LockedSide(*height, extent.x, extent.y)) : kDefaultWidth;
    return PictureSize{w, *height};
  }
  const int32_t w = width ? *width : kDefaultWidth;
  const int32_t h = extent.x != 0 ? ClampSide(LockedSide(w, extent.y, extent.x)) : kDefaultHeight;
  return PictureSize{w, h};
}

}  // namespace core
