// Drawing a rectangle of a raster image into a rectangle of any device context.
#pragma once
#include <windows.h>

#include <cstdint>

#include "raster/dib.h"

// Draws source rectangle (srcX, srcY, srcWidth, srcHeight) of `image` - srcY
// counted in rows up from the image's bottom - into the destination rectangle,
// enlarging or shrinking it. 24-bit images are halftoned on palette screens
// when `halftone` allows it; 24- and 8-bit images are copied row by row on
// every device but raster printers; everything else goes to the device's own
// DIB stretching with two fallbacks. The caller's record is not changed.
void DrawDIB(HDC dc, int32_t destX, int32_t destY, int32_t destWidth, int32_t destHeight, const TDibImage& image,
             int32_t srcX, int32_t srcY, int32_t srcWidth, int32_t srcHeight, bool halftone, DWORD rop,
             bool useImagePalette, HPALETTE paletteHandle);

// Nearest-neighbour row copies; srcTop counts rows down from the image's top.
// Parts of the destination that map outside the image come out black.
void DrawDIBRows24(HDC dc, int32_t destX, int32_t destY, int32_t destWidth, int32_t destHeight,
                   const TDibImage& image, int32_t srcX, int32_t srcTop, int32_t srcWidth, int32_t srcHeight);
void DrawDIBRows8(HDC dc, int32_t destX, int32_t destY, int32_t destWidth, int32_t destHeight,
                  const TDibImage& image, int32_t srcX, int32_t srcTop, int32_t srcWidth, int32_t srcHeight);

namespace core {
struct DrawRect;
}  // namespace core

namespace raster {

// True when the record has a header and pixels whose stride and size agree, so
// its rows can be read without leaving the pixel memory.
bool IsDrawable(const TDibImage& image);

// The device's own stretching and its two fallbacks (way D).
void DrawDeviceStretch(HDC dc, const core::DrawRect& r, const TDibImage& image, DWORD rop);

}  // namespace raster
