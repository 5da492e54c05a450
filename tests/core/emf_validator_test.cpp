// The enhanced-metafile validator on metafiles built in code: every record type
// that carries a bitmap, each offset followed the way the player follows it,
// counts whose byte sizes wrap in 32 bits, and the reasons of refusals.
#include "core/emf_validator.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "core/gdi_enums.h"
#include "tests/core/emf_builder.h"

using coretest::EmfWith;
using coretest::Record;
namespace emr = core::emr;
namespace L = core::emr::layout;

namespace {

core::Verdict Validate(const std::vector<uint8_t>& f) { return core::ValidateEnhMetafile(f.data(), f.size()); }

uint32_t Get32(const std::vector<uint8_t>& b, size_t off) {
  return b[off] | b[off + 1] << 8 | b[off + 2] << 16 | uint32_t(b[off + 3]) << 24;
}

}  // namespace

TEST(EmfValidator, AcceptsEveryRecordThatCarriesABitmapWhenWellFormed) {
  for (uint32_t type : coretest::BitmapRecordTypes()) {
    const core::Verdict v = Validate(EmfWith(coretest::ValidBitmapRecord(type)));
    EXPECT_TRUE(v) << core::EmfRecordName(type) << ": " << v.reason;
  }
}

// Wine's player follows a bitmap offset whenever it is non-zero (and in masked
// blits and DIB records always), so every offset it would follow must lead to
// a whole bitmap inside the record, whatever the size fields say.
TEST(EmfValidator, FollowsEveryBitmapOffsetTheWayThePlayerDoes) {
  struct Case {
    uint32_t type;
    const char* what;
    std::function<void(Record&)> mutate;
  };
  const emr::BitmapFields src = L::kBlitSource;
  auto sizesZero = [](const emr::BitmapFields& f) {
    return [f](Record& r) { r.U32(f.cbBmi, 0).U32(f.cbBits, 0); };
  };
  auto offsetAtEnd = [](const emr::BitmapFields& f) {
    return [f](Record& r) { r.U32(f.cbBmi, 0).U32(f.cbBits, 0).U32(f.offBmi, uint32_t(r.bytes().size() - 4)); };
  };
  auto noBitmap = [](const emr::BitmapFields& f) {
    return [f](Record& r) { r.U32(f.offBmi, 0).U32(f.cbBmi, 0).U32(f.offBits, 0).U32(f.cbBits, 0); };
  };
  const Case cases[] = {
      {emr::kBitBlt, "sizes zero, header offset kept", sizesZero(src)},
      {emr::kBitBlt, "sizes zero, header offset at the record's end", offsetAtEnd(src)},
      {emr::kBitBlt, "header size zero, bits kept", [src](Record& r) { r.U32(src.cbBmi, 0); }},
      {emr::kBitBlt, "bits offset without bits", [src](Record& r) { r.U32(src.cbBits, 0); }},
      {emr::kStretchBlt, "sizes zero, header offset at the record's end", offsetAtEnd(src)},
      {emr::kAlphaBlend, "sizes zero, header offset at the record's end", offsetAtEnd(src)},
      {emr::kTransparentBlt, "sizes zero, header offset at the record's end", offsetAtEnd(src)},
      {emr::kAlphaBlend, "no source at all", noBitmap(src)},
      {emr::kAlphaBlend, "more bits than the rows: older players copy them all",
       [src](Record& r) {
         const uint32_t from = Get32(r.bytes(), src.offBmi);  // header and pixels taken as pixels
         r.U32(src.offBits, from).U32(src.cbBits, uint32_t(r.bytes().size()) - from);
       }},
      {emr::kMaskBlt, "no mask: the player reads one at offset 0", noBitmap(L::kMaskBltMask)},
      {emr::kMaskBlt, "mask sizes zero", sizesZero(L::kMaskBltMask)},
      {emr::kMaskBlt, "no source", noBitmap(src)},
      {emr::kPlgBlt, "no mask", noBitmap(L::kPlgBltMask)},
      {emr::kPlgBlt, "source sizes zero", sizesZero(L::kPlgBltSource)},
      {emr::kSetDIBitsToDevice, "sizes zero", sizesZero(L::kSetDIBitsSource)},
      {emr::kStretchDIBits, "sizes zero", sizesZero(L::kStretchDIBitsSource)},
      {emr::kCreateDIBPatternBrushPt, "sizes zero", sizesZero(L::kBrushBitmap)},
      {emr::kCreateDIBPatternBrushPt, "bits not right after the header",
       [](Record& r) { r.U32(L::kBrushBitmap.offBits, r.bytes().size() - 4).U32(L::kBrushBitmap.cbBits, 4); }},
      {emr::kCreateMonoBrush, "sizes zero, header offset at the record's end", offsetAtEnd(L::kBrushBitmap)},
      {emr::kExtCreatePen, "bitmap offset without a size",
       [](Record& r) { r.U32(L::kExtPenOffBmi, L::kExtPenFixedBytes); }},
      {emr::kSetDIBitsToDevice, "more scans than the bits hold",
       [](Record& r) { r.U32(L::kSetDIBitsScans, 5); }},
      {emr::kBitBlt, "bits offset past the record",
       [src](Record& r) { r.U32(src.offBits, uint32_t(r.bytes().size()) - 8); }},
      {emr::kStretchDIBits, "header offset wrapping past 4 GB",
       [](Record& r) { r.U32(L::kStretchDIBitsSource.offBmi, 0xFFFFFFF0u); }},
  };
  for (const Case& c : cases) {
    Record r = coretest::ValidBitmapRecord(c.type);
    c.mutate(r);
    EXPECT_FALSE(Validate(EmfWith(r))) << core::EmfRecordName(c.type) << ": " << c.what;
  }
}

