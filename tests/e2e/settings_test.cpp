// The real program started twice: what the user changed in the first run
// (the window's place, a border percentage) is in verdalux.INI in the Windows
// folder afterwards and on the screen in the second run.
#include <gtest/gtest.h>

#include "tests/e2e/process.h"
#include "tests/e2e/remote.h"
#include "tests/support/stored_settings.h"

namespace {

void QuitWithOk(e2e::Verdalux& v, HWND main) {
  PostMessageW(main, WM_CLOSE, 0, 0);
  HWND box = v.WaitDialog(L"Quit program");
  ASSERT_NE(box, nullptr) << "no quit question";
  e2e::PressButton(box, IDOK);
  DWORD code = 1;
  ASSERT_TRUE(v.WaitExit(15000, &code));
  EXPECT_EQ(code, 0u);
}

}  // namespace

TEST(EndToEnd, TheNextStartShowsTheWindowWhereItWasAndTheBorderAsItWasSet) {
  const std::wstring ini = testsupport::WindowsFolderPath(L"verdalux.INI");
  {
    e2e::Verdalux v(e2e::BinFolder());
    HWND main = v.WaitMainWindow();
    ASSERT_NE(main, nullptr);
    EXPECT_FALSE(testsupport::Exists(ini)) << "a first start";
    HWND left = e2e::LeftEdgeEdit(main);
    ASSERT_NE(left, nullptr);
    EXPECT_EQ(e2e::WindowText(left), L"5");
    SendMessageW(left, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"12"));
    SetWindowPos(main, nullptr, 60, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    QuitWithOk(v, main);
  }
  const auto lines = testsupport::IniSection(ini, "TMainForm");
  EXPECT_EQ(testsupport::IniValue(lines, "randl_Value"), "12");
  EXPECT_EQ(testsupport::IniValue(lines, "NormPos").rfind("60,40,", 0), 0u) << testsupport::IniValue(lines, "NormPos");
  EXPECT_EQ(testsupport::IniValue(lines, "Visible"), "0");

  e2e::Verdalux v(e2e::BinFolder());
  HWND main = v.WaitMainWindow();
  ASSERT_NE(main, nullptr);
  RECT r;
  GetWindowRect(main, &r);
  EXPECT_EQ(r.left, 60);
  EXPECT_EQ(r.top, 40);
  EXPECT_EQ(e2e::WindowText(e2e::LeftEdgeEdit(main)), L"12");
  QuitWithOk(v, main);
}
