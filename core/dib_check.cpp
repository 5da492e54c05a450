// GDI's rules for an embedded bitmap, as its DIB functions apply them: a
// header of 12 bytes is the OS/2 core header, 40 bytes and more a
// BITMAPINFOHEADER whose first 40 bytes are read; bit-field masks are read at
// byte 40 whatever the header's size; a colour table of biClrUsed entries (all
// 2^bits when 0, never more than 2^bits) follows the header for up to 8 bits
// per pixel, of RGB quads or 16-bit palette indices; the pixel rows are
// stride * |height| bytes, run-length data biSizeImage bytes.
#include "core/dib_check.h"

#include <algorithm>

#include "core/dib_format.h"

namespace core {
namespace {

constexpr int32_t kMaxSide = 1 << 15;
// Run-length pixels and pixels copied into a section become a whole bitmap in
// memory, whatever the record's size; beyond this the allocation could fail in
// a 32-bit process, and one player copies into the section without looking.
constexpr uint64_t kMaxDecodedBytes = 64ull << 20;

DibCheck Damaged(const char* why) { return {why, true}; }
DibCheck Unplayable(const char* why) { return {why, false}; }

}  // namespace

DibCheck CheckEmbeddedDib(const ByteReader& r, const DibSpan& s, const DibUse& use, DibLayout* layout, uint8_t* mend) {
  const bool paletteIndices = use.monoBrush && s.usage == dib::kPalIndices;
  if (s.usage != dib::kRgbColors && s.usage != dib::kPalColors && !paletteIndices)
    return Unplayable("has a bitmap whose colours are of an unknown kind");
  if (s.cbBmi < dib::kCoreHeaderBytes || !r.Has(s.offBmi, s.cbBmi))
    return Damaged("has its bitmap header outside the record");
  if (!r.Has(s.offBits, s.cbBits)) return Damaged("has its bitmap bits outside the record");
  const uint32_t biSize = r.U32(s.offBmi);
  // The OS/2 header keeps 16-bit sizes where players that go by
  // BITMAPINFOHEADER (masks, mono brushes) read other fields.
  if (biSize == dib::kCoreHeaderBytes) return Unplayable("has an OS/2 bitmap header");
  if (biSize < dib::kInfoHeaderBytes) return Unplayable("has a bitmap header of an unknown size");
  if (biSize > s.cbBmi) return Damaged("has a bitmap header larger than its bytes");
  const int32_t width = r.I32(s.offBmi + dib::kWidth);
  const int32_t height = r.I32(s.offBmi + dib::kHeight);
  const uint16_t planes = r.U16(s.offBmi + dib::kPlanes);
  const uint16_t bits = r.U16(s.offBmi + dib::kBitCount);
  const uint32_t compression = r.U32(s.offBmi + dib::kCompression);
  const uint32_t sizeImage = r.U32(s.offBmi + dib::kSizeImage);
  const uint32_t clrUsed = r.U32(s.offBmi + dib::kClrUsed);
  if (width <= 0 || height == 0) return Unplayable("has a bitmap of no size");
  if (width > kMaxSide || height < -kMaxSide || height > kMaxSide) return Unplayable("has a bitmap too large to draw");
  if (planes != 1) return Unplayable("has a bitmap of more than one plane");
  if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
    return Unplayable("has a bitmap of an unknown depth");
  if (paletteIndices && bits != 1) return Unplayable("has a mono brush of more than one bit per pixel");
  const bool runLength = compression == dib::kBiRle8 || compression == dib::kBiRle4;
  uint64_t tableAt = biSize;
  if (compression == dib::kBiBitfields) {
    if (bits != 16 && bits != 32) return Unplayable("has colour masks on a bitmap of the wrong depth");
    tableAt = std::max<uint64_t>(biSize, dib::kMasks + dib::kMaskBytes);
    if (tableAt > s.cbBmi) return Damaged("has its colour masks outside its bitmap header");
    // A section of such a bitmap is refused, and one player copies into it anyway.
    if (use.section)
      for (uint64_t i = 0; i < 3; ++i)
        if (r.U32(s.offBmi + dib::kMasks + 4 * i) == 0) return Unplayable("has a colour mask of no bits");
  } else if (runLength) {
    if (!use.compressed || use.section) return Unplayable("has run-length pixels where the player takes plain ones");
    if (bits != (compression == dib::kBiRle8 ? 8 : 4) || height < 0 || sizeImage == 0)
      return Unplayable("has run-length pixels of an impossible kind");
  } else if (compression != dib::kBiRgb) {
    return Unplayable("has a compressed bitmap");  // JPEG and PNG payloads are for printers
  }
  const uint64_t entry = s.usage == dib::kPalColors ? 2 : 4;
  const uint64_t stride = (static_cast<uint64_t>(width) * bits + 31) / 32 * 4;
  const uint64_t rows = height < 0 ? -static_cast<int64_t>(height) : height;
  const uint64_t image = runLength ? sizeImage : stride * std::min(use.rows, rows);
  // What GDI reads of the table. A packed bitmap's pixels follow the entries
  // biClrUsed counts (at most 256), inside the header's bytes.
  uint64_t read = bits <= 8 ? (clrUsed ? std::min<uint64_t>(clrUsed, 1u << bits) : 1u << bits) : 0;
  uint64_t counted = clrUsed ? std::min<uint64_t>(clrUsed, 256) : read;
  const uint64_t room = !use.packed ? s.cbBmi : s.cbBmi > image ? s.cbBmi - image : 0;
  if (mend && !paletteIndices && bits <= 8 && tableAt + entry * read > room && room > tableAt) {
    const uint64_t fit = (room - tableAt) / entry;
    if (fit >= 1 && fit < read) {
      for (int i = 0; i < 4; ++i) mend[s.offBmi + dib::kClrUsed + i] = static_cast<uint8_t>(fit >> (8 * i));
      read = counted = fit;
    }
  }
  // DIB_PAL_INDICES means no table to Windows, yet Wine reads an RGB table's
  // worth after the header: it must be inside the record either way.
  if (paletteIndices ? !r.Has(s.offBmi, tableAt + 4 * read) : tableAt + entry * read > s.cbBmi)
    return Damaged("has its colour table outside its bitmap header");
  if (use.monoBrush && !r.Has(s.offBmi, dib::kInfoHeaderBytes + 8))
    return Damaged("has its two colours outside the record");
  const uint64_t infoBytes = std::max(tableAt, tableAt + entry * counted);
  const bool inside = use.packed ? infoBytes + image <= s.cbBmi : image <= s.cbBits;
  if (!inside) return Damaged(runLength ? "has run-length data outside its bits" : "has bitmap bits shorter than its rows");
  if ((runLength || use.section) && stride * rows > kMaxDecodedBytes) return Unplayable("has a bitmap too large to draw");
  if (layout) *layout = DibLayout{width, height, bits, infoBytes, image};
  return {};
}

}  // namespace core
