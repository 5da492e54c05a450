// Choosing the way of drawing, halftoning on palette screens, the device's own
// stretching with its two fallbacks and their messages, and palettes.
#include <set>

#include "raster/draw_dib.h"
#include "tests/raster/raster_fixtures.h"
#include "tests/support/modal_recorder.h"
#include "tests/support/pixels.h"

using namespace rastertest;
using raster::OwnedDib;
using testsupport::DibCanvas;

namespace {

const COLORREF kWhite = RGB(255, 255, 255);

using Ways = DrawFixture;

std::set<COLORREF> PaletteColours(HPALETTE p) {
  PALETTEENTRY e[256];
  const UINT n = GetPaletteEntries(p, 0, 256, e);
  std::set<COLORREF> s;
  for (UINT i = 0; i < n; ++i) s.insert(RGB(e[i].peRed, e[i].peGreen, e[i].peBlue));
  return s;
}

// An indexed image whose table entry i is a distinct colour.
OwnedDib IndexedImage(int w, int h, int bits) {
  OwnedDib d = OwnedDib::New(w, h, bits);
  const int n = 1 << bits;
  for (int i = 0; i < n; ++i) d.get().Info->bmiColors[i] = RGBQUAD{BYTE(i * 13), BYTE(200 - i), BYTE(i * 3 + 1), 0};
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) setpixel(d.get(), x, y, (x * 3 + y * 5) % n);
  return d;
}

COLORREF ColourOf(const OwnedDib& d, int x, int memoryRow) {
  const int v = getpixel(d.get(), x, memoryRow);
  if (DIBBitCount(d.get()) > 8) return RGB((v >> 16) & 255, (v >> 8) & 255, v & 255);
  const RGBQUAD q = d.get().Info->bmiColors[v];
  return RGB(q.rgbRed, q.rgbGreen, q.rgbBlue);
}

TEST_F(Ways, PaletteScreensGetAHalftonedCopyWhenAllowed) {
  const raster::ScopedScreenDepth screen(8);
  const OwnedDib img = PatternImage(16, 16);
  DibCanvas canvas(16, 16);
  const HGDIOBJ before = GetCurrentObject(canvas.dc(), OBJ_PAL);
  DrawDIB(canvas.dc(), 0, 0, 16, 16, img.get(), 0, 0, 16, 16, true, SRCCOPY, true, nullptr);
  EXPECT_EQ(FakeDevice::stretchDIBitsCalls, 1);
  EXPECT_EQ(FakeDevice::lastStretchBits, 8);
  EXPECT_EQ(FakeDevice::setDIBitsToDeviceCalls, 0);
  EXPECT_EQ(FakeDevice::paletteAtDraw, img.get().Palette);
  EXPECT_EQ(GetCurrentObject(canvas.dc(), OBJ_PAL), before);
  const std::set<COLORREF> palette = PaletteColours(img.get().Palette);
  ASSERT_EQ(palette.size(), 256u);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) ASSERT_TRUE(palette.count(canvas.At(x, y))) << x << "," << y;

  // Without permission to halftone the row way draws the exact colours.
  DrawDIB(canvas.dc(), 0, 0, 16, 16, img.get(), 0, 0, 16, 16, false, SRCCOPY, true, nullptr);
  EXPECT_EQ(FakeDevice::stretchDIBitsCalls, 1);
  EXPECT_EQ(FakeDevice::setDIBitsToDeviceCalls, 16);
  EXPECT_EQ(canvas.At(5, 9), Pattern(5, 9));
}

TEST_F(Ways, HalftoningWhileShrinkingReducesFirstAndDrawsOneToOne) {
  const raster::ScopedScreenDepth screen(8);
  const OwnedDib img = PatternImage(40, 20);
  DibCanvas canvas(10, 10);
  // Source columns 10..29 of all rows into 10 x 10: the copy is 20 x 10 and
  // its columns 5..14 are drawn unscaled.
  DrawDIB(canvas.dc(), 0, 0, 10, 10, img.get(), 10, 0, 20, 20, true, SRCCOPY, true, nullptr);
  EXPECT_EQ(FakeDevice::stretchDIBitsCalls, 1);
  EXPECT_EQ(FakeDevice::lastStretch, (std::array<int, 8>{0, 0, 10, 10, 5, 0, 10, 10}));
}

