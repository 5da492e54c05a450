#include "core/list_text.h"

namespace core {
namespace {

// Decimal digits, without the C library's wide formatting.
std::wstring Digits(uint64_t v) {
  std::wstring s;
  do {
    s.insert(s.begin(), static_cast<wchar_t>(L'0' + v % 10));
    v /= 10;
  } while (v != 0);
  return s;
}

}  // namespace

std::wstring FormatSizeKB(uint64_t bytes, std::wstring_view sep) {
  const uint64_t kb = bytes / 1024 + (bytes % 1024 != 0);
  const std::wstring digits = Digits(kb);
  std::wstring out;
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out += sep;
    out += digits[i];
  }
  return out + L" KB";
}

std::wstring FormatModified(const DateTime& t) {
  auto pad = [](unsigned v, size_t width) {
    std::wstring s = Digits(v);
    return s.size() < width ? std::wstring(width - s.size(), L'0') + s : s;
  };
  return pad(t.year, 4) + L"-" + pad(t.month, 2) + L"-" + pad(t.day, 2) + L" " + pad(t.hour, 2) + L":" +
         pad(t.minute, 2);
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

}  // namespace core
