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

std::string Narrow(const std::wstring& w) { return std::string(w.begin(), w.end()); }

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
  EXPECT_EQ(o.documents, std::vector<std::wstring>{L"a b.emf"});
  EXPECT_EQ(o.out, L"C:\\p q\\pic.bmp");
  EXPECT_EQ(o.write.format, PictureFormat::kBmp);
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
  const ParseResult r = Parse({L"--render", L"d", L"--out", L"o.tif"});
  ASSERT_TRUE(r.options);
  EXPECT_FALSE(r.options->width);
  EXPECT_FALSE(r.options->height);
  EXPECT_FALSE(r.options->border);
  EXPECT_EQ(r.options->color, 0x00FFFFFFu);
  EXPECT_EQ(r.options->write.format, PictureFormat::kTiff);
  EXPECT_EQ(r.options->write.dpi, 96);
  EXPECT_EQ(r.options->write.quality, 90);
  // A folder of pictures is PNG unless --format says otherwise.
  const ParseResult folder = Parse({L"--render", L"d", L"--out-dir", L"f"});
  ASSERT_TRUE(folder.options);
  EXPECT_EQ(folder.options->write.format, PictureFormat::kPng);
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
      {L"--render", L"d", L"--out", L"o.bmp", L"--depth", L"24"},  // unknown
      {L"--render", L"d", L"--out", L"o.bmp", L"stray"},
      {L"--render", L"d", L"--out", L"o.bmp", L"--border-color", L"#000000"},  // colour without border
      {L"--render=d", L"--out", L"o.bmp"},
      {L"--render", L"--out", L"o.bmp"},                           // no document before the next option
      {L"--render", L"d", L"--out", L"o.bmp", L"--out-dir", L"f"}, // both kinds of output
      {L"--render", L"d", L"e", L"--out", L"o.bmp"},               // one file for two documents
      {L"--render", L"d", L"--out", L"o.bmp", L"--format", L"png"},
      {L"--render", L"d", L"--out-dir", L""},
      {L"--render", L"d", L"--out-dir", L"f", L"--out-dir", L"g"},
      {L"--render", L"d", L"--out-dir", L"f", L"--format", L"png", L"--format", L"png"},
      {L"--render", L"d", L"--out", L"o.jpg", L"--dpi", L"96", L"--dpi", L"96"},
      {L"--render", L"d", L"--out", L"o.jpg", L"--quality", L"9", L"--quality", L"9"},
      {L"--render", L"d", L"--out", L"o.png", L"--page", L"2", L"--page", L"2"},
      {L"--render", L"d", L"--out", L"o.png", L"--page", L"all"},  // one file for every page
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
  EXPECT_NE(UsageText().find(L"--render DOCUMENT --out PICTURE"), std::wstring::npos);
  for (const wchar_t* option : {L"--out-dir", L"--format", L"--dpi", L"--quality", L"--page", L"--help", L".tiff"})
    EXPECT_NE(UsageText().find(option), std::wstring::npos) << option;
}

TEST(CliOptions, ReplyIsTheErrorAndUsageOrTheUsageAloneOrNothing) {
  const ParseResult wrong = Parse({L"--render", L"d"});
  ASSERT_FALSE(wrong.options);
  EXPECT_EQ(ReplyText(wrong), wrong.error + L"\n\n" + UsageText());
  EXPECT_EQ(ReplyText(Parse({L"--help"})), UsageText());
  EXPECT_EQ(ReplyText(Parse({L"--render", L"d", L"--out", L"o.png"})), L"");
  // Help wins over missing options, but not over a wrong one.
  EXPECT_EQ(ReplyText(Parse({L"--width", L"5", L"-h"})), UsageText());
  EXPECT_FALSE(Parse({L"-h", L"--width", L"0"}).options);
}

// --out names the format by its extension; anything else is refused with the
// supported ones named.
TEST(CliOptions, TheOutputFileNamesTheFormat) {
  const struct {
    const wchar_t* out;
    PictureFormat format;
  } good[] = {{L"p.bmp", PictureFormat::kBmp},    {L"C:\\x\\P.PNG", PictureFormat::kPng},
              {L"p.jpg", PictureFormat::kJpeg},   {L"p.JPEG", PictureFormat::kJpeg},
              {L"p.tif", PictureFormat::kTiff},   {L"p.tiff", PictureFormat::kTiff}};
  for (const auto& g : good) {
    const ParseResult r = Parse({L"--render", L"d.emf", L"--out", g.out});
    ASSERT_TRUE(r.options) << Narrow(r.error);
    EXPECT_EQ(r.options->write.format, g.format);
  }
  for (const wchar_t* bad : {L"p.gif", L"p", L"p.bmp.txt", L"C:\\a.png\\p"}) {
    const ParseResult r = Parse({L"--render", L"d.emf", L"--out", bad});
    ASSERT_FALSE(r.options) << Narrow(bad);
    EXPECT_NE(r.error.find(L".bmp .png .jpg .jpeg .tif .tiff"), std::wstring::npos) << Narrow(r.error);
    EXPECT_NE(r.error.find(bad), std::wstring::npos);
  }
  const ParseResult gif = Parse({L"--render", L"d", L"--out-dir", L"f", L"--format", L"gif"});
  ASSERT_FALSE(gif.options);
  EXPECT_NE(gif.error.find(L"bmp png jpg jpeg tif tiff"), std::wstring::npos);
}

