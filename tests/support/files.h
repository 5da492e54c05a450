// Files and folders for tests: a scratch folder, whole-file reads and writes,
// and where the test executable and the sample documents are.
#pragma once
#include <windows.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace testsupport {

// A fresh folder under %TEMP% (long path form), removed with everything in it.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  // The folder, without a trailing backslash, and paths inside it.
  const std::wstring& Path() const { return root_; }
  std::wstring Path(const std::wstring& relative) const { return root_ + L"\\" + relative; }
  // Creates a folder or a file inside; returns its full path.
  std::wstring MakeDir(const std::wstring& relative) const;
  std::wstring MakeFile(const std::wstring& relative, size_t bytes = 0) const;
  std::wstring Write(const std::wstring& relative, std::string_view bytes) const;
  std::wstring Write(const std::wstring& relative, const std::vector<uint8_t>& bytes) const;
  std::wstring Write(const std::wstring& relative, std::initializer_list<uint8_t> bytes) const {
    return Write(relative, std::vector<uint8_t>(bytes));
  }
  // Names of the files (not folders) directly inside.
  std::vector<std::wstring> Files() const;

 private:
  std::wstring root_;
};

std::string ReadBytes(const std::wstring& path);
std::vector<uint8_t> ReadByteVector(const std::wstring& path);
bool WriteBytes(const std::wstring& path, std::string_view bytes);
bool Exists(const std::wstring& path);
// Deletes a folder with everything in it, read-only files included.
void RemoveTree(const std::wstring& folder);

// The test executable's folder, with a trailing backslash.
std::wstring ExeFolder();
// A sample document copied into "samples" beside the test executable.
std::wstring SamplePath(const std::wstring& name);

}  // namespace testsupport
