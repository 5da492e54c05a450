// The filter text of a file-type combo box: "Description|mask|Description|mask".
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace core {

struct FilterEntry {
  std::wstring description;
  std::wstring mask;
  bool operator==(const FilterEntry&) const = default;
};

// Splits at every "|" into description and mask pairs, in order. A trailing
// description without a mask becomes an entry with an empty mask (which a
// file list reads as "everything"); an empty trailing part, as left by a
// final "|", adds nothing. Empty text gives no entries.
std::vector<FilterEntry> SplitFilterText(std::wstring_view text);

}  // namespace core
