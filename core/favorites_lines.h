// The favourite folders' file "folders.dat" as lines: one folder per CR LF
// line, most recent first. The lines are bytes in the ANSI code page; turning
// them into folder names is the platform's part.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace core {

// Splits the file's bytes into lines: a line ends at CR, an LF right after the
// CR is skipped, Ctrl-Z ends the file. A last line without line end counts;
// every line is an entry, an empty one too.
std::vector<std::string> SplitFavoriteLines(std::string_view bytes);
// Each entry followed by CR LF.
std::string JoinFavoriteLines(const std::vector<std::string>& lines);

// Index of the last entry equal to `folder` (exact, case-sensitive); -1 when none.
std::ptrdiff_t LastEqual(const std::vector<std::wstring>& list, const std::wstring& folder);
// Makes `folder` the first entry: the last entry equal to it (exact,
// case-sensitive) is removed, then it is inserted at the top.
void MoveToFront(std::vector<std::wstring>& list, const std::wstring& folder);

}  // namespace core
