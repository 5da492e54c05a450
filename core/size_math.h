// Products and sums of sizes, counts and offsets taken from files or from the
// user. They are formed in 64 bits and checked, because the product is a
// 32-bit program where size_t, int and DWORD all wrap at 4 GB or 2 GB.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>

namespace core {

// a * b, or nothing when it does not fit in 64 bits.
std::optional<uint64_t> CheckedMul(uint64_t a, uint64_t b);
// a * b * c, or nothing when it does not fit in 64 bits.
std::optional<uint64_t> CheckedMul(uint64_t a, uint64_t b, uint64_t c);
// a + b, or nothing when it does not fit in 64 bits.
std::optional<uint64_t> CheckedAdd(uint64_t a, uint64_t b);

// The value as a size_t of this target, or nothing when it does not fit (a
// 64-bit count handed to a 32-bit allocation or copy).
std::optional<size_t> ToSize(uint64_t v);

}  // namespace core
