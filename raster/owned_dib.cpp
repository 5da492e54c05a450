#include "raster/owned_dib.h"

#include <utility>

namespace raster {

OwnedDib::OwnedDib(const TDibImage& adopt) {
  if (adopt.Bits) image_ = adopt;
}

OwnedDib::OwnedDib(OwnedDib&& o) noexcept : image_(o.release()) {}

OwnedDib& OwnedDib::operator=(OwnedDib&& o) noexcept {
  if (this != &o) {
    reset();
    image_ = o.release();
  }
  return *this;
}

OwnedDib OwnedDib::New(int32_t width, int32_t height, int32_t bitsPerPixel, const BITMAPINFO* colors,
                       int32_t colorCount) {
  TDibImage image{};
  newdib(&image, width, height, bitsPerPixel, colors, colorCount);
  return OwnedDib(image);
}

OwnedDib OwnedDib::Halftone(const TDibImage& source) {
  TDibImage image{};
  DIBHalftoneDIB(&image, source);
  return OwnedDib(image);
}

OwnedDib OwnedDib::HalftoneXY(const TDibImage& source, int32_t width, int32_t height) {
  TDibImage image{};
  DIBHalftoneDIBXY(&image, source, width, height);
  return OwnedDib(image);
}

TDibImage OwnedDib::release() { return std::exchange(image_, TDibImage{}); }

void OwnedDib::reset() {
  if (image_.Bits) deldib(image_);
  image_ = TDibImage{};
}

}  // namespace raster
