// The BMP writer: header fields, rows in file order, the 4 GB limit, and no
// trace on disk of a write that failed.
#include <gtest/gtest.h>

#include <cstring>

#include "app/cli/bmp_file.h"
#include "tests/cli/cli_fixtures.h"

using namespace cli;
using clitest::ScratchFolder;

namespace {

// A w x h picture whose byte i of row y is (y * 31 + i) mod 251, with `stride` bytes per row.
std::vector<uint8_t> Pattern(int w, int h, int64_t stride) {
  std::vector<uint8_t> bytes(size_t(stride * h), 0xCD);
  for (int y = 0; y < h; ++y)
    for (int i = 0; i < 3 * w; ++i) bytes[size_t(y * stride + i)] = uint8_t((y * 31 + i) % 251);
  return bytes;
}

}  // namespace

TEST(BmpFile, HeadersOfABottomUp24BitPicture) {
  const auto l = MakeBmpLayout(999, 3);
  ASSERT_TRUE(l);
  EXPECT_EQ(l->file.bfType, 0x4D42);
  EXPECT_EQ(l->file.bfOffBits, 54u);
  EXPECT_EQ(l->file.bfSize, 54u + 3000u * 3u);
  EXPECT_EQ(l->info.biSize, 40u);
  EXPECT_EQ(l->info.biWidth, 999);
  EXPECT_EQ(l->info.biHeight, 3);  // positive: bottom row first
  EXPECT_EQ(l->info.biPlanes, 1);
  EXPECT_EQ(l->info.biBitCount, 24);
  EXPECT_EQ(l->info.biCompression, DWORD(BI_RGB));
  EXPECT_EQ(l->info.biSizeImage, 9000u);
  EXPECT_EQ(l->stride, 3000);
  EXPECT_FALSE(MakeBmpLayout(0, 5));
  EXPECT_FALSE(MakeBmpLayout(5, 0));
  EXPECT_FALSE(MakeBmpLayout(-1, 5));
}

TEST(BmpFile, FilesPastFourGigabytesAreRefused) {
  // Width 1: 4 bytes a row. 1073741810 rows make 4294967294 bytes with the headers.
  const auto last = MakeBmpLayout(1, 1073741810);
  ASSERT_TRUE(last);
  EXPECT_EQ(last->file.bfSize, 4294967294u);
  EXPECT_FALSE(MakeBmpLayout(1, 1073741811));
  // 30000 x 30000 with 5 % borders: 3.27 GB fits; 54000 x 30000 (4.86 GB) does not.
  const auto big = MakeBmpLayout(33000, 33000);
  ASSERT_TRUE(big);
  EXPECT_EQ(big->info.biSizeImage, 3267000000u);
  EXPECT_FALSE(MakeBmpLayout(54000, 30000));
}

TEST(BmpFile, RowsAreWrittenBottomFirstWithPadding) {
  ScratchFolder dir;
  for (int64_t extra : {0, 8}) {  // the image's own stride, or a wider one
    const int w = 5, h = 7;
    const int64_t fileStride = 16, stride = fileStride + extra;
    std::vector<uint8_t> bytes = Pattern(w, h, stride);
    const std::wstring out = dir.Path(L"p" + std::to_wstring(extra) + L".bmp");
    BmpFileWriter writer(out);
    ASSERT_TRUE(writer.Ok());
    ASSERT_TRUE(writer.Write(render::RowImage{bytes.data(), stride, w, h}));
    const clitest::BmpFile f = clitest::ReadBmp(out);
    ASSERT_TRUE(f.valid);
    EXPECT_EQ(f.file.bfSize, clitest::ReadFileBytes(out).size());
    ASSERT_EQ(f.pixels.size(), size_t(fileStride * h));
    for (int y = 0; y < h; ++y) {
      EXPECT_EQ(0, std::memcmp(&f.pixels[size_t(y * fileStride)], &bytes[size_t(y * stride)], 3 * w)) << y;
      if (extra) {
        EXPECT_EQ(f.pixels[size_t(y * fileStride + 15)], 0) << "padding is written as zero";
      }
    }
  }
  EXPECT_EQ(dir.Files().size(), 2u) << "no temporary file stays behind";
}

TEST(BmpFile, FailedWriteLeavesTheOldFileAndNoTrace) {
  ScratchFolder dir;
  const std::wstring out = dir.Path(L"picture.bmp");
  dir.Write(L"picture.bmp", "the previous picture");
  std::vector<uint8_t> bytes = Pattern(300, 200, 900);
  for (int64_t failAt : {0, 10, 54, 54 + 900 * 100}) {
    BmpFileWriter writer(out);
    ASSERT_TRUE(writer.Ok());
    writer.FailAfterBytes(failAt);
    EXPECT_FALSE(writer.Write(render::RowImage{bytes.data(), 900, 300, 200}));
    EXPECT_NE(writer.Error().find(L"picture.bmp"), std::wstring::npos);
  }
  const std::vector<uint8_t> kept = clitest::ReadFileBytes(out);
  EXPECT_EQ(std::string(kept.begin(), kept.end()), "the previous picture");
  EXPECT_EQ(dir.Files(), std::vector<std::wstring>{L"picture.bmp"});
}

TEST(BmpFile, PathsThatCannotBeWritten) {
  ScratchFolder dir;
  std::vector<uint8_t> bytes = Pattern(2, 2, 8);
  {
    BmpFileWriter writer(dir.Path(L"missing\\picture.bmp"));
    EXPECT_FALSE(writer.Ok());
    EXPECT_FALSE(writer.Error().empty());
    EXPECT_FALSE(writer.Write(render::RowImage{bytes.data(), 8, 2, 2}));
  }
  {
    BmpFileWriter writer(dir.Path() + L"\\");
    EXPECT_FALSE(writer.Ok());
  }
  {
    // A folder where the picture should go: the rename fails, nothing stays.
    CreateDirectoryW(dir.Path(L"taken").c_str(), nullptr);
    BmpFileWriter writer(dir.Path(L"taken"));
    ASSERT_TRUE(writer.Ok());
    EXPECT_FALSE(writer.Write(render::RowImage{bytes.data(), 8, 2, 2}));
    RemoveDirectoryW(dir.Path(L"taken").c_str());
  }
  EXPECT_TRUE(dir.Files().empty());
}
