// The handle-free rules behind the shell controls: wildcard matching on folded
// text, filter texts, the list's size and date columns, names typed in place.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "core/filter_text.h"
#include "core/list_text.h"
#include "core/wildcard.h"

using namespace core;

namespace {

// For messages only: the low byte of each unit.
std::string Narrow(std::wstring_view w) { return std::string(w.begin(), w.end()); }

}  // namespace

TEST(Wildcard, MatchesFoldedNamesAsTheShellDoes) {
  struct Case {
    const wchar_t* name;
    const wchar_t* mask;
    bool match;
  } const cases[] = {
      {L"A.EMF", L"*.EMF", true},        {L"A.EMF.TXT", L"*.EMF", false},  {L"A.EMFX", L"*.EMF", false},
      {L"README", L"*.*", true},         {L"README", L"*", true},          {L"README", L"*.", false},
      {L"X", L"?", true},                {L"XY", L"?", false},             {L"", L"?", false},
      {L"ABC.WMF", L"A?C.*", true},      {L"AC.WMF", L"A?C.*", false},     {L"ABCBCD", L"*BCD", true},
      {L"ABCBCE", L"*BCD", false},       {L"AAA", L"*A*A*A*", true},       {L"AA", L"*A*A*A*", false},
      {L"FILE.TAR.GZ", L"*.GZ", true},   {L"\u65E5\u672C.TXT", L"\u65E5*.TXT", true},
      {L"A.EMF", L"A.EMF", true},        {L"A.EMF", L"B.EMF", false},      {L"REPORT.DOC", L"*REP*", true},
      {L"X.EMF", L"**.EMF", true},       {L"", L"*", true},                {L"", L"", true},
      {L"A", L"", false},                {L"A?", L"A?", true},             {L"A*B", L"A?B", true},
      // Case folding is the caller's: unfolded letters differ.
      {L"a.emf", L"*.EMF", false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(MatchesMask(c.name, c.mask), c.match) << Narrow(c.name) << " against " << Narrow(c.mask);
}

TEST(Wildcard, AgreesWithABruteForceMatcher) {
  // Every name of up to 5 letters from {A, B} against every mask of up to 4
  // characters from {A, B, ?, *}, checked by a plain recursive definition.
  std::function<bool(std::wstring_view, std::wstring_view)> reference = [&](std::wstring_view n,
                                                                            std::wstring_view m) -> bool {
    if (m.empty()) return n.empty();
    if (m[0] == L'*') return reference(n, m.substr(1)) || (!n.empty() && reference(n.substr(1), m));
    return !n.empty() && (m[0] == L'?' || m[0] == n[0]) && reference(n.substr(1), m.substr(1));
  };
  auto all = [](const std::wstring& alphabet, size_t maxLen) {
    std::vector<std::wstring> out{L""};
    for (size_t i = 0; i < out.size(); ++i)
      if (out[i].size() < maxLen)
        for (wchar_t c : alphabet) out.push_back(out[i] + c);
    return out;
  };
  for (const auto& m : all(L"AB?*", 4))
    for (const auto& n : all(L"AB", 5)) {
      ASSERT_EQ(MatchesMask(n, m), reference(n, m)) << Narrow(n) << " against " << Narrow(m);
    }
}

TEST(Wildcard, FilterSplitsAtSemicolonsAndTrims) {
  EXPECT_EQ(SplitMasks(L"*.emf;*.wmf"), (std::vector<std::wstring>{L"*.emf", L"*.wmf"}));
  EXPECT_EQ(SplitMasks(L" *.emf ; ;*.wmf ;"), (std::vector<std::wstring>{L"*.emf", L"*.wmf"}));
  EXPECT_EQ(SplitMasks(L"\t*.a b\t"), (std::vector<std::wstring>{L"*.a b"}));
  EXPECT_TRUE(SplitMasks(L"").empty());
  EXPECT_TRUE(SplitMasks(L" ; ").empty());

  EXPECT_TRUE(MatchesFilter(L"X.WMF", L"*.EMF;*.WMF"));
  EXPECT_TRUE(MatchesFilter(L"X.EMF", L"*.EMF; *.WMF"));
  EXPECT_FALSE(MatchesFilter(L"X.PNG", L"*.EMF;*.WMF"));
  EXPECT_TRUE(MatchesFilter(L"X.PNG", L""));  // no masks: everything
  EXPECT_TRUE(MatchesFilter(L"X.PNG", L";;"));
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
  EXPECT_EQ(SplitFilterText(L"||"), (std::vector<FilterEntry>{{L"", L""}}));
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
  EXPECT_EQ(FormatSizeKB(UINT64_MAX), L"18,014,398,509,481,984 KB");
  EXPECT_EQ(FormatSizeKB(123456789ull * 1024, L""), L"123456789 KB");
}

TEST(ListText, ModifiedAsSortableLocalTime) {
  EXPECT_EQ(FormatModified(DateTime{2024, 1, 31, 9, 5}), L"2024-01-31 09:05");
  EXPECT_EQ(FormatModified(DateTime{987, 12, 1, 23, 59}), L"0987-12-01 23:59");
  EXPECT_EQ(FormatModified(DateTime{65535, 0, 0, 0, 0}), L"65535-00-00 00:00");
}

TEST(ListText, NamesTypedInPlace) {
  for (const wchar_t* ok : {L"a.txt", L"Ordner \u00C4\u00D6\u00DC \u00E9 \u65E5\u672C", L".hidden", L"a b", L"...x"})
    EXPECT_TRUE(IsValidItemName(ok)) << Narrow(ok);
  for (const wchar_t* bad : {L"", L".", L"..", L"sub\\x.txt", L"../x", L"c:x", L"a?", L"a*", L"a|b", L"a<b>",
                             L"q\"", L"trailing.", L"trailing ", L"tab\there", L"\x1F"})
    EXPECT_FALSE(IsValidItemName(bad)) << Narrow(bad);
  EXPECT_EQ(JoinPath(L"C:\\a", L"b.txt"), L"C:\\a\\b.txt");
  EXPECT_EQ(JoinPath(L"C:\\", L"b.txt"), L"C:\\b.txt");
  EXPECT_EQ(JoinPath(L"", L"b.txt"), L"b.txt");
}
