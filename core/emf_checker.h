// Checks of single enhanced-metafile records, for the validator's walk. A
// record is played, left out of what the player gets, or it refuses the file:
// - refused: something the player follows (an array, an offset, a size) lies
//   outside the record; the file is damaged there.
// - left out: the record is whole, but GDI would refuse it, or it would hand
//   the player a pointer or a size that could harm the program (an object
//   slot that is the metafile's own, a brush made from a handle value, a
//   restore past the metafile's own saves, coordinates or a transform beyond
//   what the rasteriser can draw in time). Windows' player fails such records
//   and goes on; leaving them out does the same.
// Some records are mended in the copy instead: clip rectangles clamped to
// just beyond the picture, face names cut to their field.
#pragma once
#include <cstdint>
#include <string>

#include "core/dib_check.h"
#include "core/emf_records.h"
#include "core/le_bytes.h"
#include "core/record_fate.h"

namespace core {

// A rectangle in the reference device's pixels, the metafile's region unit.
struct DeviceBox {
  int64_t left = 0, top = 0, right = 0, bottom = 0;
};

class EmfChecker : public RecordVerdict {
 public:
  // handles: the header's handle-table size; clamp: where region rectangles
  // end, in device pixels (well beyond the frame, so clamping changes nothing
  // that is drawn).
  EmfChecker(uint32_t handles, DeviceBox clamp) : needed_(handles), clamp_(clamp) {}
  // `record` is a copy of the whole record, which the check may mend.
  RecordFate Check(uint8_t* record, uint32_t size, uint32_t type);
  // The table size the records need: the header's, or one past the largest
  // object index a record uses where the writer stated too small a table.
  uint32_t HandlesNeeded() const { return needed_; }

 private:
  bool Min(const ByteReader& r, uint64_t bytes) { return r.size() >= bytes || Damaged("is shorter than its fields"); }
  bool Holds(const ByteReader& r, uint64_t off, uint64_t bytes, const char* what) {
    return r.Has(off, bytes) || Damaged(what);
  }
  bool Coord(int64_t v);
  bool Point(const ByteReader& r, uint64_t off) { return Coord(r.I32(off)) && Coord(r.I32(off + 4)); }
  bool Rect(const ByteReader& r, uint64_t off) { return Point(r, off) && Point(r, off + 8); }
  bool Points(const ByteReader& r, uint64_t off, uint64_t count, uint64_t pointBytes);
  bool Xform(const ByteReader& r, uint64_t off);
  bool Handle(uint32_t i);
  bool StockOrHandle(uint32_t i) { return (i & 0x80000000u) || Handle(i); }

  bool SimpleRecord(uint8_t* p, const ByteReader& r, uint32_t type, bool& known);
  bool DrawingRecord(const ByteReader& r, uint32_t type, bool& known);
  bool PolyPoly(const ByteReader& r, uint64_t pointBytes);
  bool PolyDraw(const ByteReader& r, uint64_t pointBytes);
  bool Text(const ByteReader& r, uint64_t textAt, uint64_t charBytes, bool zeroDxIsNone);
  bool ExtText(const ByteReader& r, uint64_t charBytes);
  bool PolyText(const ByteReader& r, uint64_t charBytes);
  bool Font(uint8_t* p, const ByteReader& r);
  bool RegionData(const ByteReader& r, uint64_t at, uint64_t bytes, bool everRead);
  bool ClipRegion(uint8_t* p, const ByteReader& r);
  bool Palette(const ByteReader& r, uint64_t count, uint64_t entriesAt);
  bool Gradient(const ByteReader& r);
  bool RestoreDC(const ByteReader& r);

  // Records that carry bitmaps (emf_bitmap_records.cpp).
  bool BitmapRecord(const ByteReader& r, uint32_t type, bool& known);
  bool Blit(const ByteReader& r, uint32_t type);
  bool MaskedBlit(const ByteReader& r, uint32_t type);
  bool SetDIBits(const ByteReader& r);
  bool Brush(const ByteReader& r, uint32_t type);
  bool ExtPen(const ByteReader& r);
  bool SizesInside(const ByteReader& r, const emr::BitmapFields& f);
  bool Dib(const ByteReader& r, const emr::BitmapFields& f, const DibUse& use = {}, DibLayout* layout = nullptr);

  uint32_t needed_;
  DeviceBox clamp_;
  uint8_t* rec_ = nullptr;  // the record's copy while it is checked
  int depth_ = 0;
};

// The record's brush style makes its pen a pattern pen, drawn from the bitmap
// the record carries (BS_PATTERN, BS_DIBPATTERN, BS_DIBPATTERNPT).
bool IsPatternPenRecord(const ByteReader& record);

// A record of a checked metafile that the program plays itself rather than
// the platform's player, which would misread it: a pattern pen, or a region
// filled or framed with a stock brush.
bool NeedsProgramPlayer(const ByteReader& record);

}  // namespace core
