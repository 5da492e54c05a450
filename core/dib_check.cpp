#include "core/dib_check.h"

#include "core/dib_format.h"

namespace core {

const char* CheckEmbeddedDib(const ByteReader& r, uint32_t offBmi, uint32_t cbBmi, uint32_t offBits,
                             uint32_t cbBits, uint32_t usage) {
  constexpr uint32_t kHeader = dib::kInfoHeaderBytes;
  constexpr int32_t kMaxSide = 1 << 15;
  if (usage != dib::kRgbColors) return "has a bitmap whose colours are no RGB table";
  if (cbBmi < kHeader || !r.Has(offBmi, cbBmi)) return "has its bitmap header outside the record";
  if (!r.Has(offBits, cbBits)) return "has its bitmap bits outside the record";
  const uint32_t biSize = r.U32(offBmi);
  const int32_t width = r.I32(offBmi + dib::kWidth);
  const int32_t height = r.I32(offBmi + dib::kHeight);
  const uint16_t planes = r.U16(offBmi + dib::kPlanes);
  const uint16_t bits = r.U16(offBmi + dib::kBitCount);
  const uint32_t compression = r.U32(offBmi + dib::kCompression);
  const uint32_t clrUsed = r.U32(offBmi + dib::kClrUsed);
  if (biSize < kHeader || biSize > cbBmi) return "has a bitmap header of the wrong size";
  if (width <= 0 || width > kMaxSide || height == 0 || height < -kMaxSide || height > kMaxSide)
    return "has a bitmap of impossible dimensions";
  if (planes != 1) return "has a bitmap of more than one plane";
  if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
    return "has a bitmap of an unknown depth";
  uint64_t tableBytes = 0;
  if (compression == dib::kBiRgb) {
    if (bits <= 8) {
      const uint32_t maxColors = 1u << bits;
      if (clrUsed > maxColors) return "has more colours than its bitmap's depth holds";
      tableBytes = 4ull * (clrUsed ? clrUsed : maxColors);
    }
  } else if (compression == dib::kBiBitfields) {
    if (bits != 16 && bits != 32) return "has colour masks on a bitmap of the wrong depth";
    if (biSize == kHeader) tableBytes = 12;  // the three masks follow the header
  } else {
    return "has a compressed bitmap";  // no RLE, JPEG or PNG payloads
  }
  if (static_cast<uint64_t>(biSize) + tableBytes > cbBmi) return "has its colour table outside its bitmap header";
  const uint64_t stride = ((static_cast<uint64_t>(width) * bits + 31) / 32) * 4;
  const uint64_t rows = height < 0 ? -static_cast<int64_t>(height) : height;
  return stride * rows <= cbBits ? nullptr : "has bitmap bits shorter than its rows";
}

}  // namespace core
