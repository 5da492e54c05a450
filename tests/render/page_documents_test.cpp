// Page documents drawn by MuPDF: the samples' extents and colours on both of
// the object's paths (a DIB section's bits, bands through GDI), strips of the
// renderer against one pass, refusals with their reasons, and concurrent draws.
#include <gtest/gtest.h>
#include <wrl/client.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <thread>

#include "core/render_geometry.h"
#include "render/documents/page_content.h"
#include "render/renderer/strip_renderer.h"
#include "samples/page_samples.h"
#include "tests/render/documents_fixtures.h"
#include "tests/render/renderer_fixtures.h"

using documents::DocumentKind;
using documents::PageContent;

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255), kGreen = RGB(0, 153, 51);
constexpr COLORREF kYellow = RGB(255, 220, 0), kPurple = RGB(120, 0, 160), kWhite = RGB(255, 255, 255);

std::vector<uint8_t> Bytes(const std::string& s) { return {s.begin(), s.end()}; }

struct Sample {
  const char* name;
  DocumentKind kind;
  std::vector<uint8_t> bytes;
};

std::vector<Sample> Samples() {
  return {{"page.pdf", DocumentKind::Pdf, doctest::ReadSample(L"page.pdf")},
          {"page.svg", DocumentKind::Svg, doctest::ReadSample(L"page.svg")}};
}

// Draws into a device-dependent bitmap: not a DIB section, so in bands.
struct DdbCanvas {
  DdbCanvas(int w, int h) {
    HDC screen = GetDC(nullptr);
    dc.reset(CreateCompatibleDC(screen));
    bitmap.reset(CreateCompatibleBitmap(screen, w, h));
    ReleaseDC(nullptr, screen);
    selection.emplace(dc.get(), bitmap.get());
    RECT all{0, 0, w, h};
    FillRect(dc.get(), &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  }
  COLORREF At(int x, int y) const { return GetPixel(dc.get(), x, y); }
  tk::MemoryDC dc;
  tk::GdiBitmap bitmap;
  std::optional<tk::SelectedObject> selection;
};

// The sample's known places at `scale` pixels a point, from (left, top).
template <typename At>
void ExpectSampleColours(At at, double scale, const std::string& what) {
  auto p = [&](double x, double y) { return at(int(x * scale), int(y * scale)); };
  EXPECT_EQ(p(100, 80), kRed) << what;
  EXPECT_EQ(p(280, 90), kBlue) << what;
  EXPECT_EQ(p(100, 230), kGreen) << what;
  EXPECT_EQ(p(227.5, 177.5), kYellow) << what;
  EXPECT_EQ(p(242.5, 177.5), kPurple) << what;
  EXPECT_EQ(p(242.5, 192.5), kYellow) << what;
  EXPECT_EQ(p(380, 280), kWhite) << what;
  EXPECT_EQ(p(40.2, 80), RGB(0, 0, 0)) << "the rectangle's outline, " << what;
  int dark = 0;  // the text line's ink
  for (double y = 128; y < 150; y += 0.5)
    for (double x = 40; x < 230; x += 0.5) dark += GetRValue(p(x, y)) < 128;
  EXPECT_GT(dark, 300) << what;
  EXPECT_LT(dark, 6000) << what;
}

struct Difference {
  int64_t pixels = 0;
  int largest = 0;  // channel levels
};

// The picture inside the frame against one drawing of the whole picture into
// a bottom-up 24-bit DIB section, as the strips are.
Difference DifferenceFromOnePass(const TDibImage& target, const render::RenderSettings& s,
                                 const render::DocumentDrawer& drawer) {
  Difference d;
  const bool made =
      renderertest::CompareWithOnePass(target, s, drawer, [&](int, const uint8_t* whole, const uint8_t* picture) {
        for (int x = 0; x < 3 * s.width; x += 3) {
          int largest = 0;
          for (int c = 0; c < 3; ++c) largest = std::max(largest, std::abs(int(whole[x + c]) - int(picture[x + c])));
          d.pixels += largest > 0;
          d.largest = std::max(d.largest, largest);
        }
      });
  return made ? d : Difference{-1, -1};
}

}  // namespace

