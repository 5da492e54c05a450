#include "output/target_file.h"

#include <algorithm>

#include "output/system_message.h"

namespace output {
namespace {

// WriteFile takes a 32-bit count; large bands go in pieces.
constexpr size_t kMaxWrite = size_t{64} << 20;

std::wstring FullPath(const std::wstring& path) {
  const DWORD n = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (n == 0) return {};
  std::wstring full(n, L'\0');
  const DWORD m = GetFullPathNameW(path.c_str(), n, full.data(), nullptr);
  full.resize(m < n ? m : 0);
  return full;
}

}  // namespace

TargetFile::TargetFile(const std::wstring& path) : given_(path), target_(FullPath(path)) {
  if (target_.empty()) target_ = path;
}

TargetFile::~TargetFile() {
  file_.reset();
  if (!committed_ && !temp_.empty()) DeleteFileW(temp_.c_str());
}

bool TargetFile::Fail(DWORD code) { return Fail(SystemMessage(code)); }

bool TargetFile::Fail(const std::wstring& reason) {
  if (error_.empty()) error_ = L"Could not write the picture file \"" + target_ + L"\": " + reason;
  return false;
}

bool TargetFile::Refuse(const std::wstring& message) {
  if (error_.empty()) error_ = message;
  return false;
}

bool TargetFile::CheckTarget() {
  const size_t slash = target_.find_last_of(L"\\/");
  if (slash == std::wstring::npos || slash + 1 == target_.size()) return Fail(L"not a file name.");
  const DWORD attributes = GetFileAttributesW(target_.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES) {
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return Fail(L"a folder has that name.");
    if (attributes & FILE_ATTRIBUTE_READONLY) return Fail(ERROR_ACCESS_DENIED);
    return true;  // replaced at the end
  }
  // Make the name once, so a name the file system refuses fails now rather
  // than after the render; it goes again when the handle closes.
  const HANDLE probe = CreateFileW(target_.c_str(), GENERIC_WRITE | DELETE, 0, nullptr, CREATE_NEW,
                                   FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (probe == INVALID_HANDLE_VALUE) return Fail(GetLastError());
  CloseHandle(probe);
  return true;
}

bool TargetFile::Open() {
  if (!Ok() || !CheckTarget()) return false;
  const std::wstring folder = target_.substr(0, target_.find_last_of(L"\\/") + 1);
  wchar_t temp[MAX_PATH + 1] = {};
  if (folder.size() >= MAX_PATH - 14) return Fail(ERROR_FILENAME_EXCED_RANGE);
  if (!GetTempFileNameW(folder.c_str(), L"vdx", 0, temp)) return Fail(GetLastError());
  temp_ = temp;  // GetTempFileName created it, so it is ours to remove from here on
  file_.reset(CreateFileW(temp_.c_str(), GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING,
                          FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (file_.get() == INVALID_HANDLE_VALUE) {
    file_.release();  // INVALID_HANDLE_VALUE is nothing to close
    return Fail(GetLastError());
  }
  return true;
}

bool TargetFile::Write(const void* data, size_t bytes) { return WriteAt(size_, data, bytes); }

bool TargetFile::WriteAt(uint64_t offset, const void* data, size_t bytes) {
  if (!Ok() || !file_) return false;
  if (failAfter_ >= 0 && offset + bytes > uint64_t(failAfter_)) return Fail(ERROR_DISK_FULL);
  const auto* p = static_cast<const uint8_t*>(data);
  while (bytes > 0) {
    const DWORD n = static_cast<DWORD>(std::min(bytes, kMaxWrite));
    OVERLAPPED at{};
    at.Offset = static_cast<DWORD>(offset);
    at.OffsetHigh = static_cast<DWORD>(offset >> 32);
    DWORD done = 0;
    if (!WriteFile(file_.get(), p, n, &done, &at)) return Fail(GetLastError());
    if (done != n) return Fail(ERROR_DISK_FULL);
    p += n;
    offset += n;
    bytes -= n;
    size_ = std::max(size_, offset);
  }
  return true;
}

bool TargetFile::Commit() {
  if (!Ok() || !file_) return false;
  file_.reset();  // closed before the rename, which a Windows file needs
  if (!MoveFileExW(temp_.c_str(), target_.c_str(), MOVEFILE_REPLACE_EXISTING)) return Fail(GetLastError());
  committed_ = true;
  return true;
}

}  // namespace output
