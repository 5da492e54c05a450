#include "render/renderer/pixel_rows.h"

#include <cstring>

namespace render {

void FillWithPixel(const RowImage& image, core::PixelBytes pixel) {
  if (!image.bits || image.width <= 0 || image.height <= 0) return;
  uint8_t* row0 = image.bits;
  for (int32_t x = 0; x < image.width; ++x) {
    row0[3 * size_t(x)] = pixel.b;
    row0[3 * size_t(x) + 1] = pixel.g;
    row0[3 * size_t(x) + 2] = pixel.r;
  }
  const size_t stride = static_cast<size_t>(image.stride);
  for (int32_t y = 1; y < image.height; ++y) std::memcpy(image.bits + stride * size_t(y), row0, stride);
}

namespace {

bool Fits(const RowImage& strip, const RowImage& target, const core::FrameGeometry& frame, int32_t rowsDone) {
  if (!strip.bits || !target.bits || strip.height <= 0 || rowsDone < 0) return false;
  if (int64_t{frame.leftOffset} + strip.width > target.width) return false;
  if (3 * int64_t{strip.width} > strip.stride) return false;
  const int64_t lowest = core::TargetRowForStripRow(frame, rowsDone, strip.height, 0);
  return lowest >= 0 && lowest + strip.height <= target.height;
}

}  // namespace

bool PlaceStrip(const RowImage& strip, const RowImage& target, const core::FrameGeometry& frame, bool border,
                int32_t rowsDone) {
  if (!Fits(strip, target, frame, rowsDone)) return false;
  const int64_t firstRow = core::TargetRowForStripRow(frame, rowsDone, strip.height, 0);
  if (!border && strip.stride == target.stride && frame.leftOffset == 0) {
    std::memcpy(target.bits + size_t(firstRow * target.stride), strip.bits,
                size_t(int64_t{strip.height} * strip.stride));
    return true;
  }
  const size_t span = 3 * size_t(strip.width);
  const size_t left = 3 * size_t(frame.leftOffset);
  for (int32_t i = 0; i < strip.height; ++i) {
    std::memcpy(target.bits + size_t((firstRow + i) * target.stride) + left,
                strip.bits + size_t(int64_t{i} * strip.stride), span);
  }
  return true;
}

}  // namespace render
