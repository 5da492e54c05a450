// The handle-free rules behind the shell controls: wildcard matching, filter
// texts, the list's order and column texts, names typed in place.
#include <algorithm>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "shell/filter_text.h"
#include "shell/list_text.h"
#include "shell/wildcard.h"
#include "tests/shell/shell_fixture.h"

using namespace shell;
using shelltest::U8;

TEST(Wildcard, MatchesNamesAsTheShellDoes) {
  struct Case {
    const wchar_t* name;
    const wchar_t* mask;
    bool match;
  } const cases[] = {
      {L"a.emf", L"*.emf", true},        {L"A.EMF", L"*.emf", true},       {L"a.emf.txt", L"*.emf", false},
      {L"a.emfx", L"*.emf", false},      {L"README", L"*.*", true},        {L"README", L"*", true},
      {L"README", L"*.", false},         {L"x", L"?", true},               {L"xy", L"?", false},
      {L"", L"?", false},                {L"abc.wmf", L"a?c.*", true},     {L"ac.wmf", L"a?c.*", false},
      {L"abcbcd", L"*bcd", true},        {L"abcbce", L"*bcd", false},      {L"aaa", L"*a*a*a*", true},
      {L"aa", L"*a*a*a*", false},        {L"file.tar.gz", L"*.gz", true},  {L"Bild Ä.EMF", L"bild ä.emf", true},
      {L"日本.txt", L"日*.TXT", true},   {L"a.emf", L"a.emf", true},       {L"a.emf", L"b.emf", false},
      {L"report.doc", L"*rep*", true},   {L"x.emf", L"**.emf", true},      {L"", L"*", true},
  };
  for (const auto& c : cases)
    EXPECT_EQ(MatchesMask(c.name, c.mask), c.match) << U8(c.name) << " against " << U8(c.mask);
}

TEST(Wildcard, FilterSplitsAtSemicolonsAndTrims) {
  EXPECT_EQ(SplitMasks(L"*.emf;*.wmf"), (std::vector<std::wstring>{L"*.emf", L"*.wmf"}));
  EXPECT_EQ(SplitMasks(L" *.emf ; ;*.wmf ;"), (std::vector<std::wstring>{L"*.emf", L"*.wmf"}));
  EXPECT_TRUE(SplitMasks(L"").empty());
  EXPECT_TRUE(SplitMasks(L" ; ").empty());

  EXPECT_TRUE(MatchesFilter(L"x.wmf", L"*.emf;*.wmf"));
  EXPECT_TRUE(MatchesFilter(L"x.EMF", L"*.emf; *.wmf"));
  EXPECT_FALSE(MatchesFilter(L"x.png", L"*.emf;*.wmf"));
  EXPECT_TRUE(MatchesFilter(L"x.png", L""));    // no masks: everything
  EXPECT_TRUE(MatchesFilter(L"x.png", L";;"));
}

TEST(FilterText, SplitsIntoDescriptionAndMaskPairs) {
  EXPECT_EQ(SplitFilterText(L"Alle Dateien(*.*)|*.*"), (std::vector<FilterEntry>{{L"Alle Dateien(*.*)", L"*.*"}}));
  EXPECT_EQ(SplitFilterText(L"Pictures|*.emf;*.wmf|All|*.*"),
            (std::vector<FilterEntry>{{L"Pictures", L"*.emf;*.wmf"}, {L"All", L"*.*"}}));
  // A description without its mask keeps an empty mask; a final "|" adds nothing.
  EXPECT_EQ(SplitFilterText(L"A|*.a|Lonely"), (std::vector<FilterEntry>{{L"A", L"*.a"}, {L"Lonely", L""}}));
  EXPECT_EQ(SplitFilterText(L"A|*.a|"), (std::vector<FilterEntry>{{L"A", L"*.a"}}));
  EXPECT_EQ(SplitFilterText(L"Only"), (std::vector<FilterEntry>{{L"Only", L""}}));
  EXPECT_TRUE(SplitFilterText(L"").empty());
  EXPECT_EQ(SplitFilterText(L"|*.x"), (std::vector<FilterEntry>{{L"", L"*.x"}}));
}

TEST(ListText, FoldersFirstThenNamesIgnoringCase) {
  std::vector<std::pair<bool, std::wstring>> items = {
      {false, L"b.txt"}, {true, L"c"}, {false, L"B.emf"}, {true, L"A"}, {false, L"a.txt"}, {false, L"a"}, {false, L"A"}};
  std::sort(items.begin(), items.end(),
            [](const auto& x, const auto& y) { return ListOrderLess(x.first, x.second, y.first, y.second); });
  const std::vector<std::pair<bool, std::wstring>> expected = {
      {true, L"A"}, {true, L"c"}, {false, L"A"}, {false, L"a"}, {false, L"a.txt"}, {false, L"B.emf"}, {false, L"b.txt"}};
  EXPECT_EQ(items, expected);
  EXPECT_FALSE(ListOrderLess(false, L"x", false, L"x"));
  EXPECT_FALSE(ListOrderLess(false, L"a", true, L"z"));
}

TEST(ListText, SizesInKilobytesRoundedUp) {
  EXPECT_EQ(FormatSizeKB(0), L"0 KB");
  EXPECT_EQ(FormatSizeKB(1), L"1 KB");
  EXPECT_EQ(FormatSizeKB(1024), L"1 KB");
  EXPECT_EQ(FormatSizeKB(1025), L"2 KB");
  EXPECT_EQ(FormatSizeKB(999 * 1024), L"999 KB");
  EXPECT_EQ(FormatSizeKB(1000 * 1024), L"1,000 KB");
  EXPECT_EQ(FormatSizeKB(1234567ull * 1024, L"."), L"1.234.567 KB");
  EXPECT_EQ(FormatSizeKB(5ull << 30), L"5,242,880 KB");  // beyond 32 bits
}

TEST(ListText, ModifiedAsSortableLocalTime) {
  SYSTEMTIME t{};
  t.wYear = 2024;
  t.wMonth = 1;
  t.wDay = 31;
  t.wHour = 9;
  t.wMinute = 5;
  t.wSecond = 59;
  EXPECT_EQ(FormatModified(t), L"2024-01-31 09:05");
}

TEST(ListText, NamesTypedInPlace) {
  for (const wchar_t* ok : {L"a.txt", L"Ordner ÄÖÜ é 日本", L".hidden", L"a b"}) EXPECT_TRUE(IsValidItemName(ok)) << U8(ok);
  for (const wchar_t* bad : {L"", L".", L"..", L"sub\\x.txt", L"../x", L"c:x", L"a?", L"a*", L"a|b", L"a<b>",
                             L"q\"", L"trailing.", L"trailing ", L"tab\there"})
    EXPECT_FALSE(IsValidItemName(bad)) << U8(bad);
  EXPECT_EQ(JoinPath(L"C:\\a", L"b.txt"), L"C:\\a\\b.txt");
  EXPECT_EQ(JoinPath(L"C:\\", L"b.txt"), L"C:\\b.txt");
}