TEST_F(Ways, RasterPrintersGetTheDeviceStretchWithTheRop) {
  FakeDevice::technology = DT_RASPRINTER;
  const OwnedDib img = PatternImage(6, 4);
  DibCanvas canvas(6, 4, RGB(255, 255, 255));
  DrawDIB(canvas.dc(), 0, 0, 6, 4, img.get(), 0, 0, 6, 4, true, SRCINVERT, true, nullptr);
  EXPECT_EQ(FakeDevice::stretchDIBitsCalls, 1);
  EXPECT_EQ(FakeDevice::lastRop, static_cast<DWORD>(SRCINVERT));
  EXPECT_EQ(FakeDevice::setDIBitsToDeviceCalls, 0);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 6; ++x) ASSERT_EQ(canvas.At(x, y), Pattern(x, y) ^ 0xFFFFFF) << x << "," << y;

  const OwnedDib eight = IndexedImage(4, 4, 8);
  DrawDIB(canvas.dc(), 0, 0, 4, 4, eight.get(), 0, 0, 4, 4, true, SRCCOPY, true, nullptr);
  EXPECT_EQ(FakeDevice::stretchDIBitsCalls, 2);
  EXPECT_EQ(FakeDevice::lastStretchBits, 8);

  // Whether to halftone depends on the screen, not on the printer.
  const raster::ScopedScreenDepth screen(8);
  DrawDIB(canvas.dc(), 0, 0, 6, 4, img.get(), 0, 0, 6, 4, true, SRCCOPY, true, nullptr);
  EXPECT_EQ(FakeDevice::lastStretchBits, 8);
}

TEST_F(Ways, LowDepthImagesUseTheDeviceStretchEverywhere) {
  for (int bits : {1, 4}) {
    FakeDevice::stretchDIBitsCalls = 0;
    const OwnedDib img = IndexedImage(7, 5, bits);
    DibCanvas canvas(7, 5);
    DrawDIB(canvas.dc(), 0, 0, 7, 5, img.get(), 0, 0, 7, 5, true, SRCCOPY, true, nullptr);
    EXPECT_EQ(FakeDevice::stretchDIBitsCalls, 1) << bits;
    for (int y = 0; y < 5; ++y)
      for (int x = 0; x < 7; ++x) ASSERT_EQ(canvas.At(x, y), ColourOf(img, x, 4 - y)) << bits << ":" << x << "," << y;
  }
}

TEST_F(Ways, DevicesRefusingStretchGetAScratchCopyIncludingBothEndPoints) {
  FakeDevice::refuseStretchDIBits = true;
  FakeDevice::rasterCaps = RC_DIBTODEV;
  for (int bits : {1, 4, 8, 24}) {
    const OwnedDib img = bits == 24 ? PatternImage(5, 4) : IndexedImage(5, 4, bits);
    DibCanvas canvas(9, 7);
    FakeDevice::setDIBitsToDeviceCalls = 0;
    DrawDIB(canvas.dc(), 0, 0, 9, 7, img.get(), 0, 0, 5, 4, true, SRCCOPY, true, nullptr);
    if (bits >= 8) {  // 8 and 24 bits only take this way on printers
      EXPECT_EQ(FakeDevice::setDIBitsToDeviceCalls, 7) << "row way for " << bits;
      continue;
    }
    EXPECT_EQ(FakeDevice::setDIBitsToDeviceCalls, 1) << bits;
    for (int t = 0; t < 7; ++t)
      for (int u = 0; u < 9; ++u) {
        const int x = 4 * u / 8, memoryRow = 3 * (6 - t) / 6;
        ASSERT_EQ(canvas.At(u, t), ColourOf(img, x, memoryRow)) << bits << ":" << u << "," << t;
      }
  }
  FakeDevice::technology = DT_RASPRINTER;  // now 8 and 24 bits come this way too
  for (int bits : {8, 24}) {
    const OwnedDib img = bits == 24 ? PatternImage(5, 4) : IndexedImage(5, 4, bits);
    DibCanvas canvas(9, 1);
    DrawDIB(canvas.dc(), 0, 0, 9, 1, img.get(), 0, 0, 5, 4, true, SRCCOPY, true, nullptr);
    // One destination row: every pixel from the first memory row (the bottom).
    for (int u = 0; u < 9; ++u) ASSERT_EQ(canvas.At(u, 0), ColourOf(img, 4 * u / 8, 0)) << bits << ":" << u;
  }
}

TEST_F(Ways, DevicesWithoutDibsGetADeviceBitmapOfTheRightRows) {
  FakeDevice::refuseStretchDIBits = true;
  FakeDevice::technology = DT_RASPRINTER;
  FakeDevice::rasterCaps = 0;
  const OwnedDib img = PatternImage(6, 5);
  DibCanvas canvas(3, 2);
  // Columns 1..3 of rows 1..2 counted from the bottom: rows 2..3 from the top.
  DrawDIB(canvas.dc(), 0, 0, 3, 2, img.get(), 1, 1, 3, 2, true, SRCCOPY, true, nullptr);
  EXPECT_EQ(FakeDevice::stretchBltCalls, 1);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) ASSERT_EQ(canvas.At(x, y), Pattern(1 + x, 2 + y)) << x << "," << y;

  // A device that takes DIBs but then refuses the scratch copy ends here too.
  FakeDevice::rasterCaps = RC_DIBTODEV;
  FakeDevice::refuseSetDIBitsToDevice = true;
  DibCanvas again(6, 5);
  DrawDIB(again.dc(), 0, 0, 6, 5, img.get(), 0, 0, 6, 5, true, SRCCOPY, true, nullptr);
  EXPECT_EQ(FakeDevice::stretchBltCalls, 2);
  EXPECT_EQ(again.At(4, 1), Pattern(4, 1));
}

