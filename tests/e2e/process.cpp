#include "tests/e2e/process.h"

#include <vector>

namespace e2e {

Verdalux::Verdalux(const std::wstring& exeFolder, const std::wstring& args) {
  std::wstring cmd = L"\"" + exeFolder + L"verdalux.exe\"";
  if (!args.empty()) cmd += L" " + args;
  STARTUPINFOW si{sizeof si};
  PROCESS_INFORMATION pi{};
  if (CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, exeFolder.c_str(), &si, &pi)) {
    process_ = pi.hProcess;
    pid_ = pi.dwProcessId;
    CloseHandle(pi.hThread);
  } else {
    startError_ = GetLastError();
  }
}

Verdalux::~Verdalux() {
  if (!process_) return;
  if (WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) {
    TerminateProcess(process_, 99);
    WaitForSingleObject(process_, 5000);
  }
  CloseHandle(process_);
}

namespace {

struct Search {
  DWORD pid;
  const wchar_t* cls;
  const wchar_t* caption;
  HWND found;
};

BOOL CALLBACK FindProc(HWND h, LPARAM lp) {
  auto* s = reinterpret_cast<Search*>(lp);
  DWORD pid = 0;
  GetWindowThreadProcessId(h, &pid);
  if (pid != s->pid || !IsWindowVisible(h)) return TRUE;
  wchar_t cls[64] = {}, text[256] = {};
  GetClassNameW(h, cls, 64);
  GetWindowTextW(h, text, 256);
  if ((!s->cls || wcscmp(cls, s->cls) == 0) && wcscmp(text, s->caption) == 0) {
    s->found = h;
    return FALSE;
  }
  return TRUE;
}

HWND WaitWindow(DWORD pid, const wchar_t* cls, const std::wstring& caption, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  do {
    Search s{pid, cls, caption.c_str(), nullptr};
    EnumWindows(FindProc, reinterpret_cast<LPARAM>(&s));
    if (s.found) return s.found;
    Sleep(100);
  } while (GetTickCount() - start < timeoutMs);
  return nullptr;
}

}  // namespace

HWND Verdalux::WaitMainWindow(DWORD timeoutMs) {
  return WaitWindow(pid_, L"TMainForm", L"Harvik Verdalux 2.0", timeoutMs);
}

HWND Verdalux::WaitDialog(const std::wstring& caption, DWORD timeoutMs) {
  return WaitWindow(pid_, L"#32770", caption, timeoutMs);
}

bool Verdalux::WaitExit(DWORD timeoutMs, DWORD* code) {
  if (!process_ || WaitForSingleObject(process_, timeoutMs) != WAIT_OBJECT_0) return false;
  GetExitCodeProcess(process_, code);
  return true;
}

std::wstring DialogText(HWND dialog) {
  std::wstring all;
  for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    wchar_t cls[32] = {}, text[512] = {};
    GetClassNameW(c, cls, 32);
    if (_wcsicmp(cls, L"Static") != 0) continue;
    GetWindowTextW(c, text, 512);
    all += text;
  }
  return all;
}

void PressButton(HWND dialog, int id) {
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

bool CopyInto(const std::wstring& from, const std::wstring& toFolder, const std::wstring& name) {
  return CopyFileW(from.c_str(), (toFolder + name).c_str(), FALSE) != FALSE;
}


}  // namespace e2e
