#include "app/cli/picture_size.h"

#include <algorithm>

#include "render/renderer/render_geometry.h"
#include "render/size_settings.h"

namespace cli {
namespace {

// The size field clamps what it is given into its range.
int32_t ClampSide(int64_t v) { return static_cast<int32_t>(std::clamp<int64_t>(v, 1, render::kMaxSide)); }

}  // namespace

PictureSize ResolvePictureSize(std::optional<int32_t> width, std::optional<int32_t> height, POINT extent) {
  if (width && height) return PictureSize{*width, *height};
  if (height) {
    const int32_t w = extent.y != 0 ? ClampSide(render::LockedSide(*height, extent.x, extent.y)) : kDefaultWidth;
    return PictureSize{w, *height};
  }
  const int32_t w = width ? *width : kDefaultWidth;
  const int32_t h = extent.x != 0 ? ClampSide(render::LockedSide(w, extent.y, extent.x)) : kDefaultHeight;
  return PictureSize{w, h};
}

}  // namespace cli
