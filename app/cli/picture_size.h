// The picture size of a batch render, by the size band's rules: one side given
// derives the other from the document's extent exactly as the band's change
// handlers do, with the band's defaults where a side is neither given nor derived.
#pragma once
#include <windows.h>

#include <cstdint>
#include <optional>

namespace cli {

inline constexpr int32_t kDefaultWidth = 750;
inline constexpr int32_t kDefaultHeight = 1000;

struct PictureSize {
  int32_t width;
  int32_t height;
};

// extent: the document's content extent in HIMETRIC, (0, 0) without one.
// - both given: taken as given;
// - width only: height = trunc(W x extent.y / extent.x) clamped to 1..30000,
//   or the default height when extent.x is 0;
// - height only: the mirror image, with the default width;
// - neither: the default width, and the height derived from it (as after an import).
PictureSize ResolvePictureSize(std::optional<int32_t> width, std::optional<int32_t> height, POINT extent);

}  // namespace cli
