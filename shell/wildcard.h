// File-name wildcards as the shell matches them: "*" stands for any run of
// characters, "?" for exactly one, letters match regardless of case, and a
// filter holds several masks separated by ";".
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace shell {

// True when name matches the single mask. "*.*" matches every name, also one
// without a dot, as Windows has always treated it.
bool MatchesMask(std::wstring_view name, std::wstring_view mask);

// The masks of a ";"-separated filter, leading and trailing spaces removed,
// empty masks dropped.
std::vector<std::wstring> SplitMasks(std::wstring_view filter);

// True when name matches any mask of the filter. A filter without masks
// (empty or only separators) lets every name through.
bool MatchesFilter(std::wstring_view name, std::wstring_view filter);

}  // namespace shell
