// Plain-text documents: decoding, the fixed-pitch layout, and drawing.
#include <gtest/gtest.h>

#include "render/documents/text_content.h"
#include "render/documents/text_decoder.h"
#include "render/documents/text_layout.h"
#include "tests/render/documents_fixtures.h"

using documents::DecodeText;
using documents::LayoutText;
using documents::TextLayout;
namespace page = documents::page;

namespace {

std::vector<uint8_t> Bytes(std::initializer_list<int> b) { return std::vector<uint8_t>(b.begin(), b.end()); }

std::vector<std::wstring> Lines(const std::wstring& text) {
  TextLayout layout;
  EXPECT_TRUE(LayoutText(text, layout));
  return layout.lines;
}

}  // namespace

TEST(TextDecoding, RecognisesEveryEncodingAndRefusesWhatIsNotText) {
  EXPECT_EQ(DecodeText(Bytes({0xEF, 0xBB, 0xBF, 'a', 0xC3, 0xA4})), L"a\x00e4");  // UTF-8 with BOM
  EXPECT_EQ(DecodeText(Bytes({'a', 0xC3, 0xA4})), L"a\x00e4");                     // without
  EXPECT_EQ(DecodeText(Bytes({0xFF, 0xFE, 'a', 0, 0xE4, 0})), L"a\x00e4");         // UTF-16 LE
  EXPECT_EQ(DecodeText(Bytes({0xFE, 0xFF, 0, 'a', 0xD8, 0x3D, 0xDE, 0x00})), L"a\xD83D\xDE00");
  // Not valid UTF-8: the ANSI code page, whatever it is on this machine.
  wchar_t ansi[2] = {};
  const char raw[] = {'a', char(0xE4)};
  MultiByteToWideChar(CP_ACP, 0, raw, 2, ansi, 2);
  EXPECT_EQ(DecodeText(Bytes({'a', 0xE4})), std::wstring(ansi, 2));
  EXPECT_FALSE(DecodeText({}));                                        // empty file
  EXPECT_FALSE(DecodeText(Bytes({'a', 0, 'b'})));                       // binary
  EXPECT_FALSE(DecodeText(Bytes({0xFF, 0xFE, 0x3D, 0xD8, 'a', 0})));    // lone surrogate
  EXPECT_FALSE(DecodeText(Bytes({0xFF, 0xFE, 'a'})));                   // odd UTF-16 length
  EXPECT_FALSE(DecodeText(doctest::ReadSample(L"photo.png")));           // an image
}

TEST(TextLayout, WrapsAtTheLastSpaceThatFitsAndBreaksOverlongWords) {
  const std::wstring word9 = L"abcdefghi";
  std::wstring para;
  for (int i = 0; i < 9; ++i) para += word9 + L" ";  // 90 characters
  const auto lines = Lines(para);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].size(), 79u);  // eight words and their spaces, the last blank dropped
  EXPECT_EQ(lines[1], word9);
  const auto hard = Lines(std::wstring(200, L'x'));
  ASSERT_EQ(hard.size(), 3u);
  EXPECT_EQ(hard[0].size(), size_t(page::kColumns));
  EXPECT_EQ(hard[2].size(), 200u - 2 * page::kColumns);
  // A surrogate pair is one character and is never split.
  std::wstring emoji;
  for (int i = 0; i < 81; ++i) emoji += L"\xD83D\xDE00";
  const auto pairs = Lines(emoji);
  ASSERT_EQ(pairs.size(), 2u);
  EXPECT_EQ(documents::CellCount(pairs[0]), size_t(page::kColumns));
  EXPECT_EQ(pairs[1], L"\xD83D\xDE00");
}

TEST(TextLayout, LineEndsTabsAndControlCharacters) {
  EXPECT_EQ(Lines(L"a\r\nb\nc\rd"), (std::vector<std::wstring>{L"a", L"b", L"c", L"d"}));
  EXPECT_EQ(Lines(L"a\r\n\r\nb\r\n"), (std::vector<std::wstring>{L"a", L"", L"b"}));
  EXPECT_EQ(Lines(L"ab\tc\x01" L"d"), (std::vector<std::wstring>{L"ab      c d"}));
}

TEST(TextLayout, PageIsAtLeastOneA4HighAndGrowsWithItsLines) {
  TextLayout layout;
  ASSERT_TRUE(LayoutText(L"one line", layout));
  EXPECT_EQ(layout.pageHeight, page::kMinHeight);
  ASSERT_TRUE(LayoutText(std::wstring(100, L'\n'), layout));
  EXPECT_EQ(layout.lines.size(), 100u);
  EXPECT_EQ(layout.pageHeight, 2 * page::kMargin + 100 * page::kLineHeight);
}

TEST(TextDocument, SampleLetterIsAboutThreePagesAndDrawsInsideItsMargins) {
  const auto doc = doctest::Load(documents::DocumentKind::Text, doctest::ReadSample(L"letter.txt"));
  ASSERT_TRUE(doc);
  const SIZEL ext = doc->Extent();
  EXPECT_EQ(ext.cx, page::kWidth);
  EXPECT_GT(ext.cy, 2 * page::kMinHeight);
  EXPECT_LT(ext.cy, 4 * page::kMinHeight);
  const int w = 420, h = int(int64_t(ext.cy) * w / ext.cx);
  const auto canvas = doctest::DrawWhole(*doc, w, h);
  int inkInMargins = 0, inkInText = 0;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const bool ink = canvas->At(x, y) != RGB(255, 255, 255);
      const bool margin = x < 39 || x >= w - 39 || y < 39 || y >= h - 39;  // 2 cm = 40 px here
      (margin ? inkInMargins : inkInText) += ink;
    }
  EXPECT_EQ(inkInMargins, 0);
  EXPECT_GT(inkInText, 10000);
}

TEST(TextDocument, TooSmallForGlyphsShowsGreyBarsWhereTheTextIs) {
  const auto doc = doctest::Load(documents::DocumentKind::Text, doctest::ReadSample(L"letter.txt"));
  ASSERT_TRUE(doc);
  // A preview-sized page: far below a readable font size.
  const int w = 100, h = int(int64_t(doc->Extent().cy) * w / doc->Extent().cx);
  const auto canvas = doctest::DrawWhole(*doc, w, h);
  int grey = 0, other = 0, inMargins = 0;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const COLORREF c = canvas->At(x, y);
      if (c == RGB(255, 255, 255)) continue;
      (c == RGB(176, 176, 176) ? grey : other) += 1;
      inMargins += x < 9 || x >= w - 9 || y < 9 || y >= h - 9;  // 2 cm = 9.5 px here
    }
  EXPECT_GT(grey, 300);
  EXPECT_EQ(other, 0);
  EXPECT_EQ(inMargins, 0);
  EXPECT_EQ(doctest::RowsDifferingInStrips(*doc, w, h, 37), 0);
}

TEST(TextDocument, StripsGiveExactlyTheRowsOfTheWholeDrawing) {
  const auto doc = doctest::Load(documents::DocumentKind::Text, doctest::ReadSample(L"letter.txt"));
  ASSERT_TRUE(doc);
  const int w = 600, h = int(int64_t(doc->Extent().cy) * w / doc->Extent().cx);
  EXPECT_EQ(doctest::RowsDifferingInStrips(*doc, w, h, 97), 0);
}
