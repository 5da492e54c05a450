// Lays plain text out on A4-wide paper in a fixed-pitch grid, independent of any
// device: positions are character cells and lines, sizes are HIMETRIC.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace core {

namespace page {
inline constexpr int32_t kWidth = 21000;      // A4, 210 mm
inline constexpr int32_t kMinHeight = 29700;  // at least one A4 page
inline constexpr int32_t kMargin = 2000;      // 2 cm on every side
inline constexpr int32_t kCellWidth = 212;    // 0.6 em of a 10 pt font
inline constexpr int32_t kLineHeight = 423;   // 12 pt
inline constexpr int32_t kFontHeight = 353;   // 10 pt em
inline constexpr int32_t kBaseline = 300;     // from a line's top to its baseline
inline constexpr int32_t kColumns = (kWidth - 2 * kMargin) / kCellWidth;
inline constexpr int32_t kTabSize = 8;
}  // namespace page

struct TextLayout {
  std::vector<std::wstring> lines;  // each at most page::kColumns characters
  int32_t pageHeight = page::kMinHeight;
};

// Number of characters (code points) in s: one cell each.
size_t CellCount(const std::wstring& s);

// Breaks at CR LF, LF and CR; expands tabs; shows other control characters as
// spaces; wraps at the last space that fits, or mid-word when a word is longer
// than a line. Fails (returns false) when the page would be too tall for a
// signed 32-bit HIMETRIC extent.
bool LayoutText(const std::wstring& text, TextLayout& out);

}  // namespace core
