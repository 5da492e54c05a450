// Halftoning: the fixed palette, the dither's faithfulness to the average
// colour, area-average resampling, and the halftoned images the library makes.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <set>

#include "pictrix/halftone.h"
#include "pictrix/pictrix.h"
#include "pictrix/resample.h"

namespace {

using pictrix::HalftoneIndex;
using pictrix::HalftoneTable;

// Mean of the palette colours an 8 x 8 tile of flat (r, g, b) becomes.
void TileMean(uint8_t r, uint8_t g, uint8_t b, double mean[3]) {
  mean[0] = mean[1] = mean[2] = 0;
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) {
      const RGBQUAD q = HalftoneTable()[HalftoneIndex(r, g, b, x + 16, y + 8)];
      mean[0] += q.rgbRed / 64.0;
      mean[1] += q.rgbGreen / 64.0;
      mean[2] += q.rgbBlue / 64.0;
    }
}

TEST(HalftonePalette, HoldsTheColourCubeAndDistinctGrays) {
  std::set<uint32_t> colours;
  for (const RGBQUAD& q : HalftoneTable()) colours.insert(q.rgbRed << 16 | q.rgbGreen << 8 | q.rgbBlue);
  EXPECT_EQ(colours.size(), 256u);
  for (int i = pictrix::kCubeSize; i < 256; ++i) {
    const RGBQUAD q = HalftoneTable()[i];
    EXPECT_TRUE(q.rgbRed == q.rgbGreen && q.rgbGreen == q.rgbBlue) << i;
  }
  // Cube colours come out exactly, wherever they are.
  for (int i = 0; i < pictrix::kCubeSize; ++i) {
    const RGBQUAD q = HalftoneTable()[i];
    for (int pos = 0; pos < 64; ++pos) ASSERT_EQ(HalftoneIndex(q.rgbRed, q.rgbGreen, q.rgbBlue, pos % 8, pos / 8), i);
  }
}

TEST(HalftonePalette, DitherKeepsTheAverageColourOfFlatAreas) {
  for (int r = 0; r < 256; r += 15)
    for (int g = 3; g < 256; g += 21)
      for (int b = 7; b < 256; b += 31) {
        double m[3];
        TileMean(uint8_t(r), uint8_t(g), uint8_t(b), m);
        ASSERT_NEAR(m[0], r, 1.0) << r << "," << g << "," << b;
        ASSERT_NEAR(m[1], g, 1.0) << r << "," << g << "," << b;
        ASSERT_NEAR(m[2], b, 1.0) << r << "," << g << "," << b;
      }
}

TEST(HalftonePalette, GraysStayGrayAndCloseToTheirLevel) {
  for (int v = 0; v < 256; ++v) {
    double m[3];
    TileMean(uint8_t(v), uint8_t(v), uint8_t(v), m);
    EXPECT_NEAR(m[0], v, 0.5) << v;
    for (int pos = 0; pos < 64; ++pos) {
      const RGBQUAD q = HalftoneTable()[HalftoneIndex(uint8_t(v), uint8_t(v), uint8_t(v), pos % 8, pos / 8)];
      ASSERT_TRUE(q.rgbRed == q.rgbGreen && q.rgbGreen == q.rgbBlue);
      ASSERT_LE(std::abs(q.rgbRed - v), 8) << v;
    }
  }
}

TEST(Resample, SpansCoverEverySourceIndexOnceWhenShrinking) {
  for (int src = 1; src <= 40; ++src)
    for (int dst = 1; dst <= src; ++dst) {
      int64_t next = 0;
      for (int i = 0; i < dst; ++i) {
        const pictrix::Span s = pictrix::SourceSpan(i, src, dst);
        ASSERT_EQ(s.first, next) << src << "->" << dst;
        ASSERT_GT(s.last, s.first);
        next = s.last;
      }
      ASSERT_EQ(next, src) << src << "->" << dst;
    }
  // Enlarging picks one source pixel each, in order, the first and last included.
  EXPECT_EQ(pictrix::SourceSpan(0, 3, 7).first, 0);
  EXPECT_EQ(pictrix::SourceSpan(6, 3, 7).first, 2);
  EXPECT_EQ(pictrix::SourceSpan(6, 3, 7).last, 3);
  // Products beyond 32 bits.
  EXPECT_EQ(pictrix::SourceSpan(49999, 100000, 50000).first, 99998);
}

TEST(Resample, AveragesTheCoveredBlock) {
  // 4 x 2 pixels, one row of 12 bytes each; shrunk to 2 x 1.
  uint8_t px[24];
  for (int i = 0; i < 24; ++i) px[i] = static_cast<uint8_t>(i * 10);
  pictrix::BoxResampler shrink(px, 12, 4, 2, 2, 1);
  uint8_t out[6];
  shrink.Row(0, out);
  // Left block: pixels 0, 1 of both rows; blue bytes 0, 30, 120, 150.
  EXPECT_EQ(out[0], 75);
  EXPECT_EQ(out[1], 85);
  EXPECT_EQ(out[3], 135);  // right block: 60, 90, 180, 210
  pictrix::BoxResampler same(px, 12, 4, 2, 4, 2);
  uint8_t row[12];
  same.Row(1, row);
  EXPECT_EQ(std::memcmp(row, px + 12, 12), 0);
}

