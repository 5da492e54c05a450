#include "shell/list_text.h"

namespace shell {

bool ListOrderLess(bool aFolder, std::wstring_view aName, bool bFolder, std::wstring_view bName) {
  if (aFolder != bFolder) return aFolder;
  const int c = ::CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, aName.data(), static_cast<int>(aName.size()),
                                 bName.data(), static_cast<int>(bName.size()));
  if (c == CSTR_LESS_THAN) return true;
  if (c == CSTR_GREATER_THAN) return false;
  return aName < bName;
}

std::wstring FormatModified(const SYSTEMTIME& t) {
  return core::FormatModified(core::DateTime{t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute});
}

}  // namespace shell
