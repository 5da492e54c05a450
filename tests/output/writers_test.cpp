// Every writer's file as the platform's own decoder reads it: size, exact
// pixels (JPEG close), the resolution both as decoded and in the format's own
// header fields; BMP's header as the platform's structures hold it; BigTIFF.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>

#include <wincodec.h>

#include "core/bmp_layout.h"
#include "output/tiff_writer.h"
#include "output/write_picture.h"
#include "tests/output/output_fixtures.h"
#include "toolkit/handles.h"

using namespace outputtest;
using core::PictureFormat;

namespace {

GUID ContainerOf(PictureFormat f) {
  switch (f) {
    case PictureFormat::kBmp: return GUID_ContainerFormatBmp;
    case PictureFormat::kPng: return GUID_ContainerFormatPng;
    case PictureFormat::kJpeg: return GUID_ContainerFormatJpeg;
    case PictureFormat::kTiff: return GUID_ContainerFormatTiff;
  }
  return GUID{};
}

double MeanDifference(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
  if (a.size() != b.size() || a.empty()) return 1e9;
  double sum = 0;
  for (size_t i = 0; i < a.size(); ++i) sum += std::abs(int(a[i]) - int(b[i]));
  return sum / double(a.size());
}

}  // namespace

// Sizes with padded rows, one band, several bands and a last band of one
// row; resolutions from the smallest to the largest a JPEG can record.
TEST(Writers, FilesReadBackWithTheirPixelsAndResolution) {
  const struct {
    int32_t width, height, dpi;
  } sizes[] = {{1, 1, 1}, {7, 3, 96}, {333, 1001, 300}, {1001, 2, 65535}};
  Scratch dir;
  for (PictureFormat format : kAllFormats) {
    for (const auto& size : sizes) {
      SCOPED_TRACE(Narrow(core::FormatTitle(format)) + " " + std::to_string(size.width) + " x " +
                   std::to_string(size.height) + " at " + std::to_string(size.dpi) + " dpi");
      TestPicture picture(size.width, size.height);
      const std::wstring path = dir.Path(L"picture" + core::FormatExtension(format));
      std::wstring error;
      ASSERT_TRUE(WriteWith(format, path, picture.Rows(), size.dpi, &error)) << Narrow(error);
      const Decoded d = Decode(path);
      ASSERT_TRUE(d.ok);
      EXPECT_EQ(d.container, ContainerOf(format));
      EXPECT_EQ(d.width, uint32_t(size.width));
      EXPECT_EQ(d.height, uint32_t(size.height));
      // Pixels per metre read back as dots per inch lose a little to rounding.
      EXPECT_NEAR(d.dpiX, size.dpi, 0.02 * size.dpi + 0.02);
      EXPECT_NEAR(d.dpiY, size.dpi, 0.02 * size.dpi + 0.02);
      if (format == PictureFormat::kJpeg) {
        if (size.width * size.height > 100) {
          EXPECT_LT(MeanDifference(d.pixels, picture.TopDown()), 6.0);
        }
      } else {
        EXPECT_TRUE(d.pixels == picture.TopDown()) << "every pixel exact";
      }
      const StoredResolution stored = ReadStoredResolution(path, format);
      ASSERT_TRUE(stored.found);
      const bool perMetre = format == PictureFormat::kBmp || format == PictureFormat::kPng;
      const uint32_t expected = perMetre ? core::PixelsPerMetre(size.dpi) : uint32_t(size.dpi);
      EXPECT_EQ(stored.x, expected);
      EXPECT_EQ(stored.y, expected);
      if (format == PictureFormat::kPng) {
        EXPECT_EQ(stored.unit, 1u) << "metres";
      }
      if (format == PictureFormat::kJpeg) {
        EXPECT_EQ(stored.unit, 1u) << "inches";
      }
      if (format == PictureFormat::kTiff) {
        EXPECT_EQ(stored.unit, 2u) << "inches";
      }
      EXPECT_EQ(dir.Files(), std::vector<std::wstring>{L"picture" + core::FormatExtension(format)})
          << "no temporary file stays";
      DeleteFileW(path.c_str());
    }
  }
}

// BMP rows go bottom row first, each padded with zeros to 4 bytes, after the
// core's 54 header bytes.
TEST(Writers, BmpRowsBottomFirstWithZeroPadding) {
  Scratch dir;
  TestPicture picture(5, 7);  // 15 bytes of pixels, one byte of padding (0xCD in memory)
  const std::wstring path = dir.Path(L"p.bmp");
  ASSERT_TRUE(WriteWith(PictureFormat::kBmp, path, picture.Rows(), 72));
  const std::vector<uint8_t> file = testsupport::ReadByteVector(path);
  const auto layout = core::MakeBmpLayout(5, 7, 72);
  ASSERT_TRUE(layout);
  ASSERT_EQ(file.size(), layout->fileBytes);
  EXPECT_TRUE(std::equal(layout->header.begin(), layout->header.end(), file.begin())) << "the core's header";
  const render::RowImage rows = picture.Rows();
  for (int y = 0; y < 7; ++y) {
    EXPECT_EQ(0, std::memcmp(&file[54 + 16 * y], rows.bits + 16 * y, 15)) << "memory row " << y;
    EXPECT_EQ(file[54 + 16 * y + 15], 0) << "padding is zero";
  }
}

