#include "tests/support/stored_settings.h"

#include <sstream>

#include "core/placement_text.h"
#include "tests/support/files.h"
#include "toolkit/module_path.h"

namespace testsupport {

std::wstring ProgramName() { return core::ProgramNameFor(tk::ModulePath()); }

std::wstring WindowsFolderPath(const std::wstring& fileName) {
  wchar_t folder[MAX_PATH] = {};
  ::GetWindowsDirectoryW(folder, MAX_PATH);
  return std::wstring(folder) + L"\\" + fileName;
}

void ForgetStoredSettings(const std::wstring& programName) {
  const std::wstring ini = WindowsFolderPath(programName + L".INI");
  ::SetFileAttributesW(ini.c_str(), FILE_ATTRIBUTE_NORMAL);
  if (!::DeleteFileW(ini.c_str())) ::RemoveDirectoryW(ini.c_str());  // a test may have put a folder there
  ::RegDeleteTreeW(HKEY_CURRENT_USER, (L"Software\\" + programName).c_str());
  ::RegDeleteKeyW(HKEY_CURRENT_USER, (L"Software\\" + programName).c_str());
}

IniLines IniSection(const std::wstring& path, const std::string& section) {
  std::istringstream in(ReadBytes(path));
  IniLines lines;
  bool inside = false;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty() && line.front() == '[') {
      inside = line == "[" + section + "]";
      continue;
    }
    const size_t eq = line.find('=');
    if (inside && eq != std::string::npos) lines.emplace_back(line.substr(0, eq), line.substr(eq + 1));
  }
  return lines;
}

std::string IniValue(const IniLines& lines, const std::string& key) {
  for (const auto& [k, v] : lines)
    if (k == key) return v;
  return "<missing>";
}

}  // namespace testsupport
