// The favourites format: lines, their ends, Ctrl-Z, and the order of entries.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/favorites_lines.h"

using namespace core;

namespace {
using Lines = std::vector<std::string>;
}  // namespace

TEST(FavoriteLines, LineEndsAndEndOfFile) {
  EXPECT_EQ(SplitFavoriteLines("C:\\a\\\r\nD:\\b\\"), (Lines{"C:\\a\\", "D:\\b\\"}));  // last line without end
  EXPECT_EQ(SplitFavoriteLines("A\r\n\r\nB\r\n"), (Lines{"A", "", "B"}));             // empty line is an entry
  EXPECT_EQ(SplitFavoriteLines("A\rB\r\n"), (Lines{"A", "B"}));                       // CR alone ends a line
  EXPECT_EQ(SplitFavoriteLines("A\r\n\nB"), (Lines{"A", "\nB"}));                     // only one LF is skipped
  EXPECT_EQ(SplitFavoriteLines("A\nB\r\n"), (Lines{"A\nB"}));
  EXPECT_EQ(SplitFavoriteLines("A\r\nB\x1A\r\nC\r\n"), (Lines{"A", "B"}));            // Ctrl-Z ends the file
  EXPECT_EQ(SplitFavoriteLines("\x1A" "A"), Lines{});
  EXPECT_EQ(SplitFavoriteLines(""), Lines{});
  EXPECT_EQ(SplitFavoriteLines("\r\n"), Lines{""});
  EXPECT_EQ(SplitFavoriteLines(std::string_view("A\0B\r\n", 5)), Lines{std::string("A\0B", 3)});
}

TEST(FavoriteLines, WritingAndReadingGiveTheSameList) {
  const Lines lines{"C:\\x\\", "", "D:\\Ordner \xC4\xD6\xDC\\", "E:\\"};
  const std::string text = JoinFavoriteLines(lines);
  EXPECT_EQ(text, "C:\\x\\\r\n\r\nD:\\Ordner \xC4\xD6\xDC\\\r\nE:\\\r\n");
  EXPECT_EQ(SplitFavoriteLines(text), lines);
}

TEST(FavoriteOrder, MostRecentFirstWithoutLosingEarlierCopies) {
  std::vector<std::wstring> list{L"A\\", L"B\\", L"C\\"};
  MoveToFront(list, L"C\\");  // the third favourite moves to the top
  EXPECT_EQ(list, (std::vector<std::wstring>{L"C\\", L"A\\", L"B\\"}));
  MoveToFront(list, L"a\\");  // letter case makes a new entry
  EXPECT_EQ(list, (std::vector<std::wstring>{L"a\\", L"C\\", L"A\\", L"B\\"}));
  std::vector<std::wstring> dup{L"X\\", L"A\\", L"Y\\", L"A\\"};
  MoveToFront(dup, L"A\\");  // the later copy goes, the earlier one stays
  EXPECT_EQ(dup, (std::vector<std::wstring>{L"A\\", L"X\\", L"A\\", L"Y\\"}));
  std::vector<std::wstring> empty;
  MoveToFront(empty, L"");
  EXPECT_EQ(empty, std::vector<std::wstring>{L""});
}

TEST(FavoriteOrder, LastEqualFindsTheLastExactCopy) {
  const std::vector<std::wstring> list{L"A\\", L"B\\", L"A\\", L"a\\"};
  EXPECT_EQ(LastEqual(list, L"A\\"), 2);
  EXPECT_EQ(LastEqual(list, L"a\\"), 3);
  EXPECT_EQ(LastEqual(list, L"C\\"), -1);
  EXPECT_EQ(LastEqual({}, L""), -1);
}

TEST(FavoriteLines, JoinedLinesSplitBackWhateverTheyHold) {
  // Lines without CR or Ctrl-Z come back unchanged, also with LF, NUL, bytes
  // above 127 and a first line that starts with LF.
  const Lines lines{"\nLF first", std::string("nul\0inside", 10), "\xFF\xFE", "", "last"};
  EXPECT_EQ(SplitFavoriteLines(JoinFavoriteLines(lines)), lines);
  EXPECT_EQ(JoinFavoriteLines({}), "");
  // A line of 10 MB is one entry.
  const Lines big{std::string(10u << 20, 'x'), "y"};
  EXPECT_EQ(SplitFavoriteLines(JoinFavoriteLines(big)), big);
}
