#include "pictrix/resample.h"

#include <algorithm>

namespace pictrix {

Span SourceSpan(int64_t i, int64_t srcLen, int64_t dstLen) {
  Span s;
  s.first = i * srcLen / dstLen;
  s.last = std::max(s.first + 1, (i + 1) * srcLen / dstLen);
  return s;
}

BoxResampler::BoxResampler(const uint8_t* bits, int64_t stride, int64_t srcWidth, int64_t srcHeight,
                           int64_t dstWidth, int64_t dstHeight)
    : bits_(bits), stride_(stride), sw_(srcWidth), sh_(srcHeight), dw_(dstWidth), dh_(dstHeight) {
  cols_.reserve(static_cast<size_t>(dw_));
  for (int64_t u = 0; u < dw_; ++u) cols_.push_back(SourceSpan(u, sw_, dw_));
  sums_.assign(static_cast<size_t>(dw_) * 3, 0);
}

void BoxResampler::Row(int64_t row, uint8_t* out) {
  const Span rows = SourceSpan(row, sh_, dh_);
  std::fill(sums_.begin(), sums_.end(), 0);
  for (int64_t y = rows.first; y < rows.last; ++y) {
    const uint8_t* src = bits_ + y * stride_;
    uint64_t* sum = sums_.data();
    for (const Span& c : cols_) {
      for (int64_t x = c.first; x < c.last; ++x) {
        const uint8_t* p = src + 3 * x;
        sum[0] += p[0];
        sum[1] += p[1];
        sum[2] += p[2];
      }
      sum += 3;
    }
  }
  const uint64_t rowCount = static_cast<uint64_t>(rows.last - rows.first);
  for (size_t u = 0; u < cols_.size(); ++u) {
    const uint64_t n = rowCount * static_cast<uint64_t>(cols_[u].last - cols_[u].first);
    for (int k = 0; k < 3; ++k) out[3 * u + k] = static_cast<uint8_t>((sums_[3 * u + k] + n / 2) / n);
  }
}

}  // namespace pictrix
