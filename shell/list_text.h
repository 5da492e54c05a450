// The text a file list shows and accepts. The order needs the platform's
// collation and the date comes as the platform's time; the rest is the core's.
#pragma once
#include <windows.h>

#include <string>
#include <string_view>

#include "core/list_text.h"

namespace shell {

using core::FormatSizeKB;
using core::IsValidItemName;
using core::JoinPath;

// Folders before files; within each group by name, ignoring case, with an
// ordinal tie-break so that the order is total and repeatable.
bool ListOrderLess(bool aFolder, std::wstring_view aName, bool bFolder, std::wstring_view bName);

// A local time as "yyyy-mm-dd hh:mm".
std::wstring FormatModified(const SYSTEMTIME& local);

}  // namespace shell
