// Bounds-checked little-endian field access inside one metafile record.
#pragma once
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace documents {

class RecordReader {
 public:
  RecordReader(const uint8_t* data, size_t size) : p_(data), size_(size) {}
  size_t size() const { return size_; }
  // True when [offset, offset + bytes) lies inside the record; 64-bit so that
  // offsets and counts taken from the file cannot wrap.
  bool Has(uint64_t offset, uint64_t bytes) const {
    return offset <= size_ && bytes <= size_ - offset;
  }
  uint32_t U32(size_t off) const { return Has(off, 4) ? Load<uint32_t>(off) : 0; }
  int32_t I32(size_t off) const { return Has(off, 4) ? Load<int32_t>(off) : 0; }
  uint16_t U16(size_t off) const { return Has(off, 2) ? Load<uint16_t>(off) : 0; }
  int16_t I16(size_t off) const { return Has(off, 2) ? Load<int16_t>(off) : 0; }
  float F32(size_t off) const { return Has(off, 4) ? Load<float>(off) : NAN; }
  const uint8_t* At(size_t off) const { return p_ + off; }

 private:
  template <typename T>
  T Load(size_t off) const {
    T v;
    std::memcpy(&v, p_ + off, sizeof v);
    return v;
  }
  const uint8_t* p_;
  size_t size_;
};

}  // namespace documents
