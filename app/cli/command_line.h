// The batch command line of verdalux.exe:
//   verdalux.exe --render DOCUMENT --out PICTURE [options]
//   verdalux.exe --render DOCUMENT... --out-dir FOLDER [--format FORMAT] [options]
// (core::UsageText lists the options.)
#pragma once

namespace cli {

// Runs the command line when the arguments ask for it (any of them starts with
// "--"): sets handled and returns the process exit code. Otherwise handled is
// false and the program goes on to show its window.
int RunCommandLine(int argc, wchar_t** argv, bool& handled);

}  // namespace cli