class HalftonedImages : public testing::Test {
 protected:
  void SetUp() override { live_ = PictrixLiveImages(); }
  void TearDown() override {
    PictrixFailAllocationAfter(-1);
    EXPECT_EQ(PictrixLiveImages(), live_);
  }
  static TDibImage Flat(int w, int h, int colour) {
    TDibImage d{};
    newdib(&d, w, h, 24, nullptr, 0);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) setpixel(d, x, y, colour);
    return d;
  }
  int live_ = 0;
};

TEST_F(HalftonedImages, AreEightBitWithTheirOwnRealisablePalette) {
  TDibImage src = Flat(16, 8, 0x2080C0);  // red 0x20, green 0x80, blue 0xC0
  TDibImage t{};
  DIBHalftoneDIB(&t, src);
  ASSERT_NE(t.Bits, nullptr);
  EXPECT_EQ(t.Info->bmiHeader.biBitCount, 8);
  EXPECT_EQ(t.Info->bmiHeader.biWidth, 16);
  EXPECT_EQ(t.Info->bmiHeader.biHeight, 8);
  EXPECT_EQ(t.HasPalette, 1);
  ASSERT_EQ(GetObjectType(t.Palette), static_cast<DWORD>(OBJ_PAL));
  PALETTEENTRY entries[256];
  ASSERT_EQ(GetPaletteEntries(t.Palette, 0, 256, entries), 256u);
  for (int i = 0; i < 256; ++i) {
    EXPECT_EQ(entries[i].peRed, t.Info->bmiColors[i].rgbRed);
    EXPECT_EQ(entries[i].peBlue, t.Info->bmiColors[i].rgbBlue);
  }
  double sum[3] = {};
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) {
      const RGBQUAD q = t.Info->bmiColors[getpixel(t, x, y)];
      sum[0] += q.rgbRed / 64.0;
      sum[1] += q.rgbGreen / 64.0;
      sum[2] += q.rgbBlue / 64.0;
    }
  EXPECT_NEAR(sum[0], 0x20, 1.0);
  EXPECT_NEAR(sum[1], 0x80, 1.0);
  EXPECT_NEAR(sum[2], 0xC0, 1.0);
  const HPALETTE palette = t.Palette;
  deldib(t);
  EXPECT_EQ(GetObjectType(palette), 0u) << "the image's palette is released with it";
  deldib(src);
}

TEST_F(HalftonedImages, ResampledCopyAveragesBlocks) {
  // 4 x 2 source whose left half is cube colour (51, 102, 153) and right half
  // black and white columns that average to (153, 153, 153)... as a cube gray.
  TDibImage src{};
  newdib(&src, 4, 2, 24, nullptr, 0);
  for (int y = 0; y < 2; ++y) {
    setpixel(src, 0, y, 0x336699);
    setpixel(src, 1, y, 0x336699);
    setpixel(src, 2, y, 0x666666);
    setpixel(src, 3, y, 0xCCCCCC);
  }
  TDibImage t{};
  DIBHalftoneDIBXY(&t, src, 2, 1);
  ASSERT_NE(t.Bits, nullptr);
  EXPECT_EQ(t.Info->bmiHeader.biWidth, 2);
  EXPECT_EQ(t.Info->bmiHeader.biHeight, 1);
  const RGBQUAD left = t.Info->bmiColors[getpixel(t, 0, 0)];
  const RGBQUAD right = t.Info->bmiColors[getpixel(t, 1, 0)];
  EXPECT_EQ(RGB(left.rgbRed, left.rgbGreen, left.rgbBlue), RGB(0x33, 0x66, 0x99));
  EXPECT_EQ(RGB(right.rgbRed, right.rgbGreen, right.rgbBlue), RGB(0x99, 0x99, 0x99));
  deldib(t);
  deldib(src);
}

TEST_F(HalftonedImages, RefuseWhatCannotBeHalftoned) {
  TDibImage eight{};
  newdib(&eight, 4, 4, 8, nullptr, 0);
  TDibImage t{};
  DIBHalftoneDIB(&t, eight);
  EXPECT_EQ(t.Bits, nullptr);
  deldib(eight);
  DIBHalftoneDIB(&t, eight);  // released source
  EXPECT_EQ(t.Bits, nullptr);
  TDibImage src = Flat(4, 4, 0);
  for (auto size : {std::pair{0, 4}, std::pair{4, -1}, std::pair{INT32_MAX, INT32_MAX}}) {
    DIBHalftoneDIBXY(&t, src, size.first, size.second);
    EXPECT_EQ(t.Bits, nullptr);
  }
  PictrixFailAllocationAfter(0);
  DIBHalftoneDIB(&t, src);
  EXPECT_EQ(t.Bits, nullptr);
  DIBHalftoneDIB(nullptr, src);
  deldib(src);
}

}  // namespace
