// The program's binding of Pictrix.dll: the shared image record, the six
// library operations (bound through the import library), and accessors.
#pragma once
#include <windows.h>

#include <cstdint>

#include "pictrix/pictrix.h"

// Header fields of an image; 0 when the record has no header.
int32_t DIBWidth(const TDibImage& image);
int32_t DIBHeight(const TDibImage& image);
int32_t DIBBitCount(const TDibImage& image);
// 2 to the power of the bit count, by repeated doubling; 1 for a count of 0 or less.
int64_t DIBColorCount(const TDibImage& image);
// Bits per pixel of a bitmap compatible with the desktop window's DC.
int32_t ScreenBitsPerPixel();

namespace raster {

// Makes ScreenBitsPerPixel report `bitsPerPixel` while it lives, so code that
// depends on the screen's depth can be exercised on any display.
class ScopedScreenDepth {
 public:
  explicit ScopedScreenDepth(int32_t bitsPerPixel);
  ~ScopedScreenDepth();
  ScopedScreenDepth(const ScopedScreenDepth&) = delete;
  ScopedScreenDepth& operator=(const ScopedScreenDepth&) = delete;

 private:
  int32_t previous_;
};

}  // namespace raster
