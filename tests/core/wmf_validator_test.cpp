// The Windows-metafile checks on metafiles built here: what real writers do is
// played; every bound the player follows refuses the file one past its
// limit; what could harm the program is left out; the copy the platform gets
// is mended; and every real metafile of the corpus passes.
#include "core/wmf_validator.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "core/le_write.h"
#include "core/wmf_records.h"
#include "tests/core/emf_builder.h"

namespace meta = core::meta;

namespace {

using Words = std::vector<uint16_t>;
using Records = std::vector<std::pair<uint16_t, Words>>;

// METAHEADER, the records (function and parameters), META_EOF; with a
// placeable header of box 0,0 - 1000,500 at 1000 units per inch when asked.
std::vector<uint8_t> Wmf(const Records& records, uint16_t objects = 2, bool placeable = false) {
  std::vector<uint8_t> body;
  uint32_t largest = 3;
  for (const auto& [function, params] : records) {
    const uint32_t words = 3 + uint32_t(params.size());
    largest = std::max(largest, words);
    core::PutU32(body, words);
    core::PutU16(body, function);
    for (uint16_t p : params) core::PutU16(body, p);
  }
  for (uint16_t w : {3, 0, 0}) core::PutU16(body, w);  // META_EOF
  std::vector<uint8_t> f;
  if (placeable) {
    core::PutU32(f, meta::kPlaceableKey);
    for (uint16_t w : {0, 0, 0, 1000, 500, 1000, 0, 0, 0}) core::PutU16(f, w);
  }
  for (uint16_t w : {1, 9, 0x300}) core::PutU16(f, w);
  core::PutU32(f, uint32_t(9 + body.size() / 2));
  core::PutU16(f, objects);
  core::PutU32(f, largest);
  core::PutU16(f, 0);
  f.insert(f.end(), body.begin(), body.end());
  return f;
}

core::PreparedWmf Prepare(const std::vector<uint8_t>& f) { return core::PrepareWindowsMetafile(f.data(), f.size()); }

// The functions of the copy's records, META_EOF included.
std::vector<uint16_t> Functions(const core::PreparedWmf& p) {
  std::vector<uint16_t> out;
  for (size_t off = 18; off + 6 <= p.bytes.size();) {
    const uint32_t words = p.bytes[off] | p.bytes[off + 1] << 8;
    out.push_back(uint16_t(p.bytes[off + 4] | p.bytes[off + 5] << 8));
    if (words < 3) break;
    off += 2 * words;
  }
  return out;
}

uint16_t Word(const std::vector<uint8_t>& b, size_t off) { return uint16_t(b[off] | b[off + 1] << 8); }

// A packed bitmap of 2 x 2 pixels at `bits` per pixel as words: BITMAPINFOHEADER,
// `entries` colours, rows of 4 bytes.
Words PackedDib(uint16_t bits, uint32_t clrUsed, uint32_t entries, uint32_t rowBytes = 4) {
  Words w = {40, 0, 2, 0, 2, 0, 1, bits, 0, 0, 0, 0, 0, 0, 0, 0, uint16_t(clrUsed), uint16_t(clrUsed >> 16), 0, 0};
  for (uint32_t i = 0; i < entries; ++i) w.insert(w.end(), {0x4040, 0x0040});
  w.insert(w.end(), rowBytes, 0x5A5A);  // two rows of rowBytes bytes
  return w;
}

Words Concat(Words a, const Words& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

const std::pair<uint16_t, Words> kBrush{meta::kCreateBrushIndirect, {0, 0x00FF, 0, 0}};

}  // namespace

TEST(WmfValidator, ReportsThePlaceableBoxAndTheFirstWindowExtent) {
  const auto bare = Wmf({{meta::kSetWindowExt, {300, 400}}, {meta::kSetWindowExt, {5, 6}}, kBrush,
                         {meta::kSelectObject, {0}}, {meta::kRectangle, {10, 10, 0, 0}}});
  const core::PreparedWmf p = Prepare(bare);
  ASSERT_TRUE(p.verdict) << p.verdict.reason;
  EXPECT_FALSE(p.info.placeable);
  EXPECT_EQ(p.info.windowExtX, 400);  // x follows y in the record
  EXPECT_EQ(p.info.windowExtY, 300);
  EXPECT_EQ(p.bytes, bare);  // a clean file is its own copy
  const core::PreparedWmf placed = Prepare(Wmf({{meta::kPolygon, {2, 0, 0, 10, 10}}}, 0, true));
  ASSERT_TRUE(placed.verdict);
  EXPECT_TRUE(placed.info.placeable);
  EXPECT_EQ(placed.info.headerOffset, 22u);
  EXPECT_EQ(placed.info.right, 1000);
  EXPECT_EQ(placed.info.unitsPerInch, 1000);
}

// Each of these was refused before, though real files have it.
TEST(WmfValidator, WhatRealWritersDoIsPlayed) {
  const Records cases[] = {
      {{meta::kSetRelAbs, {1}}},
      {{meta::kCreatePalette, {0x300, 2, 0, 0, 0, 0}}, {meta::kSelectPalette, {0}}, {meta::kRealizePalette, {}}},
      {{meta::kSetMapperFlags, {1, 0}}, {meta::kSetTextCharExtra, {2}}, {meta::kSetTextJustification, {4, 2}}},
      {{meta::kDibCreatePatternBrush, Concat({5, 0}, PackedDib(1, 0, 2))}},
      {{meta::kDeleteObject, {1}}},  // an empty slot
      {{meta::kEscape, {15, 4, 0x6D4D, 0x7244}}},
      {{meta::kSetMapMode, {99}}},
  };
  for (const Records& c : cases) {
    const core::PreparedWmf p = Prepare(Wmf(c));
    EXPECT_TRUE(p.verdict) << c[0].first << ": " << p.verdict.reason;
    EXPECT_EQ(p.leftOut, 0u) << c[0].first;
  }
  // A disk metafile of the first version, whose stated size counts the
  // placeable header as well: the copy is a memory metafile of its own size.
  std::vector<uint8_t> f = Wmf({kBrush}, 2, true);
  f[22] = 2, f[26] = 0x00, f[27] = 0x01;
  f[28] = uint8_t(f.size() / 2);
  const core::PreparedWmf p = Prepare(f);
  ASSERT_TRUE(p.verdict) << p.verdict.reason;
  EXPECT_EQ(Word(p.bytes, 0), 1);
  EXPECT_EQ(Word(p.bytes, 4), 0x300);
  EXPECT_EQ(Word(p.bytes, 6), p.bytes.size() / 2);
}

// What the player follows must lie inside the record: at the limit the file
// plays, one past it the file is refused, naming the record and the fault.
TEST(WmfValidator, EachBoundIsRefusedOnePastItsLimit) {
  struct Case {
    const char* what;
    Records at, past;
    const char* reason;
  } cases[] = {
      {"points", {{meta::kPolygon, {2, 0, 0, 1, 1}}}, {{meta::kPolygon, {3, 0, 0, 1, 1}}}, "has more points than it holds"},
      {"polygons' points", {{meta::kPolyPolygon, {1, 2, 0, 0, 1, 1}}}, {{meta::kPolyPolygon, {1, 3, 0, 0, 1, 1}}},
       "has more points than it holds"},
      {"characters", {{meta::kExtTextOut, {0, 0, 4, 0, 0x6161, 0x6161}}}, {{meta::kExtTextOut, {0, 0, 5, 0, 0x6161, 0x6161}}},
       "has more characters than it holds"},
      {"a string's position", {{meta::kTextOut, {2, 0x6161, 0, 0}}}, {{meta::kTextOut, {3, 0x6161, 0, 0}}},
       "is shorter than its parameters"},
      {"escape data", {{meta::kEscape, {15, 4, 0, 0}}}, {{meta::kEscape, {15, 5, 0, 0}}}, "has its escape data outside the record"},
      {"palette entries", {{meta::kCreatePalette, {0x300, 1, 0, 0}}}, {{meta::kCreatePalette, {0x300, 2, 0, 0}}},
       "has more palette entries than it holds"},
      {"a bitmap's rows", {{meta::kStretchDib, Concat(Words(11, 0), PackedDib(24, 0, 0, 8))}},
       {{meta::kStretchDib, Concat(Words(11, 0), PackedDib(24, 0, 0, 7))}}, "has bitmap bits shorter than its rows"},
      {"a region's fixed part", {{meta::kCreateRegion, Words(11, 0)}}, {{meta::kCreateRegion, Words(10, 0)}},
       "is shorter than its parameters"},
      {"a font's fields", {{meta::kCreateFontIndirect, Words(9, 0)}}, {{meta::kCreateFontIndirect, Words(8, 0)}},
       "is shorter than its parameters"},
  };
  for (const Case& c : cases) {
    const core::Verdict at = Prepare(Wmf(c.at)).verdict;
    EXPECT_TRUE(at) << c.what << " at the limit: " << at.reason;
    const core::Verdict past = Prepare(Wmf(c.past)).verdict;
    EXPECT_FALSE(past) << c.what << " one past";
    EXPECT_NE(past.reason.find(c.reason), std::string::npos) << c.what << ": " << past.reason;
    EXPECT_EQ(past.reason.rfind("record 1 of function ", 0), 0u) << past.reason;
  }
}

// Whole records that would hand the player something harmful never reach it.
TEST(WmfValidator, RecordsThatCouldHarmTheProgramAreLeftOut) {
  const std::pair<uint16_t, Words> cases[] = {
      {meta::kEscape, {9, 4, 0x1234, 0x5678}},          // SETABORTPROC: a procedure for the device
      {meta::kEscape, {12, 0}},                         // GETPHYSPAGESIZE: an answer with nowhere to go
      {meta::kCreateBrushIndirect, {6, 0, 0, 0x1234}},  // BS_DIBPATTERNPT: a pointer of the recording program
      {meta::kTextOut, {0x8000, 0, 0}},                 // a negative count places the string before the record
      {meta::kRestoreDC, {uint16_t(-1)}},               // a state it never saved
      {meta::kPolyPolygon, {1, 0x8000}},                // a count the player adds up as negative
      {meta::kBitBlt, Words(20, 1)},                    // a device bitmap the player misreads
      {meta::kSelectObject, {0xFFFF}},                  // past any object table
      {0x7777, {}},                                     // a function no player knows
  };
  for (const auto& c : cases) {
    const core::PreparedWmf p = Prepare(Wmf({c, {meta::kSaveDC, {}}}));
    ASSERT_TRUE(p.verdict) << c.first << ": " << p.verdict.reason;
    EXPECT_EQ(p.leftOut, 1u) << c.first;
    EXPECT_EQ(Functions(p), (std::vector<uint16_t>{meta::kSaveDC, meta::kEof})) << c.first;
  }
}

// The copy is mended where the player would read past a record or lose what
// the writer meant, and the table grows to the indices the records use.
TEST(WmfValidator, TheCopyIsMendedForThePlayer) {
  Words font = Words(9, 0);
  font.insert(font.end(), {0x7241, 0x6169, 0x006C});  // "Arial", then the record ends
  const core::PreparedWmf p = Prepare(Wmf({{meta::kSelectPalette, {3}},
                                           {meta::kCreateFontIndirect, font},
                                           {meta::kStretchDib, Concat(Words(11, 0), PackedDib(1, 0, 2))},
                                           {meta::kStretchDib, Concat(Words(11, 0), PackedDib(8, 0, 3))}},
                                          2));
  ASSERT_TRUE(p.verdict) << p.verdict.reason;
  const std::vector<uint8_t>& c = p.bytes;
  EXPECT_EQ(Word(c, 10), 4);  // object 3 needs a table of four
  // One parameter as the format writes it; Wine reads a flag first: both get the index.
  size_t at = 18;
  EXPECT_EQ(Word(c, at), 5u);
  EXPECT_EQ(Word(c, at + 6), 3);
  EXPECT_EQ(Word(c, at + 8), 3);
  at += 10;
  EXPECT_EQ(Word(c, at), 3u + 25);  // padded to the 32 bytes of face name the player copies
  EXPECT_EQ(c[at + 6 + 18 + 31], 0);
  at += 2 * (3 + 25);
  EXPECT_EQ(Word(c, at + 28 + 32), 2);  // the two colours of a full table stated as two
  at += 2 * Word(c, at);
  EXPECT_EQ(Word(c, at + 28 + 32), 3);  // a table cut short: the three there are
}

// Colours given as palette indices become the colours the selected palette
// holds for them, since the platform's conversion loses palettes' entries.
TEST(WmfValidator, PaletteIndicesBecomeTheirColours) {
  const core::PreparedWmf p = Prepare(Wmf({{meta::kCreatePalette, {0x300, 2, 0x2211, 0x0033, 0x5544, 0x0066}},
                                           {meta::kSelectPalette, {0}},
                                           {meta::kCreateBrushIndirect, {0, 1, 0x0100, 0}},    // PALETTEINDEX(1)
                                           {meta::kSetTextColor, {0x0807, 0x0209}},             // PALETTERGB
                                           {meta::kSetBkColor, {5, 0x0100}}}));                 // past the palette
  ASSERT_TRUE(p.verdict) << p.verdict.reason;
  const size_t brush = 18 + 18 + 10;  // after the header, the palette and the mended selection
  EXPECT_EQ(Word(p.bytes, brush + 8), 0x5544);
  EXPECT_EQ(Word(p.bytes, brush + 10), 0x0066);
  EXPECT_EQ(Word(p.bytes, brush + 14 + 8), 0x0009);
  EXPECT_EQ(Word(p.bytes, brush + 14 + 10 + 8), 0x0100);  // left for the player
}

// An enhanced metafile that the platform's conversion keeps in comments is
// taken out whole when its chunks and the checksum hold, and never given to
// the platform's own extraction.
TEST(WmfValidator, TheEnhancedMetafileKeptInCommentsIsTakenOut) {
  const std::vector<uint8_t> emf = coretest::EmfWith(coretest::Record(core::emr::kSaveDC, 8));
  auto chunk = [&](size_t from, size_t bytes, uint32_t count) {
    Words w = {15, uint16_t(34 + bytes)};
    std::vector<uint8_t> h;
    for (uint32_t v : {0x43464D57u, 1u, 0x10000u}) core::PutU32(h, v);
    core::PutU16(h, 0);
    for (uint32_t v : {0u, count, uint32_t(bytes), uint32_t(emf.size() - from - bytes), uint32_t(emf.size())})
      core::PutU32(h, v);
    h.insert(h.end(), emf.begin() + from, emf.begin() + from + bytes);
    for (size_t i = 0; i + 1 < h.size(); i += 2) w.push_back(Word(h, i));
    return std::pair<uint16_t, Words>{meta::kEscape, w};
  };
  std::vector<uint8_t> f = Wmf({chunk(0, 64, 2), chunk(64, emf.size() - 64, 2), {meta::kSaveDC, {}}});
  uint16_t sum = 0;
  for (size_t i = 0; i < f.size(); i += 2) sum = uint16_t(sum + Word(f, i));
  const core::PreparedWmf bad = Prepare(f);  // the words do not sum to zero yet
  EXPECT_TRUE(bad.embeddedEmf.empty());
  // A SAVEDC with a spare word settles the sum (the stated size is not counted on).
  f.insert(f.end() - 6, {0x04, 0, 0, 0, 0x1E, 0x00, 0, 0});
  sum = 0;
  for (size_t i = 0; i < f.size(); i += 2) sum = uint16_t(sum + Word(f, i));
  const size_t spare = f.size() - 8;
  f[spare] = uint8_t(-sum), f[spare + 1] = uint8_t(uint16_t(-sum) >> 8);
  const core::PreparedWmf p = Prepare(f);
  ASSERT_TRUE(p.verdict) << p.verdict.reason;
  EXPECT_EQ(p.embeddedEmf, emf);
  EXPECT_EQ(p.leftOut, 2u);
  EXPECT_EQ(Functions(p), (std::vector<uint16_t>{meta::kSaveDC, meta::kSaveDC, meta::kEof}));
}

TEST(WmfValidator, AChainThatBreaksOffEndsThere) {
  std::vector<uint8_t> f = Wmf({kBrush, {meta::kSaveDC, {}}});
  f[18 + 14] = 0xFF, f[18 + 15] = 0x7F;  // the second record claims 64 KB words
  const core::PreparedWmf p = Prepare(f);
  ASSERT_TRUE(p.verdict) << p.verdict.reason;
  EXPECT_EQ(p.brokeOff, "record 2 of function META_SAVEDC (0x001E) overruns the file");
  EXPECT_EQ(Functions(p), (std::vector<uint16_t>{meta::kCreateBrushIndirect, meta::kEof}));
  std::vector<uint8_t> cut = Wmf({kBrush, {meta::kSaveDC, {}}});
  cut.resize(cut.size() - 8);  // short of the size the header states
  EXPECT_EQ(Prepare(cut).verdict.reason, "the file ends before the metafile its header states");
  std::vector<uint8_t> odd = Wmf({kBrush});
  odd[2] = 8;
  EXPECT_EQ(Prepare(odd).verdict.reason, "the metafile header is of an unknown kind");
}

// Every metafile that other programs made is played; its copy is stable.
TEST(WmfValidator, RealMetafilesArePlayed) {
  const std::filesystem::path dir = std::filesystem::path(VERDALUX_CORPUS_DIR) / "wmf";
  if (!std::filesystem::is_directory(dir)) GTEST_SKIP() << "no corpus at " << dir;
  size_t files = 0, leftOut = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    std::ifstream in(entry.path(), std::ios::binary);
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), {});
    const core::PreparedWmf p = Prepare(bytes);
    ++files;
    ASSERT_TRUE(p.verdict) << entry.path().filename() << ": " << p.verdict.reason;
    leftOut += p.leftOut;
    const core::PreparedWmf again = Prepare(p.bytes);
    EXPECT_TRUE(again.verdict && again.leftOut == 0 && again.bytes == p.bytes) << entry.path().filename();
  }
  EXPECT_GT(files, 15u);
  std::printf("[ corpus   ] %zu metafiles, %zu records left out in all\n", files, leftOut);
}
