// A render streamed into a file is the window's picture written by the same
// writer, byte for byte, for every format, with and without a border, in one,
// two and three strips; the sink's order, memory, threads and failures.
#include <gtest/gtest.h>

#include "output/band_worker.h"
#include "output/stream_sink.h"
#include "output/write_picture.h"
#include "render/renderer/picture_sink.h"
#include "tests/output/output_fixtures.h"
#include "tests/render/renderer_fixtures.h"

using namespace outputtest;
using core::PictureFormat;
using render::RenderSettings;

namespace {

RenderSettings Settings(int32_t width, int32_t height, bool border) {
  RenderSettings s;
  s.width = width;
  s.height = height;
  s.border = border;
  s.left = 3;
  s.top = 7;
  s.right = 11;
  s.bottom = 13;
  s.color = 0x00336699;
  return s;
}

core::WriteOptions Options(PictureFormat format) {
  core::WriteOptions o;
  o.format = format;
  o.dpi = 150;
  return o;
}

// The render streamed into the format's writer.
bool Stream(const RenderSettings& s, PictureFormat format, const std::wstring& path, renderertest::Harness& h,
            bool threaded = true, int64_t failAfterBytes = -1) {
  auto writer = output::MakePictureWriter(path, Options(format));
  writer->FailAfterBytes(failAfterBytes);
  output::StreamSink sink(std::move(writer), threaded);
  render::StripRenderer renderer(h.Context());
  return renderer.Render(s, sink);
}

}  // namespace

TEST(StreamSink, StreamedFileIsTheWindowsPictureWritten) {
  Scratch dir;
  for (PictureFormat format : kAllFormats) {
    for (int32_t height : {300, 777, 1001}) {  // one, two and three strips
      for (bool border : {false, true}) {
        SCOPED_TRACE(Narrow(core::FormatTitle(format)) + " height " + std::to_string(height) +
                     (border ? " with border" : ""));
        const RenderSettings s = Settings(301, height, border);
        renderertest::Harness window;
        render::StripRenderer renderer(window.Context());
        raster::OwnedDib picture = renderer.Render(s);
        ASSERT_TRUE(picture);
        const std::wstring fromMemory = dir.Path(L"memory" + core::FormatExtension(format));
        std::wstring error;
        ASSERT_TRUE(output::WritePicture(render::RowsOf(picture.get()),
                                         output::MakePictureWriter(fromMemory, Options(format)), error))
            << Narrow(error);

        renderertest::Harness command;
        const std::wstring streamed = dir.Path(L"streamed" + core::FormatExtension(format));
        ASSERT_TRUE(Stream(s, format, streamed, command));
        EXPECT_TRUE(command.modal.messages.empty());
        EXPECT_TRUE(testsupport::ReadBytes(streamed) == testsupport::ReadBytes(fromMemory)) << "the same bytes";
        if (format != PictureFormat::kJpeg) {
          const Decoded d = Decode(streamed);
          ASSERT_TRUE(d.ok);
          EXPECT_TRUE(d.pixels == TopDownOf(render::RowsOf(picture.get()))) << "the picture's pixels";
        }
      }
    }
  }
  EXPECT_EQ(dir.Files().size(), 8u);
}

// BMP stores its bottom row first, so its strips are drawn bottom strip first;
// the strips themselves, and what each shows, are the same either way.
TEST(StreamSink, StripsComeInTheFilesRowOrder) {
  Scratch dir;
  const struct {
    PictureFormat format;
    std::vector<int> tops, rows, progress;
  } cases[] = {
      {PictureFormat::kBmp, {-1000, -500, 0}, {1, 500, 500}, {0, 50, 100, 0}},
      {PictureFormat::kPng, {0, -500, -1000}, {500, 500, 1}, {49, 99, 100, 0}},
      {PictureFormat::kTiff, {0, -500, -1000}, {500, 500, 1}, {49, 99, 100, 0}},
  };
  for (const auto& c : cases) {
    renderertest::Harness h;
    ASSERT_TRUE(Stream(Settings(40, 1001, true), c.format, dir.Path(L"p" + core::FormatExtension(c.format)), h));
    std::vector<int> tops, rows;
    for (const auto& d : h.draws) {
      tops.push_back(d.top);
      rows.push_back(d.stripRows);
    }
    EXPECT_EQ(tops, c.tops);
    EXPECT_EQ(rows, c.rows);
    EXPECT_EQ(h.progress, c.progress);
  }
}

