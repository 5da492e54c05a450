// The real program, started as its own process, found by its caption and
// closed through the quit question as a user would.
#include <gtest/gtest.h>

#include "tests/e2e/process.h"

namespace {

// Asks to close; answers the quit question with `answer`; returns the dialog text.
std::wstring CloseAndAnswer(e2e::Verdalux& v, HWND main, int answer) {
  PostMessageW(main, WM_CLOSE, 0, 0);
  HWND box = v.WaitDialog(L"Quit program");
  if (!box) return L"<no quit question>";
  std::wstring text = e2e::DialogText(box);
  e2e::PressButton(box, answer);
  return text;
}

void StartAndQuit(const std::wstring& folder) {
  e2e::Verdalux v(folder);
  ASSERT_TRUE(v.Started()) << "could not start verdalux.exe";
  HWND main = v.WaitMainWindow();
  ASSERT_NE(main, nullptr) << "no main window";

  EXPECT_EQ(CloseAndAnswer(v, main, IDCANCEL), L"Hereby you quit Verdalux!");
  DWORD code = 0;
  EXPECT_FALSE(v.WaitExit(1000, &code)) << "Cancel must keep Verdalux running";
  EXPECT_TRUE(IsWindow(main));

  EXPECT_EQ(CloseAndAnswer(v, main, IDOK), L"Hereby you quit Verdalux!");
  ASSERT_TRUE(v.WaitExit(15000, &code)) << "OK must end the program";
  EXPECT_EQ(code, 0u);
}

// A fresh folder under %TEMP% holding the program and its library.
std::wstring MakeCopy(const std::wstring& name) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  std::wstring folder = std::wstring(temp) + name + L"\\";
  e2e::RemoveTree(folder);
  CreateDirectoryW(folder.c_str(), nullptr);
  const std::wstring bin = e2e::BinFolder();
  if (!e2e::CopyInto(bin + L"verdalux.exe", folder, L"verdalux.exe") ||
      !e2e::CopyInto(bin + L"Pictrix.dll", folder, L"Pictrix.dll"))
    return L"";
  return folder;
}

}  // namespace

TEST(EndToEnd, StartsShowsTheMainWindowAndQuitsThroughTheQuestion) {
  StartAndQuit(e2e::BinFolder());
}

TEST(EndToEnd, StartsFromAFolderWithNonAsciiCharacters) {
  const std::wstring folder = MakeCopy(L"Verdalux \u00C4\u00D6\u00DC \u00E9 \u65E5\u672C");
  ASSERT_FALSE(folder.empty());
  StartAndQuit(folder);
  e2e::RemoveTree(folder);
}

TEST(EndToEnd, StartsFromAReadOnlyFolder) {
  const std::wstring folder = MakeCopy(L"Verdalux read-only");
  ASSERT_FALSE(folder.empty());
  SetFileAttributesW((folder + L"verdalux.exe").c_str(), FILE_ATTRIBUTE_READONLY);
  SetFileAttributesW((folder + L"Pictrix.dll").c_str(), FILE_ATTRIBUTE_READONLY);
  SetFileAttributesW(folder.c_str(), FILE_ATTRIBUTE_READONLY);
  StartAndQuit(folder);
  SetFileAttributesW(folder.c_str(), FILE_ATTRIBUTE_NORMAL);
  SetFileAttributesW((folder + L"verdalux.exe").c_str(), FILE_ATTRIBUTE_NORMAL);
  SetFileAttributesW((folder + L"Pictrix.dll").c_str(), FILE_ATTRIBUTE_NORMAL);
  e2e::RemoveTree(folder);
}

TEST(EndToEnd, DoesNotStartWithoutTheRasterLibrary) {
  const std::wstring folder = MakeCopy(L"Verdalux without library");
  ASSERT_FALSE(folder.empty());
  DeleteFileW((folder + L"Pictrix.dll").c_str());
  {
    // Windows creates the process and its loader ends it before any of the
    // program's code runs; a loader may also refuse at creation. Either way the
    // missing library is the reason and no window appears.
    e2e::Verdalux v(folder);
    if (v.Started()) {
      EXPECT_EQ(v.WaitMainWindow(3000), nullptr);
      DWORD code = 0;
      ASSERT_TRUE(v.WaitExit(15000, &code)) << "the process must end by itself";
      EXPECT_EQ(code, 0xC0000135u) << "STATUS_DLL_NOT_FOUND";
    } else {
      EXPECT_TRUE(v.StartError() == ERROR_DLL_NOT_FOUND || v.StartError() == ERROR_MOD_NOT_FOUND)
          << "CreateProcess failed with " << v.StartError();
    }
  }
  e2e::RemoveTree(folder);
}
