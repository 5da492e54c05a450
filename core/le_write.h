// Little-endian writes into a byte buffer, for file headers built without
// platform structures.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace core {

inline void PutU16(std::vector<uint8_t>& out, uint16_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}
inline void PutU32(std::vector<uint8_t>& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}
inline void PutI32(std::vector<uint8_t>& out, int32_t v) { PutU32(out, static_cast<uint32_t>(v)); }
inline void PutU64(std::vector<uint8_t>& out, uint64_t v) {
  for (int i = 0; i < 8; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

}  // namespace core
