// The file a writer produces: written as a temporary file beside the target
// and renamed over it only when complete, so a failure (a full disk, a folder
// that went away, a name that cannot be made) leaves neither a partial file
// nor the temporary one behind, and an older picture of that name stays.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "toolkit/handles.h"

namespace output {

class TargetFile {
 public:
  // Nothing happens on disk before Open.
  explicit TargetFile(const std::wstring& path);
  ~TargetFile();  // removes the temporary file unless it was renamed into place
  TargetFile(const TargetFile&) = delete;
  TargetFile& operator=(const TargetFile&) = delete;

  // Checks that the target's name can be made and is not a folder or a
  // read-only file, then creates the temporary file in the target's folder.
  bool Open();
  // Appends at the end, or writes at an offset (a stream that seeks back).
  bool Write(const void* data, size_t bytes);
  bool WriteAt(uint64_t offset, const void* data, size_t bytes);
  // Closes the temporary file and renames it over the target.
  bool Commit();

  // Records why the picture could not be written; the first reason stays.
  // Always false, so a failing path can return it.
  bool Fail(DWORD code);
  bool Fail(const std::wstring& reason);
  // A refusal that is a whole message of its own (a picture too large for
  // the format), kept word for word.
  bool Refuse(const std::wstring& message);
  bool Ok() const { return error_.empty(); }
  // "Could not write the picture file "<full path>": <reason>".
  const std::wstring& Error() const { return error_; }

  const std::wstring& Path() const { return target_; }
  const std::wstring& TemporaryPath() const { return temp_; }
  uint64_t Size() const { return size_; }

  // For tests: the write that would pass this many bytes fails as a full disk would.
  void FailAfterBytes(int64_t bytes) { failAfter_ = bytes; }

 private:
  bool CheckTarget();

  std::wstring given_;
  std::wstring target_;
  std::wstring temp_;
  tk::KernelHandle file_;
  std::wstring error_;
  uint64_t size_ = 0;
  int64_t failAfter_ = -1;
  bool committed_ = false;
};

}  // namespace output