// The sink holds one band of at most 500 framed rows, however tall the
// picture and its frame: a picture twelve times its height in frame rows
// needs no more than one of a single strip.
TEST(StreamSink, OneBandWhateverTheHeight) {
  Scratch dir;
  size_t bands[2] = {};
  int i = 0;
  for (int32_t height : {500, 4000}) {
    RenderSettings s = Settings(200, height, true);
    s.top = 100;
    s.bottom = 1000;  // 12 x height rows in all
    renderertest::Harness h(nullptr);
    output::StreamSink sink(output::MakePictureWriter(dir.Path(L"tall.png"), Options(PictureFormat::kPng)));
    render::StripRenderer renderer(h.Context());
    ASSERT_TRUE(renderer.Render(s, sink));
    bands[i++] = sink.BandBytes();
    const Decoded d = Decode(dir.Path(L"tall.png"));
    ASSERT_TRUE(d.ok);
    EXPECT_EQ(d.height, uint32_t(12 * height));
  }
  EXPECT_EQ(bands[0], bands[1]);
  EXPECT_EQ(bands[0], size_t(3 * 228 * 500));  // 228 framed pixels a row, 500 rows
}

// The writer on its own thread and on the renderer's write the same file.
TEST(StreamSink, ThreadedAndInlineWritersAgree) {
  Scratch dir;
  for (PictureFormat format : kAllFormats) {
    renderertest::Harness a, b;
    const std::wstring threaded = dir.Path(L"t" + core::FormatExtension(format));
    const std::wstring inlined = dir.Path(L"i" + core::FormatExtension(format));
    ASSERT_TRUE(Stream(Settings(333, 1234, true), format, threaded, a, true));
    ASSERT_TRUE(Stream(Settings(333, 1234, true), format, inlined, b, false));
    EXPECT_TRUE(testsupport::ReadBytes(threaded) == testsupport::ReadBytes(inlined)) << Narrow(core::FormatTitle(format));
  }
}

// A write that fails in the middle of the render: one message (the file and
// the reason), progress back to 0, and nothing left on disk. An uncompressed
// file finds out at its first band, so the render stops early; an encoder
// may hold the bytes until it finishes.
TEST(StreamSink, AFailedWriteEndsTheRenderWithOneMessage) {
  Scratch dir;
  for (PictureFormat format : kAllFormats) {
    for (bool threaded : {true, false}) {
      SCOPED_TRACE(Narrow(core::FormatTitle(format)) + (threaded ? " threaded" : " inline"));
      renderertest::Harness h;
      const int32_t images = PictrixLiveImages();
      const std::wstring path = dir.Path(L"p" + core::FormatExtension(format));
      EXPECT_FALSE(Stream(Settings(400, 2600, false), format, path, h, threaded, 1000));
      ASSERT_EQ(h.modal.messages.size(), 1u);
      EXPECT_EQ(h.modal.messages[0].text.rfind(L"Could not write the picture file \"" + path + L"\": ", 0), 0u)
          << Narrow(h.modal.messages[0].text);
      if (format == PictureFormat::kBmp || format == PictureFormat::kTiff) {
        EXPECT_LE(h.draws.size(), 2u) << "the render stops early";
      }
      EXPECT_EQ(h.progress.back(), 0);
      EXPECT_EQ(PictrixLiveImages(), images);
      EXPECT_TRUE(dir.Files().empty());
    }
  }
}

// A picture the format cannot hold is refused before anything is drawn.
TEST(StreamSink, RefusedBeforeDrawing) {
  Scratch dir;
  RenderSettings s = Settings(30000, 30000, true);
  s.left = s.right = 40;  // 54000 x 30000: a BMP of 4.86 GB
  renderertest::Harness h;
  EXPECT_FALSE(Stream(s, PictureFormat::kBmp, dir.Path(L"big.bmp"), h));
  ASSERT_EQ(h.modal.messages.size(), 1u);
  EXPECT_EQ(h.modal.messages[0].text, core::kTooLargeForBmpText);
  EXPECT_TRUE(h.draws.empty());
  EXPECT_TRUE(h.progress.empty());
  EXPECT_TRUE(dir.Files().empty());
}

// Tasks run in turn on the worker's thread; after one fails, nothing more is
// taken; the last task runs there too.
TEST(BandWorker, TasksInTurnUntilOneFails) {
  std::vector<int> ran;
  DWORD workerThread = 0;
  {
    output::BandWorker worker(true);
    ASSERT_TRUE(worker.Threaded());
    EXPECT_TRUE(worker.Post([&] { ran.push_back(1); return true; }));
    EXPECT_TRUE(worker.Post([&] { ran.push_back(2); return false; }));
    EXPECT_FALSE(worker.Wait());
    EXPECT_FALSE(worker.Post([&] { ran.push_back(3); return true; }));
    worker.Stop([&] { workerThread = GetCurrentThreadId(); });
  }
  EXPECT_EQ(ran, (std::vector<int>{1, 2}));
  EXPECT_NE(workerThread, 0u);
  EXPECT_NE(workerThread, GetCurrentThreadId());
  output::BandWorker inlined(false);
  EXPECT_FALSE(inlined.Threaded());
  EXPECT_TRUE(inlined.Run([&] { ran.push_back(4); return true; }));
  EXPECT_EQ(ran.back(), 4);
}
