// Not a test: drives a running verdalux.exe from another process with window
// messages, as a user's clicks would, for screenshots of states that take two
// runs of the program (scripts/screenshot.sh only starts one program).
//   remote.exe [--move X Y] [--left N] [--page N] [--quit]
// Waits up to 30 s for the main window; exit code 1 when it never comes.
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "tests/e2e/remote.h"

namespace {

HWND WaitFor(HWND (*find)(), DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    if (HWND h = find()) return h;
    if (GetTickCount() - start > timeoutMs) return nullptr;
    Sleep(100);
  }
}

HWND QuitQuestion() { return FindWindowW(L"#32770", L"Quit program"); }

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  std::vector<std::wstring> a(argv + 1, argv + argc);
  LocalFree(argv);
  HWND main = WaitFor(e2e::FindAnyMainWindow, 30000);
  if (!main) return 1;
  for (size_t i = 0; i < a.size(); ++i) {
    auto num = [&] { return std::stoi(a.at(++i)); };
    if (a[i] == L"--move") {
      const int x = num(), y = num();
      SetWindowPos(main, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    } else if (a[i] == L"--left") {
      const std::wstring text = std::to_wstring(num());
      SendMessageW(e2e::LeftEdgeEdit(main), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    } else if (a[i] == L"--page") {
      e2e::ShowPage(main, num());
    } else if (a[i] == L"--quit") {
      PostMessageW(main, WM_CLOSE, 0, 0);
      HWND box = WaitFor(QuitQuestion, 15000);
      if (!box) return 1;
      PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
    }
  }
  return 0;
}