TEST(PageDocuments, SamplesHaveTheirPageSizeAndColoursOnBothPaths) {
  for (const Sample& s : Samples()) {
    const auto doc = doctest::Load(s.kind, s.bytes);
    ASSERT_TRUE(doc) << s.name;
    // 400 x 300 points.
    EXPECT_EQ(doc->Extent().cx, 14111) << s.name;
    EXPECT_EQ(doc->Extent().cy, 10583) << s.name;
    const auto& page = static_cast<const PageContent&>(*doc);
    for (double scale : {1.0, 2.0, 3.5}) {
      const int w = int(400 * scale), h = int(300 * scale);
      const std::string what = std::string(s.name) + " at " + std::to_string(scale);
      const auto section = doctest::DrawWhole(*doc, w, h);
      EXPECT_EQ(page.LastPath(), PageContent::Path::Section) << what;
      ExpectSampleColours([&](int x, int y) { return section->At(x, y); }, scale, what + " into a section");

      DdbCanvas ddb(w + 20, h + 10);
      doc->Draw(ddb.dc.get(), RECT{20, 10, 20 + w, 10 + h});
      EXPECT_EQ(page.LastPath(), PageContent::Path::Bands) << what;
      ExpectSampleColours([&](int x, int y) { return ddb.At(20 + x, 10 + y); }, scale, what + " in bands");
      EXPECT_EQ(ddb.At(19, 10 + h / 2), RGB(0, 0, 0)) << "nothing left of the bounds, " << what;
      EXPECT_EQ(ddb.At(20 + w / 2, 9), RGB(0, 0, 0)) << "nothing above the bounds, " << what;
    }
  }
}

TEST(PageDocuments, ClippedBandsDrawOnlyTheClip) {
  const auto doc = doctest::Load(DocumentKind::Pdf, doctest::ReadSample(L"page.pdf"));
  ASSERT_TRUE(doc);
  DdbCanvas ddb(800, 600);
  IntersectClipRect(ddb.dc.get(), 100, 100, 300, 200);
  doc->Draw(ddb.dc.get(), RECT{0, 0, 800, 600});
  EXPECT_EQ(ddb.At(200, 160), kRed);             // inside the clip: drawn
  EXPECT_EQ(ddb.At(560, 180), RGB(0, 0, 0));     // the circle, outside: untouched
  EXPECT_EQ(ddb.At(99, 150), RGB(0, 0, 0));
}

TEST(PageDocuments, StripsMatchOnePassInTheRenderer) {
  for (const Sample& s : Samples()) {
    const auto doc = doctest::Load(s.kind, s.bytes);
    ASSERT_TRUE(doc) << s.name;
    const render::DocumentDrawer drawer = [&](HDC dc, int left, int top, int width, int height) {
      doc->Draw(dc, RECT{left, top, left + width, top + height});
    };
    // One, two and three strips of at most 500 rows, each with a border.
    for (int32_t height : {450, 900, 1401}) {
      render::RenderSettings settings;
      settings.width = height * 4 / 3;
      settings.height = height;
      settings.border = true;
      settings.left = 3, settings.top = 5, settings.right = 7, settings.bottom = 2;
      settings.color = 0x00336699;
      renderertest::Harness harness(drawer);
      render::StripRenderer renderer(harness.Context());
      raster::OwnedDib picture = renderer.Render(settings);
      ASSERT_TRUE(picture) << s.name << " " << height;
      EXPECT_EQ(harness.draws.size(), size_t((height + 499) / 500)) << s.name << " " << height;
      EXPECT_EQ(static_cast<const PageContent&>(*doc).LastPath(), PageContent::Path::Section);
      const Difference d = DifferenceFromOnePass(picture.get(), settings, drawer);
      // MuPDF steps slanted edges and image rows from where its clip starts,
      // so a shape or image crossing a strip's top may land a row off along
      // its edges there: a few pixels in a thousand at most. One strip is
      // the one-pass drawing exactly.
      const int64_t pixels = int64_t(settings.width) * settings.height;
      if (harness.draws.size() == 1) {
        EXPECT_EQ(d.pixels, 0) << s.name << " " << height;
      } else {
        EXPECT_LE(d.pixels * 1000, pixels) << s.name << " " << height << ", by up to " << d.largest;
      }
      EXPECT_GE(d.pixels, 0) << s.name << " " << height;
      EXPECT_EQ(renderertest::FramePixelsNotColored(picture.get(), settings), 0) << s.name << " " << height;
    }
  }
}

