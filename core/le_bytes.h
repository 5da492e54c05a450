// Bounds-checked little-endian reads from a span of bytes. File formats are read
// this way rather than by casting to platform structures, so the same code runs
// on every target and a short or hostile input reads as zeros, never past the end.
#pragma once
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace core {

class ByteReader {
 public:
  ByteReader(const uint8_t* data, size_t size) : p_(data), size_(size) {}
  size_t size() const { return size_; }
  const uint8_t* data() const { return p_; }
  // True when [offset, offset + bytes) lies inside the span; 64-bit so that
  // offsets and counts taken from a file cannot wrap on a 32-bit target.
  bool Has(uint64_t offset, uint64_t bytes) const { return offset <= size_ && bytes <= size_ - offset; }
  uint8_t U8(uint64_t off) const { return Has(off, 1) ? p_[off] : 0; }
  uint16_t U16(uint64_t off) const {
    return Has(off, 2) ? static_cast<uint16_t>(p_[off] | p_[off + 1] << 8) : 0;
  }
  int16_t I16(uint64_t off) const { return static_cast<int16_t>(U16(off)); }
  uint32_t U32(uint64_t off) const {
    return Has(off, 4) ? static_cast<uint32_t>(p_[off]) | static_cast<uint32_t>(p_[off + 1]) << 8 |
                             static_cast<uint32_t>(p_[off + 2]) << 16 | static_cast<uint32_t>(p_[off + 3]) << 24
                       : 0;
  }
  int32_t I32(uint64_t off) const { return static_cast<int32_t>(U32(off)); }
  float F32(uint64_t off) const {
    if (!Has(off, 4)) return NAN;
    const uint32_t bits = U32(off);
    float f;
    std::memcpy(&f, &bits, sizeof f);
    return f;
  }
  // The span [off, off + bytes), or an empty reader when it is not all inside.
  ByteReader Sub(uint64_t off, uint64_t bytes) const {
    return Has(off, bytes) ? ByteReader(p_ + off, static_cast<size_t>(bytes)) : ByteReader(p_, 0);
  }

 private:
  const uint8_t* p_;
  size_t size_;
};

}  // namespace core
