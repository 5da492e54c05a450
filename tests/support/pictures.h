// Pictures made for tests, pixel by pixel.
#pragma once
#include <windows.h>

#include <cstdint>

#include "raster/owned_dib.h"

namespace testsupport {

// A 24-bit picture whose pixel x, y (counted from the top) has colour(x, y);
// empty when it cannot be had.
template <typename ColorOf>
raster::OwnedDib MakePicture(int width, int height, ColorOf colour) {
  raster::OwnedDib d = raster::OwnedDib::New(width, height, 24);
  if (!d) return d;
  auto* bits = static_cast<uint8_t*>(d.get().Bits);
  for (int y = 0; y < height; ++y) {
    uint8_t* row = bits + int64_t{height - 1 - y} * d.get().BytesPerRow;
    for (int x = 0; x < width; ++x) {
      const COLORREF c = colour(x, y);
      row[3 * x] = GetBValue(c);
      row[3 * x + 1] = GetGValue(c);
      row[3 * x + 2] = GetRValue(c);
    }
  }
  return d;
}

}  // namespace testsupport
