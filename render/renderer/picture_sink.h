// The window's render target: the whole framed picture in memory, allocated
// with the raster library before anything is drawn and filled with the border
// colour, each strip copied into its place.
#pragma once
#include "raster/owned_dib.h"
#include "render/renderer/row_sink.h"

namespace render {

class PictureSink final : public RowSink {
 public:
  bool Begin(const FramedPicture& picture) override;
  bool PutStrip(const RowImage& strip, int32_t top) override;
  bool Finish() override { return true; }
  std::wstring Error() const override { return error_; }

  // The finished picture, which the caller takes over.
  raster::OwnedDib Take() { return std::move(target_); }

 private:
  raster::OwnedDib target_;
  core::FrameGeometry frame_;
  bool border_ = false;
  std::wstring error_;
};

// The raster image's rows as plain memory.
RowImage RowsOf(const TDibImage& image);

}  // namespace render
