// Helpers of the command line tests: a scratch folder, files read back, samples.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace clitest {

// A fresh folder under the temporary folder, removed with its files.
class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  std::wstring Path(const std::wstring& name) const { return path_ + L"\\" + name; }
  const std::wstring& path() const { return path_; }
  // Names of the files in the folder.
  std::vector<std::wstring> Files() const;
  void Write(const std::wstring& name, const std::string& bytes) const;

 private:
  std::wstring path_;
};

std::vector<uint8_t> ReadFileBytes(const std::wstring& path);
bool FileExists(const std::wstring& path);

// The text as the command line prints it: UTF-8 and a line break.
std::string ToUtf8Line(const std::wstring& text);

// A sample document copied beside the test executable.
std::wstring SamplePath(const std::wstring& name);

// A BMP file as read back: header fields and the pixel rows.
struct BmpFile {
  bool valid = false;
  BITMAPFILEHEADER file{};
  BITMAPINFOHEADER info{};
  std::vector<uint8_t> pixels;  // bottom row first, rows padded to 4 bytes
  const uint8_t* Pixel(int x, int yFromTop) const;
};
BmpFile ReadBmp(const std::wstring& path);

}  // namespace clitest
