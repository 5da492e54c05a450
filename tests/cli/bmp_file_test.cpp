// The BMP writer: the core's header bytes as the platform reads them, rows in
// file order, and no trace on disk of a write that failed.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <utility>

#include "app/cli/bmp_file.h"
#include "tests/cli/cli_fixtures.h"
#include "toolkit/handles.h"

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

TEST(BmpFile, CoreHeaderBytesAreWhatThePlatformStructuresHold) {
  static_assert(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) == core::kBmpHeaderBytes);
  for (auto [w, h] : {std::pair{999, 3}, {1, 1}, {30000, 30000}, {33000, 33000}, {1, 1073741810}}) {
    const auto l = MakeBmpLayout(w, h);
    ASSERT_TRUE(l) << w << " x " << h;
    ASSERT_EQ(l->header.size(), core::kBmpHeaderBytes);
    // The structures as the platform reads a BMP file's first 54 bytes.
    BITMAPFILEHEADER file;
    BITMAPINFOHEADER info;
    std::memcpy(&file, l->header.data(), sizeof file);
    std::memcpy(&info, l->header.data() + sizeof file, sizeof info);
    const uint64_t pixels = uint64_t(l->stride) * uint64_t(h);
    EXPECT_EQ(file.bfType, 0x4D42);
    EXPECT_EQ(file.bfSize, DWORD(pixels + 54));
    EXPECT_EQ(file.bfReserved1, 0);
    EXPECT_EQ(file.bfReserved2, 0);
    EXPECT_EQ(file.bfOffBits, 54u);
    EXPECT_EQ(info.biSize, DWORD(sizeof(BITMAPINFOHEADER)));
    EXPECT_EQ(info.biWidth, w);
    EXPECT_EQ(info.biHeight, h);
    EXPECT_EQ(info.biPlanes, 1);
    EXPECT_EQ(info.biBitCount, 24);
    EXPECT_EQ(info.biCompression, DWORD(BI_RGB));
    EXPECT_EQ(info.biSizeImage, DWORD(pixels));
    EXPECT_EQ(info.biXPelsPerMeter, 0);
    EXPECT_EQ(info.biYPelsPerMeter, 0);
    EXPECT_EQ(info.biClrUsed, 0u);
    EXPECT_EQ(info.biClrImportant, 0u);
    // GDI's own row size and image size for the same header, where a DIB
    // section of that size is cheap.
    if (pixels > (1u << 20)) continue;
    BITMAPINFO bmi{};
    bmi.bmiHeader = info;
    void* bits = nullptr;
    const tk::GdiBitmap dib(CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0));
    ASSERT_TRUE(dib);
    DIBSECTION ds{};
    ASSERT_EQ(GetObjectW(dib.get(), sizeof ds, &ds), int(sizeof ds));
    EXPECT_EQ(ds.dsBm.bmWidthBytes, l->stride);
    EXPECT_EQ(ds.dsBmih.biSizeImage, info.biSizeImage);
  }
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
    const std::vector<uint8_t> written = clitest::ReadFileBytes(out);
    EXPECT_EQ(f.file.bfSize, written.size());
    const auto layout = MakeBmpLayout(w, h);
    ASSERT_TRUE(layout);
    EXPECT_TRUE(std::equal(layout->header.begin(), layout->header.end(), written.begin())) << "the core's header";
    EXPECT_EQ(layout->fileBytes, written.size());
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
