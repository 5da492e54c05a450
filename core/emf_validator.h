// Structural check of an enhanced metafile before anything plays it.
#pragma once
#include <cstddef>
#include <cstdint>

#include "core/verdict.h"

namespace core {

// Largest coordinate magnitude a record may carry; well inside what GDI's
// fixed-point and 32-bit device arithmetic can transform without overflow.
inline constexpr int32_t kMaxMetafileCoord = 1 << 22;

// Walks every record of an EMF image. Accepts only when the header is sane,
// every record is of a known type with a well-formed layout (sizes, counts,
// offsets, object indices, enumerations and coordinates in range) and the last
// record is EMR_EOF. Unknown record types make the file invalid. A refusal
// names the record (counted from 1, the header being record 1), its type and
// what is wrong with it.
Verdict ValidateEnhMetafile(const uint8_t* data, size_t size);

}  // namespace core
