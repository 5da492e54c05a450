// Plain-text layout on the fixed-pitch page: wrapping, line ends, tabs and
// control characters, the page height.
#include <gtest/gtest.h>

#include "core/text_layout.h"

using core::LayoutText;
using core::TextLayout;
namespace page = core::page;

namespace {

std::vector<std::wstring> Lines(const std::wstring& text) {
  TextLayout layout;
  EXPECT_TRUE(LayoutText(text, layout));
  return layout.lines;
}

}  // namespace

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
  EXPECT_EQ(core::CellCount(pairs[0]), size_t(page::kColumns));
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
