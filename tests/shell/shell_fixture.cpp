#include "tests/shell/shell_fixture.h"

#include "tests/support/pixels.h"

namespace shelltest {


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
