// The layout of an uncompressed baseline TIFF: 24-bit RGB, one image, its
// rows in strips. Every byte before the first pixel (header, the one image
// directory and its arrays) follows from the size alone, so a writer puts
// these bytes first and then streams the pixels, top row first, with no going
// back. A file that would pass 4 GB becomes a BigTIFF (64-bit offsets).
#pragma once
#include <cstdint>
#include <optional>
#include <vector>

namespace core {

// Classic TIFF offsets hold 32 bits.
inline constexpr uint64_t kMaxClassicTiffBytes = 0xFFFFFFFFu;

struct TiffLayout {
  std::vector<uint8_t> header;  // every byte before the first pixel
  bool big = false;             // BigTIFF
  uint64_t rowBytes = 0;        // 3 x width: rows are not padded
  int32_t rowsPerStrip = 0;
  uint64_t strips = 0;
  uint64_t pixelBytes = 0;      // rowBytes x height
  uint64_t fileBytes = 0;       // header and pixels
};

// Rows per strip for a picture `width` pixels wide: about 256 KB of pixels a
// strip, so readers hold little at a time, and at least one row.
int32_t TiffRowsPerStrip(int32_t width);

// The layout of a width x height picture of `dpi` dots per inch; nothing for
// sizes or resolutions below 1. forceBig writes a BigTIFF whatever the size,
// so small files show readers take the 64-bit form.
std::optional<TiffLayout> MakeTiffLayout(int32_t width, int32_t height, int32_t dpi, bool forceBig = false);

}  // namespace core
