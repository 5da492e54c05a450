// Framed rows in each writer's layout: border columns, drawn pixels in the
// right channel order, rows in the right order, padding zero.
#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "core/band_rows.h"

using namespace core;

namespace {

// A drawn strip w x h, bottom-up, whose pixel (x, y from the top) is
// blue = x, green = y, red = 100 + x + y; padding bytes 0xEE.
std::vector<uint8_t> Drawn(int w, int h, int64_t stride) {
  std::vector<uint8_t> bits(size_t(stride * h), 0xEE);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      uint8_t* p = &bits[size_t((h - 1 - y) * stride + 3 * x)];
      p[0] = uint8_t(x);
      p[1] = uint8_t(y);
      p[2] = uint8_t(100 + x + y);
    }
  return bits;
}

// Pixel (x, y from the band's top) of a band, as blue, green, red.
std::array<uint8_t, 3> At(const std::vector<uint8_t>& band, const BandLayout& l, int rows, int x, int y) {
  const int memoryRow = l.bottomUp ? rows - 1 - y : y;
  const uint8_t* p = &band[size_t(memoryRow * l.stride + 3 * x)];
  return l.rgb ? std::array<uint8_t, 3>{p[2], p[1], p[0]} : std::array<uint8_t, 3>{p[0], p[1], p[2]};
}

}  // namespace

TEST(BandRows, ComposedRowsInEveryLayout) {
  const int w = 5, h = 3, left = 2, total = 9;  // two border columns left, two right
  const std::vector<uint8_t> drawn = Drawn(w, h, 16);
  const PixelBytes border{0x33, 0x22, 0x11};
  for (bool bottomUp : {false, true}) {
    for (bool rgb : {false, true}) {
      for (int64_t stride : {27, 28, 40}) {
        SCOPED_TRACE(testing::Message() << "bottomUp " << bottomUp << " rgb " << rgb << " stride " << stride);
        const BandLayout l{total, stride, bottomUp, rgb};
        std::vector<uint8_t> band(size_t(BandBytes(l, h)), 0xAB);
        ComposeRows(DrawnRows{drawn.data(), 16, w, h}, left, border, l, band.data());
        for (int y = 0; y < h; ++y) {
          for (int x = 0; x < total; ++x) {
            const auto px = At(band, l, h, x, y);
            if (x < left || x >= left + w) {
              EXPECT_EQ(px, (std::array<uint8_t, 3>{0x33, 0x22, 0x11})) << x << "," << y;
            } else {
              const int dx = x - left;
              EXPECT_EQ(px, (std::array<uint8_t, 3>{uint8_t(dx), uint8_t(y), uint8_t(100 + dx + y)})) << x << "," << y;
            }
          }
          const int memoryRow = bottomUp ? h - 1 - y : y;
          for (int64_t i = 3 * total; i < stride; ++i) EXPECT_EQ(band[size_t(memoryRow * stride + i)], 0) << "padding";
        }
      }
    }
  }
}

TEST(BandRows, WithoutBorderTheDrawnRowsAreTheBand) {
  const int w = 4, h = 6;
  const std::vector<uint8_t> drawn = Drawn(w, h, 12);
  const BandLayout bmp{w, 12, true, false};
  std::vector<uint8_t> band(size_t(BandBytes(bmp, h)), 0xAB);
  ComposeRows(DrawnRows{drawn.data(), 12, w, h}, 0, PixelBytes{1, 2, 3}, bmp, band.data());
  EXPECT_EQ(band, drawn) << "the same memory order and layout";
}

TEST(BandRows, BorderRowsAndOnlyAsManyAsAsked) {
  const BandLayout l{7, 24, false, true};
  std::vector<uint8_t> band(size_t(BandBytes(l, 4)), 0xAB);
  FillRows(3, PixelBytes{0x10, 0x20, 0x30}, l, band.data());
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 7; ++x) EXPECT_EQ(At(band, l, 3, x, y), (std::array<uint8_t, 3>{0x10, 0x20, 0x30}));
    for (int i = 21; i < 24; ++i) EXPECT_EQ(band[size_t(y * 24 + i)], 0);
  }
  for (size_t i = 3 * 24; i < band.size(); ++i) EXPECT_EQ(band[i], 0xAB) << "row 4 untouched";
  FillRows(0, PixelBytes{}, l, band.data());  // nothing at all
  EXPECT_EQ(band[0], 0x30);
}

// A single-pixel border on a one-pixel picture, and a wide frame around it.
TEST(BandRows, NarrowAndWideFrames) {
  const std::vector<uint8_t> drawn = Drawn(1, 2, 4);
  for (int left : {0, 1, 5}) {
    const int total = left + 1 + 3;
    const BandLayout l{total, 3 * int64_t{total}, true, false};
    std::vector<uint8_t> band(size_t(BandBytes(l, 2)));
    ComposeRows(DrawnRows{drawn.data(), 4, 1, 2}, left, PixelBytes{9, 9, 9}, l, band.data());
    for (int y = 0; y < 2; ++y)
      for (int x = 0; x < total; ++x) {
        const auto px = At(band, l, 2, x, y);
        EXPECT_EQ(px, x == left ? (std::array<uint8_t, 3>{0, uint8_t(y), uint8_t(100 + y)})
                                : (std::array<uint8_t, 3>{9, 9, 9}))
            << left << ": " << x << "," << y;
      }
  }
}
