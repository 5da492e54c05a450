#include "app/favorites_file.h"

#include <windows.h>

#include <algorithm>

#include "toolkit/handles.h"

namespace app {

std::vector<std::string> SplitFavoriteLines(std::string_view bytes) {
  const size_t eof = bytes.find('\x1A');
  if (eof != std::string_view::npos) bytes = bytes.substr(0, eof);
  std::vector<std::string> lines;
  size_t pos = 0;
  while (pos < bytes.size()) {
    const size_t cr = bytes.find('\r', pos);
    if (cr == std::string_view::npos) {
      lines.emplace_back(bytes.substr(pos));
      break;
    }
    lines.emplace_back(bytes.substr(pos, cr - pos));
    pos = cr + 1;
    if (pos < bytes.size() && bytes[pos] == '\n') ++pos;
  }
  return lines;
}

std::string JoinFavoriteLines(const std::vector<std::string>& lines) {
  std::string out;
  for (const auto& l : lines) {
    out += l;
    out += "\r\n";
  }
  return out;
}

int LastEqual(const std::vector<std::wstring>& list, const std::wstring& folder) {
  int last = -1;
  for (size_t i = 0; i < list.size(); ++i)
    if (list[i] == folder) last = static_cast<int>(i);
  return last;
}

void MoveToFront(std::vector<std::wstring>& list, const std::wstring& folder) {
  const int last = LastEqual(list, folder);
  if (last >= 0) list.erase(list.begin() + last);
  list.insert(list.begin(), folder);
}

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
  for (const auto& line : SplitFavoriteLines(bytes)) entries.push_back(AnsiToWide(line));
  return true;
}

bool SaveFavorites(const std::wstring& file, const std::vector<std::wstring>& entries) {
  std::vector<std::string> lines;
  lines.reserve(entries.size());
  for (const auto& e : entries) {
    std::string a;
    if (FolderToAnsi(e, a)) lines.push_back(std::move(a));
  }
  const std::string text = JoinFavoriteLines(lines);
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
