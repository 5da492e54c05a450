// The colour text forms and the colour list's stored captions.
#include <gtest/gtest.h>

#include <string>

#include "core/color_names.h"
#include "core/color_text.h"

using namespace core;

namespace {

std::string Narrow(const std::wstring& w) { return std::string(w.begin(), w.end()); }

}  // namespace

TEST(ColorText, NamedColoursAndHexFormRoundTrip) {
  EXPECT_EQ(ColorToText(clRed), L"clRed");
  EXPECT_EQ(ColorToText(clWhite), L"clWhite");
  EXPECT_EQ(ColorToText(0x00123456), L"$00123456");
  EXPECT_EQ(ColorToText(SystemColor(kColorBtnFace)), L"clBtnFace");
  EXPECT_EQ(ColorToText(SystemColor(kColorAppWorkspace)), L"clAppWorkSpace");
  EXPECT_EQ(ColorToText(static_cast<TColor>(0x8000001F)), L"$8000001F");
  EXPECT_EQ(ColorToText(-1), L"$FFFFFFFF");
  for (TColor c : {clBlack, clRed, clAqua, TColor{0x00123456}, SystemColor(kColorInfoBk), SystemColor(kColorScrollBar),
                   static_cast<TColor>(0x9ABCDEF0), TColor{0x0FFFFFFF}, TColor{-1}}) {
    const auto back = TextToColor(ColorToText(c));
    ASSERT_TRUE(back.has_value()) << c;
    EXPECT_EQ(*back, c);
  }
  // Every system colour from the scroll bar to the tooltip background has a name.
  for (int i = kColorScrollBar; i <= kColorInfoBk; ++i)
    EXPECT_EQ(ColorToText(SystemColor(i)).substr(0, 2), L"cl") << i;
}

TEST(ColorText, TextIsANameHexOrDecimal) {
  struct Case {
    const wchar_t* text;
    std::optional<TColor> color;
  } const cases[] = {
      {L"clRed", clRed},           {L"CLRED", clRed},          {L"clbtnface", SystemColor(kColorBtnFace)},
      {L"255", clRed},             {L"+255", clRed},           {L"-1", TColor{-1}},
      {L"-2147483648", INT32_MIN}, {L"2147483647", INT32_MAX}, {L"$ff", clRed},
      {L"$FFFFFFFF", TColor{-1}},  {L"$0", clBlack},
      {L"", std::nullopt},         {L"$", std::nullopt},       {L"$123456789", std::nullopt},
      {L"$12G4", std::nullopt},    {L"white", std::nullopt},   {L"12a", std::nullopt},
      {L"4294967296", std::nullopt}, {L"2147483648", std::nullopt}, {L"-2147483649", std::nullopt},
      {L"-", std::nullopt},        {L" 1", std::nullopt},      {L"clRed ", std::nullopt},
      {L"cl\u0280ed", std::nullopt},  // not an ASCII letter: no name
  };
  for (const Case& c : cases) EXPECT_EQ(TextToColor(c.text), c.color) << Narrow(c.text);
}

TEST(ColorText, HtmlFormSwapsRedAndBlue) {
  EXPECT_EQ(RgbToHtml(0x00123456), L"#563412");
  EXPECT_EQ(RgbToHtml(clRed), L"#FF0000");
  EXPECT_EQ(RgbToHtml(clNavy), L"#000080");
  EXPECT_EQ(RgbToHtml(0x00000FFF), L"#FF0F00");
  EXPECT_EQ(RgbToHtml(0), L"#000000");
  // Past six digits only the first six are read, in the same pairs.
  EXPECT_EQ(RgbToHtml(0x12345678), L"#563412");
  EXPECT_EQ(RgbToHtml(0x01000000), L"#000010");
  for (uint32_t rgb : {0u, 0x00123456u, 0x00FFFFFFu, 0x0000FF00u, 0x00ABCDEFu})
    EXPECT_EQ(HtmlToColor(RgbToHtml(rgb)), static_cast<TColor>(rgb)) << rgb;
}

TEST(ColorText, HtmlTextIsReadByPosition) {
  EXPECT_EQ(HtmlToColor(L"#FF0000"), clRed);
  EXPECT_EQ(HtmlToColor(L"#ff0000"), clRed);  // hex digits of either case
  EXPECT_EQ(HtmlToColor(L"#563412"), TColor{0x00123456});
  EXPECT_EQ(HtmlToColor(L""), clBlack);
  EXPECT_EQ(HtmlToColor(L"#"), clBlack);
  // Short texts: missing characters contribute nothing.
  EXPECT_EQ(HtmlToColor(L"#FFF"), TColor{0x00000FFF});
  // The first character is skipped whatever it is, so the digits shift.
  EXPECT_EQ(HtmlToColor(L"FF0000"), TColor{0x000000F0});
  EXPECT_EQ(HtmlToColor(L"X00FF00"), clLime);
  // Characters after the seventh are ignored.
  EXPECT_EQ(HtmlToColor(L"#0000FFzz"), clBlue);
  for (const wchar_t* bad : {L"#GG0000", L"#12 456", L"#-10000", L"#0000GG", L"#\uFF10\uFF10\uFF10\uFF10\uFF10\uFF10"})
    EXPECT_FALSE(HtmlToColor(bad).has_value()) << Narrow(bad);
  EXPECT_EQ(UpperAscii(L"#ff00ab\u00e9z"), L"#FF00AB\u00e9Z");
}

TEST(ColorNames, CaptionsAreStoredAsWindows1252) {
  EXPECT_STREQ(ColorNameBytes(TCLanguage::lgDeutsch, 2), "Gr\xFCn");
  EXPECT_STREQ(ColorNameBytes(TCLanguage::lgDeutsch, 15), "Wei\xDF");
  EXPECT_STREQ(ColorNameBytes(TCLanguage::lgFrensh, 8), "Argent\xE9");
  EXPECT_STREQ(ColorNameBytes(TCLanguage::lgEnglish, kCustomColorEntry), "More...");
  // Any other language value reads as English; indices outside the list have no caption.
  EXPECT_STREQ(ColorNameBytes(static_cast<TCLanguage>(7), 16), "More...");
  EXPECT_EQ(ColorNameBytes(TCLanguage::lgEnglish, 17), nullptr);
  EXPECT_EQ(ColorNameBytes(TCLanguage::lgEnglish, -1), nullptr);
  // The standard entries are the sixteen named colours, in the names' order.
  for (int i = 0; i < kCustomColorEntry; ++i) {
    const std::string name = ColorNameBytes(TCLanguage::lgEnglish, i);
    EXPECT_EQ(Narrow(ColorToText(StandardColors[i])), "cl" + name) << i;
  }
}
