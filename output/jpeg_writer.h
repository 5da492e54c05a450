// JPEG through the IJG libjpeg library, fed band by band: the compressor
// takes rows as they come and holds only its own few rows of working memory.
// The quality goes to libjpeg's quality scaling, the resolution into the JFIF
// header's density in dots per inch. (The platform's JPEG encoder would do,
// but Wine's ignores its ImageQuality option.)
#pragma once
#include <memory>

#include "output/picture_writer.h"

namespace output {

class JpegWriter final : public PictureWriter {
 public:
  JpegWriter(const std::wstring& path, const core::WriteOptions& options);
  ~JpegWriter() override;
  bool Begin(int32_t width, int32_t height) override;
  core::BandLayout Layout() const override;
  bool WriteBand(const uint8_t* band, int32_t rows) override;
  bool Finish() override;

 private:
  struct Compressor;  // libjpeg's state; its header stays out of this one
  core::WriteOptions options_;
  int32_t width_ = 0;
  int64_t rowsLeft_ = 0;
  std::unique_ptr<Compressor> jpeg_;
};

}  // namespace output
