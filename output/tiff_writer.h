// TIFF: Verdalux's own streamed writer (the platform's TIFF encoder holds the
// whole frame). Uncompressed baseline RGB in strips, the core's header bytes
// first, then the rows top row first; a BigTIFF when the file passes 4 GB.
#pragma once
#include "core/tiff_layout.h"
#include "output/picture_writer.h"

namespace output {

class TiffWriter final : public PictureWriter {
 public:
  TiffWriter(const std::wstring& path, int32_t dpi, bool forceBig = false)
      : PictureWriter(path), dpi_(dpi), forceBig_(forceBig) {}
  bool Begin(int32_t width, int32_t height) override;
  core::BandLayout Layout() const override;
  bool WriteBand(const uint8_t* band, int32_t rows) override;
  bool Finish() override;
  bool Big() const { return layout_.big; }

 private:
  int32_t dpi_;
  bool forceBig_;
  int32_t width_ = 0;
  int64_t rowsLeft_ = 0;
  core::TiffLayout layout_;
};

}  // namespace output
