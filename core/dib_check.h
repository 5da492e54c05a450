// Checks a bitmap embedded in a metafile record (header, colour table or
// masks, pixels) by the rules GDI reads it with.
#pragma once
#include <cstdint>

#include "core/le_bytes.h"

namespace core {

// Where a record keeps one bitmap (offsets from the record's start) and what
// its colour table holds.
struct DibSpan {
  uint32_t offBmi, cbBmi, offBits, cbBits, usage;
};

// How the player uses the bitmap.
struct DibUse {
  uint64_t rows = UINT64_MAX;   // rows of pixels it reads at most (SetDIBitsToDevice's scans)
  bool monochrome = false;      // masks and mono brushes: one bit per pixel
  bool monoBrush = false;       // reads the first two colours right after the 40-byte header, and
                                // accepts DIB_PAL_INDICES (then still reads an RGB table's worth)
};

// What GDI makes of a bitmap that passed the check.
struct DibLayout {
  int32_t width = 0, height = 0;  // height negative for top-down rows
  uint16_t bitCount = 0;
  uint64_t infoBytes = 0;   // header plus masks plus colour table, as a packed DIB lays them out
  uint64_t imageBytes = 0;  // the pixel bytes the player reads
};

// nullptr when GDI, reading the bitmap as the player asks it to, stays inside
// the bitmap's bytes (and so inside the record): header of a known size, masks,
// the colour table biClrUsed and the depth call for, and every row of pixels.
// Otherwise what is wrong, e.g. "has bitmap bits shorter than its rows".
const char* CheckEmbeddedDib(const ByteReader& record, const DibSpan& span, const DibUse& use = {},
                             DibLayout* layout = nullptr);

}  // namespace core
