#include "output/stream_sink.h"

#include <algorithm>
#include <new>

#include <windows.h>

namespace output {

StreamSink::StreamSink(std::unique_ptr<PictureWriter> writer, bool threaded)
    : writer_(std::move(writer)), worker_(threaded) {}

StreamSink::~StreamSink() {
  // The writer's objects live on the worker thread and go there.
  worker_.Stop([this] { writer_.reset(); });
}

std::wstring StreamSink::Error() const {
  if (!error_.empty()) return error_;
  return writer_ ? writer_->Error() : std::wstring();
}

bool StreamSink::Begin(const render::FramedPicture& picture) {
  picture_ = picture;
  const int32_t width = picture.frame.totalWidth, height = picture.frame.totalHeight;
  if (!writer_ || !worker_.Run([this, width, height] { return writer_->Begin(width, height); })) return false;
  layout_ = writer_->Layout();
  bandRows_ = std::min(core::kStripRows, height);
  try {
    band_.assign(size_t(core::BandBytes(layout_, bandRows_)), 0);
  } catch (const std::bad_alloc&) {
    error_ = L"Could not write the picture file \"" + writer_->Path() + L"\": not enough memory for a band of rows.";
    return false;
  }
  begun_ = true;
  // The border that comes first in the file: below the picture when the file
  // is stored bottom row first, above it otherwise.
  return PostBorderRows(layout_.bottomUp ? RowsBelow() : RowsAbove());
}

bool StreamSink::PutStrip(const render::RowImage& strip, int32_t top) {
  if (!begun_ || !worker_.Wait()) return false;  // the band is free again, or the writer failed
  // Strips come in the file's row order, each right after the last.
  const int64_t expectedTop = layout_.bottomUp ? int64_t{picture_.height} - rowsPut_ - strip.height : rowsPut_;
  if (strip.height > bandRows_ || int64_t{picture_.frame.leftOffset} + strip.width > layout_.width ||
      strip.stride < 3 * int64_t{strip.width} || top != expectedTop) {
    error_ = L"Could not write the picture file \"" + writer_->Path() + L"\": a strip does not fit the picture.";
    return false;
  }
  rowsPut_ += strip.height;
  LARGE_INTEGER a, b, f;
  QueryPerformanceCounter(&a);
  core::ComposeRows(core::DrawnRows{strip.bits, strip.stride, strip.width, strip.height}, picture_.frame.leftOffset,
                    picture_.borderPixel, layout_, band_.data());
  QueryPerformanceCounter(&b);
  QueryPerformanceFrequency(&f);
  composeSeconds_ += double(b.QuadPart - a.QuadPart) / double(f.QuadPart);
  borderRowsInBand_ = 0;
  const int32_t rows = strip.height;
  return worker_.Post([this, rows] { return writer_->WriteBand(band_.data(), rows); });
}

bool StreamSink::PostBorderRows(int64_t rows) {
  if (rows <= 0) return true;
  if (!worker_.Wait()) return false;
  const int32_t chunk = static_cast<int32_t>(std::min<int64_t>(rows, bandRows_));
  if (borderRowsInBand_ < chunk) {
    core::FillRows(chunk, picture_.borderPixel, layout_, band_.data());
    borderRowsInBand_ = chunk;
  }
  return worker_.Post([this, rows, chunk] {
    for (int64_t done = 0; done < rows; done += chunk) {
      if (!writer_->WriteBand(band_.data(), static_cast<int32_t>(std::min<int64_t>(chunk, rows - done)))) return false;
    }
    return true;
  });
}

bool StreamSink::Finish() {
  if (!begun_) return false;
  if (!PostBorderRows(layout_.bottomUp ? RowsAbove() : RowsBelow())) return false;
  return worker_.Run([this] { return writer_->Finish(); });
}

}  // namespace output
