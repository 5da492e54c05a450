// Small enhanced metafiles built in code, for the validator's tests: a header,
// the records a test needs, and the end-of-file record, with every size and
// count filled in.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/emf_records.h"

namespace coretest {

// A device-independent bitmap: its header with colour table (or masks), and its pixels.
struct Dib {
  std::vector<uint8_t> info;
  std::vector<uint8_t> bits;
};

// A BITMAPINFOHEADER of headerBytes (40 and up) with a colour table of
// `entries` RGB quads (bit-field bitmaps get their three masks where GDI reads
// them), and zeroed pixels for every row.
Dib MakeDib(int32_t width, int32_t height, uint16_t bitCount, uint32_t compression = 0, uint32_t clrUsed = 0,
            uint32_t headerBytes = 40, uint32_t entries = UINT32_MAX);

// One record: type, size (filled in when added), fixed fields, then anything appended.
class Record {
 public:
  Record(uint32_t type, uint32_t fixedBytes);
  Record& U32(uint32_t offset, uint32_t v);
  Record& I32(uint32_t offset, int32_t v) { return U32(offset, static_cast<uint32_t>(v)); }
  Record& F32(uint32_t offset, float v);
  // Appends bytes (padded to 4) and returns where they start.
  uint32_t Append(const std::vector<uint8_t>& b);
  // Appends the bitmap's header and pixels and points the fields at them.
  Record& Attach(const core::emr::BitmapFields& f, const Dib& dib, uint32_t usage = 0);
  Record& Identity(uint32_t xformOffset);  // a unit world transform
  std::vector<uint8_t>& bytes() { return bytes_; }
  const std::vector<uint8_t>& bytes() const { return bytes_; }

 private:
  std::vector<uint8_t> bytes_;
};

// Header (frame 0,0 - 2000,1000 HIMETRIC, reference device 100 x 100 pixels of
// 100 x 100 mm, `handles` table entries), the records, EMR_EOF.
class EmfBuilder {
 public:
  explicit EmfBuilder(uint16_t handles = 4) : handles_(handles) {}
  EmfBuilder& Add(const Record& r);
  std::vector<uint8_t> Build() const;
  // Where the n-th added record starts in what Build() returns.
  uint32_t OffsetOf(size_t n) const;

 private:
  uint16_t handles_;
  std::vector<std::vector<uint8_t>> records_;
};

// A well-formed record of each type that carries a bitmap, with small bitmaps.
Record ValidBitmapRecord(uint32_t type);
// The record types ValidBitmapRecord makes.
std::vector<uint32_t> BitmapRecordTypes();

// The whole file with one record.
std::vector<uint8_t> EmfWith(const Record& r, uint16_t handles = 4);

}  // namespace coretest
