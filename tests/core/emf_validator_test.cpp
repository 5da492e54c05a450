// The enhanced-metafile checks on metafiles built in code: what real writers
// do that is well-formed is played; every bound the players follow refuses
// the file one past its limit; what could harm the program is left out or
// mended in the copy the players get; and every real metafile of the corpus
// passes, its copy checking as itself.
#include "core/emf_validator.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <tuple>

#include "core/dib_format.h"
#include "core/emf_checker.h"
#include "tests/core/emf_builder.h"

using coretest::EmfBuilder;
using coretest::EmfWith;
using coretest::Record;
namespace emr = core::emr;
namespace L = core::emr::layout;

namespace {

uint32_t Get32(const std::vector<uint8_t>& b, size_t off) {
  return b[off] | b[off + 1] << 8 | b[off + 2] << 16 | uint32_t(b[off + 3]) << 24;
}

core::PreparedEmf Prepare(const std::vector<uint8_t>& f) { return core::PrepareEnhMetafile(f.data(), f.size()); }

// The records of a prepared copy after its header, as types.
std::vector<uint32_t> Types(const core::PreparedEmf& p) {
  std::vector<uint32_t> types;
  for (size_t off = Get32(p.bytes, 4); off + 8 <= p.bytes.size(); off += Get32(p.bytes, off + 4)) {
    types.push_back(Get32(p.bytes, off));
    if (Get32(p.bytes, off + 4) < 8) break;
  }
  return types;
}

Record Polyline(uint32_t count, uint32_t held) {
  Record r(emr::kPolyline, 28 + 8 * held);
  return r.U32(24, count);
}

// bounds, cbRgnData, mode, RGNDATA: header (dwSize 32, iType 1, nCount, nRgnSize, rcBound), rectangles.
Record ClipRegion(uint32_t count, uint32_t held, int32_t edge = 10) {
  Record r(emr::kExtSelectClipRgn, 16 + 32 + 16 * held);
  r.U32(8, 32 + 16 * held).U32(12, 5).U32(16, 32).U32(20, 1).U32(24, count);
  for (uint32_t i = 0; i < held; ++i) r.I32(48 + 16 * i + 8, edge).I32(48 + 16 * i + 12, edge);
  return r;
}

// An EXTTEXTOUTW of `chars` characters, room for `heldChars` of them and for
// `heldDx` spacings; the string or the spacing last, at the record's end.
Record TextOut(uint32_t chars, uint32_t heldChars, uint32_t heldDx, bool stringLast) {
  Record r(emr::kExtTextOutW, 76);
  r.U32(24, 1).U32(44, chars);
  const std::vector<uint8_t> text(2 * heldChars, 'a'), dx(4 * heldDx, 0);
  if (stringLast) {
    r.U32(72, r.Append(dx));
    r.U32(48, r.Append(text));
  } else {
    r.U32(48, r.Append(text));
    r.U32(72, r.Append(dx));
  }
  return r;
}

Record Font(uint32_t index) { return Record(emr::kExtCreateFontIndirectW, 12 + 92).U32(8, index).U32(12, 16); }

Record Palette(uint16_t entries, uint16_t held) {
  Record r(emr::kCreatePalette, 16 + 4 * held);
  return r.U32(8, 1).U32(12, 0x300u | uint32_t(entries) << 16);
}

Record Gradient(uint32_t vertices, uint32_t heldVertices, uint32_t rects, uint32_t heldRects) {
  Record r(emr::kGradientFill, 36 + 16 * heldVertices + 8 * heldRects);
  return r.U32(24, vertices).U32(28, rects).U32(32, 0);
}

Record Pen(uint32_t dashes, uint32_t held) {
  Record r(emr::kExtCreatePen, L::kExtPenFixedBytes + 4 * held);
  return r.U32(8, 1).U32(28, 7).U32(32, 1).U32(48, dashes);  // PS_USERSTYLE, width 1, solid
}

}  // namespace

