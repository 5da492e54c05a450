#include "render/renderer/picture_sink.h"

#include "render/renderer/strip_renderer.h"

namespace render {

RowImage RowsOf(const TDibImage& image) {
  return RowImage{static_cast<uint8_t*>(image.Bits), image.BytesPerRow, DIBWidth(image), DIBHeight(image)};
}

bool PictureSink::Begin(const FramedPicture& picture) {
  frame_ = picture.frame;
  border_ = picture.border;
  // The whole target first: a size that cannot be had fails before any drawing.
  target_ = raster::OwnedDib::New(frame_.totalWidth, frame_.totalHeight, 24);
  if (!target_) {
    error_ = kTargetFailedText;
    return false;
  }
  if (border_) FillWithPixel(RowsOf(target_.get()), picture.borderPixel);
  return true;
}

bool PictureSink::PutStrip(const RowImage& strip, int32_t top) {
  if (PlaceStrip(strip, RowsOf(target_.get()), frame_, border_, top)) return true;
  error_ = kCopyFailedText;
  return false;
}

}  // namespace render
