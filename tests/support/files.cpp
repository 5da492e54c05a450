#include "tests/support/files.h"

#include <algorithm>

namespace testsupport {

TempDir::TempDir() {
  wchar_t tmp[MAX_PATH], longTmp[MAX_PATH];
  ::GetTempPathW(MAX_PATH, tmp);
  if (!::GetLongPathNameW(tmp, longTmp, MAX_PATH)) ::wcscpy(longTmp, tmp);
  std::wstring base = longTmp;
  if (!base.empty() && base.back() == L'\\') base.pop_back();
  for (unsigned n = ::GetCurrentProcessId() * 1000 + ::GetTickCount() % 1000;; ++n) {
    root_ = base + L"\\verdalux_test_" + std::to_wstring(n);
    if (::CreateDirectoryW(root_.c_str(), nullptr) || ::GetLastError() != ERROR_ALREADY_EXISTS) break;
  }
}

TempDir::~TempDir() { RemoveTree(root_); }

std::wstring TempDir::MakeDir(const std::wstring& relative) const {
  const std::wstring p = Path(relative);
  ::CreateDirectoryW(p.c_str(), nullptr);
  return p;
}

std::wstring TempDir::MakeFile(const std::wstring& relative, size_t bytes) const {
  return Write(relative, std::string(bytes, 'x'));
}

std::wstring TempDir::Write(const std::wstring& relative, std::string_view bytes) const {
  const std::wstring p = Path(relative);
  WriteBytes(p, bytes);
  return p;
}

std::wstring TempDir::Write(const std::wstring& relative, const std::vector<uint8_t>& bytes) const {
  return Write(relative, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

std::vector<std::wstring> TempDir::Files() const {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW fd;
  HANDLE h = ::FindFirstFileW((root_ + L"\\*").c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return names;
  do {
    if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(fd.cFileName);
  } while (::FindNextFileW(h, &fd));
  ::FindClose(h);
  return names;
}

std::string ReadBytes(const std::wstring& path) {
  std::string bytes;
  HANDLE h = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                           0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return bytes;
  char buf[65536];
  DWORD got = 0;
  while (::ReadFile(h, buf, sizeof buf, &got, nullptr) && got > 0) bytes.append(buf, got);
  ::CloseHandle(h);
  return bytes;
}

std::vector<uint8_t> ReadByteVector(const std::wstring& path) {
  const std::string s = ReadBytes(path);
  return std::vector<uint8_t>(s.begin(), s.end());
}

bool WriteBytes(const std::wstring& path, std::string_view bytes) {
  HANDLE h = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  bool ok = true;
  for (size_t done = 0; done < bytes.size() && ok;) {
    DWORD wrote = 0;
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 20));
    ok = ::WriteFile(h, bytes.data() + done, chunk, &wrote, nullptr) && wrote > 0;
    done += wrote;
  }
  ::CloseHandle(h);
  return ok;
}

bool Exists(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void RemoveTree(const std::wstring& folder) {
  std::wstring path = folder;
  if (!path.empty() && path.back() == L'\\') path.pop_back();
  WIN32_FIND_DATAW fd;
  HANDLE h = ::FindFirstFileW((path + L"\\*").c_str(), &fd);
  if (h != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = fd.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring child = path + L"\\" + name;
      if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(child);
      } else {
        ::SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
        ::DeleteFileW(child.c_str());
      }
    } while (::FindNextFileW(h, &fd));
    ::FindClose(h);
  }
  ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  ::RemoveDirectoryW(path.c_str());
}

std::wstring ExeFolder() {
  wchar_t exe[MAX_PATH];
  const DWORD n = ::GetModuleFileNameW(nullptr, exe, MAX_PATH);
  std::wstring dir(exe, n);
  dir.resize(dir.find_last_of(L'\\') + 1);
  return dir;
}

std::wstring SamplePath(const std::wstring& name) { return ExeFolder() + L"samples\\" + name; }

}  // namespace testsupport
