// Runs verdalux.exe --render on thousands of byte-mutated sample documents, several
// at a time, and sorts every run by how it ended. Every run must either write
// its picture (exit 0) or say why on standard error and write nothing (exit 1);
// anything else (a silent exit, a crash code, a hang) is kept for a look.
//   cli_stress.exe SAMPLES_FOLDER WORK_FOLDER [RUNS] [PARALLEL] [SEED]
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace {

std::vector<uint8_t> ReadAll(const std::wstring& path) {
  std::ifstream f(std::filesystem::path(path), std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(f), {});
}

bool WriteAll(const std::wstring& path, const std::vector<uint8_t>& bytes) {
  std::ofstream f(std::filesystem::path(path), std::ios::binary | std::ios::trunc);
  f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(f);
}

std::vector<uint8_t> Mutate(std::vector<uint8_t> b, std::mt19937& rng) {
  static const uint32_t kInteresting[] = {0, 1, 2, 0xFF, 0xFFFF, 0x10000, 0x7FFF, 0x8000,
                                          0x7FFFFFFF, 0x80000000u, 0xFFFFFFFFu, 0x00400000};
  if (b.empty()) return b;
  const int edits = 1 + static_cast<int>(rng() % 4);
  for (int e = 0; e < edits; ++e) {
    const size_t at = rng() % b.size();
    switch (rng() % 3) {
      case 0: b[at] = static_cast<uint8_t>(rng()); break;
      case 1: b[at] ^= static_cast<uint8_t>(1u << (rng() % 8)); break;
      default: {
        const size_t aligned = (at & ~size_t(3)) + 4 <= b.size() ? at & ~size_t(3) : 0;
        const uint32_t v = kInteresting[rng() % std::size(kInteresting)];
        if (b.size() >= 4) std::memcpy(&b[aligned], &v, 4);
      }
    }
  }
  return b;
}

struct Run {
  int index = -1;
  std::wstring input, output;
  HANDLE process = nullptr;
  HANDLE errRead = nullptr;
  std::string err;
  DWORD started = 0;
};

struct Tally {
  int drawn = 0, refused = 0, silent = 0, crashed = 0, hung = 0, wrongFile = 0;
};

bool Start(Run& r, const std::wstring& exe) {
  SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
  HANDLE errWrite = nullptr;
  if (!CreatePipe(&r.errRead, &errWrite, &sa, 0)) return false;
  SetHandleInformation(r.errRead, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOW si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdError = errWrite;
  si.hStdOutput = errWrite;
  si.hStdInput = nullptr;
  std::wstring cmd = L"\"" + exe + L"\" --render \"" + r.input + L"\" --out \"" + r.output + L"\" --width 300";
  PROCESS_INFORMATION pi{};
  const BOOL ok = CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi);
  CloseHandle(errWrite);
  if (!ok) return false;
  CloseHandle(pi.hThread);
  r.process = pi.hProcess;
  r.started = GetTickCount();
  return true;
}

void Drain(Run& r) {
  DWORD avail = 0;
  while (PeekNamedPipe(r.errRead, nullptr, 0, nullptr, &avail, nullptr) && avail > 0) {
    char buf[4096];
    DWORD got = 0;
    if (!ReadFile(r.errRead, buf, sizeof buf, &got, nullptr) || got == 0) break;
    r.err.append(buf, got);
  }
}

bool Exists(const std::wstring& p) { return GetFileAttributesW(p.c_str()) != INVALID_FILE_ATTRIBUTES; }

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: cli_stress SAMPLES_FOLDER WORK_FOLDER [RUNS] [PARALLEL] [SEED]\n");
    return 2;
  }
  const std::wstring samples = std::wstring(argv[1]) + L"\\", work = std::wstring(argv[2]) + L"\\";
  const int runs = argc > 3 ? _wtoi(argv[3]) : 1000;
  const int parallel = argc > 4 ? _wtoi(argv[4]) : 3;
  std::mt19937 rng(argc > 5 ? static_cast<unsigned>(_wtoi(argv[5])) : 1u);
  wchar_t self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring exe(self);
  exe = exe.substr(0, exe.find_last_of(L'\\') + 1) + L"verdalux.exe";

  const wchar_t* names[] = {L"drawing.emf", L"drawing.wmf", L"photo.png", L"photo.jpg", L"letter.txt"};
  std::vector<std::vector<uint8_t>> originals;
  for (const wchar_t* n : names) originals.push_back(ReadAll(samples + n));
  CreateDirectoryW(work.c_str(), nullptr);
  const std::wstring keep = work + L"kept\\";
  CreateDirectoryW(keep.c_str(), nullptr);

  Tally t;
  std::vector<Run> active(static_cast<size_t>(parallel));
  int next = 0, done = 0;
  const DWORD begin = GetTickCount();
  while (done < runs) {
    for (auto& r : active) {
      if (r.process || next >= runs) continue;
      const size_t kind = static_cast<size_t>(next) % originals.size();
      const std::wstring name = names[kind];
      r = Run{};
      r.index = next;
      r.input = work + L"in" + std::to_wstring(&r - active.data()) + name.substr(name.find(L'.'));
      r.output = work + L"out" + std::to_wstring(&r - active.data()) + L".bmp";
      DeleteFileW(r.output.c_str());
      WriteAll(r.input, Mutate(originals[kind], rng));
      if (!Start(r, exe)) {
        std::fprintf(stderr, "could not start verdalux.exe (%lu)\n", GetLastError());
        return 1;
      }
      ++next;
    }
    for (auto& r : active) {
      if (!r.process) continue;
      Drain(r);
      if (WaitForSingleObject(r.process, 5) == WAIT_TIMEOUT) {
        if (GetTickCount() - r.started < 60000) continue;
        TerminateProcess(r.process, 0xDEAD);
        WaitForSingleObject(r.process, 5000);
        ++t.hung;
        CopyFileW(r.input.c_str(), (keep + L"hung-" + std::to_wstring(r.index) + L"-" + r.input.substr(work.size())).c_str(), FALSE);
      } else {
        Drain(r);
        DWORD code = 0;
        GetExitCodeProcess(r.process, &code);
        const bool file = Exists(r.output);
        const char* kind = nullptr;
        if (code == 0 && file) {
          ++t.drawn;
        } else if (code == 1 && !r.err.empty() && !file) {
          ++t.refused;
        } else if (code == 1 && r.err.empty()) {
          ++t.silent;
          kind = "silent";
        } else if (code == 0 || code == 1) {
          ++t.wrongFile;
          kind = "wrongfile";
        } else {
          ++t.crashed;
          kind = "crash";
        }
        if (kind) {
          std::fprintf(stderr, "%s: run %d exit 0x%lX: %s\n", kind, r.index, code, r.err.c_str());
          CopyFileW(r.input.c_str(), (keep + std::wstring(kind, kind + std::strlen(kind)) + L"-" + std::to_wstring(r.index) + L"-" + r.input.substr(work.size())).c_str(), FALSE);
        }
      }
      CloseHandle(r.process);
      CloseHandle(r.errRead);
      r.process = nullptr;
      ++done;
      if (done % 500 == 0)
        std::fprintf(stderr, "%d runs, %.0f s\n", done, (GetTickCount() - begin) / 1000.0);
    }
  }
  std::printf("runs %d: drawn %d, refused with a message %d, silent exits %d, crashes %d, hangs %d, "
              "wrong file state %d; %.0f s with %d at a time\n",
              runs, t.drawn, t.refused, t.silent, t.crashed, t.hung, t.wrongFile, (GetTickCount() - begin) / 1000.0,
              parallel);
  return t.silent + t.crashed + t.hung + t.wrongFile == 0 ? 0 : 1;
}
