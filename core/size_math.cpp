#include "core/size_math.h"

#include <limits>

namespace core {

std::optional<uint64_t> CheckedMul(uint64_t a, uint64_t b) {
  if (a != 0 && b > std::numeric_limits<uint64_t>::max() / a) return std::nullopt;
  return a * b;
}

std::optional<uint64_t> CheckedMul(uint64_t a, uint64_t b, uint64_t c) {
  const auto ab = CheckedMul(a, b);
  return ab ? CheckedMul(*ab, c) : std::nullopt;
}

std::optional<uint64_t> CheckedAdd(uint64_t a, uint64_t b) {
  if (b > std::numeric_limits<uint64_t>::max() - a) return std::nullopt;
  return a + b;
}

std::optional<size_t> ToSize(uint64_t v) {
  if (v > std::numeric_limits<size_t>::max()) return std::nullopt;
  return static_cast<size_t>(v);
}

}  // namespace core
