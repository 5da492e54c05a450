// Colour reduction of 24-bit pixels to a fixed 256-colour palette by ordered
// (8 x 8 Bayer) dithering: a 6 x 6 x 6 colour cube plus 40 extra grays.
// Dithering keeps a flat area's average colour, which matters more for a
// preview than the exact colour of any single pixel.
#pragma once
#include <windows.h>

#include <array>
#include <cstdint>

namespace pictrix {

constexpr int kCubeLevels = 6;
constexpr int kCubeSize = kCubeLevels * kCubeLevels * kCubeLevels;  // entries 0..215
constexpr int kExtraGrays = 256 - kCubeSize;                        // entries 216..255

// The palette, in colour-table order.
const std::array<RGBQUAD, 256>& HalftoneTable();

// Palette index of the pixel (r, g, b) at column x, row y.
uint8_t HalftoneIndex(uint8_t r, uint8_t g, uint8_t b, int64_t x, int64_t y);

// One row: `width` blue-green-red pixels in, palette indices out.
void HalftoneRow(const uint8_t* bgr, int64_t width, int64_t y, uint8_t* indices);

}  // namespace pictrix
