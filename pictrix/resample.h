// Area-average resampling of 24-bit rows. Each destination pixel is the
// average of the block of source pixels it covers: when shrinking, every source
// pixel counts once; when enlarging, the block is one pixel (nearest neighbour).
#pragma once
#include <cstdint>
#include <vector>

namespace pictrix {

struct Span {
  int64_t first = 0;  // inclusive
  int64_t last = 0;   // exclusive; always > first
};

// Source indices covered by destination index i when srcLen maps onto dstLen.
Span SourceSpan(int64_t i, int64_t srcLen, int64_t dstLen);

// Reads a 24-bit image row by row and yields resampled rows.
class BoxResampler {
 public:
  // bits: source pixels (rows of `stride` bytes, blue-green-red); rows are
  // indexed in memory order in source and destination alike.
  BoxResampler(const uint8_t* bits, int64_t stride, int64_t srcWidth, int64_t srcHeight, int64_t dstWidth,
               int64_t dstHeight);
  // Destination row `row` as dstWidth blue-green-red pixels into out.
  void Row(int64_t row, uint8_t* out);

 private:
  const uint8_t* bits_;
  int64_t stride_, sw_, sh_, dw_, dh_;
  std::vector<Span> cols_;
  std::vector<uint64_t> sums_;
};

}  // namespace pictrix
