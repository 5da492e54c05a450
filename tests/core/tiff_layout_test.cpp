// The TIFF layout read back the way a reader walks it: the header, the one
// directory, its inline and outlying values; strips that tile the pixels; and
// the switch to BigTIFF exactly where 32-bit offsets end.
#include <gtest/gtest.h>

#include <map>

#include "core/le_bytes.h"
#include "core/tiff_layout.h"

using namespace core;

namespace {

struct Field {
  uint16_t type = 0;
  uint64_t count = 0;
  std::vector<uint64_t> values;  // a RATIONAL gives numerator and denominator in turn
};

struct ReadBack {
  bool big = false;
  std::map<uint16_t, Field> fields;
  uint64_t nextDirectory = 1;
};

// Reads the directory of a layout's header bytes, as a TIFF reader would.
ReadBack Read(const std::vector<uint8_t>& bytes) {
  const ByteReader r(bytes.data(), bytes.size());
  ReadBack out;
  EXPECT_EQ(r.U16(0), 0x4949);
  out.big = r.U16(2) == 43;
  EXPECT_TRUE(out.big || r.U16(2) == 42);
  const uint64_t dir = out.big ? (uint64_t(r.U32(8)) | uint64_t(r.U32(12)) << 32) : r.U32(4);
  if (out.big) {
    EXPECT_EQ(r.U16(4), 8);
  }
  auto u64 = [&](uint64_t at) { return uint64_t(r.U32(at)) | uint64_t(r.U32(at + 4)) << 32; };
  const uint64_t n = out.big ? u64(dir) : r.U16(dir);
  const uint64_t first = dir + (out.big ? 8 : 2), entryBytes = out.big ? 20 : 12;
  uint16_t lastTag = 0;
  for (uint64_t i = 0; i < n; ++i) {
    const uint64_t e = first + i * entryBytes;
    Field f;
    const uint16_t tag = r.U16(e);
    EXPECT_GT(tag, lastTag) << "tags ascend";
    lastTag = tag;
    f.type = r.U16(e + 2);
    f.count = out.big ? u64(e + 4) : r.U32(e + 4);
    const uint64_t size = f.type == 3 ? 2 : f.type == 4 ? 4 : 8;
    const uint64_t values = f.type == 5 ? 2 * f.count : f.count;
    const uint64_t valueField = e + (out.big ? 12 : 8);
    const uint64_t inlineBytes = out.big ? 8 : 4;
    const uint64_t at = f.count * size <= inlineBytes ? valueField : (out.big ? u64(valueField) : r.U32(valueField));
    EXPECT_EQ(at % 2, 0u) << "values start on a word boundary";
    const uint64_t step = f.type == 5 ? 4 : size;
    for (uint64_t k = 0; k < values; ++k) {
      const uint64_t p = at + k * step;
      EXPECT_TRUE(r.Has(p, step)) << tag;
      f.values.push_back(step == 2 ? r.U16(p) : step == 4 ? r.U32(p) : u64(p));
    }
    out.fields[tag] = f;
  }
  out.nextDirectory = out.big ? u64(first + n * entryBytes) : r.U32(first + n * entryBytes);
  return out;
}

}  // namespace

TEST(TiffLayout, BaselineRgbFieldsReadBack) {
  const auto l = MakeTiffLayout(999, 1001, 300);
  ASSERT_TRUE(l);
  EXPECT_FALSE(l->big);
  const ReadBack t = Read(l->header);
  EXPECT_FALSE(t.big);
  EXPECT_EQ(t.nextDirectory, 0u) << "one image";
  const std::map<uint16_t, std::vector<uint64_t>> expected = {
      {256, {999}}, {257, {1001}}, {258, {8, 8, 8}}, {259, {1}}, {262, {2}}, {277, {3}},
      {278, {uint64_t(l->rowsPerStrip)}}, {282, {300, 1}}, {283, {300, 1}}, {284, {1}}, {296, {2}},
  };
  for (const auto& [tag, values] : expected) {
    ASSERT_TRUE(t.fields.count(tag)) << tag;
    EXPECT_EQ(t.fields.at(tag).values, values) << tag;
  }
  EXPECT_EQ(t.fields.size(), expected.size() + 2);  // and the two strip arrays
  EXPECT_EQ(l->rowBytes, 2997u) << "rows are not padded";
  EXPECT_EQ(l->rowsPerStrip, 87);  // 256 KB / 2997 bytes
  EXPECT_EQ(l->strips, 12u);       // 11 x 87 + 44
  EXPECT_EQ(l->fileBytes, l->header.size() + 2997u * 1001u);
}

