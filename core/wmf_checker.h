// Checks of single Windows-metafile records, for the validator's walk, by what
// the player (PlayMetaFileRecord) reads of each; see record_fate.h for what
// the outcomes mean.
#pragma once
#include <cstdint>
#include <optional>
#include <vector>

#include "core/le_bytes.h"
#include "core/record_fate.h"

namespace core {

class WmfChecker : public RecordVerdict {
 public:
  explicit WmfChecker(uint16_t objects) : needed_(objects) {}
  // The record is the copy at `out[at]` to its end, which the check may mend
  // (also by growing it); parameters start at its byte 6.
  RecordFate Check(std::vector<uint8_t>& out, size_t at, uint16_t function);
  // The object table the records need: the header's, or one past the largest
  // index a record uses where the writer stated too small a table.
  uint32_t ObjectsNeeded() const { return needed_; }
  // The first window extent a record sets, for metafiles that state no size.
  int16_t windowExtX = 0, windowExtY = 0;

 private:
  static uint64_t Words(const ByteReader& r) { return (r.size() - 6) / 2; }
  static uint16_t P(const ByteReader& r, uint64_t i) { return r.U16(6 + 2 * i); }
  bool Params(const ByteReader& r, uint64_t n) { return Words(r) >= n || Damaged("is shorter than its parameters"); }
  bool Object(uint16_t index) {
    if (index == 0xFFFF) return Unplayable("uses an object index beyond any object table");
    if (index >= needed_) needed_ = index + 1u;
    return true;
  }
  bool Known(std::vector<uint8_t>& out, size_t at, const ByteReader& r, uint16_t f, bool& known);
  bool Bitmaps(const ByteReader& r, uint16_t f, bool& known);
  bool PolyPolygon(const ByteReader& r);
  bool ExtTextOut(const ByteReader& r);
  bool Region(const ByteReader& r);
  bool Escape(const ByteReader& r);
  bool Font(std::vector<uint8_t>& out, size_t at, const ByteReader& r);
  bool PackedDib(const ByteReader& r, uint64_t at, uint32_t usage, uint64_t rows = UINT64_MAX,
                 bool compressed = true);

  // Palettes, followed so that colours given as palette indices are stated
  // as the colours they stand for: Wine's conversion to an enhanced metafile
  // records every palette without its entries.
  void Created(std::optional<std::vector<uint32_t>> palette);
  void Palettes(const ByteReader& r, uint16_t f);
  void PlainColour(const ByteReader& r, uint64_t param);

  uint32_t needed_;
  uint8_t* mend_ = nullptr;  // the record's copy while it is checked
  // The objects the player's table holds, by slot: a palette's entries, or
  // nothing for another kind of object; and the palette selected.
  std::vector<std::optional<std::optional<std::vector<uint32_t>>>> slots_;
  int32_t selectedPalette_ = -1;
  int depth_ = 0;
};

}  // namespace core