// A JPEG image inside a PDF goes through the program's own libjpeg: the
// photo sample shows in the image's place, as WIC decodes it.
TEST(PageDocuments, JpegImagesInsideAPdf) {
  const std::vector<uint8_t> jpeg = doctest::ReadSample(L"photo.jpg");
  ASSERT_FALSE(jpeg.empty());
  const auto photo = doctest::Load(DocumentKind::Image, jpeg);
  ASSERT_TRUE(photo);
  samples::PdfParts parts;
  parts.jpeg.assign(jpeg.begin(), jpeg.end());
  parts.jpegWidth = 256, parts.jpegHeight = 192;
  const auto doc = doctest::Load(DocumentKind::Pdf, Bytes(samples::SamplePdf(parts)));
  ASSERT_TRUE(doc);
  // The image fills (220..340, 170..260) points; drawn at 2 pixels a point it
  // is 240 x 180 pixels, and the photo alone is drawn at that size to compare.
  const auto page = doctest::DrawWhole(*doc, 800, 600);
  const auto alone = doctest::DrawWhole(*photo, 240, 180);
  int compared = 0, close = 0;
  for (int y = 10; y < 180; y += 20)
    for (int x = 10; x < 240; x += 20) {
      const COLORREF a = page->At(440 + x, 340 + y), b = alone->At(x, y);
      ++compared;
      close += std::abs(GetRValue(a) - GetRValue(b)) <= 24 && std::abs(GetGValue(a) - GetGValue(b)) <= 24 &&
               std::abs(GetBValue(a) - GetBValue(b)) <= 24;
    }
  EXPECT_GE(close * 10, compared * 9) << close << " of " << compared;
  EXPECT_EQ(page->At(200, 160), kRed);
}

TEST(PageDocuments, UnreadableDocumentsAreRefusedWithAReason) {
  const std::string pdf = samples::SamplePdf();
  samples::PdfParts encrypted;
  // The standard security handler with keys no empty password opens.
  encrypted.extraTrailer =
      " /Encrypt << /Filter /Standard /V 1 /R 2 /P -4 /O <" + std::string(64, 'A') + "> /U <" +
      std::string(64, 'B') + "> >> /ID [<0123456789ABCDEF0123456789ABCDEF> <0123456789ABCDEF0123456789ABCDEF>]";
  samples::PdfParts noPages;
  noPages.noPages = true;
  struct Case {
    const char* what;
    DocumentKind kind;
    std::vector<uint8_t> bytes;
    const wchar_t* reason;  // part of the reason
  };
  const Case cases[] = {
      {"empty file", DocumentKind::Pdf, {}, L"the file is empty"},
      {"no pages", DocumentKind::Pdf, Bytes(samples::SamplePdf(noPages)), L"no pages"},
      {"encrypted", DocumentKind::Pdf, Bytes(samples::SamplePdf(encrypted)), L"password"},
      {"not a PDF", DocumentKind::Pdf, Bytes("%PDF-1.4\nthis is no document at all\n"), L"refused: "},
      {"garbage", DocumentKind::Pdf, Bytes(std::string(3000, '\x17')), L"refused: "},
      {"truncated SVG", DocumentKind::Svg, Bytes(samples::SampleSvg().substr(0, 120)), L"refused: "},
      {"not an SVG", DocumentKind::Svg, Bytes("<html><body>no</body></html>"), L"refused: "},
      {"empty XPS", DocumentKind::Xps, Bytes("PK\x05\x06" + std::string(18, '\0')), L"refused: "},
  };
  for (const Case& c : cases) {
    std::unique_ptr<documents::DocumentContent> content;
    std::wstring reason;
    EXPECT_EQ(documents::ContentFromBytes(c.kind, c.bytes, content, &reason), documents::kInvalidContent) << c.what;
    EXPECT_FALSE(content) << c.what;
    EXPECT_EQ(reason.rfind(L"refused: ", 0), 0u) << c.what << ": " << doctest::Narrow(reason);
    EXPECT_NE(reason.find(c.reason), std::wstring::npos) << c.what << ": " << doctest::Narrow(reason);
  }
}

