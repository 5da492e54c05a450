#include "render/documents/dib_check.h"

#include <windows.h>

namespace documents {

bool CheckEmbeddedDib(const RecordReader& r, uint32_t offBmi, uint32_t cbBmi, uint32_t offBits,
                      uint32_t cbBits, uint32_t usage) {
  constexpr uint32_t kHeader = sizeof(BITMAPINFOHEADER);
  constexpr int32_t kMaxSide = 1 << 15;
  if (usage != DIB_RGB_COLORS) return false;
  if (cbBmi < kHeader || !r.Has(offBmi, cbBmi) || !r.Has(offBits, cbBits)) return false;
  const uint32_t biSize = r.U32(offBmi);
  const int32_t width = r.I32(offBmi + 4);
  const int32_t height = r.I32(offBmi + 8);
  const uint16_t planes = r.U16(offBmi + 12);
  const uint16_t bits = r.U16(offBmi + 14);
  const uint32_t compression = r.U32(offBmi + 16);
  const uint32_t clrUsed = r.U32(offBmi + 32);
  if (biSize < kHeader || biSize > cbBmi) return false;
  if (width <= 0 || width > kMaxSide || height == 0 || height < -kMaxSide || height > kMaxSide)
    return false;
  if (planes != 1) return false;
  if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) return false;
  uint64_t tableBytes = 0;
  if (compression == BI_RGB) {
    if (bits <= 8) {
      const uint32_t maxColors = 1u << bits;
      if (clrUsed > maxColors) return false;
      tableBytes = 4ull * (clrUsed ? clrUsed : maxColors);
    }
  } else if (compression == BI_BITFIELDS) {
    if (bits != 16 && bits != 32) return false;
    if (biSize == kHeader) tableBytes = 12;  // the three masks follow the header
  } else {
    return false;  // no RLE, JPEG or PNG payloads
  }
  if (static_cast<uint64_t>(biSize) + tableBytes > cbBmi) return false;
  const uint64_t stride = ((static_cast<uint64_t>(width) * bits + 31) / 32) * 4;
  const uint64_t rows = height < 0 ? -static_cast<int64_t>(height) : height;
  return stride * rows <= cbBits;
}

}  // namespace documents
