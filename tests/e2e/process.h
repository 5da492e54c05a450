// Starting the real verdalux.exe and finding its windows, for end-to-end tests.
#pragma once
#include <windows.h>

#include <string>

#include "tests/support/files.h"

namespace e2e {

// The folder of this test executable, which also holds verdalux.exe and Pictrix.dll.
inline std::wstring BinFolder() { return testsupport::ExeFolder(); }

class Verdalux {
 public:
  // Starts exeFolder\verdalux.exe with exeFolder as working folder.
  explicit Verdalux(const std::wstring& exeFolder, const std::wstring& args = L"");
  ~Verdalux();  // kills the process if it is still running
  Verdalux(const Verdalux&) = delete;
  Verdalux& operator=(const Verdalux&) = delete;

  bool Started() const { return process_ != nullptr; }
  // CreateProcess's error when the process could not be created.
  DWORD StartError() const { return startError_; }
  // Waits for the main window; nullptr after the timeout.
  HWND WaitMainWindow(DWORD timeoutMs = 30000);
  // Waits for a top-level dialog of this process with the given caption.
  HWND WaitDialog(const std::wstring& caption, DWORD timeoutMs = 15000);
  // True when the process has ended within the timeout; its exit code in *code.
  bool WaitExit(DWORD timeoutMs, DWORD* code);
  DWORD Pid() const { return pid_; }

 private:
  HANDLE process_ = nullptr;
  DWORD pid_ = 0;
  DWORD startError_ = 0;
};

// The text of a message box: the concatenated texts of its static controls.
std::wstring DialogText(HWND dialog);
// Presses the dialog's button with the given id (IDOK, IDCANCEL).
void PressButton(HWND dialog, int id);

// Copies a file; false on failure.
bool CopyInto(const std::wstring& from, const std::wstring& toFolder, const std::wstring& name);
using testsupport::RemoveTree;

}  // namespace e2e
