#include "output/tiff_writer.h"

namespace output {

bool TiffWriter::Begin(int32_t width, int32_t height) {
  const auto layout = core::MakeTiffLayout(width, height, dpi_, forceBig_);
  if (!layout) return file_.Fail(L"no picture to write.");
  layout_ = *layout;
  width_ = width;
  rowsLeft_ = height;
  return file_.Open() && file_.Write(layout_.header.data(), layout_.header.size());
}

core::BandLayout TiffWriter::Layout() const {
  return core::BandLayout{width_, int64_t(layout_.rowBytes), false, true};
}

bool TiffWriter::WriteBand(const uint8_t* band, int32_t rows) {
  if (rows <= 0 || rows > rowsLeft_) return file_.Fail(L"more rows than the picture has.");
  rowsLeft_ -= rows;
  return file_.Write(band, size_t(int64_t{rows} * int64_t(layout_.rowBytes)));
}

bool TiffWriter::Finish() {
  if (rowsLeft_ != 0) return file_.Fail(L"the picture ended early.");
  return file_.Commit();
}

}  // namespace output
