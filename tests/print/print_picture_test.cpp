// Printing a picture through Wine's PostScript driver on the private queue:
// the job is written to a file, Ghostscript rasterises it at the printer's
// resolution, and the raster shows where the picture landed and in which
// colours.
#include "output/print_picture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/print_layout.h"
#include "tests/print/ghostscript.h"
#include "tests/print/print_fixtures.h"
#include "tests/support/files.h"

namespace {

using printtest::Raster;

core::PrintOptions Options(bool fully, bool aspect, bool centred, int32_t widthPercent = 50,
                           int32_t heightPercent = 30) {
  core::PrintOptions o;
  o.useFully = fully;
  o.widthPercent = widthPercent;
  o.heightPercent = heightPercent;
  o.keepAspect = aspect;
  o.centered = centred;
  return o;
}

bool Near(Raster::Pixel p, COLORREF c, int tolerance = 12) {
  return std::abs(p.r - GetRValue(c)) <= tolerance && std::abs(p.g - GetGValue(c)) <= tolerance &&
         std::abs(p.b - GetBValue(c)) <= tolerance;
}
bool IsPaper(Raster::Pixel p) { return Near(p, RGB(255, 255, 255), 8); }

std::string Show(Raster::Pixel p) {
  return "(" + std::to_string(p.r) + "," + std::to_string(p.g) + "," + std::to_string(p.b) + ")";
}

struct Box {
  int left = 0, top = 0, right = 0, bottom = 0;  // right and bottom exclusive
};

// The smallest box around everything that is not paper.
Box Inked(const Raster& r) {
  Box b{r.width, r.height, 0, 0};
  for (int y = 0; y < r.height; ++y)
    for (int x = 0; x < r.width; ++x)
      if (!IsPaper(r.At(x, y))) {
        b.left = std::min(b.left, x);
        b.right = std::max(b.right, x + 1);
        b.top = std::min(b.top, y);
        b.bottom = std::max(b.bottom, y + 1);
      }
  return b;
}

class PrintPictureTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string why;
    printer_ = printtest::PrivatePrinter(&why);
    ASSERT_TRUE(printer_) << why;
    page_ = printer_->Page();
    ASSERT_TRUE(page_);
  }

  // Prints to a file and rasterises it; fails the test when either fails.
  std::optional<Raster> PrintAndRasterise(const TDibImage& image, const core::PrintOptions& options,
                                          const std::wstring& name, int64_t bandBytes = output::kPrintBandBytes) {
    const std::wstring file = dir_.Path(name + L".ps");
    const output::PrintResult result =
        output::PrintPictureInBands(*printer_, image, options, L"Test picture", file, bandBytes);
    EXPECT_TRUE(result.ok) << testing::PrintToString(result.error);
    if (!result.ok) return std::nullopt;
    std::string why;
    std::optional<Raster> raster = printtest::Rasterise(file, page_->dpiX, &why);
    EXPECT_TRUE(raster) << why;
    return raster;
  }

  std::optional<tk::PrinterChoice> printer_;
  std::optional<tk::PrinterPage> page_;
  testsupport::TempDir dir_;
};

// Four quadrants of a landscape picture: red, green above blue, black.
COLORREF Quadrant(int x, int y, int width, int height) {
  const bool right = x >= width / 2, lower = y >= height / 2;
  if (!lower) return right ? RGB(0, 255, 0) : RGB(255, 0, 0);
  return right ? RGB(0, 0, 0) : RGB(0, 0, 255);
}

}  // namespace

