// Whole renders: strips, progress, frame placement and colour, and that a
// drawing made in strips is the drawing made in one pass.
#include <gtest/gtest.h>

#include <cstring>

#include "tests/render/renderer_fixtures.h"

using namespace render;
using renderertest::Harness;
using renderertest::PixelAt;

namespace {

RenderSettings Plain(int32_t w, int32_t h) {
  RenderSettings s;
  s.width = w;
  s.height = h;
  return s;
}

RenderSettings Framed(int32_t w, int32_t h, int32_t l, int32_t t, int32_t r, int32_t b, uint32_t color) {
  RenderSettings s = Plain(w, h);
  s.border = true;
  s.left = l;
  s.top = t;
  s.right = r;
  s.bottom = b;
  s.color = color;
  return s;
}

}  // namespace

// The strip heights are read from the bitmap each drawing went into. A short
// last strip must be a bitmap of its own height: reading fewer rows than a
// bitmap has yields its bottom rows on Windows (Wine 8 yields the top ones,
// so there only this check, not the pixels, would notice a 500-row last strip).
TEST(StripRenderer, StripsOfFiveHundredRowsWithProgress) {
  struct Case {
    int32_t height;
    std::vector<int> rows, tops, progress;
  };
  const Case cases[] = {
      {500, {500}, {0}, {100, 0}},
      {1001, {500, 500, 1}, {0, -500, -1000}, {49, 99, 100, 0}},
  };
  for (const Case& c : cases) {
    Harness h;
    StripRenderer r(h.Context());
    raster::OwnedDib pic = r.Render(Plain(123, c.height));
    ASSERT_TRUE(pic) << c.height;
    EXPECT_EQ(DIBWidth(pic.get()), 123);
    EXPECT_EQ(DIBHeight(pic.get()), c.height);
    EXPECT_EQ(DIBBitCount(pic.get()), 24);
    std::vector<int> rows, tops;
    for (const auto& d : h.draws) {
      rows.push_back(d.stripRows);
      tops.push_back(d.top);
      EXPECT_EQ(d.stripWidth, 123);
      EXPECT_EQ(d.left, 0);
      EXPECT_EQ(d.width, 123);
      EXPECT_EQ(d.height, c.height);  // the whole document, shifted up
    }
    EXPECT_EQ(rows, c.rows);
    EXPECT_EQ(tops, c.tops);
    EXPECT_EQ(h.progress, c.progress);
    EXPECT_TRUE(h.modal.messages.empty());
  }
}

TEST(StripRenderer, FrameAroundThePictureAtTruncatedOffsets) {
  // 750 x 1000 with 5 % on each side: 825 x 1100, picture at column 37, row 50.
  const RenderSettings s = Framed(750, 1000, 5, 5, 5, 5, 0x00332211);
  Harness h(nullptr);  // no document: white inside the frame
  StripRenderer r(h.Context());
  raster::OwnedDib pic = r.Render(s);
  ASSERT_TRUE(pic);
  ASSERT_EQ(DIBWidth(pic.get()), 825);
  ASSERT_EQ(DIBHeight(pic.get()), 1100);
  EXPECT_EQ(renderertest::FramePixelsNotColored(pic.get(), s), 0);
  // Memory order of the colour 0x00332211 is 33 22 11.
  const uint8_t* corner = static_cast<const uint8_t*>(pic.get().Bits);
  EXPECT_EQ(corner[0], 0x33);
  EXPECT_EQ(corner[1], 0x22);
  EXPECT_EQ(corner[2], 0x11);
  // The picture's corners, white, and their neighbours outside, framed.
  for (auto [x, y] : {std::pair{37, 50}, {786, 50}, {37, 1049}, {786, 1049}}) {
    const uint8_t* p = PixelAt(pic.get(), x, y);
    EXPECT_EQ(p[0] + p[1] + p[2], 3 * 255) << x << "," << y;
  }
  EXPECT_EQ(PixelAt(pic.get(), 36, 50)[0], 0x33);
  EXPECT_EQ(PixelAt(pic.get(), 787, 50)[0], 0x33);
  EXPECT_EQ(PixelAt(pic.get(), 37, 49)[0], 0x33);
  EXPECT_EQ(PixelAt(pic.get(), 37, 1050)[0], 0x33);
  EXPECT_EQ(renderertest::RowsDifferingFromOnePass(pic.get(), s, nullptr), std::vector<int>{});
}

TEST(StripRenderer, NoDocumentGivesWhiteRowsWithPaddingFromTheStrips) {
  Harness h(nullptr);
  StripRenderer r(h.Context());
  raster::OwnedDib pic = r.Render(Plain(999, 1142));
  ASSERT_TRUE(pic);
  const uint8_t* bits = static_cast<const uint8_t*>(pic.get().Bits);
  int64_t notWhite = 0;
  for (int y = 0; y < 1142; ++y)
    for (int x = 0; x < 3 * 999; ++x) notWhite += bits[int64_t{y} * pic.get().BytesPerRow + x] != 0xFF;
  EXPECT_EQ(notWhite, 0);
  EXPECT_TRUE(h.draws.empty());
  EXPECT_EQ(h.progress, (std::vector<int>{43, 87, 100, 0}));
}

// The seams: a drawing made strip by strip equals the same drawing made once
// into a DIB of the full size, row for row and byte for byte, whatever the
// height's remainder, the row padding and the frame; the frame keeps its colour.
TEST(StripRenderer, StripsAreSeamless) {
  const RenderSettings cases[] = {
      Plain(999, 1142),                               // 3000-byte rows, 2 x 500 + 142
      Plain(1000, 1500),                              // a multiple of 500
      Plain(301, 28 * 500 + 142),                     // 29 strips, padded rows
      Framed(999, 1142, 5, 5, 5, 5, 0x00FF8040),
      Framed(502, 1000, 3, 7, 11, 13, 0x00000000),
      Framed(1, 501, 50, 1, 50, 1, 0x00FFFFFF),
      Framed(61, 677, 0, 100, 0, 1000, 0x0000FF00),  // twelve heights, the picture in rows H .. 2H-1
      Framed(257, 300, 0, 0, 0, 0, 0x00123456),      // a frame of zero, filled, then overwritten
  };
  for (const RenderSettings& s : cases) {
    Harness h;
    StripRenderer r(h.Context());
    raster::OwnedDib pic = r.Render(s);
    ASSERT_TRUE(pic) << s.width << "x" << s.height;
    const FrameGeometry f = ComputeFrame(s);
    EXPECT_EQ(DIBWidth(pic.get()), f.totalWidth);
    EXPECT_EQ(DIBHeight(pic.get()), f.totalHeight);
    EXPECT_EQ(renderertest::RowsDifferingFromOnePass(pic.get(), s, renderertest::DrawShapes), std::vector<int>{})
        << s.width << "x" << s.height << " border " << s.border;
    if (s.border) {
      EXPECT_EQ(renderertest::FramePixelsNotColored(pic.get(), s), 0);
    }
  }
}
