// Byte work on bottom-up 24-bit pixel rows: the border fill and the placement
// of a strip in the target. Plain memory, no handles.
#pragma once
#include <cstdint>

#include "core/render_geometry.h"

namespace render {

// Pixel memory as the raster library and GDI lay it out: memory row 0 is the
// picture's bottom row, each row `stride` bytes.
struct RowImage {
  uint8_t* bits = nullptr;
  int64_t stride = 0;
  int32_t width = 0;
  int32_t height = 0;
};

// Writes the pixel into every pixel of memory row 0, then copies that whole
// row onto every other row. Padding bytes of row 0 keep what they had.
void FillWithPixel(const RowImage& image, core::PixelBytes pixel);

// Copies the strip whose top is picture row rowsDone into its place in the
// target. Without a border the layouts match and one block copy does it; with
// one, each row goes to its own offset. False, with nothing copied, when the
// strip does not fit where the frame says it goes.
bool PlaceStrip(const RowImage& strip, const RowImage& target, const core::FrameGeometry& frame, bool border,
                int32_t rowsDone);

}  // namespace render
