// The shell controls' text rules that need the platform: matching that ignores
// case in every script, the list's order by the platform's collation, and the
// platform's time in the date column. The rest is tested in the core.
#include <algorithm>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "shell/list_text.h"
#include "shell/wildcard.h"
#include "tests/shell/shell_fixture.h"

using namespace shell;
using shelltest::U8;

TEST(Wildcard, FiltersIgnoreCaseAsTheShellDoes) {
  struct Case {
    const wchar_t* name;
    const wchar_t* filter;
    bool match;
  } const cases[] = {
      {L"a.emf", L"*.emf", true},          {L"A.EMF", L"*.emf", true},           {L"a.emf", L"*.EMF", true},
      {L"Bild Ä.EMF", L"bild ä.emf", true}, {L"日本.txt", L"日*.TXT", true},       {L"ÉTÉ.wmf", L"été.*", true},
      {L"x.wmf", L"*.emf; *.WMF", true},   {L"x.png", L"*.emf;*.wmf", false},    {L"x.png", L" ; ", true},
      {L"a.emfx", L"*.EMF", false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(MatchesFilter(c.name, c.filter), c.match) << U8(c.name) << " against " << U8(c.filter);
  EXPECT_EQ(FoldCase(L"aäé;*?"), L"AÄÉ;*?");
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

TEST(ListText, ModifiedAsSortableLocalTime) {
  SYSTEMTIME t{};
  t.wYear = 2024;
  t.wMonth = 1;
  t.wDay = 31;
  t.wHour = 9;
  t.wMinute = 5;
  t.wSecond = 59;
  t.wMilliseconds = 999;
  EXPECT_EQ(FormatModified(t), L"2024-01-31 09:05");
}
