#include "tests/print/ghostscript.h"

#include <windows.h>

#include <cctype>
#include <cstdlib>

#include "tests/support/files.h"

namespace printtest {
namespace {

using UnixNameFn = char*(CDECL*)(const wchar_t*);
using DosNameFn = wchar_t*(CDECL*)(const char*);

const char kShell[] = "/bin/sh";
const char kGhostscript[] = "/usr/bin/gs";

std::string Narrow(const std::wstring& w) {
  const int n = ::WideCharToMultiByte(CP_UTF8, 0, w.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string s(n > 0 ? n - 1 : 0, '\0');
  if (n > 1) ::WideCharToMultiByte(CP_UTF8, 0, w.c_str(), -1, s.data(), n, nullptr, nullptr);
  return s;
}

std::wstring Widen(const std::string& s) {
  const int n = ::MultiByteToWideChar(CP_UTF8, 0, s.c_str(), -1, nullptr, 0);
  std::wstring w(n > 0 ? n - 1 : 0, L'\0');
  if (n > 1) ::MultiByteToWideChar(CP_UTF8, 0, s.c_str(), -1, w.data(), n);
  return w;
}

// Wine's own conversions between Windows and Unix file names; absent on Windows.
std::optional<std::string> UnixName(const std::wstring& dos) {
  auto fn = reinterpret_cast<UnixNameFn>(
      reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
  if (!fn) return std::nullopt;
  char* name = fn(dos.c_str());
  if (!name) return std::nullopt;
  std::string s = name;
  ::HeapFree(::GetProcessHeap(), 0, name);
  return s;
}

}  // namespace

std::optional<std::wstring> WindowsPathOf(const std::string& unixPath) {
  const char* unix = unixPath.c_str();
  auto fn = reinterpret_cast<DosNameFn>(
      reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "wine_get_dos_file_name")));
  if (!fn) return std::nullopt;
  wchar_t* name = fn(unix);
  if (!name) return std::nullopt;
  std::wstring s = name;
  ::HeapFree(::GetProcessHeap(), 0, name);
  return s;
}

namespace {

std::wstring FolderOf(const std::wstring& path) { return path.substr(0, path.find_last_of(L'\\')); }
std::wstring NameOf(const std::wstring& path) { return path.substr(path.find_last_of(L'\\') + 1); }

// Reads a binary PPM (P6, maxval 255); comment lines may sit in its header.
std::optional<Raster> ReadPpm(const std::string& bytes, std::string* error) {
  size_t at = 0;
  const auto token = [&]() -> std::string {
    while (at < bytes.size()) {
      if (bytes[at] == '#') {
        while (at < bytes.size() && bytes[at] != '\n') ++at;
      } else if (std::isspace(static_cast<unsigned char>(bytes[at]))) {
        ++at;
      } else {
        break;
      }
    }
    const size_t begin = at;
    while (at < bytes.size() && !std::isspace(static_cast<unsigned char>(bytes[at]))) ++at;
    return bytes.substr(begin, at - begin);
  };
  const std::string magic = token();
  const int width = std::atoi(token().c_str()), height = std::atoi(token().c_str());
  const int maxval = std::atoi(token().c_str());
  if (magic != "P6" || maxval != 255 || width <= 0 || height <= 0) {
    *error = "Ghostscript's output is not a 24-bit PPM raster";
    return std::nullopt;
  }
  const size_t start = at + 1;  // one whitespace byte ends the header
  const size_t size = size_t(width) * size_t(height) * 3;
  if (bytes.size() < start + size) {
    *error = "Ghostscript's raster is shorter than its header says";
    return std::nullopt;
  }
  Raster r;
  r.width = width;
  r.height = height;
  r.rgb.assign(bytes.begin() + static_cast<ptrdiff_t>(start), bytes.begin() + static_cast<ptrdiff_t>(start + size));
  return r;
}

}  // namespace

std::optional<Raster> Rasterise(const std::wstring& postScriptFile, int dpi, std::string* error) {
  const std::optional<std::wstring> shell = WindowsPathOf(kShell);
  const std::optional<std::wstring> gs = WindowsPathOf(kGhostscript);
  const std::optional<std::string> unixFolder = UnixName(FolderOf(postScriptFile));
  if (!shell || !gs || !unixFolder) {
    *error = "not running under Wine: the Linux Ghostscript cannot be reached";
    return std::nullopt;
  }
  if (!testsupport::Exists(*gs)) {
    *error = "Ghostscript is not installed at /usr/bin/gs (scripts/setup.sh installs it)";
    return std::nullopt;
  }
  const std::wstring folder = FolderOf(postScriptFile), name = NameOf(postScriptFile);
  const std::wstring script = folder + L"\\" + name + L".gs.sh", done = folder + L"\\" + name + L".rc";
  const std::wstring ppm = folder + L"\\" + name + L".ppm", log = folder + L"\\" + name + L".log";
  ::DeleteFileW(done.c_str());
  const std::string n = Narrow(name);
  const std::string text = "PATH=/usr/bin:/bin\ncd '" + *unixFolder + "' || exit 1\n" + kGhostscript +
                           " -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=ppmraw -r" + std::to_string(dpi) +
                           " -sOutputFile='" + n + ".ppm' '" + n + "' >'" + n + ".log' 2>&1\necho $? >'" + n +
                           ".rc.part' && mv '" + n + ".rc.part' '" + n + ".rc'\n";
  if (!testsupport::WriteBytes(script, text)) {
    *error = "could not write the Ghostscript script";
    return std::nullopt;
  }
  std::wstring commandLine = L"sh \"" + Widen(*unixFolder) + L"/" + name + L".gs.sh\"";
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!::CreateProcessW(shell->c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
    *error = "Wine could not start /bin/sh for Ghostscript, error " + std::to_string(::GetLastError());
    return std::nullopt;
  }
  if (pi.hProcess) ::CloseHandle(pi.hProcess);
  if (pi.hThread) ::CloseHandle(pi.hThread);
  // A generous bound only so that a hung Ghostscript ends the test.
  for (int waited = 0; !testsupport::Exists(done); waited += 50) {
    if (waited > 180'000) {
      *error = "Ghostscript did not finish";
      return std::nullopt;
    }
    ::Sleep(50);
  }
  const std::string rc = testsupport::ReadBytes(done);
  if (std::atoi(rc.c_str()) != 0 || rc.empty()) {
    *error = "Ghostscript failed (exit " + rc + "): " + testsupport::ReadBytes(log);
    return std::nullopt;
  }
  std::optional<Raster> raster = ReadPpm(testsupport::ReadBytes(ppm), error);
  ::DeleteFileW(ppm.c_str());
  return raster;
}

}  // namespace printtest
