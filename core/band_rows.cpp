#include "core/band_rows.h"

#include <algorithm>
#include <cstring>

namespace core {
namespace {

// `count` copies of the 3-byte pixel: one written, then doubled by copying.
void FillPixels(uint8_t* out, int64_t count, const uint8_t pixel[3]) {
  if (count <= 0) return;
  std::memcpy(out, pixel, 3);
  const size_t total = 3 * size_t(count);
  size_t done = 3;
  while (done < total) {
    const size_t n = std::min(done, total - done);
    std::memcpy(out + done, out, n);
    done += n;
  }
}

void CopyPixels(uint8_t* out, const uint8_t* in, int32_t count, bool rgb) {
  if (!rgb) {
    std::memcpy(out, in, 3 * size_t(count));
    return;
  }
  for (int32_t x = 0; x < count; ++x, out += 3, in += 3) {
    out[0] = in[2];
    out[1] = in[1];
    out[2] = in[0];
  }
}

// The pixel in the band's channel order.
void Ordered(PixelBytes p, bool rgb, uint8_t out[3]) {
  out[0] = rgb ? p.r : p.b;
  out[1] = p.g;
  out[2] = rgb ? p.b : p.r;
}

uint8_t* BandRow(const BandLayout& band, uint8_t* out, int32_t rows, int32_t fromTop) {
  const int32_t memoryRow = band.bottomUp ? rows - 1 - fromTop : fromTop;
  return out + int64_t{memoryRow} * band.stride;
}

void ZeroPadding(const BandLayout& band, uint8_t* row) {
  const int64_t used = 3 * int64_t{band.width};
  if (band.stride > used) std::memset(row + used, 0, size_t(band.stride - used));
}

}  // namespace

void ComposeRows(const DrawnRows& drawn, int32_t left, PixelBytes border, const BandLayout& band, uint8_t* out) {
  uint8_t pixel[3];
  Ordered(border, band.rgb, pixel);
  const int32_t right = band.width - left - drawn.width;
  for (int32_t y = 0; y < drawn.rows; ++y) {
    // Drawn memory row rows-1-y is the y-th row from the band's top.
    const uint8_t* in = drawn.bits + int64_t{drawn.rows - 1 - y} * drawn.stride;
    uint8_t* row = BandRow(band, out, drawn.rows, y);
    FillPixels(row, left, pixel);
    CopyPixels(row + 3 * size_t(left), in, drawn.width, band.rgb);
    FillPixels(row + 3 * (size_t(left) + size_t(drawn.width)), right, pixel);
    ZeroPadding(band, row);
  }
}

void FillRows(int32_t rows, PixelBytes border, const BandLayout& band, uint8_t* out) {
  if (rows <= 0) return;
  uint8_t pixel[3];
  Ordered(border, band.rgb, pixel);
  FillPixels(out, band.width, pixel);
  ZeroPadding(band, out);
  for (int32_t y = 1; y < rows; ++y) std::memcpy(out + int64_t{y} * band.stride, out, size_t(band.stride));
}

}  // namespace core
