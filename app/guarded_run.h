// The outermost guard of the program: whatever escapes the command line or
// the window is reported before the process ends, never swallowed.
#pragma once
#include <functional>
#include <string>

namespace app {

using ErrorSink = std::function<void(const std::wstring& line)>;

// Runs body and returns its exit code. An exception escaping it gives exit
// code 1 and one line saying what failed: sent to batchErrors when the program
// runs as a command line, shown in an error message box otherwise.
int RunGuarded(bool batch, const std::function<int()>& body, const ErrorSink& batchErrors);

}  // namespace app
