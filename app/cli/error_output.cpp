#include "app/cli/error_output.h"

#include <windows.h>

#include "toolkit/handles.h"

namespace cli {
namespace {

bool Usable(HANDLE h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }

void WriteTo(HANDLE h, const std::wstring& text) {
  DWORD mode = 0;
  DWORD done = 0;
  if (GetConsoleMode(h, &mode)) {
    WriteConsoleW(h, text.data(), static_cast<DWORD>(text.size()), &done, nullptr);
    return;
  }
  const std::string utf8 = ToUtf8(text);
  WriteFile(h, utf8.data(), static_cast<DWORD>(utf8.size()), &done, nullptr);
}

}  // namespace

std::string ToUtf8(const std::wstring& text) {
  if (text.empty()) return {};
  const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                    nullptr);
  std::string s(n > 0 ? n : 0, '\0');
  if (n > 0)
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), s.data(), n, nullptr, nullptr);
  return s;
}

bool StandardErrorIsTerminal() {
  DWORD mode = 0;
  const HANDLE h = GetStdHandle(STD_ERROR_HANDLE);
  return Usable(h) && GetConsoleMode(h, &mode);
}

void WriteToStandardError(const std::wstring& text) {
  const HANDLE inherited = GetStdHandle(STD_ERROR_HANDLE);
  if (Usable(inherited)) {
    WriteTo(inherited, text);
    return;
  }
  // Started from a console without redirection: a GUI program gets no handles,
  // but may attach to its parent's console and write there.
  if (!AttachConsole(ATTACH_PARENT_PROCESS) && GetLastError() != ERROR_ACCESS_DENIED) return;
  tk::KernelHandle console(CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                       nullptr, OPEN_EXISTING, 0, nullptr));
  if (Usable(console.get()))
    WriteTo(console.get(), text);
  else
    console.release();  // INVALID_HANDLE_VALUE is nothing to close
}

}  // namespace cli
