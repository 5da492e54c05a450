// Bitmaps embedded in metafile records: the colour table and masks GDI reads
// for every header size, depth, compression and colour count, and the pixel
// rows, all inside the bytes the record gives the bitmap.
#include "core/dib_check.h"

#include <gtest/gtest.h>

#include "core/dib_format.h"
#include "core/emf_validator.h"
#include "tests/core/emf_builder.h"

using coretest::MakeDib;
namespace dib = core::dib;
namespace L = core::emr::layout;

namespace {

// A STRETCHDIBITS record with the pixels first and the bitmap header (with
// whatever colour table `info` holds) last, so anything GDI reads past the
// header's bytes lies past the record.
std::vector<uint8_t> HeaderLast(const coretest::Dib& d) {
  coretest::Record r(core::emr::kStretchDIBits, L::kStretchDIBitsBytes);
  r.I32(L::kStretchDIBitsSrc + 8, 1).I32(L::kStretchDIBitsSrc + 12, 1).U32(L::kStretchDIBitsRop, 0x00CC0020);
  r.I32(L::kStretchDIBitsDestSize, 10).I32(L::kStretchDIBitsDestSize + 4, 10);
  const auto& f = L::kStretchDIBitsSource;
  r.U32(f.offBits, r.Append(d.bits)).U32(f.cbBits, uint32_t(d.bits.size()));
  r.U32(f.offBmi, r.Append(d.info)).U32(f.cbBmi, uint32_t(d.info.size()));
  return coretest::EmfWith(r);
}

bool Accepted(const coretest::Dib& d) {
  const auto f = HeaderLast(d);
  return bool(core::ValidateEnhMetafile(f.data(), f.size()));
}

coretest::Dib Cut(coretest::Dib d, size_t infoBytes) {
  d.info.resize(infoBytes);
  return d;
}

coretest::Dib Masks(uint16_t bits, uint32_t header, uint32_t zeroMask = 3) {
  coretest::Dib d = MakeDib(2, 2, bits, dib::kBiBitfields, 0, header);
  if (zeroMask < 3)
    for (int i = 0; i < 4; ++i) d.info[dib::kMasks + 4 * zeroMask + i] = 0;
  return d;
}

}  // namespace

TEST(EmbeddedBitmaps, ColourTablesAndMasksAreCountedTheWayGdiReadsThem) {
  struct Case {
    const char* what;
    coretest::Dib dib;
    bool accepted;
  } cases[] = {
      {"8 bits, full table", MakeDib(2, 2, 8), true},
      {"8 bits, 16 colours used", MakeDib(2, 2, 8, 0, 16), true},
      {"8 bits, 16 colours used, 8 given", MakeDib(2, 2, 8, 0, 16, 40, 8), false},
      {"8 bits, no table", MakeDib(2, 2, 8, 0, 0, 40, 0), false},
      {"4 bits, 17 colours used", MakeDib(2, 2, 4, 0, 17), false},
      {"1 bit, black and white", MakeDib(2, 2, 1), true},
      {"1 bit, one colour", MakeDib(2, 2, 1, 0, 1), true},
      {"24 bits, no table", MakeDib(2, 2, 24), true},
      {"24 bits, 20 colours used and given", MakeDib(2, 2, 24, 0, 20), true},
      {"24 bits, 20 colours used, none given", MakeDib(2, 2, 24, 0, 20, 40, 0), false},
      {"32 bits, 257 colours used", MakeDib(2, 2, 32, 0, 257), false},
      {"8 bits, V4 header, full table", MakeDib(2, 2, 8, 0, 0, 108), true},
      {"8 bits, V5 header, table missing", MakeDib(2, 2, 8, 0, 0, 124, 0), false},
      {"32 bits, masks after a 40-byte header", Masks(32, 40), true},
      {"16 bits, masks in a V2 header", Masks(16, 52), true},
      {"32 bits, masks in a V3 header", Masks(32, 56), true},
      {"32 bits, masks in a V4 header", Masks(32, 108), true},
      {"32 bits, masks in a V5 header", Masks(32, 124), true},
      {"32 bits, masks cut by a 44-byte header", Cut(MakeDib(2, 2, 32, dib::kBiBitfields, 0, 44), 44), false},
      {"32 bits, masks cut by the bytes given", Cut(MakeDib(2, 2, 32, dib::kBiBitfields), 48), false},
      {"16 bits, a zero mask", Masks(16, 40, 1), false},
      {"24 bits with masks", MakeDib(2, 2, 24, dib::kBiBitfields), false},
      {"16 bits, masks and 4 colours used", MakeDib(2, 2, 16, dib::kBiBitfields, 4), true},
      {"16 bits, masks and 4 colours used, none given", MakeDib(2, 2, 16, dib::kBiBitfields, 4, 40, 0), false},
      {"64-byte header", MakeDib(2, 2, 24, 0, 0, 64), false},
      {"core header", MakeDib(2, 2, 24, 0, 0, 12), false},
      {"run-length encoded", MakeDib(2, 2, 8, dib::kBiRle8), false},
  };
  for (const auto& c : cases) EXPECT_EQ(Accepted(c.dib), c.accepted) << c.what;
}

