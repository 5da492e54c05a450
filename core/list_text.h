// The text a file list shows and accepts: size and date columns, and the check
// of a name typed in place.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace core {

// Size in kilobytes as Explorer's details view shows it: rounded up, so any
// non-empty file shows at least "1 KB"; digits grouped by threes with sep.
std::wstring FormatSizeKB(uint64_t bytes, std::wstring_view sep = L",");

// A local date and time to the minute, as the platform reports it.
struct DateTime {
  uint16_t year = 0, month = 0, day = 0, hour = 0, minute = 0;
};

// "yyyy-mm-dd hh:mm": sortable and the same in every locale.
std::wstring FormatModified(const DateTime& local);

// True when name can become a file's new name inside its folder: not empty,
// not "." or "..", no path separators or other characters Windows refuses,
// and no trailing dot or space (Windows would silently drop them).
bool IsValidItemName(std::wstring_view name);

// folder + "\" + name, without doubling a backslash already there.
std::wstring JoinPath(std::wstring_view folder, std::wstring_view name);

}  // namespace core
