// GDI's rules for an embedded bitmap, as its DIB functions apply them: a
// header of 12 bytes is the OS/2 core header, 40 bytes and more a
// BITMAPINFOHEADER whose first 40 bytes are read; bit-field masks are read at
// byte 40 whatever the header's size; a colour table of biClrUsed entries (all
// 2^bits when 0) follows the header for up to 8 bits per pixel, and biClrUsed
// entries follow it at higher depths too, where packed bitmaps count them
// before the pixels; the pixel rows are stride * |height| bytes.
#include "core/dib_check.h"

#include <algorithm>

#include "core/dib_format.h"

namespace core {

const char* CheckEmbeddedDib(const ByteReader& r, const DibSpan& s, const DibUse& use, DibLayout* layout) {
  constexpr int32_t kMaxSide = 1 << 15;
  const bool paletteIndices = use.monoBrush && s.usage == dib::kPalIndices;
  if (s.usage != dib::kRgbColors && !paletteIndices) return "has a bitmap whose colours are no RGB table";
  if (s.cbBmi < dib::kInfoHeaderBytes || !r.Has(s.offBmi, s.cbBmi)) return "has its bitmap header outside the record";
  if (!r.Has(s.offBits, s.cbBits)) return "has its bitmap bits outside the record";
  const uint32_t biSize = r.U32(s.offBmi);
  const int32_t width = r.I32(s.offBmi + dib::kWidth);
  const int32_t height = r.I32(s.offBmi + dib::kHeight);
  const uint16_t planes = r.U16(s.offBmi + dib::kPlanes);
  const uint16_t bits = r.U16(s.offBmi + dib::kBitCount);
  const uint32_t compression = r.U32(s.offBmi + dib::kCompression);
  const uint32_t clrUsed = r.U32(s.offBmi + dib::kClrUsed);
  // The OS/2 header keeps 16-bit sizes where players that go by BITMAPINFOHEADER
  // (masks, mono brushes) read other fields; no metafile recorder writes it.
  if (biSize == dib::kCoreHeaderBytes) return "has an OS/2 bitmap header";
  if (biSize != dib::kInfoHeaderBytes && biSize != dib::kV2HeaderBytes && biSize != dib::kV3HeaderBytes &&
      biSize != dib::kV4HeaderBytes && biSize != dib::kV5HeaderBytes)
    return "has a bitmap header of an unknown size";
  if (biSize > s.cbBmi) return "has a bitmap header larger than its bytes";
  if (width <= 0 || width > kMaxSide || height == 0 || height < -kMaxSide || height > kMaxSide)
    return "has a bitmap of impossible dimensions";
  if (planes != 1) return "has a bitmap of more than one plane";
  if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
    return "has a bitmap of an unknown depth";
  if (use.monochrome && bits != 1) return "has a mask or mono brush of more than one bit per pixel";
  uint64_t tableAt = biSize;
  if (compression == dib::kBiBitfields) {
    if (bits != 16 && bits != 32) return "has colour masks on a bitmap of the wrong depth";
    tableAt = std::max<uint64_t>(biSize, dib::kMasks + dib::kMaskBytes);
    if (tableAt > s.cbBmi) return "has its colour masks outside its bitmap header";
    for (uint64_t i = 0; i < 3; ++i)
      if (r.U32(s.offBmi + dib::kMasks + 4 * i) == 0) return "has a colour mask of no bits";
  } else if (compression != dib::kBiRgb) {
    return "has a compressed bitmap";  // no RLE, JPEG or PNG payloads
  }
  uint64_t entries = clrUsed;
  if (bits <= 8) {
    if (clrUsed > (1u << bits)) return "has more colours than its bitmap's depth holds";
    if (clrUsed == 0) entries = 1u << bits;
  } else if (clrUsed > 256) {
    return "has a colour table of more than 256 entries";
  }
  const uint64_t infoBytes = tableAt + 4 * entries;
  // DIB_PAL_INDICES means no table to Windows, yet Wine reads an RGB table's
  // worth after the header: it must be inside the record either way.
  if (paletteIndices ? !r.Has(s.offBmi, infoBytes) : infoBytes > s.cbBmi)
    return "has its colour table outside its bitmap header";
  if (use.monoBrush && !r.Has(s.offBmi, dib::kInfoHeaderBytes + 8))
    return "has its two colours outside the record";
  if (use.monoBrush && !paletteIndices && infoBytes < dib::kInfoHeaderBytes + 8)
    return "has a mono brush without two colours";
  const uint64_t stride = (static_cast<uint64_t>(width) * bits + 31) / 32 * 4;
  const uint64_t rows = std::min<uint64_t>(use.rows, height < 0 ? -static_cast<int64_t>(height) : height);
  if (stride * rows > s.cbBits) return "has bitmap bits shorter than its rows";
  if (layout) *layout = DibLayout{width, height, bits, infoBytes, stride * rows};
  return nullptr;
}

}  // namespace core
