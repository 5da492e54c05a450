// The command line's arguments: every option, every refusal.
#include <gtest/gtest.h>

#include "core/cli_options.h"

using namespace core;

namespace {

ParseResult Parse(std::vector<std::wstring> args) { return ParseArguments(args); }

// The arguments with one more pair after the two required ones.
ParseResult With(const std::wstring& name, const std::wstring& value) {
  return Parse({L"--render", L"doc.emf", L"--out", L"pic.bmp", name, value});
}

}  // namespace

TEST(CliOptions, OnlyDoubleDashArgumentsAskForTheCommandLine) {
  EXPECT_FALSE(WantsCommandLine({}));
  EXPECT_FALSE(WantsCommandLine({L"C:\\docs\\letter.txt"}));
  EXPECT_FALSE(WantsCommandLine({L"-render"}));
  EXPECT_TRUE(WantsCommandLine({L"--render"}));
  EXPECT_TRUE(WantsCommandLine({L"file", L"--help"}));
}

TEST(CliOptions, AllOptionsInAnyOrder) {
  const ParseResult r = Parse({L"--border-color", L"#102030", L"--height", L"600", L"--out", L"C:\\p q\\pic.bmp",
                               L"--border", L"1,2,3,1000", L"--width", L"30000", L"--render", L"a b.emf"});
  ASSERT_TRUE(r.options) << std::string(r.error.begin(), r.error.end());
  const CliOptions& o = *r.options;
  EXPECT_EQ(o.document, L"a b.emf");
  EXPECT_EQ(o.out, L"C:\\p q\\pic.bmp");
  EXPECT_EQ(o.width, 30000);
  EXPECT_EQ(o.height, 600);
  ASSERT_TRUE(o.border);
  EXPECT_EQ(o.border->left, 1);
  EXPECT_EQ(o.border->top, 2);
  EXPECT_EQ(o.border->right, 3);
  EXPECT_EQ(o.border->bottom, 1000);
  EXPECT_EQ(o.color, 0x00302010u);  // red 0x10 in the low byte
  EXPECT_FALSE(o.help);
}

TEST(CliOptions, DefaultsWhenOnlyTheRequiredOnesAreGiven) {
  const ParseResult r = Parse({L"--render", L"d", L"--out", L"o"});
  ASSERT_TRUE(r.options);
  EXPECT_FALSE(r.options->width);
  EXPECT_FALSE(r.options->height);
  EXPECT_FALSE(r.options->border);
  EXPECT_EQ(r.options->color, 0x00FFFFFFu);
}

TEST(CliOptions, StructuralMistakesAreRefused) {
  const std::vector<std::vector<std::wstring>> bad = {
      {},
      {L"--out", L"o"},                                            // no document
      {L"--render", L"d"},                                         // no picture
      {L"--render", L"d", L"--out"},                               // value missing
      {L"--render", L"", L"--out", L"o"},                          // empty names
      {L"--render", L"d", L"--out", L""},
      {L"--render", L"d", L"--render", L"e", L"--out", L"o"},      // twice
      {L"--render", L"d", L"--out", L"o", L"--out", L"p"},
      {L"--render", L"d", L"--out", L"o", L"--width", L"5", L"--width", L"6"},
      {L"--render", L"d", L"--out", L"o", L"--border", L"1,1,1,1", L"--border", L"1,1,1,1"},
      {L"--render", L"d", L"--out", L"o", L"--border", L"1,1,1,1", L"--border-color", L"#000000",
       L"--border-color", L"#000000"},
      {L"--render", L"d", L"--out", L"o", L"--depth", L"24"},      // unknown
      {L"--render", L"d", L"--out", L"o", L"stray"},
      {L"--render", L"d", L"--out", L"o", L"--border-color", L"#000000"},  // colour without border
      {L"--render=d", L"--out", L"o"},
  };
  for (const auto& args : bad) {
    const ParseResult r = Parse(args);
    EXPECT_FALSE(r.options) << args.size();
    EXPECT_FALSE(r.error.empty());
  }
}