// Every combination of the options: the picture's inked box on the rasterised
// page is PlaceOnPage's rectangle moved by the printable area's offset on the
// sheet, and the quadrants keep their colours and their order.
TEST_F(PrintPictureTest, EachCombinationLandsWherePlacedInItsColours) {
  const int w = 300, h = 200;
  const raster::OwnedDib picture = printtest::MakePicture(w, h, [&](int x, int y) { return Quadrant(x, y, w, h); });
  ASSERT_TRUE(picture);
  struct Case {
    const wchar_t* name;
    core::PrintOptions options;
  } const cases[] = {
      {L"fully_aspect_centred", Options(true, true, true)},
      {L"fully_aspect_topleft", Options(true, true, false)},
      {L"fully_stretched_centred", Options(true, false, true)},
      {L"fully_stretched_topleft", Options(true, false, false)},
      {L"part_aspect_centred", Options(false, true, true)},
      {L"part_aspect_topleft", Options(false, true, false)},
      {L"part_stretched_centred", Options(false, false, true)},
      {L"part_stretched_topleft", Options(false, false, false)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(c.name)));
    const std::optional<Raster> raster = PrintAndRasterise(picture.get(), c.options, c.name);
    if (!raster) continue;
    ASSERT_EQ(raster->width, page_->pageWidth);
    ASSERT_EQ(raster->height, page_->pageHeight);

    const core::PrintRect place =
        core::PlaceOnPage(w, h, page_->printableWidth, page_->printableHeight, c.options);
    const int left = page_->offsetX + place.x, top = page_->offsetY + place.y;
    const Box inked = Inked(*raster);
    // Exact: the driver's coordinates are whole device pixels at the dpi
    // Ghostscript renders at, so no edge falls inside a pixel.
    EXPECT_EQ(inked.left, left);
    EXPECT_EQ(inked.top, top);
    EXPECT_EQ(inked.right, left + place.width);
    EXPECT_EQ(inked.bottom, top + place.height);

    const int qx[2] = {left + place.width / 4, left + place.width * 3 / 4};
    const int qy[2] = {top + place.height / 4, top + place.height * 3 / 4};
    for (int i = 0; i < 2; ++i)
      for (int j = 0; j < 2; ++j) {
        const COLORREF expected = Quadrant(i * w / 2, j * h / 2, w, h);
        EXPECT_TRUE(Near(raster->At(qx[i], qy[j]), expected))
            << "quadrant " << i << "," << j << " is " << Show(raster->At(qx[i], qy[j]));
      }
    // Where red turns green and red turns blue: half way across and down.
    int edgeX = qx[0];
    while (edgeX < qx[1] && Near(raster->At(edgeX, qy[0]), RGB(255, 0, 0))) ++edgeX;
    EXPECT_EQ(edgeX, left + place.width / 2);
    int edgeY = qy[0];
    while (edgeY < qy[1] && Near(raster->At(qx[0], edgeY), RGB(255, 0, 0))) ++edgeY;
    EXPECT_EQ(edgeY, top + place.height / 2);
  }
}

namespace {

// Each source row a colour of six levels a channel, repeating every 216 rows:
// neighbouring rows always differ.
constexpr int kCodes = 216;
COLORREF RowCode(int row) {
  const int code = row % kCodes;
  return RGB(code % 6 * 51, code / 6 % 6 * 51, code / 36 * 51);
}

// The code a printed pixel shows, or -1 for anything else.
int DecodeCode(Raster::Pixel p) {
  int code = 0, scale = 1;
  for (int v : {p.r, p.g, p.b}) {
    const int level = (v + 25) / 51;
    if (std::abs(v - level * 51) > 12) return -1;
    code += level * scale;
    scale *= 6;
  }
  return code;
}

}  // namespace

// Pictures of many bands: down the printed picture every source row follows
// the one before, none missing and none repeated after a band seam, and each
// covers as many printed rows as the enlargement gives it.
TEST_F(PrintPictureTest, BandsAbutWithoutGapsOrDoubledRows) {
  struct Case {
    const wchar_t* name;
    int width, height;
    core::PrintOptions options;
    int bandRows;  // 0: the engine's own band size
  } const cases[] = {
      // 1600 printed rows: 8 for each source row; 29 bands, seams at odd places.
      {L"seams_whole_scale", 16, 200, Options(false, false, false, 10, 50), 7},
      // 1184 printed rows: 5.92 for each.
      {L"seams_partial_scale", 16, 200, Options(false, false, false, 10, 37), 7},
      // 8.4 MB of pixels: three bands of the engine's size, enlarged 2.29 times.
      {L"engine_bands", 2000, 1400, Options(true, false, false), 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(c.name)));
    const raster::OwnedDib picture = printtest::MakePicture(c.width, c.height, [](int, int y) { return RowCode(y); });
    ASSERT_TRUE(picture);
    const int64_t bandBytes = c.bandRows ? c.bandRows * int64_t{picture.get().BytesPerRow} : output::kPrintBandBytes;
    ASSERT_LT(bandBytes, int64_t{picture.get().BytesPerRow} * c.height / 2) << "too few seams";
    const std::optional<Raster> raster = PrintAndRasterise(picture.get(), c.options, c.name, bandBytes);
    if (!raster) continue;
    const core::PrintRect place =
        core::PlaceOnPage(c.width, c.height, page_->printableWidth, page_->printableHeight, c.options);
    const int x = page_->offsetX + place.x + place.width / 2, top = page_->offsetY + place.y;
    EXPECT_TRUE(IsPaper(raster->At(x, top - 1)));
    EXPECT_TRUE(IsPaper(raster->At(x, top + place.height)));

    const int64_t fewest = int64_t{place.height} / c.height, most = (int64_t{place.height} + c.height - 1) / c.height;
    int row = -1, run = 0;
    for (int y = top; y < top + place.height; ++y) {
      const int code = DecodeCode(raster->At(x, y));
      if (row >= 0 && code == row % kCodes) {
        ++run;
        continue;
      }
      ASSERT_EQ(code, (row + 1) % kCodes) << "printed row " << y - top << " shows " << Show(raster->At(x, y))
                                          << " after source row " << row;
      if (row >= 0) {
        EXPECT_GE(run, fewest) << "source row " << row;
        EXPECT_LE(run, most) << "source row " << row;
      }
      ++row;
      run = 1;
    }
    EXPECT_EQ(row, c.height - 1);
    EXPECT_GE(run, fewest);
    EXPECT_LE(run, most);
  }
}

