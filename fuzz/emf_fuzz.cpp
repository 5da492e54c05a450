// The EMF checks, with a check of their own on the copy of every file they
// accept: what Wine's player (PlayEnhMetaFileRecord) would read from each
// record, by the player's rules restated here (fuzz/gdi_reads.h for the
// bitmaps), must lie inside that record, and every object index inside the
// copy's handle table, never the metafile's own slot; what the format's sizes
// claim must lie inside too, for Windows' player; and the copy, checked
// again, is itself. A mutator that knows records edits offsets, sizes and
// counts so the search spends its time inside records rather than headers.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <vector>

#include "core/emf_checker.h"
#include "core/emf_validator.h"
#include "fuzz/gdi_reads.h"

using fuzzoracle::Reads;

extern "C" size_t LLVMFuzzerMutate(uint8_t* data, size_t size, size_t maxSize);

namespace {

// Traps, naming the oracle's line that found the fault.
void Check(bool ok, int line = __builtin_LINE()) {
  if (ok) return;
  std::fprintf(stderr, "oracle: %s:%d\n", __FILE__, line);
  __builtin_trap();
}

// Where a record keeps one bitmap: usage, header offset and size, bits offset and size.
struct Fields {
  uint32_t usage, offBmi, cbBmi, offBits, cbBits;
};
constexpr Fields kBlit{80, 84, 88, 92, 96}, kMaskBltMask{108, 112, 116, 120, 124}, kPlgSrc{92, 96, 100, 104, 108},
    kPlgMask{120, 124, 128, 132, 136}, kDibRecord{64, 48, 52, 56, 60}, kBrush{12, 16, 20, 24, 28};

// Windows' player goes by the sizes: whatever they claim lies inside the record.
void SizesInside(Reads& r, const Fields& f) {
  if (r.U32(f.cbBmi)) r.Need(r.U32(f.offBmi), r.U32(f.cbBmi));
  if (r.U32(f.cbBits)) r.Need(r.U32(f.offBits), r.U32(f.cbBits));
}

// CreateDIBitmap: the header's size fields, then SetDIBits of all its rows.
void CreateDIBitmapReads(Reads& r, const Fields& f) {
  const uint32_t bmi = r.U32(f.offBmi);
  r.Need(bmi, r.U32(bmi) == 12 ? 12 : 20);
  fuzzoracle::ReadDib(r, bmi, r.U32(f.offBits), r.U32(f.usage));
}

// The player's mask: CreateBitmap(biWidth, biHeight) and SetDIBits of biHeight rows.
void MaskReads(Reads& r, const Fields& f) {
  r.Need(r.U32(f.offBmi), 12);
  fuzzoracle::ReadDib(r, r.U32(f.offBmi), r.U32(f.offBits), r.U32(f.usage));
}

void AlphaBlendReads(Reads& r) {
  const uint32_t bmi = r.U32(kBlit.offBmi);
  const fuzzoracle::DibHeader h = fuzzoracle::ReadDibInfo(r, bmi, r.U32(kBlit.usage), false);
  // The player copies into the DIB section without checking it was made: a
  // bitmap CreateDIBSection refuses must never get this far.
  Check(h.valid && h.compression != 1 && h.compression != 2 && r.U32(kBlit.usage) <= 1);
  if (h.compression == 3)
    for (uint32_t i = 0; i < 3; ++i) Check(r.U32(bmi + 40 + 4 * i) != 0);
  Check(h.planes == 1 || h.planes * h.bits <= 16);
  r.Need(r.U32(kBlit.offBits), std::min<uint64_t>(h.Stride() * h.Rows(), r.U32(kBlit.cbBits)));
  // Older players copy all of cbBitsSrc into the section, which holds the rows.
  Check(r.U32(kBlit.cbBits) <= h.Stride() * h.Rows());
}

void MonoBrushReads(Reads& r) {
  const uint32_t bmi = r.U32(kBrush.offBmi), usage = r.U32(kBrush.usage);
  r.Need(bmi, 16);
  if (usage != 2 && r.U16(bmi + 14) == 1) r.Need(bmi + (r.U32(bmi) == 12 ? 12 : 40), r.U32(bmi) == 12 ? 6 : 8);
  r.Need(bmi, r.U32(bmi) == 12 ? 12 : 20);
  fuzzoracle::ReadDib(r, bmi, r.U32(kBrush.offBits), usage);
}

void PatternBrushReads(Reads& r) {
  const uint64_t offBmi = r.U32(kBrush.offBmi), cbBmi = r.U32(kBrush.cbBmi);
  const uint64_t offBits = r.U32(kBrush.offBits), cbBits = r.U32(kBrush.cbBits);
  // The player's own test, in 32 bits with its wrap-around checks.
  const uint32_t endBmi = uint32_t(offBmi + cbBmi), endBits = uint32_t(offBits + cbBits);
  if (endBmi > r.size() || endBits > r.size() || endBmi < offBmi || endBits < offBits || endBmi != offBits) return;
  fuzzoracle::ReadPackedDib(r, offBmi, r.U32(kBrush.usage));
}

void SetDIBitsReads(Reads& r) {
  const uint32_t bmi = r.U32(kDibRecord.offBmi), start = r.U32(68), scans = r.U32(72);
  const fuzzoracle::DibHeader h = fuzzoracle::ReadDibInfo(r, bmi, r.U32(kDibRecord.usage), true);
  if (!h.valid || scans == 0) return;
  if (h.compression == 1 || h.compression == 2) {
    r.Need(r.U32(kDibRecord.offBits), h.sizeImage);
    return;
  }
  if (start >= h.Rows()) return;
  const uint64_t rows = h.height < 0 ? std::min<uint64_t>(scans, h.Rows()) : std::min<uint64_t>(scans, h.Rows() - start);
  r.Need(r.U32(kDibRecord.offBits), h.Stride() * rows);
}

// EMRTEXT at `at`: nChars 8, offString 12, fOptions 16, offDx 36.
void TextReads(Reads& r, uint64_t at, uint64_t charBytes, bool zeroDxIsNone) {
  r.Need(at, 40);
  const uint32_t chars = r.U32(at + 8), options = r.U32(at + 16), offDx = r.U32(at + 36);
  if (chars == 0) return;
  r.Need(r.U32(at + 12), charBytes * chars);
  if (offDx || !zeroDxIsNone) r.Need(offDx, 4ull * chars * ((options & 0x2000) ? 2 : 1));
}

// RGNDATA at `at`: a 32-byte header and nCount rectangles, whatever dwSize says.
void RegionReads(Reads& r, uint64_t at) {
  if (r.U32(at) < 32) return;  // refused before the rectangles are read
  r.Need(at + 32, 16ull * r.U32(at + 8));
}

void PolyPolyReads(Reads& r, uint64_t pointBytes) {
  const uint64_t polys = r.U32(24), total = r.U32(28);
  r.Need(32, 4 * polys);
  uint64_t sum = 0;
  for (uint64_t i = 0; i < polys && r.inside(); ++i) sum += r.U32(32 + 4 * i);
  r.Need(32 + 4 * polys, pointBytes * std::max(sum, total));
  // The 16-bit forms are widened into a buffer of total * 8 bytes, sized in a
  // size_t that has 32 bits on the product's build.
  if (pointBytes == 4) Check(total * 8 <= 0xFFFFFFFFull && sum <= total);
}

// Everything the player reads from one record lies inside it.
bool RecordReadsInside(const uint8_t* p, uint32_t size) {
  Reads r(p, size);
  const uint32_t type = r.U32(0);
  switch (type) {
    case 2: case 3: case 4: case 5: case 6:  // POLYBEZIER ... POLYLINETO
      r.Need(28, 8ull * r.U32(24));
      break;
    case 85: case 86: case 87: case 88: case 89:  // their 16-bit forms
      r.Need(28, 4ull * r.U32(24));
      Check(8ull * r.U32(24) <= 0xFFFFFFFFull);
      break;
    case 7: case 8: PolyPolyReads(r, 8); break;
    case 90: case 91: PolyPolyReads(r, 4); break;
    case 70: r.Need(12, r.U32(8)); break;                              // GDICOMMENT
    case 82: {  // EXTCREATEFONTINDIRECTW: the face name is read to its end, inside LOGFONTW
      r.Need(12, 92);
      bool ended = false;
      for (uint64_t i = 0; i < 32 && r.inside(); ++i) ended = ended || r.U16(40 + 2 * i) == 0;
      Check(ended);
      break;
    }
    case 83: r.Need(0, 76), TextReads(r, 36, 1, true); break;
    case 84: r.Need(0, 76), TextReads(r, 36, 2, true); break;
    case 96: case 97:  // POLYTEXTOUTA/W: every string's spacing is read, even at offset 0
      for (uint64_t i = 0, n = r.U32(36); i < n && r.inside(); ++i) TextReads(r, 40 + 40 * i, type == 96 ? 1 : 2, false);
      break;
    case 75:  // EXTSELECTCLIPRGN: a region whenever the record could hold its header
      if (size >= 20 + 32) RegionReads(r, 16);
      break;
    case 71: RegionReads(r, 32); break;  // FILLRGN
    case 72: RegionReads(r, 40); break;  // FRAMERGN
    case 73: case 74: RegionReads(r, 28); break;  // INVERTRGN, PAINTRGN
    case 49: r.Need(16, 4ull * r.U16(14)); break;  // CREATEPALETTE: LOGPALETTE's entries
    case 50: r.Need(20, 4ull * r.U32(16)); break;  // SETPALETTEENTRIES
    case 56: r.Need(28, 9ull * r.U32(24)); break;  // POLYDRAW: points and their types
    case 92: r.Need(28, 5ull * r.U32(24)); break;  // POLYDRAW16
    case 118:  // GRADIENTFILL: vertices, then the mesh of the mode GDI takes
      r.Need(36, 16ull * r.U32(24));
      if (r.U32(32) <= 2) r.Need(36 + 16ull * r.U32(24), (r.U32(32) == 2 ? 12ull : 8ull) * r.U32(28));
      break;
    case 99:  // CREATECOLORSPACE: LOGCOLORSPACEA, its file name read to its end
      r.Need(12, 328);
      Check(r.inside() && r.size() > 339 && r.U8(339) == 0);
      break;
    case 95:  // EXTCREATEPEN: the dash pattern; a pattern pen's bitmap is the program's to read
      if (r.U32(48)) r.Need(52, 4ull * r.U32(48));
      if (r.U32(16)) r.Need(r.U32(12), r.U32(16));
      if (r.U32(24)) r.Need(r.U32(20), r.U32(24));
      if (core::IsPatternPenRecord(core::ByteReader(p, size)))
        fuzzoracle::ReadDib(r, r.U32(12), r.U32(20), r.U32(36) == 3 ? 0 : r.U32(40));
      break;
    case 76: case 77: case 116:  // BITBLT, STRETCHBLT, TRANSPARENTBLT
      SizesInside(r, kBlit);
      if (r.U32(kBlit.offBmi)) CreateDIBitmapReads(r, kBlit);
      break;
    case 114:  // ALPHABLEND
      SizesInside(r, kBlit);
      if (r.U32(kBlit.offBmi)) AlphaBlendReads(r);
      break;
    case 78:  // MASKBLT: both bitmaps, always
      SizesInside(r, kBlit), SizesInside(r, kMaskBltMask);
      MaskReads(r, kMaskBltMask), CreateDIBitmapReads(r, kBlit);
      break;
    case 79:  // PLGBLT
      SizesInside(r, kPlgSrc), SizesInside(r, kPlgMask);
      MaskReads(r, kPlgMask), CreateDIBitmapReads(r, kPlgSrc);
      break;
    case 80: SizesInside(r, kDibRecord), SetDIBitsReads(r); break;
    case 81:  // STRETCHDIBITS
      SizesInside(r, kDibRecord);
      fuzzoracle::ReadDib(r, r.U32(kDibRecord.offBmi), r.U32(kDibRecord.offBits), r.U32(kDibRecord.usage));
      break;
    case 93: SizesInside(r, kBrush), MonoBrushReads(r); break;
    case 94: SizesInside(r, kBrush), PatternBrushReads(r); break;
    default: break;
  }
  return r.inside();
}

uint32_t Get(const uint8_t* p, size_t off) { return p[off] | p[off + 1] << 8 | p[off + 2] << 16 | uint32_t(p[off + 3]) << 24; }
void Set(uint8_t* p, size_t off, uint32_t v) {
  for (int i = 0; i < 4; ++i) p[off + i] = uint8_t(v >> (8 * i));
}

// Offsets of the records after the header, while their sizes chain up.
std::vector<size_t> Records(const uint8_t* data, size_t size) {
  std::vector<size_t> at;
  if (size < 108) return at;
  size_t off = Get(data, 4);
  while (off + 8 <= size && at.size() < 4096) {
    const uint32_t n = Get(data, off + 4);
    if (n < 8 || n % 4 || n > size - off) break;
    at.push_back(off);
    off += n;
  }
  return at;
}

// After an edit that changed the file's length: the header states it again.
void Restate(uint8_t* data, size_t size) {
  Set(data, 48, uint32_t(size));
  Set(data, 52, uint32_t(Records(data, size).size() + 1));
}

// The object index each record uses (stock objects excepted), or -1.
int64_t IndexOf(const uint8_t* p, uint32_t size) {
  if (size < 12) return -1;
  switch (Get(p, 0)) {
    case 37: case 48:  // SELECTOBJECT, SELECTPALETTE
      return Get(p, 8) & 0x80000000u ? -1 : int64_t(Get(p, 8));
    case 71: case 72:  // FILLRGN, FRAMERGN: the brush, stock or not
      return size >= 32 && !(Get(p, 28) & 0x80000000u) ? int64_t(Get(p, 28)) : -1;
    case 38: case 39: case 40: case 49: case 50: case 51: case 82: case 93: case 94: case 95: case 99:
    case 100: case 101: case 111: case 122:
      return Get(p, 8);
    default:
      return -1;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const core::PreparedEmf prepared = core::PrepareEnhMetafile(data, size);
  if (!prepared.verdict) {
    Check(!prepared.verdict.reason.empty() && prepared.bytes.empty());
    return 0;
  }
  const std::vector<uint8_t>& c = prepared.bytes;
  Check(c.size() >= 108 && Get(c.data(), 48) == c.size());
  const uint32_t handles = c[56] | c[57] << 8;
  Check(handles >= 1);
  uint32_t records = 1;
  for (size_t off = Get(c.data(), 4); off < c.size(); off += Get(c.data(), off + 4)) {
    Check(off + 8 <= c.size());
    const uint32_t n = Get(c.data(), off + 4);
    Check(n >= 8 && n <= c.size() - off);
    ++records;
    Check(RecordReadsInside(c.data() + off, n));
    const int64_t index = IndexOf(c.data() + off, n);
    Check(index == -1 || (index >= 1 && index < handles));
    if (Get(c.data(), off) == 14) Check(off + n == c.size());  // EMR_EOF ends the copy
  }
  Check(records == Get(c.data(), 52));
  const core::PreparedEmf again = core::PrepareEnhMetafile(c.data(), c.size());
  Check(again.verdict && again.leftOut == 0 && again.bytes == c);
  return 0;
}

extern "C" size_t LLVMFuzzerCustomMutator(uint8_t* data, size_t size, size_t maxSize, unsigned int seed) {
  std::minstd_rand rng(seed);
  const std::vector<size_t> records = Records(data, size);
  if (records.size() < 2 || rng() % 3 == 0) return LLVMFuzzerMutate(data, size, maxSize);
  const size_t rec = records[rng() % (records.size() - 1)];  // never the end-of-file record
  const uint32_t recSize = Get(data, rec + 4);
  switch (rng() % 4) {
    case 0: case 1: {  // a field set to a value that matters to offsets, sizes and counts
      const size_t field = rec + 8 + 4 * (rng() % ((recSize - 8) / 4 ? (recSize - 8) / 4 : 1));
      if (field + 4 > size) break;
      const uint32_t values[] = {0, 1, 4, 8, 12, 40, recSize, recSize - 4, recSize + 4, recSize / 2,
                                 uint32_t(rng() % (recSize + 1)), Get(data, rec + 8 + 4 * (rng() % 8)),
                                 0x7FFFFFFF, 0x80000000u, 0xFFFFFFFFu, 0x20000001, 0x40000001, 0xFFFFFFF0u,
                                 Get(data, field) + uint32_t(int(rng() % 17) - 8)};
      Set(data, field, values[rng() % (sizeof values / sizeof *values)]);
      return size;
    }
    case 2: {  // the record grows or shrinks at its end
      const size_t by = 4 * (1 + rng() % 16);
      const bool grow = rng() % 2 && size + by <= maxSize;
      if (!grow && recSize < 8 + by) break;
      const size_t end = rec + recSize;
      if (grow) {
        std::memmove(data + end + by, data + end, size - end);
        for (size_t i = 0; i < by; ++i) data[end + i] = uint8_t(rng());
        size += by;
      } else {
        std::memmove(data + end - by, data + end, size - end);
        size -= by;
      }
      Set(data, rec + 4, uint32_t(grow ? recSize + by : recSize - by));
      Restate(data, size);
      return size;
    }
    default: {  // another copy of the record, before the end-of-file record
      if (size + recSize > maxSize) break;
      const size_t eof = records.back();
      std::memmove(data + eof + recSize, data + eof, size - eof);
      std::memmove(data + eof, data + rec, recSize);
      size += recSize;
      Restate(data, size);
      return size;
    }
  }
  return LLVMFuzzerMutate(data, size, maxSize);
}
