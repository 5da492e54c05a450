// File-name wildcards as the shell matches them: "*" stands for any run of
// characters, "?" for exactly one, and a filter holds several masks separated
// by ";". Letters match regardless of case because the caller folds name and
// filter the same way first; folding needs the platform's case tables.
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace core {

// True when the folded name matches the single folded mask. "*.*" matches
// every name, also one without a dot, as Windows has always treated it.
bool MatchesMask(std::wstring_view name, std::wstring_view mask);

// The masks of a ";"-separated filter, leading and trailing spaces and tabs
// removed, empty masks dropped.
std::vector<std::wstring> SplitMasks(std::wstring_view filter);

// True when the folded name matches any mask of the folded filter. A filter
// without masks (empty or only separators) lets every name through.
bool MatchesFilter(std::wstring_view name, std::wstring_view filter);

}  // namespace core
