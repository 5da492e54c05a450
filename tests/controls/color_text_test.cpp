// The colour text forms and the entry tables, without any window.
#include <gtest/gtest.h>

#include "controls/color_names.h"
#include "controls/color_text.h"

using namespace controls;

TEST(ColorText, NamedColoursAndHexFormRoundTrip) {
  EXPECT_EQ(ColorToText(clRed), L"clRed");
  EXPECT_EQ(ColorToText(clWhite), L"clWhite");
  EXPECT_EQ(ColorToText(0x00123456), L"$00123456");
  EXPECT_EQ(ColorToText(SystemColor(COLOR_BTNFACE)), L"clBtnFace");
  EXPECT_EQ(ColorToText(static_cast<TColor>(0x8000001F)), L"$8000001F");
  for (TColor c : {clBlack, clRed, clAqua, TColor{0x00123456}, SystemColor(COLOR_INFOBK),
                   static_cast<TColor>(0x9ABCDEF0), TColor{0x0FFFFFFF}}) {
    const auto back = TextToColor(ColorToText(c));
    ASSERT_TRUE(back.has_value()) << c;
    EXPECT_EQ(*back, c);
  }
  EXPECT_EQ(TextToColor(L"CLRED"), clRed);
  EXPECT_EQ(TextToColor(L"255"), clRed);
  EXPECT_EQ(TextToColor(L"-1"), TColor{-1});
  for (const wchar_t* bad : {L"", L"$", L"$123456789", L"$12G4", L"white", L"12a", L"4294967296"})
    EXPECT_FALSE(TextToColor(bad).has_value()) << bad;
}

TEST(ColorText, ColorToHtmlSwapsRedAndBlue) {
  EXPECT_EQ(ColorToHTML(0x00123456), L"#563412");
  EXPECT_EQ(ColorToHTML(clRed), L"#FF0000");
  EXPECT_EQ(ColorToHTML(clNavy), L"#000080");
  EXPECT_EQ(ColorToHTML(0x00000FFF), L"#FF0F00");
  // A system colour code is its current value.
  const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
  EXPECT_EQ(ColorToRGB(SystemColor(COLOR_BTNFACE)), face);
  EXPECT_EQ(ColorToHTML(SystemColor(COLOR_BTNFACE)), ColorToHTML(static_cast<TColor>(face)));
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
  for (const wchar_t* bad : {L"#GG0000", L"#12 456", L"#-10000", L"#0000GG"})
    EXPECT_FALSE(HtmlToColor(bad).has_value()) << bad;
  EXPECT_EQ(UpperAscii(L"#ff00ab\u00e9"), L"#FF00AB\u00e9");
}

TEST(ColorNames, Windows1252CaptionsDecode) {
  EXPECT_STREQ(ColorNameBytes(TCLanguage::lgDeutsch, 2), "Gr\xFCn");
  EXPECT_EQ(ColorCaption(TCLanguage::lgDeutsch, 2), L"Gr\u00FCn");
  EXPECT_EQ(ColorCaption(TCLanguage::lgDeutsch, 15), L"Wei\u00DF");
  EXPECT_EQ(ColorCaption(TCLanguage::lgFrensh, 8), L"Argent\u00E9");
  // Any other language value reads as English; indices outside the list have no caption.
  EXPECT_EQ(ColorCaption(static_cast<TCLanguage>(7), 16), L"More...");
  EXPECT_EQ(ColorCaption(TCLanguage::lgEnglish, 17), L"");
  EXPECT_EQ(ColorNameBytes(TCLanguage::lgEnglish, -1), nullptr);
}
