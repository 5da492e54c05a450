// Writing a 24-bit picture as a BMP file, streamed from its rows into a
// temporary file beside the target and renamed into place only when complete,
// so a failure never leaves a partial, empty or clobbered file behind.
#pragma once
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

#include "core/bmp_layout.h"
#include "render/renderer/pixel_rows.h"
#include "toolkit/handles.h"

namespace cli {

// The file's layout (headers, stride, the 4 GB limit) is the core's.
using core::MakeBmpLayout;

class BmpFileWriter {
 public:
  // Creates the temporary file in the target's folder; see Ok and Error.
  explicit BmpFileWriter(const std::wstring& path);
  ~BmpFileWriter();  // removes the temporary file unless it was renamed into place
  BmpFileWriter(const BmpFileWriter&) = delete;
  BmpFileWriter& operator=(const BmpFileWriter&) = delete;

  bool Ok() const { return error_.empty(); }
  const std::wstring& Error() const { return error_; }
  const std::wstring& TemporaryPath() const { return temp_; }

  // Writes the header bytes and every row, bottom row first, then renames the file
  // into place. False with Error() set on any failure; the target is untouched.
  bool Write(const render::RowImage& image);

  // For tests: the write after this many bytes fails as a full disk would.
  void FailAfterBytes(int64_t bytes) { failAfter_ = bytes; }

 private:
  bool Put(const void* data, size_t bytes);
  bool Fail(DWORD code);

  std::wstring target_;
  std::wstring temp_;
  tk::KernelHandle file_;
  std::wstring error_;
  int64_t written_ = 0;
  int64_t failAfter_ = -1;
  bool committed_ = false;
};

// The system's text for an error code, without the trailing line break.
std::wstring SystemMessage(DWORD code);

}  // namespace cli
