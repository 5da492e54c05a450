#include "toolkit/ini_store.h"

#include <windows.h>

#include <algorithm>

#include <vector>

#include "core/setting_text.h"

namespace tk {
namespace {

// A hand-edited file may hold values of any length; beyond this a value is cut.
constexpr DWORD kLongestValue = 1u << 20;

}  // namespace

std::wstring TIniStore::ReadString(const std::wstring& section, const std::wstring& key,
                                   const std::wstring& fallback) {
  // The functions unquote the default as well, so it gets the same extra
  // pair a written value gets.
  const std::wstring quotedFallback = core::QuoteForProfile(fallback);
  // They say "too small" only by filling the buffer to the last character,
  // so the buffer grows until the text ends before that.
  for (DWORD size = 256;; size *= 2) {
    std::vector<wchar_t> buffer(size, L'\0');
    const DWORD got = ::GetPrivateProfileStringW(section.c_str(), key.c_str(), quotedFallback.c_str(), buffer.data(),
                                                 size, fileName_.c_str());
    if (got + 1 < size || size >= kLongestValue) return std::wstring(buffer.data(), std::min(got, size - 1));
  }
}

void TIniStore::WriteString(const std::wstring& section, const std::wstring& key, const std::wstring& value) {
  const std::wstring stored = core::QuoteForProfile(value);
  if (!::WritePrivateProfileStringW(section.c_str(), key.c_str(), stored.c_str(), fileName_.c_str()))
    throw ESettingsError(L"nach " + fileName_ + L" kann nicht geschrieben werden");
}

}  // namespace tk