// Each of these was refused before, though real files have it and the
// players play it.
TEST(EmfValidator, WhatRealWritersDoIsPlayed) {
  struct Case {
    const char* what;
    std::function<std::vector<uint8_t>()> file;
  } cases[] = {
      {"a solid pen whose bitmap offset is set with no bitmap",
       [] { return EmfWith(coretest::ValidBitmapRecord(emr::kExtCreatePen).U32(L::kExtPenOffBmi, 52)); }},
      {"a pen style with geometric flags", [] { return EmfWith(Record(emr::kCreatePen, 28).U32(8, 1).U32(12, 0x10000)); }},
      {"EMR_EOF whose last field holds the file's size",
       [] {
         auto f = EmfWith(Record(emr::kSaveDC, 8));
         f[f.size() - 4] = uint8_t(f.size());
         return f;
       }},
      {"a header that miscounts its records",
       [] {
         auto f = EmfWith(Record(emr::kSaveDC, 8));
         f[52] = 77;
         return f;
       }},
      {"a palette, selected and realised",
       [] {
         return EmfBuilder().Add(Palette(2, 2)).Add(Record(emr::kSelectPalette, 12).U32(8, 1))
             .Add(Record(emr::kRealizePalette, 8)).Build();
       }},
      {"a gradient fill", [] { return EmfWith(Gradient(2, 2, 1, 1)); }},
      {"a blend whose flags byte is set", [] { return EmfWith(coretest::ValidBitmapRecord(emr::kAlphaBlend).U32(L::kBlitRop, 0x01FF8000)); }},
      {"Bezier points that make no curve", [] { return EmfWith(Record(emr::kPolyBezierTo16, 32).U32(24, 1)); }},
      {"a public comment", [] { return EmfWith(Record(emr::kGdiComment, 20).U32(8, 8).U32(12, 0x43494447)); }},
      {"a region filled with a stock brush",
       [] {
         Record r(emr::kFillRgn, 32 + 48);
         return EmfWith(r.U32(24, 48).U32(28, 0x80000002).U32(32, 32).U32(36, 1).U32(40, 1));
       }},
      {"an escape", [] { return EmfWith(Record(emr::kExtEscape, 20).U32(8, 4096).U32(12, 4)); }},
  };
  for (const Case& c : cases) {
    const core::PreparedEmf p = Prepare(c.file());
    EXPECT_TRUE(p.verdict) << c.what << ": " << p.verdict.reason;
    EXPECT_EQ(p.leftOut, c.what == std::string("an escape") ? 1u : 0u) << c.what;
  }
}

// What the players follow must lie inside the record: at the limit the file
// plays, one past it the file is refused, naming the record and the fault.
TEST(EmfValidator, EachBoundIsRefusedOnePastItsLimit) {
  struct Case {
    const char* what;
    std::function<Record(bool past)> record;
    const char* reason;
  } cases[] = {
      {"points", [](bool past) { return Polyline(3 + past, 3); }, "has more points than it holds"},
      {"16-bit polygon counts against their total",
       [](bool past) {
         Record r(emr::kPolyPolygon16, 32 + 8 + 4 * 5);
         return r.U32(24, 2).U32(28, 5).U32(32, 2).U32(36, 3 + past);
       },
       "has point counts that add up to more than its total"},
      {"a string", [](bool past) { return TextOut(4 + past, 4, 5, true); }, "has its string outside the record"},
      {"a spacing array", [](bool past) { return TextOut(4 + past, 6, 4, false); }, "has its spacing array outside the record"},
      {"a comment", [](bool past) { return Record(emr::kGdiComment, 20).U32(8, 8 + past); }, "has its comment outside the record"},
      {"region rectangles", [](bool past) { return ClipRegion(2 + past, 2); }, "has more rectangles than it holds"},
      {"palette entries", [](bool past) { return Palette(3 + past, 3); }, "has more palette entries than it holds"},
      {"gradient vertices", [](bool past) { return Gradient(3 + past, 3, 0, 0); }, "has more vertices than it holds"},
      {"a pen's dashes", [](bool past) { return Pen(2 + past, 2); }, "has its dash pattern outside the record"},
      {"an object index", [](bool past) { return Font(0xFFFE + past); }, "uses an object index beyond any handle table"},
      {"bitmap bits",
       [](bool past) {
         Record r = coretest::ValidBitmapRecord(emr::kStretchDIBits);
         return r.U32(L::kStretchDIBitsSource.offBits, Get32(r.bytes(), L::kStretchDIBitsSource.offBits) + 4 * past);
       },
       "has its bitmap bits outside the record"},
      {"a blend's source bits, copied into a bitmap of its rows",
       [](bool past) {
         Record r = coretest::ValidBitmapRecord(emr::kAlphaBlend);
         r.Append(std::vector<uint8_t>(4, 0));
         return r.U32(L::kBlitSource.cbBits, Get32(r.bytes(), L::kBlitSource.cbBits) + 4 * past);
       },
       "has more source bits than its bitmap holds"},
  };
  for (const Case& c : cases) {
    const core::Verdict at = Prepare(EmfWith(c.record(false))).verdict;
    EXPECT_TRUE(at) << c.what << " at the limit: " << at.reason;
    const core::Verdict past = Prepare(EmfWith(c.record(true))).verdict;
    EXPECT_FALSE(past) << c.what << " one past";
    EXPECT_NE(past.reason.find(c.reason), std::string::npos) << c.what << ": " << past.reason;
    EXPECT_EQ(past.reason.rfind("record 2 of type ", 0), 0u) << past.reason;
  }
}

