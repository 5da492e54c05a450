// --page: a chosen page of a PDF, or every page into a folder, numbered; a
// page the document does not have fails with why and writes nothing.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/cli/batch_render.h"
#include "samples/page_samples.h"
#include "tests/cli/cli_fixtures.h"

using namespace cli;
using clitest::Batch;
using clitest::BatchRun;
using clitest::ScratchFolder;

namespace {

// The sample page (400 x 300 points), a red page of 200 x 400 and a blue one
// of 300 x 300.
std::string ThreePages() {
  samples::PdfParts parts;
  parts.morePages = {{200, 400, 1, 0, 0}, {300, 300, 0, 0, 1}};
  return samples::SamplePdf(parts);
}

CliOptions Pages(const std::wstring& document, const std::wstring& folder, const wchar_t* page) {
  CliOptions o;
  o.documents = {document};
  o.outDir = folder;
  o.write.format = core::PictureFormat::kBmp;
  o.width = 120;
  o.page = core::ParsePageChoice(page);
  return o;
}

std::vector<std::wstring> Sorted(std::vector<std::wstring> names) {
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace

TEST(BatchPages, EveryPageItsPictureAtItsOwnAspect) {
  ScratchFolder docs, folder;
  const std::wstring doc = docs.Write(L"plan.pdf", ThreePages());
  const std::wstring out = folder.Path();
  const BatchRun r = Batch(Pages(doc, out, L"all"));
  EXPECT_EQ(r.code, kExitOk);
  struct Expected {
    const wchar_t* name;
    int height;
    COLORREF centre;  // as RGB()
  };
  // Heights as the size rules give them from the extents in HIMETRIC.
  const Expected pages[] = {{L"plan-1.bmp", 89, RGB(255, 255, 255)},
                            {L"plan-2.bmp", 239, RGB(255, 0, 0)},
                            {L"plan-3.bmp", 120, RGB(0, 0, 255)}};
  ASSERT_EQ(r.lines.size(), 3u) << clitest::ToUtf8Line(r.text);
  for (int i = 0; i < 3; ++i) {
    const std::wstring picture = out + L"\\" + pages[i].name;
    EXPECT_EQ(r.lines[i], L"[1/1] " + doc + L", page " + std::to_wstring(i + 1) + L" of 3: written " + picture);
    const clitest::BmpFile bmp = clitest::ReadBmp(picture);
    ASSERT_TRUE(bmp.valid) << i;
    EXPECT_EQ(bmp.info.biWidth, 120) << i;
    EXPECT_EQ(bmp.info.biHeight, pages[i].height) << i;
    const uint8_t* p = bmp.Pixel(60, pages[i].height / 2 + (i == 0 ? 30 : 0));
    EXPECT_EQ(RGB(p[2], p[1], p[0]), pages[i].centre) << i;
  }
  EXPECT_EQ(Sorted(folder.Files()), Sorted({L"plan-1.bmp", L"plan-2.bmp", L"plan-3.bmp"}));
}

TEST(BatchPages, OnePageOrWhyItCannotBe) {
  ScratchFolder dir;
  const std::wstring pdf = dir.Write(L"plan.pdf", ThreePages());
  const std::wstring emf = clitest::SamplePath(L"drawing.emf");
  struct Case {
    std::wstring document;
    const wchar_t* page;
    int code;
    std::vector<std::wstring> lines;  // after "[1/1] DOCUMENT"
    const wchar_t* picture;           // written, or none
    int height;
  };
  const Case cases[] = {
      {pdf, L"2", kExitOk, {L": written " + dir.Path(L"plan.bmp")}, L"plan.bmp", 239},
      {pdf, L"4", kExitFailed, {L": Page 4 does not exist: the document has 3 pages."}, nullptr, 0},
      {emf, L"1", kExitOk, {L": written " + dir.Path(L"drawing.bmp")}, L"drawing.bmp", 0},
      {emf, L"2", kExitFailed, {L": Page 2 does not exist: the document has 1 page."}, nullptr, 0},
      {emf, L"all", kExitOk, {L", page 1 of 1: written " + dir.Path(L"drawing-1.bmp")}, L"drawing-1.bmp", 0},
  };
  for (const Case& c : cases) {
    const BatchRun r = Batch(Pages(c.document, dir.Path(), c.page));
    const std::string what = clitest::ToUtf8Line(c.page) + clitest::ToUtf8Line(r.text);
    EXPECT_EQ(r.code, c.code) << what;
    ASSERT_EQ(r.lines.size(), c.lines.size()) << what;
    for (size_t i = 0; i < c.lines.size(); ++i) EXPECT_EQ(r.lines[i], L"[1/1] " + c.document + c.lines[i]) << what;
    const std::vector<std::wstring> files = dir.Files();
    EXPECT_EQ(files.size(), c.picture ? 2u : 1u) << what;
    if (c.picture) {
      const clitest::BmpFile bmp = clitest::ReadBmp(dir.Path(c.picture));
      EXPECT_TRUE(bmp.valid) << what;
      if (c.height) {
        EXPECT_EQ(bmp.info.biHeight, c.height) << what;
      }
      DeleteFileW(dir.Path(c.picture).c_str());
    }
  }
}
