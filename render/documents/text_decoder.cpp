#include "render/documents/text_decoder.h"

#include <windows.h>

namespace documents {
namespace {

std::optional<std::wstring> FromCodePage(UINT codePage, DWORD flags, const uint8_t* p, size_t n) {
  if (n == 0) return std::wstring();
  if (n > INT32_MAX) return std::nullopt;
  const int len = MultiByteToWideChar(codePage, flags, reinterpret_cast<const char*>(p), int(n),
                                      nullptr, 0);
  if (len <= 0) return std::nullopt;
  std::wstring s(size_t(len), L'\0');
  MultiByteToWideChar(codePage, flags, reinterpret_cast<const char*>(p), int(n), s.data(), len);
  return s;
}

std::optional<std::wstring> FromUtf16(const uint8_t* p, size_t n, bool bigEndian) {
  if (n % 2 != 0) return std::nullopt;
  std::wstring s(n / 2, L'\0');
  for (size_t i = 0; i < s.size(); ++i)
    s[i] = bigEndian ? wchar_t(p[2 * i] << 8 | p[2 * i + 1]) : wchar_t(p[2 * i + 1] << 8 | p[2 * i]);
  for (size_t i = 0; i < s.size(); ++i) {
    if (IS_HIGH_SURROGATE(s[i]) && i + 1 < s.size() && IS_LOW_SURROGATE(s[i + 1]))
      ++i;
    else if (IS_HIGH_SURROGATE(s[i]) || IS_LOW_SURROGATE(s[i]))
      return std::nullopt;
  }
  return s;
}

}  // namespace

std::optional<std::wstring> DecodeText(const std::vector<uint8_t>& bytes) {
  const uint8_t* p = bytes.data();
  const size_t n = bytes.size();
  std::optional<std::wstring> text;
  if (n >= 3 && p[0] == 0xEF && p[1] == 0xBB && p[2] == 0xBF)
    text = FromCodePage(CP_UTF8, MB_ERR_INVALID_CHARS, p + 3, n - 3);
  else if (n >= 2 && p[0] == 0xFF && p[1] == 0xFE)
    text = FromUtf16(p + 2, n - 2, false);
  else if (n >= 2 && p[0] == 0xFE && p[1] == 0xFF)
    text = FromUtf16(p + 2, n - 2, true);
  else if (!(text = FromCodePage(CP_UTF8, MB_ERR_INVALID_CHARS, p, n)))
    text = FromCodePage(CP_ACP, 0, p, n);
  if (!text || n == 0 || text->find(L'\0') != std::wstring::npos) return std::nullopt;
  return text;
}

}  // namespace documents
