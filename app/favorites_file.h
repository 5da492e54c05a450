// The favourite folders and their file "folders.dat": one folder per CR LF
// line in the ANSI code page, most recent first.
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace app {

// Splits the file's bytes into lines: a line ends at CR, an LF right after the
// CR is skipped, Ctrl-Z ends the file. A last line without line end counts;
// every line is an entry, an empty one too.
std::vector<std::string> SplitFavoriteLines(std::string_view bytes);
// Each entry followed by CR LF.
std::string JoinFavoriteLines(const std::vector<std::string>& lines);

// Index of the last entry equal to `folder` (exact, case-sensitive); -1 when none.
int LastEqual(const std::vector<std::wstring>& list, const std::wstring& folder);
// Makes `folder` the first entry: the last entry equal to it (exact,
// case-sensitive) is removed, then it is inserted at the top.
void MoveToFront(std::vector<std::wstring>& list, const std::wstring& folder);

// The ANSI bytes of a folder path such that reading them back names the same
// folder. A name the code page cannot hold exactly is written as its short
// (8.3) form when that exists and fits; otherwise there is no such text and
// the entry stays out of the file.
bool FolderToAnsi(const std::wstring& folder, std::string& out);
std::wstring AnsiToWide(std::string_view ansi);

// Reads the favourites; false (and an empty list) when the file cannot be read.
bool LoadFavorites(const std::wstring& file, std::vector<std::wstring>& entries);
// Rewrites the whole file; false when it cannot be created or written.
bool SaveFavorites(const std::wstring& file, const std::vector<std::wstring>& entries);

}  // namespace app
