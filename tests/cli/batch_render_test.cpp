// Whole batch renders of one document in this process: the samples through
// the document holder, every format, and every way a batch render can fail
// without leaving a file.
#include <gtest/gtest.h>

#include <cstring>

#include "app/cli/batch_render.h"
#include "render/holder/document_holder.h"
#include "tests/cli/cli_fixtures.h"
#include "toolkit/handles.h"

using namespace cli;
using clitest::ScratchFolder;

namespace {

using clitest::Batch;
using clitest::BatchRun;
using clitest::Options;

POINT ExtentOf(const std::wstring& path) {
  render::DocumentHolder holder(render::DocumentHolder::Host{});
  holder.LinkDocument(path);
  return holder.GetDocumentExtent();
}

// Rows of the picture inside the frame that differ from the document drawn in
// one pass, through a holder of its own, into a white bottom-up DIB.
std::vector<int> RowsDifferingFromOnePass(const clitest::BmpFile& f, const std::wstring& document, int w, int h,
                                          int left, int top) {
  render::DocumentHolder holder(render::DocumentHolder::Host{});
  holder.LinkDocument(document);
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, h, 1, 24, BI_RGB};
  void* bits = nullptr;
  tk::MemoryDC dc(CreateCompatibleDC(nullptr));
  tk::GdiBitmap bmp(CreateDIBSection(dc.get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  const size_t stride = (size_t(w) * 3 + 3) / 4 * 4;
  std::memset(bits, 0xFF, stride * h);
  {
    tk::SelectedObject sel(dc.get(), bmp.get());
    holder.DrawDocument(dc.get(), 0, 0, w, h);
    GdiFlush();
  }
  std::vector<int> rows;
  for (int y = 0; y < h; ++y) {
    const uint8_t* whole = static_cast<const uint8_t*>(bits) + size_t(h - 1 - y) * stride;
    if (std::memcmp(whole, f.Pixel(left, top + y), 3 * size_t(w)) != 0) rows.push_back(y);
  }
  return rows;
}

}  // namespace

TEST(BatchRender, VectorSampleWithWidthOnly) {
  ScratchFolder dir;
  const std::wstring doc = clitest::SamplePath(L"drawing.emf");
  const POINT extent = ExtentOf(doc);
  ASSERT_GT(extent.x, 0);
  for (bool border : {false, true}) {
    CliOptions o = Options(doc, dir.Path(L"drawing.bmp"));
    o.width = border ? 999 : 1234;
    if (border) o.border = BorderPercent{5, 5, 5, 5};
    const BatchRun r = Batch(o);
    EXPECT_EQ(r.code, kExitOk);
    EXPECT_TRUE(r.lines.empty());
    const clitest::BmpFile f = clitest::ReadBmp(o.out);
    ASSERT_TRUE(f.valid);
    const int w = *o.width, h = int(int64_t{w} * extent.y / extent.x);
    EXPECT_EQ(f.info.biWidth, border ? 110 * w / 100 : w);
    EXPECT_EQ(f.info.biHeight, border ? 110 * h / 100 : h);
    EXPECT_EQ(f.info.biBitCount, 24);
    EXPECT_EQ(f.file.bfSize, clitest::ReadFileBytes(o.out).size());
    // Drawn in strips of 500 rows, the metafile is the metafile drawn at once.
    EXPECT_EQ(RowsDifferingFromOnePass(f, doc, w, h, border ? 5 * w / 100 : 0, border ? 5 * h / 100 : 0),
              std::vector<int>{});
    EXPECT_EQ(dir.Files(), std::vector<std::wstring>{L"drawing.bmp"});
  }
}

// The extension names the format; resolution and size reach every file.
TEST(BatchRender, EveryFormatWithItsResolution) {
  ScratchFolder dir;
  for (const wchar_t* name : {L"p.bmp", L"p.png", L"p.jpg", L"p.jpeg", L"p.tif", L"p.tiff"}) {
    CliOptions o = Options(clitest::SamplePath(L"drawing.wmf"), dir.Path(name));
    o.width = 640;
    o.height = 480;
    o.border = BorderPercent{10, 0, 10, 0};
    o.write.dpi = 300;
    const BatchRun r = Batch(o);
    EXPECT_EQ(r.code, kExitOk) << clitest::ToUtf8Line(r.text);
    EXPECT_TRUE(r.text.empty());
    const clitest::PictureInfo info = clitest::ReadPictureInfo(o.out);
    ASSERT_TRUE(info.ok) << clitest::ToUtf8Line(name);
    EXPECT_EQ(info.width, 768u);
    EXPECT_EQ(info.height, 480u);
    EXPECT_NEAR(info.dpiX, 300, 0.1);
  }
  EXPECT_EQ(dir.Files().size(), 6u);
}

// --quality reaches the JPEG file: lower quality, smaller file; 90 when not given.
TEST(BatchRender, QualityReachesTheJpegFile) {
  ScratchFolder dir;
  std::vector<size_t> sizes;
  for (int quality : {10, 90, 100, 0}) {
    CliOptions o = Options(clitest::SamplePath(L"photo.png"), dir.Path(L"q" + std::to_wstring(quality) + L".jpg"));
    o.width = 400;
    if (quality > 0) o.write.quality = quality;
    ASSERT_EQ(Batch(o).code, kExitOk);
    sizes.push_back(clitest::ReadFileBytes(o.out).size());
  }
  EXPECT_LT(sizes[0], sizes[1]);
  EXPECT_LT(sizes[1], sizes[2]);
  EXPECT_TRUE(clitest::ReadFileBytes(dir.Path(L"q0.jpg")) == clitest::ReadFileBytes(dir.Path(L"q90.jpg")));
}

// On a terminal each strip's percentage rewrites the document's line, which
// ends with where the picture went.
TEST(BatchRender, ProgressOnATerminal) {
  ScratchFolder dir;
  CliOptions o = Options(clitest::SamplePath(L"drawing.emf"), dir.Path(L"p.png"));
  o.width = 300;
  o.height = 1001;
  const BatchRun quiet = Batch(o);
  EXPECT_EQ(quiet.text, L"") << "nothing when nobody watches";
  const BatchRun r = Batch(o, {}, true);
  EXPECT_EQ(r.code, kExitOk);
  const std::wstring name = clitest::SamplePath(L"drawing.emf") + L": ";
  EXPECT_EQ(r.text, L"\r" + name + L"49%\r" + name + L"99%\r" + name + L"100%\r" + name + L"written " + o.out + L"\n");
}

// The message the window shows, then why: the platform's code with its text,
// or the document check's refusal.
TEST(BatchRender, DocumentsThatCannotBeLinked) {
  ScratchFolder dir;
  dir.Write(L"notes.xyz", "no application for this");
  dir.Write(L"broken.emf", "not a metafile");
  struct Case {
    std::wstring document;
    std::wstring reasonStart;
  } cases[] = {
      {dir.Path(L"notes.xyz"), L"0x"},
      {dir.Path(L"broken.emf"), L"refused: the file is too short for an enhanced metafile"},
      {dir.Path(L"absent.emf"), L"0x80070002: "},
  };
  for (const Case& c : cases) {
    const BatchRun r = Batch(Options(c.document, dir.Path(L"out.bmp")));
    EXPECT_EQ(r.code, kExitFailed);
    ASSERT_EQ(r.lines.size(), 2u);
    EXPECT_EQ(r.lines[0], kImportFailedText);
    EXPECT_EQ(r.lines[1].rfind(c.reasonStart, 0), 0u) << r.lines[1];
  }
  EXPECT_FALSE(clitest::FileExists(dir.Path(L"out.bmp")));
  EXPECT_EQ(dir.Files().size(), 2u);
}

TEST(BatchRender, RenderFailuresWriteNothing) {
  ScratchFolder dir;
  dir.Write(L"out.bmp", "older picture");
  const std::wstring doc = clitest::SamplePath(L"drawing.wmf");
  struct Case {
    BatchHooks hooks;
    int failAllocation;
    const wchar_t* text;
  };
  const Case cases[] = {
      {{{-1, 1}, -1}, -1, render::kCopyFailedText},
      {{{0, -1}, -1}, -1, render::kStripFailedText},
      {{}, 0, render::kStripFailedText},  // streamed: the first image is a strip's, no whole target
      {{{-1, -1}, 54 + 3000}, -1, nullptr},  // disk full while writing
  };
  for (const Case& c : cases) {
    const int32_t images = PictrixLiveImages();
    CliOptions o = Options(doc, dir.Path(L"out.bmp"));
    o.width = 999;
    o.height = 1142;
    PictrixFailAllocationAfter(c.failAllocation);
    const BatchRun r = Batch(o, c.hooks);
    PictrixFailAllocationAfter(-1);
    EXPECT_EQ(r.code, kExitFailed);
    ASSERT_EQ(r.lines.size(), 1u);
    if (c.text) {
      EXPECT_EQ(r.lines[0], c.text);
    } else {
      EXPECT_NE(r.lines[0].find(L"out.bmp"), std::wstring::npos);
    }
    EXPECT_EQ(PictrixLiveImages(), images);
  }
  const std::vector<uint8_t> kept = clitest::ReadFileBytes(dir.Path(L"out.bmp"));
  EXPECT_EQ(std::string(kept.begin(), kept.end()), "older picture");
  EXPECT_EQ(dir.Files(), std::vector<std::wstring>{L"out.bmp"});
}

TEST(BatchRender, RefusedBeforeRendering) {
  ScratchFolder dir;
  const int32_t images = PictrixLiveImages();
  // 54000 x 30000 pixels: a 4.86 GB file, more than BMP's size fields hold.
  CliOptions big = Options(clitest::SamplePath(L"drawing.emf"), dir.Path(L"big.bmp"));
  big.width = 30000;
  big.height = 30000;
  big.border = BorderPercent{40, 0, 40, 0};
  BatchRun r = Batch(big);
  EXPECT_EQ(r.code, kExitFailed);
  EXPECT_EQ(r.lines, std::vector<std::wstring>{kTooLargeForBmpText});
  // A folder that does not exist.
  r = Batch(Options(clitest::SamplePath(L"drawing.emf"), dir.Path(L"no\\such\\folder.bmp")));
  EXPECT_EQ(r.code, kExitFailed);
  ASSERT_EQ(r.lines.size(), 1u);
  EXPECT_NE(r.lines[0].find(L"folder.bmp"), std::wstring::npos);
  EXPECT_EQ(PictrixLiveImages(), images);
  EXPECT_TRUE(dir.Files().empty());
}
