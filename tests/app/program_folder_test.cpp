#include <windows.h>

#include <gtest/gtest.h>

#include "app/program_folder.h"

TEST(ProgramFolder, FolderPartKeepsOneTrailingBackslash) {
  EXPECT_EQ(app::FolderOf(L"C:\\a\\b.exe"), L"C:\\a\\");
  EXPECT_EQ(app::FolderOf(L"C:\\b.exe"), L"C:\\");
  EXPECT_EQ(app::FolderOf(L"b.exe"), L"");
  EXPECT_EQ(app::WithTrailingBackslash(L"C:\\a"), L"C:\\a\\");
  EXPECT_EQ(app::WithTrailingBackslash(L"C:\\a\\"), L"C:\\a\\");
  EXPECT_EQ(app::WithTrailingBackslash(L""), L"\\");
}

TEST(ProgramFolder, IsTheFolderOfThisExecutable) {
  wchar_t path[MAX_PATH];
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  const std::wstring folder = app::ExecutableFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_EQ(folder.back(), L'\\');
  EXPECT_EQ(std::wstring(path).rfind(folder, 0), 0u);
  EXPECT_EQ(std::wstring(path).find(L'\\', folder.size()), std::wstring::npos);
}