TEST(PageDocuments, FilesOfThePageTypesBecomeDocumentObjects) {
  doctest::TempDir dir;
  struct Case {
    const wchar_t* name;
    std::string bytes;
    bool opens;
  };
  const Case cases[] = {
      {L"Sample.PDF", samples::SamplePdf(), true},
      {L"sample.svg", samples::SampleSvg(), true},
      {L"broken.pdf", "%PDF-1.7\n1 0 obj <<", false},
  };
  for (const Case& c : cases) {
    const std::wstring path = dir.Write(c.name, Bytes(c.bytes));
    Microsoft::WRL::ComPtr<IOleObject> object;
    std::wstring reason;
    const HRESULT hr = documents::CreateLinkToFile(path, nullptr, nullptr, &object, &reason);
    EXPECT_EQ(SUCCEEDED(hr), c.opens) << doctest::Narrow(c.name) << ": " << doctest::Narrow(reason);
    if (!c.opens) {
      EXPECT_EQ(reason.rfind(L"refused: ", 0), 0u) << doctest::Narrow(reason);
    } else {
      SIZEL extent{};
      EXPECT_EQ(object->GetExtent(DVASPECT_CONTENT, &extent), S_OK);
      EXPECT_EQ(extent.cx, 14111);
    }
  }
}

TEST(PageDocuments, ConcurrentDrawsOfOneObjectMatchASingleDraw) {
  const auto doc = doctest::Load(DocumentKind::Pdf, doctest::ReadSample(L"page.pdf"));
  ASSERT_TRUE(doc);
  const auto reference = doctest::DrawWhole(*doc, 600, 450);
  std::unique_ptr<testsupport::DibCanvas> drawn[4];
  std::vector<std::thread> threads;
  for (auto& canvas : drawn) threads.emplace_back([&] { canvas = doctest::DrawWhole(*doc, 600, 450); });
  for (auto& t : threads) t.join();
  for (const auto& canvas : drawn)
    for (int y = 0; y < 450; ++y)
      ASSERT_EQ(std::memcmp(canvas->Row(y), reference->Row(y), 600 * 3), 0) << "row " << y;
}

// A PDF of several pages shows one at a time: the extent and the drawing are
// the shown page's, a page it does not have is refused and changes nothing.
TEST(PageDocuments, PagesAreShownOneAtATime) {
  samples::PdfParts parts;
  parts.morePages = {{200, 400, 1, 0, 0}, {300, 300, 0, 0.4, 0.8}};
  auto doc = doctest::Load(DocumentKind::Pdf, Bytes(samples::SamplePdf(parts)));
  ASSERT_TRUE(doc);
  EXPECT_EQ(doc->PageCount(), 3);
  struct Step {
    int32_t page;
    bool shown;
    LONG cx, cy;  // the extent after the step
    COLORREF centre;
  };
  const Step steps[] = {
      {1, true, 7056, 14111, kRed},
      {3, false, 7056, 14111, kRed},  // no fourth page: the second stays
      {-1, false, 7056, 14111, kRed},
      {2, true, 10583, 10583, RGB(0, 102, 204)},
      {0, true, 14111, 10583, 0},
  };
  for (const Step& s : steps) {
    std::wstring reason;
    const HRESULT hr = doc->ShowPage(s.page, reason);
    EXPECT_EQ(SUCCEEDED(hr), s.shown) << s.page;
    if (!s.shown) {
      EXPECT_EQ(hr, documents::kNoSuchPage) << s.page;
      EXPECT_FALSE(reason.empty()) << s.page;
    }
    EXPECT_EQ(doc->Extent().cx, s.cx) << s.page;
    EXPECT_EQ(doc->Extent().cy, s.cy) << s.page;
    // The first page at 2 pixels a point, where its known places are sharp.
    const int w = s.page == 0 ? 800 : int(s.cx / 50), h = s.page == 0 ? 600 : int(s.cy / 50);
    const auto canvas = doctest::DrawWhole(*doc, w, h);
    if (s.page == 0) {
      ExpectSampleColours([&](int x, int y) { return canvas->At(x, y); }, w / 400.0, "the first page again");
    } else {
      EXPECT_EQ(canvas->At(w / 2, h / 2), s.centre) << s.page;
    }
  }
  // Documents of one page have only that one.
  auto svg = doctest::Load(DocumentKind::Svg, Bytes(samples::SampleSvg()));
  ASSERT_TRUE(svg);
  EXPECT_EQ(svg->PageCount(), 1);
  std::wstring reason;
  EXPECT_EQ(svg->ShowPage(1, reason), documents::kNoSuchPage);
}
