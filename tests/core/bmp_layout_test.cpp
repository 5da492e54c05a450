// The BMP file layout: header bytes read back field by field, strides of wide
// rows and the 4 GB limit, with sizes whose products wrap in 32 bits.
#include <gtest/gtest.h>

#include "core/bmp_layout.h"
#include "core/le_bytes.h"

using namespace core;

TEST(BmpLayout, HeaderBytesOfABottomUp24BitPicture) {
  const auto l = MakeBmpLayout(999, 3, 0);
  ASSERT_TRUE(l);
  ASSERT_EQ(l->header.size(), 54u);
  const ByteReader r(l->header.data(), l->header.size());
  EXPECT_EQ(r.U8(0), 'B');
  EXPECT_EQ(r.U8(1), 'M');
  EXPECT_EQ(r.U32(2), 54u + 3000u * 3u);  // file size
  EXPECT_EQ(r.U32(6), 0u);                // reserved
  EXPECT_EQ(r.U32(10), 54u);              // pixels start after the headers
  EXPECT_EQ(r.U32(14), 40u);              // info header size
  EXPECT_EQ(r.I32(18), 999);
  EXPECT_EQ(r.I32(22), 3);  // positive: bottom row first
  EXPECT_EQ(r.U16(26), 1);
  EXPECT_EQ(r.U16(28), 24);
  EXPECT_EQ(r.U32(30), 0u);  // uncompressed
  EXPECT_EQ(r.U32(34), 9000u);
  for (uint64_t off = 38; off < 54; off += 4) EXPECT_EQ(r.U32(off), 0u) << off;  // no resolution given
  EXPECT_EQ(l->stride, 3000);
  EXPECT_EQ(l->imageBytes, 9000u);
  EXPECT_EQ(l->fileBytes, 9054u);
  for (auto [w, h] : {std::pair{0, 5}, {5, 0}, {-1, 5}, {5, -1}, {INT32_MIN, INT32_MIN}})
    EXPECT_FALSE(MakeBmpLayout(w, h, 96)) << w << " x " << h;
}

// The resolution goes into both pixels-per-metre fields, rounded to the nearest.
TEST(BmpLayout, ResolutionIsStoredAsPixelsPerMetre) {
  const struct {
    int32_t dpi;
    uint32_t perMetre;
  } cases[] = {{96, 3780}, {72, 2835}, {300, 11811}, {1, 39}, {600, 23622}, {65535, 2580118}};
  for (const auto& c : cases) {
    const auto l = MakeBmpLayout(10, 10, c.dpi);
    ASSERT_TRUE(l);
    const ByteReader r(l->header.data(), l->header.size());
    EXPECT_EQ(r.U32(38), c.perMetre) << c.dpi;
    EXPECT_EQ(r.U32(42), c.perMetre) << c.dpi;
    EXPECT_EQ(r.U32(46), 0u);
  }
}

// A band of rows, bottom row first, goes to the offset of its lowest row.
TEST(BmpLayout, BandOffsetsTileTheFileBottomUp) {
  const auto l = MakeBmpLayout(999, 1001, 96);  // 3000-byte rows
  ASSERT_TRUE(l);
  EXPECT_EQ(l->BandOffset(1001, 0, 500), 54u + 501u * 3000u);  // the top band ends the file
  EXPECT_EQ(l->BandOffset(1001, 500, 500), 54u + 1u * 3000u);
  EXPECT_EQ(l->BandOffset(1001, 1000, 1), 54u);                // the bottom row opens the pixels
  EXPECT_EQ(l->BandOffset(1001, 0, 500) + 500u * 3000u, l->fileBytes);
  // Past 4 GB of offsets in 64 bits: the top row of a 1 x 1073741810 picture.
  const auto tall = MakeBmpLayout(1, 1073741810, 96);
  ASSERT_TRUE(tall);
  EXPECT_EQ(tall->BandOffset(1073741810, 0, 1), 54u + 4u * 1073741809u);
}

TEST(BmpLayout, SizesPast32BitsAreExactAndFilesPastFourGigabytesRefused) {
  const struct {
    int32_t width, height;
    int64_t stride;
    uint64_t imageBytes;  // 0: refused
  } cases[] = {
      {1, 1073741810, 4, 4294967240u},         // the last height that fits: 4294967294 bytes in all
      {1, 1073741811, 4, 0},                   // two bytes too many
      {30000, 30000, 90000, 2700000000u},      // past 2^31: an int would wrap
      {33000, 33000, 99000, 3267000000u},      // 30000 x 30000 with 5 % borders
      {60000, 20000, 180000, 3600000000u},     // 60000-pixel rows
      {60000, 30000, 180000, 0},               // 5.4 GB
      {54000, 30000, 162000, 0},               // 4.86 GB: a 32-bit product would read 0.57 GB
      {90000, 360000, 270000, 0},              // the largest framed picture, 97 GB
      {INT32_MAX, INT32_MAX, 0, 0},
  };
  for (const auto& c : cases) {
    const auto l = MakeBmpLayout(c.width, c.height, 96);
    if (c.imageBytes == 0) {
      EXPECT_FALSE(l) << c.width << " x " << c.height;
      continue;
    }
    ASSERT_TRUE(l) << c.width << " x " << c.height;
    EXPECT_EQ(l->stride, c.stride);
    EXPECT_EQ(l->imageBytes, c.imageBytes);
    EXPECT_EQ(l->fileBytes, c.imageBytes + 54);
    const ByteReader r(l->header.data(), l->header.size());
    EXPECT_EQ(r.U32(2), c.imageBytes + 54);
    EXPECT_EQ(r.U32(34), c.imageBytes);
  }
}
