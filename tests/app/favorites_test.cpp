// The favourites file on disk: ANSI conversion, reading and writing whole
// files, and failures. The line format itself is tested in the core.
#include <windows.h>

#include <gtest/gtest.h>

#include <random>

#include "app/favorites_file.h"
#include "tests/support/files.h"

namespace {

using testsupport::ReadBytes;
using testsupport::WriteBytes;

}  // namespace

TEST(FavoritesFile, RoundTripThroughTheFileIsByteExact) {
  testsupport::TempDir temp;
  const std::wstring dir = temp.Path() + L"\\";
  const std::wstring file = dir + L"folders.dat";
  const std::vector<std::wstring> entries{L"C:\\windows\\", L"", L"Z:\\tmp\\caf\u00E9\\"};
  ASSERT_TRUE(app::SaveFavorites(file, entries));
  std::string expected = "C:\\windows\\\r\n\r\nZ:\\tmp\\caf";
  expected += app::AnsiToWide("\xE9") == L"\u00E9" ? "\xE9" : "";
  if (GetACP() == 1252) {
    EXPECT_EQ(ReadBytes(file), expected + "\\\r\n");
  }
  std::vector<std::wstring> back;
  ASSERT_TRUE(app::LoadFavorites(file, back));
  if (GetACP() == 1252) {
    EXPECT_EQ(back, entries);
  }
  EXPECT_EQ(back.size(), 3u);
}

TEST(FavoritesFile, MissingOrReadOnlyFilesFailQuietly) {
  testsupport::TempDir temp;
  const std::wstring dir = temp.Path() + L"\\";
  const std::wstring file = dir + L"folders.dat";
  DeleteFileW(file.c_str());
  std::vector<std::wstring> list{L"left over"};
  EXPECT_FALSE(app::LoadFavorites(file, list));
  EXPECT_TRUE(list.empty());

  WriteBytes(file, "C:\\old\\\r\n");
  // A file another program holds open without write sharing cannot be
  // rewritten. (A read-only attribute is no obstacle to root, as Wine runs here.)
  HANDLE lock = CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(app::SaveFavorites(file, {L"C:\\new\\"}));
  CloseHandle(lock);
  EXPECT_EQ(ReadBytes(file), "C:\\old\\\r\n");
}

TEST(FavoritesFile, HugeBinaryFileLoads) {
  testsupport::TempDir temp;
  const std::wstring dir = temp.Path() + L"\\";
  const std::wstring file = dir + L"folders.dat";
  std::mt19937 rng(42);
  std::string bytes;
  bytes.reserve(10u << 20);
  size_t crs = 0;
  while (bytes.size() < (10u << 20)) {
    // Mostly long lines of arbitrary bytes (NUL included), never Ctrl-Z.
    const size_t len = rng() % 300000;
    for (size_t i = 0; i < len; ++i) {
      char c = static_cast<char>(rng() % 256);
      if (c == '\x1A' || c == '\r') c = 'x';
      bytes.push_back(c);
    }
    bytes += "\r\n";
    ++crs;
  }
  WriteBytes(file, bytes);
  std::vector<std::wstring> entries;
  ASSERT_TRUE(app::LoadFavorites(file, entries));
  EXPECT_EQ(entries.size(), crs);
}

TEST(FavoritesFile, AFolderTheCodePageCannotHoldNeverBecomesAnotherFolder) {
  testsupport::TempDir temp;
  const std::wstring dir = temp.Path() + L"\\";
  const std::wstring folder = dir + L"Ordner \u65E5\u672C \u0416\\";
  CreateDirectoryW(folder.c_str(), nullptr);
  std::string ansi;
  const bool written = app::FolderToAnsi(folder, ansi);
  RecordProperty("code_page", static_cast<int>(GetACP()));
  RecordProperty("written_as", written ? ansi : std::string("<left out>"));
  if (written) {
    // Written as a name that leads back to the very same folder.
    const std::wstring back = app::AnsiToWide(ansi);
    wchar_t longName[MAX_PATH] = {};
    ASSERT_GT(GetLongPathNameW(back.c_str(), longName, MAX_PATH), 0u) << "written name does not exist";
    EXPECT_EQ(_wcsicmp(longName, folder.c_str()), 0);
  }
  // Either way the file never names a different folder.
  const std::wstring file = dir + L"folders.dat";
  ASSERT_TRUE(app::SaveFavorites(file, {folder, L"C:\\"}));
  std::vector<std::wstring> back;
  ASSERT_TRUE(app::LoadFavorites(file, back));
  ASSERT_GE(back.size(), 1u);
  EXPECT_EQ(back.back(), L"C:\\");
  for (const auto& e : back) {
    if (e == L"C:\\") continue;
    wchar_t longName[MAX_PATH] = {};
    ASSERT_GT(GetLongPathNameW(e.c_str(), longName, MAX_PATH), 0u);
    EXPECT_EQ(_wcsicmp(longName, folder.c_str()), 0);
  }
}