TEST_F(Ways, EachFailedFallbackShowsItsMessageAndDrawsNothing) {
  FakeDevice::refuseStretchDIBits = true;
  FakeDevice::technology = DT_RASPRINTER;
  FakeDevice::rasterCaps = 0;
  const OwnedDib img = PatternImage(4, 4);
  const struct { bool* refuse; const wchar_t* text; } cases[] = {
      {&FakeDevice::refuseCompatibleBitmap, L"Could not create bitmap."},
      {&FakeDevice::refuseSetDIBits, L"The device does not support the Funtkion setdibits!"},
      {&FakeDevice::refuseStretchBlt, L"The device does not support the function StretchBlt!"}};
  for (const auto& c : cases) {
    *c.refuse = true;
    testsupport::ScopedRecorder rec;
    DibCanvas canvas(4, 4);
    DrawDIB(canvas.dc(), 0, 0, 4, 4, img.get(), 0, 0, 4, 4, true, SRCCOPY, true, nullptr);
    ASSERT_EQ(rec.messages.size(), 1u);
    EXPECT_EQ(rec.messages[0].text, c.text);
    EXPECT_FALSE(rec.messages[0].hasCaption);
    EXPECT_EQ(rec.messages[0].owner, nullptr);
    EXPECT_EQ(rec.messages[0].type, static_cast<UINT>(MB_OK));
    EXPECT_EQ(canvas.At(2, 2), kWhite);
    *c.refuse = false;
  }
}

TEST_F(Ways, ImagesWithAPaletteSelectItAndRestoreTheOldOne) {
  const OwnedDib src = PatternImage(8, 8);
  const OwnedDib t = OwnedDib::Halftone(src.get());  // 8 bits, own palette
  ASSERT_TRUE(t);
  ASSERT_EQ(t.get().HasPalette, 1);
  DibCanvas canvas(8, 8);
  const HGDIOBJ before = GetCurrentObject(canvas.dc(), OBJ_PAL);
  DrawDIB(canvas.dc(), 0, 0, 8, 8, t.get(), 0, 0, 8, 8, true, SRCCOPY, true, nullptr);
  EXPECT_EQ(FakeDevice::paletteAtDraw, t.get().Palette);
  EXPECT_EQ(GetCurrentObject(canvas.dc(), OBJ_PAL), before);

  LOGPALETTE one{0x300, 1, {{1, 2, 3, 0}}};
  const HPALETTE other = CreatePalette(&one);
  DrawDIB(canvas.dc(), 0, 0, 8, 8, t.get(), 0, 0, 8, 8, true, SRCCOPY, false, other);
  EXPECT_EQ(FakeDevice::paletteAtDraw, other);
  EXPECT_EQ(GetCurrentObject(canvas.dc(), OBJ_PAL), before);
  // Without HasPalette nothing is selected.
  DrawDIB(canvas.dc(), 0, 0, 8, 8, src.get(), 0, 0, 8, 8, true, SRCCOPY, false, other);
  EXPECT_EQ(FakeDevice::paletteAtDraw, before);
  DeleteObject(other);
}

TEST_F(Ways, NothingToDrawWithMeansNothingDrawnAndNothingLeaked) {
  const OwnedDib img = PatternImage(4, 4);
  DibCanvas canvas(4, 4);
  PictrixFailAllocationAfter(0);  // the row image
  DrawDIB(canvas.dc(), 0, 0, 4, 4, img.get(), 0, 0, 4, 4, true, SRCCOPY, true, nullptr);
  {
    const raster::ScopedScreenDepth screen(8);
    PictrixFailAllocationAfter(0);  // the halftoned copy
    DrawDIB(canvas.dc(), 0, 0, 4, 4, img.get(), 0, 0, 4, 4, true, SRCCOPY, true, nullptr);
  }
  DrawDIB(canvas.dc(), 0, 0, 4, 4, img.get(), 0, 0, 0, 4, true, SRCCOPY, true, nullptr);  // empty source
  TDibImage noPixels = img.get();
  noPixels.Bits = nullptr;  // as after a failed allocation
  DrawDIB(canvas.dc(), 0, 0, 4, 4, noPixels, 0, 0, 4, 4, true, SRCCOPY, true, nullptr);
  EXPECT_EQ(FakeDevice::setDIBitsToDeviceCalls + FakeDevice::stretchDIBitsCalls, 0);
  for (int y = 0; y < 4; ++y) EXPECT_EQ(canvas.At(y, y), kWhite);
}

}  // namespace
