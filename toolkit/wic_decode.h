// Picture decoding through the platform's imaging component (WIC): GIF, PNG,
// BMP, TIFF, icons. The one place that decodes with WIC; the document objects
// and the toolkit's picture classes both call it.
#pragma once
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tk {

struct DecodedImage {
  uint32_t width = 0;
  uint32_t height = 0;
  double dpiX = 0;  // 0 when the file gives none
  double dpiY = 0;
  std::vector<uint32_t> pixels;  // top-down, 0xAARRGGBB (blue in the lowest byte), not premultiplied
};

// The header of a DIB whose pixels lie as DecodedImage's do: 32 bits, top-down.
BITMAPINFO TopDown32Info(int width, int height);

// HRESULT for data that holds no usable picture (no frame, a side of 0).
inline constexpr HRESULT kNoPicture = HRESULT_FROM_WIN32(ERROR_INVALID_DATA);

// Decodes the first frame, or the largest one when largestFrame (icons).
// Fails with WIC's own code for data it cannot decode, kNoPicture for an
// empty picture and E_OUTOFMEMORY above maxPixels pixels or when memory runs
// out. Needs COM initialised on the thread.
HRESULT WicDecode(const uint8_t* data, size_t size, bool largestFrame, uint64_t maxPixels, DecodedImage& out);

}  // namespace tk
