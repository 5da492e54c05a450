// The arithmetic of an integer spin edit, kept apart from the window so it can
// be checked exhaustively.
#pragma once
#include <cstdint>
#include <optional>
#include <string_view>

namespace core {

// The limits of a spin edit. Equal limits mean "no limits", as in the
// component library the layouts come from.
struct SpinRange {
  int32_t min = 0;
  int32_t max = 0;
  bool Limited() const { return max > min; }
  bool Contains(int64_t v) const { return !Limited() || (v >= min && v <= max); }
};

// The text read as a whole decimal number: leading blanks, an optional sign,
// digits, nothing after them. Anything else, or a number outside 32 bits,
// is not a number.
std::optional<int32_t> ParseSpinText(std::wstring_view text);

// Clamps v into the range (and always into 32 bits) and rounds it to the
// nearest whole number, halves to the even neighbour. v must not be NaN.
int32_t ClampSpinValue(double v, SpinRange range);

}  // namespace core
