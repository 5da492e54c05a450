#include "app/program_folder.h"

#include <windows.h>

namespace app {

std::wstring WithTrailingBackslash(std::wstring folder) {
  if (folder.empty() || folder.back() != L'\\') folder.push_back(L'\\');
  return folder;
}

std::wstring FolderOf(const std::wstring& fileName) {
  const size_t slash = fileName.find_last_of(L"\\/:");
  return slash == std::wstring::npos ? std::wstring() : fileName.substr(0, slash + 1);
}

std::wstring ExecutableFolder() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) return L"\\";
    if (n < path.size()) {
      path.resize(n);
      break;
    }
    path.resize(path.size() * 2);  // truncated: the path is longer than the buffer
  }
  return WithTrailingBackslash(FolderOf(path));
}

}  // namespace app