// The player reads a clip region whenever the record is long enough to hold a
// region header, whatever cbRgnData says.
TEST(EmfValidator, ClipRegionIsCheckedWheneverThePlayerWouldReadIt) {
  auto clip = [](uint32_t cbRgnData, uint32_t rects, uint32_t recordBytes) {
    Record r(emr::kExtSelectClipRgn, recordBytes);
    r.U32(L::kClipRgnBytes, cbRgnData).U32(L::kClipRgnMode, core::gdi::kRgnCopy);
    r.U32(16, core::gdi::kRgnDataHeaderBytes).U32(20, core::gdi::kRdhRectangles).U32(24, rects);
    return EmfWith(r);
  };
  EXPECT_TRUE(Validate(clip(0, 0, 16)));           // a reset: no region
  EXPECT_TRUE(Validate(clip(32 + 16, 1, 64)));     // one rectangle
  EXPECT_FALSE(Validate(clip(0, 100000, 52)));      // "no region", yet the player reads 100000 rectangles
  EXPECT_FALSE(Validate(clip(32 + 16, 2, 64)));     // two rectangles, room for one
}

// Byte counts of file-supplied counts, formed in 32 bits, wrap to a few bytes
// and would let a huge count through on the 32-bit build; the player then
// copies that many points. They must be formed in 64 bits.
TEST(EmfValidator, CountsWhoseByteSizesWrapIn32BitsAreRefused) {
  struct Case {
    uint32_t type, count;
  } cases[] = {
      {emr::kPolyPolygon16, 0x40000001u},   // 4 bytes a point: 4 * count wraps to 4
      {emr::kPolyPolyline16, 0x40000002u},  // wraps to 8
      {emr::kPolyPolygon, 0x20000001u},     // 8 bytes a point: wraps to 8
      {emr::kPolyPolyline, 0x20000001u},
  };
  for (const Case& c : cases) {
    Record r(c.type, 32);
    r.U32(24, 1).U32(28, c.count);  // one polygon of `count` points in all
    r.Append({1, 0, 0, 0});         // its count...
    r.U32(32, c.count);
    r.Append(std::vector<uint8_t>(8, 0));  // ...and room for what the wrapped product asks
    const core::Verdict v = Validate(EmfWith(r));
    EXPECT_FALSE(v) << core::EmfRecordName(c.type) << " with " << c.count << " points";
  }
}

TEST(EmfValidator, RefusalsNameTheRecordItsTypeAndWhatIsWrong) {
  auto f = EmfWith(coretest::ValidBitmapRecord(emr::kBitBlt));
  const uint32_t at = 108;  // the record after the header
  ASSERT_TRUE(Validate(f));
  auto overrun = f;
  overrun[at + 4] = 0, overrun[at + 5] = 0, overrun[at + 6] = 1;  // 64 KB
  EXPECT_EQ(Validate(overrun).reason, "record 2 of type EMR_BITBLT (76) overruns the file");
  auto unknown = f;
  unknown[at] = 56;  // EMR_POLYDRAW
  EXPECT_EQ(Validate(unknown).reason, "record 2 of type EMR_POLYDRAW (56) is of a type this program does not draw");
  auto bits = f;
  bits[at + L::kBlitSource.cbBits] = 4;
  bits[at + L::kBlitSource.cbBits + 1] = 0;
  EXPECT_EQ(Validate(bits).reason, "record 2 of type EMR_BITBLT (76) has bitmap bits shorter than its rows");
  auto count = f;
  count[52] = 9;
  EXPECT_EQ(Validate(count).reason, "the header states another number of records");
  EXPECT_EQ(Get32(f, 52), 3u);
  EXPECT_EQ(core::ValidateEnhMetafile(f.data(), 40).reason, "the file is too short for an enhanced metafile");
}

// Found by the fuzzer: the relative level -2^31 has no positive counterpart,
// and negating it in 32 bits let it pass as a level that had been saved.
TEST(EmfValidator, RestoringTheLowestLevelIsRefused) {
  for (int32_t level : {-1, -2, INT32_MIN}) {
    coretest::EmfBuilder emf;
    emf.Add(Record(emr::kSaveDC, 8)).Add(Record(emr::kRestoreDC, 12).I32(8, level));
    const auto f = emf.Build();
    EXPECT_EQ(bool(Validate(f)), level == -1) << level;
  }
}
