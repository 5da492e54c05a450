// Checks a bitmap embedded in a metafile record (header, colour table, pixels).
#pragma once
#include <cstdint>

#include "core/le_bytes.h"

namespace core {

// nullptr when the BITMAPINFO at [offBmi, offBmi + cbBmi) and the pixels at
// [offBits, offBits + cbBits) lie inside the record and describe each other:
// an uncompressed (or bit-field) DIB with RGB colours whose rows fit the bytes.
// Otherwise what is wrong, e.g. "has bitmap bits shorter than its rows".
const char* CheckEmbeddedDib(const ByteReader& r, uint32_t offBmi, uint32_t cbBmi, uint32_t offBits,
                             uint32_t cbBits, uint32_t usage);

}  // namespace core
