#include "pictrix/layout.h"

#include <algorithm>
#include <cstddef>
#include <limits>

namespace pictrix {

bool IsSupportedDepth(int32_t bpp) {
  return bpp == 1 || bpp == 4 || bpp == 8 || bpp == 16 || bpp == 24 || bpp == 32;
}

int32_t TableEntries(int32_t bpp, uint32_t clrUsed) {
  if (bpp <= 0) return 0;
  const int64_t full = bpp <= 8 ? (int64_t{1} << bpp) : 0;
  if (clrUsed == 0) return static_cast<int32_t>(full);
  if (bpp <= 8) return static_cast<int32_t>(std::min<int64_t>(clrUsed, full));
  return static_cast<int32_t>(std::min<uint32_t>(clrUsed, 256));
}

std::optional<ImageLayout> ComputeLayout(int32_t width, int32_t height, int32_t bpp) {
  if (width <= 0 || height <= 0 || !IsSupportedDepth(bpp)) return std::nullopt;
  const int64_t stride = ((int64_t{width} * bpp + 31) / 32) * 4;
  if (stride > std::numeric_limits<int32_t>::max()) return std::nullopt;
  const uint64_t bytes = static_cast<uint64_t>(stride) * static_cast<uint64_t>(height);
  if (bytes > std::numeric_limits<uint32_t>::max()) return std::nullopt;
  if (bytes > std::numeric_limits<size_t>::max() / 2) return std::nullopt;
  ImageLayout l;
  l.bytesPerRow = static_cast<int32_t>(stride);
  l.sizeImage = static_cast<uint32_t>(bytes);
  l.tableEntries = TableEntries(bpp, 0);
  return l;
}

uint64_t SafetyMargin(const MemoryFigures& m) {
  return std::max<uint64_t>(uint64_t{256} << 20, m.totalPhys / 8);
}

bool FitsInMemory(uint64_t bytes, const MemoryFigures& m) {
  const uint64_t avail = std::min(m.availPhys, m.availPageFile);
  const uint64_t margin = SafetyMargin(m);
  if (avail <= margin || bytes > avail - margin) return false;
  return m.availVirtual > kAddressSpaceReserve && bytes <= m.availVirtual - kAddressSpaceReserve;
}

}  // namespace pictrix
