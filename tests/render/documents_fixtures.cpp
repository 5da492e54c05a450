#include "tests/render/documents_fixtures.h"

#include <shellapi.h>

#include <cstring>
#include <fstream>

#include "render/documents/file_bytes.h"

namespace doctest {

std::wstring SamplePath(const std::wstring& name) {
  wchar_t exe[MAX_PATH];
  const DWORD n = GetModuleFileNameW(nullptr, exe, MAX_PATH);
  std::wstring dir(exe, n);
  dir.resize(dir.find_last_of(L'\\') + 1);
  return dir + L"samples\\" + name;
}

std::vector<uint8_t> ReadSample(const std::wstring& name) {
  std::vector<uint8_t> bytes;
  documents::ReadWholeFile(SamplePath(name), 1 << 24, bytes);
  return bytes;
}

TempDir::TempDir() {
  wchar_t base[MAX_PATH];
  GetTempPathW(MAX_PATH, base);
  static int counter = 0;
  path_ = std::wstring(base) + L"verdalux_docs_" + std::to_wstring(GetCurrentProcessId()) + L"_" +
          std::to_wstring(++counter);
  CreateDirectoryW(path_.c_str(), nullptr);
}

TempDir::~TempDir() {
  // SHFileOperation wants a double-NUL-terminated list.
  std::wstring from = path_ + L'\0';
  SHFILEOPSTRUCTW op{};
  op.wFunc = FO_DELETE;
  op.pFrom = from.c_str();
  op.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
  SHFileOperationW(&op);
}

std::wstring TempDir::Write(const std::wstring& name, const std::vector<uint8_t>& bytes) const {
  const std::wstring full = path_ + L"\\" + name;
  HANDLE h = CreateFileW(full.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (h != INVALID_HANDLE_VALUE) {
    DWORD written = 0;
    if (!bytes.empty()) WriteFile(h, bytes.data(), DWORD(bytes.size()), &written, nullptr);
    CloseHandle(h);
  }
  return full;
}

std::unique_ptr<documents::DocumentContent> Load(documents::DocumentKind kind,
                                                 const std::vector<uint8_t>& bytes) {
  std::unique_ptr<documents::DocumentContent> content;
  if (FAILED(documents::ContentFromBytes(kind, bytes, content))) content.reset();
  return content;
}

std::unique_ptr<testsupport::DibCanvas> DrawWhole(const documents::DocumentContent& c, int width,
                                                  int height) {
  auto canvas = std::make_unique<testsupport::DibCanvas>(width, height);
  c.Draw(canvas->dc(), RECT{0, 0, width, height});
  GdiFlush();
  return canvas;
}

int RowsDifferingInStrips(const documents::DocumentContent& c, int width, int height, int stripRows) {
  const auto whole = DrawWhole(c, width, height);
  int differing = 0;
  for (int done = 0; done < height; done += stripRows) {
    const int rows = std::min(stripRows, height - done);
    testsupport::DibCanvas strip(width, rows);
    c.Draw(strip.dc(), RECT{0, -done, width, height - done});
    GdiFlush();
    for (int y = 0; y < rows; ++y)
      differing += std::memcmp(strip.Row(y), whole->Row(done + y), size_t(width) * 3) != 0;
  }
  return differing;
}

}  // namespace doctest