// A job that cannot be written or has nothing to print fails with a sentence
// that names the file and the reason, and leaves no file behind.
TEST_F(PrintPictureTest, RefusalsSayWhyAndLeaveNoFile) {
  const raster::OwnedDib picture = printtest::MakePicture(30, 20, [](int x, int) { return RGB(x * 8, 0, 0); });
  ASSERT_TRUE(picture);
  const std::wstring missingFolder = dir_.Path(L"no such folder");
  const std::wstring existingFolder = dir_.MakeDir(L"taken");
  const TDibImage empty{};
  struct Case {
    const char* name;
    const TDibImage& image;
    std::wstring file;
    std::wstring saysWhat;
  } const cases[] = {
      {"folder missing", picture.get(), missingFolder + L"\\out.ps", L"\"" + missingFolder + L"\" does not exist"},
      // The name is taken by a folder: the spooler finds out only at the end.
      {"name taken by a folder", picture.get(), existingFolder, L"\"" + existingFolder + L"\""},
      {"empty picture", empty, dir_.Path(L"empty.ps"), L"nothing to print"},
  };
  for (const Case& c : cases) {
    const output::PrintResult result =
        output::PrintPicture(*printer_, c.image, Options(true, true, true), L"Test picture", c.file);
    EXPECT_FALSE(result.ok) << c.name;
    EXPECT_NE(result.error.find(c.saysWhat), std::wstring::npos) << c.name << ": " << testing::PrintToString(result.error);
    EXPECT_EQ(result.error.back(), L'.') << c.name;
  }
  EXPECT_FALSE(testsupport::Exists(missingFolder));
  EXPECT_FALSE(testsupport::Exists(dir_.Path(L"empty.ps")));
  EXPECT_EQ(dir_.Files(), std::vector<std::wstring>{}) << "a failed job left a file";
}

// Without a file the job goes to the queue: the private scheduler runs it
// through its filters and logs its page under the document's name.
TEST_F(PrintPictureTest, ToTheQueueThroughTheScheduler) {
  const char* server = std::getenv("CUPS_SERVER");
  ASSERT_NE(server, nullptr);
  const std::string folder = std::string(server).substr(0, std::string(server).find_last_of('/'));
  const std::optional<std::wstring> pageLog = printtest::WindowsPathOf(folder + "/log/page_log");
  ASSERT_TRUE(pageLog) << "not running under Wine";

  const raster::OwnedDib picture = printtest::MakePicture(30, 20, [](int x, int) { return RGB(x * 8, 0, 0); });
  ASSERT_TRUE(picture);
  const std::wstring name = L"Queued picture " + std::to_wstring(::GetCurrentProcessId());
  const output::PrintResult result = output::PrintPicture(*printer_, picture.get(), Options(true, true, true), name);
  ASSERT_TRUE(result.ok) << testing::PrintToString(result.error);

  // The scheduler finishes the job on its own time; the bound only ends a
  // test whose job never arrives.
  const std::string logged(name.begin(), name.end());
  std::string log;
  for (int waited = 0; log.find(logged) == std::string::npos && waited < 60'000; waited += 100) {
    ::Sleep(100);
    log = testsupport::ReadBytes(*pageLog);
  }
  EXPECT_NE(log.find(logged + " Letter"), std::string::npos) << "the scheduler's page log:\n" << log;
}