TEST(CliOptions, SidesAreWholeNumbersFromOneTo30000) {
  for (const wchar_t* ok : {L"1", L"30000", L"0750", L"29999"}) {
    EXPECT_TRUE(With(L"--width", ok).options) << ok;
    EXPECT_TRUE(With(L"--height", ok).options) << ok;
  }
  EXPECT_EQ(With(L"--width", L"0750").options->width, 750);
  for (const wchar_t* bad : {L"0", L"30001", L"-5", L"+5", L" 5", L"5 ", L"1e3", L"", L"7.5", L"0x10",
                             L"99999999999999999999", L"\u0665"}) {
    EXPECT_FALSE(With(L"--width", bad).options) << bad;
    EXPECT_FALSE(With(L"--height", bad).options) << bad;
  }
}

TEST(CliOptions, BorderIsFourPercentagesWithATallerBottom) {
  EXPECT_TRUE(ParseBorder(L"0,0,0,0"));
  EXPECT_TRUE(ParseBorder(L"100,100,100,1000"));
  const auto b = ParseBorder(L"5,6,7,8");
  ASSERT_TRUE(b);
  EXPECT_EQ(b->left + 10 * b->top + 100 * b->right + 1000 * b->bottom, 5 + 60 + 700 + 8000);
  for (const wchar_t* bad : {L"101,0,0,0", L"0,101,0,0", L"0,0,101,0", L"0,0,0,1001", L"1,2,3", L"1,2,3,4,5",
                             L"1,,3,4", L"1,2,3,", L"", L"a,b,c,d", L"1;2;3;4", L"-1,0,0,0", L" 1,2,3,4"}) {
    EXPECT_FALSE(ParseBorder(bad)) << bad;
    EXPECT_FALSE(With(L"--border", bad).options) << bad;
  }
}

TEST(CliOptions, ColourIsHashAndSixHexDigits) {
  EXPECT_EQ(ParseHtmlColor(L"#FF0000"), 0x000000FFu);
  EXPECT_EQ(ParseHtmlColor(L"#ff0000"), 0x000000FFu);
  EXPECT_EQ(ParseHtmlColor(L"#112233"), 0x00332211u);
  EXPECT_EQ(ParseHtmlColor(L"#aBcDeF"), 0x00EFCDABu);
  EXPECT_EQ(ParseHtmlColor(L"#000000"), 0u);
  // Forms the colour combo would read somehow, but a command line does not guess.
  for (const wchar_t* bad : {L"#FFF", L"FF0000", L"#GG0000", L"#1234567", L"", L"#", L"red", L"#12 456", L"$00FF00"})
    EXPECT_FALSE(ParseHtmlColor(bad)) << bad;
}

TEST(CliOptions, HelpNeedsNothingElse) {
  for (const wchar_t* h : {L"--help", L"-h", L"/?"}) {
    const ParseResult r = Parse({h});
    ASSERT_TRUE(r.options) << h;
    EXPECT_TRUE(r.options->help);
  }
  EXPECT_NE(UsageText().find(L"--render DOCUMENT --out PICTURE.bmp"), std::wstring::npos);
}

TEST(CliOptions, ReplyIsTheErrorAndUsageOrTheUsageAloneOrNothing) {
  const ParseResult wrong = Parse({L"--render", L"d"});
  ASSERT_FALSE(wrong.options);
  EXPECT_EQ(ReplyText(wrong), wrong.error + L"\n\n" + UsageText());
  EXPECT_EQ(ReplyText(Parse({L"--help"})), UsageText());
  EXPECT_EQ(ReplyText(Parse({L"--render", L"d", L"--out", L"o"})), L"");
  // Help wins over missing options, but not over a wrong one.
  EXPECT_EQ(ReplyText(Parse({L"--width", L"5", L"-h"})), UsageText());
  EXPECT_FALSE(Parse({L"-h", L"--width", L"0"}).options);
}
