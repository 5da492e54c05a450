// Sole owner of one raster image: released with deldib exactly once, when the
// owner goes or is reset. A record whose Bits is nil owns nothing and is
// dropped without deldib.
#pragma once
#include <cstdint>

#include "raster/dib.h"

namespace raster {

class OwnedDib {
 public:
  OwnedDib() = default;
  // Takes over a record just filled by the library.
  explicit OwnedDib(const TDibImage& adopt);
  ~OwnedDib() { reset(); }
  OwnedDib(OwnedDib&& o) noexcept;
  OwnedDib& operator=(OwnedDib&& o) noexcept;
  OwnedDib(const OwnedDib&) = delete;
  OwnedDib& operator=(const OwnedDib&) = delete;

  // newdib; the result is empty (no Bits) when the library refused.
  static OwnedDib New(int32_t width, int32_t height, int32_t bitsPerPixel, const BITMAPINFO* colors = nullptr,
                      int32_t colorCount = 0);
  static OwnedDib Halftone(const TDibImage& source);
  static OwnedDib HalftoneXY(const TDibImage& source, int32_t width, int32_t height);

  const TDibImage& get() const { return image_; }
  explicit operator bool() const { return image_.Bits != nullptr; }
  // Gives up ownership; the caller now releases the record.
  TDibImage release();
  void reset();

 private:
  TDibImage image_{};
};

}  // namespace raster
