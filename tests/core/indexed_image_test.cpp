// The resource generator's picture files: palettes, GIF 89a and 16-colour BMP
// layouts, checked by reading the bytes back.
#include "core/indexed_image.h"

#include <gtest/gtest.h>

#include "core/le_bytes.h"

namespace {

// A plain GIF LZW decoder for one image, written from the format's rules, to
// read back what the encoder wrote.
std::vector<uint8_t> DecodeGifIndexes(const std::vector<uint8_t>& gif, size_t& pos) {
  const int minCodeSize = gif[pos++];
  std::vector<uint8_t> data;
  while (gif[pos] != 0) {
    const size_t n = gif[pos++];
    data.insert(data.end(), gif.begin() + pos, gif.begin() + pos + n);
    pos += n;
  }
  ++pos;
  const uint32_t clear = 1u << minCodeSize, end = clear + 1;
  std::vector<std::vector<uint8_t>> table;
  auto reset = [&] {
    table.clear();
    for (uint32_t i = 0; i < clear + 2; ++i) table.push_back({uint8_t(i)});
  };
  reset();
  int codeSize = minCodeSize + 1;
  size_t bit = 0;
  std::vector<uint8_t> out;
  int prev = -1;
  for (;;) {
    uint32_t code = 0;
    for (int i = 0; i < codeSize; ++i, ++bit) code |= uint32_t((data.at(bit / 8) >> (bit % 8)) & 1) << i;
    if (code == clear) {
      reset();
      codeSize = minCodeSize + 1;
      prev = -1;
      continue;
    }
    if (code == end) break;
    std::vector<uint8_t> entry;
    if (code < table.size()) {
      entry = table[code];
      if (prev >= 0 && table.size() < 4096) {
        auto added = table[prev];
        added.push_back(entry[0]);
        table.push_back(added);
      }
    } else {
      EXPECT_EQ(code, table.size());
      entry = table.at(prev);
      entry.push_back(entry[0]);
      if (table.size() < 4096) table.push_back(entry);
    }
    out.insert(out.end(), entry.begin(), entry.end());
    if (table.size() == (size_t{1} << codeSize) && codeSize < 12) ++codeSize;
    prev = int(code);
  }
  return out;
}

std::vector<uint32_t> Pattern(int w, int h, int colours) {
  std::vector<uint32_t> px(size_t(w) * h);
  uint32_t seed = 7;
  for (auto& p : px) {
    seed = seed * 1103515245u + 12345u;
    // Runs of equal pixels and noise, so the LZW table both repeats and fills up.
    p = ((seed >> 16) % 5 == 0) ? 0x102030u * ((seed >> 8) % colours) : 0x00FF00u;
  }
  return px;
}

}  // namespace

TEST(IndexedImage, PaletteInFirstSeenOrderAndTheColourLimit) {
  const auto img = core::ToIndexed({0xFF0000, 0x00FF00, 0xFF0000, 0x0000FF}, 2, 2, 16);
  ASSERT_TRUE(img);
  EXPECT_EQ(img->palette, (std::vector<uint32_t>{0xFF0000, 0x00FF00, 0x0000FF}));
  EXPECT_EQ(img->indexes, (std::vector<uint8_t>{0, 1, 0, 2}));
  EXPECT_FALSE(core::ToIndexed({1, 2, 3, 4}, 2, 2, 3));
  EXPECT_FALSE(core::ToIndexed({1, 2, 3}, 2, 2, 16)) << "pixel count must match the size";
}

TEST(IndexedImage, GifRoundTripsEveryPaletteSizeAndAFullTable) {
  const struct {
    int w, h, colours;
  } cases[] = {{1, 1, 1}, {2, 2, 2}, {101, 30, 5}, {101, 30, 16}, {200, 150, 200}, {300, 300, 40}};
  for (const auto& c : cases) {
    const auto img = core::ToIndexed(Pattern(c.w, c.h, c.colours), c.w, c.h, 256);
    ASSERT_TRUE(img);
    const std::vector<uint8_t> gif = core::EncodeGif89a(*img);
    ASSERT_GT(gif.size(), 13u);
    EXPECT_EQ(std::string(gif.begin(), gif.begin() + 6), "GIF89a");
    core::ByteReader r(gif.data(), gif.size());
    EXPECT_EQ(r.U16(6), c.w);
    EXPECT_EQ(r.U16(8), c.h);
    const int tableBits = (gif[10] & 7) + 1;
    EXPECT_GE(size_t{1} << tableBits, img->palette.size());
    size_t pos = 13 + 3 * (size_t{1} << tableBits);
    ASSERT_EQ(gif[pos], 0x2C);
    pos += 10;
    EXPECT_EQ(DecodeGifIndexes(gif, pos), img->indexes) << c.w << "x" << c.h;
    EXPECT_EQ(gif.at(pos), 0x3B);
    EXPECT_EQ(pos + 1, gif.size());
  }
}

TEST(IndexedImage, SixteenColourBmpLayout) {
  // 3 x 2: odd width, rows padded to 4 bytes, stored bottom-up, high nibble first.
  const auto img = core::ToIndexed({0x000000, 0xFFFFFF, 0x808000, 0x808000, 0x000000, 0xFFFFFF}, 3, 2, 16);
  ASSERT_TRUE(img);
  const std::vector<uint8_t> bmp = core::EncodeBmp4(*img);
  core::ByteReader r(bmp.data(), bmp.size());
  EXPECT_EQ(bmp[0], 'B');
  EXPECT_EQ(r.U32(2), bmp.size());
  EXPECT_EQ(r.U32(10), 14u + 40 + 64);
  EXPECT_EQ(r.I32(18), 3);
  EXPECT_EQ(r.I32(22), 2);
  EXPECT_EQ(r.U16(28), 4);
  // Colour table entry 2 is olive as blue, green, red, 0.
  EXPECT_EQ(r.U32(54 + 8), 0x00808000u);
  const size_t pixels = 14 + 40 + 64;
  // Bottom row first: olive(2), black(0), white(1).
  EXPECT_EQ(bmp[pixels + 0], 0x20);
  EXPECT_EQ(bmp[pixels + 1], 0x10);
  // Top row: black(0), white(1), olive(2).
  EXPECT_EQ(bmp[pixels + 4], 0x01);
  EXPECT_EQ(bmp[pixels + 5], 0x20);
  EXPECT_EQ(bmp.size(), pixels + 8);
}
