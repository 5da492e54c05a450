// Checks a bitmap embedded in a metafile record (header, colour table, pixels).
#pragma once
#include <cstdint>

#include "render/documents/record_reader.h"

namespace documents {

// True when the BITMAPINFO at [offBmi, offBmi + cbBmi) and the pixels at
// [offBits, offBits + cbBits) lie inside the record and describe each other:
// an uncompressed (or bit-field) DIB with RGB colours whose rows fit the bytes.
bool CheckEmbeddedDib(const RecordReader& r, uint32_t offBmi, uint32_t cbBmi, uint32_t offBits,
                      uint32_t cbBits, uint32_t usage);

}  // namespace documents
