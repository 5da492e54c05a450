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
  bool compressed = false;      // the platform decodes run-length pixels for this use
  bool section = false;         // the pixels are copied into a DIB section of the bitmap's size
  bool packed = false;          // the pixels follow the colour table inside the header's bytes
};

// What GDI makes of a bitmap that passed the check.
struct DibLayout {
  int32_t width = 0, height = 0;  // height negative for top-down rows
  uint16_t bitCount = 0;
  uint64_t infoBytes = 0;   // header plus masks plus colour table, as a packed DIB lays them out
  uint64_t imageBytes = 0;  // the pixel bytes the player reads
};

// The outcome: the player may read the bitmap (why is nullptr); or what it
// would read lies outside the record (damaged: the file is broken there); or
// the bitmap is whole but of a kind the player refuses or must not be given
// (too large, compressed where it is not decoded), so the record is left out.
struct DibCheck {
  const char* why = nullptr;
  bool damaged = false;
  explicit operator bool() const { return why == nullptr; }
};

// Checks that GDI, reading the bitmap as the player asks it to, stays inside
// the bitmap's bytes (and so inside the record): a header of 40 bytes or more
// of which 40 are read, masks, the colour table the depth and biClrUsed call
// for, and every row of pixels (or the run-length data biSizeImage states).
// With `mend` (the record's copy), a colour table that its writer cut short
// of the depth's full table is mended by stating the entries it has in
// biClrUsed, as the rest of the bytes show the writer meant.
DibCheck CheckEmbeddedDib(const ByteReader& record, const DibSpan& span, const DibUse& use = {},
                          DibLayout* layout = nullptr, uint8_t* mend = nullptr);

}  // namespace core
