#include "app/cli/bmp_file.h"

#include <algorithm>
#include <vector>

namespace cli {
namespace {

constexpr size_t kChunkBytes = size_t{8} << 20;

std::wstring FullPath(const std::wstring& path) {
  const DWORD n = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (n == 0) return {};
  std::wstring full(n, L'\0');
  const DWORD m = GetFullPathNameW(path.c_str(), n, full.data(), nullptr);
  full.resize(m < n ? m : 0);
  return full;
}

}  // namespace

std::wstring SystemMessage(DWORD code) {
  wchar_t* text = nullptr;
  const DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                 nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::wstring s = n && text ? std::wstring(text, n) : L"error " + std::to_wstring(code);
  if (text) LocalFree(text);
  while (!s.empty() && (s.back() == L'\n' || s.back() == L'\r' || s.back() == L' ')) s.pop_back();
  return s;
}

BmpFileWriter::BmpFileWriter(const std::wstring& path) : target_(FullPath(path)) {
  const size_t slash = target_.find_last_of(L"\\/");
  if (target_.empty() || slash == std::wstring::npos || slash + 1 == target_.size()) {
    error_ = L"Could not write the picture file \"" + path + L"\": not a file name.";
    return;
  }
  const std::wstring folder = target_.substr(0, slash + 1);
  wchar_t temp[MAX_PATH + 1] = {};
  if (folder.size() >= MAX_PATH - 14 || !GetTempFileNameW(folder.c_str(), L"vdx", 0, temp)) {
    Fail(GetLastError());
    return;
  }
  temp_ = temp;  // GetTempFileName created it, so it is ours to remove from here on
  file_.reset(CreateFileW(temp_.c_str(), GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING,
                          FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (file_.get() == INVALID_HANDLE_VALUE) {
    file_.release();
    Fail(GetLastError());
  }
}

BmpFileWriter::~BmpFileWriter() {
  file_.reset();
  if (!committed_ && !temp_.empty()) DeleteFileW(temp_.c_str());
}

bool BmpFileWriter::Fail(DWORD code) {
  if (error_.empty()) error_ = L"Could not write the picture file \"" + target_ + L"\": " + SystemMessage(code);
  return false;
}

bool BmpFileWriter::Put(const void* data, size_t bytes) {
  if (failAfter_ >= 0 && written_ + int64_t(bytes) > failAfter_) return Fail(ERROR_DISK_FULL);
  DWORD done = 0;
  if (!WriteFile(file_.get(), data, static_cast<DWORD>(bytes), &done, nullptr)) return Fail(GetLastError());
  if (done != bytes) return Fail(ERROR_DISK_FULL);
  written_ += int64_t(bytes);
  return true;
}

bool BmpFileWriter::Write(const render::RowImage& image) {
  if (!Ok()) return false;
  const auto layout = MakeBmpLayout(image.width, image.height);
  if (!layout || !image.bits || image.stride < 3 * int64_t{image.width}) {
    error_ = L"Could not write the picture file \"" + target_ + L"\": the picture is too large for a BMP file.";
    return false;
  }
  if (!Put(layout->header.data(), layout->header.size())) return false;
  if (image.stride == layout->stride) {
    // Memory rows are already the file's rows, bottom first: write them in large runs.
    const size_t rowsPerChunk = std::max<size_t>(1, kChunkBytes / size_t(layout->stride));
    for (int64_t y = 0; y < image.height; y += int64_t(rowsPerChunk)) {
      const int64_t rows = std::min<int64_t>(int64_t(rowsPerChunk), image.height - y);
      if (!Put(image.bits + y * image.stride, size_t(rows * image.stride))) return false;
    }
  } else {
    std::vector<uint8_t> row(size_t(layout->stride), 0);
    for (int64_t y = 0; y < image.height; ++y) {
      std::copy_n(image.bits + y * image.stride, 3 * size_t(image.width), row.begin());
      if (!Put(row.data(), row.size())) return false;
    }
  }
  file_.reset();  // closed before the rename, which a Windows file needs
  if (!MoveFileExW(temp_.c_str(), target_.c_str(), MOVEFILE_REPLACE_EXISTING)) return Fail(GetLastError());
  committed_ = true;
  return true;
}

}  // namespace cli
