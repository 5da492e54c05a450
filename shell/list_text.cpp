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

std::wstring FormatSizeKB(uint64_t bytes, std::wstring_view sep) {
  const uint64_t kb = bytes / 1024 + (bytes % 1024 != 0);
  const std::wstring digits = std::to_wstring(kb);
  std::wstring out;
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out += sep;
    out += digits[i];
  }
  return out + L" KB";
}

std::wstring FormatModified(const SYSTEMTIME& t) {
  auto pad = [](unsigned v, size_t width) {
    std::wstring s = std::to_wstring(v);
    return s.size() < width ? std::wstring(width - s.size(), L'0') + s : s;
  };
  return pad(t.wYear, 4) + L"-" + pad(t.wMonth, 2) + L"-" + pad(t.wDay, 2) + L" " + pad(t.wHour, 2) + L":" +
         pad(t.wMinute, 2);
}

bool IsValidItemName(std::wstring_view name) {
  if (name.empty() || name == L"." || name == L"..") return false;
  if (name.back() == L'.' || name.back() == L' ') return false;
  for (wchar_t c : name) {
    if (c < 32) return false;
    if (std::wstring_view(L"\\/:*?\"<>|").find(c) != std::wstring_view::npos) return false;
  }
  return true;
}

std::wstring JoinPath(std::wstring_view folder, std::wstring_view name) {
  std::wstring r(folder);
  if (!r.empty() && r.back() != L'\\') r += L'\\';
  r += name;
  return r;
}

}  // namespace shell
