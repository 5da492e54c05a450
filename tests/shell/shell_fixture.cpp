#include "tests/shell/shell_fixture.h"

#include "tests/support/pixels.h"

namespace shelltest {
namespace {

void RemoveTree(const std::wstring& path) {
  WIN32_FIND_DATAW fd;
  HANDLE h = ::FindFirstFileW((path + L"\\*").c_str(), &fd);
  if (h != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = fd.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring child = path + L"\\" + name;
      if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        RemoveTree(child);
      else
        ::DeleteFileW(child.c_str());
    } while (::FindNextFileW(h, &fd));
    ::FindClose(h);
  }
  ::RemoveDirectoryW(path.c_str());
}

}  // namespace

TempFolder::TempFolder() {
  wchar_t tmp[MAX_PATH], longTmp[MAX_PATH];
  ::GetTempPathW(MAX_PATH, tmp);
  if (!::GetLongPathNameW(tmp, longTmp, MAX_PATH)) ::wcscpy(longTmp, tmp);
  std::wstring base = longTmp;
  if (!base.empty() && base.back() == L'\\') base.pop_back();
  for (unsigned n = ::GetCurrentProcessId() * 1000 + ::GetTickCount() % 1000;; ++n) {
    root_ = base + L"\\vdx_shell_" + std::to_wstring(n);
    if (::CreateDirectoryW(root_.c_str(), nullptr)) break;
    if (::GetLastError() != ERROR_ALREADY_EXISTS) break;
  }
}

TempFolder::~TempFolder() { RemoveTree(root_); }

std::wstring TempFolder::MakeDir(const std::wstring& relative) const {
  const std::wstring p = Path(relative);
  EXPECT_TRUE(::CreateDirectoryW(p.c_str(), nullptr)) << U8(p);
  return p;
}

std::wstring TempFolder::MakeFile(const std::wstring& relative, size_t bytes) const {
  const std::wstring p = Path(relative);
  HANDLE h = ::CreateFileW(p.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  EXPECT_NE(h, INVALID_HANDLE_VALUE) << U8(p);
  if (h == INVALID_HANDLE_VALUE) return p;
  std::string data(bytes, 'x');
  DWORD written = 0;
  if (bytes) ::WriteFile(h, data.data(), static_cast<DWORD>(bytes), &written, nullptr);
  ::CloseHandle(h);
  return p;
}

bool Exists(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool WaitFor(const std::function<bool()>& pred, DWORD timeoutMs) {
  const ULONGLONG end = ::GetTickCount64() + timeoutMs;
  while (!pred()) {
    if (::GetTickCount64() > end) return false;
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    testsupport::PumpMessages();
  }
  return true;
}

void PressKey(HWND target, UINT vk) {
  const UINT scan = ::MapVirtualKeyW(vk, MAPVK_VK_TO_VSC);
  ::PostMessageW(target, WM_KEYDOWN, vk, 1 | (scan << 16));
  testsupport::PumpMessages();  // TranslateMessage turns the key down into WM_CHAR
  ::PostMessageW(target, WM_KEYUP, vk, 1 | (scan << 16) | (1u << 30) | (1u << 31));
  testsupport::PumpMessages();
}

std::string U8(const std::wstring& w) {
  const int n = ::WideCharToMultiByte(CP_UTF8, 0, w.c_str(), static_cast<int>(w.size()), nullptr, 0, nullptr, nullptr);
  std::string s(n > 0 ? n : 0, '\0');
  if (n > 0) ::WideCharToMultiByte(CP_UTF8, 0, w.c_str(), static_cast<int>(w.size()), s.data(), n, nullptr, nullptr);
  return s;
}

void ShellTest::SetUp() {
  ASSERT_TRUE(Exists(temp.Path())) << "no temporary folder";
  form = std::make_unique<tk::TForm>(L"VerdaluxShellTestForm", L"shell test", 640, 400, tk::TFont{L"Segoe UI", -12});
  form->Show();
}

void ShellTest::TearDown() {
  form.reset();
  testsupport::PumpMessages();
}

}  // namespace shelltest
