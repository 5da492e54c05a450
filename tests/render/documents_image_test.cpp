// Raster documents: WIC decoding of every listed type, strips exactly like the
// whole drawing, extents from the image's resolution.
#include <gtest/gtest.h>

#include <wincodec.h>
#include <wrl/client.h>

#include <cstring>

#include "render/documents/image_content.h"
#include "tests/render/documents_fixtures.h"

using documents::DocumentKind;
using Microsoft::WRL::ComPtr;

namespace {

// Encodes 32-bit BGRA pixels with one of WIC's encoders.
std::vector<uint8_t> Encode(REFGUID container, int w, int h, const std::vector<uint32_t>& px, double dpi,
                            WICPixelFormatGUID format = GUID_WICPixelFormat32bppBGRA) {
  ComPtr<IWICImagingFactory> factory;
  ComPtr<IStream> stream;
  ComPtr<IWICBitmapEncoder> encoder;
  ComPtr<IWICBitmapFrameEncode> frame;
  ComPtr<IWICBitmap> bitmap;
  const bool ok =
      SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&factory))) &&
      SUCCEEDED(CreateStreamOnHGlobal(nullptr, TRUE, &stream)) &&
      SUCCEEDED(factory->CreateEncoder(container, nullptr, &encoder)) &&
      SUCCEEDED(encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache)) &&
      SUCCEEDED(encoder->CreateNewFrame(&frame, nullptr)) && SUCCEEDED(frame->Initialize(nullptr)) &&
      SUCCEEDED(frame->SetSize(w, h)) && SUCCEEDED(frame->SetResolution(dpi, dpi)) &&
      SUCCEEDED(factory->CreateBitmapFromMemory(w, h, GUID_WICPixelFormat32bppBGRA, w * 4, UINT(px.size() * 4),
                                                reinterpret_cast<BYTE*>(const_cast<uint32_t*>(px.data())),
                                                &bitmap)) &&
      SUCCEEDED(frame->SetPixelFormat(&format)) && SUCCEEDED(frame->WriteSource(bitmap.Get(), nullptr)) &&
      SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit());
  std::vector<uint8_t> bytes;
  STATSTG st{};
  if (!ok || FAILED(stream->Stat(&st, STATFLAG_NONAME))) return bytes;
  bytes.resize(size_t(st.cbSize.QuadPart));
  LARGE_INTEGER zero{};
  stream->Seek(zero, STREAM_SEEK_SET, nullptr);
  stream->Read(bytes.data(), ULONG(bytes.size()), nullptr);
  return bytes;
}

template <typename T>
void Append(std::vector<uint8_t>& b, const T& v) {
  const auto* p = reinterpret_cast<const uint8_t*>(&v);
  b.insert(b.end(), p, p + sizeof v);
}

// An icon with a 16 x 16 red and a 32 x 32 blue image (32-bit, with AND masks).
std::vector<uint8_t> TwoSizeIcon() {
  std::vector<std::vector<uint8_t>> images;
  for (int side : {16, 32}) {
    std::vector<uint8_t> img;
    BITMAPINFOHEADER ih{sizeof ih, side, 2 * side, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    Append(img, ih);
    for (int i = 0; i < side * side; ++i) Append(img, side == 16 ? 0xFFFF0000u : 0xFF0000FFu);
    img.insert(img.end(), size_t(side) * 4, 0);  // AND mask rows, 32 bits each
    images.push_back(img);
  }
  std::vector<uint8_t> b;
  Append(b, uint16_t(0));
  Append(b, uint16_t(1));
  Append(b, uint16_t(2));
  uint32_t offset = 6 + 16 * 2;
  for (size_t i = 0; i < 2; ++i) {
    const uint8_t side = i == 0 ? 16 : 32;
    b.insert(b.end(), {side, side, 0, 0});
    Append(b, uint16_t(1));
    Append(b, uint16_t(32));
    Append(b, uint32_t(images[i].size()));
    Append(b, offset);
    offset += uint32_t(images[i].size());
  }
  for (const auto& img : images) b.insert(b.end(), img.begin(), img.end());
  return b;
}

}  // namespace

TEST(Images, PngSampleHasItsResolutionsExtentAndExactPatchesAtThreeScales) {
  const auto png = doctest::Load(DocumentKind::Image, doctest::ReadSample(L"photo.png"));
  ASSERT_TRUE(png);
  // 320 x 240 px at 150 dpi, within the rounding of the file's pixels per metre.
  EXPECT_NEAR(png->Extent().cx, 5419, 1);
  EXPECT_NEAR(png->Extent().cy, 4064, 1);
  for (int scale2 : {1, 2, 4}) {  // half, same, double size
    const int w = 160 * scale2, h = 120 * scale2;
    const auto canvas = doctest::DrawWhole(*png, w, h);
    auto patch = [&](int i) { return canvas->At((10 + 20 * i) * w / 320, 230 * h / 240); };
    EXPECT_EQ(patch(0), RGB(255, 0, 0)) << w;
    EXPECT_EQ(patch(1), RGB(0, 255, 0)) << w;
    EXPECT_EQ(patch(2), RGB(0, 0, 255)) << w;
    EXPECT_EQ(patch(3), RGB(255, 255, 255)) << w;
  }
}

