// The stored text forms of settings: what a save writes for each kind of
// property and what a read of a hand-edited text makes of it.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/setting_text.h"

using namespace core;

namespace {

const SettingType kBool = SettingType::Boolean();
const SettingType kAlign = SettingType::Enumeration({L"taLeftJustify", L"taRightJustify", L"taCenter"});
const SettingType kInt = SettingType::Integer();
const SettingType kExtended = SettingType::Float(kExtendedDigits);

std::wstring Decoded(const SettingType& type, const wchar_t* text, wchar_t separator = L'.') {
  const auto v = DecodeSetting(type, text, separator);
  if (!v) return L"<unchanged>";
  return EncodeSetting(type, *v);
}

}  // namespace

TEST(SettingText, WritesIdentifiersSignedDecimalsAndGeneralFloats) {
  EXPECT_EQ(EncodeSetting(kBool, int64_t{1}), L"True");
  EXPECT_EQ(EncodeSetting(kBool, int64_t{0}), L"False");
  EXPECT_EQ(EncodeSetting(kAlign, int64_t{1}), L"taRightJustify");
  EXPECT_EQ(EncodeSetting(kAlign, int64_t{3}), L"") << "no identifier, nothing to write";
  EXPECT_EQ(EncodeSetting(kInt, int64_t{16777215}), L"16777215") << "white";
  EXPECT_EQ(EncodeSetting(kInt, int64_t{static_cast<int32_t>(0x8000000F)}), L"-2147483633") << "a system colour";
  EXPECT_EQ(EncodeSetting(kExtended, 5.0L), L"5");
  EXPECT_EQ(EncodeSetting(kExtended, 7.5L), L"7.5");
  EXPECT_EQ(EncodeSetting(kExtended, -1000.0L), L"-1000");
}

