// Checks of single enhanced-metafile records, for the validator's walk. Each
// check is true for a well-formed record; otherwise Why() says what is wrong.
#pragma once
#include <cstdint>

#include "core/dib_check.h"
#include "core/emf_records.h"
#include "core/le_bytes.h"

namespace core {

class EmfChecker {
 public:
  explicit EmfChecker(uint32_t handles) : handles_(handles) {}
  bool Check(const ByteReader& r, uint32_t type);
  const char* Why() const { return why_; }

 private:
  bool Fail(const char* why) {
    why_ = why;
    return false;
  }
  bool Min(const ByteReader& r, uint64_t bytes) { return r.size() >= bytes || Fail("is shorter than its fields"); }
  bool Coord(int32_t v);
  bool NonZeroCoord(int32_t v) { return v != 0 ? Coord(v) : Fail("has a zero extent"); }
  bool Point(const ByteReader& r, uint64_t off) { return Coord(r.I32(off)) && Coord(r.I32(off + 4)); }
  bool Rect(const ByteReader& r, uint64_t off) { return Point(r, off) && Point(r, off + 8); }
  bool Within(int32_t v, int32_t limit) { return (v >= -limit && v <= limit) || Fail("has a value out of range"); }
  bool Xform(const ByteReader& r, uint64_t off);
  bool Enum(const ByteReader& r, uint32_t lo, uint32_t hi);
  bool Handle(uint32_t i) { return (i >= 1 && i < handles_) || Fail("uses an object index outside the handle table"); }
  bool StockOrHandle(uint32_t i);

  bool Points32(const ByteReader& r);
  bool Points16(const ByteReader& r);
  bool PolyPoly(const ByteReader& r, uint64_t pointBytes);
  bool Beziers(uint32_t type, uint32_t count);
  bool Text(const ByteReader& r, uint64_t charBytes);
  bool Font(const ByteReader& r);
  bool ClipRegion(const ByteReader& r);
  bool SimpleRecord(const ByteReader& r, uint32_t type, bool& known);

  // Records that carry bitmaps (emf_bitmap_records.cpp).
  bool BitmapRecord(const ByteReader& r, uint32_t type, bool& known);
  bool Blit(const ByteReader& r, uint32_t type);
  bool MaskedBlit(const ByteReader& r, uint32_t type);
  bool SetDIBits(const ByteReader& r);
  bool Brush(const ByteReader& r, uint32_t type);
  bool ExtPen(const ByteReader& r);
  bool Dib(const ByteReader& r, const emr::BitmapFields& f, const DibUse& use = {}, DibLayout* layout = nullptr);

  uint32_t handles_;
  int depth_ = 0;
  const char* why_ = nullptr;
};

}  // namespace core
