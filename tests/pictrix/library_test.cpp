// Pictrix.dll through its exports, as the program binds it.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "pictrix/pictrix.h"

namespace {

class Library : public testing::Test {
 protected:
  void SetUp() override { live_ = PictrixLiveImages(); }
  void TearDown() override {
    PictrixFailAllocationAfter(-1);
    PictrixPretendAvailableMemory(-1);
    EXPECT_EQ(PictrixLiveImages(), live_) << "an image was not released";
  }
  static TDibImage New(int w, int h, int bpp, const BITMAPINFO* colors = nullptr, int count = 0) {
    TDibImage d;
    std::memset(&d, 0xCD, sizeof d);  // a filled record must not depend on its old bytes
    newdib(&d, w, h, bpp, colors, count);
    return d;
  }
  static std::vector<uint8_t> Bytes(const TDibImage& d) {
    const auto* p = static_cast<const uint8_t*>(d.Bits);
    return {p, p + d.Info->bmiHeader.biSizeImage};
  }
  int live_ = 0;
};

TEST_F(Library, NewImagesAreZeroedWithDwordAlignedRowsAtEveryDepth) {
  for (int bpp : {1, 4, 8, 24})
    for (int w = 1; w <= 9; ++w) {
      TDibImage d = New(w, 3, bpp);
      ASSERT_NE(d.Bits, nullptr);
      const BITMAPINFOHEADER& h = d.Info->bmiHeader;
      EXPECT_EQ(h.biSize, sizeof(BITMAPINFOHEADER));
      EXPECT_EQ(h.biWidth, w);
      EXPECT_EQ(h.biHeight, 3);
      EXPECT_EQ(h.biBitCount, bpp);
      EXPECT_EQ(h.biCompression, static_cast<DWORD>(BI_RGB));
      EXPECT_EQ(d.BytesPerRow % 4, 0);
      EXPECT_GE(d.BytesPerRow * 8, w * bpp);
      EXPECT_LT((d.BytesPerRow - 4) * 8, w * bpp);
      EXPECT_EQ(h.biSizeImage, static_cast<DWORD>(d.BytesPerRow * 3));
      EXPECT_NE(d.HasPalette, 1);
      for (uint8_t b : Bytes(d)) ASSERT_EQ(b, 0);
      deldib(d);
    }
}

TEST_F(Library, RowsAreBottomUpAndTrueColourPixelsBlueGreenRed) {
  TDibImage d = New(3, 2, 24);
  setpixel(d, 2, 1, 0x112233);  // row 1 is the second row in memory
  const auto* p = static_cast<const uint8_t*>(d.Bits) + d.BytesPerRow + 6;
  EXPECT_EQ(p[0], 0x33);
  EXPECT_EQ(p[1], 0x22);
  EXPECT_EQ(p[2], 0x11);
  EXPECT_EQ(getpixel(d, 2, 1), 0x112233);
  EXPECT_EQ(getpixel(d, 2, 0), 0);
  deldib(d);
}

TEST_F(Library, IndexedPixelsPackLeftmostIntoTheHighBits) {
  TDibImage four = New(3, 1, 4);
  setpixel(four, 0, 0, 0xA);
  setpixel(four, 1, 0, 0x5);
  setpixel(four, 2, 0, 0x1F);  // only the low nibble counts
  const auto* b4 = static_cast<const uint8_t*>(four.Bits);
  EXPECT_EQ(b4[0], 0xA5);
  EXPECT_EQ(b4[1], 0xF0);
  EXPECT_EQ(getpixel(four, 0, 0), 0xA);
  EXPECT_EQ(getpixel(four, 1, 0), 0x5);
  deldib(four);

  TDibImage one = New(10, 2, 1);
  setpixel(one, 0, 1, 1);
  setpixel(one, 9, 1, 1);
  setpixel(one, 3, 1, 1);
  setpixel(one, 3, 1, 0);  // clears again
  const auto* b1 = static_cast<const uint8_t*>(one.Bits) + one.BytesPerRow;
  EXPECT_EQ(b1[0], 0x80);
  EXPECT_EQ(b1[1], 0x40);
  EXPECT_EQ(getpixel(one, 9, 1), 1);
  EXPECT_EQ(getpixel(one, 3, 1), 0);
  EXPECT_EQ(getpixel(one, 9, 0), 0);
  deldib(one);

  TDibImage eight = New(2, 2, 8);
  setpixel(eight, 1, 0, 200);
  EXPECT_EQ(static_cast<const uint8_t*>(eight.Bits)[1], 200);
  EXPECT_EQ(getpixel(eight, 1, 0), 200);
  deldib(eight);
}

TEST_F(Library, PixelsOutsideTheImageReadZeroAndAreNeverWritten) {
  for (int bpp : {1, 4, 8, 24}) {
    TDibImage d = New(5, 3, bpp);
    std::memset(d.Bits, 0x5A, d.Info->bmiHeader.biSizeImage);
    const std::vector<uint8_t> before = Bytes(d);
    const int xs[] = {-1, 5, 6, INT32_MIN, INT32_MAX}, ys[] = {-1, 3, INT32_MIN, INT32_MAX};
    for (int x : xs) {
      setpixel(d, x, 0, -1);
      EXPECT_EQ(getpixel(d, x, 0), 0) << bpp << " x=" << x;
    }
    for (int y : ys) {
      setpixel(d, 0, y, -1);
      EXPECT_EQ(getpixel(d, 0, y), 0) << bpp << " y=" << y;
    }
    EXPECT_EQ(Bytes(d), before) << bpp;
    deldib(d);
  }
}

TEST_F(Library, RefusedRequestsLeaveNoPixelsAndNothingToRelease) {
  const struct { int w, h, bpp; } bad[] = {
      {0, 10, 24},      {10, 0, 24},      {-1, 10, 8},     {10, -7, 8},   {10, 10, 0},
      {10, 10, 2},      {10, 10, 48},     {INT32_MAX, 1, 24},             // row stride overflows
      {30000, 47722, 24},                                                   // more than 4 GB of pixels
      {INT32_MAX, INT32_MAX, 32}};
  for (const auto& b : bad) {
    TDibImage d = New(b.w, b.h, b.bpp);
    EXPECT_EQ(d.Bits, nullptr) << b.w << "x" << b.h << "x" << b.bpp;
    EXPECT_EQ(d.Info, nullptr);
    EXPECT_EQ(PictrixLiveImages(), live_);
  }
  newdib(nullptr, 10, 10, 24, nullptr, 0);  // no record to fill: nothing happens
}

TEST_F(Library, ImagesBeyondTheAvailableMemoryAreRefused) {
  // 23 GB machines let a huge commit succeed and kill the process on first
  // touch, so the rule has to refuse before the system is asked.
  PictrixPretendAvailableMemory(int64_t{512} << 20);
  TDibImage big = New(8000, 4000, 24);  // 96 MB; the margin alone exceeds what is left
  EXPECT_EQ(big.Bits, nullptr);
  TDibImage small = New(100, 100, 24);  // small images come from the heap unchecked
  EXPECT_NE(small.Bits, nullptr);
  deldib(small);
  PictrixPretendAvailableMemory(-1);
  TDibImage again = New(8000, 4000, 24);
  EXPECT_NE(again.Bits, nullptr);
  deldib(again);
}

TEST_F(Library, InjectedFailureHitsExactlyTheNthAllocation) {
  PictrixFailAllocationAfter(1);
  TDibImage a = New(4, 4, 24), b = New(4, 4, 24), c = New(4, 4, 24);
  EXPECT_NE(a.Bits, nullptr);
  EXPECT_EQ(b.Bits, nullptr);
  EXPECT_NE(c.Bits, nullptr);
  deldib(a);
  deldib(c);
}

TEST_F(Library, ColourTableIsCopiedUpToWhatBothTablesHold) {
  TDibImage src = New(2, 2, 8);
  for (int i = 0; i < 256; ++i) src.Info->bmiColors[i] = RGBQUAD{BYTE(i), BYTE(255 - i), 7, 0};
  TDibImage all = New(5, 1, 8, src.Info, 256);
  EXPECT_EQ(std::memcmp(all.Info->bmiColors, src.Info->bmiColors, 256 * sizeof(RGBQUAD)), 0);
  TDibImage three = New(5, 1, 8, src.Info, 3);
  EXPECT_EQ(std::memcmp(three.Info->bmiColors, src.Info->bmiColors, 3 * sizeof(RGBQUAD)), 0);
  EXPECT_NE(three.Info->bmiColors[3].rgbGreen, 252);  // entry 3 is not copied
  TDibImage four = New(5, 1, 4, src.Info, 256);  // a 4-bit table takes 16
  EXPECT_EQ(std::memcmp(four.Info->bmiColors, src.Info->bmiColors, 16 * sizeof(RGBQUAD)), 0);
  // A source header that declares two colours is not read past them.
  src.Info->bmiHeader.biClrUsed = 2;
  TDibImage two = New(5, 1, 8, src.Info, 256);
  EXPECT_EQ(two.Info->bmiColors[1].rgbGreen, 254);
  EXPECT_NE(two.Info->bmiColors[2].rgbGreen, 253);
  for (TDibImage d : {src, all, three, four, two}) deldib(d);
}

TEST_F(Library, EachImageIsReleasedOnceWhateverCopiesArePassed) {
  TDibImage a = New(64, 64, 24);
  const TDibImage copy = a;
  EXPECT_EQ(PictrixLiveImages(), live_ + 1);
  deldib(a);
  EXPECT_EQ(PictrixLiveImages(), live_);
  deldib(copy);  // the stale copy is recognised, not freed again
  EXPECT_EQ(getpixel(copy, 0, 0), 0);
  // A new image may reuse the header's address; the stale copy must not free it.
  TDibImage b = New(64, 64, 24);
  deldib(copy);
  EXPECT_EQ(PictrixLiveImages(), live_ + 1);
  setpixel(b, 1, 1, 0x123456);
  EXPECT_EQ(getpixel(b, 1, 1), 0x123456);
  deldib(b);
  TDibImage empty{};
  deldib(empty);  // a record never filled
  TDibImage failed = New(0, 0, 24);
  deldib(failed);
}

TEST_F(Library, FreedPixelMemoryIsReusedAndZeroedAgain) {
  TDibImage a = New(2000, 500, 24);  // 3 MB: committed pages, recyclable
  ASSERT_NE(a.Bits, nullptr);
  std::memset(a.Bits, 0xFF, a.Info->bmiHeader.biSizeImage);
  void* const block = a.Bits;
  deldib(a);
  EXPECT_GE(PictrixCachedBytes(), 3000000);
  TDibImage tiny = New(10, 1, 24);  // a row image does not take the strip's block
  EXPECT_GE(PictrixCachedBytes(), 3000000);
  TDibImage b = New(1900, 500, 24);
  EXPECT_EQ(b.Bits, block);
  EXPECT_EQ(PictrixCachedBytes(), 0);
  for (uint8_t v : Bytes(b)) ASSERT_EQ(v, 0);
  deldib(b);
  deldib(tiny);
}

TEST_F(Library, TrueColourImagesCarryTheHalftonePaletteUnselected) {
  TDibImage d = New(4, 4, 24);
  EXPECT_NE(d.HasPalette, 1);
  EXPECT_EQ(GetObjectType(d.Palette), static_cast<DWORD>(OBJ_PAL));
  deldib(d);
}

}  // namespace
