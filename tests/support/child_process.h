// A program run as a child process with its standard output and error caught
// in one pipe, and ended when it stays silent for too long.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace testsupport {

struct ChildRun {
  bool started = false;
  bool ended = false;  // false when it was still running at the limit and was terminated
  DWORD code = 0;      // its exit code when it ended
  std::string output;  // everything written, as written
  std::vector<double> lineSeconds;  // when each line break arrived, in seconds from the start
  double seconds = 0;               // until it ended or was terminated
};

// Runs `exe` with `arguments` (quoted as a command line needs) in `folder`.
// The child is terminated once it has written nothing for `silenceMs`: for a
// program that writes only at its end that limits its whole run, for one that
// writes a line per document it limits each document.
ChildRun RunChild(const std::wstring& exe, const std::wstring& arguments, const std::wstring& folder, DWORD silenceMs);

// An argument in double quotes, for paths with spaces.
inline std::wstring Quoted(const std::wstring& argument) { return L"\"" + argument + L"\""; }

}  // namespace testsupport