TEST(EmbeddedBitmaps, PixelRowsMustAllBeThere) {
  coretest::Dib d = MakeDib(33, -3, 1);  // top-down, 8-byte rows
  EXPECT_TRUE(Accepted(d));
  d.bits.resize(d.bits.size() - 4);
  EXPECT_FALSE(Accepted(d));
  // 32768 x 32768 at 32 bits is 4 GB of pixels: as a 32-bit product it is 0.
  coretest::Dib huge = MakeDib(1, 1, 32);
  huge.info[dib::kWidth] = huge.info[dib::kHeight] = 0;
  huge.info[dib::kWidth + 1] = huge.info[dib::kHeight + 1] = 0x80;
  EXPECT_FALSE(Accepted(huge));
}

// A mono brush's player compares the first two colours after the 40-byte
// header with black and white, and with DIB_PAL_INDICES (no table) Wine still
// reads a table's worth of bytes after the header.
TEST(EmbeddedBitmaps, MonoBrushesHaveTheirTwoColoursInsideTheRecord) {
  auto brush = [](const coretest::Dib& d, uint32_t usage, bool headerLast) {
    coretest::Record r(core::emr::kCreateMonoBrush, L::kBrushBytes);
    r.U32(L::kBrushIndex, 1).U32(L::kBrushBitmap.usage, usage);
    const auto& f = L::kBrushBitmap;
    if (!headerLast) r.U32(f.offBmi, r.Append(d.info)).U32(f.cbBmi, uint32_t(d.info.size()));
    r.U32(f.offBits, r.Append(d.bits)).U32(f.cbBits, uint32_t(d.bits.size()));
    if (headerLast) r.U32(f.offBmi, r.Append(d.info)).U32(f.cbBmi, uint32_t(d.info.size()));
    const auto file = coretest::EmfWith(r);
    return bool(core::ValidateEnhMetafile(file.data(), file.size()));
  };
  const coretest::Dib mono = MakeDib(8, 8, 1), noTable = MakeDib(8, 8, 1, 0, 0, 40, 0);
  EXPECT_TRUE(brush(mono, dib::kRgbColors, true));
  EXPECT_FALSE(brush(MakeDib(8, 8, 1, 0, 1), dib::kRgbColors, false));  // one colour
  EXPECT_FALSE(brush(MakeDib(8, 8, 4), dib::kRgbColors, false));        // not monochrome
  EXPECT_TRUE(brush(noTable, dib::kPalIndices, false));                 // the bits follow the header
  EXPECT_FALSE(brush(noTable, dib::kPalIndices, true));                 // nothing follows it
  EXPECT_FALSE(brush(noTable, dib::kRgbColors, false));
  EXPECT_FALSE(brush(mono, dib::kPalColors, false));
}