// The core's header bytes as the platform reads a BMP file's first 54 bytes,
// and GDI's own row and image size for the same header.
TEST(Writers, BmpHeaderBytesAreWhatThePlatformStructuresHold) {
  static_assert(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) == core::kBmpHeaderBytes);
  for (auto [w, h] : {std::pair{999, 3}, {1, 1}, {30000, 30000}, {33000, 33000}, {1, 1073741810}}) {
    const auto l = core::MakeBmpLayout(w, h, 96);
    ASSERT_TRUE(l) << w << " x " << h;
    ASSERT_EQ(l->header.size(), core::kBmpHeaderBytes);
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
    EXPECT_EQ(info.biXPelsPerMeter, 3780);
    EXPECT_EQ(info.biYPelsPerMeter, 3780);
    EXPECT_EQ(info.biClrUsed, 0u);
    EXPECT_EQ(info.biClrImportant, 0u);
    if (pixels > (1u << 20)) continue;  // a DIB section of that size is cheap below this
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

// A BMP file is what the platform's own loader takes.
TEST(Writers, BmpLoadsWithTheSystemLoader) {
  Scratch dir;
  TestPicture picture(123, 45);
  const std::wstring path = dir.Path(L"p.bmp");
  ASSERT_TRUE(WriteWith(PictureFormat::kBmp, path, picture.Rows()));
  tk::GdiBitmap loaded(static_cast<HBITMAP>(
      LoadImageW(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
  ASSERT_TRUE(loaded);
  DIBSECTION ds{};
  ASSERT_EQ(GetObjectW(loaded.get(), sizeof ds, &ds), int(sizeof ds));
  EXPECT_EQ(ds.dsBm.bmWidth, 123);
  EXPECT_EQ(ds.dsBm.bmHeight, 45);
  const auto* bits = static_cast<const uint8_t*>(ds.dsBm.bmBits);
  const render::RowImage rows = picture.Rows();
  for (int y = 0; y < 45; ++y) EXPECT_EQ(0, std::memcmp(bits + y * ds.dsBm.bmWidthBytes, rows.bits + y * rows.stride, 369));
}

// A BigTIFF (forced here; a file past 4 GB gets one by itself) holds the same
// pixels behind 64-bit offsets.
TEST(Writers, BigTiffHoldsTheSamePixels) {
  Scratch dir;
  TestPicture picture(301, 1001);
  std::wstring error;
  const std::wstring path = dir.Path(L"big.tif");
  ASSERT_TRUE(output::WritePicture(picture.Rows(), std::make_unique<output::TiffWriter>(path, 200, true), error))
      << Narrow(error);
  const std::vector<uint8_t> file = testsupport::ReadByteVector(path);
  ASSERT_GT(file.size(), 16u);
  EXPECT_EQ(file[2] | file[3] << 8, 43) << "BigTIFF";
  EXPECT_EQ(ReadStoredResolution(path, PictureFormat::kTiff).x, 200u);
  // The platform's TIFF decoder is asked directly: WIC recognises TIFF files
  // by the classic header alone.
  const Decoded d = Decode(path, &CLSID_WICTiffDecoder);
  if (!d.ok) GTEST_SKIP() << "this platform's TIFF decoder does not read BigTIFF (the core's tests read its layout)";
  EXPECT_EQ(d.width, 301u);
  EXPECT_TRUE(d.pixels == picture.TopDown());
}

// Lower quality, smaller file and a coarser picture; the default is 90.
TEST(Writers, JpegQualityReachesTheEncoder) {
  Scratch dir;
  TestPicture picture(300, 200);
  uintmax_t sizes[3] = {};
  double difference[3] = {};
  int i = 0;
  for (int32_t quality : {10, 90, 100}) {
    core::WriteOptions o;
    o.format = PictureFormat::kJpeg;
    o.quality = quality;
    const std::wstring path = dir.Path(L"q" + std::to_wstring(quality) + L".jpg");
    std::wstring error;
    ASSERT_TRUE(output::WritePicture(picture.Rows(), output::MakePictureWriter(path, o), error)) << Narrow(error);
    const Decoded d = Decode(path);
    ASSERT_TRUE(d.ok);
    difference[i] = MeanDifference(d.pixels, picture.TopDown());
    sizes[i++] = testsupport::ReadByteVector(path).size();
  }
  EXPECT_LT(sizes[0], sizes[1]);
  EXPECT_LT(sizes[1], sizes[2]);
  EXPECT_GT(difference[0], difference[1]);
  EXPECT_GT(difference[1], difference[2]);
  // Written without a quality, a picture is the one written at 90.
  std::wstring failure;
  const std::wstring byDefault = dir.Path(L"default.jpg");
  ASSERT_TRUE(output::WritePicture(picture.Rows(),
                                   output::MakePictureWriter(byDefault, core::WriteOptions{PictureFormat::kJpeg}), failure));
  EXPECT_EQ(testsupport::ReadBytes(byDefault), testsupport::ReadBytes(dir.Path(L"q90.jpg")));
}
