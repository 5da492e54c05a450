// The Windows-metafile validator on metafiles built here: the layout facts it
// reports, and refusals that name the record, its function and what is wrong.
#include "core/wmf_validator.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/le_write.h"
#include "core/wmf_records.h"

namespace meta = core::meta;

namespace {

using Words = std::vector<uint16_t>;

// METAHEADER, the records (function and parameters), META_EOF; with a
// placeable header of box 0,0 - 1000,500 at 1000 units per inch when asked.
std::vector<uint8_t> Wmf(const std::vector<std::pair<uint16_t, Words>>& records, uint16_t objects = 2,
                         bool placeable = false) {
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

core::Verdict Validate(const std::vector<uint8_t>& f, core::WmfInfo& info) {
  return core::ValidateWindowsMetafile(f.data(), f.size(), info);
}

const std::pair<uint16_t, Words> kBrush{meta::kCreateBrushIndirect, {0, 0x00FF, 0, 0}};

}  // namespace

TEST(WmfValidator, ReportsThePlaceableBoxAndTheFirstWindowExtent) {
  core::WmfInfo info;
  const auto bare = Wmf({{meta::kSetWindowExt, {300, 400}}, {meta::kSetWindowExt, {5, 6}},
                         kBrush, {meta::kSelectObject, {0}}, {meta::kRectangle, {10, 10, 0, 0}}});
  ASSERT_TRUE(Validate(bare, info));
  EXPECT_FALSE(info.placeable);
  EXPECT_EQ(info.windowExtX, 400);  // x follows y in the record
  EXPECT_EQ(info.windowExtY, 300);
  EXPECT_EQ(info.bytes, bare.size());
  const auto placed = Wmf({{meta::kPolygon, {2, 0, 0, 10, 10}}}, 0, true);
  ASSERT_TRUE(Validate(placed, info));
  EXPECT_TRUE(info.placeable);
  EXPECT_EQ(info.headerOffset, 22u);
  EXPECT_EQ(info.right, 1000);
  EXPECT_EQ(info.unitsPerInch, 1000);
}

TEST(WmfValidator, RefusalsNameTheRecordItsFunctionAndWhatIsWrong) {
  struct Case {
    std::vector<std::pair<uint16_t, Words>> records;
    uint16_t objects;
    const char* reason;
  } cases[] = {
      {{{meta::kPolygon, {3, 0, 0, 10, 10}}}, 2, "record 1 of function META_POLYGON (0x0324) has more points than it holds"},
      {{{meta::kPolyPolygon, {2, 2, 0xFFFF, 0, 0, 1, 1}}}, 2,
       "record 1 of function META_POLYPOLYGON (0x0538) has more points than it holds"},
      {{kBrush, kBrush, kBrush}, 2, "record 3 of function META_CREATEBRUSHINDIRECT (0x02FC) creates an object with the object table full"},
      {{kBrush, {meta::kSelectObject, {1}}}, 2, "record 2 of function META_SELECTOBJECT (0x012D) uses an empty object slot"},
      {{{meta::kRestoreDC, {uint16_t(-1)}}}, 2, "record 1 of function META_RESTOREDC (0x0127) restores a state it never saved"},
      {{{meta::kStretchDib, {0, 0}}}, 2, "record 1 of function META_STRETCHDIB (0x0F43) is of a function this program does not draw"},
      {{{0x7777, {}}}, 2, "record 1 of function unknown (0x7777) is of a function this program does not draw"},
      {{{meta::kSetMapMode, {99}}}, 2, "record 1 of function META_SETMAPMODE (0x0103) has a mode out of range"},
  };
  for (const Case& c : cases) {
    core::WmfInfo info;
    EXPECT_EQ(Validate(Wmf(c.records, c.objects), info).reason, c.reason);
  }
  core::WmfInfo info;
  auto cut = Wmf({kBrush});
  cut.resize(cut.size() - 2);
  EXPECT_EQ(Validate(cut, info).reason, "the header states a size the file does not have");
}
