#include "render/documents/text_decoder.h"

#include <windows.h>

#include <cstdint>

#include "core/text_decoder.h"

namespace documents {
namespace {

std::optional<std::wstring> FromAnsiCodePage(const uint8_t* p, size_t n) {
  if (n == 0) return std::wstring();
  if (n > INT32_MAX) return std::nullopt;
  const int len = MultiByteToWideChar(CP_ACP, 0, reinterpret_cast<const char*>(p), int(n), nullptr, 0);
  if (len <= 0) return std::nullopt;
  std::wstring s(size_t(len), L'\0');
  MultiByteToWideChar(CP_ACP, 0, reinterpret_cast<const char*>(p), int(n), s.data(), len);
  return s;
}

}  // namespace

std::optional<std::wstring> DecodeText(const std::vector<uint8_t>& bytes) {
  return core::DecodeText(bytes.data(), bytes.size(), FromAnsiCodePage);
}

}  // namespace documents
