// --page: which pages a document becomes, and what their pictures are called.
#include <gtest/gtest.h>

#include "core/cli_options.h"
#include "core/page_choice.h"

using namespace core;

TEST(PageChoice, NumbersFromOneOrAllInAnyCase) {
  struct Case {
    const wchar_t* text;
    bool ok;
    bool all;
    int32_t number;
  };
  const Case cases[] = {
      {L"1", true, false, 1},       {L"007", true, false, 7},   {L"999999", true, false, 999999},
      {L"all", true, true, 1},      {L"ALL", true, true, 1},    {L"All", true, true, 1},
      {L"0", false, false, 0},      {L"-1", false, false, 0},   {L"1000000", false, false, 0},
      {L"", false, false, 0},       {L"1,2", false, false, 0},  {L"1-3", false, false, 0},
      {L"first", false, false, 0},  {L" all", false, false, 0}, {L"2 ", false, false, 0},
  };
  for (const Case& c : cases) {
    const auto choice = ParsePageChoice(c.text);
    ASSERT_EQ(choice.has_value(), c.ok) << std::wstring(c.text).size();
    if (!choice) {
      // The command line refuses it with the value named.
      const ParseResult r = ParseArguments({L"--render", L"d.pdf", L"--out-dir", L"f", L"--page", c.text});
      EXPECT_FALSE(r.options);
      EXPECT_NE(r.error.find(L"--page must be"), std::wstring::npos);
      continue;
    }
    EXPECT_EQ(choice->all, c.all);
    if (!c.all) {
      EXPECT_EQ(choice->number, c.number);
    }
  }
  const ParseResult r = ParseArguments({L"--page", L"3", L"--render", L"d.pdf", L"--out", L"p.png"});
  ASSERT_TRUE(r.options);
  ASSERT_TRUE(r.options->page);
  EXPECT_EQ(r.options->page->number, 3);
  EXPECT_FALSE(ParseArguments({L"--render", L"d.pdf", L"--out", L"p.png"}).options->page);
}

TEST(PageChoice, PagesToRenderOfADocument) {
  struct Case {
    std::optional<PageChoice> choice;
    int32_t pageCount;
    int32_t first, count;
    const wchar_t* error;  // a part of it
  };
  const Case cases[] = {
      {std::nullopt, 1, 0, 1, nullptr},
      {std::nullopt, 40, 0, 1, nullptr},          // the first page, as the window shows
      {PageChoice{false, 1}, 1, 0, 1, nullptr},
      {PageChoice{false, 40}, 40, 39, 1, nullptr},
      {PageChoice{true, 1}, 1, 0, 1, nullptr},
      {PageChoice{true, 1}, 12, 0, 12, nullptr},
      {PageChoice{false, 41}, 40, 0, 0, L"Page 41 does not exist: the document has 40 pages."},
      {PageChoice{false, 2}, 1, 0, 0, L"the document has 1 page."},
      {PageChoice{true, 1}, 0, 0, 0, L"no pages"},
      {std::nullopt, 0, 0, 0, L"no pages"},
  };
  for (const Case& c : cases) {
    const PageRange r = PagesToRender(c.choice, c.pageCount);
    EXPECT_EQ(r.first, c.first) << c.pageCount;
    EXPECT_EQ(r.count, c.count) << c.pageCount;
    if (c.error) {
      EXPECT_NE(r.error.find(c.error), std::wstring::npos) << c.pageCount;
    } else {
      EXPECT_EQ(r.error, L"");
    }
  }
}

TEST(PageChoice, PagePicturesAreNumberedSoTheySortInPageOrder) {
  struct Case {
    int32_t page, count;
    const wchar_t* folder;
    const wchar_t* document;
    PictureFormat format;
    const wchar_t* picture;
  };
  const Case cases[] = {
      {1, 1, L"C:\\out", L"D:\\docs\\plan.pdf", PictureFormat::kPng, L"C:\\out\\plan-1.png"},
      {3, 7, L"C:\\out\\", L"D:\\docs\\plan.pdf", PictureFormat::kPng, L"C:\\out\\plan-3.png"},
      {3, 12, L"C:\\out", L"plan.pdf", PictureFormat::kJpeg, L"C:\\out\\plan-03.jpg"},
      {12, 12, L"out", L"a.b.xps", PictureFormat::kTiff, L"out\\a.b-12.tif"},
      {5, 1000, L"out", L"D:/docs/report", PictureFormat::kBmp, L"out\\report-0005.bmp"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(PagePictureInFolder(c.folder, c.document, c.format, c.page, c.count), c.picture) << c.page;
}
