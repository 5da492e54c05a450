// The writer for each format.
#include "output/bmp_writer.h"
#include "output/jpeg_writer.h"
#include "output/tiff_writer.h"
#include "output/wic_writer.h"

namespace output {

std::unique_ptr<PictureWriter> MakePictureWriter(const std::wstring& path, const core::WriteOptions& options) {
  switch (options.format) {
    case core::PictureFormat::kBmp: return std::make_unique<BmpWriter>(path, options.dpi);
    case core::PictureFormat::kTiff: return std::make_unique<TiffWriter>(path, options.dpi);
    case core::PictureFormat::kPng: return std::make_unique<WicWriter>(path, options);
    case core::PictureFormat::kJpeg: return std::make_unique<JpegWriter>(path, options);
  }
  return nullptr;
}

}  // namespace output
