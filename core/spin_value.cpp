#include "core/spin_value.h"

#include <cmath>
#include <limits>

namespace core {

std::optional<int32_t> ParseSpinText(std::wstring_view text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == L' ' || text[i] == L'\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == L'-' || text[i] == L'+')) negative = text[i++] == L'-';
  if (i == text.size()) return std::nullopt;
  int64_t v = 0;
  for (; i < text.size(); ++i) {
    const wchar_t c = text[i];
    if (c < L'0' || c > L'9') return std::nullopt;
    v = v * 10 + (c - L'0');
    // One past INT32_MAX still fits, for "-2147483648".
    if (v > int64_t{std::numeric_limits<int32_t>::max()} + 1) return std::nullopt;
  }
  if (negative) v = -v;
  if (v > std::numeric_limits<int32_t>::max()) return std::nullopt;
  return static_cast<int32_t>(v);
}

int32_t ClampSpinValue(double v, SpinRange range) {
  double lo = std::numeric_limits<int32_t>::min(), hi = std::numeric_limits<int32_t>::max();
  if (range.Limited()) {
    lo = range.min;
    hi = range.max;
  }
  if (v <= lo) return static_cast<int32_t>(lo);
  if (v >= hi) return static_cast<int32_t>(hi);
  // Both limits are whole numbers, so rounding inside them stays inside them.
  double r = std::floor(v);
  const double frac = v - r;
  if (frac > 0.5 || (frac == 0.5 && std::fmod(r, 2.0) != 0.0)) r += 1.0;
  return static_cast<int32_t>(r);
}

}  // namespace core
