// Framed picture rows laid out the way a file writer takes them: drawn rows
// with their border columns, or rows of border colour alone, in the writer's
// row order, channel order and row padding. Plain memory, no handles.
#pragma once
#include <cstdint>

#include "core/render_geometry.h"

namespace core {

// How one writer wants a band of rows in memory.
struct BandLayout {
  int32_t width = 0;      // pixels a row
  int64_t stride = 0;     // bytes from one row to the next, at least 3 x width
  bool bottomUp = false;  // memory row 0 is the band's lowest row (BMP's order)
  bool rgb = false;       // red first (TIFF); otherwise blue first, as GDI reads back
};

// Rows as GDI reads them back and the raster library holds them: bottom-up,
// 3 bytes a pixel, blue first, `stride` bytes apart.
struct DrawnRows {
  const uint8_t* bits = nullptr;
  int64_t stride = 0;
  int32_t width = 0;
  int32_t rows = 0;
};

// Bytes of a band of `rows` rows.
inline int64_t BandBytes(const BandLayout& band, int32_t rows) { return band.stride * rows; }

// Fills the band's first drawn.rows rows: each is `left` pixels of border,
// the drawn row, then border up to the band's width; padding bytes are zero.
// The drawn row must fit: left + drawn.width <= band.width.
void ComposeRows(const DrawnRows& drawn, int32_t left, PixelBytes border, const BandLayout& band, uint8_t* out);

// Fills the band's first `rows` rows with the border colour; padding is zero.
void FillRows(int32_t rows, PixelBytes border, const BandLayout& band, uint8_t* out);

}  // namespace core