// Strips follow one another without gaps from the end of the header to the
// end of the file, in both forms and whether the arrays fit their entries or not.
TEST(TiffLayout, StripsTileThePixelsAfterTheHeader) {
  const struct {
    int32_t width, height;
    bool big;
  } cases[] = {{1, 1, false},   {1, 1, true},       {999, 1001, false}, {999, 1001, true},
               {30000, 7, false}, {90000, 3, true}, {100000, 1, false}, {7, 300000, false}};
  for (const auto& c : cases) {
    const auto l = MakeTiffLayout(c.width, c.height, 96, c.big);
    ASSERT_TRUE(l);
    EXPECT_EQ(l->big, c.big);
    const ReadBack t = Read(l->header);
    EXPECT_EQ(t.big, c.big);
    const std::vector<uint64_t>& offsets = t.fields.at(273).values;
    const std::vector<uint64_t>& counts = t.fields.at(279).values;
    ASSERT_EQ(offsets.size(), l->strips);
    ASSERT_EQ(counts.size(), l->strips);
    EXPECT_EQ(t.fields.at(273).type, c.big ? 16 : 4);
    uint64_t next = l->header.size(), rows = 0;
    for (size_t s = 0; s < offsets.size(); ++s) {
      EXPECT_EQ(offsets[s], next) << c.width << "x" << c.height << " strip " << s;
      EXPECT_EQ(counts[s] % l->rowBytes, 0u);
      next += counts[s];
      rows += counts[s] / l->rowBytes;
    }
    EXPECT_EQ(rows, uint64_t(c.height));
    EXPECT_EQ(next, l->fileBytes);
    EXPECT_EQ(l->pixelBytes, 3 * uint64_t(c.width) * uint64_t(c.height));
  }
}

// A classic TIFF holds 32-bit offsets: the last picture that fits stays
// classic; one row more becomes a BigTIFF, with offsets past 4 GB intact.
TEST(TiffLayout, BigTiffBeginsWhereFourGigabytesEnd) {
  const int32_t width = 65536;  // 196608-byte rows, one strip each
  const auto probe = MakeTiffLayout(width, 1, 96);
  ASSERT_TRUE(probe);
  // Header bytes grow by 8 a strip (an offset and a count): solve for the most rows.
  const uint64_t fixed = probe->header.size() - 8;
  const int32_t most = int32_t((kMaxClassicTiffBytes - fixed) / (196608 + 8));
  const auto last = MakeTiffLayout(width, most, 96);
  const auto over = MakeTiffLayout(width, most + 1, 96);
  ASSERT_TRUE(last && over);
  EXPECT_FALSE(last->big);
  EXPECT_LE(last->fileBytes, kMaxClassicTiffBytes);
  EXPECT_TRUE(over->big);
  EXPECT_GT(over->fileBytes, kMaxClassicTiffBytes);
  const ReadBack t = Read(over->header);
  EXPECT_EQ(t.fields.at(273).values.back(), over->fileBytes - 196608);

  // The largest framed picture, 90000 x 360000: 97 GB, offsets in 64 bits.
  const auto huge = MakeTiffLayout(90000, 360000, 96);
  ASSERT_TRUE(huge);
  EXPECT_TRUE(huge->big);
  EXPECT_EQ(huge->pixelBytes, 97200000000u);
  EXPECT_EQ(Read(huge->header).fields.at(279).values.back(), 270000u);
}

TEST(TiffLayout, NothingBelowOnePixelOrOneDot) {
  for (auto [w, h, dpi] : {std::tuple{0, 1, 96}, {1, 0, 96}, {-3, 5, 96}, {5, 5, 0}, {5, 5, -1}})
    EXPECT_FALSE(MakeTiffLayout(w, h, dpi)) << w << " " << h << " " << dpi;
  EXPECT_EQ(TiffRowsPerStrip(1), 87381);
  EXPECT_EQ(TiffRowsPerStrip(90000), 1);
}
