// Streams a render into a picture writer: each strip is framed with its
// border columns into the writer's band layout as soon as it is read back,
// and the border rows above and below the picture are written around the
// strips, so the whole picture never exists in memory. The writer works on a
// thread of its own (one band at a time), so the renderer draws the next
// strip while this one is encoded and written.
#pragma once
#include <memory>
#include <vector>

#include "output/band_worker.h"
#include "output/picture_writer.h"
#include "render/renderer/row_sink.h"

namespace output {

class StreamSink final : public render::RowSink {
 public:
  explicit StreamSink(std::unique_ptr<PictureWriter> writer, bool threaded = true);
  ~StreamSink() override;  // a picture not finished leaves no file behind

  bool BottomStripFirst() const override { return layout_.bottomUp; }
  bool Begin(const render::FramedPicture& picture) override;
  bool PutStrip(const render::RowImage& strip, int32_t top) override;
  bool Finish() override;
  std::wstring Error() const override;

  // Bytes of band memory held: one band of up to 500 framed rows.
  size_t BandBytes() const { return band_.size(); }
  // Seconds spent framing strips into the band, the writer's own seconds, and
  // the seconds the renderer waited for the writer.
  double ComposeSeconds() const { return composeSeconds_; }
  double WriterSeconds() const { return worker_.BusySeconds(); }
  double WaitSeconds() const { return worker_.WaitSeconds(); }

 private:
  // Border rows, written from the band, which is filled with them once.
  bool PostBorderRows(int64_t rows);
  int64_t RowsAbove() const { return picture_.frame.topOffset; }
  int64_t RowsBelow() const {
    return int64_t{picture_.frame.totalHeight} - picture_.frame.topOffset - picture_.height;
  }

  std::unique_ptr<PictureWriter> writer_;
  BandWorker worker_;
  render::FramedPicture picture_;
  core::BandLayout layout_;
  std::vector<uint8_t> band_;
  int32_t bandRows_ = 0;
  int32_t borderRowsInBand_ = 0;  // rows of border colour the band holds now
  int64_t rowsPut_ = 0;           // picture rows taken so far
  bool begun_ = false;
  double composeSeconds_ = 0;
  std::wstring error_;
};

}  // namespace output
