// Text forms of stored control settings: how a Boolean or other enumeration,
// an integer or colour, and a floating-point value are written into a
// settings store and read back. Stored text never depends on the locale; on
// reading, the locale's decimal separator is passed in.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace core {

enum class SettingKind { Enumeration, Integer, Float };

// Significant digits of the general floating-point format by precision.
constexpr int kSingleDigits = 7;
constexpr int kDoubleDigits = 15;
constexpr int kExtendedDigits = 18;
constexpr int kCompDigits = 18;
constexpr int kCurrencyDigits = 19;

// What a stored property holds: an enumeration with its identifiers in order
// (a Boolean is {"False", "True"}), a signed 32-bit integer, or a float
// written with the given number of significant digits.
struct SettingType {
  SettingKind kind = SettingKind::Integer;
  std::vector<std::wstring> identifiers;
  int floatDigits = kExtendedDigits;

  static SettingType Boolean() { return {SettingKind::Enumeration, {L"False", L"True"}, 0}; }
  static SettingType Enumeration(std::vector<std::wstring> ids) { return {SettingKind::Enumeration, std::move(ids), 0}; }
  static SettingType Integer() { return {SettingKind::Integer, {}, 0}; }
  static SettingType Float(int digits) { return {SettingKind::Float, {}, digits}; }
};

// An enumeration's ordinal or an integer (int64_t), or a float (long double).
using SettingValue = std::variant<int64_t, long double>;

// The stored text of a value, trimmed; empty when there is nothing to write
// (an ordinal outside the identifiers).
std::wstring EncodeSetting(const SettingType& type, const SettingValue& value);

// The value a stored text gives, after trimming it; nullopt leaves the
// property as it is. An enumeration takes the first identifier equal to the
// text without regard to ASCII case; an integer text that is not a 32-bit
// number gives 0; a float text that does not parse gives nullopt. Each "." of
// a float text is read as the locale's decimal separator.
std::optional<SettingValue> DecodeSetting(const SettingType& type, std::wstring_view text, wchar_t decimalSeparator);

// General format with `digits` significant digits (1..19), "." as separator:
// fixed notation while the value is at least 0.00001 and has no more digits
// before the point than `digits`, else "1.5E20" / "1E-7"; no trailing zeros.
// "NAN", "INF" and "-INF" for the values that are not numbers.
std::wstring FormatGeneral(long double value, int digits);

// A decimal float whose separator is `decimalSeparator`: optional sign,
// digits with at most one separator (at least one digit), optional exponent
// "E" or "e" with optional sign and digits. Nothing else, no blanks; nullopt
// also when the value is outside the range of a double.
std::optional<double> ParseFloatText(std::wstring_view text, wchar_t decimalSeparator);

// The text with each "." replaced by the separator, then read as above.
std::optional<double> ParseStoredFloat(std::wstring_view text, wchar_t decimalSeparator);

// A signed decimal 32-bit integer, after trimming; nothing else.
std::optional<int32_t> ParseStoredInteger(std::wstring_view text);

// Without the blanks and control characters (code units up to 0x20) at either end.
std::wstring TrimBlanks(std::wstring_view text);

// Equal when the ASCII letters are folded to one case; other code units compare exactly.
bool SameIdentifier(std::wstring_view a, std::wstring_view b);

// The profile functions remove one pair of quotes around a value they read,
// so a value that begins and ends with the same quote (" or ') goes inside
// one more pair of double quotes.
std::wstring QuoteForProfile(std::wstring_view value);

}  // namespace core
