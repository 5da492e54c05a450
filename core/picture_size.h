// The picture's size by the size band's rules: the locked side follows the
// document's aspect ratio, and a batch render derives the side it is not given.
#pragma once
#include <cstdint>
#include <optional>

namespace core {

// The other side of the picture for the document's aspect ratio:
// trunc(side * num / den), the product formed in 64 bits. den must not be 0.
int64_t LockedSide(int32_t side, int32_t num, int32_t den);

inline constexpr int32_t kDefaultWidth = 750;
inline constexpr int32_t kDefaultHeight = 1000;

struct PictureSize {
  int32_t width;
  int32_t height;
};

// A document's content extent in HIMETRIC.
struct Extent {
  int32_t x = 0;
  int32_t y = 0;
};

// The size of a batch render; extent (0, 0) for a document without one.
// - both given: taken as given;
// - width only: height = trunc(W x extent.y / extent.x) clamped to 1..30000,
//   or the default height when extent.x is 0;
// - height only: the mirror image, with the default width;
// - neither: the default width, and the height derived from it (as after an import).
PictureSize ResolvePictureSize(std::optional<int32_t> width, std::optional<int32_t> height, Extent extent);

}  // namespace core
