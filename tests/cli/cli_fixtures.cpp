#include "tests/cli/cli_fixtures.h"

#include <cstring>

namespace clitest {

ScratchFolder::ScratchFolder() {
  wchar_t base[MAX_PATH];
  GetTempPathW(MAX_PATH, base);
  static int counter = 0;
  path_ = std::wstring(base) + L"verdalux_cli_" + std::to_wstring(GetCurrentProcessId()) + L"_" +
          std::to_wstring(++counter);
  CreateDirectoryW(path_.c_str(), nullptr);
}

ScratchFolder::~ScratchFolder() {
  for (const auto& f : Files()) DeleteFileW(Path(f).c_str());
  RemoveDirectoryW(path_.c_str());
}

std::vector<std::wstring> ScratchFolder::Files() const {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW fd;
  HANDLE h = FindFirstFileW((path_ + L"\\*").c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return names;
  do {
    if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(fd.cFileName);
  } while (FindNextFileW(h, &fd));
  FindClose(h);
  return names;
}

void ScratchFolder::Write(const std::wstring& name, const std::string& bytes) const {
  HANDLE h = CreateFileW(Path(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return;
  DWORD done = 0;
  WriteFile(h, bytes.data(), DWORD(bytes.size()), &done, nullptr);
  CloseHandle(h);
}

std::vector<uint8_t> ReadFileBytes(const std::wstring& path) {
  std::vector<uint8_t> bytes;
  HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return bytes;
  LARGE_INTEGER size{};
  GetFileSizeEx(h, &size);
  bytes.resize(size_t(size.QuadPart));
  DWORD done = 0;
  if (!bytes.empty()) ReadFile(h, bytes.data(), DWORD(bytes.size()), &done, nullptr);
  bytes.resize(done);
  CloseHandle(h);
  return bytes;
}

bool FileExists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string ToUtf8Line(const std::wstring& text) {
  const std::wstring line = text + L"\n";
  const int n = WideCharToMultiByte(CP_UTF8, 0, line.c_str(), int(line.size()), nullptr, 0, nullptr, nullptr);
  std::string s(size_t(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, line.c_str(), int(line.size()), s.data(), n, nullptr, nullptr);
  return s;
}

std::wstring SamplePath(const std::wstring& name) {
  wchar_t exe[MAX_PATH];
  const DWORD n = GetModuleFileNameW(nullptr, exe, MAX_PATH);
  std::wstring dir(exe, n);
  dir.resize(dir.find_last_of(L'\\') + 1);
  return dir + L"samples\\" + name;
}

const uint8_t* BmpFile::Pixel(int x, int yFromTop) const {
  const size_t stride = (size_t(info.biWidth) * 3 + 3) / 4 * 4;
  return pixels.data() + size_t(info.biHeight - 1 - yFromTop) * stride + 3 * size_t(x);
}

BmpFile ReadBmp(const std::wstring& path) {
  BmpFile b;
  const std::vector<uint8_t> bytes = ReadFileBytes(path);
  if (bytes.size() < sizeof b.file + sizeof b.info) return b;
  std::memcpy(&b.file, bytes.data(), sizeof b.file);
  std::memcpy(&b.info, bytes.data() + sizeof b.file, sizeof b.info);
  if (b.file.bfOffBits > bytes.size()) return b;
  b.pixels.assign(bytes.begin() + b.file.bfOffBits, bytes.end());
  b.valid = true;
  return b;
}

}  // namespace clitest
