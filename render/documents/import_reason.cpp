#include "render/documents/import_reason.h"

#include <cstdio>

namespace documents {

std::wstring Refusal(const std::string& why) {
  std::wstring text = L"refused: ";
  for (char c : why) text.push_back(static_cast<wchar_t>(static_cast<unsigned char>(c)));
  return text;
}

std::wstring ResultText(HRESULT hr) {
  wchar_t code[16];
  std::swprintf(code, 16, L"0x%08lX", static_cast<unsigned long>(hr));
  wchar_t* system = nullptr;
  const DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                     FORMAT_MESSAGE_IGNORE_INSERTS,
                                 nullptr, static_cast<DWORD>(hr), 0, reinterpret_cast<wchar_t*>(&system), 0, nullptr);
  std::wstring text(code);
  if (n > 0 && system) {
    std::wstring message(system, n);
    while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r' || message.back() == L' '))
      message.pop_back();
    if (!message.empty()) text += L": " + message;
  }
  if (system) LocalFree(system);
  return text;
}

}  // namespace documents
