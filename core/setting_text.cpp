#include "core/setting_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

#include "core/spin_value.h"

namespace core {
namespace {

std::wstring Widen(std::string_view s) { return std::wstring(s.begin(), s.end()); }

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

wchar_t FoldAscii(wchar_t c) { return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c + 32) : c; }

}  // namespace

std::wstring TrimBlanks(std::wstring_view text) {
  size_t b = 0, e = text.size();
  while (b < e && static_cast<uint32_t>(text[b]) <= 0x20) ++b;
  while (e > b && static_cast<uint32_t>(text[e - 1]) <= 0x20) --e;
  return std::wstring(text.substr(b, e - b));
}

bool SameIdentifier(std::wstring_view a, std::wstring_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
  return true;
}

std::wstring QuoteForProfile(std::wstring_view value) {
  const bool quoted = value.size() >= 2 && value.front() == value.back() &&
                      (value.front() == L'"' || value.front() == L'\'');
  if (!quoted) return std::wstring(value);
  return L"\"" + std::wstring(value) + L"\"";
}

std::wstring FormatGeneral(long double value, int digits) {
  if (std::isnan(value)) return L"NAN";
  if (std::isinf(value)) return value < 0 ? L"-INF" : L"INF";
  if (value == 0) return L"0";  // also for -0
  digits = std::clamp(digits, 1, 19);
  // Scientific form rounds to the digits wanted: "d.ddde+XX".
  char buf[64];
  const auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, digits - 1);
  const std::string_view sci(buf, static_cast<size_t>(r.ptr - buf));
  const size_t e = sci.find('e');
  std::string mantissa;
  for (char c : sci.substr(0, e))
    if (c >= '0' && c <= '9') mantissa += c;
  int exponent = 0;
  std::from_chars(sci.data() + e + 1 + (sci[e + 1] == '+'), sci.data() + sci.size(), exponent);
  while (mantissa.size() > 1 && mantissa.back() == '0') mantissa.pop_back();
  std::string out = value < 0 ? "-" : "";
  if (exponent >= -5 && exponent < digits) {
    if (exponent >= 0) {
      const size_t whole = static_cast<size_t>(exponent) + 1;
      if (mantissa.size() <= whole) {
        out += mantissa + std::string(whole - mantissa.size(), '0');
      } else {
        out += mantissa.substr(0, whole) + "." + mantissa.substr(whole);
      }
    } else {
      out += "0." + std::string(static_cast<size_t>(-exponent - 1), '0') + mantissa;
    }
  } else {
    out += mantissa.substr(0, 1);
    if (mantissa.size() > 1) out += "." + mantissa.substr(1);
    out += "E" + std::to_string(exponent);
  }
  return Widen(out);
}

std::optional<double> ParseFloatText(std::wstring_view text, wchar_t decimalSeparator) {
  // Checked here and handed over in one fixed ASCII form, so the conversion
  // never meets a locale, a hex form or "inf".
  std::string ascii;
  size_t i = 0;
  if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) {
    if (text[i] == L'-') ascii += '-';
    ++i;
  }
  std::string whole, fraction;
  bool separator = false;
  for (; i < text.size(); ++i) {
    const wchar_t c = text[i];
    if (IsDigit(c)) {
      (separator ? fraction : whole) += static_cast<char>(c);
    } else if (c == decimalSeparator && !separator) {
      separator = true;
    } else {
      break;
    }
  }
  if (whole.empty() && fraction.empty()) return std::nullopt;
  ascii += (whole.empty() ? "0" : whole) + "." + (fraction.empty() ? "0" : fraction);
  if (i < text.size() && (text[i] == L'e' || text[i] == L'E')) {
    ascii += 'e';
    ++i;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) {
      if (text[i] == L'-') ascii += '-';
      ++i;
    }
    size_t exponentDigits = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i, ++exponentDigits) ascii += static_cast<char>(text[i]);
    if (exponentDigits == 0) return std::nullopt;
  }
  if (i != text.size()) return std::nullopt;
  double v = 0;
  const auto r = std::from_chars(ascii.data(), ascii.data() + ascii.size(), v, std::chars_format::general);
  if (r.ec != std::errc() || r.ptr != ascii.data() + ascii.size() || !std::isfinite(v)) return std::nullopt;
  return v;
}

std::optional<double> ParseStoredFloat(std::wstring_view text, wchar_t decimalSeparator) {
  std::wstring t(text);
  std::replace(t.begin(), t.end(), L'.', decimalSeparator);
  return ParseFloatText(t, decimalSeparator);
}

std::optional<int32_t> ParseStoredInteger(std::wstring_view text) {
  const std::wstring t = TrimBlanks(text);
  return ParseSpinText(t);
}

std::wstring EncodeSetting(const SettingType& type, const SettingValue& value) {
  switch (type.kind) {
    case SettingKind::Enumeration: {
      const auto* ordinal = std::get_if<int64_t>(&value);
      if (!ordinal || *ordinal < 0 || static_cast<uint64_t>(*ordinal) >= type.identifiers.size()) return L"";
      return TrimBlanks(type.identifiers[static_cast<size_t>(*ordinal)]);
    }
    case SettingKind::Integer: {
      const auto* n = std::get_if<int64_t>(&value);
      return n ? std::to_wstring(static_cast<int32_t>(*n)) : L"";
    }
    case SettingKind::Float: {
      const auto* v = std::get_if<long double>(&value);
      return v ? FormatGeneral(*v, type.floatDigits) : L"";
    }
  }
  return L"";
}

std::optional<SettingValue> DecodeSetting(const SettingType& type, std::wstring_view text, wchar_t decimalSeparator) {
  const std::wstring t = TrimBlanks(text);
  switch (type.kind) {
    case SettingKind::Enumeration:
      for (size_t i = 0; i < type.identifiers.size(); ++i)
        if (SameIdentifier(t, type.identifiers[i])) return SettingValue{static_cast<int64_t>(i)};
      return std::nullopt;
    case SettingKind::Integer:
      return SettingValue{static_cast<int64_t>(ParseStoredInteger(t).value_or(0))};
    case SettingKind::Float:
      if (const auto v = ParseStoredFloat(t, decimalSeparator)) return SettingValue{static_cast<long double>(*v)};
      return std::nullopt;
  }
  return std::nullopt;
}

}  // namespace core
