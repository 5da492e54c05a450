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

// What becomes of the record: played, left out of the copy, or the file refused.
enum Fate { kPlay, kLeaveOut, kRefuse };

Fate FateOf(const std::vector<uint8_t>& file) {
  const core::PreparedEmf p = core::PrepareEnhMetafile(file.data(), file.size());
  return !p.verdict ? kRefuse : p.leftOut ? kLeaveOut : kPlay;
}

Fate Accepted(const coretest::Dib& d) { return FateOf(HeaderLast(d)); }

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
    Fate fate;
  } cases[] = {
      {"8 bits, full table", MakeDib(2, 2, 8), kPlay},
      {"8 bits, 16 colours used", MakeDib(2, 2, 8, 0, 16), kPlay},
      {"8 bits, 16 colours used, 8 given: the 8 are stated", MakeDib(2, 2, 8, 0, 16, 40, 8), kPlay},
      {"8 bits, no table", MakeDib(2, 2, 8, 0, 0, 40, 0), kRefuse},
      {"4 bits, 17 colours used: 16 are read", MakeDib(2, 2, 4, 0, 17), kPlay},
      {"1 bit, black and white", MakeDib(2, 2, 1), kPlay},
      {"1 bit, one colour", MakeDib(2, 2, 1, 0, 1), kPlay},
      {"24 bits, no table", MakeDib(2, 2, 24), kPlay},
      {"24 bits, 20 colours used and given", MakeDib(2, 2, 24, 0, 20), kPlay},
      {"24 bits, 20 colours used, none given: none are read", MakeDib(2, 2, 24, 0, 20, 40, 0), kPlay},
      {"32 bits, 257 colours used", MakeDib(2, 2, 32, 0, 257), kPlay},
      {"8 bits, V4 header, full table", MakeDib(2, 2, 8, 0, 0, 108), kPlay},
      {"8 bits, V5 header, table missing", MakeDib(2, 2, 8, 0, 0, 124, 0), kRefuse},
      {"32 bits, masks after a 40-byte header", Masks(32, 40), kPlay},
      {"16 bits, masks in a V2 header", Masks(16, 52), kPlay},
      {"32 bits, masks in a V3 header", Masks(32, 56), kPlay},
      {"32 bits, masks in a V4 header", Masks(32, 108), kPlay},
      {"32 bits, masks in a V5 header", Masks(32, 124), kPlay},
      {"32 bits, masks cut by a 44-byte header", Cut(MakeDib(2, 2, 32, dib::kBiBitfields, 0, 44), 44), kRefuse},
      {"32 bits, masks cut by the bytes given", Cut(MakeDib(2, 2, 32, dib::kBiBitfields), 48), kRefuse},
      {"16 bits, a zero mask", Masks(16, 40, 1), kPlay},
      {"24 bits with masks", MakeDib(2, 2, 24, dib::kBiBitfields), kLeaveOut},
      {"16 bits, masks and 4 colours used", MakeDib(2, 2, 16, dib::kBiBitfields, 4), kPlay},
      {"16 bits, masks and 4 colours used, none given", MakeDib(2, 2, 16, dib::kBiBitfields, 4, 40, 0), kPlay},
      {"64-byte header", MakeDib(2, 2, 24, 0, 0, 64), kPlay},
      {"core header", MakeDib(2, 2, 24, 0, 0, 12), kLeaveOut},
      {"run-length encoded without its size", MakeDib(2, 2, 8, dib::kBiRle8), kLeaveOut},
  };
  for (const auto& c : cases) EXPECT_EQ(Accepted(c.dib), c.fate) << c.what;
}

TEST(EmbeddedBitmaps, PixelRowsMustAllBeThere) {
  coretest::Dib d = MakeDib(33, -3, 1);  // top-down, 8-byte rows
  EXPECT_EQ(Accepted(d), kPlay);
  d.bits.resize(d.bits.size() - 4);
  EXPECT_EQ(Accepted(d), kRefuse);
  // 32768 x 32768 at 32 bits is 4 GB of pixels: as a 32-bit product it is 0.
  coretest::Dib huge = MakeDib(1, 1, 32);
  huge.info[dib::kWidth] = huge.info[dib::kHeight] = 0;
  huge.info[dib::kWidth + 1] = huge.info[dib::kHeight + 1] = 0x80;
  EXPECT_EQ(Accepted(huge), kRefuse);
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
    return FateOf(coretest::EmfWith(r));
  };
  const coretest::Dib mono = MakeDib(8, 8, 1), noTable = MakeDib(8, 8, 1, 0, 0, 40, 0);
  EXPECT_EQ(brush(mono, dib::kRgbColors, true), kPlay);
  EXPECT_EQ(brush(MakeDib(8, 8, 1, 0, 1), dib::kRgbColors, false), kPlay);  // one colour: the pixels follow it
  EXPECT_EQ(brush(MakeDib(8, 8, 4), dib::kRgbColors, false), kPlay);        // a colour bitmap, as a pattern
  EXPECT_EQ(brush(noTable, dib::kPalIndices, false), kPlay);                // the bits follow the header
  EXPECT_EQ(brush(noTable, dib::kPalIndices, true), kRefuse);               // nothing follows it
  EXPECT_EQ(brush(noTable, dib::kRgbColors, false), kRefuse);               // no room for the two colours' table
  EXPECT_EQ(brush(mono, dib::kPalColors, false), kPlay);                    // palette indices
  EXPECT_EQ(brush(MakeDib(8, 8, 8), dib::kPalIndices, false), kLeaveOut);   // indices are one bit a pixel
}
