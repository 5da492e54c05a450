// The folder of the running executable, with a trailing backslash.
#pragma once
#include <string>

namespace app {

// Appends a backslash unless the text already ends with one.
std::wstring WithTrailingBackslash(std::wstring folder);
// The folder part of a full file name ("C:\a\b.exe" gives "C:\a\").
std::wstring FolderOf(const std::wstring& fileName);
// The executable's folder; long paths included.
std::wstring ExecutableFolder();

}  // namespace app
