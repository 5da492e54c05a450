#include "core/bmp_layout.h"

#include "core/le_write.h"
#include "core/picture_format.h"
#include "core/render_geometry.h"

namespace core {

std::optional<BmpLayout> MakeBmpLayout(int32_t width, int32_t height, int32_t dpi) {
  if (width < 1 || height < 1) return std::nullopt;
  BmpLayout l;
  l.stride = DibStride(width, 24);
  // Both factors are below 2^31 and 2^34, so the product cannot pass 2^64.
  l.imageBytes = static_cast<uint64_t>(l.stride) * static_cast<uint64_t>(height);
  l.fileBytes = l.imageBytes + kBmpHeaderBytes;
  if (l.fileBytes > kMaxBmpFileBytes) return std::nullopt;

  std::vector<uint8_t>& h = l.header;
  h.reserve(kBmpHeaderBytes);
  // File header.
  PutU16(h, 0x4D42);  // "BM"
  PutU32(h, static_cast<uint32_t>(l.fileBytes));
  PutU16(h, 0);  // reserved
  PutU16(h, 0);
  PutU32(h, kBmpHeaderBytes);  // offset of the pixels
  // BITMAPINFOHEADER.
  PutU32(h, kBmpInfoHeaderBytes);
  PutI32(h, width);
  PutI32(h, height);  // positive: bottom-up rows
  PutU16(h, 1);       // planes
  PutU16(h, 24);      // bits per pixel
  PutU32(h, 0);       // BI_RGB
  PutU32(h, static_cast<uint32_t>(l.imageBytes));
  const uint32_t perMetre = PixelsPerMetre(dpi);  // 0 for no resolution
  PutU32(h, perMetre);  // horizontal and vertical resolution
  PutU32(h, perMetre);
  PutU32(h, 0);  // colours used
  PutU32(h, 0);  // important colours
  return l;
}

uint64_t BmpLayout::BandOffset(int32_t height, int32_t top, int32_t rows) const {
  const int64_t lowest = int64_t{height} - top - rows;  // memory row, counted from the bottom
  return kBmpHeaderBytes + static_cast<uint64_t>(lowest) * static_cast<uint64_t>(stride);
}

}  // namespace core