// Whole records that would hand the players something harmful never reach
// them; the rest of the file plays.
TEST(EmfValidator, RecordsThatCouldHarmTheProgramAreLeftOut) {
  // A blend's source goes into a section, which a mask of no bits makes fail.
  coretest::Dib masked = coretest::MakeDib(4, 4, 32, core::dib::kBiBitfields);
  for (int i = 0; i < 4; ++i) masked.info[core::dib::kMasks + 4 + i] = 0;
  Record blend = coretest::ValidBitmapRecord(emr::kAlphaBlend);
  blend.bytes().resize(L::kStretchBltBytes);
  blend.Attach(L::kBlitSource, masked);
  struct Case {
    const char* what;
    Record record;
    const char* reason;
  } cases[] = {
      {"deleting the metafile's own slot", Record(emr::kDeleteObject, 12).U32(8, 0), "slot of the metafile itself"},
      {"a brush made from a pointer", Record(emr::kCreateBrushIndirect, 24).U32(8, 1).U32(12, 6), "needs a handle"},
      {"a restore with no save", Record(emr::kRestoreDC, 12).I32(8, -1), "never saved"},
      {"the lowest restore level", Record(emr::kRestoreDC, 12).I32(8, INT32_MIN), "never saved"},
      {"an absolute restore", Record(emr::kRestoreDC, 12).I32(8, 1), "never saved"},
      {"a coordinate far out", Record(emr::kEllipse, 24).I32(16, 1 << 23), "coordinate out of range"},
      {"a singular transform", Record(emr::kSetWorldTransform, 32), "singular transform"},
      {"an OpenGL pixel format", Record(emr::kPixelFormat, 48), "OpenGL"},
      {"a type no player knows", Record(200, 16), "no player draws"},
      {"a blend from a bitmap with a mask of no bits", blend, "mask of no bits"},
  };
  for (const Case& c : cases) {
    const core::PreparedEmf p = Prepare(EmfBuilder().Add(c.record).Add(Record(emr::kSaveDC, 8)).Build());
    ASSERT_TRUE(p.verdict) << c.what << ": " << p.verdict.reason;
    EXPECT_EQ(p.leftOut, 1u) << c.what;
    EXPECT_EQ(Types(p), (std::vector<uint32_t>{emr::kSaveDC, emr::kEof})) << c.what;
  }
  // Found by the fuzzer: -2^31 has no 32-bit opposite, and negating it let it
  // pass as a level that had been saved. One save makes one restore playable.
  const core::PreparedEmf p = Prepare(EmfBuilder().Add(Record(emr::kSaveDC, 8)).Add(Record(emr::kRestoreDC, 12).I32(8, -1))
                                          .Add(Record(emr::kRestoreDC, 12).I32(8, -1)).Build());
  EXPECT_EQ(Types(p), (std::vector<uint32_t>{emr::kSaveDC, emr::kRestoreDC, emr::kEof}));
}

