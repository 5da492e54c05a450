// BMP: the core's 54 header bytes, then the rows bottom row first, each
// padded to 4 bytes. Pictures whose file would pass 4 GB are refused.
#pragma once
#include "core/bmp_layout.h"
#include "output/picture_writer.h"

namespace output {

class BmpWriter final : public PictureWriter {
 public:
  BmpWriter(const std::wstring& path, int32_t dpi) : PictureWriter(path), dpi_(dpi) {}
  bool Begin(int32_t width, int32_t height) override;
  core::BandLayout Layout() const override;
  bool WriteBand(const uint8_t* band, int32_t rows) override;
  bool Finish() override;

 private:
  int32_t dpi_;
  int32_t width_ = 0;
  int64_t rowsLeft_ = 0;
  core::BmpLayout layout_;
};

}  // namespace output
