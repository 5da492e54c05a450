#include "core/print_layout.h"

#include <algorithm>
#include <cmath>

#include "core/preview_fit.h"

namespace core {
namespace {

int32_t Percent(int32_t p) { return std::clamp(p, 1, 100); }

// side * percent / 100, rounded half up; at least 1 for a side that is not empty.
int32_t PartOf(int32_t side, int32_t percent) {
  return static_cast<int32_t>(std::max<int64_t>(1, (int64_t(side) * Percent(percent) * 2 + 100) / 200));
}

}  // namespace

PrintRect PlaceOnPage(int32_t pictureWidth, int32_t pictureHeight, int32_t areaWidth, int32_t areaHeight,
                      const PrintOptions& options) {
  if (pictureWidth <= 0 || pictureHeight <= 0 || areaWidth <= 0 || areaHeight <= 0) return {};
  int32_t boxWidth = areaWidth, boxHeight = areaHeight;
  if (!options.useFully) {
    boxWidth = PartOf(areaWidth, options.widthPercent);
    boxHeight = PartOf(areaHeight, options.heightPercent);
  }
  PrintRect r{0, 0, boxWidth, boxHeight};
  if (options.keepAspect) {
    const std::optional<PreviewRect> fit = FitPreview(boxWidth, boxHeight, pictureWidth, pictureHeight);
    if (!fit || fit->width <= 0 || fit->height <= 0) return {};
    r.width = fit->width;
    r.height = fit->height;
  }
  if (options.centered) {
    r.x = (areaWidth - r.width) / 2;
    r.y = (areaHeight - r.height) / 2;
  }
  return r;
}

int32_t FollowingPercent(int32_t editedPercent, bool editedIsWidth, int32_t pictureWidth, int32_t pictureHeight,
                         int32_t areaWidth, int32_t areaHeight) {
  const int32_t edited = Percent(editedPercent);
  if (pictureWidth <= 0 || pictureHeight <= 0 || areaWidth <= 0 || areaHeight <= 0) return edited;
  // width% * areaW / picW == height% * areaH / picH, solved for the other side.
  // In double: the four factors together can pass 64 bits, and the result is
  // clamped to a percentage anyway.
  const double num = editedIsWidth ? double(edited) * areaWidth * pictureHeight
                                   : double(edited) * areaHeight * pictureWidth;
  const double den = editedIsWidth ? double(areaHeight) * pictureWidth : double(areaWidth) * pictureHeight;
  return static_cast<int32_t>(std::clamp(std::floor(num / den + 0.5), 1.0, 100.0));
}

}  // namespace core
