// Pictures from bytes, files, streams: GIF through WIC, JPEG through libjpeg;
// the image control that shows them.
#include <windows.h>
#include <shlwapi.h>

#include <gtest/gtest.h>

#include <cstdlib>

#include "core/indexed_image.h"
#include "tests/support/files.h"
#include "tests/support/pixels.h"
#include "toolkit/form.h"
#include "toolkit/image.h"
#include "toolkit/jpeg_image.h"
#include "toolkit/picture.h"
#include "toolkit/wic_decode.h"

using testsupport::PumpMessages;

namespace {

// A 40 x 20 picture of four colours in bands and a diagonal.
std::vector<uint32_t> Bands(int w, int h) {
  std::vector<uint32_t> px(size_t(w) * h);
  const uint32_t colours[] = {0xCC2200, 0x00AA44, 0x1133EE, 0xFFFFFF};
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) px[size_t(y) * w + x] = x == y ? 0x000000 : colours[(x / 10) % 4];
  return px;
}

std::vector<uint8_t> GifOf(const std::vector<uint32_t>& px, int w, int h) {
  return core::EncodeGif89a(*core::ToIndexed(px, w, h, 256));
}

void ExpectSame(const tk::TPicture& pic, const std::vector<uint32_t>& px) {
  ASSERT_EQ(pic.Pixels().size(), px.size());
  for (size_t i = 0; i < px.size(); ++i) ASSERT_EQ(pic.Pixels()[i], 0xFF000000u | px[i]) << i;
}

}  // namespace

TEST(Picture, GifFromBytesFileAndStream) {
  const auto px = Bands(40, 20);
  const std::vector<uint8_t> gif = GifOf(px, 40, 20);
  tk::TPicture fromBytes;
  ASSERT_EQ(fromBytes.LoadFromBytes(gif.data(), gif.size()), S_OK);
  EXPECT_EQ(fromBytes.Width(), 40);
  EXPECT_EQ(fromBytes.Height(), 20);
  ExpectSame(fromBytes, px);

  testsupport::TempDir dir;
  tk::TPicture fromFile;
  ASSERT_EQ(fromFile.LoadFromFile(dir.Write(L"bands.gif", gif)), S_OK);
  EXPECT_EQ(fromFile, fromBytes);

  IStream* stream = SHCreateMemStream(gif.data(), static_cast<UINT>(gif.size()));
  ASSERT_NE(stream, nullptr);
  tk::TPicture fromStream;
  EXPECT_EQ(fromStream.LoadFromStream(stream), S_OK);
  stream->Release();
  EXPECT_EQ(fromStream, fromBytes);
}

TEST(Picture, FailedLoadsKeepTheContent) {
  const auto px = Bands(40, 20);
  const std::vector<uint8_t> gif = GifOf(px, 40, 20);
  tk::TPicture pic;
  ASSERT_EQ(pic.LoadFromBytes(gif.data(), gif.size()), S_OK);
  const uint8_t junk[] = {'n', 'o', 't', ' ', 'a', ' ', 'p', 'i', 'c'};
  EXPECT_TRUE(FAILED(pic.LoadFromBytes(junk, sizeof junk)));
  EXPECT_TRUE(FAILED(pic.LoadFromFile(L"C:\\no\\such\\picture.gif")));
  EXPECT_TRUE(FAILED(pic.LoadFromResource(nullptr, L"NO_SUCH_PICTURE")));
  ExpectSame(pic, px);
}

TEST(Picture, JpegDecodedByLibjpegMatchesThePlatformsDecoder) {
  const std::vector<uint8_t> jpg = testsupport::ReadByteVector(testsupport::SamplePath(L"photo.jpg"));
  ASSERT_FALSE(jpg.empty());
  tk::TPicture pic;
  ASSERT_EQ(pic.LoadFromBytes(jpg.data(), jpg.size()), S_OK);
  tk::DecodedImage wic;
  ASSERT_EQ(tk::WicDecode(jpg.data(), jpg.size(), false, tk::TPicture::kMaxPixels, wic), S_OK);
  ASSERT_EQ(pic.Width(), int(wic.width));
  ASSERT_EQ(pic.Height(), int(wic.height));
  // Two decoders may upsample the colour differently at sharp edges; on the
  // whole the pictures agree closely.
  int64_t total = 0;
  size_t distant = 0;
  for (size_t i = 0; i < wic.pixels.size(); ++i)
    for (int shift : {0, 8, 16}) {
      const int d = std::abs(int((pic.Pixels()[i] >> shift) & 0xFF) - int((wic.pixels[i] >> shift) & 0xFF));
      total += d;
      distant += d > 16;
    }
  const double mean = double(total) / double(wic.pixels.size() * 3);
  EXPECT_LT(mean, 2.0);
  EXPECT_LT(distant, wic.pixels.size() * 3 / 100) << "mean " << mean;
  EXPECT_EQ(pic.Pixels()[0] >> 24, 0xFFu);
}

TEST(Picture, BrokenJpegIsRefusedWithLibjpegsReason) {
  std::vector<uint8_t> jpg = testsupport::ReadByteVector(testsupport::SamplePath(L"photo.jpg"));
  ASSERT_GT(jpg.size(), 200u);
  jpg.resize(20);  // the header is cut off before any frame
  tk::TJpegImage decoder;
  tk::DecodedImage out;
  EXPECT_EQ(decoder.Decode(jpg.data(), jpg.size(), tk::TPicture::kMaxPixels, out), tk::kNoPicture);
  EXPECT_FALSE(decoder.ErrorText().empty());
  EXPECT_TRUE(out.pixels.empty());
  const std::vector<uint8_t> full = testsupport::ReadByteVector(testsupport::SamplePath(L"photo.jpg"));
  EXPECT_EQ(decoder.Decode(full.data(), full.size(), 1000, out), E_OUTOFMEMORY) << "above the pixel limit";
}

TEST(Image, DrawsThePictureAtTheTopLeftAndAutoSizes) {
  tk::FormInstance<tk::TForm> form(L"TImageForm", L"Image", 200, 100, tk::TFont{});
  form.SetColor(RGB(10, 200, 30));
  tk::TImage image(&form, 5, 6, 80, 50);
  form.Show();
  const auto px = Bands(40, 20);
  const std::vector<uint8_t> gif = GifOf(px, 40, 20);
  tk::TPicture pic;
  ASSERT_EQ(pic.LoadFromBytes(gif.data(), gif.size()), S_OK);
  image.SetPicture(pic);
  PumpMessages();
  auto shot = testsupport::CaptureClient(image.Handle());
  EXPECT_EQ(shot.width, 80) << "without AutoSize the control keeps its size";
  for (auto [x, y] : {std::pair{0, 0}, {39, 19}, {15, 3}, {25, 7}})
    EXPECT_EQ(shot.At(x, y), RGB((px[y * 40 + x] >> 16) & 0xFF, (px[y * 40 + x] >> 8) & 0xFF, px[y * 40 + x] & 0xFF));
  EXPECT_EQ(shot.At(60, 40), RGB(10, 200, 30)) << "beyond the picture the parent's colour";
  image.SetAutoSize(true);
  EXPECT_EQ(image.Width(), 40);
  EXPECT_EQ(image.Height(), 20);
  EXPECT_EQ(image.Left(), 5);
  EXPECT_EQ(image.Top(), 6);
}
