// The settings stores the program's windows write: the INI file in the
// Windows folder and the registry key under HKEY_CURRENT_USER, both named
// after the executable. The test entry forgets them around every test.
#pragma once
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace testsupport {

// This test executable's name without folder and extension ("app_tests").
std::wstring ProgramName();
// A file of that name in the Windows folder, where the profile functions put
// a file named without a folder.
std::wstring WindowsFolderPath(const std::wstring& fileName);
// The INI file and the registry key "Software\<name>" of a program, gone.
void ForgetStoredSettings(const std::wstring& programName);

using IniLines = std::vector<std::pair<std::string, std::string>>;
// The "key=value" lines of one section of an INI file, in file order.
IniLines IniSection(const std::wstring& path, const std::string& section);
// The value of a key in those lines; "<missing>" when there is none.
std::string IniValue(const IniLines& lines, const std::string& key);

}  // namespace testsupport
