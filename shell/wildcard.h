// File-name wildcards with the platform's case folding: letters match
// regardless of case, in every script the platform knows. The matching itself
// is the core's.
#pragma once
#include <string>
#include <string_view>

namespace shell {

// The text upper-cased by the platform, as name and filter are folded before
// they are compared.
std::wstring FoldCase(std::wstring_view text);

// True when name matches any mask of the ";"-separated filter, ignoring case.
// A filter without masks (empty or only separators) lets every name through.
bool MatchesFilter(std::wstring_view name, std::wstring_view filter);

}  // namespace shell
