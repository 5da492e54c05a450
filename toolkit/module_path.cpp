#include "toolkit/module_path.h"

#include <windows.h>

#include <vector>

namespace tk {

std::wstring ModulePath() {
  // The function cuts the path to the buffer without saying so except by
  // filling it, so the buffer grows until the path fits.
  for (DWORD size = MAX_PATH;; size *= 2) {
    std::vector<wchar_t> buffer(size, L'\0');
    const DWORD got = ::GetModuleFileNameW(nullptr, buffer.data(), size);
    if (got == 0) return {};
    if (got < size || size >= 32768) return std::wstring(buffer.data(), got);
  }
}

}  // namespace tk
