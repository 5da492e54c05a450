#include "render/renderer/strip_renderer.h"

#include <utility>

#include "render/renderer/picture_sink.h"
#include "render/renderer/pixel_rows.h"
#include "render/renderer/strip_bitmap.h"
#include "toolkit/modal.h"

namespace render {
namespace {

class Stopwatch {
 public:
  Stopwatch() { ::QueryPerformanceCounter(&start_); }
  // Seconds since the last lap (or the start).
  double Lap() {
    LARGE_INTEGER now, freq;
    ::QueryPerformanceCounter(&now);
    ::QueryPerformanceFrequency(&freq);
    const double s = double(now.QuadPart - start_.QuadPart) / double(freq.QuadPart);
    start_ = now;
    return s;
  }

 private:
  LARGE_INTEGER start_;
};

}  // namespace

StripRenderer::StripRenderer(RenderContext context) : context_(std::move(context)) {}

void StripRenderer::Report(const wchar_t* text) const {
  if (context_.message)
    context_.message(text, L"Error", MB_OK | MB_ICONERROR);
  else
    tk::ShowMessage(context_.owner, text, L"Error", MB_OK | MB_ICONERROR);
}

void StripRenderer::Progress(int percent) const {
  if (context_.progress) context_.progress(percent);
}

int StripRenderer::ReadBack(HBITMAP bitmap, int32_t rows, const TDibImage& strip, int32_t index) const {
  if (index == inject_.readBackAt) return 0;
  return ::GetDIBits(context_.referenceDC, bitmap, 0, static_cast<UINT>(rows), strip.Bits, strip.Info,
                     DIB_RGB_COLORS);
}

raster::OwnedDib StripRenderer::Render(const RenderSettings& settings) {
  PictureSink sink;
  if (!Render(settings, sink)) return {};
  return sink.Take();
}

bool StripRenderer::Render(const RenderSettings& requested, RowSink& sink) {
  timings_ = RenderTimings{};
  Stopwatch clock;
  const RenderSettings s = core::ClampedSettings(requested);
  const FrameGeometry frame = ComputeFrame(s);

  if (!sink.Begin(FramedPicture{frame, s.width, s.height, s.border, core::BorderPixel(s.color)})) {
    Report(sink.Error().c_str());
    return false;
  }
  timings_.begin = clock.Lap();

  const StripMemory memory(s.width, core::StripRows(s.height, 0));
  bool success = true;
  int32_t rowsDone = 0, index = 0;
  for (const core::StripSpan& span : core::StripSequence(s.height, sink.BottomStripFirst())) {
    if (index > 0 && context_.cancel && context_.cancel()) {
      success = false;
      break;
    }
    const int32_t rows = span.rows;
    std::optional<StripBitmap> bitmap;
    if (index != inject_.stripBitmapAt) bitmap.emplace(memory, s.width, rows);
    if (!bitmap || !*bitmap) {
      success = false;
      Report(kStripFailedText);
      break;
    }
    raster::OwnedDib strip = raster::OwnedDib::New(s.width, rows, 24);
    if (!strip) {
      success = false;
      Report(kStripFailedText);
      break;
    }
    timings_.stripSetup += clock.Lap();

    // Pattern brushes repeat from the brush origin, a device point: put it at
    // the picture's top-left so patterns run on across strip boundaries.
    ::SetBrushOrgEx(bitmap->dc(), 0, -span.top, nullptr);
    if (context_.drawDocument) context_.drawDocument(bitmap->dc(), 0, -span.top, s.width, s.height);
    bitmap->Deselect();
    timings_.drawing += clock.Lap();

    // A partial read would leave old rows in the picture, so only every row counts as success.
    const int lines = ReadBack(bitmap->bitmap(), rows, strip.get(), index);
    timings_.readBack += clock.Lap();
    const int32_t rowsBefore = rowsDone;
    if (lines != rows) {
      success = false;
      Report(kCopyFailedText);
    } else if (!sink.PutStrip(RowsOf(strip.get()), span.top)) {
      success = false;
      Report(sink.Error().c_str());
    } else {
      rowsDone += rows;
    }
    timings_.placement += clock.Lap();
    Progress(core::StripProgress(rowsBefore, rows, s.height));
    bitmap.reset();
    strip.reset();
    ++timings_.strips;
    ++index;
    timings_.stripSetup += clock.Lap();
    if (!success) break;
  }
  Progress(0);
  if (!success) return false;
  if (!sink.Finish()) {
    Report(sink.Error().c_str());
    return false;
  }
  timings_.finish = clock.Lap();
  return true;
}

}  // namespace render
