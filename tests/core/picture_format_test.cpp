// Formats by file name and by name, resolutions as stored, and the sizes each
// format refuses before any work.
#include <gtest/gtest.h>

#include <cmath>

#include "core/picture_format.h"

using namespace core;

TEST(PictureFormat, ChosenByExtensionInAnyCase) {
  const struct {
    const wchar_t* name;
    std::optional<PictureFormat> format;
  } cases[] = {
      {L"a.bmp", PictureFormat::kBmp},     {L"C:\\x\\A.BMP", PictureFormat::kBmp}, {L"p.png", PictureFormat::kPng},
      {L"p.Jpg", PictureFormat::kJpeg},    {L"p.jpeg", PictureFormat::kJpeg},      {L"p.tif", PictureFormat::kTiff},
      {L"p.TIFF", PictureFormat::kTiff},   {L"archive.tar.png", PictureFormat::kPng},
      {L"p.gif", std::nullopt},            {L"p", std::nullopt},                    {L"p.", std::nullopt},
      {L"C:\\a.png\\picture", std::nullopt}, {L"C:/a.bmp/b", std::nullopt},          {L"p.pngx", std::nullopt},
      {L".png", PictureFormat::kPng},      {L"p.\u0130ng", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatFromFileName(c.name), c.format) << std::wstring(c.name).size();
  for (const wchar_t* n : {L"bmp", L"PNG", L"jpg", L"JPEG", L"tif", L"Tiff"}) EXPECT_TRUE(FormatFromName(n)) << n;
  for (const wchar_t* n : {L"", L"gif", L".png", L"png ", L"jp"}) EXPECT_FALSE(FormatFromName(n));
  // Every format's own extension and title choose it again.
  for (PictureFormat f : {PictureFormat::kBmp, PictureFormat::kPng, PictureFormat::kJpeg, PictureFormat::kTiff}) {
    EXPECT_EQ(FormatFromFileName(L"x" + FormatExtension(f)), f);
    EXPECT_EQ(FormatFromName(FormatTitle(f)), f);
    EXPECT_NE(std::wstring(kSupportedExtensions).find(FormatExtension(f)), std::wstring::npos);
  }
}

TEST(PictureFormat, PixelsPerMetreRoundToTheNearest) {
  // dpi / 0.0254, computed exactly: 96 -> 3779.53, 300 -> 11811.02, 100 -> 3937.008.
  EXPECT_EQ(PixelsPerMetre(96), 3780u);
  EXPECT_EQ(PixelsPerMetre(300), 11811u);
  EXPECT_EQ(PixelsPerMetre(100), 3937u);
  EXPECT_EQ(PixelsPerMetre(kMaxDpi), 2580118u);
  EXPECT_EQ(PixelsPerMetre(0), 0u);
  EXPECT_EQ(PixelsPerMetre(-5), 0u);
  // Within half a unit of the real quotient for every resolution allowed.
  for (int32_t dpi = kMinDpi; dpi <= kMaxDpi; ++dpi) {
    const double exact = dpi / 0.0254;
    ASSERT_LE(std::abs(double(PixelsPerMetre(dpi)) - exact), 0.5) << dpi;
  }
}

TEST(PictureFormat, SizesEachFormatRefuses) {
  EXPECT_FALSE(SizeRefusal(PictureFormat::kBmp, 30000, 30000));   // 2.7 GB
  EXPECT_EQ(SizeRefusal(PictureFormat::kBmp, 60000, 60000), kTooLargeForBmpText);  // 10.8 GB
  EXPECT_FALSE(SizeRefusal(PictureFormat::kJpeg, 65500, 65500));
  EXPECT_EQ(SizeRefusal(PictureFormat::kJpeg, 65501, 10), kTooLargeForJpegText);
  EXPECT_EQ(SizeRefusal(PictureFormat::kJpeg, 10, 330000), kTooLargeForJpegText);
  for (PictureFormat f : {PictureFormat::kPng, PictureFormat::kTiff})
    EXPECT_FALSE(SizeRefusal(f, 90000, 360000)) << "the largest framed picture";
}
