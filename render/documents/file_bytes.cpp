#include "render/documents/file_bytes.h"

#include <algorithm>
#include <new>

namespace documents {
namespace {

class FileHandle {
 public:
  explicit FileHandle(HANDLE h) : h_(h) {}
  ~FileHandle() {
    if (h_ != INVALID_HANDLE_VALUE) CloseHandle(h_);
  }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  HANDLE get() const { return h_; }

 private:
  HANDLE h_;
};

HRESULT LastError() {
  const DWORD e = GetLastError();
  return e == ERROR_SUCCESS ? E_FAIL : HRESULT_FROM_WIN32(e);
}

}  // namespace

HRESULT ReadWholeFile(const std::wstring& path, uint64_t maxBytes, std::vector<uint8_t>& out) {
  out.clear();
  // No FILE_FLAG_BACKUP_SEMANTICS: a folder name fails here instead of opening.
  FileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (file.get() == INVALID_HANDLE_VALUE) return LastError();
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.get(), &size)) return LastError();
  if (size.QuadPart < 0 || static_cast<uint64_t>(size.QuadPart) > maxBytes) return E_OUTOFMEMORY;
  try {
    out.resize(static_cast<size_t>(size.QuadPart));
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
  size_t done = 0;
  while (done < out.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(out.size() - done, 1u << 24));
    DWORD got = 0;
    if (!ReadFile(file.get(), out.data() + done, chunk, &got, nullptr)) return LastError();
    if (got == 0) break;  // the file shrank while we read it
    done += got;
  }
  out.resize(done);
  return S_OK;
}

}  // namespace documents
