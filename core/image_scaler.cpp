#include "core/image_scaler.h"

#include <algorithm>

namespace core {

std::vector<SourceSpan> MapAxis(int64_t source, int64_t dest, int64_t from, int64_t to) {
  std::vector<SourceSpan> spans;
  if (source <= 0 || dest <= 0 || to <= from) return spans;
  spans.reserve(static_cast<size_t>(to - from));
  for (int64_t d = from; d < to; ++d) {
    SourceSpan s;
    if (dest >= source) {
      s.first = static_cast<int32_t>((2 * d + 1) * source / (2 * dest));
    } else {
      const int64_t a = d * source / dest, b = (d + 1) * source / dest;
      s.first = static_cast<int32_t>(a);
      s.count = static_cast<int32_t>(std::max<int64_t>(1, b - a));
    }
    spans.push_back(s);
  }
  return spans;
}

void ScaleBlock(const ImagePixels& src, const std::vector<SourceSpan>& cols,
                const std::vector<SourceSpan>& rows, uint32_t* out) {
  for (const SourceSpan& row : rows) {
    for (const SourceSpan& col : cols) {
      if (row.count == 1 && col.count == 1) {
        *out++ = src.data[static_cast<size_t>(row.first) * src.width + col.first];
        continue;
      }
      uint64_t r = 0, g = 0, b = 0;
      for (int32_t y = row.first; y < row.first + row.count; ++y) {
        const uint32_t* p = src.data.data() + static_cast<size_t>(y) * src.width + col.first;
        for (int32_t x = 0; x < col.count; ++x) {
          r += (p[x] >> 16) & 0xFF;
          g += (p[x] >> 8) & 0xFF;
          b += p[x] & 0xFF;
        }
      }
      const uint64_t n = static_cast<uint64_t>(row.count) * col.count, h = n / 2;
      *out++ = static_cast<uint32_t>(((r + h) / n) << 16 | ((g + h) / n) << 8 | ((b + h) / n));
    }
  }
}

void CompositeOverWhite(uint32_t* pixels, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    const uint32_t p = pixels[i], a = p >> 24, paper = 255 * (255 - a);
    auto blend = [&](int shift) { return (((p >> shift) & 0xFF) * a + paper + 127) / 255 << shift; };
    pixels[i] = blend(16) | blend(8) | blend(0);
  }
}

}  // namespace core
