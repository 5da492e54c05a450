#include "core/tiff_layout.h"

#include <algorithm>

#include "core/le_write.h"

namespace core {
namespace {

enum FieldType : uint16_t { kShort = 3, kLong = 4, kRational = 5, kLong8 = 16 };

uint64_t TypeBytes(uint16_t type) {
  switch (type) {
    case kShort: return 2;
    case kLong: return 4;
    case kRational: return 8;
    default: return 8;  // kLong8
  }
}

// One directory entry; a RATIONAL value is numerator and denominator in turn.
struct Entry {
  uint16_t tag;
  uint16_t type;
  std::vector<uint64_t> values;
  uint64_t Count() const { return type == kRational ? values.size() / 2 : values.size(); }
  uint64_t Bytes() const { return Count() * TypeBytes(type); }
};

void PutValues(std::vector<uint8_t>& out, const Entry& e) {
  for (uint64_t v : e.values) {
    if (e.type == kShort)
      PutU16(out, static_cast<uint16_t>(v));
    else if (e.type == kLong8)
      PutU64(out, v);
    else
      PutU32(out, static_cast<uint32_t>(v));  // LONG, and each half of a RATIONAL
  }
}

// The directory's entries, in ascending tag order as the format requires.
std::vector<Entry> Entries(int32_t width, int32_t height, int32_t dpi, int32_t rowsPerStrip, uint64_t strips,
                           bool big) {
  const uint16_t offsetType = big ? kLong8 : kLong;
  return {
      {256, kLong, {uint64_t(width)}},          // ImageWidth
      {257, kLong, {uint64_t(height)}},         // ImageLength
      {258, kShort, {8, 8, 8}},                 // BitsPerSample
      {259, kShort, {1}},                       // Compression: none
      {262, kShort, {2}},                       // PhotometricInterpretation: RGB
      {273, offsetType, std::vector<uint64_t>(strips)},  // StripOffsets, filled in below
      {277, kShort, {3}},                       // SamplesPerPixel
      {278, kLong, {uint64_t(rowsPerStrip)}},   // RowsPerStrip
      {279, offsetType, std::vector<uint64_t>(strips)},  // StripByteCounts
      {282, kRational, {uint64_t(dpi), 1}},     // XResolution
      {283, kRational, {uint64_t(dpi), 1}},     // YResolution
      {284, kShort, {1}},                       // PlanarConfiguration: chunky
      {296, kShort, {2}},                       // ResolutionUnit: inch
  };
}

TiffLayout Build(int32_t width, int32_t height, int32_t dpi, bool big) {
  TiffLayout l;
  l.big = big;
  l.rowBytes = 3 * uint64_t(width);
  l.rowsPerStrip = std::min(TiffRowsPerStrip(width), height);
  l.strips = (uint64_t(height) + l.rowsPerStrip - 1) / l.rowsPerStrip;
  l.pixelBytes = l.rowBytes * uint64_t(height);
  std::vector<Entry> entries = Entries(width, height, dpi, l.rowsPerStrip, l.strips, big);

  const uint64_t headerBytes = big ? 16 : 8;
  const uint64_t entryBytes = big ? 20 : 12;
  const uint64_t inlineBytes = big ? 8 : 4;
  const uint64_t directoryBytes = (big ? 16 : 6) + entryBytes * entries.size();
  // Arrays too long for their entry follow the directory, each at an even offset.
  std::vector<uint64_t> where(entries.size(), 0);
  uint64_t end = headerBytes + directoryBytes;
  for (size_t i = 0; i < entries.size(); ++i) {
    if (entries[i].Bytes() <= inlineBytes) continue;
    where[i] = end;
    end += (entries[i].Bytes() + 1) / 2 * 2;
  }
  const uint64_t pixelsStart = end;
  for (Entry& e : entries) {
    if (e.tag != 273 && e.tag != 279) continue;
    for (uint64_t s = 0; s < l.strips; ++s) {
      const uint64_t firstRow = s * uint64_t(l.rowsPerStrip);
      const uint64_t rows = std::min<uint64_t>(l.rowsPerStrip, uint64_t(height) - firstRow);
      e.values[s] = e.tag == 273 ? pixelsStart + firstRow * l.rowBytes : rows * l.rowBytes;
    }
  }

  std::vector<uint8_t>& h = l.header;
  h.reserve(size_t(pixelsStart));
  PutU16(h, 0x4949);  // "II": little-endian
  if (big) {
    PutU16(h, 43);
    PutU16(h, 8);  // bytes per offset
    PutU16(h, 0);
    PutU64(h, headerBytes);  // the directory follows at once
    PutU64(h, entries.size());
  } else {
    PutU16(h, 42);
    PutU32(h, static_cast<uint32_t>(headerBytes));
    PutU16(h, static_cast<uint16_t>(entries.size()));
  }
  for (size_t i = 0; i < entries.size(); ++i) {
    const Entry& e = entries[i];
    PutU16(h, e.tag);
    PutU16(h, e.type);
    if (big)
      PutU64(h, e.Count());
    else
      PutU32(h, static_cast<uint32_t>(e.Count()));
    const size_t field = h.size();
    if (where[i] != 0) {
      if (big)
        PutU64(h, where[i]);
      else
        PutU32(h, static_cast<uint32_t>(where[i]));
    } else {
      PutValues(h, e);  // left-justified in the value field
    }
    h.resize(field + size_t(inlineBytes), 0);
  }
  if (big)
    PutU64(h, 0);  // no further directory
  else
    PutU32(h, 0);
  for (size_t i = 0; i < entries.size(); ++i) {
    if (where[i] == 0) continue;
    PutValues(h, entries[i]);
    if (h.size() % 2) h.push_back(0);
  }
  l.fileBytes = pixelsStart + l.pixelBytes;
  return l;
}

}  // namespace

int32_t TiffRowsPerStrip(int32_t width) {
  const int64_t rowBytes = 3 * int64_t{std::max(width, 1)};
  return static_cast<int32_t>(std::max<int64_t>(1, (int64_t{256} << 10) / rowBytes));
}

std::optional<TiffLayout> MakeTiffLayout(int32_t width, int32_t height, int32_t dpi, bool forceBig) {
  if (width < 1 || height < 1 || dpi < 1) return std::nullopt;
  if (!forceBig) {
    TiffLayout classic = Build(width, height, dpi, false);
    if (classic.fileBytes <= kMaxClassicTiffBytes) return classic;
  }
  return Build(width, height, dpi, true);
}

}  // namespace core
