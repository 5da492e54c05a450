#include "output/write_picture.h"

#include "output/stream_sink.h"

namespace output {

bool WritePicture(const render::RowImage& picture, std::unique_ptr<PictureWriter> writer, std::wstring& error,
                  const std::function<void(int32_t)>& progress) {
  StreamSink sink(std::move(writer));
  const core::FrameGeometry whole{picture.width, picture.height, 0, 0};
  int32_t rowsDone = 0;
  bool ok = sink.Begin(render::FramedPicture{whole, picture.width, picture.height, false, {}});
  for (const core::StripSpan& span : core::StripSequence(picture.height, sink.BottomStripFirst())) {
    if (!ok) break;
    // Memory rows are bottom-up: picture rows top .. top + rows - 1 lie in
    // memory rows height - top - rows .. height - top - 1.
    const int64_t lowest = int64_t{picture.height} - span.top - span.rows;
    const render::RowImage strip{picture.bits + lowest * picture.stride, picture.stride, picture.width, span.rows};
    ok = sink.PutStrip(strip, span.top);
    if (ok && progress) progress(core::StripProgress(rowsDone, span.rows, picture.height));
    rowsDone += span.rows;
  }
  ok = ok && sink.Finish();
  if (!ok) error = sink.Error();
  return ok;
}

}  // namespace output
