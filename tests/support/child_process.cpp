#include "tests/support/child_process.h"

#include <atomic>
#include <chrono>
#include <thread>

#include "toolkit/handles.h"

namespace testsupport {
namespace {

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

}  // namespace

ChildRun RunChild(const std::wstring& exe, const std::wstring& arguments, const std::wstring& folder, DWORD silenceMs) {
  ChildRun run;
  HANDLE r = nullptr, w = nullptr;
  SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
  if (!CreatePipe(&r, &w, &sa, 0)) return run;
  tk::KernelHandle read(r), write(w);
  SetHandleInformation(read.get(), HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOW si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdError = write.get();
  si.hStdOutput = write.get();
  si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  PROCESS_INFORMATION pi{};
  std::wstring cmd = Quoted(exe) + L" " + arguments;
  const Clock::time_point start = Clock::now();
  if (!CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, TRUE, 0, nullptr, folder.c_str(), &si, &pi)) return run;
  run.started = true;
  tk::KernelHandle process(pi.hProcess), thread(pi.hThread);
  write.reset();  // the child holds the only write end now

  // The pipe is read on a thread of its own, so a child that stops writing
  // without ending cannot hold this one up; what it collects is read after join.
  std::atomic<int64_t> lastWrite{0};  // milliseconds from the start
  std::thread reader([&] {
    char buf[4096];
    DWORD n = 0;
    while (ReadFile(read.get(), buf, sizeof buf, &n, nullptr) && n > 0) {
      const double at = SecondsSince(start);
      for (DWORD i = 0; i < n; ++i)
        if (buf[i] == '\n') run.lineSeconds.push_back(at);
      run.output.append(buf, n);
      lastWrite = int64_t(at * 1000);
    }
  });
  for (;;) {
    if (WaitForSingleObject(process.get(), 50) == WAIT_OBJECT_0) {
      run.ended = GetExitCodeProcess(process.get(), &run.code) != 0;
      break;
    }
    if (int64_t(SecondsSince(start) * 1000) - lastWrite > int64_t(silenceMs)) {
      TerminateProcess(process.get(), 99);
      WaitForSingleObject(process.get(), INFINITE);
      break;
    }
  }
  run.seconds = SecondsSince(start);
  reader.join();  // the pipe breaks once the child is gone
  return run;
}

}  // namespace testsupport