TEST(SettingText, GeneralFormatTakesTheSignificantDigitsOfEachPrecision) {
  const struct {
    long double value;
    int digits;
    const wchar_t* text;
  } cases[] = {
      {0.1L, kExtendedDigits, L"0.1"},
      {0.1L, kSingleDigits, L"0.1"},
      {static_cast<long double>(0.1), kExtendedDigits, L"0.100000000000000006"},  // a double's 0.1 as extended
      {static_cast<long double>(0.1), kDoubleDigits, L"0.1"},
      {1.0L / 3, kSingleDigits, L"0.3333333"},
      {2.0L / 3, kDoubleDigits, L"0.666666666666667"},
      {123456789012345678.0L, kExtendedDigits, L"123456789012345678"},
      {1234567890123456789.0L, kExtendedDigits, L"1.23456789012345679E18"},
      {1e20L, kExtendedDigits, L"1E20"},
      {1.5e20L, kCurrencyDigits, L"1.5E20"},
      {0.00001L, kExtendedDigits, L"0.00001"},
      {0.000001L, kExtendedDigits, L"1E-6"},
      {-2.5e-7L, kSingleDigits, L"-2.5E-7"},
      {9999999.5L, kSingleDigits, L"1E7"},  // rounding carries into a new digit
      {-0.0L, kExtendedDigits, L"0"},
      {std::numeric_limits<long double>::infinity(), kExtendedDigits, L"INF"},
      {-std::numeric_limits<long double>::infinity(), kExtendedDigits, L"-INF"},
      {std::numeric_limits<long double>::quiet_NaN(), kExtendedDigits, L"NAN"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatGeneral(c.value, c.digits), c.text) << c.text;
}

TEST(SettingText, ReadsIdentifiersWithoutRegardToCaseAndKeepsTheValueOnNoMatch) {
  EXPECT_EQ(Decoded(kBool, L"false"), L"False");
  EXPECT_EQ(Decoded(kBool, L"TRUE"), L"True");
  EXPECT_EQ(Decoded(kBool, L"  tRuE \t"), L"True") << "trimmed after reading";
  EXPECT_EQ(Decoded(kBool, L"0"), L"<unchanged>");
  EXPECT_EQ(Decoded(kBool, L"yes"), L"<unchanged>");
  EXPECT_EQ(Decoded(kBool, L""), L"<unchanged>");
  EXPECT_EQ(Decoded(kBool, L"Fals\u00E9"), L"<unchanged>");
  EXPECT_EQ(Decoded(kAlign, L"TARIGHTJUSTIFY"), L"taRightJustify");
  // The first identifier that matches wins.
  const SettingType twice = SettingType::Enumeration({L"A", L"a"});
  EXPECT_EQ(DecodeSetting(twice, L"a", L'.'), SettingValue{int64_t{0}});
}

TEST(SettingText, IntegerTextThatIsNoNumberGivesZero) {
  const struct {
    const wchar_t* text;
    int64_t value;
  } cases[] = {{L"16777215", 16777215}, {L" -5 ", -5},       {L"+12", 12},
               {L"white", 0},           {L"", 0},            {L"7.5", 0},
               {L"2147483647", 2147483647}, {L"-2147483648", -2147483647 - 1},
               {L"2147483648", 0},      {L"1 2", 0},         {L"0x10", 0}};
  for (const auto& c : cases) EXPECT_EQ(DecodeSetting(kInt, c.text, L'.'), SettingValue{c.value}) << c.text;
}

TEST(SettingText, FloatReadsThePointAsTheLocalesSeparator) {
  const struct {
    const wchar_t* text;
    wchar_t separator;
    const wchar_t* result;
  } cases[] = {
      {L"7.5", L'.', L"7.5"},         {L"7,5", L'.', L"<unchanged>"},  // a comma is no separator here
      {L"7.5", L',', L"7.5"},         {L"7,5", L',', L"7.5"},
      {L" 5 ", L'.', L"5"},           {L"-.5", L'.', L"-0.5"},
      {L"3.", L'.', L"3"},            {L"+1.25E2", L'.', L"125"},
      {L"25e-2", L'.', L"0.25"},      {L"1.5E+20", L'.', L"1.5E20"},
      {L"1.2.3", L'.', L"<unchanged>"}, {L".", L'.', L"<unchanged>"},
      {L"e5", L'.', L"<unchanged>"},  {L"1e", L'.', L"<unchanged>"},
      {L"1e+", L'.', L"<unchanged>"}, {L"- 1", L'.', L"<unchanged>"},
      {L"inf", L'.', L"<unchanged>"}, {L"nan", L'.', L"<unchanged>"},
      {L"0x1p3", L'.', L"<unchanged>"}, {L"1e999", L'.', L"<unchanged>"},
      {L"1 000", L'.', L"<unchanged>"}, {L"", L'.', L"<unchanged>"},
      {L"1.5\u0660", L'.', L"<unchanged>"},  // an Arabic-Indic digit is no digit here
  };
  for (const auto& c : cases)
    EXPECT_EQ(Decoded(kExtended, c.text, c.separator), c.result) << c.text << " with '" << char(c.separator) << "'";
}

TEST(SettingText, EveryFiniteDoubleComesBackFromItsExtendedText) {
  const double values[] = {0.1, 1.0 / 3, 5, 7.5, 1e-300, 4.9e-324, 1.7976931348623157e308, -123.456,
                           30000, 0.00001, 0.000009999999999999999};
  for (double v : values) {
    const std::wstring text = EncodeSetting(kExtended, static_cast<long double>(v));
    const auto back = ParseStoredFloat(text, L',');
    ASSERT_TRUE(back.has_value()) << v;
    EXPECT_EQ(*back, v) << std::string(text.begin(), text.end());
  }
}

TEST(SettingText, TrimsBlanksAndQuotesValuesTheProfileWouldUnquote) {
  EXPECT_EQ(TrimBlanks(L" \t\r\n x y \x01"), L"x y");
  EXPECT_EQ(TrimBlanks(L"   "), L"");
  EXPECT_EQ(QuoteForProfile(L"\"abc\""), L"\"\"abc\"\"");
  EXPECT_EQ(QuoteForProfile(L"'abc'"), L"\"'abc'\"");
  EXPECT_EQ(QuoteForProfile(L"\"\""), L"\"\"\"\"");
  EXPECT_EQ(QuoteForProfile(L"\"abc'"), L"\"abc'");
  EXPECT_EQ(QuoteForProfile(L"\""), L"\"");
  EXPECT_EQ(QuoteForProfile(L"a\"b\"c"), L"a\"b\"c");
  EXPECT_TRUE(SameIdentifier(L"RandCheck", L"randcheck"));
  EXPECT_FALSE(SameIdentifier(L"\u00C4", L"\u00E4")) << "only ASCII letters fold";
  EXPECT_FALSE(SameIdentifier(L"[", L"{")) << "no folding outside the letters";
}