TEST(Images, JpegSampleDecodesWithItsPatchesNearTheirColours) {
  const auto jpg = doctest::Load(DocumentKind::Image, doctest::ReadSample(L"photo.jpg"));
  ASSERT_TRUE(jpg);
  EXPECT_EQ(jpg->Extent().cx, 6773);  // 256 px at 96 dpi
  EXPECT_EQ(jpg->Extent().cy, 5080);
  const auto canvas = doctest::DrawWhole(*jpg, 256, 192);
  const COLORREF red = canvas->At(10, 182), blue = canvas->At(50, 182);
  EXPECT_GT(GetRValue(red), 200);
  EXPECT_LT(GetGValue(red), 60);
  EXPECT_GT(GetBValue(blue), 200);
  EXPECT_LT(GetRValue(blue), 60);
}

TEST(Images, StripsGiveExactlyTheRowsOfTheWholeDrawing) {
  for (const wchar_t* name : {L"photo.png", L"photo.jpg"}) {
    const auto img = doctest::Load(DocumentKind::Image, doctest::ReadSample(name));
    ASSERT_TRUE(img);
    EXPECT_EQ(doctest::RowsDifferingInStrips(*img, 333, 250, 37), 0);  // reducing
    EXPECT_EQ(doctest::RowsDifferingInStrips(*img, 700, 525, 100), 0);  // enlarging
  }
}

TEST(Images, MissingResolutionMeans96Dpi) {
  const auto bmp = doctest::Load(DocumentKind::Image, doctest::SolidBmp(4, 2, RGB(10, 200, 30), 0));
  ASSERT_TRUE(bmp);
  EXPECT_EQ(bmp->Extent().cx, 106);  // 4 * 2540 / 96 = 105.8
  EXPECT_EQ(bmp->Extent().cy, 53);
  EXPECT_EQ(doctest::DrawWhole(*bmp, 8, 4)->At(5, 3), RGB(10, 200, 30));
  EXPECT_EQ(documents::HimetricFromPixels(96, 0.0), 2540);
  EXPECT_EQ(documents::HimetricFromPixels(96, -5.0), 2540);
  EXPECT_EQ(documents::HimetricFromPixels(300, 300.0), 2540);
}

TEST(Images, IconsShowTheirLargestImage) {
  const auto ico = doctest::Load(DocumentKind::Icon, TwoSizeIcon());
  ASSERT_TRUE(ico);
  EXPECT_EQ(ico->Extent().cx, 847);  // 32 px at 96 dpi
  EXPECT_EQ(doctest::DrawWhole(*ico, 32, 32)->At(16, 16), RGB(0, 0, 255));
}

TEST(Images, TiffGifAndTransparentPngDecode) {
  std::vector<uint32_t> px(8 * 6, 0xFF20C040u);
  px[0] = 0x00000000u;  // fully transparent: white paper shows
  const auto tiff = doctest::Load(DocumentKind::Image, Encode(GUID_ContainerFormatTiff, 8, 6, px, 300.0));
  ASSERT_TRUE(tiff);
  EXPECT_EQ(tiff->Extent().cx, 68);  // 8 px at 300 dpi
  EXPECT_EQ(doctest::DrawWhole(*tiff, 8, 6)->At(3, 3), RGB(0x20, 0xC0, 0x40));
  const auto png = doctest::Load(DocumentKind::Image, Encode(GUID_ContainerFormatPng, 8, 6, px, 96.0));
  ASSERT_TRUE(png);
  const auto canvas = doctest::DrawWhole(*png, 8, 6);
  EXPECT_EQ(canvas->At(0, 0), RGB(255, 255, 255));
  EXPECT_EQ(canvas->At(1, 0), RGB(0x20, 0xC0, 0x40));
  const auto gifBytes = Encode(GUID_ContainerFormatGif, 8, 6, px, 96.0, GUID_WICPixelFormat8bppIndexed);
  if (gifBytes.empty()) GTEST_SKIP() << "this WIC cannot encode GIF from these pixels";
  const auto gif = doctest::Load(DocumentKind::Image, gifBytes);
  ASSERT_TRUE(gif);
  EXPECT_EQ(gif->Extent().cx, 212);
}
