#include "app/favorites_file.h"

#include <windows.h>

#include <algorithm>

#include "core/favorites_lines.h"
#include "toolkit/handles.h"

namespace app {

namespace {

// Exact conversion or nothing: no best-fit look-alikes, no default characters.
bool ExactAnsi(const std::wstring& w, std::string& out) {
  out.clear();
  if (w.empty()) return true;
  BOOL usedDefault = FALSE;
  const int n = ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, w.data(), static_cast<int>(w.size()), nullptr,
                                      0, nullptr, &usedDefault);
  if (n <= 0 || usedDefault) return false;
  out.resize(static_cast<size_t>(n));
  ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, w.data(), static_cast<int>(w.size()), out.data(), n, nullptr,
                        &usedDefault);
  return !usedDefault && AnsiToWide(out) == w;
}

}  // namespace

bool FolderToAnsi(const std::wstring& folder, std::string& out) {
  if (ExactAnsi(folder, out)) return true;
  const DWORD n = ::GetShortPathNameW(folder.c_str(), nullptr, 0);
  if (n == 0) return false;
  std::wstring shortName(n, L'\0');
  const DWORD got = ::GetShortPathNameW(folder.c_str(), shortName.data(), n);
  if (got == 0 || got >= n) return false;
  shortName.resize(got);
  return ExactAnsi(shortName, out);
}

std::wstring AnsiToWide(std::string_view ansi) {
  if (ansi.empty()) return {};
  const int n = ::MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
  std::wstring w(static_cast<size_t>(n > 0 ? n : 0), L'\0');
  if (n > 0) ::MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), w.data(), n);
  return w;
}

bool LoadFavorites(const std::wstring& file, std::vector<std::wstring>& entries) {
  entries.clear();
  tk::FileHandle h(::CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!h.valid()) return false;
  std::string bytes;
  char buf[65536];
  DWORD got = 0;
  for (;;) {
    if (!::ReadFile(h.get(), buf, sizeof buf, &got, nullptr)) return false;
    if (got == 0) break;
    bytes.append(buf, got);
  }
  for (const auto& line : core::SplitFavoriteLines(bytes)) entries.push_back(AnsiToWide(line));
  return true;
}

bool SaveFavorites(const std::wstring& file, const std::vector<std::wstring>& entries) {
  std::vector<std::string> lines;
  lines.reserve(entries.size());
  for (const auto& e : entries) {
    std::string a;
    if (FolderToAnsi(e, a)) lines.push_back(std::move(a));
  }
  const std::string text = core::JoinFavoriteLines(lines);
  tk::FileHandle h(::CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                 nullptr));
  if (!h.valid()) return false;
  size_t done = 0;
  while (done < text.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(text.size() - done, 1u << 20));
    DWORD wrote = 0;
    if (!::WriteFile(h.get(), text.data() + done, chunk, &wrote, nullptr) || wrote == 0) return false;
    done += wrote;
  }
  return true;
}

}  // namespace app
