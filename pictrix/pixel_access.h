// Reading and writing single pixels of a bottom-up DIB, every depth the
// library creates. Coordinates outside the image read 0 and write nothing.
#pragma once
#include <cstdint>

namespace pictrix {

struct PixelView {
  uint8_t* bits = nullptr;
  int64_t stride = 0;
  int32_t width = 0;
  int32_t height = 0;
  int32_t bitsPerPixel = 0;
};

// Rows in memory order (0 is the first row in memory). 1-bit: the leftmost
// pixel is the byte's high bit; 4-bit: the high nibble; 16 and 32 bits: the
// little-endian word; 24 bits: blue | green << 8 | red << 16.
int32_t ReadPixel(const PixelView& v, int32_t x, int32_t y);
void WritePixel(const PixelView& v, int32_t x, int32_t y, int32_t value);

}  // namespace pictrix