// The copy states its own size, record count and handle table, ends with a
// clean EMR_EOF, and carries the mends; checked again, it is itself.
TEST(EmfValidator, TheCopyIsMendedAndChecksAsItself) {
  EmfBuilder emf(3);
  emf.Add(Font(5))                                  // one past a table of 3: the table grows to 6
      .Add(ClipRegion(1, 1, 1 << 30))               // a rectangle far past the picture
      .Add(Record(emr::kIntersectClipRect, 24).I32(16, INT32_MAX))
      .Add(Record(emr::kExtSelectClipRgn, 64).U32(12, 5))   // cbRgnData 0 on a record long enough for a region
      .Add(Record(emr::kCreateBrushIndirect, 24).U32(8, 1).U32(16, 0xFF0000FF));  // red, with an "alpha"
  std::vector<uint8_t> f = emf.Build();
  const uint32_t font = emf.OffsetOf(0);
  for (int i = 0; i < 64; ++i) f[font + 12 + 28 + i] = 'A';  // a face name without its end
  f.insert(f.end(), {1, 2, 3, 4});  // bytes past EMR_EOF...
  for (int i = 0; i < 4; ++i) f[48 + i] = uint8_t(f.size() >> (8 * i));  // ...that the header counts
  const core::PreparedEmf p = Prepare(f);
  ASSERT_TRUE(p.verdict) << p.verdict.reason;
  const std::vector<uint8_t>& c = p.bytes;
  EXPECT_EQ(Get32(c, 48), c.size());
  EXPECT_EQ(Get32(c, 52), 7u);                          // header, five records, EMR_EOF
  EXPECT_EQ(c[56] | c[57] << 8, 6);
  EXPECT_EQ(c[font + 12 + 28 + 62], 0);                 // the face name's last unit ends it
  const uint32_t region = font + 104;
  EXPECT_EQ(int32_t(Get32(c, region + 48 + 8)), 41);    // clamped just past the 20-pixel frame
  EXPECT_EQ(int32_t(Get32(c, region + 64 + 16)), core::kMaxMetafileCoord);
  EXPECT_EQ(Get32(c, region + 64 + 24 + 4), 16u);       // the reset cut to its fixed part
  EXPECT_EQ(Get32(c, region + 64 + 24 + 16 + 16), 0x0000FFu);  // a colour's reserved byte ignored
  EXPECT_EQ(std::vector<uint8_t>(c.end() - 20, c.end()),
            (std::vector<uint8_t>{14, 0, 0, 0, 20, 0, 0, 0, 0, 0, 0, 0, 16, 0, 0, 0, 20, 0, 0, 0}));
  const core::PreparedEmf again = Prepare(c);
  EXPECT_TRUE(again.verdict);
  EXPECT_EQ(again.bytes, c);
}

// A record whose size breaks the chain ends every player's walk: what came
// before it is the picture.
TEST(EmfValidator, AChainThatBreaksOffEndsThere) {
  std::vector<uint8_t> f = EmfBuilder().Add(Record(emr::kSaveDC, 8)).Add(Record(emr::kSaveDC, 8)).Build();
  f[108 + 8 + 4] = 0xF0, f[108 + 8 + 7] = 0x7F;  // the second record claims 2 GB
  const core::PreparedEmf p = Prepare(f);
  ASSERT_TRUE(p.verdict) << p.verdict.reason;
  EXPECT_EQ(p.brokeOff, "record 3 of type EMR_SAVEDC (33) overruns the file");
  EXPECT_EQ(Types(p), (std::vector<uint32_t>{emr::kSaveDC, emr::kEof}));
  for (const auto& [field, value, reason] : std::vector<std::tuple<uint32_t, uint32_t, std::string>>{
           {48, 4000, "the header states a size the file does not have"},
           {56, 0, "the header has no handle table"},
           {36, 0, "the header has an empty or oversized frame"},
           {72, 0, "the header has an unusable reference device"}}) {
    std::vector<uint8_t> bad = EmfWith(Record(emr::kSaveDC, 8));
    for (int i = 0; i < (field == 56 ? 2 : 4); ++i) bad[field + i] = uint8_t(value >> (8 * i));
    EXPECT_EQ(Prepare(bad).verdict.reason, reason);
  }
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
    EXPECT_FALSE(Prepare(EmfWith(r)).verdict) << core::EmfRecordName(c.type) << " with " << c.count << " points";
  }
}

// Every metafile that other programs made is played but the three damaged on
// purpose; its copy is stable, and leaves out only what the checks name.
TEST(EmfValidator, RealMetafilesArePlayed) {
  const std::filesystem::path dir = std::filesystem::path(VERDALUX_CORPUS_DIR) / "emf";
  if (!std::filesystem::is_directory(dir)) GTEST_SKIP() << "no corpus at " << dir;
  size_t files = 0, leftOut = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    const std::string name = entry.path().filename().string();
    std::ifstream in(entry.path(), std::ios::binary);
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), {});
    const core::PreparedEmf p = Prepare(bytes);
    ++files;
    if (name.rfind("emf2svg_corrupt_", 0) == 0) continue;
    ASSERT_TRUE(p.verdict) << name << ": " << p.verdict.reason;
    leftOut += p.leftOut;
    const core::PreparedEmf again = Prepare(p.bytes);
    EXPECT_TRUE(again.verdict && again.leftOut == 0 && again.bytes == p.bytes) << name;
  }
  EXPECT_GT(files, 30u);
  std::printf("[ corpus   ] %zu metafiles, %zu records left out in all\n", files, leftOut);
}
