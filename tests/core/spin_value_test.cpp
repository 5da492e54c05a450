// The arithmetic of an integer spin edit: what its text reads as, and how a
// value is clamped and rounded.
#include <gtest/gtest.h>

#include <limits>

#include "core/spin_value.h"

using namespace core;

TEST(SpinValue, ParsesWholeNumbersOnly) {
  EXPECT_EQ(ParseSpinText(L"750"), 750);
  EXPECT_EQ(ParseSpinText(L"  -12"), -12);
  EXPECT_EQ(ParseSpinText(L"+7"), 7);
  EXPECT_EQ(ParseSpinText(L"2147483647"), 2147483647);
  EXPECT_EQ(ParseSpinText(L"-2147483648"), -2147483647 - 1);
  for (const wchar_t* bad : {L"", L"-", L" ", L"12a", L"1 2", L"7.5", L"2147483648", L"-2147483649",
                             L"99999999999999999999"})
    EXPECT_FALSE(ParseSpinText(bad).has_value()) << bad;
}

TEST(SpinValue, ClampsThenRoundsHalvesToEven) {
  const SpinRange r{0, 100};
  EXPECT_EQ(ClampSpinValue(7.5, r), 8);
  EXPECT_EQ(ClampSpinValue(6.5, r), 6);
  EXPECT_EQ(ClampSpinValue(2.5, r), 2);
  EXPECT_EQ(ClampSpinValue(2.4999, r), 2);
  EXPECT_EQ(ClampSpinValue(0.5, r), 0);
  EXPECT_EQ(ClampSpinValue(99.5, r), 100);
  EXPECT_EQ(ClampSpinValue(100.4, r), 100);
  EXPECT_EQ(ClampSpinValue(-3, r), 0);
  EXPECT_EQ(ClampSpinValue(1e300, r), 100);
  EXPECT_EQ(ClampSpinValue(-1.0 / 0.0, {1, 30000}), 1);
  EXPECT_EQ(ClampSpinValue(-2.5, {-10, 10}), -2);
  EXPECT_EQ(ClampSpinValue(-3.5, {-10, 10}), -4);
  // Equal limits mean no limits, but the value stays a 32-bit number.
  EXPECT_EQ(ClampSpinValue(40000, {0, 0}), 40000);
  EXPECT_EQ(ClampSpinValue(1e12, {0, 0}), 2147483647);
  EXPECT_EQ(ClampSpinValue(-1e12, {5, 5}), -2147483647 - 1);
}

TEST(SpinValue, ContainsFollowsTheLimits) {
  const SpinRange r{1, 30000};
  EXPECT_TRUE(r.Contains(1));
  EXPECT_TRUE(r.Contains(30000));
  EXPECT_FALSE(r.Contains(0));
  EXPECT_FALSE(r.Contains(30001));
  EXPECT_FALSE(r.Contains(INT64_C(4294967297)));  // would be 1 in 32 bits
  EXPECT_TRUE((SpinRange{7, 7}).Contains(INT64_C(1) << 40));  // no limits
}

TEST(SpinValue, EveryTextOfAFewCharactersParsesLikeItsNumber) {
  // All texts of up to three characters from a small alphabet: a number is
  // exactly an optional sign after blanks, then digits only.
  const std::wstring alphabet = L" -+09x";
  std::wstring t;
  for (size_t n = 0; n <= 3; ++n) {
    size_t combos = 1;
    for (size_t i = 0; i < n; ++i) combos *= alphabet.size();
    for (size_t k = 0; k < combos; ++k) {
      t.clear();
      for (size_t i = 0, v = k; i < n; ++i, v /= alphabet.size()) t += alphabet[v % alphabet.size()];
      size_t i = t.find_first_not_of(L" ");
      bool ok = i != std::wstring::npos;
      if (ok && (t[i] == L'-' || t[i] == L'+')) ++i;
      ok = ok && i < t.size() && t.find_first_not_of(L"0123456789", i) == std::wstring::npos;
      const auto v = ParseSpinText(t);
      ASSERT_EQ(v.has_value(), ok) << std::string(t.begin(), t.end());
      if (ok) {
        ASSERT_EQ(*v, std::stoi(std::string(t.begin(), t.end())));
      }
    }
  }
}
