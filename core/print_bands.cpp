#include "core/print_bands.h"

#include <algorithm>

namespace core {
namespace {

// floor(row * destHeight / srcHeight): the operands are non-negative, and the
// product of two 31-bit sizes needs 62 bits.
int32_t DestRowOf(int64_t row, int64_t srcHeight, int64_t destHeight) {
  return static_cast<int32_t>(row * destHeight / srcHeight);
}

}  // namespace

int32_t PrintBandRows(int64_t bytesPerRow, int32_t height, int64_t maxBytes) {
  if (height <= 0) return 0;
  if (bytesPerRow <= 0) return height;
  const int64_t rows = std::max<int64_t>(1, maxBytes / bytesPerRow);
  return static_cast<int32_t>(std::min<int64_t>(rows, height));
}

std::vector<PrintBand> PrintBands(int32_t srcHeight, int32_t destHeight, int32_t rowsPerBand) {
  std::vector<PrintBand> bands;
  if (srcHeight <= 0 || destHeight <= 0 || rowsPerBand <= 0) return bands;
  for (int32_t top = 0; top < srcHeight;) {
    const int32_t rows = std::min(rowsPerBand, srcHeight - top);
    const int32_t destTop = DestRowOf(top, srcHeight, destHeight);
    const int32_t destEnd = DestRowOf(int64_t{top} + rows, srcHeight, destHeight);
    if (destEnd > destTop) bands.push_back({top, rows, destTop, destEnd - destTop});
    top += rows;
  }
  return bands;
}

}  // namespace core
