#include "core/draw_geometry.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace core {

int64_t RoundHalfEven(int64_t num, int64_t den) {
  if (den < 0) {
    num = -num;
    den = -den;
  }
  int64_t q = num / den;
  int64_t rem = num % den;  // same sign as num
  if (rem < 0) {
    --q;
    rem += den;
  }
  // Now num = q * den + rem with 0 <= rem < den: q is the floor. The half is
  // compared as rem against den - rem, which cannot overflow as 2 * rem could.
  if (rem > den - rem || (rem == den - rem && (q & 1))) ++q;
  return q;
}

int64_t ScaleRound(int64_t a, int64_t b, int64_t den) {
  int64_t product;
  if (!__builtin_mul_overflow(a, b, &product)) return RoundHalfEven(product, den);
  const long double q = std::nearbyint(static_cast<long double>(a) * b / den);  // ties to even
  if (q >= 9.2e18L) return std::numeric_limits<int64_t>::max();
  if (q <= -9.2e18L) return std::numeric_limits<int64_t>::min();
  return static_cast<int64_t>(q);
}

DrawRect ClipToImage(DrawRect r, int64_t W, int64_t H) {
  if (r.srcX + r.srcWidth > W) {
    r.destWidth = ScaleRound(r.destWidth, W - r.srcX, r.srcWidth);
    r.srcWidth = W - r.srcX;
  }
  if (r.srcY < 0) {
    r.destHeight = ScaleRound(r.srcHeight + r.srcY, r.destHeight, r.srcHeight);
    r.srcHeight = r.srcHeight + r.srcY;
    r.srcY = 0;
  }
  if (r.srcY + r.srcHeight > H && r.srcHeight != 0) {
    const int64_t k = ScaleRound(r.destHeight, H - r.srcY, r.srcHeight);
    r.destY = r.destY + r.destHeight - k;
    r.destHeight = k;
    r.srcHeight = H - r.srcY;
  }
  if (r.srcX < 0 && r.srcWidth != 0) {
    const int64_t k = ScaleRound(r.srcX + r.srcWidth, r.destWidth, r.srcWidth);
    r.destX = r.destX + r.destWidth - k;
    r.destWidth = k;
    r.srcWidth = r.srcX + r.srcWidth;
    r.srcX = 0;
  }
  return r;
}

bool FitsGdi(const DrawRect& r) {
  const int64_t lo = std::numeric_limits<int32_t>::min(), hi = std::numeric_limits<int32_t>::max();
  for (int64_t v : {r.destX, r.destY, r.destWidth, r.destHeight, r.srcX, r.srcY, r.srcWidth, r.srcHeight})
    if (v < lo || v > hi) return false;
  return true;
}

Way ChooseWay(int bitCount, int screenBitsPerPixel, bool halftone, bool isPrinter) {
  if (bitCount == 24 && screenBitsPerPixel <= 8 && halftone) return Way::Halftone;
  if (bitCount == 24 && !isPrinter) return Way::Rows24;
  if (bitCount == 8 && !isPrinter) return Way::Rows8;
  return Way::DeviceStretch;
}

ColumnMap BuildColumnMap(int64_t srcX, int64_t srcWidth, int64_t n, int64_t W, int bytesPerPixel) {
  ColumnMap m;
  m.first = n;
  m.last = 0;
  if (n <= 0) return m;
  m.offsets.resize(static_cast<size_t>(n));
  const int64_t rowBytes = int64_t{bytesPerPixel} * W;
  for (int64_t i = 0; i < n; ++i) {
    const int64_t off = bytesPerPixel * (srcX + (srcWidth * i) / n);
    m.offsets[static_cast<size_t>(i)] = off;
    if (off >= 0 && off < rowBytes) {
      if (m.first == n) m.first = i;
      m.last = i;
    }
  }
  return m;
}

int64_t SourceRowFromTop(int64_t srcTop, int64_t srcHeight, int64_t destHeight, int64_t r) {
  return srcTop + (srcHeight * r) / destHeight;
}

int64_t EndpointIndex(int64_t src0, int64_t srcLen, int64_t destLen, int64_t i) {
  if (destLen <= 1) return src0;
  return src0 + ((srcLen - 1) * i) / (destLen - 1);
}

IndexRange VisibleRange(int64_t start, int64_t count, int64_t clipBegin, int64_t clipEnd) {
  IndexRange r;
  r.begin = std::clamp<int64_t>(clipBegin - start, 0, std::max<int64_t>(count, 0));
  r.end = std::clamp<int64_t>(clipEnd - start, r.begin, std::max<int64_t>(count, 0));
  return r;
}

}  // namespace core
