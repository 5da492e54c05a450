// Helpers of the command line tests: a scratch folder, files read back, samples.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app/cli/batch_render.h"
#include "tests/support/files.h"

namespace clitest {

using ScratchFolder = testsupport::TempDir;
inline std::vector<uint8_t> ReadFileBytes(const std::wstring& path) { return testsupport::ReadByteVector(path); }
inline bool FileExists(const std::wstring& path) { return testsupport::Exists(path); }

// The text as the command line prints it: UTF-8 and a line break.
std::string ToUtf8Line(const std::wstring& text);

using testsupport::SamplePath;

// A BMP file as read back: header fields and the pixel rows.
struct BmpFile {
  bool valid = false;
  BITMAPFILEHEADER file{};
  BITMAPINFOHEADER info{};
  std::vector<uint8_t> pixels;  // bottom row first, rows padded to 4 bytes
  const uint8_t* Pixel(int x, int yFromTop) const;
};
BmpFile ReadBmp(const std::wstring& path);

// A batch run in this process, with what it wrote to its console.
struct BatchRun {
  int code = -1;
  std::wstring text;                // everything written, as written
  std::vector<std::wstring> lines;  // the text split at line breaks
};
BatchRun Batch(const cli::CliOptions& options, const cli::BatchHooks& hooks = {}, bool terminal = false);

// Options for one document into one picture, its format taken from the extension.
cli::CliOptions Options(const std::wstring& document, const std::wstring& out);

// A picture's size and resolution as the platform's decoder reads them.
struct PictureInfo {
  bool ok = false;
  uint32_t width = 0, height = 0;
  double dpiX = 0;
};
PictureInfo ReadPictureInfo(const std::wstring& path);

}  // namespace clitest
