#include "output/system_message.h"

#include <cstdio>

namespace output {

std::wstring SystemMessage(DWORD code) {
  wchar_t* text = nullptr;
  const DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                 nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::wstring s;
  if (n && text) {
    s.assign(text, n);
  } else {
    wchar_t hex[32];
    std::swprintf(hex, 32, L"error 0x%08lX", static_cast<unsigned long>(code));
    s = hex;
  }
  if (text) LocalFree(text);
  while (!s.empty() && (s.back() == L'\n' || s.back() == L'\r' || s.back() == L' ')) s.pop_back();
  return s;
}

}  // namespace output
