#include "controls/color_names.h"

#include <windows.h>

#include <cstring>

namespace controls {

std::wstring ColorCaption(TCLanguage language, int index) {
  const char* bytes = ColorNameBytes(language, index);
  if (!bytes) return {};
  const int len = static_cast<int>(std::strlen(bytes));
  const int n = ::MultiByteToWideChar(1252, 0, bytes, len, nullptr, 0);
  if (n <= 0) return {};
  std::wstring text(static_cast<size_t>(n), L'\0');
  ::MultiByteToWideChar(1252, 0, bytes, len, text.data(), n);
  return text;
}

}  // namespace controls