// Bad values of each new option, each with a message that names the option
// and repeats the value.
TEST(CliOptions, ResolutionAndQualityOutOfRange) {
  for (const wchar_t* ok : {L"1", L"96", L"65535", L"00300"}) EXPECT_TRUE(With(L"--dpi", ok).options) << Narrow(ok);
  EXPECT_EQ(With(L"--dpi", L"00300").options->write.dpi, 300);
  for (const wchar_t* bad : {L"0", L"-96", L"65536", L"4294967392", L"999999999999", L"96.5", L"", L"96dpi"}) {
    const ParseResult r = With(L"--dpi", bad);
    ASSERT_FALSE(r.options) << Narrow(bad);
    EXPECT_EQ(r.error, L"--dpi must be a whole number from 1 to 65535, not \"" + std::wstring(bad) + L"\".");
  }
  auto jpeg = [](const std::wstring& q) { return Parse({L"--render", L"d", L"--out", L"p.jpg", L"--quality", q}); };
  EXPECT_EQ(jpeg(L"1").options->write.quality, 1);
  EXPECT_EQ(jpeg(L"100").options->write.quality, 100);
  for (const wchar_t* bad : {L"0", L"101", L"-1", L"90%", L""}) {
    const ParseResult r = jpeg(bad);
    ASSERT_FALSE(r.options) << Narrow(bad);
    EXPECT_EQ(r.error, L"--quality must be a whole number from 1 to 100, not \"" + std::wstring(bad) + L"\".");
  }
  // Quality means nothing to the lossless formats.
  EXPECT_EQ(With(L"--quality", L"50").error, L"--quality is for JPEG pictures only.");
  EXPECT_TRUE(Parse({L"--render", L"d", L"--out-dir", L"f", L"--format", L"jpeg", L"--quality", L"50"}).options);
}

// Several documents go into a folder, each named after its document; the same
// document twice, or two that would overwrite each other, are refused.
TEST(CliOptions, SeveralDocumentsIntoAFolder) {
  const ParseResult r = Parse({L"--render", L"A.emf", L"C:\\docs\\B.wmf", L"c.x.png", L"--out-dir", L"D:\\out",
                               L"--format", L"tif", L"--width", L"500"});
  ASSERT_TRUE(r.options) << Narrow(r.error);
  EXPECT_EQ(r.options->documents.size(), 3u);
  EXPECT_EQ(r.options->width, 500);
  const std::vector<RenderJob> jobs = Jobs(*r.options);
  ASSERT_EQ(jobs.size(), 3u);
  EXPECT_EQ(jobs[0].picture, L"D:\\out\\A.tif");
  EXPECT_EQ(jobs[1].picture, L"D:\\out\\B.tif");
  EXPECT_EQ(jobs[2].picture, L"D:\\out\\c.x.tif");
  EXPECT_EQ(jobs[1].document, L"C:\\docs\\B.wmf");
  EXPECT_EQ(PictureInFolder(L"out/", L"a/b/.hidden", PictureFormat::kBmp), L"out/.hidden.bmp");
  EXPECT_EQ(PictureInFolder(L"out", L"plan", PictureFormat::kJpeg), L"out\\plan.jpg");

  const ParseResult twice = Parse({L"--render", L"a.emf", L"b.emf", L"A.EMF", L"--out-dir", L"f"});
  ASSERT_FALSE(twice.options);
  EXPECT_EQ(twice.error, L"\"A.EMF\" is given twice.");
  const ParseResult clash = Parse({L"--render", L"x\\plan.emf", L"y/PLAN.wmf", L"--out-dir", L"f"});
  ASSERT_FALSE(clash.options);
  EXPECT_EQ(clash.error, L"\"x\\plan.emf\" and \"y/PLAN.wmf\" would both be written to \"f\\PLAN.png\".");
  // One document may still go to a folder.
  EXPECT_TRUE(Parse({L"--render", L"a.emf", L"--out-dir", L"f"}).options);
}
