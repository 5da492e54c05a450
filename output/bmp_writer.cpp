#include "output/bmp_writer.h"

namespace output {

bool BmpWriter::Begin(int32_t width, int32_t height) {
  const auto layout = core::MakeBmpLayout(width, height, dpi_);
  if (!layout) return file_.Refuse(core::kTooLargeForBmpText);
  layout_ = *layout;
  width_ = width;
  rowsLeft_ = height;
  return file_.Open() && file_.Write(layout_.header.data(), layout_.header.size());
}

core::BandLayout BmpWriter::Layout() const { return core::BandLayout{width_, layout_.stride, true, false}; }

bool BmpWriter::WriteBand(const uint8_t* band, int32_t rows) {
  if (rows <= 0 || rows > rowsLeft_) return file_.Fail(L"more rows than the picture has.");
  rowsLeft_ -= rows;
  return file_.Write(band, size_t(int64_t{rows} * layout_.stride));
}

bool BmpWriter::Finish() {
  if (rowsLeft_ != 0) return file_.Fail(L"the picture ended early.");
  return file_.Commit();
}

}  // namespace output
