// The favourite folders' file "folders.dat" on disk: the lines (core's
// favourites format) in the ANSI code page, read and written whole.
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace app {

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
